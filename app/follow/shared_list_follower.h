// The window's side of the office's shared list: the reader's thread, a watch on the server's folder, and the
// news handed to the window in its own thread.
#pragma once

#include "app/follow/list_watch.h"
#include "app/follow/shared_list_reader.h"

#include <functional>
#include <memory>
#include <optional>
#include <mutex>
#include <string>
#include <vector>
#include <windows.h>

namespace merulan {

// Reads the shared list's bytes; nothing when there is no file. Throws MerulanError when it cannot be read.
// May block for as long as the server takes.
using SharedListBytes = std::function<std::optional<std::string>(const std::u16string& path)>;
// The file as it is, read with the list reader's share mode.
SharedListBytes sharedListFileBytes();

class SharedListFollower {
public:
    // Posts message to window when there is news. copyPath: where the last complete, readable list is kept on
    // this PC. A path on a network drive is looked at every 10 seconds besides its change notices.
    SharedListFollower(HWND window, UINT message, std::u16string path, std::shared_ptr<const AnsiCodePage> ansi,
                       std::u16string copyPath, ChangeNotices notices, SharedListBytes readBytes);

    // The news since the last call, oldest first.
    std::vector<SharedNews> takeNews();
    // The user asked for the list again.
    void lookNow();

private:
    void tell(SharedNews news);

    HWND window_;
    UINT message_;
    std::mutex mutex_;
    std::vector<SharedNews> news_;
    bool copyFailureTold_ = false;
    // Last, the watch after the reader it wakes: their threads stop before the rest goes.
    std::unique_ptr<SharedListReader> reader_;
    std::unique_ptr<FolderWatch> watch_;
};

} // namespace merulan
