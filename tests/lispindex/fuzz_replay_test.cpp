#include "index_any_bytes.h"

#include "support/fuzz_replay.h"

#include <gtest/gtest.h>

namespace merulan {
namespace {

TEST(FuzzFindings, ReplayWithoutFault) {
    testing::replayFuzzFindings(MERULAN_FUZZ_CRASHES_DIR, testing::indexAnyBytes);
}

} // namespace
} // namespace merulan
