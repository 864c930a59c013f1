// Where the palette's controls go: the 96-dpi design and its scaling to a monitor's dots per inch.
#pragma once

#include <cstdint>

namespace merulan {

constexpr unsigned kDesignDpi = 96;

struct LayoutRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const LayoutRect&) const = default;
};

struct LayoutSize {
    int width = 0;
    int height = 0;

    bool operator==(const LayoutSize&) const = default;
};

// value * dpi / 96, rounded half away from zero (what MulDiv does).
int scaleForDpi(int value, unsigned dpi);

// The client area the window is designed for.
LayoutSize designedClientSize(unsigned dpi);

// Character heights (pixels, without internal leading) of the three fonts.
int windowFontHeight(unsigned dpi); // the window, Label1, the buttons, Panel1
int editFontHeight(unsigned dpi);   // Edit1
int treeFontHeight(unsigned dpi);   // TreeView1
int treeIndent(unsigned dpi);
int imageSize(unsigned dpi);

struct FormLayout {
    LayoutRect label1;
    LayoutRect edit1;
    LayoutRect button3;
    LayoutRect button2;
    LayoutRect panel1;
    LayoutRect speedButton1; // inside Panel1
    LayoutRect treeView1;

    bool operator==(const FormLayout&) const = default;
};

// Everything but the tree keeps its place at the top left; the tree spans the client width from its
// designed top down to the bottom. speedButtonFillsPanel: whether the ESC button was made to fill Panel1.
FormLayout layoutFor(unsigned dpi, int clientWidth, int clientHeight, bool speedButtonFillsPanel);

} // namespace merulan
