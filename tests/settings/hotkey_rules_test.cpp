#include "app/settings/hotkey_rules.h"

#include "text/utf8.h"

#include <gtest/gtest.h>

namespace merulan {
namespace {

TEST(Hotkey, ParsesModifiersThenOneKey) {
    constexpr unsigned kCtrlAlt = kHotkeyCtrl | kHotkeyAlt;
    const struct {
        std::u16string_view text;
        std::optional<HotkeyChord> chord;
    } cases[] = {
        {u"Ctrl+Alt+Space", HotkeyChord{kCtrlAlt, 0x20}},
        {u" ctrl + ALT + space ", HotkeyChord{kCtrlAlt, 0x20}}, // any letter case, blanks around parts
        {u"Alt+Ctrl+m", HotkeyChord{kCtrlAlt, 'M'}},
        {u"Win+Shift+0", HotkeyChord{kHotkeyWin | kHotkeyShift, '0'}},
        {u"Shift+F1", HotkeyChord{kHotkeyShift, 0x70}},
        {u"F24", HotkeyChord{0, 0x87}}, // a function key may stand alone
        {u"Ctrl+F10", HotkeyChord{kHotkeyCtrl, 0x79}},
        {u"Ctrl+F25", std::nullopt},
        {u"Ctrl+F0", std::nullopt},
        {u"Ctrl+F01", std::nullopt},
        {u"Ctrl+F1x", std::nullopt},
        {u"Space", std::nullopt},       // would take every blank typed anywhere
        {u"Shift+A", std::nullopt},     // and this every capital A
        {u"Ctrl+Ctrl+A", std::nullopt}, // a modifier twice
        {u"Ctrl+Alt", std::nullopt},    // no key
        {u"Ctrl+", std::nullopt},
        {u"+A", std::nullopt},
        {u"Ctrl+AB", std::nullopt},
        {u"Ctrl+Esc", std::nullopt},
        {u"Control+A", std::nullopt},
        {u"Ctrl+Ａ", std::nullopt}, // a full-width letter is no key name
        {u"Ctrl-Alt-Space", std::nullopt},
        {u"", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.text));
        EXPECT_EQ(parseHotkey(c.text), c.chord);
    }
}

} // namespace
} // namespace merulan
