// cadsim's log file: one line per event, "<milliseconds> <window> <event>", appended and flushed at once so
// that a test reading the file sees every message that has been handled.
#pragma once

#include <string>
#include <string_view>
#include <windows.h>

namespace merulan::cadsim {

class MessageLog {
public:
    explicit MessageLog(const std::u16string& path); // empty: nothing is written
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;
    ~MessageLog();

    // Returns the line as written, without the time stamp, for showing in the window.
    std::string write(std::string_view window, std::string_view event);

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

// Milliseconds since 1601 from the precise system clock.
unsigned long long nowMilliseconds();

} // namespace merulan::cadsim
