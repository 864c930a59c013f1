#include "app/window/palette_keys.h"

namespace merulan {

namespace {

// Windows' virtual-key codes (VK_*), here without windows.h.
constexpr unsigned kKeyF = 'F';
constexpr unsigned kKeyF3 = 0x72;
constexpr unsigned kKeyDown = 0x28;
constexpr unsigned kKeyPageDown = 0x22;
constexpr unsigned kKeyEscape = 0x1B;
constexpr unsigned kKeyProcessedByInputMethod = 0xE5; // VK_PROCESSKEY

} // namespace

PaletteKey paletteKeyOf(unsigned virtualKey, KeyModifiers modifiers, bool inSearchBox, bool composing) {
    // While a conversion is open every key is the input method's (Enter confirms, Esc cancels, Down picks a
    // candidate), whatever it reports; an input method that processes a key reports it as VK_PROCESSKEY.
    if (composing || virtualKey == kKeyProcessedByInputMethod) {
        return PaletteKey::InputMethod;
    }
    const auto [ctrl, alt, shift] = modifiers;
    if ((virtualKey == kKeyF && ctrl && !alt) || (virtualKey == kKeyF3 && !ctrl && !alt && !shift)) {
        return PaletteKey::FocusSearchBox;
    }
    if (!inSearchBox || ctrl || alt || shift) {
        return PaletteKey::None;
    }
    switch (virtualKey) {
    case kKeyDown:
    case kKeyPageDown:
        return PaletteKey::IntoTree;
    case kKeyEscape:
        return PaletteKey::EmptySearchBox;
    }
    return PaletteKey::None;
}

} // namespace merulan
