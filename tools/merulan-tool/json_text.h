// JSON text from the palette's UTF-16 strings.
#pragma once

#include <string>
#include <string_view>

namespace merulan::tool {

// Appends text as a quoted JSON string in UTF-8. Quotes, backslashes and control characters are escaped
// as JSON requires; a surrogate that is not half of a pair is written as \uXXXX, so nothing is replaced.
void appendJsonString(std::string& out, std::u16string_view text);

} // namespace merulan::tool
