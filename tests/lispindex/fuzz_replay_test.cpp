// Every input the fuzz target ever found a fault with, and its seeds, run as a regular test.
#include "index_any_bytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace merulan {
namespace {

TEST(FuzzFindings, ReplayWithoutFault) {
    const std::filesystem::path folder(MERULAN_FUZZ_CRASHES_DIR);
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes(std::istreambuf_iterator<char>(in), {});
        SCOPED_TRACE(entry.path().filename().string());
        testing::indexAnyBytes(bytes);
        ++replayed;
    }
    EXPECT_GT(replayed, 0) << "no inputs in " << folder.string();
}

} // namespace
} // namespace merulan
