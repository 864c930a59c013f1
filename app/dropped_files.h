// Reading the names of a set of files dropped on a window, and the AutoLISP sources they stand for.
#pragma once

#include "lispindex/text_compare.h"

#include <windows.h>

#include <shellapi.h>
#include <string>
#include <string_view>
#include <vector>

namespace merulan {

inline constexpr std::u16string_view kCannotListFolderMessage = u"フォルダー %s は開けません。 %s ";

unsigned droppedFileCount(HDROP drop);
// The name at index, whole whatever its length; empty when the set has no such name.
std::u16string droppedFileName(HDROP drop, unsigned index);
// Every name, in drop order.
std::vector<std::u16string> droppedFileNames(HDROP drop);

// The sources to index, in their order: the dropped files whose names are those of AutoLISP sources
// (isLispSourceName), in drop order; then, for each dropped folder in drop order, such files directly
// inside it, ordered by orderNames. Throws MerulanError when a folder cannot be listed.
std::vector<std::u16string> lispSourcesOf(const std::vector<std::u16string>& droppedNames, TextCompare orderNames);

} // namespace merulan
