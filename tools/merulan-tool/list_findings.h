// What check finds in a command list, judged line by line as the palette reads and runs it.
#pragma once

#include "tools/merulan-tool/finding.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace merulan::tool {

struct ListSetting {
    // The list's folder, full, ending with its separator: the palette's own folder, where "Merulan\"
    // entries and names without a folder are looked for.
    std::u16string folder;
    std::function<bool(const std::u16string& path)> fileExists;
};

// The findings of the list file shown as file, whose decoded text is text, in the order of its lines:
// entries before the first heading, third fields that are neither ".LSP" nor ".EXE", LISP files and
// programs that are missing, commands longer than one delivery carries, the same command twice, and
// headings without a TAB that hold a space.
std::vector<Finding> listFindings(const std::u16string& file, std::u16string_view text, const ListSetting& setting);

} // namespace merulan::tool
