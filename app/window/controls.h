// The two controls the system does not have: a panel that paints itself, and a push button that
// never takes the keyboard focus. Each object owns nothing but its state; the parent window owns the HWND.
#pragma once

#include "app/look/dark_mode.h"

#include <string>

namespace merulan {

class PanelControl {
public:
    PanelControl() = default;
    PanelControl(const PanelControl&) = delete;
    PanelControl& operator=(const PanelControl&) = delete;

    void create(HWND parent, int id, const Theme& theme);
    HWND handle() const { return window_; }
    COLORREF colour() const { return colour_; }
    void setColour(COLORREF colour);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    HWND window_ = nullptr;
    const Theme* theme_ = nullptr;
    COLORREF colour_ = GetSysColor(COLOR_BTNFACE);
};

// Sends WM_COMMAND / BN_CLICKED to its parent when clicked.
class SpeedButtonControl {
public:
    SpeedButtonControl() = default;
    SpeedButtonControl(const SpeedButtonControl&) = delete;
    SpeedButtonControl& operator=(const SpeedButtonControl&) = delete;

    void create(HWND parent, int id, const Theme& theme);
    HWND handle() const { return window_; }
    bool pressed() const { return pressed_; }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void setPressed(bool pressed);
    bool cursorInside(LPARAM lParam) const;

    HWND window_ = nullptr;
    const Theme* theme_ = nullptr;
    HFONT font_ = nullptr;
    bool tracking_ = false;
    bool pressed_ = false;
};

} // namespace merulan
