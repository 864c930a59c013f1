#include "platform/file_probes.h"

#include "platform/long_path.h"
#include "platform/win/file_share.h"
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"

namespace merulan {

std::optional<FileIdentity> fileIdentityOf(const std::u16string& path) {
    // Attributes only: this open never conflicts with the sharing of a program that has the file open.
    const UniqueFileHandle file(CreateFileW(wide(fileCallPath(path)), FILE_READ_ATTRIBUTES,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || !GetFileInformationByHandle(file.get(), &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    return FileIdentity{info.dwVolumeSerialNumber, (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow,
                        (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow,
                        (std::uint64_t{info.ftLastWriteTime.dwHighDateTime} << 32) |
                            info.ftLastWriteTime.dwLowDateTime};
}

bool writtenRecently(const FileIdentity& identity) {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t ticks = (std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
    constexpr std::uint64_t kTwoSeconds = 2 * 10'000'000; // 100-nanosecond units
    return identity.lastWrite + kTwoSeconds > ticks;
}

bool isNetworkPath(const std::u16string& path) {
    if (path.starts_with(u"\\\\")) {
        return true;
    }
    if (path.size() < 2 || path[1] != u':') {
        return false;
    }
    const std::u16string root = path.substr(0, 2) + u"\\";
    return GetDriveTypeW(wide(root)) == DRIVE_REMOTE;
}

bool fileHeldForWriting(const std::u16string& path) {
    const UniqueFileHandle file(
        CreateFileW(wide(fileCallPath(path)), GENERIC_READ, kReaderShareMode, nullptr, OPEN_EXISTING, 0, nullptr));
    return !file && GetLastError() == ERROR_SHARING_VIOLATION;
}

} // namespace merulan
