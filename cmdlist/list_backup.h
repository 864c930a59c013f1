// Writing the list file whole or not at all, so that the list it replaces is kept: the current file
// stays the list until the new one, complete and on the disk, takes its place, and is kept beside it
// under a time-stamped name. The palette's drop and merulan-tool index -o both write through here.
#pragma once

#include "platform/local_time.h"
#include "platform/whole_file.h"
#include "text/codepage.h"
#include "text/line_list.h"
#include "text/u16text.h"

#include <optional>
#include <string>
#include <string_view>

namespace merulan {

// The file system as it is, unless a test injects failures.
struct ListFileSeams {
    WriteFaults faults;
};

// Beside listPath: its name up to the last ".", the fourteen digits yyyymmddhhnnss, and the rest
// ("C:\M\MerulanList.txt" at 2024-01-03 04:05:06 gives "C:\M\MerulanList20240103040506.txt").
std::u16string backupPathFor(std::u16string_view listPath, const StampTime& time,
                             std::u16string_view separators = kWindowsPathSeparators);

enum class ListWrite {
    Replace, // the list holds the new lines alone
    Append,  // the current list's bytes, then the new lines
};

// Writes the list at listPath through writeFileWhole: the new lines alone by the list file's writing
// rules, or added after the current list's bytes in its own encoding (appendLinesToText). With a
// backupPath the current list is kept there; a file already there (a backup of the same second)
// refuses the write. Every failure leaves the list as it was and is a MerulanError saying why.
void writeListFile(const std::u16string& listPath, const LineList& lines, ListWrite how,
                   const std::optional<std::u16string>& backupPath, const AnsiCodePage& ansi,
                   const ListFileSeams& seams);

} // namespace merulan
