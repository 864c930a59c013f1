#include "app/look/palette_images.h"

#include <gtest/gtest.h>

namespace merulan {
namespace {

constexpr std::uint32_t kClear = 0;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;

struct Probe {
    int x;
    int y;
    std::uint32_t heading; // image 0
    std::uint32_t command; // image 1
};

TEST(PaletteImages, LargeFiguresFollowThePixelDescription) {
    const Probe probes[] = {
        {0, 0, kClear, kClear},          {2, 2, kWhite, kWhite},         {3, 13, kWhite, kWhite},
        {2, 14, kClear, kClear},         {1, 5, kClear, kClear},         {4, 3, 0xFFE78484, 0xFF00FFFF},
        {12, 3, 0xFFE78484, 0xFF00FFFF}, {13, 3, kClear, kClear},        {4, 11, 0xFFE78484, 0xFF00FFFF},
        {4, 12, kClear, kClear},         {5, 4, 0xFFE76342, 0xFF008484}, {13, 12, 0xFFE76342, 0xFF008484},
        {14, 12, kClear, kClear},        {13, 13, kClear, kClear},       {15, 15, kClear, kClear},
    };
    const PalettePicture heading = palettePicture(0, 16);
    const PalettePicture command = palettePicture(1, 16);
    for (const Probe& p : probes) {
        EXPECT_EQ(heading.at(p.x, p.y), p.heading) << p.x << "," << p.y;
        EXPECT_EQ(command.at(p.x, p.y), p.command) << p.x << "," << p.y;
    }
}

TEST(PaletteImages, SmallVariantsHaveASevenPixelSquareInTheSameColours) {
    const PalettePicture smallCommand = palettePicture(2, 16);
    const PalettePicture smallHeading = palettePicture(3, 16);
    int squareColumns = 0;
    for (int x = 0; x < 16; ++x) {
        if (smallCommand.at(x, 8) == 0xFF008484 || smallCommand.at(x, 8) == 0xFF00FFFF) {
            ++squareColumns;
        }
    }
    EXPECT_EQ(squareColumns, 7);
    EXPECT_EQ(smallHeading.at(8, 8), 0xFFE76342u);
    EXPECT_EQ(smallHeading.at(6, 5), 0xFFE78484u);
    EXPECT_EQ(smallCommand.at(0, 0), kClear);
}

TEST(PaletteImages, TheSharedListsFlagsAreTheSameShapeInOtherColours) {
    for (const auto& [plain, shared] : {std::pair{0, 4}, {1, 5}}) {
        const PalettePicture mine = palettePicture(plain, 16);
        const PalettePicture office = palettePicture(shared, 16);
        int recoloured = 0;
        for (std::size_t i = 0; i < mine.argb.size(); ++i) {
            EXPECT_EQ(mine.argb[i] == kClear, office.argb[i] == kClear) << "the same shape";
            EXPECT_EQ(mine.argb[i] == kWhite, office.argb[i] == kWhite) << "the same bar";
            recoloured += mine.argb[i] != office.argb[i];
        }
        EXPECT_GT(recoloured, 50) << "the square in another colour";
    }
}

TEST(PaletteImages, EveryPixelIsOpaqueOrFullyTransparent) {
    for (int index = 0; index < kPaletteImageCount; ++index) {
        for (const std::uint32_t pixel : palettePicture(index, 16).argb) {
            const std::uint32_t alpha = pixel >> 24;
            EXPECT_TRUE(alpha == 0xFF || pixel == 0) << index;
        }
    }
}

TEST(PaletteImages, LargerSizesScaleTheDesignByBlocks) {
    const PalettePicture design = palettePicture(0, 16);
    const PalettePicture doubled = palettePicture(0, 32);
    ASSERT_EQ(doubled.size, 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            ASSERT_EQ(doubled.at(x, y), design.at(x / 2, y / 2)) << x << "," << y;
        }
    }
    const PalettePicture at144 = palettePicture(1, 24);
    EXPECT_EQ(at144.argb.size(), 24u * 24u);
    EXPECT_EQ(at144.at(3, 3), kWhite); // design (2, 2)
}

} // namespace
} // namespace merulan
