#include "app/window/dpi.h"

#include "app/window/form_layout.h"

namespace merulan {

namespace {

// Looked up at run time: the manifest claims Vista and later, where these do not all exist.
template <class Function>
Function systemFunction(const wchar_t* module, const char* name) {
    HMODULE handle = GetModuleHandleW(module);
    if (!handle) {
        handle = LoadLibraryExW(module, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    return handle ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name))) : nullptr;
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

unsigned systemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? static_cast<unsigned>(dpi) : kDesignDpi;
}

} // namespace

unsigned dpiForWindow(HWND window) {
    static const auto getDpiForWindow = systemFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) {
            return dpi;
        }
    }
    return dpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

unsigned dpiForMonitor(HMONITOR monitor) {
    static const auto getDpiForMonitor = systemFunction<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
    UINT x = 0;
    UINT y = 0;
    constexpr int effectiveDpi = 0; // MDT_EFFECTIVE_DPI
    if (getDpiForMonitor && monitor && SUCCEEDED(getDpiForMonitor(monitor, effectiveDpi, &x, &y)) && y) {
        return y;
    }
    return systemDpi();
}

unsigned dpiOfPrimaryMonitor() {
    return dpiForMonitor(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
}

SIZE outerSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, unsigned dpi) {
    static const auto adjustForDpi =
        systemFunction<AdjustWindowRectExForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
    RECT rect{0, 0, clientWidth, clientHeight};
    if (!adjustForDpi || !adjustForDpi(&rect, style, FALSE, exStyle, dpi)) {
        rect = RECT{0, 0, clientWidth, clientHeight};
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace merulan
