// Start-up of the palette window: what a first start shows, with and without a list file.
#include "support/form_harness.h"

#include "app/window/form_layout.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

namespace merulan::testing {
namespace {

constexpr std::u16string_view kSampleList = u"作図\r\n"
                                            u"LINE\t線分を作図\r\n"
                                            u"; 注釈\r\n"
                                            u"\r\n"
                                            u"CIRCLE\t円を作図\r\n"
                                            u"ユーティリティ\r\n"
                                            u"CALC\t電卓を起動\tcalc.exe\r\n";

TEST(StartUp, WithoutListFileOpensEmptyCentredTopmostDropTarget) {
    TopmostAnchor anchor;
    FormHarness harness;
    const auto form = harness.open();
    const HWND window = form->handle();

    EXPECT_EQ(textOf(window), u"Merulan");
    EXPECT_EQ(TreeView_GetCount(form->TreeView1.handle()), 0u);
    EXPECT_EQ(form->CAD1.caption(), u"ターゲット CAD = BricsCAD");
    EXPECT_EQ(form->edit1Text(), u"");
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_ACCEPTFILES);
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
    EXPECT_TRUE(harness.errors.empty());
    EXPECT_TRUE(harness.information.empty());

    ASSERT_EQ(form->dpi(), 96u);
    const RECT client = clientRect(window);
    EXPECT_EQ(client.right, 280);
    EXPECT_EQ(client.bottom, 202);
    const RECT outer = windowRect(window);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
}

TEST(StartUp, FrameHasNoMaximiseButtonAndIsHiddenUntilShown) {
    FormHarness harness;
    const auto form = harness.open();
    const LONG_PTR style = GetWindowLongPtrW(form->handle(), GWL_STYLE);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_FALSE(IsWindowVisible(form->handle()));
    EXPECT_EQ(GetParent(form->handle()), nullptr);
    EXPECT_EQ(GetWindow(form->handle(), GW_OWNER), nullptr);
}

TEST(StartUp, ListFileGivesExpandedGroupedViewWithFirstHeadingSelected) {
    TopmostAnchor anchor;
    FormHarness harness;
    harness.writeList(kSampleList);
    const auto form = harness.open();

    const std::vector<TreeNode> expected{
        {u"作図", 0, 0, 0, 0, true, true},
        {u"[LINE] 線分を作図", 1, 0, 1, 1, false, false},
        {u"[CIRCLE] 円を作図", 1, 0, 4, 1, false, false},
        {u"ユーティリティ", 0, 0, 5, 0, true, false},
        {u"{CALC} 電卓を起動", 1, 0, 6, 1, false, false},
    };
    EXPECT_EQ(treeNodes(form->TreeView1.handle()), expected);
    EXPECT_TRUE(GetWindowLongPtrW(form->handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(harness.errors.empty());
    ASSERT_EQ(lspRecords.size(), 5u);
}

TEST(StartUp, ListThatCannotBeReadShowsErrorYetLeavesATopmostDropTarget) {
    struct Case {
        const char* what;
        std::string bytes;
        bool holdOpenForWriting; // by "another program": the palette may not read it
    };
    const Case cases[] = {
        {"held open", "LINE\tline\r\n", true},
        {"invalid UTF-8 after the mark", "\xEF\xBB\xBF\x8C\x9F\r\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TopmostAnchor anchor;
        FormHarness harness;
        harness.writeListBytes(c.bytes);
        UniqueFileHandle lock;
        if (c.holdOpenForWriting) {
            lock.reset(CreateFileW(reinterpret_cast<const wchar_t*>(harness.listPath().c_str()), GENERIC_WRITE, 0,
                                   nullptr, OPEN_EXISTING, 0, nullptr));
            ASSERT_NE(lock.get(), INVALID_HANDLE_VALUE);
        }
        const auto form = harness.open();

        ASSERT_EQ(harness.errors.size(), 1u);
        EXPECT_EQ(harness.errors[0].title, u"Merulan");
        const std::u16string messageStart =
            c.holdOpenForWriting
                ? u"ファイル " + harness.listPath() + u" は開けません。 "
                : harness.listPath() +
                      u"\nUnicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません";
        EXPECT_TRUE(harness.errors[0].text.starts_with(messageStart)) << toUtf8(harness.errors[0].text);
        EXPECT_EQ(TreeView_GetCount(form->TreeView1.handle()), 0u);
        const LONG_PTR exStyle = GetWindowLongPtrW(form->handle(), GWL_EXSTYLE);
        EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
        EXPECT_TRUE(exStyle & WS_EX_ACCEPTFILES);

        // The window works: the steps before the failure took effect, and the handlers run.
        EXPECT_EQ(textOf(form->SpeedButton1.handle()), u"ESC");
        SendMessageW(form->handle(), WM_COMMAND, kN3Id, 0);
        EXPECT_EQ(harness.information.size(), 1u);
    }
}

TEST(StartUp, SpeedButtonFillsGreenPanelAndReadsEsc) {
    FormHarness harness;
    const auto form = harness.open();
    EXPECT_EQ(textOf(form->SpeedButton1.handle()), u"ESC");
    EXPECT_EQ(GetParent(form->SpeedButton1.handle()), form->Panel1.handle());
    const RECT panel = clientRect(form->Panel1.handle());
    const RECT button = childRect(form->SpeedButton1.handle());
    EXPECT_EQ(button.left, 0);
    EXPECT_EQ(button.top, 0);
    EXPECT_EQ(button.right, panel.right);
    EXPECT_EQ(button.bottom, panel.bottom);
    EXPECT_EQ(form->Panel1.colour(), RGB(0, 255, 0));
}

struct DesignedControl {
    const char* name;
    HWND control;
    RECT rect;
};

TEST(StartUp, ControlsStandWhereDesignedAndOnlyTheTreeFollowsTheWindowSize) {
    FormHarness harness;
    const auto form = harness.open();
    const DesignedControl controls[] = {
        {"Label1", form->Label1, {10, 8, 34, 21}},
        {"Edit1", form->Edit1, {40, 4, 129, 26}},
        {"Button3", form->Button3, {128, 4, 178, 27}},
        {"Button2", form->Button2, {176, 4, 226, 27}},
        {"TreeView1", form->TreeView1.handle(), {0, 27, 280, 202}},
    };
    for (const auto& c : controls) {
        const RECT r = childRect(c.control);
        EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}),
                  (std::array{c.rect.left, c.rect.top, c.rect.right, c.rect.bottom}))
            << c.name;
    }
    const RECT panel = childRect(form->Panel1.handle());
    EXPECT_EQ((std::array{panel.left, panel.top, panel.right, panel.bottom}), (std::array<LONG, 4>{225, 4, 268, 27}));

    // A larger window: the tree grows with it, everything else stays.
    const RECT outer = windowRect(form->handle());
    SetWindowPos(form->handle(), nullptr, 0, 0, outer.right - outer.left + 100, outer.bottom - outer.top + 50,
                 SWP_NOMOVE | SWP_NOZORDER);
    const RECT tree = childRect(form->TreeView1.handle());
    EXPECT_EQ((std::array{tree.left, tree.top, tree.right, tree.bottom}), (std::array<LONG, 4>{0, 27, 380, 252}));
    const RECT edit = childRect(form->Edit1);
    EXPECT_EQ((std::array{edit.left, edit.top, edit.right, edit.bottom}), (std::array<LONG, 4>{40, 4, 129, 26}));
}

TEST(StartUp, FontsAreTahomaWithTheDesignedCharacterHeights) {
    FormHarness harness;
    const auto form = harness.open();
    const struct {
        const char* name;
        HWND control;
        LONG height;
    } fonts[] = {
        {"Label1", form->Label1, -11},   {"Button2", form->Button2, -11},
        {"Button3", form->Button3, -11}, {"SpeedButton1", form->SpeedButton1.handle(), -11},
        {"Edit1", form->Edit1, -12},     {"TreeView1", form->TreeView1.handle(), -13},
    };
    for (const auto& f : fonts) {
        const LOGFONTW font = fontOf(f.control);
        EXPECT_EQ(std::wstring_view(font.lfFaceName), L"Tahoma") << f.name;
        EXPECT_EQ(font.lfHeight, f.height) << f.name;
        EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET) << f.name;
    }
    EXPECT_EQ(textOf(form->Label1), u"検索");
    EXPECT_EQ(textOf(form->Button2), u"ABC順");
    EXPECT_EQ(textOf(form->Button3), u"取得順");
}

