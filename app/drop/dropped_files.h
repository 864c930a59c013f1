// The names of a set of files dropped on a window.
#pragma once

#include <windows.h>

#include <shellapi.h>
#include <string>
#include <vector>

namespace merulan {

unsigned droppedFileCount(HDROP drop);
// The name at index, whole whatever its length; empty when the set has no such name.
std::u16string droppedFileName(HDROP drop, unsigned index);
// Every name, in drop order.
std::vector<std::u16string> droppedFileNames(HDROP drop);

} // namespace merulan
