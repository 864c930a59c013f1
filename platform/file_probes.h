// What the system tells about a file without reading it: which file a path holds and what it holds, and
// whether a program still holds it open for writing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace merulan {

// A save in place changes the size or the last-write time, a save by rename the file itself. A save of the same
// size within the time stamps' resolution (FAT keeps 2 seconds) changes only the bytes: where that can be, the
// identity also holds a hash of them.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0; // in the system's own file time
    std::optional<std::uint64_t> contentHash;
    bool operator==(const FileIdentity&) const = default;
};

// Nothing when no file is there (or it cannot even be looked at); a folder is no file. Without the hash.
std::optional<FileIdentity> fileIdentityOf(const std::u16string& path);

// Written within the last 2 seconds (or stamped in the future, as a share with another clock may do): another
// save of the same size could still keep the same time stamp.
bool writtenRecently(const FileIdentity& identity);

// A path on another computer: a share ("\\\\server\\...") or a drive mapped to one.
bool isNetworkPath(const std::u16string& path);

// A hash of the file's bytes (FNV-1a, 64 bits); nothing when it cannot be read.
std::optional<std::uint64_t> fileContentHash(const std::u16string& path);

// A program holds the file open so that the list's reader cannot open it: it is not written yet, or not
// closed. Exactly when readFileBytes fails on the file's sharing. Never on systems without such sharing.
bool fileHeldForWriting(const std::u16string& path);

} // namespace merulan
