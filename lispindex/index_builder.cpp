#include "lispindex/index_builder.h"

#include "lispindex/defun_details.h"
#include "lispindex/source_scanner.h"
#include "text/u16text.h"

#include <algorithm>
#include <optional>

namespace merulan {

namespace {

constexpr std::u16string_view kNoDescription = u"...";

std::optional<std::size_t> decimalValue(std::u16string_view item) {
    if (item.empty() || item.size() > 18) { // more digits than any line count, and no overflow
        return std::nullopt;
    }
    std::size_t value = 0;
    for (const char16_t c : item) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (c - u'0');
    }
    return value;
}

// A top-level record read back: the name item and where the form starts.
struct CommandForm {
    std::u16string_view name;
    std::size_t startLine;
    std::size_t startColumn;
};

// Only a record that scanDefuns wrote as top-level, and that splits into the name, the empty filler
// item and two decimal numbers with the start line inside the source, is a candidate. Nested records
// of oddly named forms can split into six items too; they are passed over, not read as numbers.
std::optional<CommandForm> commandFormOf(const DefunRecord& record, std::size_t lineCount) {
    if (!record.topLevel) {
        return std::nullopt;
    }
    const auto items = splitCommaItems(record.text);
    if (items.size() != 6 || !items[1].empty()) {
        return std::nullopt;
    }
    const auto startLine = decimalValue(items[2]);
    const auto startColumn = decimalValue(items[3]);
    if (!startLine || !startColumn || *startLine >= lineCount) {
        return std::nullopt;
    }
    return CommandForm{items[0], *startLine, *startColumn};
}

bool beginsWithCommandPrefix(std::u16string_view name) {
    return name.size() >= 2 && (name[0] == u'C' || name[0] == u'c') && name[1] == u':';
}

// The description a comment line gives, or nothing for a line of one repeated character (a row of
// "=" or "-") and otherwise only blanks. The line is as getDefunComment gives it.
std::optional<std::u16string> descriptionOfCommentLine(std::u16string_view commentLine) {
    const std::u16string_view line = trimBlanks(commentLine);
    if (line.empty()) {
        return std::nullopt;
    }
    const char16_t first = line.front();
    const bool onlyFirstAndBlanks =
        std::all_of(line.begin(), line.end(), [first](char16_t c) { return c == first || isBlank(c); });
    if (onlyFirstAndBlanks) {
        return std::nullopt;
    }
    return std::u16string(line);
}

// The comment blocks above the forms, found without walking the same lines again for every form:
// forms can share a block (several "(DEFUN" lines that begin with ";|...|;"), and a walk per form would
// make the build quadratic.
class CommentBlocks {
public:
    explicit CommentBlocks(const LineList& lspSL) : lines_(lspSL), runStart_(lspSL.size()) {
        for (std::size_t j = 0; j < lspSL.size(); ++j) {
            const std::u16string_view text = trimBlanks(lspSL[j]);
            if (!text.empty() && text.front() == u';') {
                runStart_[j] = j > 0 && runStart_[j - 1] != kNone ? runStart_[j - 1] : j;
            } else {
                runStart_[j] = kNone;
            }
        }
        firstUsable_.assign(lspSL.size(), kUnknown);
    }

    // As getDefunComment and the first usable line of its result give it.
    std::optional<std::u16string> descriptionAbove(std::size_t d) {
        if (d == 0 || d > lines_.size() || runStart_[d - 1] == kNone) {
            return std::nullopt;
        }
        const std::size_t first = runStart_[d - 1];
        if (first == 0) {
            return std::nullopt;
        }
        const std::size_t usable = firstUsableFrom(first);
        if (usable >= d) {
            return std::nullopt;
        }
        return descriptionOfCommentLine(commentLineOf(usable));
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    static constexpr std::size_t kUnknown = static_cast<std::size_t>(-2);

    // The line as it stands in getDefunComment's result: the blank-trimmed text without semicolons.
    std::u16string commentLineOf(std::size_t j) const {
        std::u16string line;
        for (const char16_t c : trimBlanks(lines_[j])) {
            if (c != u';') {
                line += c;
            }
        }
        return line;
    }

    // The first line from the run start `first` on, within its run, that gives a description; the end
    // of the run when none does. Each run is walked once.
    std::size_t firstUsableFrom(std::size_t first) {
        if (firstUsable_[first] == kUnknown) {
            std::size_t j = first;
            while (j < lines_.size() && runStart_[j] == first && !descriptionOfCommentLine(commentLineOf(j))) {
                ++j;
            }
            firstUsable_[first] = j;
        }
        return firstUsable_[first];
    }

    const LineList& lines_;
    std::vector<std::size_t> runStart_;    // first line of the run of comment lines ending here, or kNone
    std::vector<std::size_t> firstUsable_; // by run start
};

std::u16string parameterTextOf(const LineList& cleaned, const CommandForm& form) {
    std::u16string words = getDefunArgs(cleaned, form.startLine, form.startColumn);
    std::u16string text;
    text.reserve(words.size());
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] == u'\r' && i + 1 < words.size() && words[i + 1] == u'\n') {
            text += u' ';
            ++i;
        } else {
            text += words[i];
        }
    }
    if (!text.empty() && text.back() == u' ') {
        text.pop_back();
    }
    return text;
}

} // namespace

std::vector<IndexedCommand> lspCommandsOf(const LineList& lspSL, TextCompare compare) {
    LineList cleaned;
    cleaned.reserve(lspSL.size());
    stripLispComments(lspSL, cleaned);
    std::vector<DefunRecord> records = scanDefunRecords(cleaned, compare, false);

    // Only top-level records can give lines, so only they are sorted; among themselves they come out in
    // the order a sort of all records gives them.
    std::erase_if(records, [](const DefunRecord& record) { return !record.topLevel; });
    std::stable_sort(records.begin(), records.end(),
                     [compare](const DefunRecord& a, const DefunRecord& b) { return compare(a.text, b.text) < 0; });

    std::vector<IndexedCommand> commands;
    CommentBlocks comments(lspSL);
    for (const DefunRecord& record : records) {
        const std::optional<CommandForm> form = commandFormOf(record, lspSL.size());
        // The key is the name, a blank and the parameters; it begins with "C:" exactly when the name does.
        if (!form || !beginsWithCommandPrefix(form->name)) {
            continue;
        }
        std::u16string key(form->name);
        key += u' ';
        key += parameterTextOf(cleaned, *form);
        std::u16string line(trimBlanks(upperAscii(std::u16string_view(key).substr(2))));
        line += u'\t';
        const std::optional<std::u16string> description = comments.descriptionAbove(form->startLine);
        line += description ? std::u16string_view(*description) : kNoDescription;
        commands.push_back({std::move(line), form->startLine});
    }
    return commands;
}

void makeLspIndex(const LineList& lspSL, LineList& resSL, TextCompare compare) {
    for (IndexedCommand& command : lspCommandsOf(lspSL, compare)) {
        resSL.push_back(std::move(command.line));
    }
}

std::u16string_view commandNameOf(std::u16string_view indexLine) {
    const std::u16string_view part = indexLine.substr(0, indexLine.find(u'\t'));
    return part.substr(0, part.find(u' '));
}

} // namespace merulan
