#include "text/line_list.h"

#include "text/error.h"
#include "text/utf8.h"

namespace merulan {

namespace {

std::u16string decodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string out(bytes.size() / 2, u'\0'); // an odd last byte is no character
    for (size_t i = 0; i < out.size(); ++i) {
        const auto b0 = static_cast<unsigned char>(bytes[2 * i]);
        const auto b1 = static_cast<unsigned char>(bytes[2 * i + 1]);
        out[i] = static_cast<char16_t>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0);
    }
    return out;
}

std::u16string utf8OrThrow(std::string_view bytes) {
    auto text = decodeUtf8Strict(bytes);
    if (!text) {
        throw MerulanError(std::u16string(kInvalidUtf8Message));
    }
    return std::move(*text);
}

// A lead byte of a sequence for U+0800 and beyond; in valid UTF-8 nothing else reaches E0.
bool holdsThreeOrFourByteSequence(std::string_view bytes) {
    for (const char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0xE0) {
            return true;
        }
    }
    return false;
}

} // namespace

DecodedText decodeTextAndForm(std::string_view bytes, const AnsiCodePage& ansi, UnmarkedText unmarked) {
    if (bytes.starts_with(kUtf8Mark)) {
        return {utf8OrThrow(bytes.substr(kUtf8Mark.size())), TextForm::Utf8WithMark};
    }
    if (bytes.starts_with(kUtf16LeMark)) {
        return {decodeUtf16(bytes.substr(2), false), TextForm::Utf16LittleEndian};
    }
    if (bytes.starts_with(kUtf16BeMark)) {
        return {decodeUtf16(bytes.substr(2), true), TextForm::Utf16BigEndian};
    }
    if (unmarked == UnmarkedText::Utf8ThenAnsiCodePage || holdsThreeOrFourByteSequence(bytes)) {
        if (auto text = decodeUtf8Strict(bytes)) {
            return {std::move(*text), TextForm::Utf8};
        }
    }
    return {ansi.decode(bytes), TextForm::AnsiCodePage};
}

std::u16string decodeText(std::string_view bytes, const AnsiCodePage& ansi, UnmarkedText unmarked) {
    return decodeTextAndForm(bytes, ansi, unmarked).text;
}

LineList splitLines(std::u16string_view text) {
    LineList lines;
    forEachLine(text, [&](std::u16string_view line) { lines.emplace_back(line); });
    return lines;
}

LineList decodeLines(std::string_view bytes, const AnsiCodePage& ansi, UnmarkedText unmarked) {
    return splitLines(decodeText(bytes, ansi, unmarked));
}

std::string encodeLines(const LineList& lines, const AnsiCodePage& ansi) {
    std::u16string text;
    size_t total = 0;
    for (const auto& line : lines) {
        total += line.size() + 2;
    }
    text.reserve(total);
    for (const auto& line : lines) {
        text += line;
        text += u"\r\n";
    }
    if (ansi.id() != kUtf8CodePage) {
        if (auto bytes = ansi.encodeExact(text)) {
            return std::move(*bytes);
        }
    }
    return std::string(kUtf8Mark) + toUtf8(text);
}

} // namespace merulan
