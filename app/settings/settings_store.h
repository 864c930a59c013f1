// Reading and writing the settings through a profile store: the order of the keys, the defaults, the
// "Target" rule and the cache flushes. The Windows store goes through the profile-file functions.
#pragma once

#include "app/settings/settings_rules.h"

#include <optional>
#include <string>
#include <string_view>

namespace merulan {

inline constexpr std::u16string_view kCannotWriteSettingsMessage = u"%s に書き込めません";

// The shape of GetPrivateProfileStringW / WritePrivateProfileStringW for one file.
class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    // The key's text, or fallback when the key, its section or the file is missing.
    virtual std::u16string read(std::u16string_view section, std::u16string_view key,
                                std::u16string_view fallback) const = 0;
    // False when the platform refuses the write.
    virtual bool write(std::u16string_view section, std::u16string_view key, std::u16string_view value) const = 0;
    // Drops the store's cached copy of the file.
    virtual void flush() const = 0;
};

// The key's text, or nothing when the key is missing: an empty value counts as present.
std::optional<std::u16string> readPresentValue(const ProfileStore& store, std::u16string_view section,
                                               std::u16string_view key);

// "Keys"/"DirectInput": whether the keys that put the caret in the search box switch its input method off.
// On unless the value reads as the number 0 (a missing key, a blank or any other text leaves it on).
bool readDirectInput(const ProfileStore& store);

// designed: the window's current (designed, DPI-scaled) outer bounds; currentTarget: CAD1's caption.
SettingsValues readSettings(const ProfileStore& store, const WindowBounds& designed,
                            const std::u16string& currentTarget, const ScreenInfo& screen);

// Writes Form/Width, Height, Left, Top and CAD/Target in that order. A refused write stops there and
// throws MerulanError "%s に書き込めません" with path.
void writeSettings(const ProfileStore& store, const std::u16string& path, const WindowBounds& bounds,
                   const std::u16string& target);

} // namespace merulan
