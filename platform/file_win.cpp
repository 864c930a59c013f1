// File access for the Windows build.
#include "platform/text_file.h"

#include "platform/file_move.h"

#include "platform/long_path.h"
#include "platform/win/file_share.h"
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"
#include "text/error.h"
#include "text/u16text.h"

#include <algorithm>
#include <windows.h>

namespace merulan {

bool fileExists(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(wide(fileCallPath(path)));
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string readFileBytes(const std::u16string& path) {
    const UniqueFileHandle file(CreateFileW(wide(fileCallPath(path)), GENERIC_READ, kReaderShareMode, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    auto fail = [&] { throw MerulanError(formatText(kCannotOpenMessage, {path, systemErrorText(GetLastError())})); };
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size)) {
        fail();
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr)) {
            fail();
        }
        if (got == 0) { // the file shrank under us
            bytes.resize(done);
            break;
        }
        done += got;
    }
    return bytes;
}

void writeFileBytes(const std::u16string& path, std::string_view bytes) {
    const UniqueFileHandle file(CreateFileW(wide(fileCallPath(path)), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    auto fail = [&] { throw MerulanError(formatText(kCannotCreateMessage, {path, systemErrorText(GetLastError())})); };
    if (!file) {
        fail();
    }
    while (!bytes.empty()) {
        DWORD put = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        if (!WriteFile(file.get(), bytes.data(), want, &put, nullptr)) {
            fail();
        }
        bytes.remove_prefix(put);
    }
}

std::optional<std::u16string> moveFile(const std::u16string& from, const std::u16string& to, bool replaceExisting) {
    // Write-through: the call returns once the new name is on the disk.
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0);
    if (MoveFileExW(wide(fileCallPath(from)), wide(fileCallPath(to)), flags)) {
        return std::nullopt;
    }
    return systemErrorText(GetLastError());
}

} // namespace merulan
