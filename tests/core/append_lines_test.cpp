// Adding lines to a list's bytes: what was there stays byte for byte, and the new lines follow in the
// list's own encoding, where a reader reads them.
#include "support/japanese_code_page.h"
#include "text/append_lines.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

namespace merulan {
namespace {

using testing::japaneseCodePage;

std::string sjis(std::u16string_view text) {
    return *japaneseCodePage().encodeExact(text);
}

std::string utf16(std::u16string_view text, bool bigEndian) {
    std::string bytes;
    for (const char16_t unit : text) {
        const char pair[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        bytes += bigEndian ? pair[1] : pair[0];
        bytes += bigEndian ? pair[0] : pair[1];
    }
    return bytes;
}

TEST(AppendLines, TheOldBytesStayAndTheNewLinesFollowInTheirEncoding) {
    const LineList lines = {u"tools", u"TT\t道具"};
    const std::u16string added = u"tools\r\nTT\t道具\r\n";
    const std::string le = "\xFF\xFE";
    const std::string be = "\xFE\xFF";
    const std::string mark = "\xEF\xBB\xBF";
    // Code-page bytes that happen to be valid UTF-8 ("ああ"): a reader would take the whole file for UTF-8.
    const std::u16string lookalike = u"縺ゅ≠";
    ASSERT_EQ(sjis(lookalike), "\xE3\x81\x82\xE3\x81\x82");
    const struct {
        const char* what;
        std::string before;
        LineList lines;
        std::string after;
    } cases[] = {
        {"UTF-8 with a mark", mark + toUtf8(u"作図\r\n"), lines, mark + toUtf8(u"作図\r\n") + toUtf8(added)},
        {"without a last line break", mark + toUtf8(u"作図"), lines, mark + toUtf8(u"作図\r\n") + toUtf8(added)},
        {"UTF-8 without a mark", toUtf8(u"作図\r\n"), lines, toUtf8(u"作図\r\n") + toUtf8(added)},
        {"UTF-16 LE", le + utf16(u"作図\r\n", false), lines, le + utf16(u"作図\r\n", false) + utf16(added, false)},
        {"UTF-16 BE", be + utf16(u"作図", true), lines, be + utf16(u"作図\r\n", true) + utf16(added, true)},
        {"UTF-16 with an odd last byte", le + utf16(u"作図\n", false) + "x", lines,
         le + utf16(u"作図\n", false) + utf16(added, false) + "x"},
        {"Shift-JIS", sjis(u"作図\r\n"), lines, sjis(u"作図\r\n") + sjis(added)},
        {"CR-only lines", sjis(u"作図\rLINE\r"), lines, sjis(u"作図\rLINE\r") + sjis(added)},
        {"undecodable bytes", "A\xFF\xFD\x85\r\n", lines, "A\xFF\xFD\x85\r\n" + sjis(added)},
        {"a NUL: before it, where they are read", sjis(u"作図\r\nLINE") + '\0' + "hidden\r\n", lines,
         sjis(u"作図\r\nLINE\r\n") + sjis(added) + '\0' + "hidden\r\n"},
        {"a NUL in UTF-16", le + utf16(u"作図\r\n", false) + std::string(2, '\0') + "zz", lines,
         le + utf16(u"作図\r\n", false) + utf16(added, false) + std::string(2, '\0') + "zz"},
        {"only a mark", mark, lines, mark + toUtf8(added)},
        {"nothing", "", lines, sjis(added)},
        // Only when the encoding cannot hold the new lines is the whole text written again, as UTF-8.
        {"a character Shift-JIS lacks",
         sjis(u"作図\r") + '\0' + "x",
         {u"한"},
         mark + toUtf8(u"作図\r한\r\n") + '\0' + "x"},
        {"code-page bytes read as UTF-8", "LINE\r\n", {lookalike}, mark + toUtf8(u"LINE\r\n" + lookalike + u"\r\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(appendLinesToText(c.before, c.lines, japaneseCodePage(), UnmarkedText::SurelyUtf8ElseAnsiCodePage),
                  c.after);
    }
}

} // namespace
} // namespace merulan
