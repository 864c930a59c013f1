// The list file named on the command line, loaded as the palette loads it.
#pragma once

#include "cmdlist/lsp_record.h"
#include "text/codepage.h"

#include <string>

namespace merulan::tool {

// The decoded text of the list file at path, read as the palette reads it. Throws MerulanError when it
// does not exist, cannot be opened, or is broken UTF-8 after a byte-order mark.
std::u16string listFileText(const std::u16string& path, const AnsiCodePage& ansi);

// Throws MerulanError when the file does not exist (the palette would say nothing and keep its table),
// cannot be opened, or is broken UTF-8 after a byte-order mark. A file without lines gives an empty table.
TLspRecords loadListFile(const std::string& fileArgument, const AnsiCodePage& ansi);

} // namespace merulan::tool
