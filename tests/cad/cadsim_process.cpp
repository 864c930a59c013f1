#include "cad/cadsim_process.h"

#include "platform/win/wide.h"
#include "text/u16text.h"
#include "text/utf8.h"
#include "tools/cadsim/log_text.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace merulan::testing {

namespace {

using namespace std::chrono_literals;

void pumpOwnMessages() {
    // A wait handles the window system's events that have arrived (under Wine, the X events).
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

struct LogLine {
    std::string window;
    std::string event;
    std::string rest;
    unsigned long long milliseconds = 0;
};

LogLine parseLogLine(const std::string& line) {
    LogLine parsed;
    const size_t first = line.find(' ');
    const size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
    if (second == std::string::npos) {
        return parsed;
    }
    parsed.milliseconds = std::stoull(line.substr(0, first));
    parsed.window = line.substr(first + 1, second - first - 1);
    const size_t third = line.find(' ', second + 1);
    parsed.event = line.substr(second + 1, third == std::string::npos ? std::string::npos : third - second - 1);
    parsed.rest = third == std::string::npos ? "" : line.substr(third + 1);
    return parsed;
}

Received receivedOf(const LogLine& line) {
    Received received;
    received.window = line.window;
    received.event = line.event;
    received.milliseconds = line.milliseconds;
    if (line.event == "WM_COPYDATA") {
        received.dwData = logField(line.rest, "dwData");
        received.cbData = logField(line.rest, "cbData");
        const size_t text = line.rest.find("text=");
        received.text = cadsim::unescapeLogText(line.rest.substr(text + 5));
    } else if (line.event == "WM_CHAR") {
        received.character = static_cast<unsigned>(std::stoul(line.rest));
    }
    return received;
}

// A posted WM_NULL may be overtaken by a message sent later. The k-th WM_NULL is put right after the k-th copy
// when it came after it; any other order is left for the comparison to show.
std::vector<Received> withNullsAfterTheirCopies(const std::vector<Received>& received) {
    std::vector<Received> copies;
    std::vector<Received> nulls;
    std::vector<Received> others;
    for (const Received& r : received) {
        if (r.event == "WM_COPYDATA") {
            copies.push_back(r);
        } else if (r.event == "WM_NULL") {
            if (nulls.size() >= copies.size()) {
                return received;
            }
            nulls.push_back(r);
        } else {
            others.push_back(r);
        }
    }
    if (!others.empty() || nulls.size() != copies.size()) {
        return received;
    }
    std::vector<Received> ordered;
    for (size_t i = 0; i < copies.size(); ++i) {
        ordered.push_back(copies[i]);
        ordered.push_back(nulls[i]);
    }
    return ordered;
}

} // namespace

void PrintTo(const Received& received, std::ostream* os) {
    *os << "{" << received.window << " " << received.event;
    if (received.event == "WM_COPYDATA") {
        *os << " dwData=" << received.dwData << " cbData=" << received.cbData << " text=\""
            << cadsim::escapeLogText(received.text) << "\"";
    } else if (received.event == "WM_CHAR") {
        *os << " " << received.character;
    }
    *os << " @" << received.milliseconds << "}";
}

std::vector<Received> copyDataOf(std::u16string_view text) {
    Received copy;
    copy.window = "main";
    copy.event = "WM_COPYDATA";
    copy.dwData = 1;
    copy.cbData = (text.size() + 1) * 2;
    copy.text = std::u16string(text);
    Received null;
    null.window = "main";
    null.event = "WM_NULL";
    return {copy, null};
}

std::vector<Received> keystrokesOf(std::u16string_view text) {
    std::vector<Received> result;
    for (const char16_t unit : text) {
        Received key;
        key.window = "edit";
        key.event = "WM_CHAR";
        key.character = unit;
        result.push_back(key);
    }
    return result;
}

std::vector<Received> operator+(std::vector<Received> a, const std::vector<Received>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<std::string> readLogLines(const std::u16string& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (in.eof()) {
            break; // a line still being written
        }
        lines.push_back(line);
    }
    return lines;
}

std::string waitForLogLine(const std::u16string& path, std::string_view part, std::chrono::milliseconds deadline) {
    return waitForLogLine(
        path, [&](const std::string& line) { return line.find(part) != std::string::npos; }, deadline);
}

std::string waitForLogLine(const std::u16string& path, const std::function<bool(const std::string&)>& matches,
                           std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    for (;;) {
        for (const std::string& line : readLogLines(path)) {
            if (matches(line)) {
                return line;
            }
        }
        if (std::chrono::steady_clock::now() > end) {
            return {};
        }
        pumpOwnMessages();
        std::this_thread::sleep_for(5ms);
    }
}

unsigned long long logField(const std::string& line, std::string_view name) {
    std::string key(1, ' ');
    key += name;
    key += '=';
    std::string spaced(1, ' ');
    spaced += line;
    const size_t at = spaced.find(key);
    if (at == std::string::npos) {
        throw std::runtime_error("no field " + std::string(name) + " in: " + line);
    }
    return std::stoull(line.substr(at + key.size() - 1));
}

std::u16string CadSim::programPath() {
    return std::u16string(folderOf(executablePath())) + u"cadsim.exe";
}

std::u16string CadSim::commandLineArgument(std::u16string_view argument) {
    if (argument.find(u'"') != std::u16string_view::npos) {
        throw std::invalid_argument("no double quotes in cadsim arguments");
    }
    std::u16string quoted(1, u'"');
    quoted += argument;
    quoted += u'"';
    return quoted;
}

CadSim::CadSim(const std::vector<std::u16string>& arguments)
    : logPath_(dir_.u16(u"cadsim.log")),
      hangs_(std::find(arguments.begin(), arguments.end(), u"--hang") != arguments.end()) {
    std::u16string commandLine = commandLineArgument(programPath());
    for (const std::u16string& argument : arguments) {
        commandLine += u' ';
        commandLine += commandLineArgument(argument);
    }
    commandLine += u" --log " + commandLineArgument(logPath_) + u" --watch-pid " + decimalText(GetCurrentProcessId());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    const std::u16string program = programPath();
    if (!CreateProcessW(wide(program), wide(commandLine), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process_)) {
        throw std::runtime_error("cannot start cadsim: " + toUtf8(systemErrorText(GetLastError())));
    }
    const std::string ready = waitForLogLine(logPath_, " ready ");
    for (const std::string& line : readLogLines(logPath_)) {
        if (line.find(" error ") != std::string::npos) {
            close();
            throw std::runtime_error("cadsim: " + line);
        }
    }
    if (ready.empty()) {
        close();
        throw std::runtime_error("cadsim did not get ready");
    }
    window_ = reinterpret_cast<HWND>(logField(ready, "hwnd"));
    edit_ = reinterpret_cast<HWND>(logField(ready, "edit"));
}

CadSim::~CadSim() {
    close();
}

void CadSim::sync() {
    const unsigned sync = ++syncs_;
    const auto hung = [&] {
        const auto lines = readLogLines(logPath_);
        return std::any_of(lines.begin(), lines.end(),
                           [](const std::string& line) { return line.ends_with(" main hang"); });
    };
    if (window_ && !(hangs_ && hung()) && PostMessageW(window_, cadsim::kSyncMessage, sync, 0)) {
        const std::string expected = "main sync " + std::to_string(sync);
        waitForLogLine(logPath_, [&](const std::string& line) {
            return line.size() > expected.size() && line.ends_with(" " + expected);
        });
    }
}

std::vector<Received> CadSim::takeMessages() {
    sync();
    std::vector<Received> all;
    for (const std::string& line : readLogLines(logPath_)) {
        const LogLine parsed = parseLogLine(line);
        if (parsed.event == "WM_COPYDATA" || parsed.event == "WM_NULL" || parsed.event == "WM_CHAR") {
            all.push_back(receivedOf(parsed));
        }
    }
    std::vector<Received> fresh(all.begin() + static_cast<std::ptrdiff_t>(std::min(taken_, all.size())), all.end());
    taken_ = all.size();
    return withNullsAfterTheirCopies(fresh);
}

void CadSim::close() {
    if (!process_.hProcess) {
        return;
    }
    const bool asked = !hangs_ && window_ && PostMessageW(window_, WM_CLOSE, 0, 0);
    if (!asked || WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    process_ = {};
}

ForegroundProbe::ForegroundProbe(CadSim* cad) {
    if (cad) {
        cad->sync(); // its own activation at start is done with
    }
    window_ = CreateWindowExW(0, L"Static", L"probe", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 120, 60, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(window_);
    // Under Wine, GetCursorPos asks the X server, a round trip: once it returns, the server has carried out our
    // focus change and sent the focus events. Both processes then handle theirs, so that none arrives after the
    // sender under test has activated the CAD (the CAD would hand the foreground to the desktop).
    POINT unused{};
    GetCursorPos(&unused);
    pumpOwnMessages();
    if (cad) {
        cad->sync();
    }
    foregroundWindowAfterSettling(window_);
}

ForegroundProbe::~ForegroundProbe() {
    if (window_) {
        DestroyWindow(window_);
    }
}

HWND foregroundWindowAfterSettling(HWND expected, std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    HWND foreground = GetForegroundWindow();
    while (foreground != expected && std::chrono::steady_clock::now() < end) {
        pumpOwnMessages();
        std::this_thread::sleep_for(5ms);
        foreground = GetForegroundWindow();
    }
    return foreground;
}

} // namespace merulan::testing
