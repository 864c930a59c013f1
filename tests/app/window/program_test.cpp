// The look chosen by name at start-up, and the title of the application-wide error box.
#include "app/boxes/message_boxes.h"
#include "app/program.h"

#include <gtest/gtest.h>

namespace merulan {
namespace {

TEST(ApplyStyle, CompiledInDarkStyleIsUsedWithoutAnyBox) {
    std::vector<std::u16string> boxes;
    const auto theme = applyStyle(u"Windows10 Dark", [&](const std::u16string& text) { boxes.push_back(text); });
    ASSERT_NE(theme, nullptr);
    EXPECT_TRUE(theme->ownColours()) << "Wine has no high contrast; the style's own colours apply";
    EXPECT_TRUE(boxes.empty());
}

TEST(ApplyStyle, UnknownStyleIsReportedAndTheStandardLookUsed) {
    std::vector<std::u16string> boxes;
    const auto theme = applyStyle(u"Carbon", [&](const std::u16string& text) { boxes.push_back(text); });
    ASSERT_NE(theme, nullptr);
    EXPECT_FALSE(theme->ownColours());
    EXPECT_EQ(boxes, (std::vector<std::u16string>{u"スタイル 'Carbon' が見つかりません"}));
}

TEST(ApplyStyle, UnderWineOnlyTheStylesOwnPaintingIsUsed) {
    const DarkModeFacts facts = currentDarkModeFacts();
    EXPECT_TRUE(facts.underWine);
    EXPECT_FALSE(facts.uxthemeDarkOrdinals) << "never looked up under Wine";
    const DarkModeAbilities abilities = darkModeAbilities(facts);
    EXPECT_EQ(abilities.titleBarAttribute, 0);
    EXPECT_FALSE(abilities.darkMenusAndScrollbars);
}

} // namespace
} // namespace merulan

namespace merulan {
namespace {

TEST(ErrorBoxTitle, FileNameUpToItsFirstStopWithEveryLetterAfterTheFirstLowered) {
    const struct {
        std::u16string_view path;
        std::u16string_view title;
    } cases[] = {
        {u"C:\\Tools\\Merulan.exe", u"Merulan"},
        {u"C:\\Tools\\MERULAN.EXE", u"Merulan"},
        {u"C:\\Tools\\merulan.exe", u"merulan"},
        {u"C:\\Tools\\PALETTE.V2.EXE", u"Palette"},
        {u"C:\\Tools\\ÄRGER.exe", u"Ärger"},
        {u"C:\\Tools\\ＡＢＣ.exe", u"Ａｂｃ"},
        {u"C:\\Tools\\M", u"M"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(applicationTitle(c.path), c.title);
    }
}

} // namespace
} // namespace merulan
