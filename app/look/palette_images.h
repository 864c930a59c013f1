// The pictures of ImageList2, drawn from their pixel description rather than loaded from bitmaps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace merulan {

constexpr int kPaletteImageCount = 6;
constexpr int kPaletteImageDesignSize = 16;

// One picture: size x size pixels, top row first, 0xAARRGGBB with alpha 0 (transparent) or 255.
struct PalettePicture {
    int size = 0;
    std::vector<std::uint32_t> argb;

    std::uint32_t at(int x, int y) const { return argb[static_cast<std::size_t>(y) * size + x]; }
};

// Picture index (0-5; 4 and 5 are 0 and 1 in the shared list's colours) at the given pixel size; other sizes than 16 scale the design by nearest neighbour.
PalettePicture palettePicture(int index, int size);

} // namespace merulan
