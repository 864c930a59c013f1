#include "cadCtrl2023/cadCtrl2023.h"

#include "platform/win/wide.h"
#include "text/u16text.h"

#include <algorithm>
#include <array>
#include <string>

namespace merulan::cadCtrl2023 {

HWND hAutoCad = nullptr;
HWND hBricsCad = nullptr;
HWND hIJCad = nullptr;
HWND hIJCadCmdLine = nullptr;

namespace {

constexpr char16_t kEsc = 27;
constexpr char16_t kCtrlC = 3;

// Cut to kWindowTextUnits - 1 characters: the tests look at how a name begins, and a title may be long.
std::u16string windowTitle(HWND window) {
    std::array<wchar_t, kWindowTextUnits> buffer{};
    const int length = GetWindowTextW(window, buffer.data(), kWindowTextUnits);
    return fromWide(std::wstring_view(buffer.data(), length > 0 ? static_cast<size_t>(length) : 0));
}

std::u16string className(HWND window) {
    std::array<wchar_t, kWindowTextUnits> buffer{};
    const int length = GetClassNameW(window, buffer.data(), kWindowTextUnits);
    return fromWide(std::wstring_view(buffer.data(), length > 0 ? static_cast<size_t>(length) : 0));
}

// MFC frame classes: "Afx:<instance>:<style>:..." where style 8 is CS_DBLCLKS, or the registered MDI frame.
bool isAutoCadClass(std::u16string_view name) {
    return (beginsWith(name, u"Afx:") && contains(name, u":8:")) || beginsWith(name, u"AfxMDIFrame");
}

bool isAutoCadTitle(std::u16string_view title) {
    return beginsWith(title, u"DWG TrueView ") || beginsWith(title, u"AutoCAD ") || beginsWith(title, u"Autodesk ");
}

HWND nextWindow(HWND window, UINT relation) {
    return window ? GetWindow(window, relation) : nullptr;
}

CadSendResult copyDataResult(std::u16string_view text) {
    return {true, text.size() > kCopyDataMaxChars};
}

} // namespace

HWND findAutoCadWindow() {
    hAutoCad = FindWindowW(L"AfxMDIFrame140u", nullptr);
    if (hAutoCad) {
        return hAutoCad;
    }
    return enumAutoCadWindow();
}

HWND enumAutoCadWindow() {
    EnumWindows(enumAutoCadProc, 0);
    return hAutoCad;
}

BOOL CALLBACK enumAutoCadProc(HWND window, LPARAM) {
    const std::u16string title = windowTitle(window);
    if (title.empty() || !isAutoCadTitle(title) || !isAutoCadClass(className(window))) {
        return TRUE;
    }
    hAutoCad = window;
    return FALSE;
}

HWND findBricsCadWindow() {
    hBricsCad = FindWindowW(L"BricscadMainWindow", nullptr);
    return hBricsCad;
}

HWND findIJCadWindow() {
    EnumWindows(enumIJCadProc, 0);
    return hIJCad;
}

BOOL CALLBACK enumIJCadProc(HWND window, LPARAM) {
    const std::u16string title = windowTitle(window);
    if (title.empty() || !beginsWith(title, u"IJCAD 20") || !beginsWith(className(window), u"Afx:")) {
        return TRUE;
    }
    hIJCad = window;
    return FALSE;
}

BOOL CALLBACK enumIJCadCmdLineProc(HWND window, LPARAM) {
    const std::u16string title = windowTitle(window);
    if (title.empty() || !beginsWith(title, u"コマンド ライン") || !beginsWith(className(window), u"Afx:")) {
        return TRUE;
    }
    hIJCadCmdLine = window;
    return FALSE;
}

HWND findIJCadEditWindow() {
    if (hIJCad) {
        EnumChildWindows(hIJCad, enumIJCadCmdLineProc, 0);
    }
    // The command-line window holds the history first, then a pane whose first child is the input line.
    const HWND history = nextWindow(hIJCadCmdLine, GW_CHILD);
    const HWND pane = nextWindow(history, GW_HWNDNEXT);
    const HWND edit = nextWindow(pane, GW_CHILD);
    return edit && IsWindow(edit) ? edit : nullptr;
}

void bringToFront(HWND window) {
    if (IsIconic(window)) {
        OpenIcon(window);
    }
    SetForegroundWindow(window);
}

bool sendCopyData(HWND window, std::u16string_view text) {
    if (!IsWindowEnabled(window)) {
        return false;
    }
    if (text.size() > kCopyDataMaxChars) {
        return false;
    }
    std::array<wchar_t, kCopyDataBufferUnits> buffer{};
    std::copy(text.begin(), text.end(), buffer.begin());
    buffer[text.size()] = L'\0';
    COPYDATASTRUCT data{};
    data.dwData = 1;
    data.cbData = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    data.lpData = buffer.data();
    SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    // Lets a CAD that waits for input notice the new command line at once.
    PostMessageW(window, WM_NULL, 0, 0);
    return true;
}

void sendKeystrokes(HWND editWindow, std::u16string_view text) {
    for (const char16_t unit : text) {
        SendMessageW(editWindow, WM_CHAR, unit, 0);
    }
}

CadSendResult sendToAutoCad(std::u16string_view text) {
    // AutoCAD cancels with Ctrl+C; the palette's callers speak ESC for every CAD.
    std::u16string copy(text);
    std::replace(copy.begin(), copy.end(), kEsc, kCtrlC);
    if (!findAutoCadWindow()) {
        return {};
    }
    bringToFront(hAutoCad);
    sendCopyData(hAutoCad, copy);
    return copyDataResult(copy);
}

CadSendResult sendToBricsCad(std::u16string_view text) {
    if (!findBricsCadWindow()) {
        return {};
    }
    bringToFront(hBricsCad);
    sendCopyData(hBricsCad, text);
    return copyDataResult(text);
}

CadSendResult sendToIJCad(std::u16string_view text) {
    if (!findIJCadWindow()) {
        return {};
    }
    // A kept window that has closed since yields no title.
    const std::u16string title = windowTitle(hIJCad);
    if (title.empty()) {
        return {};
    }
    if (contains(title, u"Intelli")) {
        bringToFront(hIJCad);
        sendCopyData(hIJCad, text);
        return copyDataResult(text);
    }
    const HWND edit = findIJCadEditWindow();
    if (!edit) {
        return {};
    }
    bringToFront(hIJCad);
    sendKeystrokes(edit, text);
    return {true, false};
}

} // namespace merulan::cadCtrl2023
