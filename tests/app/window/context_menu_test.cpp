// Which menu a right-click opens: the palette's everywhere but in the search box.
#include "support/form_harness.h"

#include <gtest/gtest.h>

namespace merulan::testing {
namespace {

// Records the first popup menu that opens on this thread and closes it again at once. Menus are seen
// through their window (class #32768): the edit control opens its own menu without notifications.
class MenuWatch {
public:
    MenuWatch() {
        current_ = this;
        hook_ = SetWindowsHookExW(WH_CALLWNDPROC, onMessage, nullptr, GetCurrentThreadId());
        timer_ = SetTimer(nullptr, 0, 10, onTimer);
    }
    ~MenuWatch() {
        KillTimer(nullptr, timer_);
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    MenuWatch(const MenuWatch&) = delete;
    MenuWatch& operator=(const MenuWatch&) = delete;

    bool opened() const { return menu_ != nullptr; }
    HMENU menu() const { return menu_; }
    HWND owner() const { return owner_; } // the window told about the menu, if any was

private:
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD) {
        const HWND menuWindow = FindWindowW(L"#32768", nullptr);
        if (!current_ || !menuWindow || !IsWindowVisible(menuWindow)) {
            return;
        }
        if (!current_->menu_) {
            current_->menu_ = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
        }
        EndMenu();
    }

    static LRESULT CALLBACK onMessage(int code, WPARAM wParam, LPARAM lParam) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && current_ && message->message == WM_INITMENUPOPUP && !current_->owner_) {
            current_->owner_ = message->hwnd;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline MenuWatch* current_ = nullptr;
    HHOOK hook_ = nullptr;
    UINT_PTR timer_ = 0;
    HMENU menu_ = nullptr;
    HWND owner_ = nullptr;
};

void rightClick(HWND control, POINT at) {
    const LPARAM position = MAKELPARAM(at.x, at.y);
    PostMessageW(control, WM_RBUTTONDOWN, MK_RBUTTON, position);
    PostMessageW(control, WM_RBUTTONUP, 0, position);
}

class ContextMenu : public ::testing::Test {
protected:
    void SetUp() override {
        harness_.writeList(u"作図\r\nLINE\t線分\r\n");
        form_ = harness_.open();
        form_->show(SW_SHOWNORMAL);
        pumpMessages();
    }
    // Opens whatever menu a right-click at that point of the control brings up.
    void openAt(HWND control, POINT at) {
        rightClick(control, at);
        ASSERT_TRUE(pumpUntil([&] { return watch_.opened(); })) << "no menu opened";
        pumpMessages();
    }

    FormHarness harness_;
    std::unique_ptr<TMerulanForm> form_;
    MenuWatch watch_;
};

TEST_F(ContextMenu, OnTheTreeOpensThePalettesMenu) {
    openAt(form_->TreeView1.handle(), {40, 8});
    EXPECT_EQ(watch_.menu(), form_->PopupMenu1.get());
    EXPECT_EQ(watch_.owner(), form_->handle());
}

TEST_F(ContextMenu, OnAButtonOpensThePalettesMenu) {
    openAt(form_->Button2, {5, 5});
    EXPECT_EQ(watch_.menu(), form_->PopupMenu1.get());
}

TEST_F(ContextMenu, OnTheEscButtonOpensThePalettesMenu) {
    openAt(form_->SpeedButton1.handle(), {5, 5});
    EXPECT_EQ(watch_.menu(), form_->PopupMenu1.get());
}

TEST_F(ContextMenu, OnTheLabelOpensThePalettesMenu) {
    openAt(form_->Label1, {2, 2});
    EXPECT_EQ(watch_.menu(), form_->PopupMenu1.get());
}

TEST_F(ContextMenu, OnTheWindowBackgroundOpensThePalettesMenu) {
    openAt(form_->handle(), {3, 20});
    EXPECT_EQ(watch_.menu(), form_->PopupMenu1.get());
}

TEST_F(ContextMenu, FromTheKeyboardOpensThePalettesMenu) {
    PostMessageW(form_->TreeView1.handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form_->TreeView1.handle()), -1);
    ASSERT_TRUE(pumpUntil([&] { return watch_.opened(); }));
    EXPECT_EQ(watch_.menu(), form_->PopupMenu1.get());
}

TEST_F(ContextMenu, OnTheSearchBoxOpensTheStandardEditMenu) {
    openAt(form_->Edit1, {5, 5});
    EXPECT_NE(watch_.menu(), form_->PopupMenu1.get());
    EXPECT_NE(watch_.owner(), form_->handle());
}

} // namespace
} // namespace merulan::testing
