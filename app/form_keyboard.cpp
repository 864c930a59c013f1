// TMerulanForm at the keyboard: the palette's own keys, the hotkey, and the focus that the window keeps
// for the control the user left.
#include "app/MerulanUnit.h"

#include "app/window/input_method.h"
#include "app/window/palette_keys.h"

namespace merulan {

bool TMerulanForm::preTranslate(MSG& message) {
    // The palette's own keys come first: the dialog manager would take Esc for IDCANCEL. A key of the input
    // method goes past both: the Enter that confirms a conversion must not become IDOK, which runs the entry.
    if (message.message == WM_KEYDOWN && (message.hwnd == window_ || IsChild(window_, message.hwnd))) {
        const KeyModifiers modifiers{GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0, GetKeyState(VK_SHIFT) < 0};
        const PaletteKey key = paletteKeyOf(static_cast<unsigned>(message.wParam), modifiers, message.hwnd == Edit1,
                                            compositionOpen(message.hwnd));
        if (key == PaletteKey::InputMethod) {
            return false;
        }
        if (onPaletteKey(key)) {
            return true;
        }
    }
    return IsDialogMessageW(window_, &message);
}

bool TMerulanForm::onPaletteKey(PaletteKey key) {
    switch (key) {
    case PaletteKey::FocusSearchBox:
        focusSearchBox();
        return true;
    case PaletteKey::IntoTree:
        SetFocus(TreeView1.handle());
        return true;
    case PaletteKey::EmptySearchBox:
        setEdit1Text(u""); // the view follows as for any edit; an empty box stays as it is
        return true;
    case PaletteKey::InputMethod:
    case PaletteKey::None:
        break;
    }
    return false;
}

void TMerulanForm::focusSearchBox() {
    lastFocus_ = Edit1; // also where an activation still to come puts the focus
    SetFocus(Edit1);
    SendMessageW(Edit1, EM_SETSEL, 0, -1);
    // Typed letters are then command letters, whatever state the last program left the input method in.
    if (directInput_) {
        switchToDirectInput(Edit1);
    }
}

void TMerulanForm::onHotkey() {
    if (boundary_.nested()) {
        // A box of the palette is open: that box comes forward, as the user has to answer it first.
        SetForegroundWindow(GetLastActivePopup(window_));
        return;
    }
    if (IsIconic(window_)) {
        ShowWindow(window_, SW_RESTORE);
    }
    lastFocus_ = Edit1; // where the activation puts the focus
    SetForegroundWindow(window_);
    focusSearchBox();
}

// The window remembers which control had the focus and gives it back when it is activated again.
bool TMerulanForm::onActivate(bool active) {
    if (!active) {
        const HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) {
            lastFocus_ = focus;
        }
        return false;
    }
    if (lastFocus_ && IsWindow(lastFocus_)) {
        SetFocus(lastFocus_);
        return true;
    }
    return false;
}

} // namespace merulan
