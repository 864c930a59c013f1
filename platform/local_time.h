// The local date and time, down to the second, for the names of list backups.
#pragma once

#include <cstdint>

namespace merulan {

struct StampTime {
    unsigned year = 0;
    unsigned month = 0;
    unsigned day = 0;
    unsigned hour = 0; // 0 to 23
    unsigned minute = 0;
    unsigned second = 0;
};

StampTime currentLocalTime();

// The local date and time of a file time as FileIdentity::lastWrite holds it.
StampTime localTimeOfFileTime(std::uint64_t fileTime);

} // namespace merulan
