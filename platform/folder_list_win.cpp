#include "platform/folder_list.h"

#include "platform/long_path.h"
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"
#include "text/error.h"
#include "text/u16text.h"

#include <windows.h>

namespace merulan {

namespace {

[[noreturn]] void throwCannotList(const std::u16string& folder, DWORD error) {
    throw MerulanError(formatText(kCannotListFolderMessage, {folder, systemErrorText(error)}));
}

} // namespace

bool isFolder(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(wide(fileCallPath(path)));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// "*" and not a pattern such as "*.lsp": a pattern also matches through short names ("x.lspx" as X~1.LSP).
std::vector<std::u16string> fileNamesIn(const std::u16string& folder) {
    const std::u16string prefix = folder.ends_with(u'\\') ? folder : folder + u"\\";
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle find(FindFirstFileExW(wide(fileCallPath(prefix + u"*")), FindExInfoBasic, &found,
                                                 FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    std::vector<std::u16string> names;
    if (!find) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) { // a drive's root holds no "." entry
            return names;
        }
        throwCannotList(folder, error);
    }
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            names.push_back(fromWide(found.cFileName));
        }
    } while (FindNextFileW(find.get(), &found));
    if (const DWORD error = GetLastError(); error != ERROR_NO_MORE_FILES) {
        throwCannotList(folder, error);
    }
    return names;
}

} // namespace merulan
