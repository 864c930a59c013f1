#include "app/follow/list_source.h"

#include "cmdlist/list_file.h"
#include "text/error.h"
#include "text/u16text.h"

#include <exception>

namespace merulan {

ListSource::Seams ListSource::fileSystemProbes() {
    Seams seams;
    seams.identityOf = fileIdentityOf;
    seams.writtenRecently = writtenRecently;
    seams.contentHash = fileContentHash;
    seams.heldForWriting = fileHeldForWriting;
    return seams;
}

ListSource::Seams ListSource::fileSystemSeams(const AnsiCodePage& ansi) {
    Seams seams = fileSystemProbes();
    seams.read = [&ansi](const std::u16string& path, TLspRecords& records) {
        return loadMerulanList(records, path, ansi);
    };
    return seams;
}

ListSource::ListSource(std::u16string path, Seams seams) : path_(std::move(path)), seams_(std::move(seams)) {}

namespace {

bool sameStamp(const FileIdentity& a, const FileIdentity& b) {
    return a.volume == b.volume && a.index == b.index && a.size == b.size && a.lastWrite == b.lastWrite;
}

} // namespace

std::optional<FileIdentity> ListSource::identityNow() {
    std::optional<FileIdentity> now = seams_.identityOf(path_);
    if (!now) {
        return now;
    }
    std::optional<FileIdentity>& shown = state_.shown;
    const bool stampAsShown = shown && sameStamp(*now, *shown) && shown->contentHash;
    const bool recent = seams_.writtenRecently(*now);
    if (recent || stampAsShown) {
        now->contentHash = seams_.contentHash(path_);
    }
    if (stampAsShown && !recent && now->contentHash == shown->contentHash) {
        // Past the stamps' resolution: any later save gets a stamp of its own, and the bytes need not be read
        // again.
        shown->contentHash.reset();
        now->contentHash.reset();
    }
    return now;
}

bool ListSource::readVersion(const std::optional<FileIdentity>& version) {
    const bool changed = seams_.read(path_, records_);
    followRead(state_, version);
    return changed;
}

std::u16string ListSource::failureMessage() const {
    std::u16string message = messageOf(std::current_exception());
    // A decoding error names no file: the user would not know which list (the own or the shared) is broken.
    if (!contains(message, path_)) {
        message = path_ + u"\n" + message;
    }
    return message;
}

ListUpdate ListSource::read() {
    // Taken before the read: a change during it then still counts as a change.
    const std::optional<FileIdentity> identity = identityNow();
    try {
        return {readVersion(identity), !identity, std::nullopt, std::nullopt};
    } catch (...) {
        const std::u16string message = failureMessage();
        const FollowAnswer answer = followUserReadFailed(state_, identity, seams_.heldForWriting(path_));
        return {false, !identity, message, answer.lookAgainIn};
    }
}

ListUpdate ListSource::look(bool busy, FollowClock::time_point at) {
    const std::optional<FileIdentity> now = busy ? std::nullopt : identityNow();
    // A writer is looked for only when the file changed.
    const bool held = now && now != state_.shown && seams_.heldForWriting(path_);
    const FollowAnswer answer = followLook(state_, now, held, busy);
    const bool missing = !busy && !now;
    if (answer.step != FollowStep::Read) {
        return {false, missing, std::nullopt, answer.lookAgainIn};
    }
    try {
        return {readVersion(now), false, std::nullopt, std::nullopt};
    } catch (...) {
        const std::u16string message = failureMessage();
        const FollowAnswer failed = followReadFailed(state_, *now, seams_.heldForWriting(path_), at);
        return {false, false, failed.step == FollowStep::Report ? std::optional(message) : std::nullopt,
                failed.lookAgainIn};
    }
}

} // namespace merulan
