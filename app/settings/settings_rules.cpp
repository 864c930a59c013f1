#include "app/settings/settings_rules.h"

#include "text/u16text.h"

#include <algorithm>
#include <limits>

namespace merulan {

std::u16string settingsPathFor(std::u16string_view exePath) {
    const std::u16string_view extension = extensionOf(exePath);
    std::u16string path(exePath.substr(0, exePath.size() - extension.size()));
    path += u".ini";
    return path;
}

namespace {

int digitValue(char16_t c, int base) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (base == 16 && c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (base == 16 && c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

// The digits' value, or nothing when a character is no digit or the value passes limit.
std::optional<std::int64_t> digitsValue(std::u16string_view digits, int base, std::int64_t limit) {
    if (digits.empty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char16_t c : digits) {
        const int digit = digitValue(c, base);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > limit) { // checked at every digit, so leading zeros never overflow anything
            return std::nullopt;
        }
    }
    return value;
}

std::optional<std::u16string_view> hexDigitsOf(std::u16string_view text) {
    if (beginsWith(text, u"$") || beginsWith(text, u"x") || beginsWith(text, u"X")) {
        return text.substr(1);
    }
    if (beginsWith(text, u"0x") || beginsWith(text, u"0X")) {
        return text.substr(2);
    }
    return std::nullopt;
}

} // namespace

std::u16string sharedListPathFor(std::u16string_view value, std::u16string_view exeFolder) {
    const std::u16string_view path = trimBlanks(value);
    if (path.empty()) {
        return {};
    }
    if (isFullPath(path)) {
        return std::u16string(path);
    }
    return std::u16string(exeFolder) + std::u16string(path);
}

std::optional<std::int32_t> parseProfileInteger(std::u16string_view text) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    // Only decimals carry a sign: "-$10" and "$-10" are no numbers.
    if (const auto hex = hexDigitsOf(text)) {
        const auto value = digitsValue(*hex, 16, kMax);
        return value ? std::optional<std::int32_t>(static_cast<std::int32_t>(*value)) : std::nullopt;
    }
    const bool negative = beginsWith(text, u"-");
    if (negative || beginsWith(text, u"+")) {
        text.remove_prefix(1);
    }
    const auto value = digitsValue(text, 10, negative ? kMax + 1 : kMax);
    if (!value) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -*value : *value);
}

std::int32_t centredPosition(std::int32_t screenSize, std::int32_t windowSize) {
    // Stored sizes can be anything a 32-bit integer holds; the subtraction wraps instead of overflowing.
    const auto difference =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(screenSize) - static_cast<std::uint32_t>(windowSize));
    return difference / 2;
}

namespace {

bool overlaps(const WindowBounds& a, const WindowBounds& b) {
    // 64-bit edges: left + width of stored values may pass the 32-bit range.
    const std::int64_t left = std::max<std::int64_t>(a.left, b.left);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{a.left} + a.width, std::int64_t{b.left} + b.width);
    const std::int64_t top = std::max<std::int64_t>(a.top, b.top);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{a.top} + a.height, std::int64_t{b.top} + b.height);
    return left < right && top < bottom;
}

} // namespace

bool isUsableWindow(const WindowBounds& bounds, const ScreenInfo& screen) {
    if (bounds.width <= 0 || bounds.height <= 0) {
        return false;
    }
    // Without any known monitor there is nothing to judge the position against: keep it.
    return screen.workAreas.empty() || std::any_of(screen.workAreas.begin(), screen.workAreas.end(),
                                                   [&](const WindowBounds& area) { return overlaps(bounds, area); });
}

WindowBounds mendUnusableBounds(const WindowBounds& stored, const WindowBounds& designed, const ScreenInfo& screen) {
    if (isUsableWindow(stored, screen)) {
        return stored;
    }
    return {centredPosition(screen.width, designed.width), centredPosition(screen.height, designed.height),
            designed.width, designed.height};
}

} // namespace merulan
