// The ordering of the record table and the content of the three tree views, as plain data:
// the window only renders what these return.
#pragma once

#include "cmdlist/lsp_record.h"
#include "cmdlist/record_order.h"

#include <climits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace merulan {

constexpr int kHeadingImage = 0;
constexpr int kCommandImage = 1;
// The same pictures in the shared list's colour.
constexpr int kSharedHeadingImage = 4;
constexpr int kSharedCommandImage = 5;

struct TreeNodeContent {
    std::u16string text;
    int image = kHeadingImage;
    std::int32_t tag = 0; // the record's row
    int parent = -1;      // index of the parent node in the same content, -1 at the top level

    bool operator==(const TreeNodeContent&) const = default;
};

// Every node is shown expanded; only the normal image is given (the selected image is always 0).
struct TreeViewContent {
    std::vector<TreeNodeContent> nodes; // in display order; a parent comes before its children
    int selected = -1;                  // index of the node to select, -1 for none

    bool operator==(const TreeViewContent&) const = default;
};

// "[cmd] cmt" for a command entry, "{cmd} cmt" for a file entry, cmd itself for a group heading.
std::u16string nodeTextOf(const TLspRecord& record);

// Each orders the table first (by row for the grouped view, by cmd for the others). An empty table
// gives an empty tree: nodes kept from a list that no longer holds them would run nothing.
// Grouped: headings at the top level, each with the command entries that follow it in the file;
// entries before the first heading are not shown. The first heading is selected.
TreeViewContent groupedViewContent(TLspRecords& table);
// Flat: every command entry at the top level, ordered by cmd. The first one is selected.
TreeViewContent flatViewContent(TLspRecords& table);
// Filtered: the flat view limited to the node texts that contain the search box text, both compared
// in foldForSearch's form (ASCII case, width and kana as the user means them; spaces and kanji as
// typed). The entries whose command equals the search text come first, then those whose command
// begins with it, then the others; each group in the flat view's order. Node texts stay as written.
TreeViewContent filteredViewContent(TLspRecords& table, std::u16string_view searchBoxText);

// An entry as the user knows it, to find it again after the list file was read anew: its command and
// description (a heading: its text) and the row it stood on, which decides between equal entries.
struct EntryKey {
    std::u16string cmd;
    std::u16string cmt;
    std::int32_t row = 0;
};

// The entry of the record on that row; nothing when no record has it.
std::optional<EntryKey> entryKeyOf(const TLspRecords& table, std::int32_t row);

// The node of content that shows the same entry: equal cmd and cmt, on the row nearest the key's (the
// first in display order among equally near ones); -1 when no node does.
int nodeShowing(const TreeViewContent& content, const TLspRecords& table, const EntryKey& key);

// A tag no record has: a node with it runs nothing.
inline constexpr std::int32_t kNoRecordTag = INT32_MIN;

// A line the palette has to say about the list, shown as a first top-level node that runs nothing; the node
// that was selected stays selected.
void prependNote(TreeViewContent& content, std::u16string text, int image);

} // namespace merulan
