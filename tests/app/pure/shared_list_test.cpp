// The office's shared list: merged with the user's own, shown from the server or from the copy, and read on a
// thread of its own through a seam that can succeed, fail or block.
#include "app/follow/shared_list_reader.h"
#include "app/follow/shared_shown.h"
#include "cmdlist/record_merge.h"
#include "support/japanese_code_page.h"
#include "text/error.h"
#include "text/line_list.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

namespace merulan {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

TEST(SharedMerge, SharedRowsComeFirstMarkedAndApart) {
    const TLspRecords shared{{0, u"社内"}, {1, u"WALL", u"壁"}, {-1, u"bad"}};
    const TLspRecords personal{{0, u"自分"}, {2, u"LINE", u"線分"}};
    const TLspRecords merged = mergedRecords(shared, personal);
    ASSERT_EQ(merged.size(), 4u) << "a row no list can have is left out";
    EXPECT_EQ(merged[0].row, kSharedRowBase);
    EXPECT_EQ(merged[1].row, kSharedRowBase + 1);
    EXPECT_TRUE(merged[0].shared && merged[1].shared);
    EXPECT_EQ(merged[2], personal[0]);
    EXPECT_EQ(merged[3], personal[1]);
    EXPECT_EQ(mergedRecords({}, personal), personal);
}

TEST(SharedShown, TheServersListElseTheCopyWithItsDate) {
    using Kind = SharedNews::Kind;
    const TLspRecords server{{0, u"WALL", u"壁"}};
    const TLspRecords kept{{0, u"OLD", u"古い"}};
    const std::u16string copyNote =
        u"共有リスト：サーバーから読めないため、2026/12/09 08:05 に取得したコピーを表示しています";
    const std::u16string noCopyNote = u"共有リスト：サーバーから読めず、この PC にコピーもありません";
    enum Event { News, Waited };
    struct Step {
        Event event;
        Kind kind;
        bool copyThere;
        bool changes;
        TLspRecords records;
        std::u16string note; // empty: none
    };
    const struct {
        const char* what;
        std::vector<Step> steps;
    } cases[] = {
        {"the server answers in time",
         {{News, Kind::Read, true, true, server, u""}, {Waited, {}, true, false, server, u""}}},
        {"a slow server: the copy, then the server's list",
         {{Waited, {}, true, true, kept, copyNote}, {News, Kind::Read, true, true, server, u""}}},
        {"no server: the copy, told once",
         {{News, Kind::Unreachable, true, true, kept, copyNote}, {Waited, {}, true, false, kept, copyNote}}},
        {"no server and no copy", {{News, Kind::Unreachable, false, true, {}, noCopyNote}}},
        {"the server goes away after a read: the copy, dated",
         {{News, Kind::Read, true, true, server, u""}, {News, Kind::Unreachable, true, true, kept, copyNote}}},
        {"a list that cannot be read keeps the server's list",
         {{News, Kind::Read, true, true, server, u""}, {News, Kind::Failure, true, false, server, u""}}},
        {"a list that cannot be read at first shows the copy",
         {{News, Kind::Failure, true, true, kept, copyNote}, {News, Kind::Failure, true, false, kept, copyNote}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SharedShown shown;
        int n = 0;
        for (const Step& step : c.steps) {
            SCOPED_TRACE(n++);
            const SharedShown::CopyReader readCopy = [&]() -> std::optional<SharedCopy> {
                return step.copyThere ? std::optional(SharedCopy{kept, {2026, 12, 9, 8, 5, 30}}) : std::nullopt;
            };
            const bool changed =
                step.event == News ? shown.take({step.kind, server, u"理由"}, readCopy) : shown.waitedEnough(readCopy);
            EXPECT_EQ(changed, step.changes);
            EXPECT_EQ(shown.records(), step.records);
            EXPECT_EQ(shown.note().value_or(u""), step.note);
        }
    }
}

// The reader's thread tells what it read; a file that cannot be read, or is not there, is told; a read that
// blocks (a server that does not answer) never holds the one who ends the reader.
class SharedReader : public ::testing::Test {
protected:
    SharedListReader::Seams seams() {
        SharedListReader::Seams s;
        s.probes.identityOf = [this](const std::u16string&) -> std::optional<FileIdentity> {
            const std::lock_guard lock(mutex);
            return there ? std::optional(FileIdentity{1, 1, bytes.size(), 7}) : std::nullopt;
        };
        s.probes.writtenRecently = [](const FileIdentity&) { return false; };
        s.probes.contentHash = [](const std::u16string&) { return std::optional<std::uint64_t>(); };
        s.probes.heldForWriting = [](const std::u16string&) { return false; };
        s.readBytes = [this](const std::u16string& path) -> std::optional<std::string> {
            EXPECT_EQ(path, u"\\\\server\\cad\\MerulanList.txt");
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return !blocked; });
            std::optional<std::string> result = there ? std::optional(bytes) : std::nullopt;
            ++readsDone; // the reader's thread touches nothing of the test after this
            changed.notify_all();
            return result;
        };
        s.keepCopy = [this](std::string_view kept) {
            const std::lock_guard lock(mutex);
            copies.emplace_back(kept);
        };
        s.tell = [this](SharedNews news) {
            const std::lock_guard lock(mutex);
            told.push_back(std::move(news));
            changed.notify_all();
        };
        return s;
    }
    bool toldWithin(std::size_t count) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, seconds(20), [&] { return told.size() >= count; });
    }
    std::unique_ptr<SharedListReader> start() {
        return std::make_unique<SharedListReader>(u"\\\\server\\cad\\MerulanList.txt",
                                                  std::shared_ptr<const AnsiCodePage>(codePageById(932)), seams(),
                                                  milliseconds(50));
    }

    std::mutex mutex;
    std::condition_variable changed;
    bool there = true;
    bool blocked = false;
    std::string bytes = "\xEF\xBB\xBF社内\r\nWALL\t壁\r\n";
    std::vector<std::string> copies;
    std::vector<SharedNews> told;
    int readsDone = 0;
};

