#include "list_any_bytes.h"

#include "support/fuzz_replay.h"

#include <gtest/gtest.h>

namespace merulan {
namespace {

TEST(ListFuzzFindings, ReplayWithoutFault) {
    testing::replayFuzzFindings(MERULAN_LIST_FUZZ_CRASHES_DIR, testing::listAnyBytes);
}

} // namespace
} // namespace merulan
