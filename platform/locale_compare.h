// The user's locale ordering of texts, from the operating system.
#pragma once

#include <string_view>

namespace merulan {

#ifdef _WIN32
// CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE): negative, zero or positive.
int compareUserLocaleIgnoreCase(std::u16string_view a, std::u16string_view b);
// File names as Explorer orders them (StrCmpLogicalW): digit runs by their value, "lib9" before "lib10".
int compareFileNamesLogically(std::u16string_view a, std::u16string_view b);
#endif

} // namespace merulan
