// A thread that waits for changes in the list's folder and tells the window; it never stops telling.
#pragma once

#include "app/window/win_handles.h"

#include <atomic>
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

// Posts `message` to the window whenever something in the folder changes; posts again only after
// acknowledge(), so a burst of changes is one message. Where the system gives no notices, or stops giving
// them, the window is told every 2 seconds instead, and notices are asked for again, less and less often,
// until they come back.
class FolderWatch {
public:
    FolderWatch(std::u16string folder, HWND window, UINT message, ChangeNotices notices = systemChangeNotices());
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // The window has taken the message: the next change posts another.
    void acknowledge() { posted_ = false; }

private:
    void run(UniqueChangeNotification notice);
    void post();
    // Waits for the stop or for that long; true when stopped.
    bool stopped(DWORD milliseconds) const;

    std::u16string folder_;
    HWND window_;
    UINT message_;
    ChangeNotices notices_;
    UniqueKernelHandle stop_;
    std::atomic<bool> posted_{false};
    std::thread thread_;
};

} // namespace merulan
