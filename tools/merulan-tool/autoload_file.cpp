#include "tools/merulan-tool/autoload_file.h"

#include "lispindex/index_builder.h"
#include "text/u16text.h"
#include "text/utf8.h"

#include <algorithm>
#include <unordered_set>

namespace merulan::tool {

namespace {

constexpr std::u16string_view kUnwritableMessage =
    u"「%s」にはコードページ %s で書けない文字「%s」があります．--utf8 を付けると UTF-8 で書きます．";
constexpr std::u16string_view kOutsideBaseMessage = u"%s は --base のフォルダー %s の中にありません";

char16_t foldedAscii(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

std::u16string withSlashes(std::u16string_view path, std::u16string_view separators) {
    std::u16string text(path);
    std::replace_if(
        text.begin(), text.end(), [&](char16_t c) { return separators.find(c) != std::u16string_view::npos; }, u'/');
    return text;
}

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

// The first character of text that ansi cannot write, or nothing.
std::optional<std::u16string> firstUnwritable(std::u16string_view text, const AnsiCodePage& ansi) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t units = isHighSurrogate(text[i]) && i + 1 < text.size() ? 2 : 1;
        const std::u16string_view character = text.substr(i, units);
        if (!ansi.encodeExact(character)) {
            return std::u16string(character);
        }
        i += units;
    }
    return std::nullopt;
}

} // namespace

std::u16string lispString(std::u16string_view text) {
    std::u16string literal = u"\"";
    for (const char16_t c : text) {
        if (c == u'"' || c == u'\\') {
            literal += u'\\';
            literal += c;
        } else if (c < 0x20) {
            literal += u'\\';
            literal += static_cast<char16_t>(u'0' + (c >> 6));
            literal += static_cast<char16_t>(u'0' + ((c >> 3) & 7));
            literal += static_cast<char16_t>(u'0' + (c & 7));
        } else {
            literal += c;
        }
    }
    return literal + u'"';
}

std::optional<std::u16string> loaderPathOf(std::u16string_view sourcePath, const LoaderPaths& paths) {
    const std::u16string path = withSlashes(sourcePath, paths.folderSeparators);
    if (!paths.base) {
        return path;
    }
    std::u16string base = withSlashes(*paths.base, paths.folderSeparators);
    if (!base.ends_with(u'/')) {
        base += u'/';
    }
    const auto same = [&](char16_t a, char16_t b) {
        return paths.ignoreCase ? foldedAscii(a) == foldedAscii(b) : a == b;
    };
    if (path.size() <= base.size() || !std::equal(base.begin(), base.end(), path.begin(), same)) {
        return std::nullopt;
    }
    return path.substr(base.size());
}

std::vector<std::u16string> commandNamesOf(const IndexedSource& source) {
    std::vector<std::u16string> names;
    std::unordered_set<std::u16string> seen;
    for (const std::u16string& line : source.indexLines) {
        std::u16string name(commandNameOf(line));
        if (!name.empty() && seen.insert(name).second) {
            names.push_back(std::move(name));
        }
    }
    return names;
}

LineList loaderOf(const std::vector<IndexedSource>& sources, const std::vector<std::u16string>& madeFrom,
                  const LoaderPaths& paths, const AnsiCodePage* ansi) {
    const auto requireWritable = [ansi](std::u16string_view text) {
        if (ansi) {
            if (const auto character = firstUnwritable(text, *ansi)) {
                throw LoaderProblem(formatText(kUnwritableMessage, {text, decimalText(ansi->id()), *character}));
            }
        }
    };
    LineList lines;
    // Words of no language: whether the file can be written depends on the library's paths and names alone.
    std::u16string comment = u";; merulan-tool autoload";
    for (const std::u16string& name : madeFrom) {
        requireWritable(name);
        comment += u' ' + lispString(*loaderPathOf(name, {paths.folderSeparators, std::nullopt, false}));
    }
    lines.push_back(comment);
    for (const IndexedSource& source : sources) {
        const std::vector<std::u16string> names = commandNamesOf(source);
        if (names.empty()) {
            continue;
        }
        const std::optional<std::u16string> path = loaderPathOf(source.path, paths);
        if (!path) {
            throw LoaderProblem(formatText(kOutsideBaseMessage, {source.path, *paths.base}));
        }
        requireWritable(*path);
        std::u16string form = u"(autoload " + lispString(*path) + u" '(";
        for (std::size_t i = 0; i < names.size(); ++i) {
            requireWritable(names[i]);
            form += (i > 0 ? u" " : u"") + lispString(names[i]);
        }
        lines.push_back(form + u"))");
    }
    lines.push_back(u"(princ)");
    return lines;
}

std::string loaderBytes(const LineList& lines, const AnsiCodePage* ansi) {
    std::string bytes;
    for (const std::u16string& line : lines) {
        if (!ansi) {
            bytes += toUtf8(line);
        } else if (const auto encoded = ansi->encodeExact(line)) {
            bytes += *encoded;
        } else { // loaderOf has checked every text it put in; only a line made otherwise gets here
            throw LoaderProblem(formatText(kUnwritableMessage, {line, decimalText(ansi->id()), u"?"}));
        }
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace merulan::tool
