// The palette's look: the standard system colours, or the compiled-in dark style. The only module that
// knows how dark mode is done on Windows; callers say what they draw, never how.
#pragma once

#include "app/look/styles.h"
#include "app/window/win_handles.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace merulan {

// What this system is, for darkModeAbilities.
DarkModeFacts currentDarkModeFacts();

class Theme {
public:
    // System colours, standard controls.
    static std::shared_ptr<const Theme> standard();
    // The style of that name with what this system allows; nullptr when no such style is compiled in.
    static std::shared_ptr<const Theme> named(std::u16string_view name);
    static std::shared_ptr<const Theme> fromPalette(const StylePalette& palette, const DarkModeAbilities& abilities);

    Theme(const Theme&) = delete;
    Theme& operator=(const Theme&) = delete;

    bool ownColours() const { return palette_ != nullptr; }

    // Once per process, before the first window: lets popup menus follow the dark style where possible.
    void prepareProcess() const;
    void applyToTopLevel(HWND window) const;
    void applyToTree(HWND tree) const;
    void applyToDialog(HWND dialog) const; // a message box

    HBRUSH windowBrush() const;
    COLORREF panelColour(COLORREF own) const;
    // The answer to a WM_CTLCOLOR* message; nothing when the default handling is right.
    std::optional<LRESULT> controlColour(UINT message, HDC dc) const;
    // Owner-drawn push buttons (the style's look) and the focus-less ESC button (both looks).
    void drawPushButton(const DRAWITEMSTRUCT& item) const;
    void drawSpeedButton(HDC dc, const RECT& rect, std::u16string_view caption, HFONT font, bool pressed) const;
    // NM_CUSTOMDRAW of the tree: the selection of an unfocused tree in the style's colours.
    std::optional<LRESULT> customDrawTree(LPARAM customDraw) const;
    // The answer to a painting message of a window in this look (WM_CTLCOLOR*, WM_DRAWITEM of a push button,
    // WM_ERASEBKGND); nothing when it is none of them or the default handling is right.
    std::optional<LRESULT> paintMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    Theme(const StylePalette* palette, const DarkModeAbilities& abilities);

    const StylePalette* palette_;
    DarkModeAbilities abilities_;
    UniqueBrush windowBrush_;
    UniqueBrush editBrush_;
};

} // namespace merulan
