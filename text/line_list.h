// Line lists and the byte form of the palette's text files.
#pragma once

#include "text/codepage.h"

#include <string>
#include <string_view>
#include <vector>

namespace merulan {

using LineList = std::vector<std::u16string>;

// How text without a byte-order mark is decoded.
enum class UnmarkedText {
    AnsiCodePage,         // list files
    Utf8ThenAnsiCodePage, // LISP sources: strict UTF-8 first, the code page when that fails
};

inline constexpr std::u16string_view kInvalidUtf8Message =
    u"Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません";

// Lines end at CR, LF or CR LF; a NUL ends the text; a final line break adds no empty line.
LineList splitLines(std::u16string_view text);

// Byte-order marks first (UTF-8, UTF-16 LE, UTF-16 BE); throws MerulanError on invalid UTF-8 after a UTF-8 mark.
LineList decodeLines(std::string_view bytes, const AnsiCodePage& ansi, UnmarkedText unmarked);

// CR LF after every line, in the ANSI code page (with a mark when that is UTF-8). Text the code page
// cannot hold is written as UTF-8 with a mark instead, so that nothing turns into the default character.
std::string encodeLines(const LineList& lines, const AnsiCodePage& ansi);

} // namespace merulan
