// The command index lines of an AutoLISP source: "NAME PARAMS<TAB>description" per command.
#pragma once

#include "lispindex/text_compare.h"
#include "text/line_list.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace merulan {

// One command of a source: its command index line and the 0-based source line of its "(DEFUN".
struct IndexedCommand {
    std::u16string line;
    std::size_t definitionLine = 0;
};

// The commands of lspSL in the order of makeLspIndex.
std::vector<IndexedCommand> lspCommandsOf(const LineList& lspSL, TextCompare compare);

// Appends one line per top-level (DEFUN C:...) form of lspSL to resSL, ordered by compare over the
// forms' location records. Lines already in resSL stay.
void makeLspIndex(const LineList& lspSL, LineList& resSL, TextCompare compare);

// The name a command is typed by: the index line's command part up to its first blank ("LINE" of
// "LINE A B<TAB>..."), in capitals as the index wrote it.
std::u16string_view commandNameOf(std::u16string_view indexLine);

} // namespace merulan
