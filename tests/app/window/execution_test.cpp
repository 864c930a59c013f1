// Running list entries from the palette itself: a double-click, Enter in the tree or the search box, and the
// "ESC" button, delivered to a simulated CAD in another process.
#include "cad/cadsim_process.h"
#include "cadCtrl2023/cad_send_result.h"
#include "support/form_harness.h"
#include "text/utf8.h"

#include <chrono>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <thread>

namespace merulan::testing {
namespace {

constexpr std::u16string_view kList = u"作図\r\n"
                                      u"LINE\t線分を作図\r\n"
                                      u"PLINE\tポリライン\r\n"
                                      u"修正\r\n"
                                      u"MOVE\t移動\r\n";

class Execution : public ::testing::Test {
protected:
    void SetUp() override {
        harness_.writeList(kList);
        form_ = harness_.open();
        form_->show(SW_SHOWNORMAL);
        pumpMessages();
    }

    // A real double-click on the node's text: the tree selects it and reports NM_DBLCLK.
    void doubleClick(std::u16string_view text) {
        const HWND tree = form_->TreeView1.handle();
        const HTREEITEM item = nodeWithText(tree, text);
        ASSERT_NE(item, nullptr) << "no node " << toUtf8(text);
        RECT rect{};
        TreeView_GetItemRect(tree, item, &rect, TRUE);
        const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        // The tree tracks the mouse after a button goes down until a button message arrives in its queue,
        // so each release is queued before its press is sent.
        PostMessageW(tree, WM_LBUTTONUP, 0, at);
        SendMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(tree, WM_LBUTTONUP, 0, at);
        SendMessageW(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        pumpMessages();
    }

    // Enter as the palette's message loop sees it, with the focus on `control`.
    void pressEnterIn(HWND control) {
        SetFocus(control);
        MSG message{control, WM_KEYDOWN, VK_RETURN, 1};
        if (!form_->preTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        pumpMessages();
    }

    void chooseTarget(int menuId) { SendMessageW(form_->handle(), WM_COMMAND, MAKEWPARAM(menuId, 0), 0); }

    FormHarness harness_;
    std::unique_ptr<TMerulanForm> form_;
};

TEST_F(Execution, DoubleClickSendsTheCancelThenTheCommandToBricsCadAndShowsItInTheCaption) {
    CadSim bricscad({u"--kind", u"bricscad"});
    doubleClick(u"[PLINE] ポリライン");
    EXPECT_EQ(bricscad.takeMessages(), copyDataOf(u"\x1B") + copyDataOf(u"PLINE\r"));
    EXPECT_EQ(form_->caption(), u"PLINE");
    EXPECT_TRUE(harness_.information.empty());
}

TEST_F(Execution, DoubleClickOnAHeadingOnlyChangesTheCaption) {
    CadSim bricscad({u"--kind", u"bricscad"});
    doubleClick(u"修正");
    EXPECT_EQ(form_->caption(), u"修正");
    EXPECT_TRUE(bricscad.takeMessages().empty());
}

TEST_F(Execution, EnterInTheTreeRunsTheSelectedNode) {
    CadSim autocad({u"--kind", u"autocad"});
    chooseTarget(kAutoCad1Id);
    TreeView_SelectItem(form_->TreeView1.handle(), nodeWithText(form_->TreeView1.handle(), u"[MOVE] 移動"));
    pressEnterIn(form_->TreeView1.handle());
    EXPECT_EQ(autocad.takeMessages(), copyDataOf(u"\x03") + copyDataOf(u"MOVE\r"));
}

TEST_F(Execution, EnterInTheSearchBoxRunsTheFirstNodeOfTheFilteredView) {
    CadSim bricscad({u"--kind", u"bricscad"});
    form_->setEdit1Text(u"pl");
    pressEnterIn(form_->Edit1);
    EXPECT_EQ(bricscad.takeMessages(), copyDataOf(u"\x1B") + copyDataOf(u"PLINE\r"));
    EXPECT_EQ(form_->edit1Text(), u"pl"); // Enter types nothing into the box
}

TEST_F(Execution, TargetNotRunningShowsOneBoxAndTheEscButtonStaysSilent) {
    chooseTarget(kIjCad1Id);
    doubleClick(u"[LINE] 線分を作図");
    EXPECT_EQ(harness_.information, (std::vector<std::u16string>{u"有効な IJCAD が見つかりません．"}));

    const HWND esc = form_->SpeedButton1.handle();
    SendMessageW(esc, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(esc, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    pumpMessages();
    EXPECT_EQ(harness_.information.size(), 1u);
}

TEST_F(Execution, EscButtonSendsOnlyTheCancelCharacter) {
    CadSim bricscad({u"--kind", u"bricscad"});
    const HWND esc = form_->SpeedButton1.handle();
    SendMessageW(esc, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(esc, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    pumpMessages();
    EXPECT_EQ(bricscad.takeMessages(), copyDataOf(u"\x1B"));
    EXPECT_EQ(form_->caption(), u"Merulan");
}

// The CAD takes the cancel and then hangs. The palette gives the command up at the limit, says so, and meanwhile
// stays usable: a key posted to its search box (a sent message would prove nothing, since a thread waiting in
// SendMessage still handles those) is handled within the limit.
TEST_F(Execution, CadThatHangsLeavesThePaletteWorkingAndIsReported) {
    using namespace std::chrono;
    CadSim bricscad({u"--kind", u"bricscad", u"--hang"});
    steady_clock::time_point posted{};
    std::thread typist([&] {
        if (!waitForLogLine(bricscad.logPath(), " main hang").empty()) {
            posted = steady_clock::now();
            PostMessageW(form_->Edit1, WM_CHAR, L'p', 0);
        }
    });
    doubleClick(u"[PLINE] ポリライン");
    typist.join();
    ASSERT_NE(posted, steady_clock::time_point{});
    EXPECT_EQ(form_->edit1Text(), u"p");
    EXPECT_LT(steady_clock::now() - posted, kDeliveryTimeLimit + 15s);
    // The command went out before the CAD stopped answering: the user is told not to send it again.
    EXPECT_EQ(harness_.information,
              (std::vector<std::u16string>{u"BricsCAD が応答しません．\n（コマンドは送ってあり、BricsCAD "
                                           u"が応答を再開すると実行されます．もう一度実行しないでください．）"}));
    EXPECT_EQ(bricscad.takeMessages(), std::vector<Received>{copyDataOf(u"\x1B").front()});
}

} // namespace
} // namespace merulan::testing
