// A control's input method, through its input context: what the search box needs of it.
#pragma once

#include <windows.h>

namespace merulan {

// Turns the window's input method off (direct input), so that typed letters arrive as letters; the user turns
// it on again with the usual key. Nothing happens for a window without an input context.
void switchToDirectInput(HWND window);

// Whether the window's input method holds a conversion the user has not confirmed yet.
bool compositionOpen(HWND window);

} // namespace merulan
