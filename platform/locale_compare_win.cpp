#include "platform/locale_compare.h"

#include <climits>
#include <windows.h>

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

} // namespace merulan
