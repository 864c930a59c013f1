// Interim stand-in: see interim/app/settings_file.h.
#include "app/settings_file.h"

#include "text/u16text.h"

namespace merulan {

std::u16string settingsPathFor(std::u16string_view exePath) {
    const std::u16string_view extension = extensionOf(exePath);
    return std::u16string(exePath.substr(0, exePath.size() - extension.size())) + u".ini";
}

SettingsFile::SettingsFile(std::u16string path) : path_(std::move(path)) {}

SettingsValues SettingsFile::read(WindowBounds current, const std::u16string& currentTarget,
                                  const ScreenInfo& screen) const {
    current.left = (screen.width - current.width) / 2;
    current.top = (screen.height - current.height) / 2;
    return {current, currentTarget};
}

void SettingsFile::write(const WindowBounds&, const std::u16string&) const {}

} // namespace merulan
