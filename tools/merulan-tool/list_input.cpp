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

TLspRecords loadListFile(const std::string& fileArgument, const AnsiCodePage& ansi) {
    const std::u16string path = fromUtf8(fileArgument);
    if (!fileExists(path)) {
        throw MerulanError(formatText(kNoSuchFileMessage, {path}));
    }
    TLspRecords table;
    loadMerulanList(table, path, ansi);
    return table;
}

} // namespace merulan::tool
