// Interim stand-in for the settings file module, used only while app/settings_file.h is absent from
// this tree (CMake picks it up then). It knows the defaults of a first start and stores nothing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace merulan {

std::u16string settingsPathFor(std::u16string_view exePath);

struct WindowBounds {
    std::int32_t left, top, width, height;
};
struct ScreenInfo {
    std::int32_t width, height;
    std::vector<WindowBounds> workAreas;
};
struct SettingsValues {
    WindowBounds bounds;
    std::u16string target;
};

class SettingsFile {
public:
    explicit SettingsFile(std::u16string path);
    SettingsValues read(WindowBounds current, const std::u16string& currentTarget, const ScreenInfo& screen) const;
    void write(const WindowBounds& bounds, const std::u16string& target) const;
    const std::u16string& path() const { return path_; }

private:
    std::u16string path_;
};

} // namespace merulan
