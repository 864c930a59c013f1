// Code page 932, as a Japanese Windows has it, for the tests and harnesses that need the ANSI code page.
#pragma once

#include "platform/system_codepage.h"

namespace merulan::testing {

inline const AnsiCodePage& japaneseCodePage() {
    static const auto codePage = codePageById(932);
    return *codePage;
}

} // namespace merulan::testing
