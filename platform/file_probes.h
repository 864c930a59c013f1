// What the system tells about a file without reading it: which file a path holds and what it holds, and
// whether a program still holds it open for writing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace merulan {

// A save in place changes the size or the last-write time, a save by rename the file itself.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0;
    bool operator==(const FileIdentity&) const = default;
};

// Nothing when no file is there (or it cannot even be looked at); a folder is no file.
std::optional<FileIdentity> fileIdentityOf(const std::u16string& path);

// A program holds the file open so that the list's reader cannot open it: it is not written yet, or not
// closed. Exactly when readFileBytes fails on the file's sharing. Never on systems without such sharing.
bool fileHeldForWriting(const std::u16string& path);

} // namespace merulan
