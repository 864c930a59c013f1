// What the command list shows of one top-level form besides its name: parameter words and comment.
#pragma once

#include "text/line_list.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace merulan {

// The comma-splitting rule: blanks (codes up to 32) and commas separate items; see the .cpp.
std::vector<std::u16string_view> splitCommaItems(std::u16string_view text);

// The parameter words before the "/" of the form's parameter list, each followed by CR LF.
// startLine and startColumn are those of the form's top-level record (both 0-based).
std::u16string getDefunArgs(const LineList& cleaned, std::size_t startLine, std::size_t startColumn);

// The ";" comment block directly above line d of the source, each line as two blanks and its
// blank-trimmed text without semicolons, joined by CR LF. d becomes the block's first line.
std::u16string getDefunComment(const LineList& lspSL, std::size_t& d);

} // namespace merulan
