#include "cmdlist/record_merge.h"

namespace merulan {

TLspRecords mergedRecords(const TLspRecords& shared, const TLspRecords& personal) {
    TLspRecords table;
    table.reserve(shared.size() + personal.size());
    for (const TLspRecord& record : shared) {
        if (record.row >= 0 && record.row < -kSharedRowBase) {
            table.push_back(record);
            table.back().row += kSharedRowBase;
            table.back().shared = true;
        }
    }
    table.insert(table.end(), personal.begin(), personal.end());
    return table;
}

} // namespace merulan
