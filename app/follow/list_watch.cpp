#include "app/follow/list_watch.h"

#include "platform/long_path.h"
#include "platform/win/wide.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace merulan {

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

// Without notices, notices are asked for again after the first wait, doubled each time they are refused, up to
// the longest.
constexpr milliseconds kFirstRetry{2000};
constexpr milliseconds kLongestRetry{60000};

} // namespace

struct FolderWatch::State {
    std::u16string folder;
    std::function<void()> changed;
    ChangeNotices notices;
    milliseconds pollInterval{};
    UniqueKernelHandle stop{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::mutex mutex;
    std::condition_variable ended;
    bool stopped = false;
    bool done = false;

    // changed, unless the watch has gone.
    void tell() {
        const std::lock_guard lock(mutex);
        if (!stopped) {
            changed();
        }
    }
    // Waits for the stop or for that long; true when stopped.
    bool stopWithin(milliseconds wait) const {
        return WaitForSingleObject(stop.get(), static_cast<DWORD>(wait.count())) != WAIT_TIMEOUT;
    }
    void run(UniqueChangeNotification notice);
};

ChangeNotices systemChangeNotices() {
    ChangeNotices notices;
    notices.open = [](const std::u16string& folder) {
        return FindFirstChangeNotificationW(wide(fileCallPath(folder)), FALSE,
                                            FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE |
                                                FILE_NOTIFY_CHANGE_LAST_WRITE);
    };
    notices.next = [](HANDLE notice) { return FindNextChangeNotification(notice) != FALSE; };
    return notices;
}

FolderWatch::FolderWatch(std::u16string folder, std::function<void()> changed, ChangeNotices notices,
                         milliseconds pollInterval, When firstNotice)
    : state_(std::make_shared<State>()) {
    state_->folder = std::move(folder);
    state_->changed = std::move(changed);
    state_->notices = std::move(notices);
    state_->pollInterval = pollInterval;
    if (!state_->stop) {
        return;
    }
    const HANDLE first = firstNotice == When::Now ? state_->notices.open(state_->folder) : INVALID_HANDLE_VALUE;
    std::thread([state = state_, first, firstNotice] {
        const HANDLE notice = firstNotice == When::Now ? first : state->notices.open(state->folder);
        state->run(UniqueChangeNotification(notice));
        const std::lock_guard lock(state->mutex);
        state->done = true;
        state->ended.notify_all();
    }).detach();
}

FolderWatch::~FolderWatch() {
    std::unique_lock lock(state_->mutex);
    state_->stopped = true;
    if (state_->stop) {
        SetEvent(state_->stop.get());
        // A thread that a server holds in a call ends by itself when the call returns.
        state_->ended.wait_for(lock, milliseconds(500), [&] { return state_->done; });
    }
}

void FolderWatch::State::run(UniqueChangeNotification notice) {
    milliseconds retry = kFirstRetry;
    Clock::time_point nextTry = Clock::now() + (notice ? milliseconds(0) : retry);
    bool lookedWithout = false; // looks have stood in for notices
    for (;;) {
        if (!notice && Clock::now() >= nextTry) {
            notice.reset(notices.open(folder));
            if (!notice) {
                nextTry = Clock::now() + retry;
                retry = std::min(retry * 2, kLongestRetry);
            }
        }
        if (!notice) {
            tell(); // a look every interval stands in for the notices
            lookedWithout = true;
            if (stopWithin(pollInterval)) {
                return;
            }
            continue;
        }
        retry = kFirstRetry;
        if (lookedWithout) {
            tell(); // whatever changed between the last look and the notices' return
            lookedWithout = false;
        }
        const HANDLE waits[] = {stop.get(), notice.get()};
        for (;;) {
            const DWORD woken = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
            if (woken == WAIT_OBJECT_0) {
                return;
            }
            if (woken != WAIT_OBJECT_0 + 1) {
                break; // the wait failed: ask for notices again, looking meanwhile
            }
            tell();
            if (!notices.next(notice.get())) {
                break;
            }
        }
        notice.reset();
        nextTry = Clock::now() + retry;
    }
}

} // namespace merulan
