#include "app/drop_import.h"

#include "cmdlist/list_file.h"
#include "lispindex/index_builder.h"
#include "lispindex/new_list.h"
#include "platform/long_path.h"
#include "platform/text_file.h"
#include "platform/win/wide.h"
#include "text/error.h"
#include "text/u16text.h"

#include <exception>

namespace merulan {

namespace {

std::u16string digits(unsigned value, std::size_t width) {
    std::u16string text = decimalText(value);
    if (text.size() < width) {
        text.insert(0, width - text.size(), u'0');
    }
    return text;
}

} // namespace

DropImportSeams fileSystemSeams(const AnsiCodePage& ansi) {
    DropImportSeams seams;
    seams.moveFile = [](const std::u16string& from, const std::u16string& to, bool replaceExisting) -> DWORD {
        const BOOL moved =
            replaceExisting ? MoveFileExW(wide(fileCallPath(from)), wide(fileCallPath(to)), MOVEFILE_REPLACE_EXISTING)
                            : MoveFileW(wide(fileCallPath(from)), wide(fileCallPath(to)));
        return moved ? 0 : GetLastError();
    };
    seams.writeList = [&ansi](const std::u16string& path, const LineList& lines) { writeTextFile(path, lines, ansi); };
    return seams;
}

bool isLispSourceName(std::u16string_view path) {
    return upperAscii(extensionOf(path)) == u".LSP";
}

std::u16string replaceQuestion(std::size_t count) {
    return decimalText(static_cast<long long>(count)) +
           u" 個のコマンドが検出されました．\nコマンドリストを置き換えますか？\n"
           u"(現在のコマンドリストは日付時刻を追加したファイル名で保存されます)";
}

std::u16string backupPathFor(std::u16string_view exeFolder, const SYSTEMTIME& time) {
    return std::u16string(exeFolder) + u"MerulanList" + digits(time.wYear, 4) + digits(time.wMonth, 2) +
           digits(time.wDay, 2) + digits(time.wHour, 2) + digits(time.wMinute, 2) + digits(time.wSecond, 2) + u".txt";
}

void replaceListFile(const std::u16string& listPath, const std::u16string& backupPath, const LineList& lines,
                     const DropImportSeams& seams) {
    // A failed rename (a backup of the same second, a list held open) leaves the list where it is:
    // writing over it would lose it.
    const bool listExists = fileExists(listPath);
    if (listExists) {
        if (const DWORD error = seams.moveFile(listPath, backupPath, false)) {
            throw MerulanError(formatText(kRenameFailedMessage, {listPath, backupPath, systemErrorText(error)}));
        }
    }
    try {
        seams.writeList(listPath, lines);
    } catch (...) {
        if (!listExists) {
            throw;
        }
        // Whatever the failed write left at the list's name gives way to the list the user had.
        const std::exception_ptr failure = std::current_exception();
        if (const DWORD error = seams.moveFile(backupPath, listPath, true)) {
            throw MerulanError(formatText(kListLeftAtBackupMessage,
                                          {messageOf(failure), backupPath, listPath, systemErrorText(error)}));
        }
        std::rethrow_exception(failure);
    }
}

DropImportResult importLispSource(const std::u16string& sourcePath, const std::u16string& exeFolder,
                                  const AnsiCodePage& ansi, TextCompare compare, const DropImportSeams& seams) {
    const LineList source = readTextFile(sourcePath, ansi, UnmarkedText::Utf8ThenAnsiCodePage);
    LineList indexLines;
    makeLspIndex(source, indexLines, compare);
    const LineList newList = makeNewList(indexLines, sourcePath, exeFolder);
    if (newList.empty()) {
        return DropImportResult::NoCommands;
    }
    // The heading does not count; the load entry does.
    if (!seams.askYesNo(replaceQuestion(newList.size() - 1))) {
        return DropImportResult::Declined;
    }
    // The time stamp is the moment of the answer, not of the drop.
    const std::u16string backupPath = backupPathFor(exeFolder, seams.localTime());
    replaceListFile(exeFolder + std::u16string(kListFileName), backupPath, newList, seams);
    return DropImportResult::Replaced;
}

} // namespace merulan
