#include "cmdlist/field_split.h"
#include "cmdlist/list_file.h"
#include "platform/system_codepage.h"
#include "support/print.h"
#include "support/japanese_code_page.h"
#include "support/temp_dir.h"
#include "text/utf8.h"
#include "text/error.h"

#include <gtest/gtest.h>

namespace merulan {
namespace {

using testing::japaneseCodePage;
using testing::TempDir;
using Fields = std::vector<std::u16string>;

TEST(FieldSplit, TabsAndQuotes) {
    struct Case {
        std::u16string line;
        Fields expected;
    };
    const Case cases[] = {
        {u"", {}},
        {u"a", {u"a"}},
        {u"a\tb", {u"a", u"b"}},
        {u"\t", {u"", u""}},
        {u"a\t", {u"a", u""}},
        {u"\ta", {u"", u"a"}},
        {u"a\t\tb", {u"a", u"", u"b"}},
        {u"a b\t c ", {u"a b", u" c "}},
        {u"\"a\tb\"\tc", {u"a\tb", u"c"}},                // TAB inside quotes belongs to the value
        {u"\"say \"\"hi\"\"\"", {u"say \"hi\""}},         // pairs stand for one quote
        {u"\"word\" more\tx", {u"word", u" more", u"x"}}, // text after the closing quote is a new field
        {u"\"a\"\"b", {u"a\"b"}},                         // unclosed: the rest of the line, pairs reduced
        {u"\"open\tto end", {u"open\tto end"}},
        {u"x\"y\"\tz", {u"x\"y\"", u"z"}}, // a quote inside a field is ordinary
        {u"\"\"", {u""}},
        {u"\"\"\"", {u"\""}},
        {u"\"a\"\"b\"\t", {u"a\"b", u""}},
        {u"\"a\"\"b\"c", {u"a\"b", u"c"}},
        {u"\"a\"\"\"b", {u"a\"", u"b"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.line));
        EXPECT_EQ(splitFields(c.line), c.expected);
    }
}

TEST(RowKinds, RecordsMadeFromLines) {
    struct Case {
        std::u16string line;
        std::optional<TLspRecord> expected;
    };
    const Case cases[] = {
        {u"", std::nullopt},
        {u"/ comment", std::nullopt},
        {u";comment\tx", std::nullopt},
        {u" /not a comment", TLspRecord{7, u" /not a comment"}},
        {u"作図", TLspRecord{7, u"作図"}},
        {u"作図\t", TLspRecord{7, u"作図"}},
        {u"\t", TLspRecord{7, u""}},
        {u"   ", TLspRecord{7, u"   "}},
        {u"見出し\t\tfile.lsp\topt", TLspRecord{7, u"見出し"}}, // f2 empty: heading, the rest ignored
        {u"\tdesc", TLspRecord{7, u"", u"desc"}},
        {u"LINE\t線分", TLspRecord{7, u"LINE", u"線分"}},
        {u"LINE\t ", TLspRecord{7, u"LINE", u" "}},
        {u"LINE\t線分\t", TLspRecord{7, u"LINE", u"線分"}},
        {u"LINE\t線分\t  \topt", TLspRecord{7, u"LINE", u"線分"}}, // blank f3 drops f4
        {u"LINE\t線分\t\u3000", TLspRecord{7, u"LINE", u"線分", u"\u3000"}},
        {u"X\tY\ta.exe\t \t5", TLspRecord{7, u"X", u"Y", u"a.exe"}},
        {u"X\tY\ta.exe\t-p\t5", TLspRecord{7, u"X", u"Y", u"a.exe", u"-p"}},
        {u"X\t\"Y\" rest\tz", TLspRecord{7, u"X", u"Y", u" rest", u"z"}},
        {u"X\t\"Y\"  \tz", TLspRecord{7, u"X", u"Y", u"", u""}}, // the rest is blank: a command entry
        {u"\"A\tB\"\tc", TLspRecord{7, u"A\tB", u"c"}},
        {u"\"a\"\"b\"\t\"c\"\"d\"\t\"e\"\"f\"\t\"g\"\"h\"", TLspRecord{7, u"a\"b", u"c\"d", u"e\"f", u"g\"h"}},
        {u" x \t y \t z \t w ", TLspRecord{7, u" x ", u" y ", u" z ", u" w "}}, // nothing trimmed
        // Byte-order marks at the start of a line (files joined byte for byte) are no part of it.
        {u"\uFEFFLINE\t線分", TLspRecord{7, u"LINE", u"線分"}},
        {u"\uFEFF\uFEFF作図", TLspRecord{7, u"作図"}},
        {u"\uFEFF;comment", std::nullopt},
        {u"\uFEFF", std::nullopt},
        {u"LINE\uFEFF\t\uFEFF線分", TLspRecord{7, u"LINE\uFEFF", u"\uFEFF線分"}}, // elsewhere they stay
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.line));
        EXPECT_EQ(recordFromLine(7, c.line), c.expected);
    }
}

