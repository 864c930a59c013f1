// The visual styles compiled into the palette, and what the system lets a dark style do.
#pragma once

#include <cstdint>
#include <string_view>

namespace merulan {

inline constexpr std::u16string_view kPaletteStyleName = u"Windows10 Dark";

// Colours as 0x00BBGGRR (COLORREF order).
struct StylePalette {
    std::uint32_t window; // form background, label background
    std::uint32_t text;   // form, label and button text
    std::uint32_t panel;  // panels, whatever colour they were given
    std::uint32_t editBack;
    std::uint32_t editText;
    std::uint32_t buttonFace;
    std::uint32_t buttonPressed;
    std::uint32_t buttonBorder;
    std::uint32_t focusBorder; // the border of the button that has the focus
    std::uint32_t treeBack;
    std::uint32_t treeText;
    std::uint32_t treeLine;
    std::uint32_t inactiveSelection; // selected tree node while the tree lacks the focus
};

// nullptr when no style of that name is compiled in.
const StylePalette* findStyle(std::u16string_view name);

struct DarkModeFacts {
    std::uint32_t windowsBuild = 0; // e.g. 19045; 0 when unknown
    bool underWine = false;
    bool highContrast = false;        // the user asked for high-contrast system colours
    bool uxthemeDarkOrdinals = false; // uxtheme exports the undocumented ordinals 133, 135 and 136
};

struct DarkModeAbilities {
    bool ownColours = false;             // paint the window, controls and tree in the style's colours
    int titleBarAttribute = 0;           // DWM attribute for a dark caption: 20, 19 on older builds, 0 for none
    bool darkMenusAndScrollbars = false; // the undocumented uxtheme calls
};

// What a dark style may do on a system with these facts.
DarkModeAbilities darkModeAbilities(const DarkModeFacts& facts);

} // namespace merulan
