// merulan-tool check's judgement of the paths it is given, before anything is printed.
#pragma once

#include "tools/merulan-tool/finding.h"

#include "text/codepage.h"

#include <cstddef>
#include <string>
#include <vector>

namespace merulan::tool {

struct CheckResult {
    std::vector<Finding> findings; // by file (sources first, then lists in the order given), then by line
    std::size_t filesChecked = 0;
};

// Folders and ".lsp" names are LISP sources, taken as a drop takes them (each source once); any other
// path is a command list, judged where it lies (its folder is the palette's own). A source that cannot
// be read is a finding; a list or folder that cannot be read throws MerulanError.
CheckResult checkPaths(const std::vector<std::string>& paths, const AnsiCodePage& ansi);

} // namespace merulan::tool
