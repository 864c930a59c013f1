// WM_DPICHANGED: the window takes the suggested rectangle and scales everything it drew at 96 dpi.
#include "support/form_harness.h"

#include <gtest/gtest.h>

namespace merulan::testing {
namespace {

TEST(DpiChange, ToOneAndAHalfScalesFontsControlsIndentAndImages) {
    FormHarness harness;
    harness.writeList(u"作図\r\nLINE\t線分\r\n");
    const auto form = harness.open();
    const RECT before = windowRect(form->handle());
    const RECT suggested{before.left, before.top, before.left + 450, before.top + 340};
    SendMessageW(form->handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));

    EXPECT_EQ(form->dpi(), 144u);
    const RECT now = windowRect(form->handle());
    EXPECT_EQ(now.right - now.left, 450);
    EXPECT_EQ(now.bottom - now.top, 340);
    EXPECT_EQ(fontOf(form->Button2).lfHeight, -17);
    EXPECT_EQ(fontOf(form->Edit1).lfHeight, -18);
    EXPECT_EQ(fontOf(form->TreeView1.handle()).lfHeight, -20);
    EXPECT_EQ(TreeView_GetIndent(form->TreeView1.handle()), 29u);
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(TreeView_GetImageList(form->TreeView1.handle(), TVSIL_NORMAL), &cx, &cy);
    EXPECT_EQ(cx, 24);
    EXPECT_EQ(cy, 24);

    const RECT edit = childRect(form->Edit1);
    EXPECT_EQ((std::array{edit.left, edit.top, edit.right, edit.bottom}), (std::array<LONG, 4>{60, 6, 194, 39}));
    const RECT panel = childRect(form->Panel1.handle());
    const RECT esc = childRect(form->SpeedButton1.handle());
    EXPECT_EQ(esc.right, panel.right - panel.left) << "the ESC button still fills its panel";
    const RECT client = clientRect(form->handle());
    const RECT tree = childRect(form->TreeView1.handle());
    EXPECT_EQ((std::array{tree.left, tree.top, tree.right, tree.bottom}),
              (std::array<LONG, 4>{0, 41, client.right, client.bottom}));
    EXPECT_EQ(TreeView_GetCount(form->TreeView1.handle()), 2u) << "the nodes stay";
}

} // namespace
} // namespace merulan::testing
