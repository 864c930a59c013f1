#include "app/settings/settings_rules.h"

#include "text/utf8.h"

#include <gtest/gtest.h>

#include <limits>

namespace merulan {
namespace {

constexpr std::optional<std::int32_t> kNone = std::nullopt;

TEST(ProfileInteger, AcceptsSignedDecimalsAndPrefixedHexadecimalsThatFitThirtyTwoBits) {
    struct Case {
        std::u16string text;
        std::optional<std::int32_t> value;
    };
    const Case cases[] = {
        // decimal, with an optional sign
        {u"0", 0},
        {u"280", 280},
        {u"-5", -5},
        {u"+5", 5},
        {u"-0", 0},
        {u"000000000000000012", 12},
        {u"2147483647", 2147483647},
        {u"2147483648", kNone},
        {u"-2147483648", std::numeric_limits<std::int32_t>::min()},
        {u"-2147483649", kNone},
        {u"99999999999999999999999", kNone},
        // hexadecimal after "$", "x" or "0x", x in either case, digits in either case
        {u"0x200", 512},
        {u"0X200", 512},
        {u"$200", 512},
        {u"x200", 512},
        {u"X200", 512},
        {u"$aBc", 0xABC},
        {u"0x7FFFFFFF", 2147483647},
        {u"0x80000000", kNone}, // 2^31 does not fit
        {u"$FFFFFFFF", kNone},
        {u"0x00000000000000FF", 255},
        // a hexadecimal takes no sign, before or after its prefix
        {u"$-1", kNone},
        {u"-$1", kNone},
        {u"-0x10", kNone},
        {u"+x10", kNone},
        {u"0x+1", kNone},
        // leading blanks only
        {u" 12", 12},
        {u"\t 12", 12},
        {u"  -7", -7},
        {u"  $10", 16},
        {u"12 ", kNone},
        {u"- 5", kNone},
        {u"$ 10", kNone},
        {u"0x 10", kNone},
        // no number at all
        {u"", kNone},
        {u"  ", kNone},
        {u"-", kNone},
        {u"+", kNone},
        {u"$", kNone},
        {u"x", kNone},
        {u"0x", kNone},
        {u"00x10", kNone},
        {u"12abc", kNone},
        {u"abc", kNone},
        {u"0x1G", kNone},
        {u"1e3", kNone},
        {u"1.0", kNone},
        {u"+-5", kNone},
        {u"0b101", kNone},
        {u"１２", kNone}, // full-width digits
        {u"\u3000"
         u"12",
         kNone}, // the ideographic space is no blank
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "\"" << toUtf8(c.text) << "\""); // a sum of strings trips a false GCC 12 warning
        EXPECT_EQ(parseProfileInteger(c.text), c.value);
    }
}

TEST(SettingsPath, ReplacesTheFileNamesExtensionOrAppendsOne) {
    struct Case {
        std::u16string exe, settings;
    };
    const Case cases[] = {
        {u"C:\\Tools\\Merulan.exe", u"C:\\Tools\\Merulan.ini"},
        {u"C:\\Tools\\Palette.EXE", u"C:\\Tools\\Palette.ini"},
        {u"C:\\Tools\\Merulan.v2.exe", u"C:\\Tools\\Merulan.v2.ini"},
        {u"C:\\Tools.d\\Merulan", u"C:\\Tools.d\\Merulan.ini"}, // a "." in the folder is no extension
        {u"C:\\Tools\\Merulan.", u"C:\\Tools\\Merulan.ini"},
        {u"C:Merulan", u"C:Merulan.ini"},
        {u"\\\\server\\share\\ツール\\メルラン.exe", u"\\\\server\\share\\ツール\\メルラン.ini"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(toUtf8(c.exe));
        EXPECT_EQ(settingsPathFor(c.exe), c.settings);
    }
}

TEST(SettingsDefaults, CentringTruncatesTowardZeroAndWraps) {
    EXPECT_EQ(centredPosition(1920, 300), 810);
    EXPECT_EQ(centredPosition(1920, 301), 809);  // 1619 / 2
    EXPECT_EQ(centredPosition(1920, 2021), -50); // a window 101 px wider than the screen: -101 / 2
    EXPECT_EQ(centredPosition(1920, 2023), -51);
    EXPECT_EQ(centredPosition(0, 0), 0);
    // Stored sizes at the ends of the range wrap as 32-bit arithmetic does instead of overflowing.
    EXPECT_EQ(centredPosition(1024, std::numeric_limits<std::int32_t>::min()), -1073741312); // -2147482624 / 2
    EXPECT_EQ(centredPosition(-2, std::numeric_limits<std::int32_t>::max()), 1073741823);    // 2147483647 / 2
}

const ScreenInfo kTwoMonitors{1920, 1080, {{0, 0, 1920, 1040}, {1920, -200, 1280, 1024}}};

TEST(SettingsMend, KeepsAnyWindowThatTouchesAWorkArea) {
    const WindowBounds designed{0, 0, 300, 250};
    const WindowBounds kept[] = {
        {100, 100, 300, 250},    {1919, 1039, 300, 250}, // one pixel on the primary work area
        {-299, -249, 300, 250},                          // one pixel at its top-left corner
        {3100, 700, 300, 250},                           // on the second monitor only
        {1800, -500, 300, 301},                          // reaches the second monitor's top row from above
        {-5000, 500, 10000, 10},                         // wider than everything
        {100, 100, 1, 1},
    };
    for (const WindowBounds& b : kept) {
        SCOPED_TRACE(testing::PrintToString(std::vector<int>{b.left, b.top, b.width, b.height}));
        EXPECT_TRUE(isUsableWindow(b, kTwoMonitors));
        EXPECT_EQ(mendUnusableBounds(b, designed, kTwoMonitors), b);
    }
}

TEST(SettingsMend, CentresTheDesignedSizeWhenTheWindowIsOffEveryWorkAreaOrEmpty) {
    const WindowBounds designed{7, 7, 301, 250};
    const WindowBounds centred{809, 415, 301, 250};
    const WindowBounds mended[] = {
        {-300, 100, 300, 250},                            // just left of the primary monitor
        {100, 1040, 300, 250},                            // on the taskbar strip below the work area
        {1900, 1040, 300, 250},                           // below both work areas, across the monitors' border
        {3200, 0, 300, 250},                              // right of everything
        {100, 100, 0, 250},                               // no width
        {100, 100, 300, -1},                              // negative height
        {2147483647, 2147483647, 2147483647, 2147483647}, // edges beyond 32 bits, still off screen
        {std::numeric_limits<std::int32_t>::min(), 0, 2147483647, 100},
    };
    for (const WindowBounds& b : mended) {
        SCOPED_TRACE(testing::PrintToString(std::vector<int>{b.left, b.top, b.width, b.height}));
        EXPECT_FALSE(isUsableWindow(b, kTwoMonitors));
        EXPECT_EQ(mendUnusableBounds(b, designed, kTwoMonitors), centred);
    }
}

TEST(SettingsMend, WithoutKnownMonitorsOnlyTheSizeIsJudged) {
    const ScreenInfo none{1024, 768, {}};
    EXPECT_TRUE(isUsableWindow({-9000, -9000, 10, 10}, none));
    EXPECT_FALSE(isUsableWindow({0, 0, 0, 10}, none));
}

TEST(SharedListPath, FullAsWrittenElseBesideTheExecutable) {
    const struct {
        std::u16string_view value;
        std::u16string_view path;
    } cases[] = {
        {u"\\\\cadserver\\cad\\merulan\\MerulanList.txt", u"\\\\cadserver\\cad\\merulan\\MerulanList.txt"},
        {u"  S:\\merulan\\MerulanList.txt ", u"S:\\merulan\\MerulanList.txt"},
        {u"s:/merulan/list.txt", u"s:/merulan/list.txt"},
        {u"shared\\MerulanList.txt", u"C:\\CAD\\shared\\MerulanList.txt"},
        {u"S:list.txt", u"C:\\CAD\\S:list.txt"},
        {u"", u""},
        {u"   ", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sharedListPathFor(c.value, u"C:\\CAD\\"), c.path);
    }
}

} // namespace
} // namespace merulan
