// One command list file as the palette reads and follows it: its path, the version last read, the records
// that read gave, and the follow's state. The window asks it for the records and renders them; every read
// of the file goes through here, so the follow always knows which version the palette shows.
#pragma once

#include "app/follow/follow_policy.h"
#include "cmdlist/lsp_record.h"
#include "text/codepage.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace merulan {

// What a read or a look brought.
struct ListUpdate {
    bool changed = false;                  // records() now holds what was just read
    bool missing = false;                  // no file was there (or it could not even be looked at)
    std::optional<std::u16string> failure; // why the file cannot be read, for the user to see
    std::optional<std::chrono::milliseconds> lookAgainIn;
};

class ListSource {
public:
    struct Seams {
        std::function<std::optional<FileIdentity>(const std::u16string& path)> identityOf;
        std::function<bool(const FileIdentity& identity)> writtenRecently;
        std::function<std::optional<std::uint64_t>(const std::u16string& path)> contentHash;
        std::function<bool(const std::u16string& path)> heldForWriting;
        // Fills records from the file; false, records untouched, when there is no file or it has no lines.
        // Throws MerulanError when the file cannot be read.
        std::function<bool(const std::u16string& path, TLspRecords& records)> read;
    };
    // The file system's probes, without a reader.
    static Seams fileSystemProbes();
    // The file system and the list reader in ansi, which must outlive the seams.
    static Seams fileSystemSeams(const AnsiCodePage& ansi);

    ListSource(std::u16string path, Seams seams);

    const std::u16string& path() const { return path_; }
    // The records of the last read that found lines; empty before.
    const TLspRecords& records() const { return records_; }

    // Reads the file because the user asked (start-up, the menu, after a drop). A failure is always told.
    ListUpdate read();
    // Looks at the file after a change notice or when lookAgainIn said so, and reads it when it changed.
    // busy: the window cannot rebuild its tree now. A failure is told once per version.
    ListUpdate look(bool busy, FollowClock::time_point at);

private:
    // The file's identity now, with the hash of its bytes where a save could have kept its time stamp and size.
    std::optional<FileIdentity> identityNow();
    // Reads the file, whose identity was version just before; true when the records changed.
    bool readVersion(const std::optional<FileIdentity>& version);
    // The message of the exception being handled, naming the list when it does not already.
    std::u16string failureMessage() const;

    std::u16string path_;
    Seams seams_;
    TLspRecords records_;
    FollowState state_;
};

} // namespace merulan
