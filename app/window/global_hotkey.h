// A system-wide hotkey held by a window for as long as this object lives.
#pragma once

#include "app/settings/hotkey_rules.h"

#include <windows.h>

namespace merulan {

class GlobalHotkey {
public:
    GlobalHotkey() = default;
    ~GlobalHotkey() { release(); }
    GlobalHotkey(const GlobalHotkey&) = delete;
    GlobalHotkey& operator=(const GlobalHotkey&) = delete;

    // False when another program (or window) holds the chord already.
    bool registerFor(HWND window, const HotkeyChord& chord);
    void release();
    bool registered() const { return window_ != nullptr; }

    static constexpr int kId = 1;

private:
    HWND window_ = nullptr;
};

} // namespace merulan
