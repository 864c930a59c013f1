// Reading a window's text.
#pragma once

#include <cstddef>
#include <string>
#include <windows.h>

namespace merulan {

// The whole text of one of this program's windows (asked for its length first).
std::u16string windowText(HWND window);

// At most maxUnits units of a window's title, read without asking its length: another program's window
// is not sent a message that could wait on it.
std::u16string windowTextUpTo(HWND window, std::size_t maxUnits);

} // namespace merulan
