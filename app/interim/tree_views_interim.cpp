// Interim stand-in for cmdlist/tree_views.cpp, compiled only while that file is absent from this tree.
#include "cmdlist/tree_views.h"

#include "text/u16text.h"

#include <utility>

namespace merulan {

void sortLspRecords(TLspRecords& table, bool byCmd) {
    const size_t n = table.size();
    for (size_t i = 0; i + 1 < n; ++i) {
        for (size_t j = i + 1; j < n; ++j) {
            const bool greater = byCmd ? table[i].cmd > table[j].cmd : table[i].row > table[j].row;
            if (greater) {
                std::swap(table[i], table[j]);
            }
        }
    }
}

std::u16string nodeTextOf(const TLspRecord& record) {
    if (record.cmt.empty()) {
        return record.cmd;
    }
    const bool file = !record.exe.empty();
    return (file ? u"{" : u"[") + record.cmd + (file ? u"} " : u"] ") + record.cmt;
}

std::optional<TreeViewContent> groupedViewContent(TLspRecords& table) {
    if (table.empty()) {
        return std::nullopt;
    }
    sortLspRecords(table, false);
    TreeViewContent content;
    int heading = -1;
    for (const TLspRecord& record : table) {
        if (record.cmt.empty()) {
            heading = static_cast<int>(content.nodes.size());
            content.nodes.push_back({record.cmd, kHeadingImage, record.row, -1});
        } else if (heading >= 0) {
            content.nodes.push_back({nodeTextOf(record), kCommandImage, record.row, heading});
        }
    }
    content.selected = content.nodes.empty() ? -1 : 0;
    return content;
}

namespace {

std::optional<TreeViewContent> flatContent(TLspRecords& table, std::u16string_view search) {
    if (table.empty()) {
        return std::nullopt;
    }
    sortLspRecords(table, true);
    const std::u16string wanted = upperAscii(search);
    TreeViewContent content;
    for (const TLspRecord& record : table) {
        if (record.cmt.empty()) {
            continue;
        }
        std::u16string text = nodeTextOf(record);
        if (!wanted.empty() && !contains(upperAscii(text), wanted)) {
            continue;
        }
        content.nodes.push_back({std::move(text), kCommandImage, record.row, -1});
    }
    content.selected = content.nodes.empty() ? -1 : 0;
    return content;
}

} // namespace

std::optional<TreeViewContent> flatViewContent(TLspRecords& table) {
    return flatContent(table, {});
}

std::optional<TreeViewContent> filteredViewContent(TLspRecords& table, std::u16string_view searchBoxText) {
    return flatContent(table, searchBoxText);
}

} // namespace merulan
