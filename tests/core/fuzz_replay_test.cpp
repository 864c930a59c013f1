// Every input the list fuzz target ever found a fault with, and its seeds, run as a regular test.
#include "list_any_bytes.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace merulan {
namespace {

TEST(ListFuzzFindings, ReplayWithoutFault) {
    const std::filesystem::path folder(MERULAN_LIST_FUZZ_CRASHES_DIR);
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            SCOPED_TRACE(entry.path().filename().string());
            testing::listAnyBytes(testing::fileBytes(entry.path()));
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0) << "no inputs in " << folder.string();
}

} // namespace
} // namespace merulan
