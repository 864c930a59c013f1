#include "app/window/tool_tip.h"

#include "platform/win/wide.h"
#include "app/window/window_class.h"

#include <commctrl.h>

namespace merulan {

namespace {

TTTOOLINFOW toolInfo(HWND owner, HWND control, std::u16string& text) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    // The control itself is the tool, and the tip watches its mouse messages by itself.
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = wide(text);
    return tool;
}

} // namespace

void ToolTip::create(HWND owner, HWND control, const std::u16string& text) {
    window_ = requireWindow(CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr), nullptr));
    control_ = control;
    text_ = text;
    TTTOOLINFOW tool = toolInfo(GetParent(control), control, text_);
    SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ToolTip::setText(const std::u16string& text) {
    text_ = text;
    if (!window_) {
        return; // not made yet: create() takes the text it is given
    }
    TTTOOLINFOW tool = toolInfo(GetParent(control_), control_, text_);
    SendMessageW(window_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

} // namespace merulan
