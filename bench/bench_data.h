// Generated inputs for the benchmarks: one generator, shared by every benchmark program.
#pragma once

#include "cmdlist/lsp_record.h"
#include "text/line_list.h"

#include <cstddef>

namespace merulan::bench {

// A list file's lines: group headings, commands, file entries (".LSP" and ".EXE" with parameters),
// quoted fields and comment lines, with Japanese text throughout. The same count gives the same lines.
LineList generatedListLines(size_t lineCount);

// A record table as a load leaves it (ascending rows, headings among the commands). duplicateShare of
// the records take the cmd of an earlier record; the rest have keys of their own.
TLspRecords generatedTable(size_t recordCount, double duplicateShare);

} // namespace merulan::bench
