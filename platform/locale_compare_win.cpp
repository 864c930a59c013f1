#include "platform/locale_compare.h"

#include <climits>
#include <string>
#include <windows.h>

#include <shlwapi.h>

namespace merulan {

namespace {
int lengthOf(std::u16string_view text) {
    return text.size() > INT_MAX ? INT_MAX : static_cast<int>(text.size());
}
} // namespace

int compareUserLocaleIgnoreCase(std::u16string_view a, std::u16string_view b) {
    const int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, reinterpret_cast<const wchar_t*>(a.data()),
                                      lengthOf(a), reinterpret_cast<const wchar_t*>(b.data()), lengthOf(b));
    if (result == 0) {
        // Fails only on bad arguments; code units then decide, so that sorting still gets an order.
        return a.compare(b);
    }
    return result - CSTR_EQUAL;
}

int compareFileNamesLogically(std::u16string_view a, std::u16string_view b) {
    // The shell's comparison takes NUL-terminated names.
    const std::wstring first(a.begin(), a.end());
    const std::wstring second(b.begin(), b.end());
    return StrCmpLogicalW(first.c_str(), second.c_str());
}

} // namespace merulan
