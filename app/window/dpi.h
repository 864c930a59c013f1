// Dots per inch of windows and monitors, with fallbacks for systems older than Windows 10.
#pragma once

#include <windows.h>

namespace merulan {

unsigned dpiForWindow(HWND window);
unsigned dpiForMonitor(HMONITOR monitor);
unsigned dpiOfPrimaryMonitor();

// The outer size of a window whose client area is clientWidth x clientHeight at the given dpi.
SIZE outerSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, unsigned dpi);

} // namespace merulan
