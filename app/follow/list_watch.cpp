#include "app/follow/list_watch.h"

#include "platform/long_path.h"
#include "platform/win/wide.h"

namespace merulan {

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
