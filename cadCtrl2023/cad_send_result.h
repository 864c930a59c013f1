// What a CAD sender tells its caller, and the CADs the link knows; free of Win32 so that the command execution
// stays portable.
#pragma once

#include <chrono>
#include <cstddef>

namespace merulan {

// One copy-data delivery carries the text and its NUL in a buffer of this many UTF-16 units.
inline constexpr std::size_t kCopyDataBufferUnits = 512;
inline constexpr std::size_t kCopyDataMaxChars = kCopyDataBufferUnits - 1;

// The longest the palette waits for one delivery (one copy-data message, or every keystroke of one text): below
// the 5 seconds after which Windows shows a window that takes no message as not responding, and long enough for
// a CAD that works to take several hundred keystrokes.
inline constexpr std::chrono::milliseconds kDeliveryTimeLimit{4000};

// When a delivery's time is up. A cancel and the command after it share one deadline, so that one
// double-click never holds the palette longer than kDeliveryTimeLimit in all.
using DeliveryClock = std::chrono::steady_clock;
using DeliveryDeadline = DeliveryClock::time_point;
inline DeliveryDeadline deliveryDeadline() {
    return DeliveryClock::now() + kDeliveryTimeLimit;
}

enum class TargetCad { AutoCad, BricsCad, IJCad };

enum class CadSendResult {
    Sent,     // the CAD's window was found, brought to the front and has taken the whole text
    NotFound, // no window of that CAD (for IJCAD's keystrokes: no usable input line); nothing activated
    // Longer than one copy-data delivery carries; nothing activated or sent: a command cut short could do
    // something other than the user chose. Keystrokes carry any length.
    TooLong,
    NotAccepting, // the window is disabled (the CAD shows a modal dialog); nothing sent
    Blocked,      // Windows refused the message: the CAD runs with higher rights than the palette
    // No answer within kDeliveryTimeLimit. The CAD may still handle a message whose wait ran out, so that one
    // is never sent again; nothing after it is sent.
    NotResponding,
    // Nothing of the text was sent: the deadline had passed before it could be, or the CAD already hangs (then
    // it is not brought forward either). A box must not say that the command will still run.
    NotSentInTime,
    // Keystrokes: the CAD took some of them, then stopped answering; the rest was not sent.
    CutShort,
};

} // namespace merulan
