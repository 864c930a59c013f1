// From dropped names to the list's blocks: which sources are taken in what order, and the one failure
// policy that the drop and merulan-tool share.
#include "lispindex/source_import.h"
#include "platform/folder_list.h"
#include "platform/text_file.h"
#include "support/japanese_code_page.h"
#include "support/temp_dir.h"
#include "text/error.h"
#include "text/utf8.h"

#include "test_lines.h"

#include <gtest/gtest.h>

namespace merulan {
namespace {

using Names = std::vector<std::u16string>;

constexpr std::string_view kOneCommand = "; 線分\r\n(defun c:line () 1)\r\n";
constexpr std::string_view kNoCommand = "(defun helper (a) a)\r\n";
constexpr std::string_view kBadUtf8 = "\xEF\xBB\xBF(defun c:a () 1)\xFF\r\n";

class SourceImport : public ::testing::Test {
protected:
    SourceImport() {
        for (const auto name :
             {u"two.lsp", u"one.LSP", u"helpers.lsp", u"notes.txt", u"lib/lib10.lsp", u"lib/lib9.lsp", u"lib/Lib1.lsp",
              u"lib/readme.txt", u"lib/sub/inner.lsp", u"lib/folder.lsp/inner.lsp", u"empty/sub/inner.lsp"}) {
            std::filesystem::create_directories((dir / name).parent_path());
            dir.write(name, name == std::u16string_view(u"helpers.lsp") ? kNoCommand : kOneCommand);
        }
        dir.write(u"bad.lsp", kBadUtf8);
        dir.write(u"bad2.lsp", kBadUtf8);
    }
    // Full paths as the platform spells them.
    std::u16string at(std::u16string_view name) const { return (dir / name).make_preferred().u16string(); }
    Names at(std::initializer_list<std::u16string_view> names) const {
        Names paths;
        for (const auto name : names) {
            paths.push_back(at(name));
        }
        return paths;
    }

    testing::TempDir dir;
};

TEST_F(SourceImport, DroppedNamesGiveFilesInTheirOrderThenEachFoldersSourcesByName) {
    const struct {
        const char* what;
        std::initializer_list<std::u16string_view> dropped;
        std::initializer_list<std::u16string_view> sources;
    } cases[] = {
        {"files in drop order, other files passed over",
         {u"two.lsp", u"notes.txt", u"helpers.lsp", u"one.LSP"},
         {u"two.lsp", u"helpers.lsp", u"one.LSP"}},
        {"a folder's own sources after the files, digits by value, no subfolders",
         {u"lib", u"one.LSP"},
         {u"one.LSP", u"lib/Lib1.lsp", u"lib/lib9.lsp", u"lib/lib10.lsp"}},
        {"a folder holding only subfolders", {u"empty"}, {}},
        {"a name that is not there", {u"gone.lsp", u"gone"}, {u"gone.lsp"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(lispSourcesOf(at(c.dropped), compareFileNamesStandIn), at(c.sources));
    }
}

TEST_F(SourceImport, OneSourceThatCannotBeReadStopsEverythingAndIsNamed) {
    const std::u16string invalid(kInvalidUtf8Message);
    const struct {
        const char* what;
        std::initializer_list<std::u16string_view> sources;
        std::u16string messageStart; // empty: no failure
        std::size_t entries;
        std::size_t blocks;
    } cases[] = {
        {"good sources, one without commands", {u"two.lsp", u"helpers.lsp", u"one.LSP"}, u"", 4, 2},
        {"one source that cannot be decoded names it", {u"bad.lsp"}, at(u"bad.lsp") + u"\n" + invalid},
        {"the first bad one among good ones", {u"two.lsp", u"bad2.lsp", u"bad.lsp"}, at(u"bad2.lsp") + u"\n" + invalid},
        {"a missing file: the reason names it already",
         {u"gone.lsp"},
         u"ファイル " + at(u"gone.lsp") + u" は開けません。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            const NewList list =
                newListOf(indexLispSources(at(c.sources), testing::japaneseCodePage(), compareTextStandIn), at(u""));
            EXPECT_EQ(c.messageStart, u"");
            EXPECT_EQ(list.entries, c.entries);
            EXPECT_EQ(list.blocks, c.blocks);
            EXPECT_EQ(list.lines.size(), c.entries + c.blocks) << testing::joined(list.lines);
        } catch (const MerulanError& error) {
            const std::u16string& message = error.message();
            EXPECT_EQ(message.rfind(c.messageStart, 0), 0u) << toUtf8(message);
            const std::u16string named = c.messageStart.substr(c.messageStart.find(dir.u16()));
            const std::u16string path = named.substr(0, named.find_first_of(u" \n"));
            EXPECT_EQ(message.find(path), message.rfind(path)) << "named once";
        }
    }
}

TEST_F(SourceImport, AFolderThatCannotBeListedIsNamed) {
    const std::u16string file = at(u"one.LSP");
    try {
        fileNamesIn(file);
        FAIL() << "a file is no folder";
    } catch (const MerulanError& error) {
        EXPECT_EQ(error.message().rfind(u"フォルダー " + file + u" は開けません。", 0), 0u);
    }
}

TEST(FileNameOrder, DigitRunsByValueAndTheRestAsText) {
    const struct {
        std::u16string_view a;
        std::u16string_view b;
        int order;
    } cases[] = {
        {u"lib9.lsp", u"lib10.lsp", -1},
        {u"Lib1.lsp", u"lib9.lsp", -1},
        {u"a2b10", u"a2b9", 1},
        {u"a.lsp", u"a.lsp", 0},
        {u"a1", u"ab", -1},
        {u"a", u"a1", -1},
        {u"B.lsp", u"a.lsp", 1},
    };
    for (const auto& c : cases) {
        const int got = compareFileNamesStandIn(c.a, c.b);
        EXPECT_EQ((got > 0) - (got < 0), c.order) << toUtf8(c.a) << " / " << toUtf8(c.b);
    }
}

} // namespace
} // namespace merulan
