#include "app/look/styles.h"

#include <gtest/gtest.h>

namespace merulan {
namespace {

TEST(Styles, OnlyTheDarkStyleIsCompiledIn) {
    ASSERT_NE(findStyle(u"Windows10 Dark"), nullptr);
    EXPECT_EQ(findStyle(u"windows10 dark"), nullptr);
    EXPECT_EQ(findStyle(u"Windows10"), nullptr);
    EXPECT_EQ(findStyle(u""), nullptr);
    const StylePalette& dark = *findStyle(kPaletteStyleName);
    // Dark: light text on dark surfaces.
    const auto brightness = [](std::uint32_t c) { return (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF); };
    EXPECT_LT(brightness(dark.window), 3 * 0x60);
    EXPECT_LT(brightness(dark.treeBack), 3 * 0x60);
    EXPECT_GT(brightness(dark.text), 3 * 0xC0);
    EXPECT_GT(brightness(dark.treeText), 3 * 0xC0);
}

TEST(Styles, DarkModeAbilitiesFollowTheSystem) {
    const struct {
        const char* system;
        DarkModeFacts facts;
        DarkModeAbilities expected;
    } cases[] = {
        {"Windows 10 22H2", {19045, false, false, true}, {true, 20, true}},
        {"Windows 10 1903", {18362, false, false, true}, {true, 19, true}},
        {"Windows 10 1903 without the ordinals", {18362, false, false, false}, {true, 19, false}},
        {"Windows 10 1809", {17763, false, false, true}, {true, 19, false}},
        {"Windows 10 1803", {17134, false, false, true}, {true, 0, false}},
        {"Windows 7 (no build)", {0, false, false, false}, {true, 0, false}},
        {"Windows 11", {22631, false, false, true}, {true, 20, true}},
        {"Wine claiming Windows 10", {19043, true, false, true}, {true, 0, false}},
        {"high contrast", {19045, false, true, true}, {false, 0, false}},
        {"high contrast under Wine", {19043, true, true, false}, {false, 0, false}},
    };
    for (const auto& c : cases) {
        const DarkModeAbilities a = darkModeAbilities(c.facts);
        EXPECT_EQ(a.ownColours, c.expected.ownColours) << c.system;
        EXPECT_EQ(a.titleBarAttribute, c.expected.titleBarAttribute) << c.system;
        EXPECT_EQ(a.darkMenusAndScrollbars, c.expected.darkMenusAndScrollbars) << c.system;
    }
}

} // namespace
} // namespace merulan
