#include "text/error.h"
#include "text/u16text.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

namespace merulan {
namespace {

TEST(TextRules, UpperCasingTouchesOnlyAsciiLetters) {
    EXPECT_EQ(upperAscii(u"abc xyz ABC 09 {}"), u"ABC XYZ ABC 09 {}");
    EXPECT_EQ(upperAscii(u"ａｂｃ äé ß かな"), u"ａｂｃ äé ß かな"); // full-width, accented, kana stay
    EXPECT_EQ(upperAscii(u"`az{"), u"`AZ{");                         // neighbours of a and z stay
}

TEST(TextRules, TrimmingRemovesCodesZeroToThirtyTwoOnly) {
    EXPECT_EQ(trimBlanks(u" \t\r\n\x01x y\x1f "), u"x y");
    EXPECT_EQ(trimBlanks(std::u16string(u"\0a\0", 3)), u"a");
    EXPECT_EQ(trimBlanks(u"\u3000x\u3000"), u"\u3000x\u3000"); // ideographic space is not blank
    EXPECT_EQ(trimBlanks(u"   "), u"");
    EXPECT_EQ(trimBlanks(u"!x!"), u"!x!"); // code 33 stays
}

TEST(TextRules, ContainsAndBeginsWithCompareCodeUnits) {
    EXPECT_TRUE(contains(u"[CMD] text", u"] t"));
    EXPECT_FALSE(contains(u"abc", u"B"));
    EXPECT_TRUE(contains(u"abc", u""));
    EXPECT_TRUE(beginsWith(u"AutoCAD 2024", u"AutoCAD "));
    EXPECT_FALSE(beginsWith(u"AutoCAD", u"AutoCAD "));
    EXPECT_FALSE(beginsWith(u"autocad ", u"AutoCAD "));
}

TEST(TextRules, PathPartsSplitAfterLastBackslashOrColon) {
    struct Case {
        std::u16string path, folder, name, extension;
    };
    const Case cases[] = {
        {u"C:\\tools\\Merulan\\a.b.lsp", u"C:\\tools\\Merulan\\", u"a.b.lsp", u".lsp"},
        {u"C:a.LSP", u"C:", u"a.LSP", u".LSP"},
        {u"noext", u"", u"noext", u""},
        {u"dir.v2\\noext", u"dir.v2\\", u"noext", u""},
        {u"x\\.hidden", u"x\\", u".hidden", u".hidden"},
        {u"trail.", u"", u"trail.", u"."},
        {u"C:\\folder\\", u"C:\\folder\\", u"", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.path));
        EXPECT_EQ(folderOf(c.path), c.folder);
        EXPECT_EQ(fileNameOf(c.path), c.name);
        EXPECT_EQ(extensionOf(c.path), c.extension);
    }
}

TEST(TextRules, FormatFillsPlaceholdersInOrder) {
    EXPECT_EQ(formatText(u"ファイル %s は開けません。 %s ", {u"C:\\a.txt", u"理由"}),
              u"ファイル C:\\a.txt は開けません。 理由 ");
    EXPECT_EQ(formatText(u"%s%s", {u"%s", u"x"}), u"%sx"); // an argument is never re-scanned
    EXPECT_EQ(formatText(u"%s に書き込めません", {}), u"%s に書き込めません");
    EXPECT_EQ(decimalText(-50), u"-50");
}

TEST(ErrorText, EveryFailureHasAMessageForTheUser) {
    const auto caught = [](auto&& thrower) {
        try {
            thrower();
        } catch (...) {
            return messageOf(std::current_exception());
        }
        return std::u16string(u"(nothing thrown)");
    };
    EXPECT_EQ(caught([] { throw MerulanError(u"ファイル a は開けません。"); }), u"ファイル a は開けません。");
    EXPECT_EQ(caught([] { throw std::runtime_error("\xE6\xA4\x9C\xE7\xB4\xA2 failed"); }), u"検索 failed");
    EXPECT_EQ(caught([] { throw 42; }), u"不明なエラーです");
}

TEST(Utf8, StrictDecodingRefusesWhatWindowsRefuses) {
    const char* invalid[] = {
        "\x80",             // lone continuation
        "\xC0\xAF",         // overlong
        "\xE0\x80\xAF",     // overlong, three bytes
        "\xED\xA0\x80",     // encoded surrogate
        "\xF4\x90\x80\x80", // past U+10FFFF
        "\xE3\x81",         // cut short
        "\xFF",
    };
    for (const char* bytes : invalid) {
        SCOPED_TRACE(bytes);
        EXPECT_FALSE(decodeUtf8Strict(bytes).has_value());
    }
    EXPECT_EQ(decodeUtf8Strict("a\xE3\x81\x82\xF0\x9F\x98\x80"), u"aあ😀");
}

TEST(Utf8, RoundTripAndLoneSurrogates) {
    const std::u16string text = u"検索 ABC順 😀 \u3000";
    EXPECT_EQ(decodeUtf8Strict(toUtf8(text)), text);
    const std::u16string lone(1, u'\xD800');
    EXPECT_EQ(toUtf8(lone), "\xEF\xBF\xBD");
    EXPECT_FALSE(isWellFormedUtf16(lone));
    EXPECT_TRUE(isWellFormedUtf16(text));
    EXPECT_EQ(fromUtf8("a\xFF"
                       "b"),
              u"a\xFFFD"
              u"b");
}

} // namespace
} // namespace merulan
