// Keys pressed together, as the user presses them: through the system's input queue (SendInput), so
// that a hotkey anywhere on the desktop sees them. Used by the window tests and the window benchmark.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <iterator>
#include <vector>

namespace merulan::testing {

// Each key down in order, then each up in reverse order.
inline void pressChord(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (const WORD key : keys) {
        INPUT input{INPUT_KEYBOARD};
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        INPUT input{INPUT_KEYBOARD};
        input.ki.wVk = *key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

} // namespace merulan::testing
