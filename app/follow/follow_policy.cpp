#include "app/follow/follow_policy.h"

namespace merulan {

namespace {

using std::chrono::milliseconds;

// While a version fails to load it is tried again at this pace; a held file (still being written, or kept
// open by an editor) gets longer before its failure is shown than one that is simply broken.
constexpr milliseconds kRetry{100};
constexpr milliseconds kHeldPatience{2000};
constexpr milliseconds kBrokenPatience{500};
// After its failure was shown, a held file is still looked at now and then, to read it once let go.
constexpr milliseconds kHeldRetry{1000};
// While a box, a menu or a mouse capture of the window is open.
constexpr milliseconds kBusyRetry{200};

FollowAnswer lookAgainIfHeld(const FollowState& state, FollowStep step) {
    return {step, state.reportedHeld ? std::optional(kHeldRetry) : std::nullopt};
}

} // namespace

FollowAnswer followLook(FollowState& state, const std::optional<FileIdentity>& now, bool held, bool busy) {
    if (busy) {
        return {FollowStep::Ignore, kBusyRetry};
    }
    if (!now || now == state.shown) {
        // Gone (a save by rename is half done, or the user deleted it): the tree stays as it is.
        state.failing.reset();
        return {};
    }
    if (state.reported == now) {
        if (held) {
            state.reportedHeld = true;
            return {FollowStep::Ignore, kHeldRetry};
        }
        if (!state.reportedHeld) {
            return {}; // broken, and the user knows: the next change is read again
        }
    }
    return {FollowStep::Read, std::nullopt};
}

FollowAnswer followReadFailed(FollowState& state, const FileIdentity& now, bool held, FollowClock::time_point at) {
    if (state.reported == now) {
        state.reportedHeld = held;
        return lookAgainIfHeld(state, FollowStep::Ignore);
    }
    if (state.failing != now) {
        state.failing = now;
        state.failingSince = at;
    }
    if (at - state.failingSince < (held ? kHeldPatience : kBrokenPatience)) {
        return {FollowStep::Ignore, kRetry};
    }
    state.reported = now;
    state.reportedHeld = held;
    return lookAgainIfHeld(state, FollowStep::Report);
}

void followRead(FollowState& state, const std::optional<FileIdentity>& now) {
    state.shown = now;
    state.failing.reset();
    state.reported.reset();
    state.reportedHeld = false;
}

FollowAnswer followUserReadFailed(FollowState& state, const std::optional<FileIdentity>& now, bool held) {
    if (!now) {
        return {};
    }
    state.reported = now;
    state.reportedHeld = held;
    return lookAgainIfHeld(state, FollowStep::Ignore);
}

} // namespace merulan
