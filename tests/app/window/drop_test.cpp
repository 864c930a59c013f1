// Dropping AutoLISP sources on the palette: which file is read, the question, the backup and the new
// list, and what stays when something fails.
#include "app/drop/drop_import.h"
#include "app/boxes/error_box_text.h"
#include "platform/system_codepage.h"
#include "platform/text_file.h"
#include "platform/win/wide.h"
#include "support/drop_files.h"
#include "support/form_harness.h"
#include "text/u16text.h"
#include "text/utf8.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace merulan::testing {
namespace {

using Texts = std::vector<std::u16string>;

// Three commands: two with a description from the comment above them, one without.
constexpr std::u16string_view kThreeCommands = u"(setq x 1)\r\n"
                                               u";;; 線分を引く\r\n"
                                               u"(defun c:sen (a / b) 1)\r\n"
                                               u";;; 円を描く\r\n"
                                               u"(defun C:En () 1)\r\n"
                                               u"(defun c:zz () 1)\r\n";
const Texts kThreeCommandsIndex = {u"EN\t円を描く", u"SEN A\t線分を引く", u"ZZ\t..."};
const Texts kThreeCommandsNodes = {u"[EN] 円を描く", u"[SEN A] 線分を引く", u"[ZZ] ..."};
constexpr std::u16string_view kOneCommand = u"(defun c:one () 1)\r\n";
constexpr std::u16string_view kTwoCommands = u"(defun c:one () 1)\r\n(defun c:two () 2)\r\n";
constexpr std::u16string_view kOldList = u"作図\r\nLINE\t線分\r\n";
const Texts kOldNodes = {u"作図", u"[LINE] 線分"};
constexpr StampTime kAnswerTime{2024, 1, 3, 4, 5, 6};
constexpr std::u16string_view kBackupName = u"MerulanList20240103040506.txt";

std::string ansiBytes(std::u16string_view text) {
    return *systemAnsiCodePage()->encodeExact(text);
}

std::u16string question(int count) {
    return decimalText(count) + u" 個のコマンドが検出されました．\nコマンドリストを置き換えますか？\n"
                                u"(現在のコマンドリストは日付時刻を追加したファイル名で保存されます)";
}

std::string listBytes(const Texts& lines) {
    std::u16string text;
    for (const auto& line : lines) {
        text += line + u"\r\n";
    }
    return ansiBytes(text);
}

Texts filesIn(const std::u16string& folder) {
    Texts names;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(folder))) {
        names.push_back(entry.path().filename().u16string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void writeFile(const std::u16string& path, std::string_view bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string utf8(std::u16string_view text) {
    return toUtf8(text);
}

class Drop : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(GetACP(), 932u) << "the tests run with the Japanese code page"; }

    std::unique_ptr<TMerulanForm> open(bool withList = true) {
        if (withList) {
            harness.writeList(kOldList);
        }
        return harness.open();
    }

    // A source outside the executable's folder.
    std::u16string source(std::u16string_view name, std::string_view bytes) {
        const std::u16string path = elsewhere.u16(name);
        writeFile(path, bytes);
        return path;
    }

    // Drops the names and checks that the window released the drop, whatever it did with it.
    void drop(const TMerulanForm& form, const Texts& names) {
        const HGLOBAL block = dropFiles(form.handle(), names);
        EXPECT_TRUE(dropReleased(block)) << "DragFinish";
    }

    FormHarness harness;
    TempDir elsewhere;
};

TEST_F(Drop, OnlyLispSourcesAreRead) {
    const struct {
        const char* what;
        Texts names; // names in elsewhere
        std::u16string_view asked;
    } cases[] = {
        {"the .LSP ones are not first", {u"a.txt", u"b.lsp", u"c.lsp"}, u"5 個のコマンドが 2 個のファイルから"},
        {"lower case", {u"b.lsp"}, u"2 個"},
        {"upper case", {u"B.LSP"}, u"2 個"}, // the same file as b.lsp to Windows
        {"mixed case", {u"c.Lsp"}, u"3 個"},
        {"a further extension", {u"d.lsp.bak", u"a.txt"}, u""},
        {"an extension that only begins so", {u"e.lspx"}, u""},
        {"no names at all", {}, u""},
    };
    // Every file holds commands: which one was read shows in the count the question gives.
    source(u"a.txt", utf8(kThreeCommands));
    source(u"b.lsp", utf8(kOneCommand));
    source(u"c.Lsp", utf8(kTwoCommands));
    source(u"d.lsp.bak", utf8(kOneCommand));
    source(u"e.lspx", utf8(kOneCommand));
    const auto form = open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        harness.questions.clear();
        Texts paths;
        for (const auto& name : c.names) {
            paths.push_back(elsewhere.u16(name));
        }
        drop(*form, paths);
        if (c.asked.empty()) {
            EXPECT_TRUE(harness.questions.empty());
        } else {
            ASSERT_EQ(harness.questions.size(), 1u);
            EXPECT_EQ(harness.questions[0].rfind(c.asked, 0), 0u) << utf8(harness.questions[0]);
        }
    }
    EXPECT_TRUE(harness.errors.empty());
    EXPECT_EQ(fileBytes(harness.listPath()), "\xEF\xBB\xBF" + utf8(kOldList)) << "No was the answer";
    EXPECT_EQ(treeTexts(form->TreeView1.handle()), kOldNodes);
}

