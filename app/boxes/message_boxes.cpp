#include "app/boxes/message_boxes.h"

#include "app/boxes/error_box_text.h"
#include "platform/win/wide.h"

#include <commctrl.h>

namespace merulan {

namespace {

// MessageBoxW places its box itself; a CBT hook on this thread catches the box's first activation to
// centre it on the screen of its owner and to give it the palette's colours.
struct BoxStyling {
    const Theme* theme = nullptr;
    HWND owner = nullptr;
    HHOOK hook = nullptr;
    bool done = false;
};
thread_local BoxStyling* currentStyling = nullptr;

constexpr UINT_PTR kBoxSubclassId = 0x4D65; // any value of our own

LRESULT CALLBACK boxSubclass(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    const auto* theme = reinterpret_cast<const Theme*>(data);
    switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (const auto brush = theme->controlColour(message, reinterpret_cast<HDC>(wParam))) {
            return *brush;
        }
        break;
    case WM_ERASEBKGND:
        if (theme->ownColours()) {
            RECT client{};
            GetClientRect(box, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, theme->windowBrush());
            return TRUE;
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(box, boxSubclass, kBoxSubclassId);
        break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

void centreOnScreen(HWND box, HWND owner) {
    const HMONITOR monitor =
        owner ? MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST) : MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{sizeof(info)};
    RECT boxRect{};
    if (!GetMonitorInfoW(monitor, &info) || !GetWindowRect(box, &boxRect)) {
        return;
    }
    const RECT& area = info.rcWork;
    const int width = boxRect.right - boxRect.left;
    const int height = boxRect.bottom - boxRect.top;
    const int left = area.left + (area.right - area.left - width) / 2;
    const int top = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(box, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK cbtHook(int code, WPARAM wParam, LPARAM lParam) {
    BoxStyling* styling = currentStyling;
    if (styling && code == HCBT_ACTIVATE && !styling->done) {
        const auto box = reinterpret_cast<HWND>(wParam);
        wchar_t className[16]{};
        GetClassNameW(box, className, static_cast<int>(std::size(className)));
        if (std::wstring_view(className) == L"#32770") {
            styling->done = true;
            centreOnScreen(box, styling->owner);
            styling->theme->applyToDialog(box);
            if (styling->theme->ownColours()) {
                SetWindowSubclass(box, boxSubclass, kBoxSubclassId, reinterpret_cast<DWORD_PTR>(styling->theme));
            }
        }
    }
    return CallNextHookEx(styling ? styling->hook : nullptr, code, wParam, lParam);
}

int styledMessageBox(HWND owner, const std::u16string& text, const std::u16string& title, UINT flags,
                     const Theme& theme) {
    BoxStyling styling{&theme, owner};
    BoxStyling* const outer = currentStyling;
    currentStyling = &styling;
    styling.hook = SetWindowsHookExW(WH_CBT, cbtHook, nullptr, GetCurrentThreadId());
    const int answer = MessageBoxW(owner, wide(text), wide(title), flags);
    if (styling.hook) {
        UnhookWindowsHookEx(styling.hook);
    }
    currentStyling = outer;
    return answer;
}

} // namespace

std::u16string applicationTitle(std::u16string_view executablePath) {
    std::u16string title(errorBoxTitleStem(executablePath));
    if (title.size() > 1) {
        // The first character may be a surrogate pair: lower-case from the character after it.
        const size_t first = (title[0] >= 0xD800 && title[0] <= 0xDBFF && title.size() > 2) ? 2 : 1;
        CharLowerBuffW(reinterpret_cast<wchar_t*>(title.data() + first), static_cast<DWORD>(title.size() - first));
    }
    return title;
}

void showInformationBox(HWND owner, const std::u16string& text, const Theme& theme) {
    styledMessageBox(owner, text, std::u16string(kInformationTitle), MB_OK | MB_ICONINFORMATION | MB_DEFBUTTON1, theme);
}

void showErrorBox(HWND owner, const std::u16string& title, const std::u16string& text, const Theme& theme) {
    styledMessageBox(owner, text, title, MB_OK | MB_ICONSTOP, theme);
}

bool askYesNoBox(HWND owner, const std::u16string& text, const Theme& theme) {
    return styledMessageBox(owner, text, std::u16string(kInformationTitle),
                            MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON1, theme) == IDYES;
}

} // namespace merulan
