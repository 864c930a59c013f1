// Replacing the list file through Win32: what is left when a step fails, and the system's own refusals.
#include "app/drop/drop_import.h"
#include "lispindex/source_import.h"
#include "platform/system_codepage.h"
#include "platform/text_file.h"
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"
#include "support/temp_dir.h"
#include "text/error.h"
#include "text/u16text.h"
#include "text/utf8.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <algorithm>
#include <windows.h>

namespace merulan {
namespace {

const LineList kNewList = {u"作図", u"LINE\t線分", u"LOAD\tロード a.lsp\tMerulan\\a.lsp"};
constexpr std::string_view kOldBytes = "old list\r\n";

std::u16string messageThrownBy(const std::function<void()>& action) {
    try {
        action();
    } catch (const MerulanError& error) {
        return error.message();
    }
    return u"(nothing thrown)";
}

std::vector<std::u16string> filesIn(const testing::TempDir& dir) {
    std::vector<std::u16string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        names.push_back(entry.path().filename().u16string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class ReplaceList : public ::testing::Test {
protected:
    ReplaceList() : ansi(systemAnsiCodePage()) {
        listPath = dir.u16(u"MerulanList.txt");
        backupPath = dir.u16(u"MerulanList20240103040506.txt");
    }

    void replace() { writeListFile(listPath, kNewList, ListWrite::Replace, backupPath, *ansi, seams); }

    // The steps named fail with reason, as the system's own failures would.
    void failAt(std::initializer_list<WriteStep> steps, std::u16string reason) {
        seams.faults = [steps = std::vector<WriteStep>(steps), reason](WriteStep step) {
            return std::find(steps.begin(), steps.end(), step) != steps.end() ? std::optional(reason) : std::nullopt;
        };
    }

    testing::TempDir dir;
    std::unique_ptr<AnsiCodePage> ansi;
    DropImportSeams seams = fileSystemSeams();
    std::u16string listPath;
    std::u16string backupPath;
};

TEST_F(ReplaceList, ARefusedRenameWritesNothing) {
    dir.write(u"MerulanList.txt", kOldBytes);
    dir.write(u"MerulanList20240103040506.txt", "an earlier backup of the same second");
    EXPECT_EQ(messageThrownBy([&] { replace(); }),
              formatText(kRenameFailedMessage, {listPath, backupPath, systemErrorText(ERROR_ALREADY_EXISTS)}));
    EXPECT_EQ(filesIn(dir), (std::vector<std::u16string>{u"MerulanList.txt", u"MerulanList20240103040506.txt"}));
    EXPECT_EQ(dir.read(u"MerulanList.txt"), kOldBytes);
    EXPECT_EQ(dir.read(u"MerulanList20240103040506.txt"), "an earlier backup of the same second");
}

TEST_F(ReplaceList, AFailedWriteLeavesTheListUnderItsName) {
    // The list never leaves its name: a write that fails leaves it, and nothing else.
    dir.write(u"MerulanList.txt", kOldBytes);
    failAt({WriteStep::Write}, u"ディスクがいっぱいです。");
    EXPECT_EQ(messageThrownBy([&] { replace(); }),
              formatText(kCannotCreateMessage, {listPath, u"ディスクがいっぱいです。"}));
    EXPECT_EQ(filesIn(dir), std::vector<std::u16string>{u"MerulanList.txt"});
    EXPECT_EQ(dir.read(u"MerulanList.txt"), kOldBytes);
}

TEST_F(ReplaceList, AFailedWriteWithoutAnOldListIsPassedOn) {
    failAt({WriteStep::Close}, u"理由");
    EXPECT_EQ(messageThrownBy([&] { replace(); }), formatText(kCannotCreateMessage, {listPath, u"理由"}));
    EXPECT_TRUE(filesIn(dir).empty());
}

TEST_F(ReplaceList, WhenTheReplaceFailsACopiedBackupGoesAgain) {
    // The backup was a copy (no hard links on the disk) and the replace failed: the copy goes again,
    // the list stands where it was, and the message names it.
    dir.write(u"MerulanList.txt", kOldBytes);
    failAt({WriteStep::HardLink, WriteStep::Replace}, u"理由");
    EXPECT_EQ(messageThrownBy([&] { replace(); }), formatText(kCannotCreateMessage, {listPath, u"理由"}));
    EXPECT_EQ(filesIn(dir), std::vector<std::u16string>{u"MerulanList.txt"});
    EXPECT_EQ(dir.read(u"MerulanList.txt"), kOldBytes);
}

TEST_F(ReplaceList, AListHeldByAnotherProgramIsNotReplaced) {
    // Another program holds the list without letting it be replaced: Windows' own refusal, said with it.
    dir.write(u"MerulanList.txt", kOldBytes);
    const UniqueFileHandle reader(CreateFileW(wide(listPath), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(reader);
    EXPECT_EQ(messageThrownBy([&] { replace(); }),
              formatText(kCannotCreateMessage, {listPath, systemErrorText(ERROR_SHARING_VIOLATION)}));
    EXPECT_EQ(filesIn(dir), std::vector<std::u16string>{u"MerulanList.txt"});
    EXPECT_EQ(dir.read(u"MerulanList.txt"), kOldBytes);
}

TEST_F(ReplaceList, AReadOnlyListIsNotReplaced) {
    dir.write(u"MerulanList.txt", kOldBytes);
    ASSERT_TRUE(SetFileAttributesW(wide(listPath), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(messageThrownBy([&] { replace(); }),
              formatText(kCannotCreateMessage, {listPath, systemErrorText(ERROR_ACCESS_DENIED)}));
    SetFileAttributesW(wide(listPath), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(filesIn(dir), std::vector<std::u16string>{u"MerulanList.txt"});
    EXPECT_EQ(dir.read(u"MerulanList.txt"), kOldBytes);
}

TEST(DropImportTexts, BackupNamesHaveFourteenDigits) {
    const struct {
        StampTime time;
        std::u16string_view path;
    } cases[] = {
        {{2024, 1, 3, 4, 5, 6}, u"C:\\M\\MerulanList20240103040506.txt"},
        {{2023, 12, 31, 23, 59, 58}, u"C:\\M\\MerulanList20231231235958.txt"},
        {{987, 10, 10, 0, 0, 0}, u"C:\\M\\MerulanList09871010000000.txt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(listBackupPath(u"C:\\M\\", c.time), c.path);
    }
}

TEST(DropImportTexts, OnlyAnLspExtensionCounts) {
    const struct {
        std::u16string_view name;
        bool source;
    } cases[] = {
        {u"C:\\a\\tools.lsp", true},     {u"C:\\a\\tools.LSP", true},   {u"C:\\a\\tools.Lsp", true},
        {u"C:tools.lsp", true},          {u"C:\\a.b\\x.y.lsp", true},   {u"C:\\a\\tools.lsp.bak", false},
        {u"C:\\a\\tools.lspx", false},   {u"C:\\a\\tools_lsp", false},  {u"C:\\x.lsp\\tools", false},
        {u"C:\\a\\tools.ｌｓｐ", false}, {u"C:\\a\\tools.lsp ", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isLispSourceName(c.name), c.source) << toUtf8(c.name);
    }
}

} // namespace
} // namespace merulan
