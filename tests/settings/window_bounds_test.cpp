// The bounds FormDestroy stores, taken from real windows.
#include "app/settings/window_bounds_win.h"

#include <gtest/gtest.h>

#include <memory>

namespace merulan {
namespace {

struct WindowCloser {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowCloser>;

UniqueWindow makeWindow(DWORD exStyle, const WindowBounds& b) {
    static const ATOM windowClass = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MerulanSettingsBoundsTest";
        return RegisterClassW(&wc);
    }();
    UniqueWindow window(CreateWindowExW(exStyle, MAKEINTATOM(windowClass), L"bounds", WS_OVERLAPPEDWINDOW, b.left,
                                        b.top, b.width, b.height, nullptr, nullptr, GetModuleHandleW(nullptr),
                                        nullptr));
    ShowWindow(window.get(), SW_SHOWNOACTIVATE);
    return window;
}

TEST(WindowBoundsToStore, AShownWindowGivesItsCurrentOuterBounds) {
    const UniqueWindow window = makeWindow(0, {120, 90, 333, 222});
    ASSERT_TRUE(window);
    SetWindowPos(window.get(), nullptr, -40, 700, 301, 250, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(boundsToStore(window.get()), (WindowBounds{-40, 700, 301, 250}));
}

TEST(WindowBoundsToStore, AMinimisedWindowGivesItsRestoredBounds) {
    for (const DWORD exStyle : {DWORD{0}, DWORD{WS_EX_TOOLWINDOW}}) {
        SCOPED_TRACE(exStyle);
        const UniqueWindow window = makeWindow(exStyle, {120, 90, 333, 222});
        ASSERT_TRUE(window);
        ShowWindow(window.get(), SW_SHOWMINNOACTIVE); // never the active window: the CAD link tests watch it
        ASSERT_TRUE(IsIconic(window.get()));
        RECT iconRect{};
        GetWindowRect(window.get(), &iconRect);
        ASSERT_NE(iconRect.right - iconRect.left, 333); // the minimised frame is something else
        EXPECT_EQ(boundsToStore(window.get()), (WindowBounds{120, 90, 333, 222}));
    }
}

} // namespace
} // namespace merulan
