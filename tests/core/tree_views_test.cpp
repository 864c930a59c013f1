#include "cmdlist/tree_views.h"
#include "support/print.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

namespace merulan {

inline void PrintTo(const TreeNodeContent& n, std::ostream* os) {
    *os << "{\"" << toUtf8(n.text) << "\", image " << n.image << ", tag " << n.tag << ", parent " << n.parent << "}";
}

namespace {

using Nodes = std::vector<TreeNodeContent>;

// File order: entries before the first heading, a heading with an empty cmd, headings without children.
TLspRecords sampleTable() {
    return {
        {0, u"zoom", u"拡大"},
        {2, u"作図"},
        {3, u"LINE", u"線分"},
        {4, u"TOOLS", u"ツール", u"tools.lsp"},
        {5, u""},
        {6, u"空"},
        {8, u"CALC", u"電卓", u"calc.exe", u"-x"},
        {9, u"arc", u"円弧"},
    };
}

TEST(NodeText, ByRecordKind) {
    EXPECT_EQ(nodeTextOf({1, u"見出し"}), u"見出し");
    EXPECT_EQ(nodeTextOf({1, u"LINE", u"線分"}), u"[LINE] 線分");
    EXPECT_EQ(nodeTextOf({1, u"T", u" ", u"a.lsp", u"o"}), u"{T}  ");
    EXPECT_EQ(nodeTextOf({1, u"", u"d"}), u"[] d");
}

TEST(TreeViews, EmptyTableEmptiesTheTree) {
    TLspRecords table;
    const TreeViewContent empty{{}, -1};
    EXPECT_EQ(groupedViewContent(table), empty);
    EXPECT_EQ(flatViewContent(table), empty);
    EXPECT_EQ(filteredViewContent(table, u"x"), empty);
}

TEST(TreeViews, GroupedViewInFileOrder) {
    TLspRecords table = sampleTable();
    std::reverse(table.begin(), table.end()); // as a flat view may have left it
    const auto view = groupedViewContent(table);
    const Nodes expected{
        {u"作図", 0, 2, -1}, {u"[LINE] 線分", 1, 3, 0}, {u"{TOOLS} ツール", 1, 4, 0}, {u"", 0, 5, -1},
        {u"空", 0, 6, -1},   {u"{CALC} 電卓", 1, 8, 4}, {u"[arc] 円弧", 1, 9, 4},
    };
    EXPECT_EQ(view.nodes, expected); // "zoom" stands before the first heading: not shown
    EXPECT_EQ(view.selected, 0);
    EXPECT_EQ(table, sampleTable()); // the table is left ordered by row
}

TEST(TreeViews, GroupedViewWithoutHeadingsIsEmpty) {
    TLspRecords table{{0, u"A", u"a"}};
    const auto view = groupedViewContent(table);
    EXPECT_TRUE(view.nodes.empty());
    EXPECT_EQ(view.selected, -1);
}

TEST(TreeViews, FlatViewOrderedByCommandWithoutHeadings) {
    TLspRecords table = sampleTable();
    const auto view = flatViewContent(table);
    const Nodes expected{
        {u"{CALC} 電卓", 1, 8, -1}, {u"[LINE] 線分", 1, 3, -1}, {u"{TOOLS} ツール", 1, 4, -1},
        {u"[arc] 円弧", 1, 9, -1},  {u"[zoom] 拡大", 1, 0, -1},
    };
    EXPECT_EQ(view.nodes, expected);
    EXPECT_EQ(view.selected, 0);
    EXPECT_EQ(table.front().cmd, u""); // headings take part in the ordering
}

std::vector<std::int32_t> filteredTags(TLspRecords table, std::u16string_view search) {
    const auto view = filteredViewContent(table, search);
    std::vector<std::int32_t> tags;
    for (const auto& node : view.nodes) {
        EXPECT_EQ(node.parent, -1);
        EXPECT_EQ(node.image, kCommandImage);
    }
    for (const auto& node : view.nodes) {
        tags.push_back(node.tag);
    }
    EXPECT_EQ(view.selected, tags.empty() ? -1 : 0);
    return tags;
}

TEST(TreeViews, FilteredViewMatches) {
    struct Case {
        std::u16string search;
        std::vector<std::int32_t> tags;
    };
    const Case cases[] = {
        {u"", {8, 3, 4, 9, 0}}, {u" ", {8, 3, 4, 9, 0}},                     // every node text has "] " or "} "
        {u"[", {3, 9, 0}},      {u"{", {8, 4}},          {u"ARC", {9}},      // ASCII letters without case, both ways
        {u"Line] 線", {3}},     {u"l", {3, 8, 4}},       {u"ｌｉｎｅ", {3}}, // full-width letters as their ASCII forms
        {u"電卓", {8}},         {u" 線分", {3}},                             // leading space takes part
        {u"線分 ", {}},                                                      // and so does a trailing one
        {u"作図", {}},                                                       // headings are never shown
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.search));
        EXPECT_EQ(filteredTags(sampleTable(), c.search), c.tags);
    }
}

