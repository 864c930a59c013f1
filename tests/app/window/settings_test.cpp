// The settings file as the window uses it: read while it is created, written when it is destroyed.
#include "support/form_harness.h"

#include "platform/win/wide.h"

#include <gtest/gtest.h>

namespace merulan::testing {
namespace {

class Settings : public ::testing::Test {
protected:
    std::u16string iniPath() const { return harness_.folder() + u"Merulan.ini"; }
    void store(const wchar_t* section, const wchar_t* key, const wchar_t* value) const {
        WritePrivateProfileStringW(section, key, value, wide(iniPath()));
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, wide(iniPath()));
    }
    std::u16string stored(const wchar_t* section, const wchar_t* key) const {
        wchar_t value[256]{};
        GetPrivateProfileStringW(section, key, L"(missing)", value, 256, wide(iniPath()));
        return fromWide(value);
    }

    FormHarness harness_;
};

TEST_F(Settings, StoredBoundsAndTargetAreAppliedAsRead) {
    store(L"Form", L"Width", L"400");
    store(L"Form", L"Height", L"$12C"); // 300
    store(L"Form", L"Left", L"50");
    store(L"Form", L"Top", L"60");
    store(L"CAD", L"Target", L"ターゲットCAD = IJCAD");
    const auto form = harness_.open();
    const RECT r = windowRect(form->handle());
    EXPECT_EQ((std::array{r.left, r.top, r.right - r.left, r.bottom - r.top}), (std::array<LONG, 4>{50, 60, 400, 300}));
    EXPECT_EQ(form->CAD1.caption(), u"ターゲットCAD = IJCAD");
    // The tree follows the stored size like any other.
    const RECT tree = childRect(form->TreeView1.handle());
    EXPECT_EQ(tree.right, clientRect(form->handle()).right);
}

TEST_F(Settings, BoundsOffEveryMonitorGiveTheCentredDesignedWindow) {
    store(L"Form", L"Left", L"-20000");
    store(L"Form", L"Top", L"-20000");
    const auto form = harness_.open();
    const RECT client = clientRect(form->handle());
    EXPECT_EQ(client.right, 280);
    EXPECT_EQ(client.bottom, 202);
    const RECT r = windowRect(form->handle());
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
}

TEST_F(Settings, EndOfRunWritesTheBoundsAndTheChosenTarget) {
    {
        const auto form = harness_.open();
        SetWindowPos(form->handle(), nullptr, 30, 40, 350, 260, SWP_NOZORDER);
        SendMessageW(form->handle(), WM_COMMAND, kAutoCad1Id, 0);
    }
    EXPECT_EQ(stored(L"Form", L"Width"), u"350");
    EXPECT_EQ(stored(L"Form", L"Height"), u"260");
    EXPECT_EQ(stored(L"Form", L"Left"), u"30");
    EXPECT_EQ(stored(L"Form", L"Top"), u"40");
    EXPECT_EQ(stored(L"CAD", L"Target"), u"ターゲットCAD = AutoCAD");
    EXPECT_TRUE(harness_.errors.empty());

    // The next run starts where this one ended.
    const auto next = harness_.open();
    const RECT r = windowRect(next->handle());
    EXPECT_EQ((std::array{r.left, r.top, r.right - r.left, r.bottom - r.top}), (std::array<LONG, 4>{30, 40, 350, 260}));
    EXPECT_EQ(next->CAD1.caption(), u"ターゲットCAD = AutoCAD");
}

TEST_F(Settings, MinimisedWindowWritesItsRestoredBounds) {
    {
        const auto form = harness_.open();
        SetWindowPos(form->handle(), nullptr, 70, 80, 330, 250, SWP_NOZORDER);
        form->show(SW_SHOWNOACTIVATE);
        ShowWindow(form->handle(), SW_SHOWMINNOACTIVE);
        pumpMessages();
        ASSERT_TRUE(IsIconic(form->handle()));
    }
    EXPECT_EQ(stored(L"Form", L"Left"), u"70");
    EXPECT_EQ(stored(L"Form", L"Top"), u"80");
    EXPECT_EQ(stored(L"Form", L"Width"), u"330");
    EXPECT_EQ(stored(L"Form", L"Height"), u"250");
}

TEST_F(Settings, RefusedWriteIsReportedInTheErrorBox) {
    store(L"Form", L"Width", L"300");
    auto form = harness_.open();
    {
        // Held by "another program" without sharing: the platform refuses the write.
        const UniqueFileHandle holder(
            CreateFileW(wide(iniPath()), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);
        form.reset();
    }
    ASSERT_EQ(harness_.errors.size(), 1u);
    EXPECT_EQ(harness_.errors[0].title, u"Merulan");
    EXPECT_EQ(harness_.errors[0].text, iniPath() + u" に書き込めません.");
}

} // namespace
} // namespace merulan::testing
