// The outer bounds of a window as the settings file keeps them.
#pragma once

#include "app/settings/settings_rules.h"

#include <windows.h>

namespace merulan {

// Screen coordinates of the window's outer frame; for a minimised window, those of its restored placement.
WindowBounds boundsToStore(HWND window);

} // namespace merulan
