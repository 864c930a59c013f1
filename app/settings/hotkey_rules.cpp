#include "app/settings/hotkey_rules.h"

#include "text/u16text.h"

#include <vector>

namespace merulan {

namespace {

constexpr unsigned kVkSpace = 0x20;
constexpr unsigned kVkF1 = 0x70;

bool equalsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    return upperAscii(a) == upperAscii(b);
}

std::optional<unsigned> modifierNamed(std::u16string_view name) {
    const struct {
        std::u16string_view name;
        unsigned bit;
    } modifiers[] = {{u"Ctrl", kHotkeyCtrl}, {u"Alt", kHotkeyAlt}, {u"Shift", kHotkeyShift}, {u"Win", kHotkeyWin}};
    for (const auto& m : modifiers) {
        if (equalsIgnoringAsciiCase(name, m.name)) {
            return m.bit;
        }
    }
    return std::nullopt;
}

struct Key {
    unsigned virtualKey;
    bool typesText; // a letter, digit or space
};

std::optional<Key> keyNamed(std::u16string_view name) {
    const std::u16string upper = upperAscii(name);
    if (upper.size() == 1 && ((upper[0] >= u'A' && upper[0] <= u'Z') || (upper[0] >= u'0' && upper[0] <= u'9'))) {
        return Key{upper[0], true}; // the virtual keys of letters and digits are their capitals' codes
    }
    if (upper == u"SPACE") {
        return Key{kVkSpace, true};
    }
    if (upper.size() >= 2 && upper.size() <= 3 && upper[0] == u'F' && upper[1] >= u'1' && upper[1] <= u'9') {
        unsigned number = upper[1] - u'0';
        if (upper.size() == 3) {
            if (upper[2] < u'0' || upper[2] > u'9') {
                return std::nullopt;
            }
            number = number * 10 + (upper[2] - u'0');
        }
        if (number >= 1 && number <= 24) {
            return Key{kVkF1 + number - 1, false};
        }
    }
    return std::nullopt;
}

std::vector<std::u16string_view> partsOf(std::u16string_view text) {
    std::vector<std::u16string_view> parts;
    for (;;) {
        const size_t plus = text.find(u'+');
        parts.push_back(trimBlanks(text.substr(0, plus)));
        if (plus == std::u16string_view::npos) {
            return parts;
        }
        text.remove_prefix(plus + 1);
    }
}

} // namespace

std::optional<HotkeyChord> parseHotkey(std::u16string_view text) {
    const std::vector<std::u16string_view> parts = partsOf(text);
    HotkeyChord chord;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        const auto bit = modifierNamed(parts[i]);
        if (!bit || (chord.modifiers & *bit)) {
            return std::nullopt;
        }
        chord.modifiers |= *bit;
    }
    const auto key = keyNamed(parts.back());
    if (!key || (key->typesText && !(chord.modifiers & (kHotkeyCtrl | kHotkeyAlt | kHotkeyWin)))) {
        return std::nullopt;
    }
    chord.virtualKey = key->virtualKey;
    return chord;
}

std::optional<std::u16string> readActivateHotkey(const ProfileStore& store) {
    const std::u16string value(trimBlanks(store.read(u"Keys", u"Activate", u"")));
    if (value.empty()) {
        return std::nullopt;
    }
    return value;
}

} // namespace merulan
