// Arbitrary bytes as MerulanList.txt, through everything the list feeds; aborts on a broken invariant.
// Shared by the fuzz target and the replay of its findings.
#pragma once

#include <string_view>

namespace merulan::testing {

void listAnyBytes(std::string_view bytes);

} // namespace merulan::testing
