// The texts of the application-wide error box.
#pragma once

#include <string>
#include <string_view>

namespace merulan {

// The executable's file name up to its first "." (the caller lower-cases every letter after the first).
std::u16string_view errorBoxTitleStem(std::u16string_view executablePath);

// The failure's message, with "." appended when its last character comes after "." in code order.
std::u16string errorBoxText(std::u16string_view message);

} // namespace merulan
