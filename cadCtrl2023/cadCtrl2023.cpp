#include "cadCtrl2023/cadCtrl2023.h"

#include "platform/win/wide.h"
#include "platform/win/window_text.h"
#include "text/u16text.h"

#include <algorithm>
#include <array>
#include <chrono>
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
    return windowTextUpTo(window, kWindowTextUnits - 1);
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

CadSendResult resultOf(LRESULT sent, DWORD error) {
    if (sent) {
        return CadSendResult::Sent;
    }
    switch (error) {
    case ERROR_ACCESS_DENIED: // user interface privilege isolation: the receiver runs with higher rights
        return CadSendResult::Blocked;
    case ERROR_INVALID_WINDOW_HANDLE: // closed since it was found, or while it handled the message
        return CadSendResult::NotFound;
    default:
        // ERROR_TIMEOUT, and any failure that leaves open whether the message will still be handled.
        return CadSendResult::NotResponding;
    }
}

// One message, waited for until the deadline at most. A message whose wait ran out may still be handled by the
// CAD later, so no caller sends it again. SMTO_NORMAL keeps handling what other programs send us meanwhile.
// SMTO_ABORTIFHUNG is not used here: bringing the CAD forward has just woken it, and a CAD that had been idle for
// more than 5 seconds counts as hung until it reads that wake-up, so the first delivery after a pause would
// often fail at once. Whether the CAD already hangs is asked before it is woken (broughtForward).
CadSendResult deliver(const MessageSend& send, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                      DeliveryDeadline deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - DeliveryClock::now());
    if (left.count() <= 0) {
        return CadSendResult::NotSentInTime;
    }
    DWORD_PTR reply = 0;
    SetLastError(ERROR_SUCCESS);
    const LRESULT sent =
        send(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ERRORONEXIT, static_cast<UINT>(left.count()), &reply);
    return resultOf(sent, GetLastError());
}

// A CAD that the system already counts as hung (it has taken no message for 5 seconds and does not wait for
// one) is given up at once and not brought forward; any other is brought to the front.
bool broughtForward(HWND window) {
    if (IsHungAppWindow(window)) {
        return false;
    }
    bringToFront(window);
    return true;
}

CadSendResult bringForwardAndCopy(HWND window, std::u16string_view text, DeliveryDeadline deadline) {
    if (text.size() > kCopyDataMaxChars) {
        return CadSendResult::TooLong;
    }
    return broughtForward(window) ? sendCopyData(window, text, deadline) : CadSendResult::NotSentInTime;
}

// The title of the IJCAD window a search finds, empty when there is none (a kept window that has closed
// since yields no title).
std::u16string foundIJCadTitle() {
    return findIJCadWindow() ? windowTitle(hIJCad) : std::u16string();
}

struct RunningCad {
    HWND window; // null when that CAD does not run
    TargetCad cad;
};

struct FrontmostSearch {
    std::array<RunningCad, 3> candidates;
    std::optional<TargetCad> found;
};

// EnumWindows walks the top-level windows from the top of the window order: the first candidate met wins.
BOOL CALLBACK enumFrontmostProc(HWND window, LPARAM search) {
    auto& frontmost = *reinterpret_cast<FrontmostSearch*>(search);
    for (const RunningCad& candidate : frontmost.candidates) {
        if (candidate.window == window) {
            frontmost.found = candidate.cad;
            return FALSE;
        }
    }
    return TRUE;
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
        ShowWindowAsync(window, SW_RESTORE);
    }
    SetForegroundWindow(window);
}

