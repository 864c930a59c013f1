// The command list file "MerulanList.txt" and the record table it fills.
#pragma once

#include "cmdlist/lsp_record.h"
#include "text/codepage.h"
#include "text/line_list.h"

#include <optional>
#include <string>
#include <string_view>

namespace merulan {

inline constexpr std::u16string_view kListFileName = u"MerulanList.txt";

// A line whose very first character is "/" or ";".
inline bool isCommentLine(std::u16string_view line) {
    return !line.empty() && (line.front() == u'/' || line.front() == u';');
}

// The record a line makes, by its row kind; nothing for comment and empty lines. Byte-order marks at
// the start of a line are no part of it.
std::optional<TLspRecord> recordFromLine(std::int32_t row, std::u16string_view line);

// Rebuilds table from lines; with no lines the table is left as it was and false is returned.
bool fillLspRecords(TLspRecords& table, const LineList& lines);
// The same from a whole decoded text, cut into lines as a line list would be.
bool fillLspRecords(TLspRecords& table, std::u16string_view text);

// The whole decoded text of an existing list file, read and decoded as every reader of the list reads
// it. Open and decoding failures throw MerulanError.
std::u16string readListText(const std::u16string& fName, const AnsiCodePage& ansi);

// The records of a list file's bytes, decoded as every reader of the list decodes them; false and the table
// unchanged when they hold no lines. Decoding failures throw MerulanError.
bool fillLspRecordsFromBytes(TLspRecords& table, std::string_view bytes, const AnsiCodePage& ansi);

// Missing file, or one without lines: false and the table unchanged. Open and decoding failures
// throw MerulanError and also leave the table unchanged.
bool loadMerulanList(TLspRecords& table, const std::u16string& fName, const AnsiCodePage& ansi);

} // namespace merulan
