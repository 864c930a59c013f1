// A thread that waits for changes in a list's folder and says so; it never stops saying so.
#pragma once

#include "app/window/win_handles.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

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
    // firstNotice: When::Now asks for the first notice before the constructor returns (a change right after it
    // is not missed); When::OnItsThread leaves even that to the watch's thread (a folder on a server that does
    // not answer would hold the caller).
    enum class When { Now, OnItsThread };
    FolderWatch(std::u16string folder, std::function<void()> changed, ChangeNotices notices,
                std::chrono::milliseconds pollInterval, When firstNotice = When::Now);
    // Stops the thread; one that a server holds in a call is let go, and says nothing more.
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    struct State; // shared with the thread, which may outlive the watch

private:
    std::shared_ptr<State> state_;
};

} // namespace merulan
