// A cadsim process for one test: started with a private log, read back as the messages it received, closed at
// the end (and by cadsim itself should the test process die first).
#pragma once

#include "support/temp_dir.h"

#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <vector>
#include <windows.h>

namespace merulan::testing {

// One message as cadsim logged it.
struct Received {
    std::string window; // "main" or "edit"
    std::string event;  // "WM_COPYDATA", "WM_NULL", "WM_CHAR"
    unsigned long long dwData = 0;
    unsigned long long cbData = 0;
    std::u16string text;    // the copy-data text up to its NUL
    unsigned character = 0; // WM_CHAR
    unsigned long long milliseconds = 0;

    bool operator==(const Received& other) const {
        return window == other.window && event == other.event && dwData == other.dwData && cbData == other.cbData &&
               text == other.text && character == other.character; // the time is compared on its own
    }
};

void PrintTo(const Received& received, std::ostream* os);

// What a copy-data delivery of text looks like: the copy, then the posted WM_NULL.
std::vector<Received> copyDataOf(std::u16string_view text);
// What a keystroke delivery looks like: one WM_CHAR per unit to the input line.
std::vector<Received> keystrokesOf(std::u16string_view text);
std::vector<Received> operator+(std::vector<Received> a, const std::vector<Received>& b);

class CadSim {
public:
    // The arguments after the program name, for example {u"--kind", u"ijcad"}.
    explicit CadSim(const std::vector<std::u16string>& arguments);
    CadSim(const CadSim&) = delete;
    CadSim& operator=(const CadSim&) = delete;
    ~CadSim();

    HWND window() const { return window_; }
    HWND editWindow() const { return edit_; }
    const std::u16string& logPath() const { return logPath_; }

    // Waits until everything posted to the window so far has been handled, together with the window system's
    // events that had reached cadsim by then.
    void sync();
    // sync(), then the messages received since the last call.
    std::vector<Received> takeMessages();
    void close();

    // cadsim.exe beside the test program; the log file of a cadsim started in another way is read with readLog.
    static std::u16string programPath();
    static std::u16string commandLineArgument(std::u16string_view argument);

private:
    testing::TempDir dir_;
    std::u16string logPath_;
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
    size_t taken_ = 0;
    unsigned syncs_ = 0;
    bool hangs_ = false; // started with --hang: it never takes WM_CLOSE once hung
};

// The lines of a cadsim log, read while cadsim may be writing it.
std::vector<std::string> readLogLines(const std::u16string& path);
// Waits up to the deadline for a line containing `part`; returns it, or empty.
std::string waitForLogLine(const std::u16string& path, std::string_view part,
                           std::chrono::milliseconds deadline = std::chrono::seconds(20));
std::string waitForLogLine(const std::u16string& path, const std::function<bool(const std::string&)>& matches,
                           std::chrono::milliseconds deadline = std::chrono::seconds(20));
// The number after "name=" in a log line.
unsigned long long logField(const std::string& line, std::string_view name);

// A small window of the test process made the foreground window, to see whether a sender brings its CAD forward
// (or leaves the foreground alone). Under Wine every activation moves the X input focus, and a focus event handled
// late moves the foreground again; so the focus change is completed in this process and in `cad` (the simulated
// CAD about to be activated, if any) before the probe counts as the foreground window.
class ForegroundProbe {
public:
    explicit ForegroundProbe(CadSim* cad = nullptr);
    ForegroundProbe(const ForegroundProbe&) = delete;
    ForegroundProbe& operator=(const ForegroundProbe&) = delete;
    ~ForegroundProbe();
    HWND window() const { return window_; }

private:
    HWND window_ = nullptr;
};

// GetForegroundWindow once it is `expected`, or when the deadline has passed (activation across processes
// may take a moment).
HWND foregroundWindowAfterSettling(HWND expected, std::chrono::milliseconds deadline = std::chrono::seconds(10));

} // namespace merulan::testing
