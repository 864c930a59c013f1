#include "app/settings/palette_files.h"
#include "support/print.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

namespace merulan {
namespace {

// Where the files go, and what a first start in the user's folder copies there.
TEST(PaletteFiles, BesideTheExecutableUnlessItsFolderCannotBeWritten) {
    const struct {
        const char* what;
        bool writable;
        std::vector<std::u16string> existing;
        std::u16string folder;
        std::vector<std::pair<std::u16string, std::u16string>> copies;
    } cases[] = {
        {"a folder the user can write", true, {u"C:\\CAD\\Merulan.ini"}, u"C:\\CAD\\", {}},
        {"a read-only folder: both files are the starting point",
         false,
         {u"C:\\CAD\\Merulan.ini", u"C:\\CAD\\MerulanList.txt"},
         u"U:\\AppData\\Merulan\\",
         {{u"C:\\CAD\\Merulan.ini", u"U:\\AppData\\Merulan\\Merulan.ini"},
          {u"C:\\CAD\\MerulanList.txt", u"U:\\AppData\\Merulan\\MerulanList.txt"}}},
        {"the user's own files are kept",
         false,
         {u"C:\\CAD\\Merulan.ini", u"C:\\CAD\\MerulanList.txt", u"U:\\AppData\\Merulan\\MerulanList.txt"},
         u"U:\\AppData\\Merulan\\",
         {{u"C:\\CAD\\Merulan.ini", u"U:\\AppData\\Merulan\\Merulan.ini"}}},
        {"nothing beside the executable to start from", false, {}, u"U:\\AppData\\Merulan\\", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::pair<std::u16string, std::u16string>> copies;
        std::vector<std::u16string> created;
        PaletteFileSeams seams;
        seams.canWrite = [&](const std::u16string& folder) {
            EXPECT_EQ(folder, u"C:\\CAD\\");
            return c.writable;
        };
        seams.userDataFolder = [] { return std::u16string(u"U:\\AppData\\"); };
        seams.localDataFolder = []() -> std::u16string { throw std::logic_error("asked only for a shared list"); };
        seams.fileExists = [&](const std::u16string& path) {
            return std::find(c.existing.begin(), c.existing.end(), path) != c.existing.end();
        };
        seams.createFolder = [&](const std::u16string& folder) { created.push_back(folder); };
        seams.copyFile = [&](const std::u16string& from, const std::u16string& to) { copies.emplace_back(from, to); };

        const PaletteFiles files = paletteFilesFor(u"C:\\CAD\\Merulan.exe", seams);
        EXPECT_EQ(files.folder, c.folder);
        EXPECT_EQ(files.settingsPath, c.folder + u"Merulan.ini");
        EXPECT_EQ(files.listPath, c.folder + u"MerulanList.txt");
        EXPECT_EQ(files.inUserFolder, !c.writable);
        EXPECT_EQ(created, c.writable ? std::vector<std::u16string>{} : std::vector{c.folder});
        EXPECT_EQ(copies, c.copies);
    }
    PaletteFileSeams local;
    local.localDataFolder = [] { return std::u16string(u"L:\\Local\\"); };
    EXPECT_EQ(sharedCopyPathFor(local), u"L:\\Local\\Merulan\\MerulanShared.txt");
}

} // namespace
} // namespace merulan
