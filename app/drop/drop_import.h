// Turning the AutoLISP sources of a drop into the command list: the question, the backup of the
// current list under a time-stamped name, and the new list in its place or after it.
#pragma once

#include "cmdlist/list_backup.h"
#include "lispindex/text_compare.h"
#include "text/codepage.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace merulan {

// What the import needs from outside; tests pass their own.
struct DropImportSeams : ListFileSeams {
    std::function<bool(const std::u16string& question)> askYesNo;
    std::function<StampTime()> localTime;
};

// The file system as it is; no question, no clock.
DropImportSeams fileSystemSeams();

// "N 個のコマンドが検出されました．" (with the number of sources when several define commands), the
// question for replacing or appending, and the note on the backup.
std::u16string importQuestion(std::size_t entries, std::size_t sources, ListWrite how);

// listFolder + "MerulanList" + yyyymmddhhnnss + ".txt".
std::u16string listBackupPath(std::u16string_view listFolder, const StampTime& time);

enum class DropImportResult {
    NoCommands,  // nothing asked, nothing changed
    Declined,    // asked; the answer was not Yes
    ListWritten, // the list file now holds the new list
};

// Indexes the sources into blocks (indexLispSources, newListOf; a source in exeFolder loads as Merulan\NAME),
// asks, and writes the list file at listPath as how says, keeping the current one beside it under a
// time-stamped name. A source that cannot be read or indexed stops everything before the question, with a
// message that names it.
DropImportResult importLispSources(const std::vector<std::u16string>& sourcePaths, const std::u16string& listPath,
                                   const std::u16string& exeFolder, ListWrite how, const AnsiCodePage& ansi,
                                   TextCompare compare, const DropImportSeams& seams);

} // namespace merulan
