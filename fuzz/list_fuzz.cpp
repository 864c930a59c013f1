// Arbitrary bytes as MerulanList.txt: decoding, the record table, both orderings and the three views.
#include "list_any_bytes.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    merulan::testing::listAnyBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
