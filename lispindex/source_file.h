// One AutoLISP source file indexed as a drop on the palette indexes it.
#pragma once

#include "lispindex/index_builder.h"
#include "lispindex/text_compare.h"
#include "text/codepage.h"
#include "text/line_list.h"

#include <string>
#include <string_view>
#include <vector>

namespace merulan {

// The commands of the file at path, read by its byte-order mark, else strictly as UTF-8, else in ansi.
// Reading and indexing failures are thrown (MerulanError).
std::vector<IndexedCommand> indexLispSourceFile(const std::u16string& path, const AnsiCodePage& ansi,
                                                TextCompare compare);

// A failure's message that names the source it came from: as it is when it holds the path already,
// otherwise the path on a line before it.
std::u16string messageNamingSource(std::u16string_view path, std::u16string_view message);

} // namespace merulan