TEST_F(Drop, TheQuestionCountsCommandsAndLoadEntryAndNoWritesNothing) {
    const std::u16string path = source(u"tools.lsp", utf8(kThreeCommands));
    const auto form = open();
    SendMessageW(form->Button2, BM_CLICK, 0, 0); // the flat view stays
    const Texts shown = treeTexts(form->TreeView1.handle());
    drop(*form, {path});
    ASSERT_EQ(harness.questions.size(), 1u);
    EXPECT_EQ(harness.questions[0], question(4));
    EXPECT_EQ(harness.questionOwners[0], form->handle());
    EXPECT_EQ(filesIn(harness.folder()), Texts{u"MerulanList.txt"});
    EXPECT_EQ(fileBytes(harness.listPath()), "\xEF\xBB\xBF" + utf8(kOldList));
    EXPECT_EQ(treeTexts(form->TreeView1.handle()), shown);
}

TEST_F(Drop, ASourceWithoutCommandsAsksNothing) {
    const std::u16string path = source(u"helpers.lsp", utf8(u";;; 補助\r\n(defun helper (a) a)\r\n(setq c:x 1)\r\n"));
    const auto form = open();
    drop(*form, {path});
    EXPECT_TRUE(harness.questions.empty());
    EXPECT_TRUE(harness.errors.empty());
    EXPECT_EQ(filesIn(harness.folder()), Texts{u"MerulanList.txt"});
    EXPECT_EQ(treeTexts(form->TreeView1.handle()), kOldNodes);
}

TEST_F(Drop, YesKeepsTheOldListUnderTheTimeOfTheAnswerAndShowsTheNewOneGrouped) {
    const std::u16string path = source(u"tools.lsp", utf8(kThreeCommands));
    const auto form = open();
    SendMessageW(form->Button2, BM_CLICK, 0, 0); // flat before: grouped after
    harness.answerYes = true;
    bool askedBeforeTheClock = false;
    harness.localTime = [&] {
        askedBeforeTheClock = harness.questions.size() == 1;
        return kAnswerTime;
    };
    drop(*form, {path});

    EXPECT_TRUE(askedBeforeTheClock);
    EXPECT_TRUE(harness.errors.empty());
    EXPECT_EQ(filesIn(harness.folder()), (Texts{u"MerulanList.txt", std::u16string(kBackupName)}));
    EXPECT_EQ(fileBytes(harness.folder() + std::u16string(kBackupName)), "\xEF\xBB\xBF" + utf8(kOldList));
    Texts lines = {u"tools"};
    lines.insert(lines.end(), kThreeCommandsIndex.begin(), kThreeCommandsIndex.end());
    lines.push_back(u"LOAD\tロード tools.lsp\t" + path);
    EXPECT_EQ(fileBytes(harness.listPath()), listBytes(lines));

    // The heading, its commands, and the load entry as its last child.
    const std::vector<TreeNode> nodes = treeNodes(form->TreeView1.handle());
    ASSERT_EQ(nodes.size(), 5u);
    EXPECT_EQ(nodes[0].text, u"tools");
    EXPECT_EQ(nodes[0].depth, 0);
    for (size_t i = 1; i < 4; ++i) {
        EXPECT_EQ(nodes[i].text, kThreeCommandsNodes[i - 1]);
        EXPECT_EQ(nodes[i].depth, 1);
    }
    EXPECT_EQ(nodes[4].text, u"{LOAD} ロード tools.lsp");
    EXPECT_EQ(nodes[4].depth, 1);
    EXPECT_EQ(lspRecords.size(), 5u);
}

