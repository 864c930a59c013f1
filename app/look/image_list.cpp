#include "app/look/image_list.h"

#include "app/window/form_layout.h"
#include "app/look/palette_images.h"
#include "text/error.h"

#include <cstring>
#include <vector>

namespace merulan {

namespace {

UniqueBitmap colourBitmap(const PalettePicture& picture) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture.size;
    info.bmiHeader.biHeight = -picture.size; // top row first, as the picture is
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap && bits) {
        std::memcpy(bits, picture.argb.data(), picture.argb.size() * sizeof(picture.argb[0]));
    }
    return bitmap;
}

// 1 marks a transparent pixel; rows are padded to 16 bits.
UniqueBitmap maskBitmap(const PalettePicture& picture) {
    const int stride = (picture.size + 15) / 16 * 2;
    std::vector<unsigned char> bits(static_cast<size_t>(stride) * picture.size, 0);
    for (int y = 0; y < picture.size; ++y) {
        for (int x = 0; x < picture.size; ++x) {
            if ((picture.at(x, y) >> 24) == 0) {
                bits[static_cast<size_t>(y) * stride + x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
            }
        }
    }
    return UniqueBitmap(CreateBitmap(picture.size, picture.size, 1, 1, bits.data()));
}

} // namespace

UniqueImageList createPaletteImageList(unsigned dpi) {
    const int size = imageSize(dpi);
    UniqueImageList list(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, kPaletteImageCount, 0));
    if (!list) {
        throw MerulanError(u"イメージリストを作成できません");
    }
    for (int index = 0; index < kPaletteImageCount; ++index) {
        const PalettePicture picture = palettePicture(index, size);
        const UniqueBitmap colour = colourBitmap(picture);
        const UniqueBitmap mask = maskBitmap(picture);
        if (!colour || !mask || ImageList_Add(list.get(), colour.get(), mask.get()) < 0) {
            throw MerulanError(u"イメージリストを作成できません");
        }
    }
    return list;
}

} // namespace merulan
