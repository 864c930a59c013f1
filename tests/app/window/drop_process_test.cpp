// A drop on Merulan.exe itself: the drop arrives through its message loop, the question is its own
// message box, and the answer given there replaces the list.
#include "app/drop/drop_import.h"
#include "cad/cadsim_process.h"
#include "support/drop_files.h"
#include "support/form_harness.h"
#include "support/remote_window.h"
#include "text/utf8.h"

#include <filesystem>
#include <gtest/gtest.h>

#include <chrono>

namespace merulan::testing {
namespace {

using Texts = std::vector<std::u16string>;

constexpr std::u16string_view kSource = u"(setq x 1)\r\n"
                                        u";;; 線分を引く\r\n"
                                        u"(defun c:sen (a / b) 1)\r\n"
                                        u";;; 円を描く\r\n"
                                        u"(defun C:En () 1)\r\n"
                                        u"(defun c:zz () 1)\r\n";

// The 14 digits of a backup name for the local time now.
std::u16string stampNow() {
    const std::u16string name = listBackupPath(u"", currentLocalTime());
    return name.substr(11, 14);
}

constexpr std::u16string_view kOldList = u"作図\r\nLINE\t線分\r\n";
const Texts kOldNodes = {u"作図", u"[LINE] 線分"};

// Merulan.exe started from a folder of its own with a small list; sources lie elsewhere.
class MerulanExeDrop : public ::testing::Test {
protected:
    void SetUp() override {
        const std::u16string exe = harness.folder() + u"Merulan.exe";
        std::filesystem::copy_file(std::filesystem::path(builtMerulanExe()), std::filesystem::path(exe));
        harness.writeList(kOldList);
        process = startProcess(exe);
        ASSERT_TRUE(process.handle);
        window = waitForWindow(process.id, kFormClassName);
        ASSERT_NE(window, nullptr);
        tree = findChild(window, u"SysTreeView32");
        ASSERT_EQ(remoteTreeTexts(tree), kOldNodes);
    }
    // A test that stopped early leaves no palette behind.
    void TearDown() override {
        if (process.handle && WaitForSingleObject(process.handle.get(), 0) == WAIT_TIMEOUT) {
            closeAndWait(process);
        }
    }

    // The tree once it shows expected, or as it is after a generous wait.
    Texts treeOnceItShows(const Texts& expected) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (remoteTreeTexts(tree) != expected && std::chrono::steady_clock::now() < deadline) {
            Sleep(20);
        }
        return remoteTreeTexts(tree);
    }

    // The names of the list's backups in the palette's folder.
    Texts backups() const {
        Texts names;
        for (const auto& entry : std::filesystem::directory_iterator(harness.dir().path())) {
            const std::u16string name = entry.path().filename().u16string();
            if (name.starts_with(u"MerulanList") && name != u"MerulanList.txt") {
                names.push_back(name);
            }
        }
        return names;
    }

    FormHarness harness; // only for its folder and list writer: the palette here is the process
    TempDir elsewhere;
    StartedProcess process;
    HWND window = nullptr;
    HWND tree = nullptr;
};

TEST_F(MerulanExeDrop, ADroppedSourceReplacesTheListWhenTheBoxIsAnsweredYes) {
    const std::u16string source = elsewhere.write(u"tools.lsp", toUtf8(kSource));
    const std::u16string notes = elsewhere.write(u"notes.txt", toUtf8(kSource));

    ASSERT_TRUE(postDropInto(process.handle.get(), process.id, window, {notes, source}));
    const HWND box = waitForBox(window);
    ASSERT_NE(box, nullptr) << "the question, owned by the palette";
    EXPECT_EQ(remoteText(box), u"情報");
    EXPECT_EQ(boxMessage(box), u"4 個のコマンドが検出されました．\nコマンドリストを置き換えますか？\n"
                               u"(現在のコマンドリストは日付時刻を追加したファイル名で保存されます)");
    const HWND yes = GetDlgItem(box, IDYES);
    ASSERT_NE(yes, nullptr);
    EXPECT_TRUE(IsWindowVisible(yes));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(box, IDNO)));
    // Yes is the default button (the one drawn as default; Wine's box answers DM_GETDEFID with IDOK).
    EXPECT_EQ(GetWindowLongW(yes, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongW(GetDlgItem(box, IDNO), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_TRUE(centredOnWorkAreaOf(box, window));
    EXPECT_EQ(remoteTreeTexts(tree), kOldNodes) << "nothing changes before the answer";

    // The backup's time is that of the answer, a second and more after the drop.
    Sleep(1100);
    const std::u16string answeredFrom = stampNow();
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), reinterpret_cast<LPARAM>(yes));
    const Texts replaced = {u"tools", u"[EN] 円を描く", u"[SEN A] 線分を引く", u"[ZZ] ...", u"{LOAD} ロード tools.lsp"};
    EXPECT_EQ(treeOnceItShows(replaced), replaced);
    const std::u16string answeredBy = stampNow();

    const Texts names = backups();
    ASSERT_EQ(names.size(), 1u);
    const std::u16string stamp = names[0].substr(11, 14);
    EXPECT_EQ(names[0], u"MerulanList" + stamp + u".txt");
    EXPECT_GE(stamp, answeredFrom);
    EXPECT_LE(stamp, answeredBy);
    EXPECT_EQ(harness.dir().read(names[0]), "\xEF\xBB\xBF" + toUtf8(kOldList));
    EXPECT_EQ(harness.dir().read(u"MerulanList.txt").substr(0, 7), "tools\r\n");
    EXPECT_EQ(closeAndWait(process), 0u);
}

