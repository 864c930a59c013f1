// Renaming a file in its folder, durably: the call returns once the new name is on the disk.
#pragma once

#include <optional>
#include <string>

namespace merulan {

// Moves from to to. Without replaceExisting an existing file at to refuses the move. Nothing when
// moved; otherwise the system's reason.
std::optional<std::u16string> moveFile(const std::u16string& from, const std::u16string& to, bool replaceExisting);

} // namespace merulan
