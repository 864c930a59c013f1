// A thread that waits for changes in the list's folder and tells the window.
#pragma once

#include "app/window/win_handles.h"

#include <atomic>
#include <string>
#include <thread>

namespace merulan {

// Posts `message` to the window whenever something in the folder changes (names, sizes, write times);
// posts again only after acknowledge(), so a burst of changes is one message. A folder that cannot be
// watched (a share that does not support it) posts nothing.
class FolderWatch {
public:
    FolderWatch(const std::u16string& folder, HWND window, UINT message);
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    bool watching() const { return thread_.joinable(); }
    // The window has taken the message: the next change posts another.
    void acknowledge() { posted_ = false; }

private:
    void run(HWND window, UINT message);

    UniqueKernelHandle stop_;
    UniqueChangeNotification change_;
    std::atomic<bool> posted_{false};
    std::thread thread_;
};

} // namespace merulan
