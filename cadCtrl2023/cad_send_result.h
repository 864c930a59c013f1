// What a CAD sender tells its caller; free of Win32 so that the command execution stays portable.
#pragma once

#include <cstddef>

namespace merulan {

// One copy-data delivery carries the text and its NUL in a buffer of this many UTF-16 units.
inline constexpr std::size_t kCopyDataBufferUnits = 512;
inline constexpr std::size_t kCopyDataMaxChars = kCopyDataBufferUnits - 1;

struct CadSendResult {
    // The sender's answer proper: the CAD's window was found and brought to the front.
    bool found = false;
    // The text was longer than one copy-data delivery carries and was not sent at all: a command cut short
    // could do something other than the user chose. Only copy-data deliveries refuse; keystrokes carry any length.
    bool tooLong = false;

    explicit operator bool() const noexcept { return found; }
    bool operator==(const CadSendResult&) const = default;
};

} // namespace merulan
