#include "app/follow/shared_list_reader.h"

#include "cmdlist/list_file.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace merulan {

struct SharedListReader::State {
    std::mutex mutex;
    std::condition_variable changed;
    bool stop = false;
    bool woken = false;
    bool done = false;
    Seams seams;
    std::string lastBytes; // of the read in progress
};

namespace {

using Clock = std::chrono::steady_clock;

// The reader's loop; state outlives the reader when a read holds the thread at its end.
void readAndFollow(const std::shared_ptr<SharedListReader::State>& state, const std::u16string& path,
                   const std::shared_ptr<const AnsiCodePage>& ansi, std::chrono::milliseconds checkInterval) {
    ListSource::Seams probes = state->seams.probes;
    probes.read = [state, ansi](const std::u16string& file, TLspRecords& records) {
        std::optional<std::string> bytes = state->seams.readBytes(file);
        if (!bytes || !fillLspRecordsFromBytes(records, *bytes, *ansi)) {
            return false;
        }
        state->lastBytes = std::move(*bytes);
        return true;
    };
    ListSource source(path, std::move(probes));
    bool toldUnreachable = false;
    ListUpdate update = source.read();
    for (;;) {
        std::unique_lock lock(state->mutex);
        if (state->stop) {
            break;
        }
        // What there is to tell, told with the lock held: the reader's destructor waits for it.
        if (update.changed) {
            state->seams.keepCopy(state->lastBytes);
        }
        // Back after it could not be reached, unchanged: the window shows the copy until told again.
        const bool back = toldUnreachable && !update.missing && !source.records().empty();
        if (update.changed || back) {
            state->seams.tell({SharedNews::Kind::Read, source.records(), {}});
        }
        if (update.failure) {
            state->seams.tell({SharedNews::Kind::Failure, {}, *update.failure});
        }
        if (update.missing && !toldUnreachable) {
            state->seams.tell({SharedNews::Kind::Unreachable, {}, {}});
        }
        toldUnreachable = update.missing;
        const auto wait = update.lookAgainIn ? std::min(*update.lookAgainIn, checkInterval) : checkInterval;
        state->changed.wait_for(lock, wait, [&] { return state->stop || state->woken; });
        state->woken = false;
        if (state->stop) {
            break;
        }
        lock.unlock();
        update = source.look(false, FollowClock::now()); // may block: the lock is not held
    }
    const std::lock_guard lock(state->mutex);
    state->done = true;
    state->changed.notify_all();
}

} // namespace

SharedListReader::SharedListReader(std::u16string path, std::shared_ptr<const AnsiCodePage> ansi, Seams seams,
                                   std::chrono::milliseconds checkInterval)
    : state_(std::make_shared<State>()) {
    state_->seams = std::move(seams);
    std::thread([state = state_, path = std::move(path), ansi = std::move(ansi), checkInterval] {
        readAndFollow(state, path, ansi, checkInterval);
    }).detach();
}

SharedListReader::~SharedListReader() {
    std::unique_lock lock(state_->mutex);
    state_->stop = true;
    state_->changed.notify_all();
    // A thread that is not held in a read ends at once; one that is will tell nothing more.
    state_->changed.wait_for(lock, std::chrono::milliseconds(200), [&] { return state_->done; });
}

void SharedListReader::wake() {
    const std::lock_guard lock(state_->mutex);
    state_->woken = true;
    state_->changed.notify_all();
}

} // namespace merulan