TEST_F(Drop, YesWithoutAListWritesItWithoutABackup) {
    const std::u16string path = source(u"tools.lsp", utf8(kOneCommand));
    const auto form = open(false);
    harness.answerYes = true;
    drop(*form, {path});
    EXPECT_TRUE(harness.errors.empty());
    EXPECT_EQ(filesIn(harness.folder()), Texts{u"MerulanList.txt"});
    EXPECT_EQ(treeTexts(form->TreeView1.handle()), (Texts{u"tools", u"[ONE] ...", u"{LOAD} ロード tools.lsp"}));
}

// Several sources, folders and Ctrl: which sources make blocks and in what order shows in the headings
// of the grouped view; every Yes leaves the old list as the backup.
TEST_F(Drop, ALibraryBecomesOneListInDropThenFolderOrder) {
    constexpr std::u16string_view note = u"\n(現在のコマンドリストは日付時刻を追加したファイル名で保存されます)";
    const std::u16string replace = u"\nコマンドリストを置き換えますか？" + std::u16string(note);
    const std::u16string append = u"\n現在のコマンドリストの後に追加しますか？" + std::u16string(note);
    const std::u16string bad = source(u"bad.lsp", "\xEF\xBB\xBF(defun c:a () 1)\xFF\r\n");
    source(u"two.lsp", utf8(kTwoCommands));
    source(u"one.LSP", utf8(kOneCommand));
    source(u"helpers.lsp", utf8(u"(defun helper (a) a)\r\n"));
    source(u"notes.txt", utf8(kOneCommand));
    for (const auto name : {u"lib\\lib10.lsp", u"lib\\lib9.lsp", u"lib\\Lib1.lsp", u"lib\\sub\\inner.lsp",
                            u"lib\\readme.txt", u"empty\\sub\\inner.lsp"}) {
        source(name, utf8(kOneCommand));
    }
    const struct {
        const char* what;
        Texts names; // in elsewhere
        bool control;
        bool yes;
        std::u16string question; // none asked when empty
        Texts headings;          // the list unchanged when empty
        std::u16string error;
    } cases[] = {
        {"several files, in drop order",
         {u"two.lsp", u"notes.txt", u"helpers.lsp", u"one.LSP"},
         false,
         true,
         u"5 個のコマンドが 2 個のファイルから検出されました．" + replace,
         {u"two", u"one"}},
        {"a folder after the files beside it, in Explorer's order",
         {u"lib", u"one.LSP"},
         false,
         true,
         u"8 個のコマンドが 4 個のファイルから検出されました．" + replace,
         {u"one", u"Lib1", u"lib9", u"lib10"}},
        {"Ctrl adds after the current list",
         {u"two.lsp"},
         true,
         true,
         u"3 個のコマンドが検出されました．" + append,
         {u"作図", u"two"}},
        {"a source that cannot be read among good ones",
         {u"two.lsp", u"bad.lsp", u"one.LSP"},
         false,
         true,
         u"",
         {},
         errorBoxText(bad + u"\n" + std::u16string(kInvalidUtf8Message))},
        {"No writes nothing",
         {u"lib"},
         true,
         false,
         u"6 個のコマンドが 3 個のファイルから検出されました．" + append,
         {}},
        {"a folder without sources", {u"empty"}, false, true, u"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FormHarness palette;
        palette.writeList(kOldList);
        palette.localTime = [] { return kAnswerTime; };
        palette.controlKeyDown = c.control;
        palette.answerYes = c.yes;
        const auto form = palette.open();
        Texts paths;
        for (const auto& name : c.names) {
            paths.push_back(elsewhere.u16(name));
        }
        const HGLOBAL block = dropFiles(form->handle(), paths);
        EXPECT_TRUE(dropReleased(block));

        EXPECT_EQ(palette.questions, c.question.empty() ? Texts{} : Texts{c.question});
        ASSERT_EQ(palette.errors.size(), c.error.empty() ? 0u : 1u);
        if (!c.error.empty()) {
            EXPECT_EQ(palette.errors[0].text, c.error);
        }
        if (c.headings.empty()) {
            EXPECT_EQ(filesIn(palette.folder()), Texts{u"MerulanList.txt"});
            EXPECT_EQ(treeTexts(form->TreeView1.handle()), kOldNodes);
            continue;
        }
        EXPECT_EQ(fileBytes(palette.folder() + std::u16string(kBackupName)), "\xEF\xBB\xBF" + utf8(kOldList));
        Texts headings;
        for (const TreeNode& node : treeNodes(form->TreeView1.handle())) {
            if (node.depth == 0) {
                headings.push_back(node.text);
            }
        }
        EXPECT_EQ(headings, c.headings);
    }
}

TEST_F(Drop, TheLoadPathNamesTheOwnFolderOnlyWhenSpelledExactly) {
    const std::u16string own = harness.folder();
    const std::u16string ownInCapitals = upperAscii(own);
    ASSERT_NE(own, ownInCapitals);
    const struct {
        const char* what;
        std::u16string dropped;
        std::u16string loadPath;
    } cases[] = {
        {"in the executable's folder", own + u"mine.lsp", u"Merulan\\mine.lsp"},
        {"in a sub-folder of it", own + u"lisp\\mine.lsp", own + u"lisp\\mine.lsp"},
        {"the same folder in capitals", ownInCapitals + u"mine.lsp", ownInCapitals + u"mine.lsp"},
        {"another folder", elsewhere.u16(u"mine.lsp"), elsewhere.u16(u"mine.lsp")},
    };
    writeFile(own + u"mine.lsp", utf8(kOneCommand));
    writeFile(own + u"lisp\\mine.lsp", utf8(kOneCommand));
    writeFile(elsewhere.u16(u"mine.lsp"), utf8(kOneCommand));
    const auto form = open(false);
    harness.answerYes = true;
    unsigned second = 0;
    harness.localTime = [&] { // each import its own backup name
        StampTime time = kAnswerTime;
        time.second = second++;
        return time;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        drop(*form, {c.dropped});
        EXPECT_TRUE(harness.errors.empty());
        const LineList list =
            readTextFile(harness.listPath(), *systemAnsiCodePage(), UnmarkedText::SurelyUtf8ElseAnsiCodePage);
        ASSERT_EQ(list.size(), 3u);
        EXPECT_EQ(list[0], u"mine");
        EXPECT_EQ(list[2], u"LOAD\tロード mine.lsp\t" + c.loadPath);
        EXPECT_EQ(lspRecords.back().exe, c.loadPath);
    }
}

TEST_F(Drop, APathLongerThan254CharactersArrivesWhole) {
    std::u16string folder = elsewhere.u16();
    while (folder.size() < 300) {
        folder += u"\\" + std::u16string(50, u'長');
    }
    const std::u16string path = folder + u"\\long.lsp";
    writeFile(path, utf8(kOneCommand));
    ASSERT_EQ(fileBytes(path), utf8(kOneCommand)) << "this system takes long paths";
    const auto form = open();
    harness.answerYes = true;
    drop(*form, {path});
    EXPECT_TRUE(harness.errors.empty());
    ASSERT_EQ(harness.questions.size(), 1u);
    EXPECT_EQ(lspRecords.back().exe, path);
    EXPECT_EQ(treeTexts(form->TreeView1.handle()).back(), u"{LOAD} ロード long.lsp");
}

TEST_F(Drop, SourcesAreReadByMarkThenUtf8ThenTheCodePage) {
    constexpr std::u16string_view text = u"(setq x 1)\r\n"
                                         u";;; 線分を引く（全角）\r\n"
                                         u"(defun c:sen () 1)\r\n";
    const std::string shiftJis = ansiBytes(text);
    ASSERT_FALSE(decodeUtf8Strict(shiftJis)) << "not valid UTF-8, so that the second reading is needed";
    std::string utf16 = "\xFF\xFE";
    for (const char16_t c : text) {
        utf16 += static_cast<char>(c & 0xFF);
        utf16 += static_cast<char>(c >> 8);
    }
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"Shift-JIS without a mark", shiftJis},
        {"UTF-8 without a mark", utf8(text)},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + utf8(text)},
        {"UTF-16 with a mark", utf16},
    };
    const auto form = open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::u16string path = source(u"sen.lsp", c.bytes);
        harness.questions.clear();
        drop(*form, {path});
        ASSERT_EQ(harness.questions.size(), 1u);
        EXPECT_EQ(harness.questions[0], question(2));
    }
    harness.answerYes = true;
    drop(*form, {source(u"sen.lsp", shiftJis)});
    EXPECT_EQ(treeTexts(form->TreeView1.handle()),
              (Texts{u"sen", u"[SEN] 線分を引く（全角）", u"{LOAD} ロード sen.lsp"}));
}