class LoadMerulanList : public ::testing::Test {
protected:
    TempDir dir;
    std::u16string path = dir.u16(u"MerulanList.txt");
    TLspRecords table{{5, u"old", u"", u"", u""}};

    void write(std::string_view bytes) { dir.write(u"MerulanList.txt", bytes); }
    bool load() { return loadMerulanList(table, path, japaneseCodePage()); }
};

TEST_F(LoadMerulanList, RowsCountEveryLine) {
    write("\x8D\xEC\x90\x7D\r\n; comment\r\n\r\nLINE\t\x90\xFC\x95\xAA\n\rCIRCLE\tc\t\"C:\\a b\\x.lsp\"");
    ASSERT_TRUE(load());
    const TLspRecords expected{
        {0, u"作図"},
        {3, u"LINE", u"線分"},
        {5, u"CIRCLE", u"c", u"C:\\a b\\x.lsp"}, // the LF CR pair adds an empty line 4
    };
    EXPECT_EQ(table, expected);
}

TEST_F(LoadMerulanList, TheMarkOfASecondJoinedFileIsDropped) {
    const std::string marked = "\xEF\xBB\xBF" + toUtf8(u"作図\r\nLINE\t線分\r\n");
    write(marked + "\xEF\xBB\xBF" + toUtf8(u";注記\r\nCIRCLE\t円\r\n"));
    ASSERT_TRUE(load());
    EXPECT_EQ(table, (TLspRecords{{0, u"作図"}, {1, u"LINE", u"線分"}, {3, u"CIRCLE", u"円"}}));
}

TEST_F(LoadMerulanList, TableUnchangedWhenMissingOrWithoutLines) {
    const TLspRecords before = table;
    EXPECT_FALSE(load());
    EXPECT_EQ(table, before);
    for (std::string_view bytes :
         {std::string_view(""), std::string_view("\xEF\xBB\xBF"), std::string_view("\xFF\xFE")}) {
        write(bytes);
        EXPECT_FALSE(load());
        EXPECT_EQ(table, before);
    }
    std::filesystem::remove(dir / u"MerulanList.txt");
    std::filesystem::create_directory(dir / u"MerulanList.txt"); // a folder is no list
    EXPECT_FALSE(load());
    EXPECT_EQ(table, before);
}

TEST_F(LoadMerulanList, CommentsOnlyEmptyTheTable) {
    write("/a\r\n;b\r\n\r\n");
    EXPECT_TRUE(load());
    EXPECT_TRUE(table.empty());
}

TEST_F(LoadMerulanList, NulEndsTheText) {
    write(std::string("A\r\nB\tb\0\r\nC\tc\r\n", 14));
    ASSERT_TRUE(load());
    EXPECT_EQ(table, (TLspRecords{{0, u"A"}, {1, u"B", u"b"}}));
}

TEST_F(LoadMerulanList, InvalidUtf8AfterMarkFailsAndKeepsTheTable) {
    const TLspRecords before = table;
    write("\xEF\xBB\xBFLINE\t\x90\xFC");
    EXPECT_THROW(load(), MerulanError);
    EXPECT_EQ(table, before);
    write("LINE\t\x90\xFC"); // without the mark: code page text
    ASSERT_TRUE(load());
    EXPECT_EQ(table, (TLspRecords{{0, u"LINE", u"線"}}));
}

} // namespace
} // namespace merulan
