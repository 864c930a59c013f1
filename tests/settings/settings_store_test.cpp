#include "app/settings/settings_store.h"

#include "text/error.h"
#include "text/utf8.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace merulan {
namespace {

using ::testing::ElementsAre;

// Behaves like the profile functions on one file held in memory, and logs what was asked of it.
class FakeProfile : public ProfileStore {
public:
    using Key = std::pair<std::u16string, std::u16string>;
    std::map<Key, std::u16string> values;
    std::u16string refuseKey; // a write of this key is refused
    mutable std::vector<std::string> log;

    std::u16string read(std::u16string_view section, std::u16string_view key,
                        std::u16string_view fallback) const override {
        log.push_back("read " + toUtf8(section) + "/" + toUtf8(key));
        const auto found = values.find({std::u16string(section), std::u16string(key)});
        return found == values.end() ? std::u16string(fallback) : found->second;
    }
    bool write(std::u16string_view section, std::u16string_view key, std::u16string_view value) const override {
        log.push_back("write " + toUtf8(section) + "/" + toUtf8(key) + "=" + toUtf8(value));
        return key != refuseKey;
    }
    void flush() const override { log.push_back("flush"); }
};

const WindowBounds kDesigned{0, 0, 296, 241};
const ScreenInfo kScreen{1920, 1080, {{0, 0, 1920, 1040}}};
const std::u16string kDesignTarget = u"ターゲット CAD = BricsCAD";

TEST(SettingsRead, WithoutAnyKeyCentresTheDesignedWindowAndKeepsTheTarget) {
    FakeProfile profile;
    const SettingsValues read = readSettings(profile, kDesigned, kDesignTarget, kScreen);
    EXPECT_EQ(read.bounds, (WindowBounds{812, 419, 296, 241})); // (1920-296)/2, (1080-241)/2 truncated
    EXPECT_EQ(read.target, kDesignTarget);
    // One integer read per key; "Target" is read twice only because it is missing.
    EXPECT_THAT(profile.log, ElementsAre("read Form/Width", "read Form/Height", "read Form/Left", "read Form/Top",
                                         "read CAD/Target", "read CAD/Target", "flush"));
}

TEST(SettingsRead, CentredDefaultsUseTheWidthAndHeightJustRead) {
    FakeProfile profile;
    profile.values = {{{u"Form", u"Width"}, u"2021"}, {{u"Form", u"Height"}, u"$64"}};
    EXPECT_EQ(readSettings(profile, kDesigned, kDesignTarget, kScreen).bounds, (WindowBounds{-50, 490, 2021, 100}));
}

TEST(SettingsRead, EachIntegerThatIsNoNumberFallsBackOnItsOwnDefault) {
    struct Case {
        std::u16string width, height, left, top;
        WindowBounds expected;
    };
    const Case cases[] = {
        {u"400", u"300", u"10", u"20", {10, 20, 400, 300}},
        {u"400", u"300", u"left", u"20", {760, 20, 400, 300}},     // letters in Left
        {u"wide", u"300", u"10", u"", {10, 390, 296, 300}},        // Width falls back to the designed width
        {u"0x200", u"$200", u" -10", u"+5", {-10, 5, 512, 512}},   // partly off screen stays as read
        {u"400", u"2147483648", u"10", u"20", {10, 20, 400, 241}}, // too large for 32 bits
        {u"400", u"300", u"12px", u"1e2", {760, 390, 400, 300}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(toUtf8(c.width + u"," + c.height + u"," + c.left + u"," + c.top));
        FakeProfile profile;
        profile.values = {{{u"Form", u"Width"}, c.width},
                          {{u"Form", u"Height"}, c.height},
                          {{u"Form", u"Left"}, c.left},
                          {{u"Form", u"Top"}, c.top}};
        EXPECT_EQ(readSettings(profile, kDesigned, kDesignTarget, kScreen).bounds, c.expected);
    }
}

TEST(SettingsRead, UnusableStoredBoundsGiveTheCentredDesignedWindow) {
    const WindowBounds centred{812, 419, 296, 241};
    const std::vector<std::vector<std::u16string>> stored = {
        {u"300", u"250", u"5000", u"100"}, // a monitor that is gone
        {u"300", u"250", u"-400", u"100"}, {u"0", u"250", u"10", u"10"}, {u"300", u"-250", u"10", u"10"},
        {u"-300", u"250", u"", u""}, // even the centred default for that width cannot help it
    };
    for (const auto& s : stored) {
        SCOPED_TRACE(toUtf8(s[0] + u"," + s[1] + u"," + s[2] + u"," + s[3]));
        FakeProfile profile;
        profile.values = {{{u"Form", u"Width"}, s[0]},
                          {{u"Form", u"Height"}, s[1]},
                          {{u"Form", u"Left"}, s[2]},
                          {{u"Form", u"Top"}, s[3]}};
        EXPECT_EQ(readSettings(profile, kDesigned, kDesignTarget, kScreen).bounds, centred);
    }
}

TEST(SettingsRead, TargetIsTakenAsStoredEvenWhenEmptyOrEqualToAProbe) {
    const std::u16string stored[] = {u"", u"ターゲットCAD = AutoCAD", u"anything at all", u"<merulan:missing:1>",
                                     u"<merulan:missing:2>"};
    for (const std::u16string& target : stored) {
        SCOPED_TRACE(toUtf8(target));
        FakeProfile profile;
        profile.values = {{{u"CAD", u"Target"}, target}};
        EXPECT_EQ(readSettings(profile, kDesigned, kDesignTarget, kScreen).target, target);
    }
}

TEST(SettingsRead, DirectInputIsOnUnlessTheValueIsZero) {
    const std::pair<std::optional<std::u16string>, bool> cases[] = {
        {std::nullopt, true}, {u"", true},    {u"1", true},   {u"off", true},  {u"-1", true},
        {u"0", false},        {u" 0", false}, {u"00", false}, {u"0x0", false},
    };
    for (const auto& [value, on] : cases) {
        SCOPED_TRACE(value ? toUtf8(*value) : "missing");
        FakeProfile profile;
        if (value) {
            profile.values = {{{u"Keys", u"DirectInput"}, *value}};
        }
        EXPECT_EQ(readDirectInput(profile), on);
    }
}

TEST(SettingsWrite, WritesTheFiveKeysInOrderThenFlushes) {
    FakeProfile profile;
    writeSettings(profile, u"C:\\M\\Merulan.ini", {-50, 7, 2021, 300}, u"ターゲットCAD = IJCAD");
    EXPECT_THAT(profile.log, ElementsAre("write Form/Width=2021", "write Form/Height=300", "write Form/Left=-50",
                                         "write Form/Top=7", "write CAD/Target=ターゲットCAD = IJCAD", "flush"));
}

TEST(SettingsWrite, ARefusedKeyStopsTheWriteFlushesAndReportsThePath) {
    FakeProfile profile;
    profile.refuseKey = u"Left";
    try {
        writeSettings(profile, u"C:\\読み取り専用\\Merulan.ini", {1, 2, 3, 4}, u"");
        FAIL() << "no error";
    } catch (const MerulanError& e) {
        EXPECT_EQ(e.message(), u"C:\\読み取り専用\\Merulan.ini に書き込めません");
    }
    EXPECT_THAT(profile.log, ElementsAre("write Form/Width=3", "write Form/Height=4", "write Form/Left=1", "flush"));
}

} // namespace
} // namespace merulan
