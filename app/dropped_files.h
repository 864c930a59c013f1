// Reading the names of a set of files dropped on a window.
#pragma once

#include <windows.h>

#include <optional>
#include <shellapi.h>
#include <string>

namespace merulan {

unsigned droppedFileCount(HDROP drop);
// The name at index, whole whatever its length; empty when the set has no such name.
std::u16string droppedFileName(HDROP drop, unsigned index);
// The first name, in drop order, of an AutoLISP source (see isLispSourceName); the rest are not read.
std::optional<std::u16string> firstDroppedLispSource(HDROP drop);

} // namespace merulan
