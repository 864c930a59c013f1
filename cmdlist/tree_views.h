// The ordering of the record table and the content of the three tree views, as plain data:
// the window only renders what these return.
#pragma once

#include "cmdlist/lsp_record.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace merulan {

constexpr int kHeadingImage = 0;
constexpr int kCommandImage = 1;

struct TreeNodeContent {
    std::u16string text;
    int image = kHeadingImage;
    std::int32_t tag = 0; // the record's row
    int parent = -1;      // index of the parent node in the same content, -1 at the top level

    bool operator==(const TreeNodeContent&) const = default;
};

struct TreeViewContent {
    std::vector<TreeNodeContent> nodes; // in display order; a parent comes before its children
    int selected = -1;                  // index of the node to select, -1 for none

    bool operator==(const TreeViewContent&) const = default;
};

// Reorders the table in place exactly as the exchange sort does: by row, or by cmd in code units.
void sortLspRecords(TLspRecords& table, bool byCmd);

// "[cmd] cmt" for a command entry, "{cmd} cmt" for a file entry.
std::u16string nodeTextOf(const TLspRecord& record);

// Each orders the table first; an empty table gives nothing, and the tree is then left as it is.
std::optional<TreeViewContent> groupedViewContent(TLspRecords& table);
std::optional<TreeViewContent> flatViewContent(TLspRecords& table);
std::optional<TreeViewContent> filteredViewContent(TLspRecords& table, std::u16string_view searchBoxText);

} // namespace merulan