TEST(TreeViews, FilterReadsFullWidthAsciiAndTheIdeographicSpaceAsAscii) {
    const TLspRecords table{
        {1, u"LINE", u"線分"},         {2, u"ＣＩＲＣＬＥ", u"円　中心"},
        {3, u"arc", u"円弧（3点）"},   {4, u"ｶﾅ", u"半角"},
        {5, u"カナ", u"全角"},         {6, u"EDGE", u"a!b~c"},
        {7, u"WAVE", u"\uFF5F\uFF00"}, // just outside the full-width ASCII block
    };
    const struct {
        std::u16string_view search;
        std::vector<std::int32_t> tags;
    } cases[] = {
        {u"LINE", {1}},   {u"line", {1}},         {u"ＬＩＮＥ", {1}}, {u"ｌｉｎｅ", {1}}, {u"［ＬＩＮＥ］", {1}},
        {u"circle", {2}}, {u"ＣＩＲＣＬＥ", {2}}, {u"Ｃircle", {2}},  {u"円 中心", {2}},  {u"円　中心", {2}},
        {u"(3", {3}},     {u"（３", {3}},         {u"！ｂ～", {6}},   {u"!b~", {6}}, // both ends of the block
        {u"ｶﾅ", {5, 4}},  {u"カナ", {5, 4}},                                         // kana of either width
        {u"\uFF5F", {7}}, {u"\u007F", {}},        {u"\uFF00", {7}},                  // outside: as typed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.search));
        EXPECT_EQ(filteredTags(table, c.search), c.tags);
    }
    TLspRecords copy = table;
    const auto view = filteredViewContent(copy, u"circle");
    ASSERT_EQ(view.nodes.size(), 1u);
    EXPECT_EQ(view.nodes[0].text, u"[ＣＩＲＣＬＥ] 円　中心"); // shown as written
}

// The sample list's entries, and commands in kana and in small letters.
TEST(TreeViews, FilterListsTheCommandTypedFirstThenThoseItBegins) {
    const TLspRecords table{
        {1, u"作図"},
        {2, u"LINE", u"線分を作図"},
        {3, u"PLINE", u"ポリラインを作図"},
        {4, u"CIRCLE", u"円を作図（中心、半径）"},
        {5, u"RECTANG", u"長方形を作図"},
        {6, u"修正"},
        {7, u"MOVE", u"オブジェクトを移動"},
        {8, u"COPY", u"オブジェクトを複写"},
        {9, u"TRIM", u"境界でトリム"},
        {10, u"OFFSET", u"オフセット複写"},
        {11, u"FILLET", u"フィレット（角の丸め）"},
        {12, u"寸法・注記"},
        {13, u"DIMLINEAR", u"長さ寸法を記入"},
        {14, u"MTEXT", u"マルチテキストを記入"},
        {15, u"LEADER", u"引出線を記入"},
        {16, u"ユーティリティ"},
        {17, u"ZOOM E", u"図面全体をズーム"},
        {18, u"-PURGE A * N", u"未使用の定義を名前削除"},
        {19, u"LAYCUR", u"オブジェクトを現在の画層へ移動"},
        {21, u"TOOLS", u"ツール集をロード", u"Merulan\\tools.lsp"},
        {22, u"CALC", u"電卓を起動", u"calc.exe"},
        {23, u"NOTE", u"メモ帳で作業記録を開く", u"notepad.exe", u"C:\\CAD\\作業記録.txt"},
        {30, u"ｺﾋﾟｰ", u"複写"},
        {31, u"コピー2", u"複写"},
        {32, u"XCOPY", u"コピー"},
        {33, u"line", u"小文字"},
    };
    const struct {
        std::u16string_view search;
        std::vector<std::int32_t> tags;
    } cases[] = {
        {u"line", {2, 33, 13, 3}},   // LINE first, as typed in any case; then by command
        {u"ＬＩＮ", {2, 33, 13, 3}}, // a beginning, in full-width letters
        {u"line]", {2, 3, 33}},      // the brackets are no part of a command: no group
        {u"l", {19, 15, 2, 33, 22, 4, 13, 11, 3, 21}},
        {u"zoom e", {17}},
        {u"zoom", {17}},
        {u"ﾂｰﾙ", {21}},
        {u"こぴー", {30, 31, 32}}, // the command, a command it begins, a description
        {u"COPY", {8, 32}},
        {u"", {18, 22, 4, 8, 13, 11, 19, 15, 2, 7, 14, 23, 10, 3, 5, 21, 9, 32, 17, 33, 31, 30}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.search));
        EXPECT_EQ(filteredTags(table, c.search), c.tags);
    }
}

TEST(TreeViews, AnEntryIsFoundAgainByCommandAndDescriptionNearItsRow) {
    TLspRecords table{
        {0, u"作図"}, {1, u"LINE", u"線分"}, {2, u"ARC", u"円弧"},
        {3, u"修正"}, {4, u"LINE", u"線分"}, {5, u"MOVE", u"移動"},
    };
    const auto grouped = groupedViewContent(table);
    const auto flat = flatViewContent(table); // ARC, LINE (1), LINE (4), MOVE
    const struct {
        EntryKey key;
        int groupedNode, flatNode;
    } cases[] = {
        {{u"ARC", u"円弧", 7}, 2, 0}, {{u"LINE", u"線分", 0}, 1, 1}, {{u"LINE", u"線分", 3}, 4, 2}, // the nearer
        {{u"修正", u"", 9}, 3, -1},   {{u"LINE", u"別", 1}, -1, -1}, {{u"COPY", u"複写", 1}, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.key.cmd + u" " + c.key.cmt));
        EXPECT_EQ(nodeShowing(grouped, table, c.key), c.groupedNode);
        EXPECT_EQ(nodeShowing(flat, table, c.key), c.flatNode);
    }
    const auto key = entryKeyOf(table, 4);
    ASSERT_TRUE(key);
    EXPECT_EQ(std::tie(key->cmd, key->cmt, key->row), std::make_tuple(u"LINE", u"線分", 4));
    EXPECT_FALSE(entryKeyOf(table, 6));
}

TEST(TreeViews, FilteredNodeTextsKeepTheirCase) {
    TLspRecords table{{0, u"line", u"Draw"}};
    const auto view = filteredViewContent(table, u"draw");
    ASSERT_EQ(view.nodes.size(), 1u);
    EXPECT_EQ(view.nodes[0].text, u"[line] Draw");
}

} // namespace
} // namespace merulan
