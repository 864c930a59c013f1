// Long paths: the form the file calls take, and files at such paths written, found and read back.
#include "platform/long_path.h"
#include "platform/text_file.h"
#include "support/temp_dir.h"
#include "text/utf8.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace merulan {
namespace {

using testing::TempDir;

std::u16string padded(std::u16string head, std::size_t length) {
    head.resize(length, u'a');
    return head;
}

TEST(FileCallPath, OnlyFullPathsPastTheLimitGetThePrefix) {
    const std::u16string drive = padded(u"C:\\CAD\\", kClassicPathLimit);
    const std::u16string share = padded(u"\\\\server\\share\\", kClassicPathLimit + 40);
    struct Case {
        const char* what;
        std::u16string path;
        std::u16string expected;
    };
    const Case cases[] = {
        {"short path unchanged", u"C:\\CAD\\tools.lsp", u"C:\\CAD\\tools.lsp"},
        {"one under the limit unchanged", padded(u"C:\\", kClassicPathLimit - 1),
         padded(u"C:\\", kClassicPathLimit - 1)},
        {"drive path at the limit", drive, u"\\\\?\\" + drive},
        {"forward slashes become backslashes", padded(u"d:/CAD/", kClassicPathLimit),
         u"\\\\?\\" + padded(u"d:\\CAD\\", kClassicPathLimit)},
        {"share", share, u"\\\\?\\UNC\\" + share.substr(2)},
        {"already prefixed", u"\\\\?\\" + drive, u"\\\\?\\" + drive},
        {"device path", padded(u"\\\\.\\pipe\\", kClassicPathLimit), padded(u"\\\\.\\pipe\\", kClassicPathLimit)},
        {"relative path left to the system", padded(u"CAD\\", kClassicPathLimit), padded(u"CAD\\", kClassicPathLimit)},
        {"drive-relative path", padded(u"C:CAD\\", kClassicPathLimit), padded(u"C:CAD\\", kClassicPathLimit)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(fileCallPath(c.path), c.expected);
    }
}

TEST(FileCallPath, FilesPastTheLimitAreWrittenFoundAndRead) {
    TempDir dir;
    // Nested folders: no single name may pass 255 units.
    std::filesystem::path folder = dir.path();
    while (folder.u16string().size() < kClassicPathLimit) {
        folder /= std::u16string(60, u'f');
    }
    std::filesystem::create_directories(folder);
    const std::u16string path = (folder / u"MerulanList.txt").u16string();
    ASSERT_GE(path.size(), kClassicPathLimit);

    writeFileBytes(path, "LINE\t\x90\xfc\x95\xaa\r\n");
    EXPECT_TRUE(fileExists(path));
    EXPECT_EQ(readFileBytes(path), "LINE\t\x90\xfc\x95\xaa\r\n");
}

} // namespace
} // namespace merulan
