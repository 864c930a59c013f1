// The steps of a whole write on Windows.
#include "platform/file_steps.h"

#include "platform/long_path.h"
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"
#include "text/u16text.h"

#include <algorithm>
#include <utility>
#include <windows.h>

namespace merulan::file_steps {

namespace {

HANDLE handleOf(std::intptr_t native) {
    return reinterpret_cast<HANDLE>(native);
}

const std::intptr_t kNoFile = reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);

Failure lastFailure() {
    return systemErrorText(GetLastError());
}

} // namespace

NewFile::~NewFile() {
    if (native_ != kNoFile) {
        CloseHandle(handleOf(native_));
    }
}

Failure NewFile::create(const std::u16string& path, const std::u16string&, bool& nameTaken) {
    // Shared with nobody: while this handle is open, another writer's clean-up cannot delete the file.
    const HANDLE file =
        CreateFileW(wide(fileCallPath(path)), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        nameTaken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
        return systemErrorText(error);
    }
    native_ = reinterpret_cast<std::intptr_t>(file);
    return std::nullopt;
}

Failure NewFile::write(std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD put = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        if (!WriteFile(handleOf(native_), bytes.data(), want, &put, nullptr)) {
            return lastFailure();
        }
        bytes.remove_prefix(put);
    }
    return std::nullopt;
}

Failure NewFile::flush() {
    return FlushFileBuffers(handleOf(native_)) ? std::nullopt : lastFailure();
}

Failure NewFile::close() {
    return CloseHandle(handleOf(std::exchange(native_, kNoFile))) ? std::nullopt : lastFailure();
}

std::optional<LinkFailure> linkFile(const std::u16string& existing, const std::u16string& newName) {
    if (CreateHardLinkW(wide(fileCallPath(newName)), wide(fileCallPath(existing)), nullptr)) {
        return std::nullopt;
    }
    const DWORD error = GetLastError();
    return LinkFailure{systemErrorText(error), error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS};
}

Failure checkReplaceable(const std::u16string& path) {
    // A read-only list was made so by its user: it refuses the replace, said before anything is made.
    const DWORD attributes = GetFileAttributesW(wide(fileCallPath(path)));
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return systemErrorText(ERROR_ACCESS_DENIED);
    }
    const UniqueFileHandle file(CreateFileW(wide(fileCallPath(path)), DELETE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file ? std::nullopt : lastFailure();
}

void removeFile(const std::u16string& path) {
    DeleteFileW(wide(fileCallPath(path)));
}

bool removeIfAbandoned(const std::u16string& path) {
    return DeleteFileW(wide(fileCallPath(path))) != 0; // refused while its writer holds it
}

std::vector<std::u16string> filesBeginningWith(const std::u16string& pathPrefix) {
    const std::u16string_view folder = folderOf(pathPrefix);
    const std::u16string_view namePrefix = fileNameOf(pathPrefix);
    std::vector<std::u16string> found;
    WIN32_FIND_DATAW entry{};
    const UniqueFindHandle find(FindFirstFileExW(wide(fileCallPath(pathPrefix + u"*")), FindExInfoBasic, &entry,
                                                 FindExSearchNameMatch, nullptr, 0));
    if (!find) {
        return found;
    }
    do {
        const std::u16string name = fromWide(entry.cFileName);
        // The pattern also matches short names: only the long name counts.
        if (name.starts_with(namePrefix) && !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            found.push_back(std::u16string(folder) + name);
        }
    } while (FindNextFileW(find.get(), &entry));
    return found;
}

} // namespace merulan::file_steps
