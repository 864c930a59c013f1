#include "app/settings/settings_file.h"

#include "app/settings/hotkey_rules.h"
#include "app/settings/settings_store.h"
#include "platform/win/wide.h"
#include "text/u16text.h"

#include <windows.h>

namespace merulan {

namespace {

// Values are read into a 2048-character buffer, so at most 2047 characters of one survive.
constexpr DWORD kValueBufferChars = 2048;

class PrivateProfile final : public ProfileStore {
public:
    explicit PrivateProfile(const std::u16string& path) : path_(path) {}

    std::u16string read(std::u16string_view section, std::u16string_view key,
                        std::u16string_view fallback) const override {
        std::u16string value(kValueBufferChars, u'\0');
        const DWORD length =
            GetPrivateProfileStringW(wide(std::u16string(section)), wide(std::u16string(key)),
                                     wide(std::u16string(fallback)), wide(value), kValueBufferChars, wide(path_));
        value.resize(length);
        return value;
    }

    bool write(std::u16string_view section, std::u16string_view key, std::u16string_view value) const override {
        return WritePrivateProfileStringW(wide(std::u16string(section)), wide(std::u16string(key)),
                                          wide(std::u16string(value)), wide(path_)) != FALSE;
    }

    void flush() const override { WritePrivateProfileStringW(nullptr, nullptr, nullptr, wide(path_)); }

private:
    const std::u16string& path_;
};

} // namespace

SettingsFile::SettingsFile(std::u16string path) : path_(std::move(path)) {}

SettingsValues SettingsFile::read(WindowBounds current, const std::u16string& currentTarget,
                                  const ScreenInfo& screen) const {
    return readSettings(PrivateProfile(path_), current, currentTarget, screen);
}

std::optional<std::u16string> SettingsFile::activateHotkey() const {
    const PrivateProfile profile(path_);
    std::optional<std::u16string> value = readActivateHotkey(profile);
    profile.flush();
    return value;
}

std::u16string SettingsFile::sharedList() const {
    const PrivateProfile profile(path_);
    std::u16string value = profile.read(u"List", u"Shared", u"");
    profile.flush();
    return value;
}

bool SettingsFile::directInput() const {
    const PrivateProfile profile(path_);
    const bool on = readDirectInput(profile);
    profile.flush();
    return on;
}

std::u16string sharedListPathOf(const PaletteFiles& files, const std::u16string& executablePath) {
    const std::u16string exeFolder(folderOf(executablePath));
    if (files.inUserFolder) {
        std::u16string deployed =
            sharedListPathFor(SettingsFile(settingsPathFor(executablePath)).sharedList(), exeFolder);
        if (!deployed.empty()) {
            return deployed;
        }
    }
    return sharedListPathFor(SettingsFile(files.settingsPath).sharedList(), exeFolder);
}

void SettingsFile::write(const WindowBounds& bounds, const std::u16string& target) const {
    writeSettings(PrivateProfile(path_), path_, bounds, target);
}

} // namespace merulan
