#include "tools/cadsim/message_log.h"

#include "platform/win/wide.h"

namespace merulan::cadsim {

MessageLog::MessageLog(const std::u16string& path) {
    if (!path.empty()) {
        // Tests read the file while it is written.
        file_ = CreateFileW(wide(path), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
}

MessageLog::~MessageLog() {
    if (file_ != INVALID_HANDLE_VALUE) {
        CloseHandle(file_);
    }
}

std::string MessageLog::write(std::string_view window, std::string_view event) {
    std::string shown = std::string(window) + " " + std::string(event);
    if (file_ != INVALID_HANDLE_VALUE) {
        const std::string line = std::to_string(nowMilliseconds()) + " " + shown + "\n";
        DWORD written = 0;
        WriteFile(file_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }
    return shown;
}

unsigned long long nowMilliseconds() {
    FILETIME time{};
    GetSystemTimePreciseAsFileTime(&time);
    return ((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 10000;
}

} // namespace merulan::cadsim
