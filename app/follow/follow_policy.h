// When the palette reads its list again after another program changed the file, and when it tells the
// user that it cannot: a function of what the file is now, what it was, whether a writer holds it and
// how long it has failed. No file is touched here and the clock is handed in.
#pragma once

#include "platform/file_probes.h"

#include <chrono>
#include <optional>

namespace merulan {

using FollowClock = std::chrono::steady_clock;

// What the follow remembers between looks.
struct FollowState {
    std::optional<FileIdentity> shown;   // the version read last (whether it gave records or not)
    std::optional<FileIdentity> failing; // the version that fails to load, since failingSince
    FollowClock::time_point failingSince{};
    std::optional<FileIdentity> reported; // the version whose failure the user has seen
    bool reportedHeld = false;            // a writer held it then: it is read again once let go

    bool operator==(const FollowState&) const = default;
};

enum class FollowStep {
    Ignore, // nothing to do (look again only if lookAgainIn says so)
    Read,   // read the file now
    Report, // tell the user why the file cannot be read, once
};

struct FollowAnswer {
    FollowStep step = FollowStep::Ignore;
    std::optional<std::chrono::milliseconds> lookAgainIn;

    bool operator==(const FollowAnswer&) const = default;
};

// A writer usually makes several changes in a row (truncate, write, rename): one look after they settle.
inline constexpr std::chrono::milliseconds kFollowSettle{40};

// A look after a change notice or a timer: now is the file's identity (nothing when it is gone), held
// whether a writer holds it, busy whether the window may not rebuild its tree now.
FollowAnswer followLook(FollowState& state, const std::optional<FileIdentity>& now, bool held, bool busy);

// The read that followLook asked for failed at `at`; held was probed after it.
FollowAnswer followReadFailed(FollowState& state, const FileIdentity& now, bool held, FollowClock::time_point at);

// A read of version `now` gave what the palette shows: the follow's own read, or one the user asked for.
void followRead(FollowState& state, const std::optional<FileIdentity>& now);

// A read the user asked for (start-up, the menu, a drop) failed and the user sees why: that version is not
// reported again, only read again once a writer that holds it lets it go.
FollowAnswer followUserReadFailed(FollowState& state, const std::optional<FileIdentity>& now, bool held);

} // namespace merulan
