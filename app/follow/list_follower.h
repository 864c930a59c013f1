// The window's side of following the list file: a watch on its folder and one timer. What a look finds
// and when to look again is the list source's affair; this only says when.
#pragma once

#include "app/follow/list_watch.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

namespace merulan {

class ListFollower {
public:
    // Messages and timer the window hands on to folderChanged and timerFired.
    static constexpr UINT kFolderChangedMessage = WM_APP + 1;
    static constexpr UINT_PTR kTimerId = 0x4D4C; // "ML"

    ListFollower(HWND window, std::u16string folder, ChangeNotices notices);

    // Watches the folder from now on.
    void start();
    // Something in the folder changed: a look once the writer has settled, unless one is due sooner.
    void folderChanged();
    // The timer went off; the window looks now, and says when to look again.
    void timerFired();
    void lookAgainIn(std::chrono::milliseconds delay);

private:
    HWND window_;
    std::u16string folder_;
    ChangeNotices notices_;
    // A change message waits in the window's queue: a burst of changes is one message.
    std::atomic<bool> posted_{false};
    std::optional<std::chrono::milliseconds> armed_;
    std::unique_ptr<FolderWatch> watch_; // last: its thread stops before the rest goes
};

} // namespace merulan
