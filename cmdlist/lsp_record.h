// One entry of the command list and the table of them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace merulan {

struct TLspRecord {
    std::int32_t row = 0; // 0-based line of the list file; also the tag of the record's tree node
    std::u16string cmd;
    std::u16string cmt;
    std::u16string exe;
    std::u16string opt;
    bool shared = false; // from the office's shared list, not the user's own

    bool operator==(const TLspRecord&) const = default;
};

using TLspRecords = std::vector<TLspRecord>;

enum class RecordKind { GroupHeading, CommandEntry, FileEntry };

inline RecordKind kindOf(const TLspRecord& record) {
    if (record.cmt.empty()) {
        return RecordKind::GroupHeading;
    }
    return record.exe.empty() ? RecordKind::CommandEntry : RecordKind::FileEntry;
}

} // namespace merulan
