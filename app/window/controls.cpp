#include "app/window/controls.h"

#include "text/error.h"

#include <utility>

namespace merulan {

namespace {

constexpr wchar_t kPanelClass[] = L"MerulanPanel";
constexpr wchar_t kSpeedButtonClass[] = L"MerulanSpeedButton";

void registerOnce(const wchar_t* name, WNDPROC procedure, UINT style) {
    WNDCLASSEXW existing{sizeof(existing)};
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(instance, name, &existing)) {
        return;
    }
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    if (!RegisterClassExW(&wc)) {
        throw MerulanError(u"ウィンドウクラスを登録できません");
    }
}

template <class Control>
Control* controlOf(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* control = static_cast<Control*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
        return control;
    }
    return reinterpret_cast<Control*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND createChild(const wchar_t* className, HWND parent, int id, void* control) {
    const HWND window =
        CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), control);
    if (!window) {
        throw MerulanError(u"ウィンドウを作成できません");
    }
    return window;
}

} // namespace

void PanelControl::create(HWND parent, int id, const Theme& theme) {
    registerOnce(kPanelClass, windowProc, 0);
    theme_ = &theme;
    window_ = createChild(kPanelClass, parent, id, this);
    // Its children stay out of its painting; the panel is a container for tab navigation.
    SetWindowLongPtrW(window_, GWL_STYLE, GetWindowLongPtrW(window_, GWL_STYLE) | WS_CLIPCHILDREN);
    SetWindowLongPtrW(window_, GWL_EXSTYLE, GetWindowLongPtrW(window_, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
}

void PanelControl::setColour(COLORREF colour) {
    colour_ = colour;
    InvalidateRect(window_, nullptr, TRUE);
}

LRESULT CALLBACK PanelControl::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    PanelControl* panel = controlOf<PanelControl>(window, message, lParam);
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
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (panel) {
            panel->window_ = nullptr;
        }
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void SpeedButtonControl::create(HWND parent, int id, const Theme& theme) {
    registerOnce(kSpeedButtonClass, windowProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
    theme_ = &theme;
    window_ = createChild(kSpeedButtonClass, parent, id, this);
}

LRESULT CALLBACK SpeedButtonControl::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    SpeedButtonControl* button = controlOf<SpeedButtonControl>(window, message, lParam);
    if (!button || message == WM_NCCREATE) {
        return DefWindowProcW(window, message, wParam, lParam);
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
        wchar_t caption[32]{};
        const int length = GetWindowTextW(window_, caption, static_cast<int>(std::size(caption)));
        theme_->drawSpeedButton(paint.dc(), client,
                                std::u16string_view(reinterpret_cast<const char16_t*>(caption), length), font_,
                                pressed_);
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
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace merulan