TEST_F(SharedReader, TellsWhatItReadAndKeepsItsCopy) {
    auto reader = start();
    ASSERT_TRUE(toldWithin(1));
    {
        const std::lock_guard lock(mutex);
        EXPECT_EQ(told[0].kind, SharedNews::Kind::Read);
        EXPECT_EQ(told[0].records, (TLspRecords{{0, u"社内"}, {1, u"WALL", u"壁"}}));
        EXPECT_EQ(copies, std::vector<std::string>{bytes});
        bytes = "\xEF\xBB\xBF\xE7\xA4\xBE\xFF\r\n"; // saved broken on the server
    }
    reader->wake();
    ASSERT_TRUE(toldWithin(2));
    {
        const std::lock_guard lock(mutex);
        EXPECT_EQ(told[1].kind, SharedNews::Kind::Failure);
        EXPECT_EQ(told[1].failure, u"\\\\server\\cad\\MerulanList.txt\n" + std::u16string(kInvalidUtf8Message));
        EXPECT_EQ(copies.size(), 1u) << "a list that cannot be read is not kept";
        there = false; // the server goes away
    }
    ASSERT_TRUE(toldWithin(3));
    const std::lock_guard lock(mutex);
    EXPECT_EQ(told[2].kind, SharedNews::Kind::Unreachable);
}

TEST_F(SharedReader, AReadThatBlocksNeverHoldsTheOneWhoEndsIt) {
    blocked = true;
    start().reset(); // returns although its thread waits in the read
    {
        const std::lock_guard lock(mutex);
        blocked = false;
    }
    changed.notify_all();
    std::unique_lock lock(mutex);
    ASSERT_TRUE(changed.wait_for(lock, seconds(20), [&] { return readsDone == 1; }));
    EXPECT_FALSE(changed.wait_for(lock, milliseconds(300), [&] { return !told.empty(); }))
        << "nothing is told after the reader has gone";
}

TEST_F(SharedReader, TheServersListIsToldAgainWhenTheServerComesBackUnchanged) {
    auto reader = start();
    ASSERT_TRUE(toldWithin(1));
    {
        const std::lock_guard lock(mutex);
        there = false; // the server goes away (a sleep, a VPN drop)
    }
    ASSERT_TRUE(toldWithin(2));
    {
        const std::lock_guard lock(mutex);
        EXPECT_EQ(told[1].kind, SharedNews::Kind::Unreachable);
        there = true; // and comes back with the same file
    }
    ASSERT_TRUE(toldWithin(3)) << "the palette keeps saying the server cannot be reached";
    const std::lock_guard lock(mutex);
    EXPECT_EQ(told[2].kind, SharedNews::Kind::Read);
}

} // namespace
} // namespace merulan
