// The palette's tree of commands (TreeView1): it shows a view's content as it is given and says which
// entry is selected. The window never builds tree items itself.
#pragma once

#include "cmdlist/tree_views.h"

#include <cstdint>
#include <optional>
#include <vector>
#include <windows.h>

namespace merulan {

class CommandTree {
public:
    CommandTree() = default;
    CommandTree(const CommandTree&) = delete;
    CommandTree& operator=(const CommandTree&) = delete;

    // Read-only nodes with lines and buttons, double-buffered; the window owns the HWND.
    void create(HWND parent, int id, DWORD exStyle);
    HWND handle() const { return window_; }

    // Shows exactly content: its nodes in order, every one expanded, and its selection. When the tree shows
    // the same top-level nodes already (typing on in the search box often leaves the same entries; under
    // Wine rebuilding 500 nodes costs 20 ms), only the selection is set, as a rebuild would set it.
    void render(const TreeViewContent& content);

    // The tag (the record's row) of the selected node.
    std::optional<std::int32_t> selectedTag() const;
    // The selected node's text area in the tree's client coordinates.
    std::optional<RECT> selectedItemRect() const;

private:
    HWND window_ = nullptr;
    std::vector<TreeNodeContent> shown_;
};

// The tag (lParam) of the node selected in a tree view, if any.
std::optional<std::int32_t> selectedNodeTag(HWND treeView);

} // namespace merulan
