#include "text/u16text.h"

#include <algorithm>

namespace merulan {

void upperAsciiInPlace(std::u16string& s) {
    for (char16_t& c : s) {
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - (u'a' - u'A'));
        }
    }
}

std::u16string upperAscii(std::u16string_view s) {
    std::u16string out(s);
    upperAsciiInPlace(out);
    return out;
}

std::u16string_view trimBlanks(std::u16string_view s) {
    size_t first = 0;
    size_t last = s.size();
    while (first < last && isBlank(s[first])) {
        ++first;
    }
    while (last > first && isBlank(s[last - 1])) {
        --last;
    }
    return s.substr(first, last - first);
}

bool contains(std::u16string_view text, std::u16string_view part) {
    return text.find(part) != std::u16string_view::npos;
}

bool beginsWith(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

namespace {
size_t nameStart(std::u16string_view path) {
    const size_t sep = path.find_last_of(kWindowsPathSeparators);
    return sep == std::u16string_view::npos ? 0 : sep + 1;
}
} // namespace

std::u16string_view fileNameOf(std::u16string_view path) {
    return path.substr(nameStart(path));
}

std::u16string_view folderOf(std::u16string_view path) {
    return path.substr(0, nameStart(path));
}

std::u16string_view extensionOf(std::u16string_view path) {
    const std::u16string_view name = fileNameOf(path);
    const size_t dot = name.rfind(u'.');
    return dot == std::u16string_view::npos ? std::u16string_view{} : name.substr(dot);
}

bool isFullPath(std::u16string_view path) {
    const bool letter = !path.empty() && ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z'));
    const bool drive = path.size() >= 3 && letter && path[1] == u':' && (path[2] == u'\\' || path[2] == u'/');
    return drive || beginsWith(path, u"\\\\");
}

std::u16string formatText(std::u16string_view pattern, std::initializer_list<std::u16string_view> args) {
    std::u16string out;
    auto arg = args.begin();
    size_t pos = 0;
    while (pos < pattern.size()) {
        const size_t mark = pattern.find(u"%s", pos);
        if (mark == std::u16string_view::npos || arg == args.end()) {
            out.append(pattern.substr(pos));
            break;
        }
        out.append(pattern.substr(pos, mark - pos));
        out.append(*arg++);
        pos = mark + 2;
    }
    return out;
}

std::u16string decimalText(long long value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace merulan
