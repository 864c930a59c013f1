#include "tools/merulan-tool/list_input.h"

#include "cmdlist/list_file.h"
#include "platform/text_file.h"
#include "text/error.h"
#include "text/u16text.h"
#include "text/utf8.h"

namespace merulan::tool {

namespace {
constexpr std::u16string_view kNoSuchFileMessage = u"ファイル %s が見つかりません。";
} // namespace

std::u16string listFileText(const std::u16string& path, const AnsiCodePage& ansi) {
    if (!fileExists(path)) {
        throw MerulanError(formatText(kNoSuchFileMessage, {path}));
    }
    return readListText(path, ansi);
}

TLspRecords loadListFile(const std::string& fileArgument, const AnsiCodePage& ansi) {
    // As the palette's loader: the text cut into lines, and a text without lines leaves the table empty.
    TLspRecords table;
    fillLspRecords(table, listFileText(fromUtf8(fileArgument), ansi));
    return table;
}

} // namespace merulan::tool
