// The first stage of indexing an AutoLISP source: cleaned lines, then defun location records.
#pragma once

#include "lispindex/text_compare.h"
#include "text/line_list.h"

#include <string>
#include <vector>

namespace merulan {

// Appends one cleaned line per source line: comments, string literals and quotes gone, TABs as blanks.
void stripLispComments(const LineList& lspSL, LineList& cleaned);

// Appends the location records of the top-level "(DEFUN " forms, each followed by the records of the
// forms nested in it, sorted by compare.
void scanDefuns(const LineList& cleaned, LineList& records, TextCompare compare);

struct DefunRecord {
    std::u16string text;
    bool topLevel = false;
};

// The records of scanDefuns with their kind; without nested ones when withNested is false.
std::vector<DefunRecord> scanDefunRecords(const LineList& cleaned, TextCompare compare, bool withNested);

} // namespace merulan
