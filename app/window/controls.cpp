#include "app/window/controls.h"

#include "app/window/window_class.h"
#include "platform/win/window_text.h"

#include <utility>

namespace merulan {

namespace {

constexpr wchar_t kPanelClass[] = L"MerulanPanel";
constexpr wchar_t kSpeedButtonClass[] = L"MerulanSpeedButton";

} // namespace

void PanelControl::create(HWND parent, int id, const Theme& theme) {
    registerWindowClass({kPanelClass, windowProc});
    theme_ = &theme;
    window_ = createChildWindow(0, kPanelClass, L"", 0, parent, id, this);
    // Its children stay out of its painting; the panel is a container for tab navigation.
    SetWindowLongPtrW(window_, GWL_STYLE, GetWindowLongPtrW(window_, GWL_STYLE) | WS_CLIPCHILDREN);
    SetWindowLongPtrW(window_, GWL_EXSTYLE, GetWindowLongPtrW(window_, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
}

void PanelControl::setColour(COLORREF colour) {
    colour_ = colour;
    InvalidateRect(window_, nullptr, TRUE);
}

LRESULT CALLBACK PanelControl::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    PanelControl* panel = windowObject<PanelControl>(window, message, lParam);
    switch (message) {
    case WM_ERASEBKGND:
        if (panel && panel->theme_) {
            RECT client{};
            GetClientRect(window, &client);
            const auto dc = reinterpret_cast<HDC>(wParam);
            SetDCBrushColor(dc, panel->theme_->panelColour(panel->colour_));
            FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
            return TRUE;
        }
        break;
    case WM_COMMAND: // the ESC button's click belongs to the window
        return SendMessageW(GetParent(window), message, wParam, lParam);
    case WM_NCDESTROY:
        if (panel) {
            panel->window_ = nullptr;
        }
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void SpeedButtonControl::create(HWND parent, int id, const Theme& theme) {
    registerWindowClass({kSpeedButtonClass, windowProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW});
    theme_ = &theme;
    window_ = createChildWindow(0, kSpeedButtonClass, L"", 0, parent, id, this);
}

LRESULT CALLBACK SpeedButtonControl::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    SpeedButtonControl* button = windowObject<SpeedButtonControl>(window, message, lParam);
    if (!button) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCCREATE) {
        button->window_ = window; // the messages before CreateWindowExW returns are its own too
    }
    return button->handle(message, wParam, lParam);
}

bool SpeedButtonControl::cursorInside(LPARAM lParam) const {
    RECT client{};
    GetClientRect(window_, &client);
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&client, point);
}

void SpeedButtonControl::setPressed(bool pressed) {
    if (pressed_ != pressed) {
        pressed_ = pressed;
        InvalidateRect(window_, nullptr, FALSE);
    }
}

LRESULT SpeedButtonControl::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        const PaintScope paint(window_);
        RECT client{};
        GetClientRect(window_, &client);
        theme_->drawSpeedButton(paint.dc(), client, windowText(window_), font_, pressed_);
        return 0;
    }
    case WM_ERASEBKGND:
        return TRUE; // WM_PAINT covers every pixel
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) {
            InvalidateRect(window_, nullptr, FALSE);
        }
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcW(window_, message, wParam, lParam);
        InvalidateRect(window_, nullptr, FALSE);
        return result;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // Capture the mouse but never take the focus: the keyboard stays where the user left it.
        SetCapture(window_);
        tracking_ = true;
        setPressed(true);
        return 0;
    case WM_MOUSEMOVE:
        if (tracking_) {
            setPressed(cursorInside(lParam));
        }
        return 0;
    case WM_LBUTTONUP:
        if (tracking_) {
            const bool inside = cursorInside(lParam);
            ReleaseCapture(); // WM_CAPTURECHANGED ends the tracking
            if (inside) {
                const int id = GetDlgCtrlID(window_);
                SendMessageW(GetParent(window_), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                             reinterpret_cast<LPARAM>(window_));
            }
        }
        return 0;
    case WM_CAPTURECHANGED:
        tracking_ = false;
        setPressed(false);
        return 0;
    case WM_NCDESTROY: {
        const HWND window = std::exchange(window_, nullptr);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace merulan
