#include "tools/cadsim/sim_window.h"

#include "platform/win/wide.h"
#include "text/error.h"
#include "text/utf8.h"
#include "tools/cadsim/log_text.h"

#include <string>

namespace merulan::cadsim {

namespace {

constexpr wchar_t kDockClass[] = L"AfxControlBar140u";
constexpr wchar_t kCommandLineClass[] = L"Afx:00400000:0:00010003:00000006:00000000";
constexpr wchar_t kPaneClass[] = L"AfxWnd140u";
constexpr wchar_t kCommandLineTitle[] = L"コマンド ライン";
constexpr UINT_PTR kShowLineTimer = 1;

void registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    if (!RegisterClassExW(&windowClass)) {
        throw MerulanError(u"cadsim: cannot register the class " + fromWide(name));
    }
}

HWND createChild(HWND parent, const wchar_t* className, const wchar_t* title, DWORD style) {
    const HWND child = CreateWindowExW(0, className, title, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | style, 0, 0, 10,
                                       10, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!child) {
        throw MerulanError(u"cadsim: cannot create a child window of class " + fromWide(className));
    }
    return child;
}

void addLine(HWND list, std::u16string_view text) {
    const std::u16string line(text);
    const LRESULT index = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(line)));
    SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

std::string handleText(HWND window) {
    return std::to_string(reinterpret_cast<unsigned long long>(window));
}

} // namespace

SimWindow::SimWindow(HINSTANCE instance, const CadSimOptions& options, MessageLog& log, HANDLE watched)
    : log_(log), watched_(watched), busyMilliseconds_(options.busyMilliseconds), hang_(options.hang) {
    registerClass(instance, wide(options.className), mainProc);
    font_ = CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"MS UI Gothic");
    main_ = CreateWindowExW(0, wide(options.className), wide(options.title), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                            CW_USEDEFAULT, CW_USEDEFAULT, 640, 420, nullptr, nullptr, instance, this);
    if (!main_) {
        throw MerulanError(u"cadsim: cannot create the main window");
    }
    list_ = createChild(main_, L"ListBox", L"", WS_VSCROLL | WS_BORDER | LBS_NOINTEGRALHEIGHT | LBS_NOSEL);
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    if (options.commandLine) {
        createCommandLine(instance);
    }
    layout();
    if (options.disabled) {
        EnableWindow(main_, FALSE);
    }
    ShowWindow(main_, options.minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL);
    UpdateWindow(main_);

    const std::u16string commandLine = fromWide(GetCommandLineW());
    record("main", "start " + escapeLogText(commandLine), u"start " + commandLine);
    if (options.commandLine && !commandLineLooksRight()) {
        record("main", "error the command-line window is not built as IJCAD's");
    }
    record("main", "ready pid=" + std::to_string(GetCurrentProcessId()) + " hwnd=" + handleText(main_) +
                       " edit=" + handleText(edit_) + " kind=" + toUtf8(options.kind) +
                       " class=" + escapeLogText(options.className) + " title=" + escapeLogText(options.title));
    if (options.busyFromStartMilliseconds) {
        record("main", "busy " + std::to_string(options.busyFromStartMilliseconds));
        stall(options.busyFromStartMilliseconds);
    }
}

SimWindow::~SimWindow() {
    if (main_ && IsWindow(main_)) {
        DestroyWindow(main_);
    }
    if (font_) {
        DeleteObject(font_);
    }
}

void SimWindow::createCommandLine(HINSTANCE instance) {
    registerClass(instance, kDockClass, DefWindowProcW);
    registerClass(instance, kCommandLineClass, DefWindowProcW);
    registerClass(instance, kPaneClass, DefWindowProcW);
    // The order of creation is the order GetWindow walks: the history first, then the pane with the input line.
    dock_ = createChild(main_, kDockClass, L"", 0);
    commandLine_ = createChild(dock_, kCommandLineClass, kCommandLineTitle, 0);
    history_ = createChild(commandLine_, L"ListBox", L"", WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL);
    pane_ = createChild(commandLine_, kPaneClass, L"", 0);
    edit_ = createChild(pane_, L"Edit", L"", WS_BORDER | ES_AUTOHSCROLL);
    for (const HWND control : {history_, edit_}) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    SetWindowLongPtrW(edit_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    editDefault_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SimWindow::editProc)));
    addLine(history_, u"コマンド:");
}

bool SimWindow::commandLineLooksRight() const {
    const HWND first = GetWindow(commandLine_, GW_CHILD);
    const HWND second = first ? GetWindow(first, GW_HWNDNEXT) : nullptr;
    return first == history_ && second == pane_ && GetWindow(pane_, GW_CHILD) == edit_;
}

