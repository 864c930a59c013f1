// TMerulanForm and its settings file: the bounds and target read at start-up (with the hotkey), written at the
// end of the run.
#include "app/MerulanUnit.h"

#include "app/settings/hotkey_rules.h"
#include "app/settings/settings_file.h"
#include "app/settings/window_bounds_win.h"
#include "text/u16text.h"

namespace merulan {

namespace {

WindowBounds boundsOf(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

} // namespace

void TMerulanForm::applySettings() {
    applyingSettings_ = true;
    const SettingsFile settings(files_.settingsPath);
    RECT current{};
    GetWindowRect(window_, &current);
    const SettingsValues values = settings.read(boundsOf(current), CAD1.caption(), currentScreenInfo());
    SetWindowPos(window_, nullptr, values.bounds.left, values.bounds.top, values.bounds.width, values.bounds.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    CAD1.setCaption(values.target);
    showTarget();
    applyingSettings_ = false;
    directInput_ = settings.directInput();
    registerActivateHotkey(settings);
}

void TMerulanForm::registerActivateHotkey(const SettingsFile& settings) {
    const std::optional<std::u16string> value = settings.activateHotkey();
    if (!value) {
        return; // no key unless the user asks for one
    }
    const std::u16string fileName(fileNameOf(settings.path()));
    if (const auto chord = parseHotkey(*value); !chord) {
        env_.showInformation(window_, formatText(kHotkeyUnreadableMessage, {fileName, *value}));
    } else if (!hotkey_.registerFor(window_, *chord)) {
        env_.showInformation(window_, formatText(kHotkeyTakenMessage, {fileName, *value}));
    }
}

void TMerulanForm::FormDestroy() {
    const SettingsFile settings(files_.settingsPath);
    settings.write(boundsToStore(window_), CAD1.caption());
}

} // namespace merulan
