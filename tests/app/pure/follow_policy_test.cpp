// When the palette reads its list again, tries again, or tells the user: the follow's rules, step by step,
// and the list source that applies them to a file.
#include "app/follow/follow_policy.h"
#include "app/follow/list_source.h"
#include "text/error.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

namespace merulan {

inline void PrintTo(const FollowAnswer& a, std::ostream* os) {
    const char* steps[] = {"Ignore", "Read", "Report"};
    *os << steps[static_cast<int>(a.step)];
    if (a.lookAgainIn) {
        *os << ", again in " << a.lookAgainIn->count() << " ms";
    }
}

namespace {

using std::chrono::milliseconds;

// A version of the file; 0 is no file at all.
std::optional<FileIdentity> version(int v) {
    return v ? std::optional(FileIdentity{1, 7, static_cast<std::uint64_t>(v), 100}) : std::nullopt;
}

enum Event { Look, Busy, ReadOk, ReadFailed, UserReadFailed };

struct Step {
    Event event;
    int file; // the version the event sees
    bool held;
    int atMs; // for ReadFailed
    FollowAnswer expected;
};

constexpr FollowAnswer kIgnore{};
constexpr FollowAnswer kRead{FollowStep::Read, std::nullopt};
constexpr FollowAnswer kReport{FollowStep::Report, std::nullopt};
constexpr FollowAnswer again(int ms, FollowStep step = FollowStep::Ignore) {
    return {step, milliseconds(ms)};
}

TEST(FollowPolicy, ReadsChangesRetriesAndReportsOnce) {
    const struct {
        const char* what;
        std::vector<Step> steps;
    } cases[] = {
        {"the version shown, and a file gone, are left alone",
         {{ReadOk, 1}, {Look, 1, false, 0, kIgnore}, {Look, 0, false, 0, kIgnore}}},
        {"a change is read", {{ReadOk, 1}, {Look, 2, false, 0, kRead}, {ReadOk, 2}, {Look, 2, false, 0, kIgnore}}},
        {"while the window is busy the look waits", {{ReadOk, 1}, {Busy, 2, false, 0, again(200)}}},
        {"a broken file is tried for half a second, told once, and left until it changes",
         {{ReadOk, 1},
          {Look, 2, false, 0, kRead},
          {ReadFailed, 2, false, 1000, again(100)},
          {ReadFailed, 2, false, 1499, again(100)},
          {ReadFailed, 2, false, 1500, kReport},
          {Look, 2, false, 0, kIgnore},
          {Look, 3, false, 0, kRead}}},
        {"a held file gets two seconds, is told once, then looked at each second until let go",
         {{ReadOk, 1},
          {ReadFailed, 2, true, 0, again(100)},
          {ReadFailed, 2, true, 1999, again(100)},
          {ReadFailed, 2, true, 2000, again(1000, FollowStep::Report)},
          {Look, 2, true, 0, again(1000)},
          {Look, 2, false, 0, kRead},
          {ReadFailed, 2, false, 5000, kIgnore},
          {Look, 2, false, 0, kIgnore}}},
        {"a version that starts failing anew gets its own patience",
         {{ReadFailed, 2, false, 0, again(100)},
          {ReadFailed, 3, false, 400, again(100)},
          {ReadFailed, 3, false, 800, again(100)},
          {ReadFailed, 3, false, 900, kReport}}},
        {"what the user already saw fail is not told again",
         {{UserReadFailed, 2, false, 0, kIgnore}, {Look, 2, false, 0, kIgnore}, {Look, 3, false, 0, kRead}}},
        {"a held file the user saw fail is read once let go",
         {{UserReadFailed, 2, true, 0, again(1000)},
          {Look, 2, true, 0, again(1000)},
          {Look, 2, false, 0, kRead},
          {ReadOk, 2},
          {Look, 2, false, 0, kIgnore}}},
        {"a file missing when the user read it", {{UserReadFailed, 0, false, 0, kIgnore}, {Look, 1, false, 0, kRead}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FollowState state;
        const FollowClock::time_point start{};
        int n = 0;
        for (const Step& step : c.steps) {
            SCOPED_TRACE("step " + std::to_string(n++));
            switch (step.event) {
            case Look:
            case Busy:
                EXPECT_EQ(followLook(state, version(step.file), step.held, step.event == Busy), step.expected);
                break;
            case ReadOk:
                followRead(state, version(step.file));
                break;
            case ReadFailed:
                EXPECT_EQ(followReadFailed(state, *version(step.file), step.held, start + milliseconds(step.atMs)),
                          step.expected);
                break;
            case UserReadFailed:
                EXPECT_EQ(followUserReadFailed(state, version(step.file), step.held), step.expected);
                break;
            }
        }
    }
}

// The source takes the file's identity before it reads, so that a change during the read is read again,
// tells a failure of a read the user asked for at once, and one of its own looks only as the rules say.
TEST(ListSource, AppliesTheRulesToTheFile) {
    int file = 1;       // the version on disk
    int duringRead = 0; // written by another program while the source reads, when not 0
    bool broken = false;
    ListSource::Seams seams;
    seams.identityOf = [&](const std::u16string&) { return version(file); };
    seams.writtenRecently = [](const FileIdentity&) { return false; };
    seams.contentHash = [](const std::u16string&) { return std::optional<std::uint64_t>(); };
    seams.heldForWriting = [](const std::u16string&) { return false; };
    seams.read = [&](const std::u16string& path, TLspRecords& records) {
        EXPECT_EQ(path, u"C:\\M\\MerulanList.txt");
        if (broken) {
            throw MerulanError(u"読めません");
        }
        records = {{0, u"v" + std::u16string(1, static_cast<char16_t>(u'0' + file))}};
        if (duringRead) {
            file = std::exchange(duringRead, 0);
        }
        return true;
    };
    ListSource source(u"C:\\M\\MerulanList.txt", seams);
    const FollowClock::time_point t0{};

    duringRead = 2;
    EXPECT_TRUE(source.read().changed);
    EXPECT_EQ(source.records().front().cmd, u"v1");
    const ListUpdate reread = source.look(false, t0);
    EXPECT_TRUE(reread.changed) << "the version written during the first read";
    EXPECT_EQ(source.records().front().cmd, u"v2");
    EXPECT_FALSE(source.look(false, t0).changed);

    broken = true;
    file = 3;
    EXPECT_EQ(source.look(false, t0).failure, std::nullopt);
    const std::u16string named = u"C:\\M\\MerulanList.txt\n読めません"; // the list named, as it was not
    EXPECT_EQ(source.look(false, t0 + milliseconds(600)).failure, named);
    EXPECT_EQ(source.records().front().cmd, u"v2") << "a failed read keeps the records";
    EXPECT_EQ(source.read().failure, named) << "the user asked: always told";
}

// A save of the same size within the time stamps' resolution (FAT keeps 2 seconds) changes only the bytes:
// while that can be, the bytes tell; once the stamp is older, they are not read again.
TEST(ListSource, ASaveThatKeepsStampAndSizeIsFoundByItsBytes) {
    std::uint64_t bytes = 1; // what the file holds
    bool recent = true;
    int hashed = 0;
    int reads = 0;
    ListSource::Seams seams;
    seams.identityOf = [](const std::u16string&) { return version(5); }; // the stamp and size never change
    seams.writtenRecently = [&](const FileIdentity&) { return recent; };
    seams.contentHash = [&](const std::u16string&) {
        ++hashed;
        return std::optional(bytes);
    };
    seams.heldForWriting = [](const std::u16string&) { return false; };
    seams.read = [&](const std::u16string&, TLspRecords& records) {
        ++reads;
        records = {{0, u"x"}};
        return true;
    };
    ListSource source(u"MerulanList.txt", seams);
    const FollowClock::time_point t0{};
    source.read();
    const struct {
        const char* what;
        std::uint64_t bytes;
        bool recent;
        bool read;
        bool hashes;
    } steps[] = {
        {"the same bytes", 1, true, false, true},
        {"other bytes, same stamp and size", 2, true, true, true},
        {"the stamp grows old, bytes unchanged", 2, false, false, true},
        {"after that the bytes are not read", 2, false, false, false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        bytes = step.bytes;
        recent = step.recent;
        const int readsBefore = reads;
        const int hashedBefore = hashed;
        EXPECT_EQ(source.look(false, t0).changed, step.read);
        EXPECT_EQ(reads - readsBefore, step.read ? 1 : 0);
        EXPECT_EQ(hashed > hashedBefore, step.hashes);
    }
}

} // namespace
} // namespace merulan
