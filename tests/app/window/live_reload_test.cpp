// The list follows its file: what another program writes shows without a click, as the user had it.
#include "support/drop_files.h"
#include "support/form_harness.h"

#include "platform/text_file.h"
#include "platform/win/wide.h"
#include "text/utf8.h"

#include <atomic>
#include <commctrl.h>
#include <gtest/gtest.h>

namespace merulan::testing {
namespace {

using Texts = std::vector<std::u16string>;
using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr std::u16string_view kList = u"作図\r\nLINE\t線分を作図\r\nARC\t円弧\r\n修正\r\nMOVE\t移動\r\n";
// The same with one command more at the top: every row below it moves.
constexpr std::u16string_view kSaved = u"作図\r\nCIRCLE\t円\r\nLINE\t線分を作図\r\nARC\t円弧\r\n修正\r\nMOVE\t移動\r\n";
const Texts kSavedGrouped = {u"作図", u"[CIRCLE] 円", u"[LINE] 線分を作図", u"[ARC] 円弧", u"修正", u"[MOVE] 移動"};

std::string utf8List(std::u16string_view text) {
    return "\xEF\xBB\xBF" + toUtf8(text);
}

class LiveReload : public ::testing::Test {
protected:
    void SetUp() override {
        harness_.writeList(kList);
        form_ = harness_.open();
        form_->show(SW_SHOWNOACTIVATE);
    }
    Texts shown() const { return treeTexts(form_->TreeView1.handle()); }
    bool showsWithin(const Texts& texts, milliseconds limit = seconds(20)) {
        return pumpUntil([&] { return shown() == texts; }, limit, form_.get());
    }

