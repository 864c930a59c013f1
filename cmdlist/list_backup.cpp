#include "cmdlist/list_backup.h"

#include "cmdlist/list_file.h"
#include "platform/file_move.h"
#include "platform/text_file.h"
#include "text/error.h"

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

ListFileSeams fileSystemListSeams(const AnsiCodePage& ansi) {
    ListFileSeams seams;
    seams.moveFile = moveFile;
    seams.writeList = [&ansi](const std::u16string& path, const LineList& lines) { writeTextFile(path, lines, ansi); };
    return seams;
}

std::u16string backupPathFor(std::u16string_view listPath, const StampTime& time, std::u16string_view separators) {
    const std::size_t separator = listPath.find_last_of(separators);
    const std::size_t nameStart = separator == std::u16string_view::npos ? 0 : separator + 1;
    std::size_t dot = listPath.rfind(u'.');
    if (dot == std::u16string_view::npos || dot < nameStart) {
        dot = listPath.size();
    }
    return std::u16string(listPath.substr(0, dot)) + digits(time.year, 4) + digits(time.month, 2) +
           digits(time.day, 2) + digits(time.hour, 2) + digits(time.minute, 2) + digits(time.second, 2) +
           std::u16string(listPath.substr(dot));
}

void replaceListFile(const std::u16string& listPath, const std::u16string& backupPath, const LineList& lines,
                     const ListFileSeams& seams) {
    // A failed rename (a backup of the same second, a list held open) leaves the list where it is:
    // writing over it would lose it.
    const bool listExists = fileExists(listPath);
    if (listExists) {
        if (const auto reason = seams.moveFile(listPath, backupPath, false)) {
            throw MerulanError(formatText(kRenameFailedMessage, {listPath, backupPath, *reason}));
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
        if (const auto reason = seams.moveFile(backupPath, listPath, true)) {
            throw MerulanError(
                formatText(kListLeftAtBackupMessage, {messageOf(failure), backupPath, listPath, *reason}));
        }
        std::rethrow_exception(failure);
    }
}

void writeListFile(const std::u16string& listPath, const LineList& lines, ListWrite how,
                   const std::optional<std::u16string>& backupPath, const AnsiCodePage& ansi,
                   const ListFileSeams& seams) {
    LineList written;
    if (how == ListWrite::Append && fileExists(listPath)) {
        written = splitLines(readListText(listPath, ansi));
    }
    written.insert(written.end(), lines.begin(), lines.end());
    if (backupPath) {
        replaceListFile(listPath, *backupPath, written, seams);
    } else {
        seams.writeList(listPath, written);
    }
}

} // namespace merulan
