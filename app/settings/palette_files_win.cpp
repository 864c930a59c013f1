#include "app/settings/palette_files.h"

#include "platform/long_path.h"
#include "platform/text_file.h"
#include "platform/whole_file.h"
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"
#include "text/error.h"
#include "text/u16text.h"

#include <windows.h>

namespace merulan {

namespace {

// A folder an environment variable names, with its trailing separator.
std::u16string environmentFolder(const std::u16string& variable) {
    std::u16string folder(MAX_PATH, u'\0');
    const DWORD length = GetEnvironmentVariableW(wide(variable), wide(folder), static_cast<DWORD>(folder.size()));
    folder.resize(length < folder.size() ? length : 0);
    if (folder.empty()) {
        throw MerulanError(formatText(u"ユーザーのフォルダー (%s) がわかりません", {variable}));
    }
    return folder.ends_with(u'\\') ? folder : folder + u"\\";
}

} // namespace

PaletteFileSeams systemPaletteFileSeams() {
    PaletteFileSeams seams;
    seams.canWrite = [](const std::u16string& folder) {
        // A file that goes with its handle: made and gone, it tells what the user's rights let them do here.
        const std::u16string probe = folder + u"Merulan.write-test." + decimalText(GetCurrentProcessId()) + u".tmp";
        const UniqueFileHandle file(CreateFileW(wide(fileCallPath(probe)), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                                FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        return static_cast<bool>(file);
    };
    seams.userDataFolder = [] { return environmentFolder(u"APPDATA"); };
    seams.localDataFolder = [] { return environmentFolder(u"LOCALAPPDATA"); };
    seams.fileExists = [](const std::u16string& path) { return fileExists(path); };
    seams.createFolder = [](const std::u16string& folder) {
        if (CreateDirectoryW(wide(fileCallPath(folder)), nullptr)) {
            return;
        }
        if (const DWORD error = GetLastError(); error != ERROR_ALREADY_EXISTS) {
            throw MerulanError(formatText(u"フォルダー %s を作成できません。%s", {folder, systemErrorText(error)}));
        }
    };
    seams.copyFile = [](const std::u16string& from, const std::u16string& to) {
        writeFileWhole(to, readFileBytes(from));
    };
    return seams;
}

} // namespace merulan
