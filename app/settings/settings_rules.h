// The settings file's pure rules: where it lives, how its integers read, the defaults and the mend that
// keeps the palette from opening where nobody can see it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace merulan {

struct WindowBounds {
    std::int32_t left, top, width, height;
    friend bool operator==(const WindowBounds&, const WindowBounds&) = default;
};

// The primary screen's size and every monitor's work area, in screen pixels.
struct ScreenInfo {
    std::int32_t width, height;
    std::vector<WindowBounds> workAreas;
};

struct SettingsValues {
    WindowBounds bounds;
    std::u16string target;
};

// The executable's path with the file name's extension replaced by ".ini" (appended when it has none).
std::u16string settingsPathFor(std::u16string_view exePath);

// [List] Shared as a full path: blanks trimmed; a drive path ("X:\", "X:/") or a share ("\\server\...") as
// written, anything else relative to the executable's folder. Empty when the value is (no shared list).
std::u16string sharedListPathFor(std::u16string_view value, std::u16string_view exeFolder);

// An optionally signed decimal, or hexadecimal after "$", "x" or "0x" (either case), that fits a signed
// 32-bit integer; leading blanks allowed, nothing else. Anything else is no number.
std::optional<std::int32_t> parseProfileInteger(std::u16string_view text);

// (screen - window) / 2 on signed 32-bit integers, wrapping like the hardware and truncating toward zero.
std::int32_t centredPosition(std::int32_t screenSize, std::int32_t windowSize);

// A window is usable when it has a positive size and shares at least one pixel with some work area.
bool isUsableWindow(const WindowBounds& bounds, const ScreenInfo& screen);

// Stored bounds as they are when usable; otherwise the designed size, centred on the primary screen.
WindowBounds mendUnusableBounds(const WindowBounds& stored, const WindowBounds& designed, const ScreenInfo& screen);

} // namespace merulan
