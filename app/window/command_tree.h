// The palette's tree of commands (TreeView1): it shows a view's content as it is given and says which
// entry is selected. The window never builds tree items itself.
#pragma once

#include "cmdlist/tree_views.h"

#include <cstdint>
#include <optional>
#include <vector>
#include <windows.h>

#include <commctrl.h>

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
    // In steps: only the first kNodesPerStep nodes now, the rest by renderMore, so that a large list that
    // arrives by itself (the shared list, a save) never holds the window for long; a later render drops
    // what was left.
    enum class Steps { AllAtOnce, InSteps };
    void render(const TreeViewContent& content, Steps steps = Steps::AllAtOnce);
    // Nodes are left to insert: the owner calls renderMore (once per message it posts itself) until not.
    bool moreToRender() const { return next_ < shown_.size(); }
    void renderMore();
    // Under Wine a step of 300 nodes into a tree of 5,000 takes about 17 ms, most of it the tree's own pass
    // over every node when its redraw resumes.
    static constexpr std::size_t kNodesPerStep = 300;

    // The tag (the record's row) of the selected node, or of the node to select that a step has still to
    // insert.
    std::optional<std::int32_t> selectedTag() const;
    // The selected node's text area in the tree's client coordinates.
    std::optional<RECT> selectedItemRect() const;

private:
    // Inserts the pending nodes up to end, expands the parents they filled, and selects when it comes.
    void insertUpTo(std::size_t end);

    HWND window_ = nullptr;
    std::vector<TreeNodeContent> shown_;
    int selected_ = -1;             // the node of shown_ to select
    std::vector<HTREEITEM> items_;  // its items so far
    std::vector<bool> hasChildren_; // inserted expanded
    std::size_t next_ = 0;          // the first node not inserted yet
};

// The tag (lParam) of the node selected in a tree view, if any.
std::optional<std::int32_t> selectedNodeTag(HWND treeView);

} // namespace merulan
