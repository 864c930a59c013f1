// Writing the list file so that the list it replaces is kept (the drop and merulan-tool index -o):
// real files, and a write that fails.
#include "cmdlist/list_backup.h"
#include "platform/system_codepage.h"
#include "platform/text_file.h"
#include "support/japanese_code_page.h"
#include "support/temp_dir.h"
#include "text/error.h"
#include "text/utf8.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace merulan {
namespace {

using testing::japaneseCodePage;

using Files = std::map<std::u16string, std::string>;

constexpr StampTime kTime{2024, 1, 3, 4, 5, 6};
constexpr std::u16string_view kSeparators = u"\\:/"; // the temporary folder's own on either system
constexpr std::u16string_view kBackup = u"MerulanList20240103040506.txt";

std::string shiftJis(std::u16string_view text) {
    return *japaneseCodePage().encodeExact(text);
}

TEST(ListBackup, KeepsReplacesAppendsAndPutsBack) {
    // The current list is UTF-8 with a mark: appending keeps its bytes and adds in UTF-8.
    const std::string old = "\xEF\xBB\xBF" + toUtf8(u"作図\r\nLINE\t線分\r\n");
    const LineList added = {u"tools", u"TT\t道具", u"LOAD\tロード tools.lsp\tMerulan\\tools.lsp"};
    const std::u16string addedText = u"tools\r\nTT\t道具\r\nLOAD\tロード tools.lsp\tMerulan\\tools.lsp\r\n";
    const std::string addedBytes = shiftJis(addedText);
    const std::string appended = old + toUtf8(addedText);
    const std::u16string list = u"MerulanList.txt";
    const std::u16string backup(kBackup);
    enum class Before { NoList, List, ListAndBackupOfTheSameSecond };
    enum class Failure { None, Rename, Write };
    const struct {
        const char* what;
        Before before;
        ListWrite how;
        bool keepBackup;
        Files after;
        Failure failure;
    } cases[] = {
        {"no list yet", Before::NoList, ListWrite::Replace, true, {{list, addedBytes}}, Failure::None},
        {"replace", Before::List, ListWrite::Replace, true, {{list, addedBytes}, {backup, old}}, Failure::None},
        {"append", Before::List, ListWrite::Append, true, {{list, appended}, {backup, old}}, Failure::None},
        {"append to no list", Before::NoList, ListWrite::Append, true, {{list, addedBytes}}, Failure::None},
        {"replace, no backup", Before::List, ListWrite::Replace, false, {{list, addedBytes}}, Failure::None},
        {"the backup name is taken",
         Before::ListAndBackupOfTheSameSecond,
         ListWrite::Replace,
         true,
         {{list, old}, {backup, "earlier"}},
         Failure::Rename},
        {"the write fails", Before::List, ListWrite::Append, true, {{list, old}}, Failure::Write},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const testing::TempDir dir;
        if (c.before != Before::NoList) {
            dir.write(list, old);
        }
        if (c.before == Before::ListAndBackupOfTheSameSecond) {
            dir.write(backup, "earlier");
        }
        ListFileSeams seams;
        if (c.failure == Failure::Write) { // as a full disk would: part of it is written, then it fails
            seams.faults = [](WriteStep step) {
                return step == WriteStep::Write ? std::optional<std::u16string>(u"ディスクがいっぱいです。")
                                                : std::nullopt;
            };
        }
        const std::u16string listPath = dir.u16(list);
        const std::u16string backupPath = backupPathFor(listPath, kTime, kSeparators);
        ASSERT_EQ(backupPath, dir.u16(backup));
        std::u16string message;
        try {
            writeListFile(listPath, added, c.how, c.keepBackup ? std::optional(backupPath) : std::nullopt,
                          japaneseCodePage(), seams);
        } catch (const MerulanError& error) {
            message = error.message();
        }
        EXPECT_EQ(dir.files(), c.after);
        // The reasons are the system's own: the messages are compared up to them.
        const std::u16string expected =
            c.failure == Failure::Rename  ? formatText(kRenameFailedMessage, {listPath, backupPath, u""})
            : c.failure == Failure::Write ? formatText(kCannotCreateMessage, {listPath, u""})
                                          : u"";
        EXPECT_TRUE(expected.empty() ? message.empty() : message.starts_with(expected)) << toUtf8(message);
    }
}

TEST(ListBackup, TheStampGoesBeforeTheLastExtensionOfTheName) {
    const struct {
        std::u16string_view list;
        std::u16string_view backup;
    } cases[] = {
        {u"C:\\M\\MerulanList.txt", u"C:\\M\\MerulanList20240103040506.txt"},
        {u"C:\\M\\my.list.txt", u"C:\\M\\my.list20240103040506.txt"},
        {u"/home/cad/lists.d/palette", u"/home/cad/lists.d/palette20240103040506"},
        {u"C:lists", u"C:lists20240103040506"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(backupPathFor(c.list, kTime, kSeparators), c.backup);
    }
}

} // namespace
} // namespace merulan
