#include "app/window/palette_keys.h"

#include <gtest/gtest.h>

namespace merulan {
namespace {

TEST(PaletteKeys, TakenBeforeTheDialogManager) {
    constexpr KeyModifiers none{}, ctrl{true, false, false}, alt{false, true, false}, shift{false, false, true};
    constexpr KeyModifiers ctrlShift{true, false, true}, ctrlAlt{true, true, false};
    const struct {
        unsigned key;
        KeyModifiers modifiers;
        bool inSearchBox;
        PaletteKey action;
    } cases[] = {
        {'F', ctrl, false, PaletteKey::FocusSearchBox},
        {'F', ctrlShift, true, PaletteKey::FocusSearchBox},
        {'F', ctrlAlt, false, PaletteKey::None},
        {'F', none, true, PaletteKey::None},
        {0x72, none, false, PaletteKey::FocusSearchBox},
        {0x72, shift, false, PaletteKey::None},
        {0x28, none, true, PaletteKey::IntoTree},
        {0x22, none, true, PaletteKey::IntoTree},
        {0x28, none, false, PaletteKey::None},
        {0x28, shift, true, PaletteKey::None},
        {0x1B, none, true, PaletteKey::EmptySearchBox},
        {0x1B, none, false, PaletteKey::None},
        {0x1B, alt, true, PaletteKey::None},
        {0x0D, none, true, PaletteKey::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(paletteKeyOf(c.key, c.modifiers, c.inSearchBox), c.action)
            << "key " << c.key << (c.inSearchBox ? " in the search box" : " elsewhere");
    }
}

// Enter that confirms a conversion must never reach the dialog manager, which would run the selected entry.
TEST(PaletteKeys, TheInputMethodsKeysGoPastThePaletteAndTheDialogManager) {
    constexpr KeyModifiers none{}, ctrl{true, false, false};
    constexpr unsigned kProcessKey = 0xE5, kEnter = 0x0D, kEsc = 0x1B, kDown = 0x28;
    const struct {
        unsigned key;
        KeyModifiers modifiers;
        bool inSearchBox;
        bool composing;
        PaletteKey action;
    } cases[] = {
        {kEnter, none, true, true, PaletteKey::InputMethod},
        {kEsc, none, true, true, PaletteKey::InputMethod},
        {kDown, none, true, true, PaletteKey::InputMethod},
        {'F', ctrl, true, true, PaletteKey::InputMethod},
        {kProcessKey, none, true, false, PaletteKey::InputMethod},
        {kProcessKey, none, false, false, PaletteKey::InputMethod},
        {kEnter, none, true, false, PaletteKey::None}, // no conversion: the dialog manager's, which runs the entry
        {kEsc, none, true, false, PaletteKey::EmptySearchBox},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(paletteKeyOf(c.key, c.modifiers, c.inSearchBox, c.composing), c.action)
            << "key " << c.key << (c.composing ? " while composing" : "");
    }
}

} // namespace
} // namespace merulan
