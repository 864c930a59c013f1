// What the follow asks of a file without reading it.
#include "platform/file_probes.h"
#include "platform/text_file.h"
#include "support/temp_dir.h"
#include "text/error.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"
#endif

namespace merulan {
namespace {

TEST(FileIdentity, ChangesWithWhatThePathHolds) {
    testing::TempDir dir;
    const std::u16string path = dir.write(u"MerulanList.txt", "one");
    const auto first = fileIdentityOf(path);
    ASSERT_TRUE(first);
    EXPECT_EQ(fileIdentityOf(path), first) << "nothing changed";
    dir.write(u"other.txt", "longer");
    std::filesystem::rename(dir / u"other.txt", dir / u"MerulanList.txt");
    EXPECT_NE(fileIdentityOf(path), first) << "saved by rename";
    EXPECT_EQ(fileIdentityOf(dir.u16(u"gone.txt")), std::nullopt);
    EXPECT_EQ(fileIdentityOf(dir.u16()), std::nullopt) << "a folder is no file";
}

#ifdef _WIN32
// The probe says "held" exactly when the list's reader fails on the file's sharing: a file the reader can
// read is never taken for held, and one it cannot read is never taken for broken.
TEST(FileHeldForWriting, AgreesWithTheReader) {
    testing::TempDir dir;
    const std::u16string path = dir.write(u"MerulanList.txt", "list");
    const struct {
        const char* what;
        DWORD access;
        DWORD share;
        bool held;
    } cases[] = {
        {"another reader", GENERIC_READ, FILE_SHARE_READ, false},
        {"a program with delete access (a save by rename)", DELETE, FILE_SHARE_READ, false},
        {"a writer", GENERIC_WRITE, FILE_SHARE_READ, true},
        {"a writer that shares everything", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
         true},
        {"an exclusive reader", GENERIC_READ, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const UniqueFileHandle holder(
            CreateFileW(wide(path), c.access, c.share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(holder);
        EXPECT_EQ(fileHeldForWriting(path), c.held);
        bool readFailed = false;
        try {
            readFileBytes(path);
        } catch (const MerulanError&) {
            readFailed = true;
        }
        EXPECT_EQ(readFailed, c.held);
    }
    EXPECT_FALSE(fileHeldForWriting(path)) << "let go";
}
#endif

} // namespace
} // namespace merulan
