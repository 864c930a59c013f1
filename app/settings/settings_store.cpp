#include "app/settings/settings_store.h"

#include "text/error.h"
#include "text/u16text.h"

namespace merulan {

namespace {

constexpr std::u16string_view kForm = u"Form";
constexpr std::u16string_view kCad = u"CAD";

std::optional<std::int32_t> readInteger(const ProfileStore& store, std::u16string_view key) {
    return parseProfileInteger(store.read(kForm, key, u""));
}

} // namespace

std::optional<std::u16string> readPresentValue(const ProfileStore& store, std::u16string_view section,
                                               std::u16string_view key) {
    // The profile functions tell a missing key only by returning the default. A stored value can equal
    // any one default, but not two different ones. The second read happens only when the first returned
    // its default. Both defaults are plain ASCII without trailing blanks, which the functions would strip.
    constexpr std::u16string_view kFirst = u"<merulan:missing:1>";
    constexpr std::u16string_view kSecond = u"<merulan:missing:2>";
    std::u16string value = store.read(section, key, kFirst);
    if (value != kFirst || store.read(section, key, kSecond) != kSecond) {
        return value;
    }
    return std::nullopt;
}

bool readDirectInput(const ProfileStore& store) {
    return parseProfileInteger(store.read(u"Keys", u"DirectInput", u"")) != 0;
}

SettingsValues readSettings(const ProfileStore& store, const WindowBounds& designed,
                            const std::u16string& currentTarget, const ScreenInfo& screen) {
    // Each value is settled before the next is read: the centred defaults use the width and height
    // just read, not the designed ones.
    WindowBounds bounds{};
    bounds.width = readInteger(store, u"Width").value_or(designed.width);
    bounds.height = readInteger(store, u"Height").value_or(designed.height);
    bounds.left = readInteger(store, u"Left").value_or(centredPosition(screen.width, bounds.width));
    bounds.top = readInteger(store, u"Top").value_or(centredPosition(screen.height, bounds.height));
    std::u16string target = readPresentValue(store, kCad, u"Target").value_or(currentTarget);
    store.flush();
    return {mendUnusableBounds(bounds, designed, screen), std::move(target)};
}

void writeSettings(const ProfileStore& store, const std::u16string& path, const WindowBounds& bounds,
                   const std::u16string& target) {
    struct Entry {
        std::u16string_view section, key;
        std::u16string value;
    };
    const Entry entries[] = {
        {kForm, u"Width", decimalText(bounds.width)},
        {kForm, u"Height", decimalText(bounds.height)},
        {kForm, u"Left", decimalText(bounds.left)},
        {kForm, u"Top", decimalText(bounds.top)},
        {kCad, u"Target", target},
    };
    bool refused = false;
    for (const Entry& entry : entries) {
        if (!store.write(entry.section, entry.key, entry.value)) {
            refused = true;
            break;
        }
    }
    // Also after a refusal: the cache may hold the value the file did not take.
    store.flush();
    if (refused) {
        // No "." here: the error box appends it, because "ん" comes after "." in code order.
        throw MerulanError(formatText(kCannotWriteSettingsMessage, {path}));
    }
}

} // namespace merulan
