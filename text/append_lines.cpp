#include "text/append_lines.h"

#include "text/utf8.h"

#include <algorithm>
#include <optional>

namespace merulan {

namespace {

std::string utf16Bytes(std::u16string_view text, bool bigEndian) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

// The text in form, or nothing when the form cannot hold every character of it.
std::optional<std::string> encodeIn(TextForm form, std::u16string_view text, const AnsiCodePage& ansi) {
    switch (form) {
    case TextForm::Utf16LittleEndian:
    case TextForm::Utf16BigEndian:
        return utf16Bytes(text, form == TextForm::Utf16BigEndian);
    case TextForm::Utf8WithMark:
    case TextForm::Utf8:
        return isWellFormedUtf16(text) ? std::optional(toUtf8(text)) : std::nullopt;
    case TextForm::AnsiCodePage:
        return ansi.encodeExact(text);
    }
    return std::nullopt;
}

// Where in the bytes the text that a reader takes ends: at the first NUL, or at the end of the last
// whole character (an odd last byte of UTF-16 is none).
std::size_t endOfReadBytes(std::string_view bytes, TextForm form) {
    if (form == TextForm::Utf16LittleEndian || form == TextForm::Utf16BigEndian) {
        std::size_t at = kUtf16LeMark.size();
        while (at + 1 < bytes.size() && (bytes[at] != '\0' || bytes[at + 1] != '\0')) {
            at += 2;
        }
        return at;
    }
    // A NUL byte is a NUL character in UTF-8 and in the code pages: no multibyte character holds one.
    return std::min(bytes.find('\0', form == TextForm::Utf8WithMark ? kUtf8Mark.size() : 0), bytes.size());
}

std::u16string_view readText(std::u16string_view text) {
    return text.substr(0, std::min(text.find(u'\0'), text.size()));
}

} // namespace

std::string appendLinesToText(std::string_view current, const LineList& lines, const AnsiCodePage& ansi,
                              UnmarkedText unmarked) {
    if (current.empty()) {
        return encodeLines(lines, ansi);
    }
    const DecodedText old = decodeTextAndForm(current, ansi, unmarked);
    const std::u16string_view oldRead = readText(old.text);
    std::u16string added;
    if (!oldRead.empty() && oldRead.back() != u'\r' && oldRead.back() != u'\n') {
        added = u"\r\n";
    }
    for (const auto& line : lines) {
        added += line;
        added += u"\r\n";
    }
    if (const auto encoded = encodeIn(old.form, added, ansi)) {
        const std::size_t at = endOfReadBytes(current, old.form);
        std::string bytes;
        bytes.reserve(current.size() + encoded->size());
        bytes.append(current.substr(0, at)).append(*encoded).append(current.substr(at));
        // Read back as every reader reads it, the old text must be followed by the new lines: bytes of
        // a code page can happen to make valid UTF-8, which readers would then take instead.
        const DecodedText check = decodeTextAndForm(bytes, ansi, unmarked);
        if (check.form == old.form && readText(check.text) == std::u16string(oldRead) + added) {
            return bytes;
        }
    }
    const std::size_t at = oldRead.size();
    const std::u16string whole = old.text.substr(0, at) + added + old.text.substr(at);
    return std::string(kUtf8Mark) + toUtf8(whole);
}

} // namespace merulan
