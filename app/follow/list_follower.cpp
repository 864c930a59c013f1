#include "app/follow/list_follower.h"

#include "app/follow/follow_policy.h"

namespace merulan {

ListFollower::ListFollower(HWND window, std::u16string folder, ChangeNotices notices)
    : window_(window), folder_(std::move(folder)), notices_(std::move(notices)) {}

void ListFollower::start() {
    // Without change notices the window looks every 2 seconds: the palette's own list is usually local.
    watch_ = std::make_unique<FolderWatch>(
        folder_,
        [this] {
            if (!posted_.exchange(true) && !PostMessageW(window_, kFolderChangedMessage, 0, 0)) {
                posted_ = false;
            }
        },
        notices_, std::chrono::milliseconds(2000));
}

void ListFollower::lookAgainIn(std::chrono::milliseconds delay) {
    armed_ = delay;
    SetTimer(window_, kTimerId, static_cast<UINT>(delay.count()), nullptr);
}

void ListFollower::folderChanged() {
    posted_ = false; // the next change posts another
    // Armed for a later retry: look sooner. Armed to settle already: leave it, so that a folder that keeps
    // changing cannot put the look off for ever.
    if (!armed_ || *armed_ > kFollowSettle) {
        lookAgainIn(kFollowSettle);
    }
}

void ListFollower::timerFired() {
    KillTimer(window_, kTimerId);
    armed_.reset();
}

} // namespace merulan
