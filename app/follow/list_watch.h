// A thread that waits for changes in the list's folder and tells the window; it never stops telling.
#pragma once

#include "app/window/win_handles.h"

#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace merulan {

// How the watch asks the system for change notices; tests pass failing ones.
struct ChangeNotices {
    // FindFirstChangeNotificationW on the folder for names, sizes and write times; INVALID_HANDLE_VALUE when
    // the system gives none (a network drive that does not, a share that went away).
    std::function<HANDLE(const std::u16string& folder)> open;
    // FindNextChangeNotification: false when the notice cannot be armed again (a reconnect, a resume).
    std::function<bool(HANDLE notice)> next;
};
ChangeNotices systemChangeNotices();

// Calls changed (on its own thread) whenever something in the folder changes. Where the system gives no
// notices, or stops giving them, changed is called every pollInterval instead, and notices are asked for
// again, less and less often, until they come back.
class FolderWatch {
public:
    FolderWatch(std::u16string folder, std::function<void()> changed, ChangeNotices notices,
                std::chrono::milliseconds pollInterval);
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

private:
    void run(UniqueChangeNotification notice);
    // Waits for the stop or for that long; true when stopped.
    bool stopped(DWORD milliseconds) const;

    std::u16string folder_;
    std::function<void()> changed_;
    ChangeNotices notices_;
    std::chrono::milliseconds pollInterval_;
    UniqueKernelHandle stop_;
    std::thread thread_;
};

} // namespace merulan
