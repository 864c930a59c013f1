#include "app/look/styles.h"

namespace merulan {

namespace {

constexpr std::uint32_t rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | (g << 8) | (b << 16);
}

constexpr StylePalette kWindows10Dark{
    .window = rgb(0x2B, 0x2B, 0x2B),
    .text = rgb(0xF0, 0xF0, 0xF0),
    .panel = rgb(0x2B, 0x2B, 0x2B),
    .editBack = rgb(0x1E, 0x1E, 0x1E),
    .editText = rgb(0xF0, 0xF0, 0xF0),
    .buttonFace = rgb(0x3C, 0x3C, 0x3C),
    .buttonPressed = rgb(0x5A, 0x5A, 0x5A),
    .buttonBorder = rgb(0x6E, 0x6E, 0x6E),
    .focusBorder = rgb(0x00, 0x78, 0xD7),
    .treeBack = rgb(0x19, 0x19, 0x19),
    .treeText = rgb(0xF0, 0xF0, 0xF0),
    .treeLine = rgb(0x80, 0x80, 0x80),
    .inactiveSelection = rgb(0x3F, 0x3F, 0x46),
};

// The first Windows 10 builds with each ability.
constexpr std::uint32_t kBuildTitleBarAttribute19 = 17763;  // 1809
constexpr std::uint32_t kBuildUndocumentedDarkMode = 18362; // 1903
constexpr std::uint32_t kBuildTitleBarAttribute20 = 18985;  // 20H1 previews and later

} // namespace

const StylePalette* findStyle(std::u16string_view name) {
    return name == kPaletteStyleName ? &kWindows10Dark : nullptr;
}

DarkModeAbilities darkModeAbilities(const DarkModeFacts& facts) {
    DarkModeAbilities abilities;
    // High contrast means the user's own colours must win over any style.
    if (facts.highContrast) {
        return abilities;
    }
    abilities.ownColours = true;
    // Wine reports a Windows 10 build, but its DWM is a stub and the uxtheme ordinals are missing or
    // resolve to unrelated functions: only our own painting is safe there.
    if (facts.underWine) {
        return abilities;
    }
    if (facts.windowsBuild >= kBuildTitleBarAttribute20) {
        abilities.titleBarAttribute = 20;
    } else if (facts.windowsBuild >= kBuildTitleBarAttribute19) {
        abilities.titleBarAttribute = 19;
    }
    abilities.darkMenusAndScrollbars = facts.windowsBuild >= kBuildUndocumentedDarkMode && facts.uxthemeDarkOrdinals;
    return abilities;
}

} // namespace merulan
