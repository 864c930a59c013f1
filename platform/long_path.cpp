#include "platform/long_path.h"

#include <algorithm>

namespace merulan {

namespace {

bool isAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

std::u16string withBackslashes(std::u16string text) {
    std::replace(text.begin(), text.end(), u'/', u'\\');
    return text;
}

} // namespace

std::u16string fileCallPath(std::u16string_view path) {
    if (path.size() < kClassicPathLimit) {
        return std::u16string(path);
    }
    if (path.size() >= 3 && isAsciiLetter(path[0]) && path[1] == u':' && isSeparator(path[2])) {
        return u"\\\\?\\" + withBackslashes(std::u16string(path));
    }
    // "\\server\share": but not "\\?\" nor "\\.\" (device paths), which already bypass the limit.
    if (path.size() >= 3 && isSeparator(path[0]) && isSeparator(path[1]) && path[2] != u'?' && path[2] != u'.') {
        return u"\\\\?\\UNC\\" + withBackslashes(std::u16string(path.substr(2)));
    }
    return std::u16string(path);
}

} // namespace merulan