TEST_F(Drop, CharactersTheCodePageLacksSurviveInTheList) {
    const std::u16string path =
        source(u"hangul.lsp", utf8(u"(setq x 1)\r\n;;; 선을 그리다 🙂\r\n(defun c:line () 1)\r\n"));
    const auto form = open();
    harness.answerYes = true;
    drop(*form, {path});
    EXPECT_TRUE(harness.errors.empty());
    EXPECT_EQ(fileBytes(harness.listPath()).rfind("\xEF\xBB\xBF", 0), 0u) << "UTF-8 with its mark";
    EXPECT_EQ(treeTexts(form->TreeView1.handle())[1], u"[LINE] 선을 그리다 🙂");
}

TEST_F(Drop, UnreadableSourcesAreReportedAndChangeNothing) {
    const struct {
        const char* what;
        std::u16string path;
        std::u16string messageStart;
    } cases[] = {
        {"invalid UTF-8 after the mark: named, though alone",
         source(u"bad.lsp", "\xEF\xBB\xBF(defun c:a () 1)\xFF\r\n"),
         elsewhere.u16(u"bad.lsp") + u"\n" + std::u16string(kInvalidUtf8Message)},
        {"a file that is not there", elsewhere.u16(u"gone.lsp"),
         u"ファイル " + elsewhere.u16(u"gone.lsp") + u" は開けません。 "},
    };
    const auto form = open();
    harness.answerYes = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        harness.errors.clear();
        drop(*form, {c.path});
        ASSERT_EQ(harness.errors.size(), 1u);
        EXPECT_EQ(harness.errors[0].text.rfind(c.messageStart, 0), 0u) << utf8(harness.errors[0].text);
    }
    EXPECT_TRUE(harness.questions.empty());
    EXPECT_EQ(filesIn(harness.folder()), Texts{u"MerulanList.txt"});
    EXPECT_EQ(treeTexts(form->TreeView1.handle()), kOldNodes);
}

