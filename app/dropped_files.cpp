#include "app/dropped_files.h"

#include "app/drop_import.h"
#include "platform/long_path.h"
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"
#include "text/error.h"
#include "text/u16text.h"

#include <algorithm>

namespace merulan {

namespace {

bool isFolder(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(wide(fileCallPath(path)));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

[[noreturn]] void throwCannotList(const std::u16string& folder, DWORD error) {
    throw MerulanError(formatText(kCannotListFolderMessage, {folder, systemErrorText(error)}));
}

// The AutoLISP sources directly inside folder, by their long names ("*" rather than "*.lsp": the
// pattern would also match "x.lspx" through its short name).
std::vector<std::u16string> sourcesInFolder(const std::u16string& folder, TextCompare orderNames) {
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
        const std::u16string name = fromWide(found.cFileName);
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && isLispSourceName(name)) {
            names.push_back(name);
        }
    } while (FindNextFileW(find.get(), &found));
    if (const DWORD error = GetLastError(); error != ERROR_NO_MORE_FILES) {
        throwCannotList(folder, error);
    }
    std::stable_sort(names.begin(), names.end(),
                     [orderNames](const std::u16string& a, const std::u16string& b) { return orderNames(a, b) < 0; });
    for (std::u16string& name : names) {
        name.insert(0, prefix);
    }
    return names;
}

} // namespace

unsigned droppedFileCount(HDROP drop) {
    return DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
}

// The length is asked for first: a fixed buffer would cut a long path, and the cut name would no
// longer end in its extension.
std::u16string droppedFileName(HDROP drop, unsigned index) {
    const UINT length = DragQueryFileW(drop, index, nullptr, 0);
    if (length == 0) {
        return {};
    }
    std::u16string name(length, u'\0');
    name.resize(DragQueryFileW(drop, index, wide(name), length + 1));
    return name;
}

std::vector<std::u16string> droppedFileNames(HDROP drop) {
    std::vector<std::u16string> names;
    const unsigned count = droppedFileCount(drop);
    for (unsigned index = 0; index < count; ++index) {
        names.push_back(droppedFileName(drop, index));
    }
    return names;
}

std::vector<std::u16string> lispSourcesOf(const std::vector<std::u16string>& droppedNames, TextCompare orderNames) {
    std::vector<std::u16string> sources;
    std::vector<std::u16string> folders;
    for (const std::u16string& name : droppedNames) {
        if (isFolder(name)) {
            folders.push_back(name);
        } else if (isLispSourceName(name)) {
            sources.push_back(name);
        }
    }
    for (const std::u16string& folder : folders) {
        std::vector<std::u16string> inside = sourcesInFolder(folder, orderNames);
        sources.insert(sources.end(), std::make_move_iterator(inside.begin()), std::make_move_iterator(inside.end()));
    }
    return sources;
}

} // namespace merulan
