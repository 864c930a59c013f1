// How cadsim writes received text into its log: one line per message, readable, and exactly reversible.
#pragma once

#include <string>
#include <string_view>

namespace merulan::cadsim {

// A test posts this message (WM_APP + 1) with a number after its own posts and waits for "sync <number>" in the
// log: posted messages are handled in order, so everything posted before has been logged by then.
inline constexpr unsigned kSyncMessage = 0x8000 + 1;

// UTF-8, with "\\" for a backslash, "\xHH" for codes below 32 and 127, and "\uHHHH" for a lone surrogate.
std::string escapeLogText(std::u16string_view text);
std::u16string unescapeLogText(std::string_view escaped);

// For the window: control characters as <CR>, <ESC>, <Ctrl+C> or <xHH>, everything else as it is.
std::u16string displayText(std::u16string_view text);

} // namespace merulan::cadsim
