// The palette's own keys, which it takes before the dialog manager (that would take Esc for closing).
#pragma once

namespace merulan {

enum class PaletteKey {
    None, // the key goes on as usual
    // The input method's: dispatched as it is, never seen by the dialog manager, which would run the selected
    // entry on the Enter that only confirms a conversion.
    InputMethod,
    FocusSearchBox, // Ctrl+F, F3: the caret in the search box, its text selected
    IntoTree,       // Down or Page Down in the search box: on to the selected entry, which Enter runs
    EmptySearchBox, // Esc in the search box
};

struct KeyModifiers {
    bool ctrl = false;
    bool alt = false;
    bool shift = false;
};

// What a key press (a Windows virtual-key code) does, pressed with modifiers in the search box or elsewhere in
// the palette; composing: the focused control's input method holds a conversion not yet confirmed.
PaletteKey paletteKeyOf(unsigned virtualKey, KeyModifiers modifiers, bool inSearchBox, bool composing = false);

} // namespace merulan
