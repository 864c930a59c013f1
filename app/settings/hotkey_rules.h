// The palette's global hotkey as the settings file names it: "Ctrl+Alt+Space" and the like.
#pragma once

#include "app/settings/settings_store.h"

#include <optional>
#include <string>
#include <string_view>

namespace merulan {

// The modifier bits of RegisterHotKey, so that a parsed chord goes to the system as it is.
enum HotkeyModifier : unsigned {
    kHotkeyAlt = 0x0001,
    kHotkeyCtrl = 0x0002,
    kHotkeyShift = 0x0004,
    kHotkeyWin = 0x0008,
};

struct HotkeyChord {
    unsigned modifiers = 0; // HotkeyModifier bits
    unsigned virtualKey = 0;
    bool operator==(const HotkeyChord&) const = default;
};

// Modifiers "Ctrl", "Alt", "Shift", "Win" (each at most once), then one key: a letter, a digit, "F1" to
// "F24" or "Space", joined by "+"; names in any ASCII letter case, blanks around the parts allowed.
// A letter, digit or Space needs Ctrl, Alt or Win, or the chord would take plain typing from every
// program; a function key may stand alone. Anything else is no chord.
std::optional<HotkeyChord> parseHotkey(std::u16string_view text);

// "Keys"/"Activate" with blanks trimmed; nothing when the key is missing or blank.
std::optional<std::u16string> readActivateHotkey(const ProfileStore& store);

// The box at start-up; the first %s is the settings file's name, the second the value as written.
inline constexpr std::u16string_view kHotkeyUnreadableMessage =
    u"%s の [Keys] Activate=%s はホットキーとして読めません．\n"
    u"Ctrl、Alt、Shift、Win と、英字・数字・F1～F24・Space のどれか一つを + でつないでください．"
    u"（例：Ctrl+Alt+Space）\nホットキーなしで続けます．";
inline constexpr std::u16string_view kHotkeyTakenMessage =
    u"%s の [Keys] Activate=%s のキーはほかのプログラムが使っているため登録できません．\n"
    u"ホットキーなしで続けます．";

} // namespace merulan
