#include "app/follow/list_follower.h"

#include "text/error.h"
#include "text/u16text.h"

namespace merulan {

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

// A writer usually makes several changes in a row (truncate, write, rename): one look after they settle.
constexpr milliseconds kSettle{40};
// While a version fails to load, it is tried again at this pace; a held file (still being written, or
// kept open by an editor) gets longer before its failure is shown than one that is simply broken.
constexpr milliseconds kRetry{100};
constexpr milliseconds kHeldPatience{2000};
constexpr milliseconds kBrokenPatience{500};
// After its failure was shown, a held file is still tried now and then, to load it once it is let go.
constexpr milliseconds kHeldRetry{1000};
// While a box or menu is open.
constexpr milliseconds kBusyRetry{200};

} // namespace

ListFollower::ListFollower(HWND window, std::u16string listPath, Seams seams)
    : window_(window), listPath_(std::move(listPath)), seams_(std::move(seams)) {}

void ListFollower::start() {
    watch_ = std::make_unique<FolderWatch>(std::u16string(folderOf(listPath_)), window_, kFolderChangedMessage);
}

void ListFollower::arm(milliseconds delay) {
    armed_ = delay;
    SetTimer(window_, kTimerId, static_cast<UINT>(delay.count()), nullptr);
}

void ListFollower::folderChanged() {
    if (watch_) {
        watch_->acknowledge();
    }
    // Armed for a later retry: look sooner. Armed to settle already: leave it, so that a folder that
    // keeps changing cannot put the look off for ever.
    if (!armed_ || *armed_ > kSettle) {
        arm(kSettle);
    }
}

void ListFollower::timerFired() {
    KillTimer(window_, kTimerId);
    armed_.reset();
    if (seams_.busy()) {
        arm(kBusyRetry);
        return;
    }
    const std::optional<FileIdentity> now = fileIdentityOf(listPath_);
    if (!now || now == shown_) {
        // Gone (a save by rename is half done, or the user deleted it): the tree stays as it is.
        failing_.reset();
        return;
    }
    if (reported_ && reported_->version == *now) {
        if (fileHeldForWriting(listPath_)) {
            reported_->held = true;
            arm(kHeldRetry);
            return;
        }
        if (!reported_->held) {
            return; // broken, and the user knows: the next change is tried again
        }
    }
    try {
        reloading_ = true;
        seams_.reload();
        reloading_ = false;
        failing_.reset();
        reported_.reset();
    } catch (...) {
        reloading_ = false;
        const bool held = fileHeldForWriting(listPath_);
        if (reported_ && reported_->version == *now) {
            reported_->held = held;
        } else {
            if (failing_ != now) {
                failing_ = now;
                failingSince_ = Clock::now();
            }
            if (Clock::now() - failingSince_ < (held ? kHeldPatience : kBrokenPatience)) {
                arm(kRetry);
                return;
            }
            reported_ = Reported{*now, held};
            seams_.report(messageOf(std::current_exception()));
        }
        if (reported_->held) {
            arm(kHeldRetry);
        }
    }
}

void ListFollower::readFailed(std::optional<FileIdentity> identity) {
    if (reloading_ || !identity) {
        return; // a reload of this class: timerFired weighs the failure
    }
    reported_ = Reported{*identity, fileHeldForWriting(listPath_)};
    if (reported_->held) {
        arm(kHeldRetry);
    }
}

} // namespace merulan
