#include "cmdlist/field_split.h"
#include "cmdlist/list_file.h"
#include "lispindex/new_list.h"
#include "platform/system_codepage.h"
#include "platform/text_file.h"
#include "support/print.h"
#include "support/temp_dir.h"
#include "text/utf8.h"

#include "test_lines.h"

#include <gtest/gtest.h>

#include <random>

namespace merulan {
namespace {

using testing::joined;

TEST(NewList, HeadingCommandsAndLoadEntry) {
    struct Case {
        const char* what;
        std::u16string source;
        std::u16string exeFolder;
        LineList index;
        LineList list;
    };
    const Case cases[] = {
        {"source in the executable folder",
         u"C:\\Merulan\\tools.lsp",
         u"C:\\Merulan\\",
         {u"LINE2 A\t線分", u"C2\t..."},
         {u"tools", u"LINE2 A\t線分", u"C2\t...", u"LOAD\tロード tools.lsp\tMerulan\\tools.lsp"}},
        {"elsewhere: the full path",
         u"D:\\lisp\\tools.lsp",
         u"C:\\Merulan\\",
         {u"A\t..."},
         {u"tools", u"A\t...", u"LOAD\tロード tools.lsp\tD:\\lisp\\tools.lsp"}},
        {"a subfolder is elsewhere",
         u"C:\\Merulan\\sub\\t.lsp",
         u"C:\\Merulan\\",
         {u"A\t..."},
         {u"t", u"A\t...", u"LOAD\tロード t.lsp\tC:\\Merulan\\sub\\t.lsp"}},
        {"letter case counts",
         u"c:\\merulan\\t.lsp",
         u"C:\\Merulan\\",
         {u"A\t..."},
         {u"t", u"A\t...", u"LOAD\tロード t.lsp\tc:\\merulan\\t.lsp"}},
        {"a colon ends the folder",
         u"D:t.lsp",
         u"D:",
         {u"A\t..."},
         {u"t", u"A\t...", u"LOAD\tロード t.lsp\tMerulan\\t.lsp"}},
        {"two dots: the last one goes",
         u"C:\\x\\tools.v2.lsp",
         u"C:\\y\\",
         {u"A\t..."},
         {u"tools.v2", u"A\t...", u"LOAD\tロード tools.v2.lsp\tC:\\x\\tools.v2.lsp"}},
        {"no dot",
         u"C:\\x\\tools",
         u"C:\\y\\",
         {u"A\t..."},
         {u"tools", u"A\t...", u"LOAD\tロード tools\tC:\\x\\tools"}},
        {"no index lines, no list", u"C:\\x\\t.lsp", u"C:\\x\\", {}, {}},
        // Fields that would not read back as written go in quotes.
        {"heading beginning with ';'",
         u"C:\\x\\;old.lsp",
         u"C:\\x\\",
         {u"A\t..."},
         {u"\";old\"", u"A\t...", u"LOAD\tロード ;old.lsp\tMerulan\\;old.lsp"}},
        {"heading beginning with '/'",
         u"D:/x.lsp",
         u"C:\\",
         {u"A\t..."},
         {u"\"/x\"", u"A\t...", u"LOAD\tロード /x.lsp\tD:/x.lsp"}},
        {"empty heading",
         u"C:\\x\\.lsp",
         u"C:\\y\\",
         {u"A\t..."},
         {u"\"\"", u"A\t...", u"LOAD\tロード .lsp\tC:\\x\\.lsp"}},
        {"command part beginning with '/'",
         u"C:\\x\\t.lsp",
         u"C:\\x\\",
         {u"/X\t...", u";Y\tz"},
         {u"t", u"\"/X\"\t...", u"\";Y\"\tz", u"LOAD\tロード t.lsp\tMerulan\\t.lsp"}},
        {"description with TABs",
         u"C:\\x\\t.lsp",
         u"C:\\x\\",
         {u"A\t線分\tを\t引く"},
         {u"t", u"A\t\"線分\tを\t引く\"", u"LOAD\tロード t.lsp\tMerulan\\t.lsp"}},
        {"description beginning with a quote",
         u"C:\\x\\t.lsp",
         u"C:\\x\\",
         {u"A\t\"abc\" def", u"B\tx\"y"},
         {u"t", u"A\t\"\"\"abc\"\" def\"", u"B\tx\"y", u"LOAD\tロード t.lsp\tMerulan\\t.lsp"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(joined(makeNewList(c.index, c.source, c.exeFolder)), joined(c.list));
    }
}

TEST(NewList, OtherSeparators) {
    const LineList index = {u"A\t..."};
    EXPECT_EQ(joined(makeNewList(index, u"/usr/lib/t.lsp", u"/usr/lib/", u"\\:/")),
              joined({u"t", u"A\t...", u"LOAD\tロード t.lsp\tMerulan\\t.lsp"}));
    EXPECT_EQ(joined(makeNewList(index, u"/usr/lib/t.lsp", u"/usr/", u"\\:/")),
              joined({u"t", u"A\t...", u"LOAD\tロード t.lsp\t/usr/lib/t.lsp"}));
}

TLspRecord recordOf(std::int32_t row, const ListLineFields& fields) {
    TLspRecord record{row};
    std::u16string* targets[] = {&record.cmd, &record.cmt, &record.exe, &record.opt};
    for (std::size_t i = 0; i < fields.size() && i < 4; ++i) {
        *targets[i] = fields[i];
    }
    return record;
}

// Every new list, read back by the list reader, gives exactly the fields it was built from.
TEST(NewList, ReadsBackAsBuilt) {
    std::mt19937 random(4);
    const std::u16string alphabet = u"ab \t\"/;.:\\\u30ED\u3000";
    auto text = [&](std::size_t maxLength) {
        std::u16string s;
        for (std::size_t n = random() % (maxLength + 1); n > 0; --n) {
            s += alphabet[random() % alphabet.size()];
        }
        return s;
    };
    for (int round = 0; round < 2000; ++round) {
        LineList index;
        for (int n = 1 + static_cast<int>(random() % 3); n > 0; --n) {
            std::u16string command = text(4);
            std::erase(command, u'\t'); // a command part never holds a TAB
            std::u16string description = text(6);
            if (description.find_first_not_of(u" \t") == std::u16string::npos) {
                description = u"..."; // a description is never blank
            }
            index.push_back(command + u"\t" + description);
        }
        const std::u16string source = u"C:\\lib\\" + text(6) + u".lsp";
        const auto fields = newListFields(index, source, u"C:\\lib\\");
        const LineList list = makeNewList(index, source, u"C:\\lib\\");
        ASSERT_EQ(list.size(), fields.size());
        TLspRecords records;
        ASSERT_TRUE(fillLspRecords(records, list));
        ASSERT_EQ(records.size(), list.size()) << joined(list);
        for (std::size_t row = 0; row < list.size(); ++row) {
            EXPECT_EQ(splitFields(list[row]), fields[row]) << toUtf8(list[row]);
            EXPECT_EQ(records[row], recordOf(static_cast<std::int32_t>(row), fields[row])) << toUtf8(list[row]);
        }
        ASSERT_FALSE(HasFailure()) << "round " << round;
    }
}

// The same through the file: written by the list-file rules in code page 932, loaded by the palette's loader.
TEST(NewList, ThroughTheListFile) {
    const auto japanese = codePageById(932);
    const LineList cases[] = {
        {u"TOORISHIN\t通り芯を引く\t(一点鎖線)", u"HEYAMEI NAME\t\"部屋名\" を記入する", u"/X\t..."},
        {u"CAFE\tcafé を開く"}, // no form in code page 932: the file is UTF-8 with a mark
    };
    for (const auto& index : cases) {
        const testing::TempDir folder;
        const std::u16string source = u"C:\\lib\\;old.tools.lsp";
        const auto fields = newListFields(index, source, u"C:\\lib\\");
        const std::u16string listFile = folder.u16(kListFileName);
        writeTextFile(listFile, makeNewList(index, source, u"C:\\lib\\"), *japanese);
        TLspRecords records;
        ASSERT_TRUE(loadMerulanList(records, listFile, *japanese));
        ASSERT_EQ(records.size(), fields.size());
        for (std::size_t row = 0; row < fields.size(); ++row) {
            EXPECT_EQ(records[row], recordOf(static_cast<std::int32_t>(row), fields[row]));
        }
    }
}

} // namespace
} // namespace merulan
