// Replacing the list file: the order of rename and write, and what is left when one of them fails.
#include "app/drop/drop_import.h"
#include "lispindex/source_import.h"
#include "platform/system_codepage.h"
#include "platform/text_file.h"
#include "platform/win/wide.h"
#include "support/temp_dir.h"
#include "text/error.h"
#include "text/u16text.h"
#include "text/utf8.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>
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
    ReplaceList() : ansi(systemAnsiCodePage()), seams(fileSystemSeams(*ansi)) {
        listPath = dir.u16(u"MerulanList.txt");
        backupPath = dir.u16(u"MerulanList20240103040506.txt");
    }

    // The real move, counted; the calls after the first few can be made to fail.
    void countMoves(int failFromCall, DWORD error) {
        seams.moveFile = [this, failFromCall, error, real = seams.moveFile](const std::u16string& from,
                                                                            const std::u16string& to, bool replace) {
            ++moves;
            return moves >= failFromCall ? std::optional(systemErrorText(error)) : real(from, to, replace);
        };
    }

    // A write that gets as far as creating the file and then fails, as a full disk would.
    void failWrites(std::u16string reason) {
        seams.writeList = [this, reason](const std::u16string& path, const LineList&) {
            dir.write(std::filesystem::path(path).filename().u16string(), "half");
            throw MerulanError(formatText(kCannotCreateMessage, {path, reason}));
        };
    }

    testing::TempDir dir;
    std::unique_ptr<AnsiCodePage> ansi;
    DropImportSeams seams;
    std::u16string listPath;
    std::u16string backupPath;
    int moves = 0;
};

TEST_F(ReplaceList, ARefusedRenameWritesNothing) {
    dir.write(u"MerulanList.txt", kOldBytes);
    dir.write(u"MerulanList20240103040506.txt", "an earlier backup of the same second");
    bool written = false;
    seams.writeList = [&](const std::u16string&, const LineList&) { written = true; };
    EXPECT_EQ(messageThrownBy([&] { replaceListFile(listPath, backupPath, kNewList, seams); }),
              formatText(kRenameFailedMessage, {listPath, backupPath, systemErrorText(ERROR_ALREADY_EXISTS)}));
    EXPECT_FALSE(written);
    EXPECT_EQ(dir.read(u"MerulanList.txt"), kOldBytes);
    EXPECT_EQ(dir.read(u"MerulanList20240103040506.txt"), "an earlier backup of the same second");
}

TEST_F(ReplaceList, AFailedWriteAfterTheRenamePutsTheListBack) {
    dir.write(u"MerulanList.txt", kOldBytes);
    failWrites(u"ディスクがいっぱいです。");
    EXPECT_EQ(messageThrownBy([&] { replaceListFile(listPath, backupPath, kNewList, seams); }),
              formatText(kCannotCreateMessage, {listPath, u"ディスクがいっぱいです。"}));
    // The half-written file gave way to the list the user had.
    EXPECT_EQ(filesIn(dir), std::vector<std::u16string>{u"MerulanList.txt"});
    EXPECT_EQ(dir.read(u"MerulanList.txt"), kOldBytes);
}

TEST_F(ReplaceList, AFailedWriteWithoutAnOldListIsPassedOn) {
    countMoves(99, 0);
    failWrites(u"理由");
    EXPECT_EQ(messageThrownBy([&] { replaceListFile(listPath, backupPath, kNewList, seams); }),
              formatText(kCannotCreateMessage, {listPath, u"理由"}));
    EXPECT_EQ(moves, 0);
}

TEST_F(ReplaceList, WhenTheListCannotGoBackTheMessageSaysWhereItIs) {
    dir.write(u"MerulanList.txt", kOldBytes);
    countMoves(2, ERROR_ACCESS_DENIED);
    failWrites(u"理由");
    const std::u16string writeFailure = formatText(kCannotCreateMessage, {listPath, u"理由"});
    const std::u16string message = messageThrownBy([&] { replaceListFile(listPath, backupPath, kNewList, seams); });
    EXPECT_EQ(message, formatText(kListLeftAtBackupMessage,
                                  {writeFailure, backupPath, listPath, systemErrorText(ERROR_ACCESS_DENIED)}));
    EXPECT_NE(message.find(u"MerulanList20240103040506.txt にあります"), std::u16string::npos);
    EXPECT_EQ(dir.read(u"MerulanList20240103040506.txt"), kOldBytes);
}

TEST_F(ReplaceList, AnyFailureOfTheWriteIsReportedWithTheList) {
    dir.write(u"MerulanList.txt", kOldBytes);
    seams.writeList = [](const std::u16string&, const LineList&) { throw std::runtime_error("out of memory"); };
    EXPECT_THROW(replaceListFile(listPath, backupPath, kNewList, seams), std::runtime_error);
    EXPECT_EQ(dir.read(u"MerulanList.txt"), kOldBytes);

    countMoves(2, ERROR_ACCESS_DENIED);
    const std::u16string message = messageThrownBy([&] { replaceListFile(listPath, backupPath, kNewList, seams); });
    EXPECT_EQ(message.rfind(u"out of memory\n", 0), 0u) << toUtf8(message);
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
