#include "tools/cadsim/log_text.h"

#include "text/utf8.h"

#include <cstdio>

namespace merulan::cadsim {

namespace {

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

std::string hexEscape(char prefix, unsigned value, int digits) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\%c%0*X", prefix, digits, value);
    return buffer;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

} // namespace

std::string escapeLogText(std::u16string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\\') {
            out += "\\\\";
        } else if (c < 32 || c == 127) {
            out += hexEscape('x', c, 2);
        } else if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            out += toUtf8(text.substr(i, 2));
            ++i;
        } else if (isHighSurrogate(c) || isLowSurrogate(c)) {
            out += hexEscape('u', c, 4);
        } else {
            out += toUtf8(text.substr(i, 1));
        }
    }
    return out;
}

std::u16string unescapeLogText(std::string_view escaped) {
    std::u16string out;
    size_t plain = 0; // start of the run of plain UTF-8 not yet decoded
    auto flush = [&](size_t end) { out += fromUtf8(escaped.substr(plain, end - plain)); };
    for (size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] != '\\' || i + 1 >= escaped.size()) {
            continue;
        }
        const char kind = escaped[i + 1];
        const size_t digits = kind == 'x' ? 2 : kind == 'u' ? 4 : 0;
        if (kind == '\\') {
            flush(i);
            out += u'\\';
            plain = i + 2;
            ++i;
        } else if (digits && i + 2 + digits <= escaped.size()) {
            unsigned value = 0;
            bool valid = true;
            for (size_t d = 0; d < digits; ++d) {
                const int v = hexValue(escaped[i + 2 + d]);
                valid = valid && v >= 0;
                value = value * 16 + static_cast<unsigned>(v < 0 ? 0 : v);
            }
            if (valid) {
                flush(i);
                out += static_cast<char16_t>(value);
                plain = i + 2 + digits;
                i += 1 + digits;
            }
        }
    }
    flush(escaped.size());
    return out;
}

std::u16string displayText(std::u16string_view text) {
    std::u16string shown;
    for (const char16_t c : text) {
        if (c == 13) {
            shown += u"<CR>";
        } else if (c == 27) {
            shown += u"<ESC>";
        } else if (c == 3) {
            shown += u"<Ctrl+C>";
        } else if (c < 32 || c == 127) {
            shown += u'<';
            shown += fromUtf8(hexEscape('x', c, 2).substr(1));
            shown += u'>';
        } else {
            shown += c;
        }
    }
    return shown;
}

} // namespace merulan::cadsim
