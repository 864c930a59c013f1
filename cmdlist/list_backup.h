// Writing the list file so that the list it replaces is kept: the current file is first renamed beside
// it under a time-stamped name, and put back when the new one cannot be written. The palette's drop and
// merulan-tool index -o both write through here.
#pragma once

#include "platform/local_time.h"
#include "text/codepage.h"
#include "text/line_list.h"
#include "text/u16text.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace merulan {

inline constexpr std::u16string_view kRenameFailedMessage = u"%s を %s に名前変更できません。%s";
// Follows the write's own message when the current list could not be put back either.
inline constexpr std::u16string_view kListLeftAtBackupMessage =
    u"%s\n現在のコマンドリストは %s にあります。%s に戻せません。%s";

// The file operations of a list write; tests pass failing ones.
struct ListFileSeams {
    // Nothing when moved, otherwise the system's reason. Without replaceExisting an existing target
    // refuses the move.
    std::function<std::optional<std::u16string>(const std::u16string& from, const std::u16string& to,
                                                bool replaceExisting)>
        moveFile;
    // Throws MerulanError when the file cannot be written.
    std::function<void(const std::u16string& path, const LineList& lines)> writeList;
};

// The file system's move and the list file's writing rules in ansi, which must outlive the seams.
ListFileSeams fileSystemListSeams(const AnsiCodePage& ansi);

// Beside listPath: its name up to the last ".", the fourteen digits yyyymmddhhnnss, and the rest
// ("C:\M\MerulanList.txt" at 2024-01-03 04:05:06 gives "C:\M\MerulanList20240103040506.txt").
std::u16string backupPathFor(std::u16string_view listPath, const StampTime& time,
                             std::u16string_view separators = kWindowsPathSeparators);

// Moves the current list (if any) to backupPath and writes lines at listPath. When the move fails,
// nothing is written; when the write fails, the current list goes back to listPath before the
// failure is thrown. Every failure is a MerulanError.
void replaceListFile(const std::u16string& listPath, const std::u16string& backupPath, const LineList& lines,
                     const ListFileSeams& seams);

enum class ListWrite {
    Replace, // the list holds the new lines alone
    Append,  // the current list's lines, then the new ones
};

// Writes the list at listPath. The current list is read as the palette's loader reads it; with a
// backupPath it is kept there (replaceListFile), without one it is overwritten.
void writeListFile(const std::u16string& listPath, const LineList& lines, ListWrite how,
                   const std::optional<std::u16string>& backupPath, const AnsiCodePage& ansi,
                   const ListFileSeams& seams);

} // namespace merulan
