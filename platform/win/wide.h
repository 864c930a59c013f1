// wchar_t is UTF-16 on Windows: the core's std::u16string passes to the W functions as it is.
#pragma once

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows code only");

namespace merulan {

inline const wchar_t* wide(const std::u16string& s) {
    return reinterpret_cast<const wchar_t*>(s.c_str());
}
inline wchar_t* wide(std::u16string& s) {
    return reinterpret_cast<wchar_t*>(s.data());
}
inline std::u16string fromWide(std::wstring_view s) {
    return std::u16string(s.begin(), s.end());
}
inline std::u16string fromWide(const wchar_t* s) {
    return s ? fromWide(std::wstring_view(s)) : std::u16string();
}

// The system's text for a Win32 error code, without its trailing line break.
std::u16string systemErrorText(unsigned long error);

// The full path of the running executable, at any length.
std::u16string executablePath();

} // namespace merulan
