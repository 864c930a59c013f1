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
    // List files: UTF-8 when the whole text is strict UTF-8 holding a character beyond U+07FF (as today's
    // Notepad saves Japanese without a mark), otherwise the code page. A Shift-JIS text of ASCII and
    // half-width katakana can be valid UTF-8 of two-byte characters only, so it still reads as Shift-JIS.
    SurelyUtf8ElseAnsiCodePage,
    Utf8ThenAnsiCodePage, // LISP sources: strict UTF-8 first, the code page when that fails
};

inline constexpr std::u16string_view kInvalidUtf8Message =
    u"Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません";

// Calls onLine(line) for each line of text; the views point into text. Lines end at CR, LF or CR LF
// (LF CR is two line ends); a NUL ends the text; a final line break adds no empty line.
template <class OnLine>
void forEachLine(std::u16string_view text, OnLine&& onLine) {
    const char16_t* start = text.data();
    const char16_t* const end = start + text.size();
    while (start < end) {
        const char16_t* stop = start;
        // Most characters are above CR: one comparison for them.
        while (stop < end && (*stop > u'\r' || (*stop != u'\r' && *stop != u'\n' && *stop != u'\0'))) {
            ++stop;
        }
        if (stop == end || *stop == u'\0') {
            if (stop > start) {
                onLine(std::u16string_view(start, static_cast<size_t>(stop - start)));
            }
            return;
        }
        onLine(std::u16string_view(start, static_cast<size_t>(stop - start)));
        start = stop + 1;
        if (*stop == u'\r' && start < end && *start == u'\n') {
            ++start;
        }
    }
}

// The lines of forEachLine as a line list.
LineList splitLines(std::u16string_view text);

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
inline constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
inline constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// How a file's bytes stand for its text.
enum class TextForm {
    Utf8WithMark,
    Utf16LittleEndian, // with its mark
    Utf16BigEndian,    // with its mark
    Utf8,              // without a mark
    AnsiCodePage,
};

struct DecodedText {
    std::u16string text;
    TextForm form;
};

// The text of a file's bytes, and the form it was read in: byte-order marks first (UTF-8, UTF-16 LE,
// UTF-16 BE), then as unmarked says. Throws MerulanError on invalid UTF-8 after a UTF-8 mark.
DecodedText decodeTextAndForm(std::string_view bytes, const AnsiCodePage& ansi, UnmarkedText unmarked);

// decodeTextAndForm's text.
std::u16string decodeText(std::string_view bytes, const AnsiCodePage& ansi, UnmarkedText unmarked);

// decodeText, then splitLines.
LineList decodeLines(std::string_view bytes, const AnsiCodePage& ansi, UnmarkedText unmarked);

// CR LF after every line, in the ANSI code page (with a mark when that is UTF-8). Text the code page
// cannot hold is written as UTF-8 with a mark instead, so that nothing turns into the default character.
std::string encodeLines(const LineList& lines, const AnsiCodePage& ansi);

} // namespace merulan
