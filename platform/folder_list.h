// What a folder holds, as a drop of that folder needs it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace merulan {

inline constexpr std::u16string_view kCannotListFolderMessage = u"フォルダー %s は開けません。 %s ";

// The separator this system puts between a folder and a name.
#ifdef _WIN32
inline constexpr char16_t kPathSeparator = u'\\';
#else
inline constexpr char16_t kPathSeparator = u'/';
#endif

// An existing folder (not a file) at path.
bool isFolder(const std::u16string& path);

// The names (not paths) of the files directly inside folder, in the order the system lists them;
// folders inside it are left out. Throws MerulanError (kCannotListFolderMessage) when it cannot be listed.
std::vector<std::u16string> fileNamesIn(const std::u16string& folder);

} // namespace merulan
