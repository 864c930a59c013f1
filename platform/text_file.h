// Whole-file reading and writing with the palette's messages; the path is the full path the user sees.
#pragma once

#include "text/line_list.h"

#include <string>
#include <string_view>

namespace merulan {

// True for an existing file; a folder of that name does not count.
bool fileExists(const std::u16string& path);

// Opens for reading while letting others read (and rename) but not write. Throws "ファイル %s は開けません。 %s ".
std::string readFileBytes(const std::u16string& path);

// Creates or replaces the file. Throws "ファイル \"%s\" を作成できません。%s".
void writeFileBytes(const std::u16string& path, std::string_view bytes);

LineList readTextFile(const std::u16string& path, const AnsiCodePage& ansi, UnmarkedText unmarked);
void writeTextFile(const std::u16string& path, const LineList& lines, const AnsiCodePage& ansi);

inline constexpr std::u16string_view kCannotOpenMessage = u"ファイル %s は開けません。 %s ";
inline constexpr std::u16string_view kCannotCreateMessage = u"ファイル \"%s\" を作成できません。%s";

} // namespace merulan
