#include "cmdlist/list_file.h"

#include "cmdlist/field_split.h"
#include "platform/text_file.h"
#include "text/u16text.h"

#include <array>
#include <limits>

namespace merulan {

namespace {

// Only the first four fields matter; the count is capped there. The values are views into the line,
// or into reduced, for quoted fields whose quote pairs had to be reduced.
struct FirstFields {
    std::array<std::u16string_view, 4> value;
    std::array<std::u16string, 4> reduced;
    size_t count = 0;
};

void splitFirstFields(std::u16string_view line, std::u16string& scratch, FirstFields& fields) {
    fields.count = 0;
    splitFieldsWith(line, scratch, [&](std::u16string_view field) {
        if (!field.empty() && field.data() == scratch.data()) { // the next quoted field may reuse scratch
            fields.reduced[fields.count].assign(field);
            field = fields.reduced[fields.count];
        }
        fields.value[fields.count++] = field;
        return fields.count < fields.value.size();
    });
}

// Two marked files joined byte for byte leave the second one's byte-order mark at the start of a line:
// it is no part of the command there, and a comment after it is still a comment.
std::u16string_view withoutMarks(std::u16string_view line) {
    while (!line.empty() && line.front() == u'\uFEFF') {
        line.remove_prefix(1);
    }
    return line;
}

bool isBlankText(std::u16string_view s) {
    return trimBlanks(s).empty();
}

std::optional<TLspRecord> recordFromFields(std::int32_t row, const FirstFields& f) {
    if (f.count == 0) {
        return std::nullopt;
    }
    TLspRecord record;
    record.row = row;
    record.cmd = f.value[0];
    if (f.count == 1 || f.value[1].empty()) {
        return record; // group heading
    }
    record.cmt = f.value[1];
    if (f.count == 2 || isBlankText(f.value[2])) {
        return record; // command entry
    }
    record.exe = f.value[2];
    if (f.count >= 4 && !isBlankText(f.value[3])) {
        record.opt = f.value[3];
    }
    return record; // file entry
}

// One pass over the lines that forEach hands out; the table is sized once before it (maxLines is at
// least the number of lines) and cut once after. With no lines at all the table is left alone.
template <class ForEachLine>
bool fillFromLines(TLspRecords& table, size_t maxLines, ForEachLine&& forEach) {
    // Rows are 32-bit: lines past that cannot be numbered.
    constexpr size_t kMaxRows = static_cast<size_t>(std::numeric_limits<std::int32_t>::max());
    TLspRecords fresh;
    fresh.reserve(std::min(maxLines, kMaxRows));
    std::u16string scratch;
    FirstFields fields;
    size_t j = 0;
    forEach([&](std::u16string_view line) {
        line = withoutMarks(line);
        if (j < kMaxRows && !isCommentLine(line)) {
            splitFirstFields(line, scratch, fields);
            if (auto record = recordFromFields(static_cast<std::int32_t>(j), fields)) {
                fresh.push_back(std::move(*record));
            }
        }
        ++j;
    });
    if (j == 0) {
        return false;
    }
    fresh.shrink_to_fit();
    table = std::move(fresh);
    return true;
}

// At least the number of lines forEachLine finds in text, counted in a loop the compiler can vectorise.
size_t lineCountBound(std::u16string_view text) {
    size_t breaks = 0;
    for (char16_t c : text) {
        breaks += static_cast<size_t>(c == u'\r') + static_cast<size_t>(c == u'\n');
    }
    return breaks + 1;
}

} // namespace

std::optional<TLspRecord> recordFromLine(std::int32_t row, std::u16string_view line) {
    line = withoutMarks(line);
    if (isCommentLine(line)) {
        return std::nullopt;
    }
    std::u16string scratch;
    FirstFields fields;
    splitFirstFields(line, scratch, fields);
    return recordFromFields(row, fields);
}

bool fillLspRecords(TLspRecords& table, const LineList& lines) {
    return fillFromLines(table, lines.size(), [&](auto&& onLine) {
        for (const auto& line : lines) {
            onLine(line);
        }
    });
}

bool fillLspRecords(TLspRecords& table, std::u16string_view text) {
    return fillFromLines(table, lineCountBound(text), [&](auto&& onLine) { forEachLine(text, onLine); });
}

std::u16string readListText(const std::u16string& fName, const AnsiCodePage& ansi) {
    return decodeText(readFileBytes(fName), ansi, UnmarkedText::SurelyUtf8ElseAnsiCodePage);
}

bool fillLspRecordsFromBytes(TLspRecords& table, std::string_view bytes, const AnsiCodePage& ansi) {
    return fillLspRecords(table, decodeText(bytes, ansi, UnmarkedText::SurelyUtf8ElseAnsiCodePage));
}

bool loadMerulanList(TLspRecords& table, const std::u16string& fName, const AnsiCodePage& ansi) {
    if (!fileExists(fName)) {
        return false;
    }
    // The decoded text is cut into lines in place: no line list is built for a file this size.
    return fillLspRecords(table, readListText(fName, ansi));
}

} // namespace merulan
