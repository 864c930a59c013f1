#include "cmdlist/list_backup.h"

#include "platform/text_file.h"
#include "text/append_lines.h"

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

void writeListFile(const std::u16string& listPath, const LineList& lines, ListWrite how,
                   const std::optional<std::u16string>& backupPath, const AnsiCodePage& ansi,
                   const ListFileSeams& seams) {
    // Appending adds bytes: the lines after a NUL, the encoding and anything the reader cannot decode
    // stay as the user had them.
    const std::string bytes =
        how == ListWrite::Append && fileExists(listPath)
            ? appendLinesToText(readFileBytes(listPath), lines, ansi, UnmarkedText::SurelyUtf8ElseAnsiCodePage)
            : encodeLines(lines, ansi);
    writeFileWhole(listPath, bytes, backupPath, seams.faults);
}

} // namespace merulan
