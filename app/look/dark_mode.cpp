#include "app/look/dark_mode.h"

#include "platform/win/window_text.h"

#include <commctrl.h>

namespace merulan {

namespace {

// Resolved at run time: none of these may be imported by an executable that also runs on Vista, and
// the uxtheme entries exist only by ordinal.
HMODULE systemModule(const wchar_t* name) {
    HMODULE module = GetModuleHandleW(name);
    return module ? module : LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

template <class Function>
Function exported(const wchar_t* module, const char* nameOrOrdinal) {
    const HMODULE handle = systemModule(module);
    return handle ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, nameOrOrdinal)))
                  : nullptr;
}

const char* ordinal(WORD number) {
    return MAKEINTRESOURCEA(number);
}

// The undocumented uxtheme entries of Windows 10 1903 and later.
using AllowDarkModeForWindowFn = bool(WINAPI*)(HWND, bool); // 133
using SetPreferredAppModeFn = int(WINAPI*)(int);            // 135; 1 = allow dark
using FlushMenuThemesFn = void(WINAPI*)();                  // 136
using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
using DwmSetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);

void allowDarkModeFor(HWND window) {
    if (const auto allow = exported<AllowDarkModeForWindowFn>(L"uxtheme.dll", ordinal(133))) {
        allow(window, true);
    }
}

COLORREF colour(std::uint32_t value) {
    return static_cast<COLORREF>(value);
}

