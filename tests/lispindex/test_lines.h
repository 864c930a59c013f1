// Line lists as one readable text, so that a failing comparison shows every line.
#pragma once

#include "text/line_list.h"
#include "text/utf8.h"

#include <string>

namespace merulan::testing {

inline std::string joined(const LineList& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += '[';
        text += toUtf8(line);
        text += ']';
    }
    return text;
}

} // namespace merulan::testing
