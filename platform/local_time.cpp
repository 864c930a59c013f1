#include "platform/local_time.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <ctime>
#endif

namespace merulan {

StampTime currentLocalTime() {
#ifdef _WIN32
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
#else
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {static_cast<unsigned>(local.tm_year + 1900), static_cast<unsigned>(local.tm_mon + 1),
            static_cast<unsigned>(local.tm_mday),        static_cast<unsigned>(local.tm_hour),
            static_cast<unsigned>(local.tm_min),         static_cast<unsigned>(local.tm_sec)};
#endif
}

StampTime localTimeOfFileTime(std::uint64_t fileTime) {
#ifdef _WIN32
    const FILETIME utc{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
    FILETIME local{};
    SYSTEMTIME time{};
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &time)) {
        return {};
    }
    return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
#else
    const auto seconds = static_cast<std::time_t>(fileTime / 1'000'000'000u);
    std::tm local{};
    localtime_r(&seconds, &local);
    return {static_cast<unsigned>(local.tm_year + 1900), static_cast<unsigned>(local.tm_mon + 1),
            static_cast<unsigned>(local.tm_mday),        static_cast<unsigned>(local.tm_hour),
            static_cast<unsigned>(local.tm_min),         static_cast<unsigned>(local.tm_sec)};
#endif
}

} // namespace merulan
