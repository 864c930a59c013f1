// The order of the record table that every tree view starts from.
#pragma once

#include "cmdlist/lsp_record.h"

namespace merulan {

// Reorders the table in place into exactly the order the palette's exchange sort gives (compare
// position i with every later position j and swap when i's key is greater), equal keys included:
// by row when byCmd is false, otherwise by cmd in UTF-16 code units.
void sortLspRecords(TLspRecords& table, bool byCmd);

} // namespace merulan