void SimWindow::layout() {
    RECT client{};
    GetClientRect(main_, &client);
    const int width = client.right;
    const int height = client.bottom;
    const int dockHeight = dock_ ? 120 : 0;
    const int inputHeight = 26;
    MoveWindow(list_, 0, 0, width, height - dockHeight, TRUE);
    if (dock_) {
        MoveWindow(dock_, 0, height - dockHeight, width, dockHeight, TRUE);
        MoveWindow(commandLine_, 0, 0, width, dockHeight, TRUE);
        MoveWindow(history_, 0, 0, width, dockHeight - inputHeight, TRUE);
        MoveWindow(pane_, 0, dockHeight - inputHeight, width, inputHeight, TRUE);
        MoveWindow(edit_, 0, 0, width, inputHeight, TRUE);
    }
}

void SimWindow::record(std::string_view window, std::string_view event) {
    const std::string shown = log_.write(window, event);
    if (list_) {
        addLine(list_, fromUtf8(shown));
    }
}

void SimWindow::record(std::string_view window, std::string_view event, std::u16string_view shown) {
    log_.write(window, event);
    if (list_) {
        addLine(list_, fromUtf8(window) + u" " + std::u16string(shown));
    }
}

// Every delivery is logged, then answered, then shown: the palette waits for the answer, not for our list.
void SimWindow::onCopyData(const COPYDATASTRUCT& data) {
    std::u16string_view units;
    if (data.lpData) {
        units = std::u16string_view(static_cast<const char16_t*>(data.lpData), data.cbData / sizeof(char16_t));
    }
    // A copy: the data is only ours until we answer.
    const std::u16string text(units.substr(0, units.find(u'\0')));
    const std::string fields =
        "WM_COPYDATA dwData=" + std::to_string(data.dwData) + " cbData=" + std::to_string(data.cbData) + " text=";
    log_.write("main", fields + escapeLogText(text));
    ReplyMessage(TRUE);
    addLine(list_, u"main " + fromUtf8(fields) + displayText(text));
    stallAfterFirstDelivery();
}

// The input line acts on a carriage return and the cancel characters as a command line does. What is typed is
// shown by a timer and keystrokes are listed together when one of those arrives: showing each one at once
// would make every keystroke, and so the palette's keystroke delivery, several times slower.
void SimWindow::onEditChar(WPARAM character) {
    log_.write("edit", "WM_CHAR " + std::to_string(character));
    ReplyMessage(0);
    typed_ += static_cast<char16_t>(character);
    if (character >= 32) {
        line_ += static_cast<char16_t>(character);
        if (!lineTimer_) {
            lineTimer_ = SetTimer(main_, kShowLineTimer, 50, nullptr) != 0;
        }
    } else {
        addLine(list_,
                u"edit WM_CHAR ×" + fromUtf8(std::to_string(typed_.size())) + u" " + fromUtf8(escapeLogText(typed_)));
        typed_.clear();
        if (character == '\r') {
            addLine(history_, u"コマンド: " + line_);
        }
        if (character == '\r' || character == 27 || character == 3) {
            line_.clear();
        }
        SetWindowTextW(edit_, wide(line_));
    }
    stallAfterFirstDelivery();
}

// --busy and --hang: after the first delivery has been answered, take no message for a while, or never again.
void SimWindow::stallAfterFirstDelivery() {
    const bool first = !delivered_;
    delivered_ = true;
    if (!first || (!hang_ && busyMilliseconds_ == 0)) {
        return;
    }
    record("main", hang_ ? std::string("hang") : "busy " + std::to_string(busyMilliseconds_));
    stall(hang_ ? INFINITE : busyMilliseconds_);
}

void SimWindow::stall(unsigned long milliseconds) {
    if (watched_) {
        if (WaitForSingleObject(watched_, milliseconds) == WAIT_OBJECT_0) {
            ExitProcess(0);
        }
    } else {
        Sleep(milliseconds);
    }
    record("main", "awake");
}

LRESULT CALLBACK SimWindow::mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<SimWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        switch (message) {
        case WM_COPYDATA:
            self->onCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
            return TRUE;
        case WM_NULL:
            self->record("main", "WM_NULL");
            return 0;
        case kSyncMessage:
            // Posted by a test after its own posts: once logged, everything posted before is logged too. The
            // window system's events that have arrived are handled first (a wait does that under Wine), so that
            // a focus change the test made before is not acted upon later.
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
            self->record("main", "sync " + std::to_string(wParam));
            return 0;
        case WM_TIMER:
            if (wParam == kShowLineTimer) {
                KillTimer(window, kShowLineTimer);
                self->lineTimer_ = false;
                SetWindowTextW(self->edit_, wide(self->line_));
                return 0;
            }
            break;
        case WM_CHAR:
            self->record("main", "WM_CHAR " + std::to_string(wParam));
            return 0;
        case WM_SIZE:
            if (self->list_) {
                self->layout();
            }
            return 0;
        case WM_DESTROY:
            self->main_ = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            break;
        }
    } catch (...) {
        // A failed log line must not take the simulated CAD down.
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK SimWindow::editProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<SimWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    try {
        if (message == WM_CHAR) {
            self->onEditChar(wParam);
            return 0;
        }
    } catch (...) {
    }
    return CallWindowProcW(self->editDefault_, window, message, wParam, lParam);
}

} // namespace merulan::cadsim
