// The settings file through the real profile-file functions (under Wine: code page 932).
#include "app/settings/settings_file.h"

#include "platform/win/wide.h"
#include "support/temp_dir.h"
#include "text/error.h"
#include "text/utf8.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

namespace merulan {
namespace {

const WindowBounds kDesigned{0, 0, 296, 241};
const std::u16string kDesignTarget = u"ターゲット CAD = BricsCAD";

WindowBounds centredDesigned(const ScreenInfo& screen) {
    return {(screen.width - kDesigned.width) / 2, (screen.height - kDesigned.height) / 2, kDesigned.width,
            kDesigned.height};
}

SettingsValues readFile(const std::u16string& path) {
    return SettingsFile(path).read(kDesigned, kDesignTarget, currentScreenInfo());
}

// Offset of each part in text, in order; fails when one is missing or out of order.
void expectInOrder(const std::string& text, std::initializer_list<std::string> parts) {
    size_t from = 0;
    for (const std::string& part : parts) {
        const size_t at = text.find(part, from);
        ASSERT_NE(at, std::string::npos) << "\"" << part << "\" after offset " << from << " in:\n" << text;
        from = at + part.size();
    }
}

TEST(SettingsFile, FirstRunCentresTheDesignedWindowAndTheWriteCreatesFormThenCad) {
    testing::TempDir dir;
    const std::u16string path = dir.u16(u"Merulan.ini");
    const SettingsValues first = readFile(path);
    EXPECT_EQ(first.bounds, centredDesigned(currentScreenInfo()));
    EXPECT_EQ(first.target, kDesignTarget);
    EXPECT_FALSE(std::filesystem::exists(dir / u"Merulan.ini")); // reading creates nothing

    SettingsFile(path).write({-7, 33, 350, 260}, u"ターゲットCAD = AutoCAD");
    expectInOrder(dir.read(u"Merulan.ini"),
                  {"[Form]", "Width=350\r\n", "Height=260\r\n", "Left=-7\r\n", "Top=33\r\n", "[CAD]", "Target="});
    const SettingsValues second = readFile(path);
    EXPECT_EQ(second.bounds, (WindowBounds{-7, 33, 350, 260}));
    EXPECT_EQ(second.target, u"ターゲットCAD = AutoCAD");
}

TEST(SettingsFile, IntegersFollowTheNumberRuleAndFallBackOneByOne) {
    testing::TempDir dir;
    const std::u16string path =
        dir.write(u"Merulan.ini", "[Form]\r\nWidth=0x200\r\nHeight=$200\r\nLeft=abc\r\nTop=  12\r\n");
    const ScreenInfo screen = currentScreenInfo();
    EXPECT_EQ(readFile(path).bounds, (WindowBounds{(screen.width - 512) / 2, 12, 512, 512}));
}

TEST(SettingsFile, StoredBoundsOffEveryMonitorGiveTheCentredDesignedWindow) {
    testing::TempDir dir;
    const std::u16string path =
        dir.write(u"Merulan.ini", "[Form]\r\nWidth=300\r\nHeight=200\r\nLeft=-5000\r\nTop=10\r\n");
    EXPECT_EQ(readFile(path).bounds, centredDesigned(currentScreenInfo()));
}

TEST(SettingsFile, TargetDefaultsOnlyWhenItsKeyIsMissing) {
    struct Case {
        std::string file;
        std::u16string target;
    };
    const Case cases[] = {
        {"[CAD]\r\nTarget=\r\n", u""},
        {"[CAD]\r\nTarget=   \r\n", u""},  // the profile functions trim the blanks away
        {"[cad]\r\ntarget=IJ\r\n", u"IJ"}, // names are case-insensitive
        {"[CAD]\r\nTarget=<merulan:missing:1>\r\n", u"<merulan:missing:1>"},
        {"[CAD]\r\nOther=x\r\n", kDesignTarget},
        {"[Form]\r\nTarget=AutoCAD\r\n", kDesignTarget}, // right key, wrong section
        {"", kDesignTarget},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        testing::TempDir dir;
        EXPECT_EQ(readFile(dir.write(u"Merulan.ini", c.file)).target, c.target);
    }
}

TEST(SettingsFile, AnEmptyTargetIsWrittenBackAndStaysEmpty) {
    testing::TempDir dir;
    const std::u16string path = dir.u16(u"Merulan.ini");
    SettingsFile(path).write({10, 10, 300, 200}, u"");
    expectInOrder(dir.read(u"Merulan.ini"), {"[CAD]", "Target=\r\n"});
    EXPECT_EQ(readFile(path).target, u"");
}

TEST(SettingsFile, TheWriteLeavesTheKeysSectionAsTheUserWroteIt) {
    testing::TempDir dir;
    const std::string keys = "[Keys]\r\n; the palette to the front\r\nActivate=Ctrl+Alt+Space\r\n";
    const std::string form = "[Form]\r\nWidth=1\r\nHeight=2\r\nLeft=3\r\nTop=4\r\n";
    const std::u16string path = dir.write(u"Merulan.ini", keys + form);
    SettingsFile(path).write({10, 20, 300, 200}, u"BricsCAD");
    EXPECT_EQ(dir.read(u"Merulan.ini"),
              keys + "[Form]\r\nWidth=300\r\nHeight=200\r\nLeft=10\r\nTop=20\r\n[CAD]\r\nTarget=BricsCAD\r\n");
    EXPECT_EQ(SettingsFile(path).activateHotkey(), u"Ctrl+Alt+Space");
}

TEST(SettingsFile, NewFilesUseTheAnsiCodePage) {
    ASSERT_EQ(GetACP(), 932u) << "the Wine wrapper should run the tests in a Japanese locale";
    testing::TempDir dir;
    const std::u16string path = dir.u16(u"Merulan.ini");
    SettingsFile(path).write({10, 10, 300, 200}, u"ターゲットCAD = 図面");
    expectInOrder(dir.read(u"Merulan.ini"), {"Target=\x83\x5e\x81\x5b\x83\x51\x83\x62\x83\x67"
                                             "CAD = \x90\x7d\x96\xca\r\n"});
    EXPECT_EQ(readFile(path).target, u"ターゲットCAD = 図面");

    // Characters code page 932 lacks are lost; the ASCII names the target is recognised by are not.
    SettingsFile(path).write({10, 10, 300, 200}, u"ターゲットCAD = 🙂AutoCAD");
    const std::u16string target = readFile(path).target;
    EXPECT_EQ(target.find(u"🙂"), std::u16string::npos) << toUtf8(target);
    EXPECT_NE(target.find(u"AutoCAD"), std::u16string::npos) << toUtf8(target);
}

TEST(SettingsFile, ATargetLongerThanTheBufferIsCutAt2047Characters) {
    testing::TempDir dir;
    const std::u16string path = dir.u16(u"Merulan.ini");
    SettingsFile(path).write({10, 10, 300, 200}, std::u16string(3000, u'A'));
    EXPECT_EQ(readFile(path).target, std::u16string(2047, u'A'));
}

void expectRefused(const std::u16string& path) {
    try {
        SettingsFile(path).write({10, 20, 300, 200}, u"ターゲットCAD = AutoCAD");
        ADD_FAILURE() << "the write was not refused";
    } catch (const MerulanError& e) {
        EXPECT_EQ(e.message(), path + u" に書き込めません");
    }
}

TEST(SettingsFile, AFileInUseRefusesTheFirstKeyAndKeepsItsContent) {
    testing::TempDir dir;
    const std::string before = "[Form]\r\nWidth=1\r\n[CAD]\r\nTarget=BricsCAD\r\n";
    const std::u16string path = dir.write(u"Merulan.ini", before);
    {
        // Another process holding the file without sharing is one way a platform refuses a write.
        const HANDLE holder = CreateFileW(wide(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        expectRefused(path);
        CloseHandle(holder);
    }
    EXPECT_EQ(dir.read(u"Merulan.ini"), before);
    // Nothing of the refused write lingers in the profile cache.
    const SettingsValues after = readFile(path);
    EXPECT_EQ(after.bounds.width, 1);
    EXPECT_EQ(after.target, u"BricsCAD");
}

// A settings file that the test run prepared outside Wine so that it cannot change.
TEST(SettingsFile, AReadOnlyFileRefusesTheWrite) {
    const char* prepared = std::getenv("MERULAN_READ_ONLY_FOLDER");
    if (!prepared) {
        GTEST_SKIP() << "needs the folder that ctest prepares (MERULAN_READ_ONLY_FOLDER)";
    }
    const std::u16string path = fromUtf8(prepared) + u"\\Merulan.ini";
    const HANDLE probe = CreateFileW(wide(path), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        GTEST_SKIP() << "this file system let the file stay writable";
    }
    const std::string before = "[Form]\r\nWidth=1\r\n";
    ASSERT_EQ(testing::fileBytes(std::filesystem::path(path)), before);
    expectRefused(path);
    EXPECT_EQ(testing::fileBytes(std::filesystem::path(path)), before);
}

TEST(SettingsFile, AMissingFolderRefusesTheWrite) {
    testing::TempDir dir;
    const std::u16string path = dir.u16(u"gone\\Merulan.ini");
    expectRefused(path);
    EXPECT_FALSE(std::filesystem::exists(dir / u"gone"));
}

TEST(SettingsFile, ThePathFollowsTheExecutablesName) {
    const std::u16string exe = executablePath();
    ASSERT_TRUE(exe.ends_with(u"merulan_settings_tests.exe")) << toUtf8(exe);
    EXPECT_EQ(settingsPathFor(exe), exe.substr(0, exe.size() - 4) + u".ini");
}

// In the user's folder the CAD manager's Merulan.ini beside the executable names the shared list when it names
// one; the user's own says it otherwise.
TEST(SettingsFile, TheSharedListOfTheDeployedSettingsWinsInTheUserFolder) {
    testing::TempDir exe, user;
    std::filesystem::create_directories(exe / u"sub");
    const std::u16string executable = exe.u16(u"Merulan.exe");
    const struct {
        const char* what;
        std::string deployed, own;
        bool inUserFolder;
        std::u16string expected;
    } cases[] = {
        {"deployed wins", "[List]\r\nShared=sub\\A.txt\r\n", "[List]\r\nShared=C:\\B.txt\r\n", true,
         exe.u16(u"sub") + u"\\A.txt"},
        {"deployed blank", "[List]\r\nShared= \r\n", "[List]\r\nShared=C:\\B.txt\r\n", true, u"C:\\B.txt"},
        {"beside the executable, one file", "[List]\r\nShared=sub\\A.txt\r\n", "", false, exe.u16(u"sub") + u"\\A.txt"},
        {"none", "", "", true, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        exe.write(u"Merulan.ini", c.deployed);
        user.write(u"Merulan.ini", c.own);
        const PaletteFiles files{c.inUserFolder ? user.u16() + u"\\" : exe.u16() + u"\\",
                                 (c.inUserFolder ? user : exe).u16(u"Merulan.ini"), u"", c.inUserFolder};
        EXPECT_EQ(sharedListPathOf(files, executable), c.expected);
    }
}

} // namespace
} // namespace merulan
