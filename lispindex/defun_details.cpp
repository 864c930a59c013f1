#include "lispindex/defun_details.h"

#include "text/u16text.h"

#include <optional>

namespace merulan {

namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

bool isSkippedBlank(char16_t c) {
    return c >= 1 && c <= 32;
}

// A place in the cleaned lines: line index and 1-based position.
struct Point {
    std::size_t line;
    std::size_t pos;
};

std::optional<std::size_t> firstNonEmptyLineAfter(const LineList& lines, std::size_t k) {
    for (std::size_t j = k + 1; j < lines.size(); ++j) {
        if (!lines[j].empty()) {
            return j;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> lastNonEmptyLineBefore(const LineList& lines, std::size_t k) {
    for (std::size_t j = k; j-- > 0;) {
        if (!lines[j].empty()) {
            return j;
        }
    }
    return std::nullopt;
}

std::u16string textBetween(const LineList& lines, Point from, Point to) {
    std::u16string text;
    if (from.line == to.line) {
        if (to.pos >= from.pos) {
            text = std::u16string_view(lines[from.line]).substr(from.pos - 1, to.pos - from.pos + 1);
        }
    } else if (from.line < to.line) {
        text = std::u16string_view(lines[from.line]).substr(from.pos - 1);
        for (std::size_t j = from.line + 1; j < to.line; ++j) {
            text += u' ';
            text += lines[j];
        }
        text += u' ';
        text += std::u16string_view(lines[to.line]).substr(0, to.pos);
    }
    return text;
}

} // namespace

std::vector<std::u16string_view> splitCommaItems(std::u16string_view text) {
    // A NUL ends the text, as it ends every text read from a file; read literally, the rule would
    // otherwise add empty items before it without end.
    text = text.substr(0, text.find(u'\0'));
    std::vector<std::u16string_view> items;
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto skipBlanks = [&] {
        while (i < n && isSkippedBlank(text[i])) {
            ++i;
        }
    };
    skipBlanks();
    while (i < n) {
        std::size_t end = i;
        while (end < n && text[end] != u',' && !isBlank(text[end])) {
            ++end;
        }
        items.push_back(text.substr(i, end - i));
        i = end;
        skipBlanks();
        if (i < n && text[i] == u',') {
            if (i + 1 == n) {
                items.push_back({}); // a comma at the very end leaves an empty last item
            }
            ++i;
            skipBlanks();
        }
    }
    return items;
}

std::u16string getDefunArgs(const LineList& cleaned, std::size_t startLine, std::size_t startColumn) {
    int opens = 0;
    Point from{};
    std::optional<Point> to;
    for (std::size_t k = startLine; k < cleaned.size() && !to; ++k) {
        const std::u16string& line = cleaned[k];
        for (std::size_t i = k == startLine ? startColumn : 0; i < line.size(); ++i) {
            const char16_t ch = line[i];
            if (ch == u'(') {
                ++opens;
                if (opens >= 3) {
                    return {}; // a list inside the parameter list: not a plain one
                }
                if (opens == 2) {
                    if (i + 1 < line.size()) {
                        from = {k, i + 2};
                    } else if (const auto next = firstNonEmptyLineAfter(cleaned, k)) {
                        from = {*next, 1};
                    } else {
                        return {};
                    }
                }
            } else if (opens == 2 && (ch == u'/' || ch == u')')) {
                if (i > 0) {
                    to = Point{k, i};
                } else if (const auto previous = lastNonEmptyLineBefore(cleaned, k)) {
                    to = Point{*previous, cleaned[*previous].size()};
                } else {
                    return {};
                }
                break;
            }
        }
    }
    if (!to) {
        return {};
    }
    const std::u16string text = textBetween(cleaned, from, *to);
    std::u16string words;
    for (const std::u16string_view item : splitCommaItems(text)) {
        words += item;
        words += kLineBreak;
    }
    return words;
}

std::u16string getDefunComment(const LineList& lspSL, std::size_t& d) {
    if (d == 0 || d > lspSL.size()) {
        return {};
    }
    auto belongs = [&](std::size_t j) {
        const std::u16string_view text = trimBlanks(lspSL[j]);
        return !text.empty() && text.front() == u';';
    };
    std::size_t first = d;
    while (first > 0 && belongs(first - 1)) {
        --first;
    }
    if (first == 0) {
        return {}; // every line above belongs: the block has no line before it that ends it
    }
    std::u16string result;
    for (std::size_t j = first; j < d; ++j) {
        if (j > first) {
            result += kLineBreak;
        }
        result += u"  ";
        for (const char16_t c : trimBlanks(lspSL[j])) {
            if (c != u';') {
                result += c;
            }
        }
    }
    d = first;
    return result;
}

} // namespace merulan
