#include "app/window/form_layout.h"

#include <algorithm>

namespace merulan {

namespace {

constexpr LayoutSize kClient{280, 202};
constexpr LayoutRect kLabel1{10, 8, 24, 13};
constexpr LayoutRect kEdit1{40, 4, 89, 22};
constexpr LayoutRect kButton3{128, 4, 50, 23};
constexpr LayoutRect kButton2{176, 4, 50, 23};
constexpr LayoutRect kPanel1{225, 4, 43, 23};
constexpr LayoutRect kSpeedButton1{0, 0, 50, 10};
constexpr int kTreeTop = 27;

LayoutRect scaled(const LayoutRect& r, unsigned dpi) {
    return {scaleForDpi(r.left, dpi), scaleForDpi(r.top, dpi), scaleForDpi(r.width, dpi), scaleForDpi(r.height, dpi)};
}

} // namespace

int scaleForDpi(int value, unsigned dpi) {
    const long long product = static_cast<long long>(value) * dpi;
    const long long half = kDesignDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kDesignDpi : (product - half) / kDesignDpi);
}

LayoutSize designedClientSize(unsigned dpi) {
    return {scaleForDpi(kClient.width, dpi), scaleForDpi(kClient.height, dpi)};
}

int windowFontHeight(unsigned dpi) {
    return scaleForDpi(11, dpi);
}
int editFontHeight(unsigned dpi) {
    return scaleForDpi(12, dpi);
}
int treeFontHeight(unsigned dpi) {
    return scaleForDpi(13, dpi);
}
int treeIndent(unsigned dpi) {
    return scaleForDpi(19, dpi);
}
int imageSize(unsigned dpi) {
    return scaleForDpi(16, dpi);
}

FormLayout layoutFor(unsigned dpi, int clientWidth, int clientHeight, bool speedButtonFillsPanel) {
    FormLayout layout;
    layout.label1 = scaled(kLabel1, dpi);
    layout.edit1 = scaled(kEdit1, dpi);
    layout.button3 = scaled(kButton3, dpi);
    layout.button2 = scaled(kButton2, dpi);
    layout.panel1 = scaled(kPanel1, dpi);
    layout.speedButton1 = speedButtonFillsPanel ? LayoutRect{0, 0, layout.panel1.width, layout.panel1.height}
                                                : scaled(kSpeedButton1, dpi);
    const int treeTop = scaleForDpi(kTreeTop, dpi);
    layout.treeView1 = {0, treeTop, std::max(clientWidth, 0), std::max(clientHeight - treeTop, 0)};
    return layout;
}

} // namespace merulan
