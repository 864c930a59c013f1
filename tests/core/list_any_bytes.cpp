#include "list_any_bytes.h"

#include "cmdlist/field_split.h"
#include "cmdlist/list_file.h"
#include "cmdlist/tree_views.h"
#include "support/any_bytes.h"
#include "support/literal_exchange_sort.h"
#include "text/error.h"
#include "text/search_fold.h"
#include "text/u16text.h"

#include <algorithm>

namespace merulan::testing {

namespace {

void check(bool holds, const char* what) {
    if (!holds) {
        failAnyBytes("listAnyBytes", what);
    }
}

// The exchange sort is quadratic: the reference runs on tables a fuzzer input makes in a moment.
constexpr std::size_t kReferenceSortLimit = 300;

void checkOrder(const TLspRecords& loaded, bool byCmd) {
    TLspRecords sorted = loaded;
    sortLspRecords(sorted, byCmd);
    if (loaded.size() <= kReferenceSortLimit) {
        TLspRecords reference = loaded;
        literalExchangeSort(reference, byCmd);
        check(sorted == reference, "sortLspRecords differs from the exchange sort");
    }
    check(
        std::is_sorted(sorted.begin(), sorted.end(),
                       [&](const TLspRecord& a, const TLspRecord& b) { return byCmd ? a.cmd < b.cmd : a.row < b.row; }),
        "the table is not in order after sortLspRecords");
}

// Every node names a record of the table by its tag, and its parent stands before it.
void checkNodes(const TreeViewContent& content, const TLspRecords& table) {
    for (std::size_t i = 0; i < content.nodes.size(); ++i) {
        const TreeNodeContent& node = content.nodes[i];
        const auto record =
            std::find_if(table.begin(), table.end(), [&](const TLspRecord& r) { return r.row == node.tag; });
        check(record != table.end(), "a node's tag names no record");
        check(node.text == nodeTextOf(*record), "a node's text is not its record's");
        check(node.parent < static_cast<int>(i), "a child stands before its parent");
    }
    check(content.selected == (content.nodes.empty() ? -1 : 0), "not the first node selected");
}

std::size_t countCommands(const TLspRecords& table) {
    return static_cast<std::size_t>(
        std::count_if(table.begin(), table.end(), [](const TLspRecord& r) { return !r.cmt.empty(); }));
}

// The first line of the text, at most 12 units: a search that often finds something.
std::u16string searchTextFrom(std::u16string_view text) {
    const std::size_t end = std::min(text.find_first_of(u"\r\n"), std::size_t{12});
    return std::u16string(text.substr(0, std::min(end, text.size())));
}

} // namespace

void listAnyBytes(std::string_view bytes) {
    std::u16string text;
    try {
        text = decodeText(bytes, japaneseCodePage(), UnmarkedText::SurelyUtf8ElseAnsiCodePage);
    } catch (const MerulanError&) {
        return; // invalid UTF-8 after a UTF-8 mark: the palette shows the message
    }
    TLspRecords fromText{{-1, u"kept"}};
    const bool loaded = fillLspRecords(fromText, text);
    const LineList lines = splitLines(text);
    TLspRecords fromLines{{-1, u"kept"}};
    check(fillLspRecords(fromLines, lines) == loaded, "the text and its line list disagree on having lines");
    check(fromText == fromLines, "the text and its line list give different tables");
    if (!loaded) {
        check(lines.empty() && fromText.size() == 1 && fromText[0].row == -1, "a list without lines changed the table");
        return;
    }

    for (std::size_t k = 0; k < fromText.size(); ++k) {
        const TLspRecord& record = fromText[k];
        check(record.row >= 0 && static_cast<std::size_t>(record.row) < lines.size(), "a row outside the file");
        check(k == 0 || fromText[k - 1].row < record.row, "rows not ascending after a load");
        check(!isCommentLine(lines[static_cast<std::size_t>(record.row)]), "a comment line made a record");
        check(!record.cmt.empty() || (record.exe.empty() && record.opt.empty()), "a heading with a file");
        check(record.opt.empty() || !record.exe.empty(), "parameters without a file");
        check(record.exe.empty() || !trimBlanks(record.exe).empty(), "a blank file name");
        check(recordFromLine(record.row, lines[static_cast<std::size_t>(record.row)]) == record,
              "a line's record differs from the table's");
    }
    checkOrder(fromText, false);
    checkOrder(fromText, true);

    TLspRecords table = fromText;
    if (table.empty()) { // only comments and empty lines: every view empties the tree
        check(groupedViewContent(table).nodes.empty() && flatViewContent(table).nodes.empty() &&
                  filteredViewContent(table, u"").nodes.empty(),
              "a view of an empty table shows nodes");
        return;
    }
    const auto grouped = groupedViewContent(table);
    checkNodes(grouped, table);
    for (const TreeNodeContent& node : grouped.nodes) {
        check((node.parent < 0) == (node.image == kHeadingImage), "a heading below another node, or an entry on top");
    }

    const auto flat = flatViewContent(table);
    check(flat.nodes.size() == countCommands(table), "the flat view misses command entries");
    checkNodes(flat, table);

    const std::u16string search = searchTextFrom(text);
    const auto filtered = filteredViewContent(table, search);
    checkNodes(filtered, table);
    // The flat view's entries that hold the search, those whose command is it first, then those whose
    // command begins with it.
    const std::u16string folded = foldForSearch(search);
    std::vector<std::int32_t> ranked[3];
    for (const TreeNodeContent& node : flat.nodes) {
        const auto record =
            std::find_if(table.begin(), table.end(), [&](const TLspRecord& r) { return r.row == node.tag; });
        if (folded.empty() || contains(foldForSearch(node.text), folded)) {
            const std::u16string cmd = foldForSearch(record->cmd);
            ranked[folded.empty() ? 2 : cmd == folded ? 0 : beginsWith(cmd, folded) ? 1 : 2].push_back(node.tag);
        }
    }
    std::vector<std::int32_t> shown;
    for (const TreeNodeContent& node : filtered.nodes) {
        shown.push_back(node.tag);
    }
    ranked[0].insert(ranked[0].end(), ranked[1].begin(), ranked[1].end());
    ranked[0].insert(ranked[0].end(), ranked[2].begin(), ranked[2].end());
    check(shown == ranked[0], "the filtered view differs from the flat one's matches, best first");
    const auto unfiltered = filteredViewContent(table, u"");
    check(unfiltered == flat, "an empty search differs from the flat view");
}

} // namespace merulan::testing
