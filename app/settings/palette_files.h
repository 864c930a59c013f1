// Where the palette keeps its own files: beside the executable, as always, when its folder can be written;
// otherwise (under Program Files, on a read-only share, on a locked-down PC) in the user's own folder.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace merulan {

inline constexpr std::u16string_view kUserFolderName = u"Merulan";
inline constexpr std::u16string_view kSharedCopyName = u"MerulanShared.txt";

struct PaletteFiles {
    std::u16string folder;       // the folder of both, with its trailing separator
    std::u16string settingsPath; // Merulan.ini (named after the executable)
    std::u16string listPath;     // MerulanList.txt; its backups go beside it
    bool inUserFolder = false;   // the executable's folder cannot be written
};

struct PaletteFileSeams {
    std::function<bool(const std::u16string& folder)> canWrite;
    // The user's roaming application data folder (%APPDATA%), with its trailing separator.
    std::function<std::u16string()> userDataFolder;
    // The user's local application data folder (%LOCALAPPDATA%), with its trailing separator.
    std::function<std::u16string()> localDataFolder;
    std::function<bool(const std::u16string& path)> fileExists;
    std::function<void(const std::u16string& folder)> createFolder; // throws MerulanError
    // Copies whole or not at all; throws MerulanError.
    std::function<void(const std::u16string& from, const std::u16string& to)> copyFile;
};

// Beside the executable when its folder can be written. Otherwise <user data>\Merulan\, where on the first
// start the Merulan.ini and MerulanList.txt found beside the executable are copied as the starting point (a
// CAD manager presets them for every seat); a file already there is kept.
PaletteFiles paletteFilesFor(const std::u16string& executablePath, const PaletteFileSeams& seams);

// Where the last complete copy of the office's shared list is kept on this PC (%LOCALAPPDATA%\Merulan\); asked
// only when there is a shared list, so that a PC that does not say where that folder is still starts. Throws
// MerulanError when it cannot be known.
std::u16string sharedCopyPathFor(const PaletteFileSeams& seams);

// The real file system and %APPDATA%.
PaletteFileSeams systemPaletteFileSeams();

} // namespace merulan
