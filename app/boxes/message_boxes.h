// The program's modal boxes, centred on the screen and drawn in the palette's look.
#pragma once

#include "app/look/dark_mode.h"

#include <string>
#include <string_view>

namespace merulan {

inline constexpr std::u16string_view kInformationTitle = u"情報";

// The executable's file name up to its first ".", every letter after the first in lower case.
std::u16string applicationTitle(std::u16string_view executablePath);

// "情報", the information icon, one OK button (default, also answers Esc).
void showInformationBox(HWND owner, const std::u16string& text, const Theme& theme);
// The application-wide error box: stop icon, one OK button.
void showErrorBox(HWND owner, const std::u16string& title, const std::u16string& text, const Theme& theme);
// "情報", the information icon, Yes (default) and No; true for Yes.
bool askYesNoBox(HWND owner, const std::u16string& text, const Theme& theme);

} // namespace merulan
