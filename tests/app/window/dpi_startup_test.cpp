// Runs in a Wine prefix whose screen has 144 dots per inch: the palette is built at that scale.
#include "support/form_harness.h"

#include "app/window/dpi.h"

#include <gtest/gtest.h>

namespace merulan::testing {
namespace {

TEST(StartUpAt144Dpi, WindowControlsFontsAndImagesAreScaled) {
    ASSERT_EQ(dpiOfPrimaryMonitor(), 144u) << "this test runs with MERULAN_WINE_DPI=144";
    FormHarness harness;
    harness.writeList(u"作図\r\nLINE\t線分\r\n");
    const auto form = harness.open();
    EXPECT_EQ(form->dpi(), 144u);

    const RECT client = clientRect(form->handle());
    EXPECT_EQ(client.right, 420);
    EXPECT_EQ(client.bottom, 303);
    const RECT outer = windowRect(form->handle());
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);

    const struct {
        const char* name;
        HWND control;
        std::array<LONG, 4> rect;
    } controls[] = {
        {"Label1", form->Label1, {15, 12, 51, 32}},
        {"Edit1", form->Edit1, {60, 6, 194, 39}},
        {"Button3", form->Button3, {192, 6, 267, 41}},
        {"Button2", form->Button2, {264, 6, 339, 41}},
        {"Panel1", form->Panel1.handle(), {338, 6, 403, 41}},
        {"TreeView1", form->TreeView1.handle(), {0, 41, 420, 303}},
    };
    for (const auto& c : controls) {
        const RECT r = childRect(c.control);
        EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}), c.rect) << c.name;
    }
    EXPECT_EQ(fontOf(form->Label1).lfHeight, -17);
    EXPECT_EQ(fontOf(form->Edit1).lfHeight, -18);
    EXPECT_EQ(fontOf(form->TreeView1.handle()).lfHeight, -20);
    EXPECT_EQ(TreeView_GetIndent(form->TreeView1.handle()), 29u);
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(form->ImageList2.get(), &cx, &cy);
    EXPECT_EQ(cx, 24);
    EXPECT_EQ(TreeView_GetCount(form->TreeView1.handle()), 2u);
}

} // namespace
} // namespace merulan::testing
