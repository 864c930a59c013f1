// Arbitrary bytes as a dropped LISP source: reading and decoding, indexing, and the new list read back.
#include "index_any_bytes.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    merulan::testing::indexAnyBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
