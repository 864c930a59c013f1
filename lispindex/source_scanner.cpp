#include "lispindex/source_scanner.h"

#include "text/u16text.h"

#include <algorithm>
#include <optional>

namespace merulan {

namespace {

constexpr std::u16string_view kFiller = u"         "; // between the name and the numbers of a top-level record

bool isUpperOf(char16_t c, char16_t upper) {
    return c == upper || c == upper + (u'a' - u'A');
}

// 0-based index of the first "(DEFUN " in any letter case; only a to z have a case, so no upper-cased copy
// of the line is needed.
std::size_t findDefun(std::u16string_view line) {
    constexpr std::u16string_view word = u"DEFUN";
    for (std::size_t i = line.find(u'('); i != std::u16string_view::npos; i = line.find(u'(', i + 1)) {
        if (line.size() - i < 7 || line[i + 6] != u' ') {
            continue;
        }
        bool match = true;
        for (std::size_t j = 0; j < word.size() && match; ++j) {
            match = isUpperOf(line[i + 1 + j], word[j]);
        }
        if (match) {
            return i;
        }
    }
    return std::u16string_view::npos;
}

// A "(DEFUN " with a "(" after it on the same line: where it stands and the name between them.
struct DefunStart {
    std::size_t column; // 0-based, of the "(" of "(DEFUN "
    std::u16string_view name;
};

std::optional<DefunStart> findDefunStart(std::u16string_view line) {
    const std::size_t column = findDefun(line);
    if (column == std::u16string_view::npos) {
        return std::nullopt;
    }
    const std::size_t nameStart = column + 7;
    const std::size_t paren = line.find(u'(', nameStart);
    if (paren == std::u16string_view::npos) {
        return std::nullopt;
    }
    return DefunStart{column, line.substr(nameStart, paren - nameStart)};
}

void appendNumber(std::u16string& text, std::size_t value) {
    text += u',';
    text += decimalText(static_cast<long long>(value));
}

} // namespace

void stripLispComments(const LineList& lspSL, LineList& cleaned) {
    // Both states run on from line to line; they are never on together, since each changes only while
    // the other is off.
    bool inString = false;
    bool inBlockComment = false;
    for (const std::u16string& line : lspSL) {
        std::u16string out;
        // Inside a literal: whether the run of backslashes just before this character has odd length,
        // so that a quote here is escaped. A run counts from the literal's opening quote or the line's start.
        bool escaped = false;
        const std::size_t n = line.size();
        for (std::size_t i = 0; i < n; ++i) {
            const char16_t ch = line[i];
            // A quote has no effect inside a block comment, so a comment with an odd number of quotes
            // still closes at its "|;".
            if (ch == u'"' && !inBlockComment) {
                if (inString) {
                    inString = escaped; // an escaped quote belongs to the literal
                } else {
                    // Outside literals a quote after exactly one backslash opens nothing.
                    inString = i == 0 || line[i - 1] != u'\\' || (i >= 2 && line[i - 2] == u'\\');
                }
            }
            if (ch == u';' && inBlockComment) {
                // Only "|;" closes a block comment; any other ";" in it is text, so a "|;" after it still counts.
                inBlockComment = !(i > 0 && line[i - 1] == u'|');
            } else if (ch == u';' && !inString) {
                if (i + 1 < n && line[i + 1] == u'|') {
                    inBlockComment = true;
                } else if (i > 0 && line[i - 1] == u'|') {
                    // A "|;" outside a block comment: the ";" goes, the "|" stays.
                } else {
                    break; // a line comment: the rest of the line is not seen
                }
            }
            if (inString) {
                escaped = ch == u'\\' && !escaped;
            } else if (!inBlockComment && ch != u'"' && ch != u';') {
                out += ch == u'\t' ? u' ' : ch;
            }
        }
        cleaned.push_back(std::move(out));
    }
}

std::vector<DefunRecord> scanDefunRecords(const LineList& cleaned, TextCompare compare, bool withNested) {
    std::vector<DefunRecord> records;
    bool inside = false;
    std::size_t opens = 0;
    std::size_t closes = 0;
    std::u16string name;
    std::size_t startLine = 0;
    std::size_t startColumn = 0; // 0-based
    std::vector<std::u16string> pending;

    for (std::size_t k = 0; k < cleaned.size(); ++k) {
        const std::u16string& line = cleaned[k];
        if (trimBlanks(line).empty()) {
            continue;
        }
        const std::optional<DefunStart> found = findDefunStart(line);
        if (!inside) {
            if (!found) {
                continue;
            }
            name.assign(found->name);
            startLine = k;
            startColumn = found->column;
            opens = closes = 0;
            pending.clear();
            inside = true;
        } else if (found && withNested) {
            // Also when the "(DEFUN " follows the parenthesis that closes the open form on this line.
            std::u16string entry(found->name);
            appendNumber(entry, k);
            appendNumber(entry, found->column);
            pending.push_back(std::move(entry));
        }

        for (std::size_t i = k == startLine ? startColumn : 0; i < line.size(); ++i) {
            if (line[i] == u'(') {
                ++opens;
            } else if (line[i] == u')') {
                ++closes;
            } else {
                continue;
            }
            if (opens == 0 || opens != closes) {
                continue;
            }
            std::u16string record = name;
            record += u',';
            record += kFiller;
            appendNumber(record, startLine);
            appendNumber(record, startColumn);
            appendNumber(record, k);
            appendNumber(record, i);
            records.push_back({std::move(record), true});
            // A merge sort stays in bounds even if the comparison is not a strict order.
            std::stable_sort(pending.begin(), pending.end(),
                             [compare](const std::u16string& a, const std::u16string& b) { return compare(a, b) < 0; });
            for (std::u16string& entry : pending) {
                records.push_back({name + u',' + entry, false});
            }
            pending.clear();
            inside = false;
            break;
        }
    }
    return records;
}

void scanDefuns(const LineList& cleaned, LineList& records, TextCompare compare) {
    for (DefunRecord& record : scanDefunRecords(cleaned, compare, true)) {
        records.push_back(std::move(record.text));
    }
}

} // namespace merulan
