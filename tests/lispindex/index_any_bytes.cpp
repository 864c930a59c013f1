#include "index_any_bytes.h"

#include "cmdlist/field_split.h"
#include "cmdlist/list_file.h"
#include "lispindex/index_builder.h"
#include "lispindex/new_list.h"
#include "support/any_bytes.h"
#include "text/error.h"

namespace merulan::testing {

namespace {

[[noreturn]] void fail(const char* what) {
    failAnyBytes("indexAnyBytes", what);
}

} // namespace

void indexAnyBytes(std::string_view bytes) {
    LineList source;
    try {
        source = decodeLines(bytes, japaneseCodePage(), UnmarkedText::Utf8ThenAnsiCodePage);
    } catch (const MerulanError&) {
        return; // invalid UTF-8 after a UTF-8 mark: the drop shows the message
    }
    LineList index;
    makeLspIndex(source, index, compareTextStandIn);
    for (const auto& line : index) {
        if (line.find(u'\t') == std::u16string::npos) {
            fail("an index line without a TAB");
        }
    }
    const std::u16string sourcePath = u"C:\\Merulan\\any.lsp";
    const auto fields = newListFields(index, sourcePath, u"C:\\Merulan\\");
    const LineList list = makeNewList(index, sourcePath, u"C:\\Merulan\\");
    if (list.size() != (index.empty() ? 0 : index.size() + 2) || fields.size() != list.size()) {
        fail("the new list has the wrong number of lines");
    }
    TLspRecords records;
    fillLspRecords(records, list);
    if (records.size() != list.size()) {
        fail("a line of the new list makes no record");
    }
    for (std::size_t row = 0; row < list.size(); ++row) {
        if (splitFields(list[row]) != fields[row]) {
            fail("a line of the new list does not read back as built");
        }
    }
}

} // namespace merulan::testing
