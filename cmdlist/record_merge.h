// The office's shared list and the user's own as one record table.
#pragma once

#include "cmdlist/lsp_record.h"

#include <cstdint>

namespace merulan {

// Shared rows stand this far below every row of the user's list: ordered by row, the shared list comes first,
// in its own order, and no tag of one list is a tag of the other.
inline constexpr std::int32_t kSharedRowBase = -(std::int32_t{1} << 30);

// The shared records, marked and moved below the personal rows, then the personal records as they are. A shared
// record past the room below (a list of more than 2^30 lines) is left out.
TLspRecords mergedRecords(const TLspRecords& shared, const TLspRecords& personal);

} // namespace merulan
