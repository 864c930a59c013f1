// Registering the palette's window classes and creating its child windows, with the palette's messages.
#pragma once

#include <string_view>
#include <windows.h>

namespace merulan {

inline constexpr std::u16string_view kCannotRegisterClassMessage = u"ウィンドウクラスを登録できません";
inline constexpr std::u16string_view kCannotCreateWindowMessage = u"ウィンドウを作成できません";
inline constexpr std::u16string_view kCannotCreateMenuMessage = u"メニューを作成できません";

struct WindowClass {
    const wchar_t* name;
    WNDPROC procedure;
    UINT style = 0;
    const wchar_t* iconResource = nullptr; // the executable's icon of that name, large and small
};

// Registers the class for this process once; a class of that name already there is kept. Throws
// MerulanError (kCannotRegisterClassMessage).
void registerWindowClass(const WindowClass& windowClass);

// A visible child window with the given id, at no size until laid out; param reaches WM_NCCREATE.
// Throws MerulanError (kCannotCreateWindowMessage).
HWND createChildWindow(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, HWND parent, int id,
                       void* param = nullptr);

// Throws MerulanError (kCannotCreateWindowMessage) when window is null.
HWND requireWindow(HWND window);

// The object a window of ours belongs to: taken from the creation parameter at WM_NCCREATE (the object passed
// as param above) and kept with the window; at WM_NCDESTROY it is handed out a last time and forgotten.
template <class Object>
Object* windowObject(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* object = static_cast<Object*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
        return object;
    }
    auto* object = reinterpret_cast<Object*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    return object;
}

} // namespace merulan
