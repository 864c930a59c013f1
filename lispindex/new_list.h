// The command list that a dropped source turns into: a heading named after the file, its command
// index lines, and an entry that loads the file.
#pragma once

#include "text/line_list.h"
#include "text/u16text.h"

#include <string>
#include <string_view>
#include <vector>

namespace merulan {

// The fields of one list line, as the list reader is to give them back.
using ListLineFields = std::vector<std::u16string>;

// Heading, one entry per index line (command part and description), load entry. The load path is
// "Merulan\" + file name when the source's folder is exactly exeFolder (same letter case), otherwise
// the source's full path. Nothing when there are no index lines.
std::vector<ListLineFields> newListFields(const LineList& indexLines, std::u16string_view sourcePath,
                                          std::u16string_view exeFolder,
                                          std::u16string_view separators = kWindowsPathSeparators);

// Fields joined by TABs; a field that would not read back as written goes in double quotes with its
// inner quotes doubled.
std::u16string listLineOf(const ListLineFields& fields);

// The lines of the new list file; empty when there are no index lines.
LineList makeNewList(const LineList& indexLines, std::u16string_view sourcePath, std::u16string_view exeFolder,
                     std::u16string_view separators = kWindowsPathSeparators);

} // namespace merulan
