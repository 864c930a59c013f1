// What check finds in LISP sources: a command defined more than once, and sources it could not read.
#pragma once

#include "tools/merulan-tool/finding.h"

#include "lispindex/source_import.h"

#include <vector>

namespace merulan::tool {

// Sources indexed with SourceFailure::Kept. A command is known by its name (commandNameOf): whichever
// definition the CAD loads last wins, also within one source. Each place of a definition gets a
// finding naming the others (at the line of its "(DEFUN"); each unreadable source one with the reason.
std::vector<Finding> sourceFindings(const std::vector<IndexedSource>& sources);

} // namespace merulan::tool
