#include "platform/text_file.h"

namespace merulan {

LineList readTextFile(const std::u16string& path, const AnsiCodePage& ansi, UnmarkedText unmarked) {
    return decodeLines(readFileBytes(path), ansi, unmarked);
}

void writeTextFile(const std::u16string& path, const LineList& lines, const AnsiCodePage& ansi) {
    writeFileBytes(path, encodeLines(lines, ansi));
}

} // namespace merulan
