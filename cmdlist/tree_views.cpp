#include "cmdlist/tree_views.h"

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

// The search compares texts as if typed on a half-width keyboard: full-width ASCII (U+FF01 to U+FF5E)
// and the ideographic space become their ASCII forms, then a to z become capitals. An IME left in
// full-width mode thus finds what the list spells in ASCII, and the other way round.
void foldForSearch(std::u16string& text) {
    for (char16_t& c : text) {
        if (c >= 0xFF01 && c <= 0xFF5E) {
            c = static_cast<char16_t>(c - 0xFEE0);
        } else if (c == 0x3000) {
            c = u' ';
        }
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - (u'a' - u'A'));
        }
    }
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

std::optional<TreeViewContent> groupedViewContent(TLspRecords& table) {
    if (table.empty()) {
        return std::nullopt;
    }
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

std::optional<TreeViewContent> flatViewContent(TLspRecords& table) {
    if (table.empty()) {
        return std::nullopt;
    }
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

std::optional<TreeViewContent> filteredViewContent(TLspRecords& table, std::u16string_view searchBoxText) {
    if (table.empty()) {
        return std::nullopt;
    }
    sortLspRecords(table, true);
    std::u16string search(searchBoxText);
    foldForSearch(search);
    TreeViewContent view;
    std::u16string text;
    std::u16string folded;
    for (const TLspRecord& record : table) {
        if (!isCommandEntry(record)) {
            continue;
        }
        text.clear();
        appendNodeText(text, record);
        if (!search.empty()) {
            folded = text;
            foldForSearch(folded);
            if (!contains(folded, search)) {
                continue;
            }
        }
        view.nodes.push_back({text, imageOf(record), record.row, -1});
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
