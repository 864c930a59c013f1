// The command index lines of an AutoLISP source: "NAME PARAMS<TAB>description" per command.
#pragma once

#include "lispindex/text_compare.h"
#include "text/line_list.h"

namespace merulan {

// Appends one line per top-level (DEFUN C:...) form of lspSL to resSL, ordered by compare over the
// forms' location records. Lines already in resSL stay.
void makeLspIndex(const LineList& lspSL, LineList& resSL, TextCompare compare);

} // namespace merulan