TEST_F(Drop, TwoImportsInTheSameSecondKeepTheFirstBackup) {
    const std::u16string first = source(u"first.lsp", utf8(kOneCommand));
    const std::u16string second = source(u"second.lsp", utf8(kTwoCommands));
    const auto form = open();
    harness.answerYes = true;
    harness.localTime = [] { return kAnswerTime; };
    drop(*form, {first});
    ASSERT_TRUE(harness.errors.empty());
    const std::string firstList = fileBytes(harness.listPath());
    const Texts firstNodes = treeTexts(form->TreeView1.handle());

    drop(*form, {second});
    const std::u16string backup = harness.folder() + std::u16string(kBackupName);
    ASSERT_EQ(harness.errors.size(), 1u);
    EXPECT_EQ(harness.errors[0].text,
              errorBoxText(formatText(kRenameFailedMessage,
                                      {harness.listPath(), backup, systemErrorText(ERROR_ALREADY_EXISTS)})));
    EXPECT_EQ(fileBytes(backup), "\xEF\xBB\xBF" + utf8(kOldList));
    EXPECT_EQ(fileBytes(harness.listPath()), firstList);
    EXPECT_EQ(treeTexts(form->TreeView1.handle()), firstNodes);
}

TEST_F(Drop, AListInUseIsNeitherRenamedNorOverwritten) {
    const std::u16string path = source(u"tools.lsp", utf8(kOneCommand));
    const auto form = open();
    harness.answerYes = true;
    harness.localTime = [] { return kAnswerTime; };
    {
        // Another program reading the list without letting it be renamed.
        const UniqueFileHandle reader(CreateFileW(wide(harness.listPath()), GENERIC_READ,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                                  nullptr));
        ASSERT_NE(reader.get(), INVALID_HANDLE_VALUE);
        drop(*form, {path});
    }
    // The new list could not take its place: nothing is written, and no backup is left.
    ASSERT_EQ(harness.errors.size(), 1u);
    EXPECT_EQ(
        harness.errors[0].text,
        errorBoxText(formatText(kCannotCreateMessage, {harness.listPath(), systemErrorText(ERROR_SHARING_VIOLATION)})));
    EXPECT_EQ(filesIn(harness.folder()), Texts{u"MerulanList.txt"});
    EXPECT_EQ(fileBytes(harness.listPath()), "\xEF\xBB\xBF" + utf8(kOldList));
    EXPECT_EQ(treeTexts(form->TreeView1.handle()), kOldNodes);
}

