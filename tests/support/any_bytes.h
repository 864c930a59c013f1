// What the fuzz harnesses share: the code page of a Japanese system, and a stop that libFuzzer reports.
#pragma once

#include "platform/system_codepage.h"

#include <cstdio>
#include <cstdlib>

namespace merulan::testing {

inline const AnsiCodePage& japaneseCodePage() {
    static const auto codePage = codePageById(932);
    return *codePage;
}

// Aborts, naming the harness and the broken invariant, so that the fuzzer keeps the input.
[[noreturn]] inline void failAnyBytes(const char* harness, const char* what) {
    std::fprintf(stderr, "%s: %s\n", harness, what);
    std::abort();
}

} // namespace merulan::testing
