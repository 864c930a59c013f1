// How merulan-tool takes paths and orders names, as the palette would on the same system.
#pragma once

#include "lispindex/text_compare.h"

#include <string>
#include <string_view>
#include <vector>

namespace merulan::tool {

#ifdef _WIN32
inline constexpr std::u16string_view kSeparators = u"\\:";
// What separates folders in a path the system hands over, and whether it tells names by letter case.
inline constexpr std::u16string_view kFolderSeparators = u"\\/";
inline constexpr bool kNamesIgnoreCase = true;
#else
// Linux paths end their folders at "/"; the palette's backslash and colon still count, so a path
// written the Windows way splits as it would there.
inline constexpr std::u16string_view kSeparators = u"\\:/";
inline constexpr std::u16string_view kFolderSeparators = u"/";
inline constexpr bool kNamesIgnoreCase = false;
#endif

// The ordering of location records: CompareStringW with the user's locale on Windows, its stand-in elsewhere.
TextCompare recordOrder();
// Names in a folder as Explorer orders them (or its stand-in).
TextCompare fileNameOrder();

// The folder of this program, with its separator at the end; empty when unknown.
std::u16string ownFolder();

// A drop hands over full paths: relative arguments are taken from the current folder.
std::u16string fullPath(const std::string& argument);

// The sources in their order, each once, though a file be named alone and through its folder too.
std::vector<std::u16string> distinctSources(const std::vector<std::u16string>& sources);

// fullPath with a separator at its end.
std::u16string folderWithSeparator(const std::string& argument);

} // namespace merulan::tool
