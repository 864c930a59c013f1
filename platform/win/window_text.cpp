#include "platform/win/window_text.h"

#include "platform/win/wide.h"

#include <algorithm>
#include <climits>

namespace merulan {

std::u16string windowText(HWND window) {
    std::u16string text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, u'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, wide(text), static_cast<int>(text.size()))));
    return text;
}

std::u16string windowTextUpTo(HWND window, std::size_t maxUnits) {
    std::u16string text(std::min<std::size_t>(maxUnits, INT_MAX - 1) + 1, u'\0');
    const int length = GetWindowTextW(window, wide(text), static_cast<int>(text.size()));
    text.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return text;
}

} // namespace merulan
