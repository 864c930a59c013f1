// Adding lines to the end of a text file's bytes without touching what is there.
#pragma once

#include "text/codepage.h"
#include "text/line_list.h"

#include <string>
#include <string_view>

namespace merulan {

// current with lines added, each ended by CR LF, in current's own form (its mark, UTF-8, UTF-16 or the
// code page, as decodeTextAndForm reads it with unmarked). Every byte of current stays as it is. The
// lines start on a line of their own (CR LF comes first when the text does not end with a line break)
// and go before a NUL, which ends what a reader takes, so that they are read. Only when that form
// cannot hold them (a code page without one of their characters) is the whole text written again as
// UTF-8 with a mark. An empty current gives encodeLines. Throws as decodeText does.
std::string appendLinesToText(std::string_view current, const LineList& lines, const AnsiCodePage& ansi,
                              UnmarkedText unmarked);

} // namespace merulan