// The palette's folder is one that the test run prepared outside Wine so that nothing in it can change:
// the new list cannot be created, nothing is written, and the list stays as it was under its own name.
// A palette in a folder its user cannot write (under Program Files, on a read-only share) keeps its list and
// settings in the user's own folder, starting from the ones beside it, and leaves its own folder as it is.
TEST_F(Drop, AReadOnlyExecutableFolderIsLeftAloneAndTheUserFolderTakesTheList) {
    const char* prepared = std::getenv("MERULAN_READ_ONLY_FOLDER");
    if (!prepared) {
        GTEST_SKIP() << "needs the folder that ctest prepares (MERULAN_READ_ONLY_FOLDER)";
    }
    harness.useFolder(fromUtf8(prepared));
    const UniqueFileHandle probe(CreateFileW(wide(harness.folder() + u"probe.txt"), GENERIC_WRITE, 0, nullptr,
                                             CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (probe.get() != INVALID_HANDLE_VALUE) {
        GTEST_SKIP() << "this file system let the folder stay writable";
    }
    const std::string listBefore = fileBytes(harness.listPath());
    const std::string settingsBefore = fileBytes(harness.folder() + u"Merulan.ini");
    ASSERT_FALSE(listBefore.empty());
    const auto form = open(false);
    EXPECT_TRUE(form->files().inUserFolder);
    EXPECT_EQ(form->listFilePath(), harness.userFolder() + u"MerulanList.txt");
    EXPECT_EQ(fileBytes(harness.userFolder() + u"MerulanList.txt"), listBefore) << "the starting point";
    EXPECT_EQ(fileBytes(harness.userFolder() + u"Merulan.ini"), settingsBefore);
    ASSERT_EQ(treeTexts(form->TreeView1.handle()), kOldNodes);

    harness.answerYes = true;
    drop(*form, {source(u"tools.lsp", utf8(kOneCommand))});
    ASSERT_EQ(harness.questions.size(), 1u);
    EXPECT_TRUE(harness.errors.empty());
    EXPECT_EQ(treeTexts(form->TreeView1.handle()).front(), u"tools");
    EXPECT_EQ(filesIn(harness.userFolder()).size(), 3u) << "the settings, the new list and its backup";
    EXPECT_EQ(fileBytes(harness.listPath()), listBefore);
    EXPECT_EQ(filesIn(harness.folder()), (Texts{u"Merulan.ini", u"MerulanList.txt"}));
}

} // namespace
} // namespace merulan::testing