TEST(StartUp, TreeIsReadOnlyWithLinesButtonsIndentAndImages) {
    FormHarness harness;
    const auto form = harness.open();
    const LONG_PTR style = GetWindowLongPtrW(form->TreeView1.handle(), GWL_STYLE);
    EXPECT_TRUE(style & TVS_HASBUTTONS);
    EXPECT_TRUE(style & TVS_HASLINES);
    EXPECT_TRUE(style & TVS_LINESATROOT);
    EXPECT_TRUE(style & TVS_SHOWSELALWAYS);
    EXPECT_FALSE(style & TVS_EDITLABELS);
    EXPECT_EQ(TreeView_GetIndent(form->TreeView1.handle()), 19u);
    const HIMAGELIST images = TreeView_GetImageList(form->TreeView1.handle(), TVSIL_NORMAL);
    EXPECT_EQ(images, form->ImageList2.get());
    EXPECT_EQ(ImageList_GetImageCount(images), 6); // the last two: the shared list's flags
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
}

TEST(StartUp, TabOrderRunsTreeThenButtonsThenSearchBox) {
    FormHarness harness;
    const auto form = harness.open();
    const HWND expected[] = {form->Button2, form->Button3, form->Edit1, form->TreeView1.handle()};
    HWND at = form->TreeView1.handle();
    for (const HWND next : expected) {
        at = GetNextDlgTabItem(form->handle(), at, FALSE);
        EXPECT_EQ(at, next);
    }
}

TEST(StartUp, DarkStyleColoursTheTreeAndOwnerDrawsTheButtons) {
    FormHarness harness;
    const auto dark = Theme::fromPalette(*findStyle(kPaletteStyleName), DarkModeAbilities{true, 0, false});
    const auto form = harness.open(dark);
    const StylePalette& palette = *findStyle(kPaletteStyleName);
    EXPECT_EQ(static_cast<COLORREF>(TreeView_GetBkColor(form->TreeView1.handle())), palette.treeBack);
    EXPECT_EQ(static_cast<COLORREF>(TreeView_GetTextColor(form->TreeView1.handle())), palette.treeText);
    EXPECT_EQ(GetWindowLongPtrW(form->Button2, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(GetWindowLongPtrW(form->Button3, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);

    // The window's own surfaces are painted in the style's colours.
    form->show(SW_SHOWNOACTIVATE);
    UpdateWindow(form->handle());
    const WindowDc dc(form->handle());
    EXPECT_EQ(GetPixel(dc.get(), 2, 2), palette.window);
}

} // namespace
} // namespace merulan::testing
