// The palette's settings file beside the executable, through the Windows profile-file functions.
#pragma once

#include "app/settings/settings_rules.h"

#include <optional>
#include <string>

namespace merulan {

class SettingsFile {
public:
    explicit SettingsFile(std::u16string path);
    // current: the window's designed (DPI-scaled) outer bounds; currentTarget: CAD1's caption.
    SettingsValues read(WindowBounds current, const std::u16string& currentTarget, const ScreenInfo& screen) const;
    // Throws MerulanError "%s に書き込めません" when the platform refuses a key; later keys stay unwritten.
    void write(const WindowBounds& bounds, const std::u16string& target) const;
    // "Keys"/"Activate", trimmed; nothing when missing or blank.
    std::optional<std::u16string> activateHotkey() const;
    // "List"/"Shared" as written; empty when missing.
    std::u16string sharedList() const;
    // "Keys"/"DirectInput": false only for 0.
    bool directInput() const;
    const std::u16string& path() const { return path_; }

private:
    std::u16string path_;
};

// GetSystemMetrics(SM_CXSCREEN / SM_CYSCREEN) and the work area of every monitor.
ScreenInfo currentScreenInfo();

} // namespace merulan
