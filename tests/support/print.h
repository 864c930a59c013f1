// Readable failure output for the palette's own types in GoogleTest.
#pragma once

#include "cmdlist/lsp_record.h"
#include "text/utf8.h"

#include <ostream>

namespace merulan {

inline void PrintTo(const TLspRecord& r, std::ostream* os) {
    *os << "{" << r.row << ", \"" << toUtf8(r.cmd) << "\", \"" << toUtf8(r.cmt) << "\", \"" << toUtf8(r.exe) << "\", \""
        << toUtf8(r.opt) << "\"}";
}

} // namespace merulan
