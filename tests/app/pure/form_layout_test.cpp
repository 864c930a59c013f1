#include "app/window/form_layout.h"

#include <gtest/gtest.h>

namespace merulan {
namespace {

TEST(FormLayout, ScalingRoundsHalfAwayFromZeroLikeMulDiv) {
    const struct {
        int value;
        unsigned dpi;
        int scaled;
    } cases[] = {
        {27, 96, 27}, {27, 144, 41},   {11, 144, 17},   {19, 144, 29}, {13, 120, 16},  {16, 120, 20},
        {1, 144, 2},  {-11, 144, -17}, {280, 192, 560}, {0, 144, 0},   {202, 72, 152},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(scaleForDpi(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi;
    }
}

TEST(FormLayout, DesignAt96DpiAndItsScalingTo144) {
    const FormLayout at96 = layoutFor(96, 280, 202, true);
    EXPECT_EQ(at96.label1, (LayoutRect{10, 8, 24, 13}));
    EXPECT_EQ(at96.edit1, (LayoutRect{40, 4, 89, 22}));
    EXPECT_EQ(at96.button3, (LayoutRect{128, 4, 50, 23}));
    EXPECT_EQ(at96.button2, (LayoutRect{176, 4, 50, 23}));
    EXPECT_EQ(at96.panel1, (LayoutRect{225, 4, 43, 23}));
    EXPECT_EQ(at96.speedButton1, (LayoutRect{0, 0, 43, 23}));
    EXPECT_EQ(at96.treeView1, (LayoutRect{0, 27, 280, 175}));

    const FormLayout at144 = layoutFor(144, 420, 303, true);
    EXPECT_EQ(at144.label1, (LayoutRect{15, 12, 36, 20}));
    EXPECT_EQ(at144.edit1, (LayoutRect{60, 6, 134, 33}));
    EXPECT_EQ(at144.panel1, (LayoutRect{338, 6, 65, 35}));
    EXPECT_EQ(at144.treeView1, (LayoutRect{0, 41, 420, 262}));
    EXPECT_EQ(designedClientSize(144), (LayoutSize{420, 303}));
    EXPECT_EQ(designedClientSize(96), (LayoutSize{280, 202}));
}

TEST(FormLayout, OnlyTheTreeFollowsTheClientSize) {
    const FormLayout small = layoutFor(96, 100, 20, true);
    const FormLayout large = layoutFor(96, 900, 700, true);
    EXPECT_EQ(small.edit1, large.edit1);
    EXPECT_EQ(small.panel1, large.panel1);
    EXPECT_EQ(large.treeView1, (LayoutRect{0, 27, 900, 673}));
    EXPECT_EQ(small.treeView1, (LayoutRect{0, 27, 100, 0})) << "never a negative height";
}

TEST(FormLayout, EscButtonKeepsItsDesignUntilMadeToFillThePanel) {
    EXPECT_EQ(layoutFor(96, 280, 202, false).speedButton1, (LayoutRect{0, 0, 50, 10}));
    EXPECT_EQ(layoutFor(144, 420, 303, false).speedButton1, (LayoutRect{0, 0, 75, 15}));
}

TEST(FormLayout, FontsIndentAndImagesScale) {
    EXPECT_EQ(windowFontHeight(96), 11);
    EXPECT_EQ(editFontHeight(96), 12);
    EXPECT_EQ(treeFontHeight(96), 13);
    EXPECT_EQ(treeIndent(96), 19);
    EXPECT_EQ(imageSize(96), 16);
    EXPECT_EQ(windowFontHeight(144), 17);
    EXPECT_EQ(editFontHeight(144), 18);
    EXPECT_EQ(treeFontHeight(144), 20);
    EXPECT_EQ(treeIndent(144), 29);
    EXPECT_EQ(imageSize(144), 24);
}

} // namespace
} // namespace merulan
