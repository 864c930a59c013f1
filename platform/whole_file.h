// Writing a user's file whole or not at all: the bytes go to a temporary file beside it, which is
// flushed to the disk and closed, each step checked, and only then put in the file's place by one
// replace. At every instant the file holds either what it held or all of the new bytes.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace merulan {

inline constexpr std::u16string_view kRenameFailedMessage = u"%s を %s に名前変更できません。%s";

enum class WriteStep {
    Open,     // creating the temporary file
    Write,    // its bytes
    Flush,    // to the disk
    Close,    // the close, where a delayed write can still fail
    HardLink, // keeping the current file by a second name; failing here means the file system has none,
              // and the backup is written as a copy instead
    Backup,   // keeping the current file under the backup name, by either way
    Replace,  // the temporary file in the file's place
};

// Asked as each step is taken; a reason makes the step fail with it as the system's own failure would.
// Tests inject failures here; real writes pass none.
using WriteFaults = std::function<std::optional<std::u16string>(WriteStep)>;

// Writes bytes as the file at path. With a backupPath, the current file (if any) is kept there just
// before the replace; a file already there refuses it and nothing is written. Every failure leaves the
// file as it was, removes what the write made, and throws MerulanError: "ファイル \"%s\" を作成できません。%s"
// with path (the backup's path when its copy could not be made) or kRenameFailedMessage when the
// backup could not be kept. Temporary files that a killed write left beside path are removed first.
void writeFileWhole(const std::u16string& path, std::string_view bytes,
                    const std::optional<std::u16string>& backupPath = std::nullopt, const WriteFaults& faults = {});

// True for the name of a temporary file that writeFileWhole uses for path (never the name of a list).
bool isTemporaryFileFor(std::u16string_view path, std::u16string_view candidate);

} // namespace merulan
