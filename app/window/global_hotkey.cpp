#include "app/window/global_hotkey.h"

namespace merulan {

bool GlobalHotkey::registerFor(HWND window, const HotkeyChord& chord) {
    release();
    // MOD_NOREPEAT: a key held down brings the palette forward once, not again and again.
    if (!RegisterHotKey(window, kId, chord.modifiers | MOD_NOREPEAT, chord.virtualKey)) {
        return false;
    }
    window_ = window;
    return true;
}

void GlobalHotkey::release() {
    if (window_) {
        UnregisterHotKey(window_, kId);
        window_ = nullptr;
    }
}

} // namespace merulan
