#include "app/look/palette_images.h"

namespace merulan {

namespace {

constexpr std::uint32_t kTransparent = 0;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;

struct Colours {
    std::uint32_t fill;
    std::uint32_t edge;
};
constexpr Colours kHeadingColours{0xFFE76342, 0xFFE78484};
constexpr Colours kCommandColours{0xFF008484, 0xFF00FFFF};
// The office's shared list: the same flags in amber and blue.
constexpr Colours kSharedHeadingColours{0xFFC8901E, 0xFFF0C860};
constexpr Colours kSharedCommandColours{0xFF3C64C8, 0xFF96B4FF};

bool within(int v, int from, int to) {
    return v >= from && v <= to;
}

// The 16 x 16 figure: a white bar, then a filled square whose top and left edges carry a lighter line.
std::uint32_t largeFigure(const Colours& c, int x, int y) {
    if (within(x, 2, 3) && within(y, 2, 13)) {
        return kWhite;
    }
    if ((y == 3 && within(x, 4, 12)) || (x == 4 && within(y, 3, 11))) {
        return c.edge;
    }
    if (within(x, 5, 13) && within(y, 4, 12)) {
        return c.fill;
    }
    return kTransparent;
}

// The same figure with a 7 x 7 square and a thinner bar.
std::uint32_t smallFigure(const Colours& c, int x, int y) {
    if (x == 4 && within(y, 4, 12)) {
        return kWhite;
    }
    if ((y == 5 && within(x, 6, 11)) || (x == 6 && within(y, 5, 10))) {
        return c.edge;
    }
    if (within(x, 7, 12) && within(y, 6, 11)) {
        return c.fill;
    }
    return kTransparent;
}

std::uint32_t designPixel(int index, int x, int y) {
    switch (index) {
    case 0:
        return largeFigure(kHeadingColours, x, y);
    case 1:
        return largeFigure(kCommandColours, x, y);
    case 2:
        return smallFigure(kCommandColours, x, y);
    case 3:
        return smallFigure(kHeadingColours, x, y);
    case 4:
        return largeFigure(kSharedHeadingColours, x, y);
    case 5:
        return largeFigure(kSharedCommandColours, x, y);
    default:
        return kTransparent;
    }
}

} // namespace

PalettePicture palettePicture(int index, int size) {
    PalettePicture picture;
    picture.size = size > 0 ? size : 0;
    picture.argb.resize(static_cast<std::size_t>(picture.size) * picture.size);
    for (int y = 0; y < picture.size; ++y) {
        for (int x = 0; x < picture.size; ++x) {
            picture.argb[static_cast<std::size_t>(y) * picture.size + x] = designPixel(
                index, x * kPaletteImageDesignSize / picture.size, y * kPaletteImageDesignSize / picture.size);
        }
    }
    return picture;
}

} // namespace merulan
