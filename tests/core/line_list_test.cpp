#include "platform/system_codepage.h"
#include "platform/text_file.h"
#include "support/japanese_code_page.h"
#include "support/temp_dir.h"
#include "text/utf8.h"
#include "text/error.h"
#include "text/line_list.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

namespace merulan {
namespace {

using testing::japaneseCodePage;
using testing::TempDir;

LineList lines(std::initializer_list<const char16_t*> items) {
    return LineList(items.begin(), items.end());
}

TEST(LineSplit, LineEndsAndNul) {
    struct Case {
        std::u16string text;
        LineList expected;
    };
    const Case cases[] = {
        {u"", {}},
        {u"a", lines({u"a"})},
        {u"a\r\nb\r\n", lines({u"a", u"b"})},
        {u"a\nb\rc", lines({u"a", u"b", u"c"})},
        {u"a\n\rb", lines({u"a", u"", u"b"})}, // LF CR is two line ends
        {u"a\r\r\nb", lines({u"a", u"", u"b"})},
        {u"\r\n", lines({u""})},
        {u"\n\n", lines({u"", u""})},
        {std::u16string(u"a\nb\0c\nd", 7), lines({u"a", u"b"})}, // a NUL ends the text
        {std::u16string(u"\0abc", 4), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.text));
        EXPECT_EQ(splitLines(c.text), c.expected);
    }
}

TEST(LineDecode, ByteOrderMarksInOrderThenCodePage) {
    struct Case {
        const char* name;
        std::string bytes;
        LineList expected;
    };
    const Case cases[] = {
        {"empty", "", {}},
        {"utf-8 mark alone", "\xEF\xBB\xBF", {}},
        {"utf-16le mark alone", "\xFF\xFE", {}},
        {"utf-8", "\xEF\xBB\xBF\xE6\xA4\x9C\xE7\xB4\xA2\r\nx", lines({u"検索", u"x"})},
        {"utf-16le", std::string("\xFF\xFE\x1C\x69\x22\x7D\x0A\x00y\x00", 10), lines({u"検索", u"y"})},
        {"utf-16be", std::string("\xFE\xFF\x69\x1C\x7D\x22\x00\x0D\x00y", 10), lines({u"検索", u"y"})},
        {"utf-16le odd byte", std::string("\xFF\xFEz\x00\x41", 5), lines({u"z"})},
        {"cp932", "\x8C\x9F\x8D\xF5\t\x5C\x7E", lines({u"検索\t\\~"})},
        {"cp932 wave dash", "\x81\x60", lines({u"\uFF5E"})},
        {"nul in cp932", std::string("a\nb\0c", 5), lines({u"a", u"b"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decodeLines(c.bytes, japaneseCodePage(), UnmarkedText::SurelyUtf8ElseAnsiCodePage), c.expected);
    }
}

TEST(LineDecode, InvalidUtf8AfterMarkFailsWithWindowsText) {
    try {
        decodeLines("\xEF\xBB\xBF"
                    "ok\n\x8C\x9F",
                    japaneseCodePage(), UnmarkedText::SurelyUtf8ElseAnsiCodePage);
        FAIL() << "no error";
    } catch (const MerulanError& error) {
        EXPECT_EQ(error.message(), u"Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません");
    }
    // The mark decides in the source mode too.
    EXPECT_THROW(decodeLines("\xEF\xBB\xBF\x8C\x9F", japaneseCodePage(), UnmarkedText::Utf8ThenAnsiCodePage),
                 MerulanError);
    // Without the mark the same bytes are code page text.
    EXPECT_EQ(decodeLines("ok\n\x8C\x9F", japaneseCodePage(), UnmarkedText::SurelyUtf8ElseAnsiCodePage),
              lines({u"ok", u"検"}));
}

TEST(LineDecode, SourcesTryStrictUtf8FirstThenCodePage) {
    // "検索" in UTF-8 would be mojibake in 932; in 932 bytes it is invalid UTF-8.
    EXPECT_EQ(decodeLines("; \xE6\xA4\x9C\xE7\xB4\xA2", japaneseCodePage(), UnmarkedText::Utf8ThenAnsiCodePage),
              lines({u"; 検索"}));
    EXPECT_EQ(decodeLines("; \x8C\x9F\x8D\xF5", japaneseCodePage(), UnmarkedText::Utf8ThenAnsiCodePage),
              lines({u"; 検索"}));
}

TEST(LineDecode, ListsWithoutMarkAreUtf8OnlyWhenNothingElseCanBeMeant) {
    struct Case {
        const char* what;
        std::string bytes;
        LineList expected;
    };
    const Case cases[] = {
        {"UTF-8 as Notepad saves it", "\xE4\xBD\x9C\xE5\x9B\xB3\r\nLINE\t\xE7\xB7\x9A\xE5\x88\x86",
         lines({u"作図", u"LINE\t線分"})},
        {"Shift-JIS", "\x8D\xEC\x90\x7D\r\nLINE\t\x90\xFC\x95\xAA", lines({u"作図", u"LINE\t線分"})},
        // Valid UTF-8 of an Arabic and an Armenian letter, but no character beyond U+07FF.
        {"Shift-JIS half-width katakana only", "LAYER\t\xDA\xB2\xD4\xB0", lines({u"LAYER\tﾚｲﾔｰ"})},
        {"ASCII", "LINE\tdraw\r\n", lines({u"LINE\tdraw"})},
        {"UTF-8 with one byte that is not", "\xE4\xBD\x9C\xE5\x9B\xB3\xFF",
         splitLines(japaneseCodePage().decode("\xE4\xBD\x9C\xE5\x9B\xB3\xFF"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(decodeLines(c.bytes, japaneseCodePage(), UnmarkedText::SurelyUtf8ElseAnsiCodePage), c.expected);
    }
}

TEST(LineEncode, CrLfAfterEveryLineInTheCodePage) {
    EXPECT_EQ(encodeLines(lines({u"検索", u"", u"a\tb"}), japaneseCodePage()), "\x8C\x9F\x8D\xF5\r\n\r\na\tb\r\n");
    EXPECT_EQ(encodeLines({}, japaneseCodePage()), "");
    const auto utf8 = codePageById(kUtf8CodePage);
    EXPECT_EQ(encodeLines(lines({u"検"}), *utf8), "\xEF\xBB\xBF\xE6\xA4\x9C\r\n");
}

TEST(LineEncode, TextTheCodePageLacksIsWrittenAsUtf8AndReadsBackUnchanged) {
    const LineList cases[] = {
        lines({u"한국어", u"検索"}),           // Hangul is not in 932
        lines({u"\u301C wave dash"}),          // 932 holds only U+FF5E: no lossy best fit
        lines({u"emoji 😀", u"\u00E9t\u00E9"}), // é is not in 932 either
    };
    TempDir dir;
    for (const auto& original : cases) {
        SCOPED_TRACE(toUtf8(original.front()));
        const std::string bytes = encodeLines(original, japaneseCodePage());
        EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBF"));
        const auto path = dir.u16(u"MerulanList.txt");
        writeTextFile(path, original, japaneseCodePage());
        EXPECT_EQ(readTextFile(path, japaneseCodePage(), UnmarkedText::SurelyUtf8ElseAnsiCodePage), original);
    }
}

TEST(TextFile, MissingAndUnreadableFilesFailWithThePath) {
    TempDir dir;
    const auto missing = dir.u16(u"nothing.txt");
    EXPECT_FALSE(fileExists(missing));
    EXPECT_FALSE(fileExists(dir.u16())); // a folder is not a file
    try {
        readFileBytes(missing);
        FAIL() << "no error";
    } catch (const MerulanError& error) {
        const std::u16string prefix = u"ファイル " + missing + u" は開けません。 ";
        EXPECT_TRUE(error.message().starts_with(prefix)) << toUtf8(error.message());
        EXPECT_GT(error.message().size(), prefix.size() + 1); // the system's reason follows
        EXPECT_TRUE(error.message().ends_with(u" "));
    }
    try {
        writeFileBytes(dir.u16(u"no-such-folder/x.txt"), "x");
        FAIL() << "no error";
    } catch (const MerulanError& error) {
        EXPECT_TRUE(error.message().starts_with(u"ファイル \"")) << toUtf8(error.message());
    }
}

} // namespace
} // namespace merulan
