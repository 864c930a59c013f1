// Text rules shared by every module: UTF-16 code units, ASCII-only case, blanks are codes 0-32.
#pragma once

#include <string>
#include <string_view>

namespace merulan {

constexpr bool isBlank(char16_t c) {
    return c <= 32;
}

std::u16string upperAscii(std::u16string_view s);
// The same, reusing the string's buffer (the filtered view does it for every record).
void upperAsciiInPlace(std::u16string& s);
std::u16string_view trimBlanks(std::u16string_view s);
bool contains(std::u16string_view text, std::u16string_view part);
bool beginsWith(std::u16string_view text, std::u16string_view prefix);

// A path's folder ends at its last backslash or colon; the Linux console tool adds "/".
inline constexpr std::u16string_view kWindowsPathSeparators = u"\\:";

// Paths split after the last backslash or colon.
std::u16string_view fileNameOf(std::u16string_view path);
std::u16string_view folderOf(std::u16string_view path);
// From the file name's last "." on, "." included; empty when the name has none.
std::u16string_view extensionOf(std::u16string_view path);
// "C:\", "C:/" or "\\server": a Windows path that does not depend on the current folder.
bool isFullPath(std::u16string_view path);

// Replaces each "%s" of pattern, in order, by the next argument.
std::u16string formatText(std::u16string_view pattern, std::initializer_list<std::u16string_view> args);

std::u16string decimalText(long long value);

} // namespace merulan
