#include "cmdlist/tree_views.h"

#include "text/u16text.h"

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
            view.nodes.push_back({record.cmd, kHeadingImage, record.row, -1});
        } else if (heading >= 0) {
            view.nodes.push_back({nodeTextOf(record), kCommandImage, record.row, heading});
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
            view.nodes.push_back({nodeTextOf(record), kCommandImage, record.row, -1});
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
    const std::u16string search = upperAscii(searchBoxText);
    TreeViewContent view;
    std::u16string text;
    std::u16string upper;
    for (const TLspRecord& record : table) {
        if (!isCommandEntry(record)) {
            continue;
        }
        text.clear();
        appendNodeText(text, record);
        if (!search.empty()) {
            upper = text;
            upperAsciiInPlace(upper);
            if (!contains(upper, search)) {
                continue;
            }
        }
        view.nodes.push_back({text, kCommandImage, record.row, -1});
    }
    selectFirst(view);
    return view;
}

} // namespace merulan
