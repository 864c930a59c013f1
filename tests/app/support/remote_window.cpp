#include "support/remote_window.h"

#include "platform/win/wide.h"

#include <commctrl.h>
#include <functional>
#include <thread>

namespace merulan::testing {

namespace {

template <class Found>
Found pollFor(std::chrono::milliseconds limit, const std::function<Found()>& look) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (Found found = look()) {
            return found;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            return Found{};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

struct WindowSearch {
    DWORD processId;
    std::u16string_view className;
    HWND owner;
    HWND found;
};

std::u16string classOf(HWND window) {
    wchar_t name[256]{};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return fromWide(name);
}

} // namespace

std::u16string builtMerulanExe() {
    return windowsPathOf(fromWide(std::wstring_view(L"" MERULAN_EXE_PATH)));
}

std::u16string windowsPathOf(std::u16string path) {
    if (!path.empty() && path[0] == u'/') {
        path = u"Z:" + path; // a Unix path of the build, seen through Wine's drive Z:
    }
    for (char16_t& c : path) {
        if (c == u'/') {
            c = u'\\';
        }
    }
    return path;
}

StartedProcess startProcess(const std::u16string& exe) {
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    std::u16string commandLine = u"\"" + exe + u"\"";
    StartedProcess started;
    if (CreateProcessW(wide(exe), wide(commandLine), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        CloseHandle(info.hThread);
        started.handle.reset(info.hProcess);
        started.id = info.dwProcessId;
    }
    return started;
}

DWORD closeAndWait(const StartedProcess& process, std::chrono::milliseconds limit) {
    EnumWindows(
        [](HWND window, LPARAM id) -> BOOL {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == static_cast<DWORD>(id) && IsWindowVisible(window)) {
                PostMessageW(window, WM_CLOSE, 0, 0);
            }
            return TRUE;
        },
        static_cast<LPARAM>(process.id));
    if (WaitForSingleObject(process.handle.get(), static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) {
        TerminateProcess(process.handle.get(), 99);
        WaitForSingleObject(process.handle.get(), 5000);
        return 99;
    }
    DWORD code = 0;
    GetExitCodeProcess(process.handle.get(), &code);
    return code;
}

HWND waitForWindow(DWORD processId, std::u16string_view className, std::chrono::milliseconds limit) {
    return pollFor<HWND>(limit, [&]() -> HWND {
        WindowSearch search{processId, className, nullptr, nullptr};
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto& s = *reinterpret_cast<WindowSearch*>(data);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner == s.processId && IsWindowVisible(window) && classOf(window) == s.className) {
                    s.found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    });
}

HWND waitForBox(HWND owner, std::chrono::milliseconds limit) {
    return pollFor<HWND>(limit, [&]() -> HWND {
        WindowSearch search{0, u"#32770", owner, nullptr};
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto& s = *reinterpret_cast<WindowSearch*>(data);
                if (GetWindow(window, GW_OWNER) == s.owner && IsWindowVisible(window) &&
                    classOf(window) == s.className) {
                    s.found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    });
}

HWND findChild(HWND parent, std::u16string_view className) {
    return FindWindowExW(parent, nullptr, reinterpret_cast<const wchar_t*>(std::u16string(className).c_str()), nullptr);
}

std::u16string remoteText(HWND window) {
    wchar_t text[2048]{};
    SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return fromWide(text);
}

std::u16string boxMessage(HWND box) {
    // The message is the static control with the id 0xFFFF; the icon is another static.
    const HWND text = GetDlgItem(box, 0xFFFF);
    return text ? remoteText(text) : std::u16string();
}

std::vector<std::u16string> remoteTreeTexts(HWND tree) {
    std::vector<std::u16string> texts;
    DWORD processId = 0;
    GetWindowThreadProcessId(tree, &processId);
    const UniqueKernelHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (!process) {
        return texts;
    }
    constexpr size_t kTextChars = 512;
    const size_t bytes = sizeof(TVITEMW) + kTextChars * sizeof(wchar_t);
    void* remote = VirtualAllocEx(process.get(), nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
    if (!remote) {
        return texts;
    }
    auto* remoteText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote) + sizeof(TVITEMW));
    // Depth-first, as the tree shows its nodes.
    std::vector<HTREEITEM> pending;
    auto next = [&](HTREEITEM item, UINT relation) {
        return reinterpret_cast<HTREEITEM>(
            SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    };
    for (HTREEITEM item = next(nullptr, TVGN_ROOT); item;) {
        TVITEMW data{};
        data.mask = TVIF_TEXT;
        data.hItem = item;
        data.pszText = remoteText;
        data.cchTextMax = static_cast<int>(kTextChars);
        WriteProcessMemory(process.get(), remote, &data, sizeof(data), nullptr);
        SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote));
        wchar_t text[kTextChars]{};
        ReadProcessMemory(process.get(), remoteText, text, sizeof(text) - sizeof(wchar_t), nullptr);
        texts.push_back(fromWide(text));
        if (HTREEITEM child = next(item, TVGN_CHILD)) {
            if (HTREEITEM sibling = next(item, TVGN_NEXT)) {
                pending.push_back(sibling);
            }
            item = child;
        } else if (HTREEITEM sibling = next(item, TVGN_NEXT)) {
            item = sibling;
        } else if (!pending.empty()) {
            item = pending.back();
            pending.pop_back();
        } else {
            item = nullptr;
        }
    }
    VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    return texts;
}

bool centredOnWorkAreaOf(HWND box, HWND window) {
    RECT boxRect{};
    GetWindowRect(box, &boxRect);
    MONITORINFO monitor{sizeof(monitor)};
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const auto withinAPixel = [](long a, long b) { return a - b <= 1 && b - a <= 1; };
    return withinAPixel((boxRect.left + boxRect.right) / 2, (monitor.rcWork.left + monitor.rcWork.right) / 2) &&
           withinAPixel((boxRect.top + boxRect.bottom) / 2, (monitor.rcWork.top + monitor.rcWork.bottom) / 2);
}

} // namespace merulan::testing
