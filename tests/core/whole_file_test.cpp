// Writing a file whole or not at all, on real files: a failure at any step leaves the old file as it
// was and nothing else behind, and says why.
#include "platform/file_steps.h"
#include "platform/text_file.h"
#include "platform/whole_file.h"
#include "support/temp_dir.h"
#include "text/error.h"
#include "text/u16text.h"
#include "text/utf8.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace merulan {
namespace {

using Files = std::map<std::u16string, std::string>;

constexpr std::u16string_view kList = u"MerulanList.txt";
constexpr std::u16string_view kBackup = u"MerulanList20240103040506.txt";
constexpr std::u16string_view kReason = u"理由";
const std::string kOld = "old list\r\n";
const std::string kNew(100000, 'n');

TEST(WholeFile, EveryFailureLeavesTheOldFileAndNothingElse) {
    const std::u16string list(kList);
    const std::u16string backup(kBackup);
    enum class Said { Nothing, CannotCreate, CannotKeep };
    const struct {
        const char* what;
        std::set<WriteStep> failing;
        bool keepBackup;
        Said said;
        Files after; // the folder held the old list alone before
    } cases[] = {
        {"written, kept", {}, true, Said::Nothing, {{list, kNew}, {backup, kOld}}},
        {"written, not kept", {}, false, Said::Nothing, {{list, kNew}}},
        {"no hard links: the backup is a copy",
         {WriteStep::HardLink},
         true,
         Said::Nothing,
         {{list, kNew}, {backup, kOld}}},
        {"open", {WriteStep::Open}, true, Said::CannotCreate, {{list, kOld}}},
        {"write", {WriteStep::Write}, true, Said::CannotCreate, {{list, kOld}}},
        {"flush", {WriteStep::Flush}, false, Said::CannotCreate, {{list, kOld}}},
        {"close", {WriteStep::Close}, true, Said::CannotCreate, {{list, kOld}}},
        {"backup", {WriteStep::Backup}, true, Said::CannotKeep, {{list, kOld}}},
        {"replace", {WriteStep::Replace}, true, Said::CannotCreate, {{list, kOld}}},
        {"replace, not kept", {WriteStep::Replace}, false, Said::CannotCreate, {{list, kOld}}},
        {"replace after a copied backup",
         {WriteStep::HardLink, WriteStep::Replace},
         true,
         Said::CannotCreate,
         {{list, kOld}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const testing::TempDir dir;
        const std::u16string path = dir.write(list, kOld);
        const std::u16string backupPath = dir.u16(backup);
        std::u16string message;
        try {
            writeFileWhole(path, kNew, c.keepBackup ? std::optional(backupPath) : std::nullopt, [&](WriteStep step) {
                return c.failing.contains(step) ? std::optional(std::u16string(kReason)) : std::nullopt;
            });
        } catch (const MerulanError& error) {
            message = error.message();
        }
        EXPECT_EQ(dir.files(), c.after);
        EXPECT_EQ(message, c.said == Said::CannotCreate ? formatText(kCannotCreateMessage, {path, kReason})
                           : c.said == Said::CannotKeep ? formatText(kRenameFailedMessage, {path, backupPath, kReason})
                                                        : u"");
    }
}

TEST(WholeFile, ABackupOfTheSameSecondRefusesTheWrite) {
    const testing::TempDir dir;
    const std::u16string path = dir.write(kList, kOld);
    const std::u16string backupPath = dir.write(kBackup, "earlier");
    for (const bool hardLinks : {true, false}) {
        SCOPED_TRACE(hardLinks ? "linked" : "copied");
        std::u16string message;
        try {
            writeFileWhole(path, kNew, backupPath, [&](WriteStep step) {
                return step == WriteStep::HardLink && !hardLinks ? std::optional<std::u16string>(u"-") : std::nullopt;
            });
        } catch (const MerulanError& error) {
            message = error.message();
        }
        EXPECT_EQ(dir.files(), (Files{{std::u16string(kList), kOld}, {std::u16string(kBackup), "earlier"}}));
        // The reason is the system's own.
        EXPECT_TRUE(message.starts_with(formatText(kRenameFailedMessage, {path, backupPath, u""}))) << toUtf8(message);
    }
}

// What a killed write left is removed by the next one; what another writer holds open, and the user's
// own files of a similar name, stay.
TEST(WholeFile, TheNextWriteRemovesTemporaryFilesLeftBehind) {
    const testing::TempDir dir;
    const std::u16string path = dir.write(kList, kOld);
    const std::u16string left = dir.write(u"MerulanList.txt.0123456789abcdef.tmp", "half");
    const std::u16string held = path + u".fedcba9876543210.tmp";
    dir.write(u"MerulanList.txt.notes.tmp", "mine");
    dir.write(u"MerulanList.txt.0123456789abcdeg.tmp", "mine too");
    file_steps::NewFile other;
    bool taken = false;
    ASSERT_FALSE(other.create(held, path, taken));
    EXPECT_TRUE(isTemporaryFileFor(path, left));
    EXPECT_FALSE(isTemporaryFileFor(path, path));

    writeFileWhole(path, kNew);
    ASSERT_FALSE(other.close());
    EXPECT_EQ(dir.files(), (Files{{std::u16string(kList), kNew},
                                  {u"MerulanList.txt.fedcba9876543210.tmp", ""},
                                  {u"MerulanList.txt.notes.tmp", "mine"},
                                  {u"MerulanList.txt.0123456789abcdeg.tmp", "mine too"}}));
}

} // namespace
} // namespace merulan
