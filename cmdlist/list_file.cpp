#include "cmdlist/list_file.h"

#include "cmdlist/field_split.h"
#include "platform/text_file.h"
#include "text/u16text.h"

#include <array>
#include <limits>

namespace merulan {

namespace {

// Only the first four fields matter; the count is capped there.
struct FirstFields {
    std::array<std::u16string, 4> value;
    size_t count = 0;
};

void splitFirstFields(std::u16string_view line, std::u16string& scratch, FirstFields& fields) {
    fields.count = 0;
    splitFieldsWith(line, scratch, [&](std::u16string_view field) {
        fields.value[fields.count++].assign(field);
        return fields.count < fields.value.size();
    });
}

bool isBlankText(std::u16string_view s) { return trimBlanks(s).empty(); }

std::optional<TLspRecord> recordFromFields(std::int32_t row, FirstFields& f) {
    if (f.count == 0) {
        return std::nullopt;
    }
    TLspRecord record;
    record.row = row;
    record.cmd = std::move(f.value[0]);
    if (f.count == 1 || f.value[1].empty()) {
        return record; // group heading
    }
    record.cmt = std::move(f.value[1]);
    if (f.count == 2 || isBlankText(f.value[2])) {
        return record; // command entry
    }
    record.exe = std::move(f.value[2]);
    if (f.count >= 4 && !isBlankText(f.value[3])) {
        record.opt = std::move(f.value[3]);
    }
    return record; // file entry
}

} // namespace

std::optional<TLspRecord> recordFromLine(std::int32_t row, std::u16string_view line) {
    if (isCommentLine(line)) {
        return std::nullopt;
    }
    std::u16string scratch;
    FirstFields fields;
    splitFirstFields(line, scratch, fields);
    return recordFromFields(row, fields);
}

bool fillLspRecords(TLspRecords& table, const LineList& lines) {
    if (lines.empty()) {
        return false;
    }
    // Rows are 32-bit: a list longer than that cannot be numbered.
    const size_t usable = std::min<size_t>(lines.size(), std::numeric_limits<std::int32_t>::max());
    TLspRecords fresh;
    fresh.reserve(usable);
    std::u16string scratch;
    FirstFields fields;
    for (size_t j = 0; j < usable; ++j) {
        if (isCommentLine(lines[j])) {
            continue;
        }
        splitFirstFields(lines[j], scratch, fields);
        if (auto record = recordFromFields(static_cast<std::int32_t>(j), fields)) {
            fresh.push_back(std::move(*record));
        }
    }
    fresh.shrink_to_fit();
    table = std::move(fresh);
    return true;
}

bool loadMerulanList(TLspRecords& table, const std::u16string& fName, const AnsiCodePage& ansi) {
    if (!fileExists(fName)) {
        return false;
    }
    return fillLspRecords(table, readTextFile(fName, ansi, UnmarkedText::AnsiCodePage));
}

} // namespace merulan