CadSendResult sendCopyData(HWND window, std::u16string_view text, DeliveryDeadline deadline, const MessageSend& send) {
    if (text.size() > kCopyDataMaxChars) {
        return CadSendResult::TooLong;
    }
    if (!IsWindowEnabled(window)) {
        return CadSendResult::NotAccepting;
    }
    std::array<wchar_t, kCopyDataBufferUnits> buffer{};
    std::copy(text.begin(), text.end(), buffer.begin());
    buffer[text.size()] = L'\0';
    COPYDATASTRUCT data{};
    data.dwData = 1;
    data.cbData = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    data.lpData = buffer.data();
    const CadSendResult result = deliver(send, window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), deadline);
    if (result == CadSendResult::Sent) {
        // Lets a CAD that waits for input notice the new command line at once.
        PostMessageW(window, WM_NULL, 0, 0);
    }
    return result;
}

CadSendResult sendKeystrokes(HWND editWindow, std::u16string_view text, DeliveryDeadline deadline,
                             const MessageSend& send) {
    // The deadline holds for the whole text: a CAD answering each keystroke slowly must not hold the palette either.
    for (size_t i = 0; i < text.size(); ++i) {
        const CadSendResult result = deliver(send, editWindow, WM_CHAR, text[i], 0, deadline);
        if (result == CadSendResult::Sent) {
            continue;
        }
        // A keystroke whose wait ran out may still arrive; one not sent never does. Either way the text is cut
        // short unless what was or may be taken is all of it, or none of it.
        const bool allMayArrive = result == CadSendResult::NotResponding && i + 1 == text.size();
        const bool noneSent = result == CadSendResult::NotSentInTime && i == 0;
        const bool timedOut = result == CadSendResult::NotResponding || result == CadSendResult::NotSentInTime;
        return timedOut && !allMayArrive && !noneSent ? CadSendResult::CutShort : result;
    }
    return CadSendResult::Sent;
}

CadSendResult sendToAutoCad(std::u16string_view text, DeliveryDeadline deadline) {
    // AutoCAD cancels with Ctrl+C; the palette's callers speak ESC for every CAD.
    std::u16string copy(text);
    std::replace(copy.begin(), copy.end(), kEsc, kCtrlC);
    if (!findAutoCadWindow()) {
        return CadSendResult::NotFound;
    }
    return bringForwardAndCopy(hAutoCad, copy, deadline);
}

CadSendResult sendToBricsCad(std::u16string_view text, DeliveryDeadline deadline) {
    if (!findBricsCadWindow()) {
        return CadSendResult::NotFound;
    }
    return bringForwardAndCopy(hBricsCad, text, deadline);
}

CadSendResult sendToIJCad(std::u16string_view text, DeliveryDeadline deadline) {
    const std::u16string title = foundIJCadTitle();
    if (title.empty()) {
        return CadSendResult::NotFound;
    }
    if (contains(title, u"Intelli")) {
        return bringForwardAndCopy(hIJCad, text, deadline);
    }
    const HWND edit = findIJCadEditWindow();
    if (!edit) {
        return CadSendResult::NotFound;
    }
    if (!broughtForward(hIJCad)) {
        return CadSendResult::NotSentInTime;
    }
    // The input line itself stays enabled under a modal dialog, but what it took then would run behind it.
    if (!IsWindowEnabled(hIJCad)) {
        return CadSendResult::NotAccepting;
    }
    return sendKeystrokes(edit, text, deadline);
}

std::optional<TargetCad> findRunningCad() {
    // Each CAD's window as its own sender finds it, so that the CAD chosen here is the window that receives.
    FrontmostSearch search{{{
        {findAutoCadWindow(), TargetCad::AutoCad},
        {findBricsCadWindow(), TargetCad::BricsCad},
        {foundIJCadTitle().empty() ? nullptr : hIJCad, TargetCad::IJCad},
    }}};
    EnumWindows(enumFrontmostProc, reinterpret_cast<LPARAM>(&search));
    return search.found; // nothing also when every window found has closed since
}

bool ijCadTakesKeystrokes() {
    const std::u16string title = foundIJCadTitle();
    return !title.empty() && !contains(title, u"Intelli");
}

} // namespace merulan::cadCtrl2023
