// Arbitrary bytes through everything a dropped source goes through: reading, indexing, the new list.
// Shared by the fuzz target and the replay of the inputs it ever found faults with.
#pragma once

#include <string_view>

namespace merulan::testing {

// Aborts when the new list does not read back as built; faults of memory or arithmetic are the
// sanitizers' to report.
void indexAnyBytes(std::string_view bytes);

} // namespace merulan::testing