// The keyboard's Ctrl, held through the system's input until released or the scope ends. Held only once the
// system's key state says so: the input arrives through the display, which a busy machine can delay past a
// drop posted right after it.
class ControlHeld {
public:
    ControlHeld() : down_(send(0)) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (down_ && !(GetAsyncKeyState(VK_CONTROL) & 0x8000) && std::chrono::steady_clock::now() < end) {
            Sleep(10);
        }
    }
    ~ControlHeld() { release(); }
    ControlHeld(const ControlHeld&) = delete;
    ControlHeld& operator=(const ControlHeld&) = delete;
    void release() {
        if (down_) {
            send(KEYEVENTF_KEYUP);
            down_ = false;
        }
    }

private:
    static bool send(DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = VK_CONTROL;
        input.ki.dwFlags = flags;
        return SendInput(1, &input, sizeof(input)) == 1;
    }
    bool down_;
};

TEST_F(MerulanExeDrop, AFolderDroppedWithCtrlHeldAddsItsSourcesAfterTheList) {
    std::filesystem::create_directory(elsewhere / u"lib");
    elsewhere.write(u"lib\\b10.lsp", toUtf8(u"(defun c:ten () 1)\r\n"));
    elsewhere.write(u"lib\\b9.lsp", toUtf8(kSource));

    const std::u16string appendQuestion = u"6 個のコマンドが 2 個のファイルから検出されました．\n"
                                          u"現在のコマンドリストの後に追加しますか？\n"
                                          u"(現在のコマンドリストは日付時刻を追加したファイル名で保存されます)";
    // Under Wine the display may tell the system the keys it really holds (a focus change of the palette or
    // of another window) between the press and the drop, which lets go of the Ctrl pressed here. A drop that
    // saw no Ctrl asks to replace: it is answered No, which must change nothing, and the drop is made again.
    HWND box = nullptr;
    for (int attempt = 0; attempt < 5; ++attempt) {
        ASSERT_EQ(foregroundWindowAfterSettling(window), window);
        ControlHeld control;
        ASSERT_TRUE(GetAsyncKeyState(VK_CONTROL) & 0x8000) << "Ctrl is not down for the system";
        ASSERT_TRUE(postDropInto(process.handle.get(), process.id, window, {elsewhere.u16(u"lib")}));
        box = waitForBox(window);
        control.release();
        ASSERT_NE(box, nullptr);
        if (boxMessage(box) == appendQuestion) {
            break;
        }
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDNO)));
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (IsWindow(box) && std::chrono::steady_clock::now() < end) {
            Sleep(10);
        }
        EXPECT_EQ(remoteTreeTexts(tree), kOldNodes) << "a No changed the list";
        EXPECT_TRUE(backups().empty());
    }
    EXPECT_EQ(boxMessage(box), appendQuestion);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDYES)));
    const Texts added = {u"作図",     u"[LINE] 線分",          u"b9",  u"[EN] 円を描く", u"[SEN A] 線分を引く",
                         u"[ZZ] ...", u"{LOAD} ロード b9.lsp", u"b10", u"[TEN] ...",     u"{LOAD} ロード b10.lsp"};
    EXPECT_EQ(treeOnceItShows(added), added);
    const Texts names = backups();
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(harness.dir().read(names[0]), "\xEF\xBB\xBF" + toUtf8(kOldList));
    EXPECT_EQ(closeAndWait(process), 0u);
}

} // namespace
} // namespace merulan::testing
