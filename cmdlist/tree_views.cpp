#include "cmdlist/tree_views.h"

#include "text/search_fold.h"
#include "text/u16text.h"

#include <algorithm>
#include <cstdlib>

namespace merulan {

namespace {

bool isCommandEntry(const TLspRecord& record) {
    return !record.cmt.empty();
}

void appendNodeText(std::u16string& out, const TLspRecord& record) {
    const bool fileEntry = !record.exe.empty();
    out += fileEntry ? u'{' : u'[';
    out += record.cmd;
    out += fileEntry ? u"} " : u"] ";
    out += record.cmt;
}

// The flag of the record's kind, in the shared list's colour for its records.
int imageOf(const TLspRecord& record) {
    if (!isCommandEntry(record)) {
        return record.shared ? kSharedHeadingImage : kHeadingImage;
    }
    return record.shared ? kSharedCommandImage : kCommandImage;
}

void selectFirst(TreeViewContent& view) {
    view.selected = view.nodes.empty() ? -1 : 0;
}

} // namespace

std::u16string nodeTextOf(const TLspRecord& record) {
    if (!isCommandEntry(record)) {
        return record.cmd;
    }
    std::u16string text;
    text.reserve(record.cmd.size() + record.cmt.size() + 3);
    appendNodeText(text, record);
    return text;
}

TreeViewContent groupedViewContent(TLspRecords& table) {
    sortLspRecords(table, false);
    TreeViewContent view;
    view.nodes.reserve(table.size());
    int heading = -1;
    for (const TLspRecord& record : table) {
        if (!isCommandEntry(record)) {
            heading = static_cast<int>(view.nodes.size());
            view.nodes.push_back({record.cmd, imageOf(record), record.row, -1});
        } else if (heading >= 0) {
            view.nodes.push_back({nodeTextOf(record), imageOf(record), record.row, heading});
        } // an entry before the first heading has no place in this view
    }
    selectFirst(view);
    return view;
}

TreeViewContent flatViewContent(TLspRecords& table) {
    sortLspRecords(table, true);
    TreeViewContent view;
    view.nodes.reserve(table.size());
    for (const TLspRecord& record : table) {
        if (isCommandEntry(record)) {
            view.nodes.push_back({nodeTextOf(record), imageOf(record), record.row, -1});
        }
    }
    selectFirst(view);
    return view;
}

TreeViewContent filteredViewContent(TLspRecords& table, std::u16string_view searchBoxText) {
    sortLspRecords(table, true);
    const std::u16string search = foldForSearch(searchBoxText);
    // The command the user typed is the one Enter should run: entries whose command is the search text
    // come first, then those whose command starts with it, then the rest, each group by command.
    enum Match { Exact, Prefix, Elsewhere, MatchKinds };
    std::vector<TreeNodeContent> groups[MatchKinds];
    std::u16string text;   // the node text
    std::u16string folded; // as the search sees it
    std::u16string foldedCmd;
    for (const TLspRecord& record : table) {
        if (!isCommandEntry(record)) {
            continue;
        }
        text.clear();
        appendNodeText(text, record);
        Match match = Elsewhere;
        if (!search.empty()) {
            folded = text;
            foldForSearchInPlace(folded);
            if (!contains(folded, search)) {
                continue;
            }
            // The brackets neither fold nor compose with a voiced mark: unless a mark composed, the
            // command's fold follows the first bracket, unit for unit.
            std::u16string_view cmd = std::u16string_view(folded).substr(1, record.cmd.size());
            if (folded.size() != text.size()) {
                foldedCmd = record.cmd;
                foldForSearchInPlace(foldedCmd);
                cmd = foldedCmd;
            }
            match = cmd == search ? Exact : beginsWith(cmd, search) ? Prefix : Elsewhere;
        }
        groups[match].push_back({text, imageOf(record), record.row, -1});
    }
    // Joined onto the first group that holds any: a keystroke mostly fills one group alone.
    TreeViewContent view;
    for (auto& group : groups) {
        if (view.nodes.empty()) {
            view.nodes = std::move(group);
        } else {
            view.nodes.insert(view.nodes.end(), std::make_move_iterator(group.begin()),
                              std::make_move_iterator(group.end()));
        }
    }
    selectFirst(view);
    return view;
}

std::optional<EntryKey> entryKeyOf(const TLspRecords& table, std::int32_t row) {
    for (const TLspRecord& record : table) {
        if (record.row == row) {
            return EntryKey{record.cmd, record.cmt, record.row};
        }
    }
    return std::nullopt;
}

int nodeShowing(const TreeViewContent& content, const TLspRecords& table, const EntryKey& key) {
    std::vector<std::int32_t> rows; // of the records equal to the key, usually one
    for (const TLspRecord& record : table) {
        if (record.cmd == key.cmd && record.cmt == key.cmt) {
            rows.push_back(record.row);
        }
    }
    std::sort(rows.begin(), rows.end());
    int best = -1;
    std::int64_t bestDistance = 0;
    for (size_t i = 0; i < content.nodes.size() && !rows.empty(); ++i) {
        const std::int32_t tag = content.nodes[i].tag;
        if (!std::binary_search(rows.begin(), rows.end(), tag)) {
            continue;
        }
        const std::int64_t distance = std::abs(std::int64_t{tag} - key.row);
        if (best < 0 || distance < bestDistance) {
            best = static_cast<int>(i);
            bestDistance = distance;
        }
    }
    return best;
}

void prependNote(TreeViewContent& content, std::u16string text, int image) {
    for (TreeNodeContent& node : content.nodes) {
        if (node.parent >= 0) {
            ++node.parent;
        }
    }
    content.nodes.insert(content.nodes.begin(), {std::move(text), image, kNoRecordTag, -1});
    if (content.selected >= 0) {
        ++content.selected;
    }
}

} // namespace merulan
