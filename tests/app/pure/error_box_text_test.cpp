#include "app/boxes/error_box_text.h"

#include <gtest/gtest.h>

namespace merulan {
namespace {

TEST(ErrorBoxText, FullStopFollowsOnlyCharactersAfterTheFullStopInCodeOrder) {
    const struct {
        std::u16string_view message;
        std::u16string_view shown;
    } cases[] = {
        {u"書き込めません", u"書き込めません."},
        {u"abc", u"abc."},
        {u"ends with slash/", u"ends with slash/."}, // "/" (2F) comes after "." (2E)
        {u"ends with stop.", u"ends with stop."},
        {u"ends with comma,", u"ends with comma,"},
        {u"ends with blank ", u"ends with blank "},
        {u"ends with hyphen-", u"ends with hyphen-"},
        {u"ends with digit 0", u"ends with digit 0."},
        {u"全角の句点．", u"全角の句点．."},
        {u"", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorBoxText(c.message), c.shown);
    }
}

TEST(ErrorBoxText, TitleStemIsTheFileNameUpToItsFirstFullStop) {
    const struct {
        std::u16string_view path;
        std::u16string_view stem;
    } cases[] = {
        {u"C:\\Tools\\Merulan.exe", u"Merulan"},
        {u"C:\\Tools\\my.palette.exe", u"my"},
        {u"C:\\Tools.d\\Merulan", u"Merulan"},
        {u"D:Merulan.exe", u"Merulan"},
        {u"Merulan.exe", u"Merulan"},
        {u"C:\\Tools\\.hidden", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorBoxTitleStem(c.path), c.stem);
    }
}

} // namespace
} // namespace merulan
