// The locale-aware, case-insensitive ordering that sorts location records. The caller hands it in:
// the Windows build passes CompareStringW with the user's locale, the Linux build compareTextStandIn.
#pragma once

#include <string_view>

namespace merulan {

// Negative, zero or positive, as a is ordered before, with or after b.
using TextCompare = int (*)(std::u16string_view a, std::u16string_view b);

// Orders as CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE) does under a Japanese or English locale
// for the characters of location records; where it differs is told in the .cpp.
int compareTextStandIn(std::u16string_view a, std::u16string_view b);

// File names as Explorer orders them, for Linux: runs of ASCII digits by their value ("lib9" before
// "lib10"), everything else as compareTextStandIn orders it.
int compareFileNamesStandIn(std::u16string_view a, std::u16string_view b);

} // namespace merulan
