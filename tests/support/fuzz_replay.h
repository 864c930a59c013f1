// Every input a fuzz target ever found a fault with, and its seeds, run through its harness as a test.
#pragma once

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace merulan::testing {

template <class Harness>
void replayFuzzFindings(const std::filesystem::path& folder, Harness harness) {
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            SCOPED_TRACE(entry.path().filename().string());
            harness(fileBytes(entry.path()));
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0) << "no inputs in " << folder.string();
}

} // namespace merulan::testing
