// UTF-8 <-> UTF-16 without the operating system.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace merulan {

// Strict: overlong forms, encoded surrogates, values past U+10FFFF and cut sequences are refused.
std::optional<std::u16string> decodeUtf8Strict(std::string_view bytes);

// For text from outside the palette (command lines, test data): invalid bytes become U+FFFD.
std::u16string fromUtf8(std::string_view bytes);

// Lone surrogates become U+FFFD.
std::string toUtf8(std::u16string_view text);

// True when every surrogate in text is part of a valid pair.
bool isWellFormedUtf16(std::u16string_view text);

} // namespace merulan
