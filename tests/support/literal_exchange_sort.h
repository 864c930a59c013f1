// The exchange sort exactly as the palette has always run it: the reference its fast ordering must match.
#pragma once

#include "cmdlist/lsp_record.h"

#include <utility>

namespace merulan::testing {

inline void literalExchangeSort(TLspRecords& table, bool byCmd) {
    auto greater = [byCmd](const TLspRecord& a, const TLspRecord& b) { return byCmd ? a.cmd > b.cmd : a.row > b.row; };
    const size_t n = table.size();
    for (size_t i = 0; i + 1 < n; ++i) {
        for (size_t j = i + 1; j < n; ++j) {
            if (greater(table[i], table[j])) {
                std::swap(table[i], table[j]);
            }
        }
    }
}

} // namespace merulan::testing
