// The palette's settings file beside the executable, through the Windows profile-file functions.
#pragma once

#include "app/settings/palette_files.h"
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

// The office's shared list as a full path, empty without one. A palette that keeps its files in the user's folder
// takes it from the Merulan.ini beside the executable when that one names a list, so that a CAD manager's change
// reaches every seat and not only its first start; otherwise from its own settings.
std::u16string sharedListPathOf(const PaletteFiles& files, const std::u16string& executablePath);

// GetSystemMetrics(SM_CXSCREEN / SM_CYSCREEN) and the work area of every monitor.
ScreenInfo currentScreenInfo();

} // namespace merulan
