// What the fuzz harnesses share: a stop that libFuzzer reports (and the code page of a Japanese system).
#pragma once

#include "support/japanese_code_page.h"

#include <cstdio>
#include <cstdlib>

namespace merulan::testing {

// Aborts, naming the harness and the broken invariant, so that the fuzzer keeps the input.
[[noreturn]] inline void failAnyBytes(const char* harness, const char* what) {
    std::fprintf(stderr, "%s: %s\n", harness, what);
    std::abort();
}

} // namespace merulan::testing
