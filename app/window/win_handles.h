// Ownership of the window-side Win32 handles (aliases of the one holder), and guards that put things back.
#pragma once

#include "platform/win/unique_handle.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

namespace merulan {

namespace handle_close {
inline void window(HWND h) noexcept {
    DestroyWindow(h);
}
inline void gdiObject(HGDIOBJ h) noexcept {
    DeleteObject(h);
}
inline void icon(HICON h) noexcept {
    DestroyIcon(h);
}
inline void menu(HMENU h) noexcept {
    DestroyMenu(h);
}
inline void imageList(HIMAGELIST h) noexcept {
    ImageList_Destroy(h);
}
inline void drop(HDROP h) noexcept {
    DragFinish(h);
}
inline void hook(HHOOK h) noexcept {
    UnhookWindowsHookEx(h);
}
inline void module(HMODULE h) noexcept {
    FreeLibrary(h);
}
} // namespace handle_close

using UniqueWindow = UniqueHandle<HWND, handle_close::window>;
using UniqueFont = UniqueHandle<HFONT, handle_close::gdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, handle_close::gdiObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, handle_close::gdiObject>;
using UniqueIcon = UniqueHandle<HICON, handle_close::icon>;
using UniqueMenu = UniqueHandle<HMENU, handle_close::menu>;
using UniqueImageList = UniqueHandle<HIMAGELIST, handle_close::imageList>;
using UniqueDrop = UniqueHandle<HDROP, handle_close::drop>;
using UniqueHook = UniqueHandle<HHOOK, handle_close::hook>;
using UniqueModule = UniqueHandle<HMODULE, handle_close::module>;

// A DC from GetDC, released to the window it came from.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) {
            ReleaseDC(window_, dc_);
        }
    }
    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintScope {
public:
    explicit PaintScope(HWND window) noexcept : window_(window) { dc_ = BeginPaint(window, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    ~PaintScope() { EndPaint(window_, &paint_); }
    HDC dc() const noexcept { return dc_; }
    const RECT& area() const noexcept { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// SelectObject that selects the previous object back.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(SelectObject(dc, object)) {}
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;
    ~SelectScope() { SelectObject(dc_, old_); }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// WM_SETREDRAW off for the scope; the window repaints once at the end.
class RedrawSuspension {
public:
    explicit RedrawSuspension(HWND window) noexcept : window_(window) { SendMessageW(window_, WM_SETREDRAW, FALSE, 0); }
    RedrawSuspension(const RedrawSuspension&) = delete;
    RedrawSuspension& operator=(const RedrawSuspension&) = delete;
    ~RedrawSuspension() {
        SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE);
    }

private:
    HWND window_;
};

} // namespace merulan
