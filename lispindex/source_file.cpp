#include "lispindex/source_file.h"

#include "platform/text_file.h"

namespace merulan {

std::vector<IndexedCommand> indexLispSourceFile(const std::u16string& path, const AnsiCodePage& ansi,
                                                TextCompare compare) {
    return lspCommandsOf(readTextFile(path, ansi, UnmarkedText::Utf8ThenAnsiCodePage), compare);
}

std::u16string messageNamingSource(std::u16string_view path, std::u16string_view message) {
    if (message.find(path) != std::u16string_view::npos) {
        return std::u16string(message);
    }
    return std::u16string(path) + u"\n" + std::u16string(message);
}

} // namespace merulan
