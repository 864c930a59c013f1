// A tooltip over one control, its text changeable at run time.
#pragma once

#include <string>
#include <windows.h>

namespace merulan {

class ToolTip {
public:
    // The tip belongs to owner (the system destroys it with the owner) and shows over control.
    void create(HWND owner, HWND control, const std::u16string& text);
    void setText(const std::u16string& text);
    const std::u16string& text() const { return text_; }
    HWND handle() const { return window_; }

private:
    HWND window_ = nullptr;
    HWND control_ = nullptr;
    std::u16string text_;
};

} // namespace merulan
