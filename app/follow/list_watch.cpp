#include "app/follow/list_watch.h"

#include "platform/long_path.h"
#include "platform/win/wide.h"

#include <algorithm>
#include <chrono>

namespace merulan {

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

// Without notices, notices are asked for again after the first wait, doubled each time they are refused, up to
// the longest.
constexpr milliseconds kFirstRetry{2000};
constexpr milliseconds kLongestRetry{60000};

} // namespace

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
                         milliseconds pollInterval)
    : folder_(std::move(folder)), changed_(std::move(changed)), notices_(std::move(notices)),
      pollInterval_(pollInterval), stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (!stop_) {
        return;
    }
    // The first notice is asked for before this returns: a change right after it is not missed.
    HANDLE first = notices_.open(folder_);
    thread_ = std::thread([this, first] { run(UniqueChangeNotification(first)); });
}

FolderWatch::~FolderWatch() {
    if (thread_.joinable()) {
        SetEvent(stop_.get());
        thread_.join();
    }
}

bool FolderWatch::stopped(DWORD milliseconds) const {
    return WaitForSingleObject(stop_.get(), milliseconds) != WAIT_TIMEOUT;
}

void FolderWatch::run(UniqueChangeNotification notice) {
    milliseconds retry = kFirstRetry;
    Clock::time_point nextTry = Clock::now() + (notice ? milliseconds(0) : retry);
    bool lookedWithout = false; // the window has been looking without notices
    for (;;) {
        if (!notice && Clock::now() >= nextTry) {
            notice.reset(notices_.open(folder_));
            if (!notice) {
                nextTry = Clock::now() + retry;
                retry = std::min(retry * 2, kLongestRetry);
            }
        }
        if (!notice) {
            changed_(); // a look every interval stands in for the notices
            lookedWithout = true;
            if (stopped(static_cast<DWORD>(pollInterval_.count()))) {
                return;
            }
            continue;
        }
        retry = kFirstRetry;
        if (lookedWithout) {
            changed_(); // whatever changed between the last look and the notices' return
            lookedWithout = false;
        }
        const HANDLE waits[] = {stop_.get(), notice.get()};
        for (;;) {
            const DWORD woken = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
            if (woken == WAIT_OBJECT_0) {
                return;
            }
            if (woken != WAIT_OBJECT_0 + 1) {
                break; // the wait failed: ask for notices again, looking meanwhile
            }
            changed_();
            if (!notices_.next(notice.get())) {
                break;
            }
        }
        notice.reset();
        nextTry = Clock::now() + retry;
    }
}

} // namespace merulan
