#include "app/window/window_class.h"

#include "text/error.h"

#include <string>

namespace merulan {

void registerWindowClass(const WindowClass& windowClass) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{sizeof(existing)};
    if (GetClassInfoExW(instance, windowClass.name, &existing)) {
        return;
    }
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = windowClass.style;
    wc.lpfnWndProc = windowClass.procedure;
    wc.hInstance = instance;
    if (windowClass.iconResource) {
        wc.hIcon = LoadIconW(instance, windowClass.iconResource);
        wc.hIconSm =
            static_cast<HICON>(LoadImageW(instance, windowClass.iconResource, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                          GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    }
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = windowClass.name;
    if (!RegisterClassExW(&wc)) {
        throw MerulanError(std::u16string(kCannotRegisterClassMessage));
    }
}

HWND requireWindow(HWND window) {
    if (!window) {
        throw MerulanError(std::u16string(kCannotCreateWindowMessage));
    }
    return window;
}

HWND createChildWindow(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, HWND parent, int id,
                       void* param) {
    return requireWindow(CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0,
                                         0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                         GetModuleHandleW(nullptr), param));
}

} // namespace merulan
