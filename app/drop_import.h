// Replacing the command list with the commands of a dropped AutoLISP source: the question, the
// backup of the current list under a time-stamped name, and the new list in its place.
#pragma once

#include "lispindex/text_compare.h"
#include "text/codepage.h"
#include "text/line_list.h"

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace merulan {

inline constexpr std::u16string_view kRenameFailedMessage = u"%s を %s に名前変更できません。%s";
// Follows the write's own message when the current list could not be put back either.
inline constexpr std::u16string_view kListLeftAtBackupMessage =
    u"%s\n現在のコマンドリストは %s にあります。%s に戻せません。%s";

// What the import needs from outside; tests pass their own.
struct DropImportSeams {
    std::function<bool(const std::u16string& question)> askYesNo;
    std::function<SYSTEMTIME()> localTime;
    // 0 when moved, otherwise the system's error code. Without replaceExisting an existing target
    // refuses the move.
    std::function<DWORD(const std::u16string& from, const std::u16string& to, bool replaceExisting)> moveFile;
    // Throws MerulanError when the file cannot be written.
    std::function<void(const std::u16string& path, const LineList& lines)> writeList;
};

// MoveFileW (MoveFileExW to replace) and the list file's writing rules in ansi, which must outlive the
// seams; no question, no clock.
DropImportSeams fileSystemSeams(const AnsiCodePage& ansi);

// A name whose extension, with a to z upper-cased, is ".LSP".
bool isLispSourceName(std::u16string_view path);

// "N 個のコマンドが検出されました．" and the two lines after it.
std::u16string replaceQuestion(std::size_t count);

// exeFolder + "MerulanList" + yyyymmddhhnnss + ".txt".
std::u16string backupPathFor(std::u16string_view exeFolder, const SYSTEMTIME& time);

// Moves the current list (if any) to backupPath and writes lines at listPath. When the move fails,
// nothing is written; when the write fails, the current list goes back to listPath before the
// failure is thrown. Every failure is a MerulanError.
void replaceListFile(const std::u16string& listPath, const std::u16string& backupPath, const LineList& lines,
                     const DropImportSeams& seams);

enum class DropImportResult {
    NoCommands, // nothing asked, nothing changed
    Declined,   // asked; the answer was not Yes
    Replaced,   // the list file now holds the new list
};

// Reads the source (byte-order mark, else strict UTF-8, else ansi), indexes its commands in the order
// of compare, asks, and replaces the list file in exeFolder. Reading and indexing failures are thrown
// before anything is asked.
DropImportResult importLispSource(const std::u16string& sourcePath, const std::u16string& exeFolder,
                                  const AnsiCodePage& ansi, TextCompare compare, const DropImportSeams& seams);

} // namespace merulan
