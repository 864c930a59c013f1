// The simulated CAD main window: the class and title the palette looks for, IJCAD's command-line window when
// asked for, and a list showing every message of interest as it is logged.
#pragma once

#include "tools/cadsim/cadsim_options.h"
#include "tools/cadsim/message_log.h"

#include <string>
#include <string_view>
#include <windows.h>

namespace merulan::cadsim {

class SimWindow {
public:
    // Creates and shows the window; throws MerulanError when it cannot. `watched` (may be null) ends a stall.
    SimWindow(HINSTANCE instance, const CadSimOptions& options, MessageLog& log, HANDLE watched);
    SimWindow(const SimWindow&) = delete;
    SimWindow& operator=(const SimWindow&) = delete;
    ~SimWindow();

    HWND handle() const { return main_; }

private:
    static LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK editProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    void createCommandLine(HINSTANCE instance);
    bool commandLineLooksRight() const;
    void layout();
    // Logs the event and shows it in the list, in its display form when one is given.
    void record(std::string_view window, std::string_view event);
    void record(std::string_view window, std::string_view event, std::u16string_view shown);
    void onCopyData(const COPYDATASTRUCT& data);
    void onEditChar(WPARAM character);
    void stallAfterFirstDelivery();
    // Takes no message for that long (INFINITE: until the watched process ends, which ends cadsim too).
    void stall(unsigned long milliseconds);

    MessageLog& log_;
    HANDLE watched_;
    unsigned long busyMilliseconds_;
    bool hang_;
    bool delivered_ = false;
    HFONT font_ = nullptr;
    HWND main_ = nullptr;
    HWND list_ = nullptr;
    // IJCAD only: dock bar > "コマンド ライン" > (history, pane > input line)
    HWND dock_ = nullptr;
    HWND commandLine_ = nullptr;
    HWND history_ = nullptr;
    HWND pane_ = nullptr;
    HWND edit_ = nullptr;
    WNDPROC editDefault_ = nullptr;
    std::u16string typed_; // keystrokes not shown yet in the list
    std::u16string line_;  // the input line as typed so far, shown by a timer
    bool lineTimer_ = false;
};

} // namespace merulan::cadsim
