// Paths past the classic 260-unit limit, in the form the Win32 file calls accept at any length.
#pragma once

#include <string>
#include <string_view>

namespace merulan {

constexpr std::size_t kClassicPathLimit = 260; // MAX_PATH, the terminating NUL included

// A full path of kClassicPathLimit units or more ("C:\..." or "\\server\share\...") gets the "\\?\" prefix
// ("\\?\UNC\" for a share), with "/" turned into "\" because the prefix turns off the system's own
// normalisation; anything else (shorter, relative, already prefixed) is returned as given. Messages keep
// showing the path as the user knows it: only the file calls take this form.
std::u16string fileCallPath(std::u16string_view path);

} // namespace merulan