    FormHarness harness_;
    std::unique_ptr<TMerulanForm> form_;
};

TEST_F(LiveReload, FollowsEveryWayOfWritingTheFile) {
    const std::u16string list = harness_.listPath();
    const std::u16string other = harness_.folder() + u"MerulanList.new";
    const struct {
        const char* name;
        std::function<void(std::string_view bytes)> write;
    } writers[] = {
        {"saved in place", [&](std::string_view bytes) { writeFileBytes(list, bytes); }},
        {"saved by rename over it",
         [&](std::string_view bytes) {
             writeFileBytes(other, bytes);
             MoveFileExW(wide(other), wide(list), MOVEFILE_REPLACE_EXISTING);
         }},
        {"moved away, then written anew",
         [&](std::string_view bytes) {
             MoveFileW(wide(list), wide(harness_.folder() + u"MerulanList20240101000000.txt"));
             writeFileBytes(list, bytes);
         }},
    };
    int n = 0;
    for (const auto& writer : writers) {
        SCOPED_TRACE(writer.name);
        const std::u16string command = u"CMD" + std::u16string(1, static_cast<char16_t>(u'0' + n++));
        writer.write(utf8List(u"見出し\r\n" + command + u"\t説明\r\n"));
        EXPECT_TRUE(showsWithin({u"見出し", u"[" + command + u"] 説明"})) << toUtf8(shown().back());
    }
    EXPECT_TRUE(harness_.errors.empty());
}

TEST_F(LiveReload, KeepsTheViewAndTheSelectedEntry) {
    const struct {
        const char* name;
        std::function<void()> choose;
        Texts after;
    } cases[] = {
        {"grouped", [] {}, kSavedGrouped},
        {"ABC順",
         [&] { SendMessageW(form_->Button2, BM_CLICK, 0, 0); },
         {u"[ARC] 円弧", u"[CIRCLE] 円", u"[LINE] 線分を作図", u"[MOVE] 移動"}},
        {"searching", [&] { form_->setEdit1Text(u"e"); }, {u"[CIRCLE] 円", u"[LINE] 線分を作図", u"[MOVE] 移動"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        harness_.writeList(kList);
        SendMessageW(form_->Button3, BM_CLICK, 0, 0);
        ASSERT_TRUE(showsWithin({u"作図", u"[LINE] 線分を作図", u"[ARC] 円弧", u"修正", u"[MOVE] 移動"}));
        c.choose();
        TreeView_SelectItem(form_->TreeView1.handle(), nodeWithText(form_->TreeView1.handle(), u"[MOVE] 移動"));
        const std::u16string searchText = form_->edit1Text();

        harness_.writeList(kSaved);
        EXPECT_TRUE(showsWithin(c.after));
        EXPECT_EQ(selectedText(form_->TreeView1.handle()), u"[MOVE] 移動");
        EXPECT_EQ(form_->edit1Text(), searchText);
    }
}

TEST_F(LiveReload, WaitsForAWriterThatHoldsTheFile) {
    {
        const UniqueFileHandle file(
            CreateFileW(wide(harness_.listPath()), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        const std::string first = utf8List(u"見出し\r\n");
        DWORD written = 0;
        WriteFile(file.get(), first.data(), static_cast<DWORD>(first.size()), &written, nullptr);
        pumpFor(milliseconds(600), form_.get()); // half written, and held
        const std::string rest = toUtf8(u"HELD\t保持\r\n");
        WriteFile(file.get(), rest.data(), static_cast<DWORD>(rest.size()), &written, nullptr);
    }
    EXPECT_TRUE(showsWithin({u"見出し", u"[HELD] 保持"}));
    EXPECT_TRUE(harness_.errors.empty());
}

TEST(LiveReloadFromStartUp, AListHeldAtStartUpIsReportedOnceAndShownWhenLetGo) {
    FormHarness harness;
    harness.writeList(kList);
    auto holder = std::make_unique<UniqueFileHandle>(
        CreateFileW(wide(harness.listPath()), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    const auto form = harness.open();
    EXPECT_EQ(harness.errors.size(), 1u);
    EXPECT_TRUE(treeTexts(form->TreeView1.handle()).empty());
    pumpFor(milliseconds(2500), form.get()); // longer than a writer is waited for
    holder.reset();
    EXPECT_TRUE(pumpUntil([&] { return treeTexts(form->TreeView1.handle()).size() == 5; }, seconds(20), form.get()));
    EXPECT_EQ(harness.errors.size(), 1u);
}

TEST_F(LiveReload, ABrokenFileIsReportedOnceAndTheTreeStays) {
    const Texts before = shown();
    harness_.writeListBytes("\xEF\xBB\xBF\xE4\xBD\x9C\xFF\r\n"); // invalid UTF-8 after the mark
    EXPECT_TRUE(pumpUntil([&] { return !harness_.errors.empty(); }, seconds(20), form_.get()));
    pumpFor(milliseconds(1500), form_.get());
    EXPECT_EQ(harness_.errors.size(), 1u);
    EXPECT_EQ(shown(), before);

    harness_.writeList(u"直した\r\nOK\t読める\r\n"); // mended: followed again
    EXPECT_TRUE(showsWithin({u"直した", u"[OK] 読める"}));
    EXPECT_EQ(harness_.errors.size(), 1u);
}

// A button goes down on a node: until it comes up (or a drag starts) the tree runs its own loop, which still
// hands the palette its timer, and the tree holds the node it hit. A list saved meanwhile is read only once the
// button is up: rebuilding under the tree's loop would free that node (an assertion under Wine, freed memory
// on Windows).
TEST_F(LiveReload, NeverRebuildsTheTreeUnderAHeldButton) {
    const HWND tree = form_->TreeView1.handle();
    RECT rect{};
    TreeView_GetItemRect(tree, nodeWithText(tree, u"[ARC] 円弧"), &rect, TRUE);
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);

    // Runs inside the tree's loop: saves the list, and lets the button go after the palette has had time to
    // look at the file many times.
    static struct Held {
        FormHarness* harness;
        HWND tree;
        LPARAM at;
        int ticks = 0;
        Texts whileHeld;
    } held;
    held = {&harness_, tree, at, 0, {}};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        if (++held.ticks == 1) {
            held.harness->writeList(kSaved);
        } else if (held.ticks == 40) { // two seconds after the save
            held.whileHeld = GetCapture() == held.tree ? treeTexts(held.tree) : Texts{u"(the tree's loop had ended)"};
            PostMessageW(held.tree, WM_LBUTTONUP, 0, held.at);
        }
    });
    pumpMessages(form_.get());
    MSG move{};
    while (PeekMessageW(&move, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) {
        // a pointer that moved off the node would end the tree's loop as the start of a drag
    }
    SendMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, at); // returns when the button is up
    KillTimer(nullptr, timer);

    EXPECT_GE(held.ticks, 40);
    EXPECT_EQ(held.whileHeld, (Texts{u"作図", u"[LINE] 線分を作図", u"[ARC] 円弧", u"修正", u"[MOVE] 移動"}));
    EXPECT_TRUE(showsWithin(kSavedGrouped)) << "read right after";
    EXPECT_TRUE(harness_.errors.empty());
}

// Where the system gives no change notices (a network drive), or stops giving them (a reconnect, a resume), the
// palette looks at the file every 2 seconds instead, and asks for notices again: the follow never dies.
TEST(LiveReloadWithoutNotices, SavesStillShowWhenTheSystemGivesNoNotices) {
    const struct {
        const char* what;
        int refusedOpens;
        int failedRearms;
    } cases[] = {
        {"no notices at all", 1000000, 0},
        {"notices refused at first, then given", 2, 0},
        {"a notice that cannot be armed again", 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::atomic<int> refusedOpens = c.refusedOpens;
        std::atomic<int> failedRearms = c.failedRearms;
        const ChangeNotices system = systemChangeNotices();
        FormHarness harness;
        harness.changeNotices.open = [&](const std::u16string& folder) {
            return refusedOpens-- > 0 ? INVALID_HANDLE_VALUE : system.open(folder);
        };
        harness.changeNotices.next = [&](HANDLE notice) { return failedRearms-- > 0 ? false : system.next(notice); };
        harness.writeList(kList);
        const auto form = harness.open();
        for (const std::u16string command : {u"FIRST", u"SECOND"}) {
            harness.writeList(u"見出し\r\n" + command + u"\t説明\r\n");
            EXPECT_TRUE(
                pumpUntil([&] { return treeTexts(form->TreeView1.handle()).back() == u"[" + command + u"] 説明"; },
                          seconds(20), form.get()))
                << toUtf8(command);
        }
        EXPECT_TRUE(harness.errors.empty());
    }
}

TEST_F(LiveReload, ThePalettesOwnDropIsReadOnce) {
    const std::u16string source = harness_.folder() + u"tools.lsp";
    writeFileBytes(source, "(defun c:one () 1)\r\n(defun c:two () 2)\r\n");
    harness_.answerYes = true;
    dropFiles(form_->handle(), {source});
    ASSERT_EQ(treeTexts(form_->TreeView1.handle()).front(), u"tools");
    // A second reading would build the tree anew and open this group again.
    TreeView_Expand(form_->TreeView1.handle(), TreeView_GetRoot(form_->TreeView1.handle()), TVE_COLLAPSE);
    pumpFor(milliseconds(1500), form_.get());
    EXPECT_FALSE(treeNodes(form_->TreeView1.handle()).front().expanded);
    EXPECT_TRUE(harness_.errors.empty());
}

} // namespace
} // namespace merulan::testing