void fillRect(HDC dc, const RECT& rect, COLORREF fill) {
    SetDCBrushColor(dc, fill);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void frameRect(HDC dc, const RECT& rect, COLORREF line) {
    SetDCBrushColor(dc, line);
    FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void drawCaption(HDC dc, RECT rect, std::u16string_view caption, HFONT font, COLORREF textColour) {
    const SelectScope selectFont(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColour);
    DrawTextW(dc, reinterpret_cast<const wchar_t*>(caption.data()), static_cast<int>(caption.size()), &rect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

} // namespace

DarkModeFacts currentDarkModeFacts() {
    DarkModeFacts facts;
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    facts.underWine = ntdll && GetProcAddress(ntdll, "wine_get_version");
    if (const auto rtlGetVersion = exported<RtlGetVersionFn>(L"ntdll.dll", "RtlGetVersion")) {
        OSVERSIONINFOW version{sizeof(version)};
        if (rtlGetVersion(&version) == 0 && version.dwMajorVersion >= 10) {
            facts.windowsBuild = version.dwBuildNumber;
        }
    }
    HIGHCONTRASTW contrast{sizeof(contrast)};
    facts.highContrast = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
                         (contrast.dwFlags & HCF_HIGHCONTRASTON);
    // Under Wine some of these ordinals resolve to unrelated functions: do not even look.
    if (!facts.underWine) {
        facts.uxthemeDarkOrdinals = exported<AllowDarkModeForWindowFn>(L"uxtheme.dll", ordinal(133)) &&
                                    exported<SetPreferredAppModeFn>(L"uxtheme.dll", ordinal(135)) &&
                                    exported<FlushMenuThemesFn>(L"uxtheme.dll", ordinal(136));
    }
    return facts;
}

Theme::Theme(const StylePalette* palette, const DarkModeAbilities& abilities)
    : palette_(palette), abilities_(abilities) {
    if (palette_) {
        windowBrush_.reset(CreateSolidBrush(colour(palette_->window)));
        editBrush_.reset(CreateSolidBrush(colour(palette_->editBack)));
    }
}

std::shared_ptr<const Theme> Theme::standard() {
    return std::shared_ptr<const Theme>(new Theme(nullptr, DarkModeAbilities{}));
}

std::shared_ptr<const Theme> Theme::named(std::u16string_view name) {
    const StylePalette* palette = findStyle(name);
    if (!palette) {
        return nullptr;
    }
    const DarkModeAbilities abilities = darkModeAbilities(currentDarkModeFacts());
    if (!abilities.ownColours) {
        return standard();
    }
    return fromPalette(*palette, abilities);
}

std::shared_ptr<const Theme> Theme::fromPalette(const StylePalette& palette, const DarkModeAbilities& abilities) {
    return std::shared_ptr<const Theme>(new Theme(&palette, abilities));
}

void Theme::prepareProcess() const {
    if (!abilities_.darkMenusAndScrollbars) {
        return;
    }
    const auto setPreferredAppMode = exported<SetPreferredAppModeFn>(L"uxtheme.dll", ordinal(135));
    const auto flushMenuThemes = exported<FlushMenuThemesFn>(L"uxtheme.dll", ordinal(136));
    if (setPreferredAppMode && flushMenuThemes) {
        setPreferredAppMode(1);
        flushMenuThemes();
    }
}

void Theme::applyToTopLevel(HWND window) const {
    if (abilities_.darkMenusAndScrollbars) {
        allowDarkModeFor(window);
    }
    if (abilities_.titleBarAttribute != 0) {
        if (const auto setAttribute = exported<DwmSetWindowAttributeFn>(L"dwmapi.dll", "DwmSetWindowAttribute")) {
            const BOOL dark = TRUE;
            setAttribute(window, static_cast<DWORD>(abilities_.titleBarAttribute), &dark, sizeof(dark));
        }
    }
}

void Theme::applyToTree(HWND tree) const {
    if (!palette_) {
        return;
    }
    SendMessageW(tree, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(colour(palette_->treeBack)));
    SendMessageW(tree, TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(colour(palette_->treeText)));
    SendMessageW(tree, TVM_SETLINECOLOR, 0, static_cast<LPARAM>(colour(palette_->treeLine)));
    if (abilities_.darkMenusAndScrollbars) {
        allowDarkModeFor(tree);
        if (const auto setWindowTheme = exported<SetWindowThemeFn>(L"uxtheme.dll", "SetWindowTheme")) {
            setWindowTheme(tree, L"DarkMode_Explorer", nullptr);
        }
    }
}

void Theme::applyToDialog(HWND dialog) const {
    applyToTopLevel(dialog);
}

HBRUSH Theme::windowBrush() const {
    return palette_ ? windowBrush_.get() : GetSysColorBrush(COLOR_BTNFACE);
}

COLORREF Theme::panelColour(COLORREF own) const {
    return palette_ ? colour(palette_->panel) : own;
}

std::optional<LRESULT> Theme::controlColour(UINT message, HDC dc) const {
    if (!palette_) {
        return std::nullopt;
    }
    if (message == WM_CTLCOLOREDIT) {
        SetTextColor(dc, colour(palette_->editText));
        SetBkColor(dc, colour(palette_->editBack));
        return reinterpret_cast<LRESULT>(editBrush_.get());
    }
    if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORDLG || message == WM_CTLCOLORBTN) {
        SetTextColor(dc, colour(palette_->text));
        SetBkColor(dc, colour(palette_->window));
        return reinterpret_cast<LRESULT>(windowBrush_.get());
    }
    return std::nullopt;
}

void Theme::drawPushButton(const DRAWITEMSTRUCT& item) const {
    const bool pressed = item.itemState & ODS_SELECTED;
    const bool focused = item.itemState & ODS_FOCUS;
    const bool disabled = item.itemState & ODS_DISABLED;
    const StylePalette fallback{};
    const StylePalette& p = palette_ ? *palette_ : fallback;
    fillRect(item.hDC, item.rcItem, colour(pressed ? p.buttonPressed : p.buttonFace));
    frameRect(item.hDC, item.rcItem, colour(focused ? p.focusBorder : p.buttonBorder));
    const auto font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    RECT textRect = item.rcItem;
    if (pressed) {
        OffsetRect(&textRect, 1, 1);
    }
    drawCaption(item.hDC, textRect, windowText(item.hwndItem), font,
                disabled ? colour(p.buttonBorder) : colour(p.text));
}

void Theme::drawSpeedButton(HDC dc, const RECT& rect, std::u16string_view caption, HFONT font, bool pressed) const {
    RECT textRect = rect;
    if (pressed) {
        OffsetRect(&textRect, 1, 1);
    }
    if (palette_) {
        fillRect(dc, rect, colour(pressed ? palette_->buttonPressed : palette_->buttonFace));
        frameRect(dc, rect, colour(palette_->buttonBorder));
        drawCaption(dc, textRect, caption, font, colour(palette_->text));
        return;
    }
    RECT frame = rect;
    DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    drawCaption(dc, textRect, caption, font, GetSysColor(COLOR_BTNTEXT));
}

std::optional<LRESULT> Theme::customDrawTree(LPARAM customDraw) const {
    if (!palette_) {
        return std::nullopt;
    }
    auto* draw = reinterpret_cast<NMTVCUSTOMDRAW*>(customDraw);
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        if ((draw->nmcd.uItemState & CDIS_SELECTED) && GetFocus() != draw->nmcd.hdr.hwndFrom) {
            draw->clrText = colour(palette_->treeText);
            draw->clrTextBk = colour(palette_->inactiveSelection);
        }
        return CDRF_DODEFAULT;
    default:
        return CDRF_DODEFAULT;
    }
}

std::optional<LRESULT> Theme::paintMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
    switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        return controlColour(message, reinterpret_cast<HDC>(wParam));
    case WM_DRAWITEM:
        if (const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam); item.CtlType == ODT_BUTTON) {
            drawPushButton(item);
            return TRUE;
        }
        return std::nullopt;
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, windowBrush());
        return TRUE;
    }
    }
    return std::nullopt;
}

} // namespace merulan
