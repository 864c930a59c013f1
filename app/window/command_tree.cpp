#include "app/window/command_tree.h"

#include "app/window/win_handles.h"
#include "app/window/window_class.h"

#include <algorithm>
#include <commctrl.h>
#include <cstring>

namespace merulan {

namespace {

bool allTopLevel(const std::vector<TreeNodeContent>& nodes) {
    return std::all_of(nodes.begin(), nodes.end(), [](const TreeNodeContent& node) { return node.parent < 0; });
}

} // namespace

void CommandTree::create(HWND parent, int id, DWORD exStyle) {
    window_ =
        createChildWindow(exStyle, WC_TREEVIEWW, L"",
                          WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS, parent, id);
    SendMessageW(window_, TVM_SETEXTENDEDSTYLE, TVS_EX_DOUBLEBUFFER, TVS_EX_DOUBLEBUFFER);
}

void CommandTree::render(const TreeViewContent& content, Steps steps) {
    // Only nodes without children: a heading the user collapsed would otherwise stay collapsed.
    if (content.nodes == shown_ && allTopLevel(content.nodes) && !moreToRender()) {
        HTREEITEM item = TreeView_GetRoot(window_);
        for (int i = 0; item && i < content.selected; ++i) {
            item = TreeView_GetNextSibling(window_, item);
        }
        if (item && content.selected >= 0) {
            TreeView_SelectItem(window_, item);
        }
        return;
    }
    shown_ = content.nodes;
    selected_ = content.selected;
    items_.assign(content.nodes.size(), nullptr);
    hasChildren_.assign(content.nodes.size(), false);
    for (std::size_t i = 0; i < content.nodes.size(); ++i) {
        if (const int parent = content.nodes[i].parent; parent >= 0 && static_cast<std::size_t>(parent) < i) {
            hasChildren_[static_cast<std::size_t>(parent)] = true;
        }
    }
    next_ = 0;
    insertUpTo(steps == Steps::InSteps ? std::min(kNodesPerStep, content.nodes.size()) : content.nodes.size());
}

void CommandTree::renderMore() {
    if (moreToRender()) {
        insertUpTo(std::min(next_ + kNodesPerStep, shown_.size()));
    }
}

void CommandTree::insertUpTo(std::size_t end) {
    const std::size_t begin = next_;
    {
        const RedrawSuspension suspension(window_);
        if (begin == 0) {
            SendMessageW(window_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
        }
        for (std::size_t i = begin; i < end; ++i) {
            const TreeNodeContent& node = shown_[i];
            TVINSERTSTRUCTW insert{};
            const bool child = node.parent >= 0 && static_cast<std::size_t>(node.parent) < i;
            insert.hParent = child ? items_[static_cast<std::size_t>(node.parent)] : TVI_ROOT;
            insert.hInsertAfter = TVI_LAST;
            // Inserted expanded: under Wine a TVM_EXPAND per parent costs a pass over the whole tree, and a
            // step of a 5,000-node tree took 300 ms instead of 17.
            insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
            insert.item.stateMask = TVIS_EXPANDED;
            insert.item.state = hasChildren_[i] ? TVIS_EXPANDED : 0;
            insert.item.pszText = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(node.text.c_str()));
            // Only the normal image is chosen; the selected image stays 0 for every node.
            insert.item.iImage = node.image;
            insert.item.iSelectedImage = 0;
            insert.item.lParam = node.tag;
            items_[i] = reinterpret_cast<HTREEITEM>(
                SendMessageW(window_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
        }
    }
    next_ = end;
    // A node the user chose since the render began stays chosen.
    const bool userChose = begin > 0 && TreeView_GetSelection(window_);
    if (!userChose && selected_ >= 0 && static_cast<std::size_t>(selected_) >= begin &&
        static_cast<std::size_t>(selected_) < end) {
        SendMessageW(window_, TVM_SELECTITEM, TVGN_CARET,
                     reinterpret_cast<LPARAM>(items_[static_cast<std::size_t>(selected_)]));
    }
    if (!moreToRender()) {
        items_.clear();
        hasChildren_.clear();
    }
}

std::optional<std::int32_t> CommandTree::selectedTag() const {
    if (std::optional<std::int32_t> tag = selectedNodeTag(window_)) {
        return tag;
    }
    // The node to select has not come yet: it is still the user's entry.
    if (moreToRender() && selected_ >= 0 && static_cast<std::size_t>(selected_) >= next_) {
        return shown_[static_cast<std::size_t>(selected_)].tag;
    }
    return std::nullopt;
}

std::optional<RECT> CommandTree::selectedItemRect() const {
    const HTREEITEM selected = TreeView_GetSelection(window_);
    if (!selected) {
        return std::nullopt;
    }
    RECT area{};
    static_assert(sizeof(area) >= sizeof(selected));
    std::memcpy(&area, &selected, sizeof(selected)); // TVM_GETITEMRECT takes the item in the rectangle
    if (!SendMessageW(window_, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&area))) {
        return std::nullopt;
    }
    return area;
}

std::optional<std::int32_t> selectedNodeTag(HWND treeView) {
    TVITEMW item{};
    item.hItem = TreeView_GetSelection(treeView);
    if (!item.hItem) {
        return std::nullopt;
    }
    item.mask = TVIF_HANDLE | TVIF_PARAM;
    if (!TreeView_GetItem(treeView, &item)) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(item.lParam);
}

} // namespace merulan
