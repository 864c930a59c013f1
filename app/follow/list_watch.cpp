#include "app/follow/list_watch.h"

#include "platform/long_path.h"
#include "platform/win/wide.h"

namespace merulan {

std::optional<FileIdentity> fileIdentityOf(const std::u16string& path) {
    // Attributes only: this open never conflicts with the sharing of a program that has the file open.
    const UniqueFileHandle file(CreateFileW(wide(fileCallPath(path)), FILE_READ_ATTRIBUTES,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (file && GetFileInformationByHandle(file.get(), &info)) {
        if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            return std::nullopt;
        }
        return FileIdentity{info.dwVolumeSerialNumber, (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow,
                            (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow,
                            (std::uint64_t{info.ftLastWriteTime.dwHighDateTime} << 32) |
                                info.ftLastWriteTime.dwLowDateTime};
    }
    return std::nullopt;
}

bool fileHeldForWriting(const std::u16string& path) {
    // The list is read allowing other readers only, so this is exactly when that read fails on sharing.
    const UniqueFileHandle file(CreateFileW(wide(fileCallPath(path)), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                            nullptr, OPEN_EXISTING, 0, nullptr));
    return !file && GetLastError() == ERROR_SHARING_VIOLATION;
}

FolderWatch::FolderWatch(const std::u16string& folder, HWND window, UINT message)
    : stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (!stop_) {
        return;
    }
    change_.reset(FindFirstChangeNotificationW(wide(fileCallPath(folder)), FALSE,
                                               FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE |
                                                   FILE_NOTIFY_CHANGE_LAST_WRITE));
    if (!change_) {
        return;
    }
    thread_ = std::thread([this, window, message] { run(window, message); });
}

FolderWatch::~FolderWatch() {
    if (thread_.joinable()) {
        SetEvent(stop_.get());
        thread_.join();
    }
}

void FolderWatch::run(HWND window, UINT message) {
    const HANDLE waits[] = {stop_.get(), change_.get()};
    while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        if (!posted_.exchange(true) && !PostMessageW(window, message, 0, 0)) {
            posted_ = false;
        }
        if (!FindNextChangeNotification(change_.get())) {
            return;
        }
    }
}

} // namespace merulan
