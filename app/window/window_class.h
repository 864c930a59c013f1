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

} // namespace merulan
