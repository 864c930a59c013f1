// What the palette needs to follow MerulanList.txt when another program changes it: the file's
// identity, and a thread that waits for changes in its folder and tells the window.
#pragma once

#include "app/window/win_handles.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>

namespace merulan {

// Which file holds the path and what it holds, as far as the system tells without reading it: a save
// in place changes the size or the last-write time, a save by rename the file itself.
struct FileIdentity {
    std::uint32_t volume = 0;
    std::uint64_t index = 0;
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0;
    bool operator==(const FileIdentity&) const = default;
};

// Nothing when no file is there (or it cannot even be looked at).
std::optional<FileIdentity> fileIdentityOf(const std::u16string& path);

// A program holds the file open for writing, so it is not written yet, or not closed.
bool fileHeldForWriting(const std::u16string& path);

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
