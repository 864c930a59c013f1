#include "app/settings/window_bounds_win.h"

namespace merulan {

namespace {

WindowBounds boundsOf(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// rcNormalPosition of a top-level window without WS_EX_TOOLWINDOW is in workspace coordinates: relative
// to the work area of its monitor instead of to the monitor. They differ from screen coordinates when a
// taskbar or another application bar sits at the monitor's left or top edge.
RECT normalPositionOnScreen(HWND window, const WINDOWPLACEMENT& placement) {
    RECT r = placement.rcNormalPosition;
    const bool topLevel = !(GetWindowLongW(window, GWL_STYLE) & WS_CHILD);
    if (topLevel && !(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
        // For a minimised window the monitor is the one of its restored placement.
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) {
            OffsetRect(&r, info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top);
        }
    }
    return r;
}

} // namespace

WindowBounds boundsToStore(HWND window) {
    if (IsIconic(window)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        if (GetWindowPlacement(window, &placement)) {
            return boundsOf(normalPositionOnScreen(window, placement));
        }
    }
    RECT r{};
    GetWindowRect(window, &r);
    return boundsOf(r);
}

} // namespace merulan
