// The Linux stand-in for CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE). Location records hold
// names, blanks, commas and decimal numbers; for ASCII text the stand-in gives the order measured from
// CompareStringW (Wine 8, Japanese locale), which is what matters for them:
//   - letters compare without case, and "-", "'" and the control characters other than TAB, LF, VT, FF
//     and CR are passed over at first (word sort): "a-b" and "ab" differ only when all else is equal,
//     and then the text without them comes first;
//   - blanks and punctuation come before digits, digits before letters, and digits compare one by one
//     (",10," before ",9,"); the punctuation order is the one below;
//   - full-width ASCII forms and the ideographic space compare like their ASCII forms, katakana like
//     hiragana, and come after them only when all else is equal (katakana before hiragana, as measured).
// Where it differs from Windows: every other character comes after the ASCII letters in code point
// order. Windows sorts accented Latin letters next to their base letters, superscript and other digits
// among the digits, and orders Greek, Cyrillic, kana and kanji by its own tables.
#include "lispindex/text_compare.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace merulan {

namespace {

constexpr std::uint32_t kIgnored = 0;
constexpr std::uint32_t kPunctuation = 1u << 16;
constexpr std::uint32_t kDigit = 2u << 16;
constexpr std::uint32_t kLetter = 3u << 16;
constexpr std::uint32_t kOther = 4u << 16;

constexpr std::u16string_view kPunctuationOrder = u" \t\n\v\f\r!\"#$%&()*,./:;?@[]^_`{|}~\\+<=>";

constexpr std::array<std::uint32_t, 128> makeAsciiWeights() {
    std::array<std::uint32_t, 128> weights{}; // kIgnored unless set below
    for (std::size_t i = 0; i < kPunctuationOrder.size(); ++i) {
        weights[kPunctuationOrder[i]] = kPunctuation + static_cast<std::uint32_t>(i);
    }
    for (char16_t c = u'0'; c <= u'9'; ++c) {
        weights[c] = kDigit + (c - u'0');
    }
    for (char16_t c = u'A'; c <= u'Z'; ++c) {
        weights[c] = kLetter + (c - u'A');
        weights[c + (u'a' - u'A')] = kLetter + (c - u'A');
    }
    return weights;
}

constexpr std::array<std::uint32_t, 128> kAsciiWeights = makeAsciiWeights();

// A character as the first comparison sees it, and the variant that only decides between texts
// that are equal otherwise.
struct Weight {
    std::uint32_t primary;
    std::uint8_t variant;
};

Weight weightOf(char16_t c) {
    if (c < 128) {
        return {kAsciiWeights[c], 0};
    }
    if (c >= 0xFF01 && c <= 0xFF5E) { // full-width ASCII
        return {kAsciiWeights[c - 0xFF01 + 0x21], 2};
    }
    if (c == 0x3000) { // ideographic space
        return {kAsciiWeights[u' '], 2};
    }
    if (c >= 0x30A1 && c <= 0x30F6) { // katakana, as hiragana
        return {kOther + (c - 0x60), 0};
    }
    if (c >= 0x3041 && c <= 0x3096) {
        return {kOther + c, 1};
    }
    return {kOther + c, 0};
}

template <class Key>
int compareSequences(std::u16string_view a, std::u16string_view b, Key&& key) {
    std::size_t i = 0;
    std::size_t j = 0;
    for (;;) {
        while (i < a.size() && weightOf(a[i]).primary == kIgnored) {
            ++i;
        }
        while (j < b.size() && weightOf(b[j]).primary == kIgnored) {
            ++j;
        }
        if (i == a.size() || j == b.size()) {
            return (i == a.size() ? 0 : 1) - (j == b.size() ? 0 : 1);
        }
        const auto ka = key(weightOf(a[i]));
        const auto kb = key(weightOf(b[j]));
        if (ka != kb) {
            return ka < kb ? -1 : 1;
        }
        ++i;
        ++j;
    }
}

// The passed-over characters with their places, compared as a sequence: a text without any comes first.
int compareIgnored(std::u16string_view a, std::u16string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    for (;;) {
        while (i < a.size() && weightOf(a[i]).primary != kIgnored) {
            ++i;
        }
        while (j < b.size() && weightOf(b[j]).primary != kIgnored) {
            ++j;
        }
        if (i == a.size() || j == b.size()) {
            return (i == a.size() ? 0 : 1) - (j == b.size() ? 0 : 1);
        }
        if (i != j || a[i] != b[j]) {
            return i != j ? (i < j ? -1 : 1) : (a[i] < b[j] ? -1 : 1);
        }
        ++i;
        ++j;
    }
}

} // namespace

int compareTextStandIn(std::u16string_view a, std::u16string_view b) {
    if (int r = compareSequences(a, b, [](Weight w) { return w.primary; })) {
        return r;
    }
    if (int r = compareSequences(a, b, [](Weight w) { return w.variant; })) {
        return r;
    }
    return compareIgnored(a, b);
}

int compareFileNamesStandIn(std::u16string_view a, std::u16string_view b) {
    const auto isDigit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    // The next run of digits or of other characters.
    const auto nextRun = [&](std::u16string_view& text) {
        const bool digits = isDigit(text.front());
        std::size_t end = 1;
        while (end < text.size() && isDigit(text[end]) == digits) {
            ++end;
        }
        const std::u16string_view run = text.substr(0, end);
        text.remove_prefix(end);
        return run;
    };
    std::u16string_view restA = a;
    std::u16string_view restB = b;
    while (!restA.empty() && !restB.empty()) {
        std::u16string_view runA = nextRun(restA);
        std::u16string_view runB = nextRun(restB);
        const bool digitsA = isDigit(runA.front());
        if (digitsA != isDigit(runB.front())) {
            return digitsA ? -1 : 1; // digits come before every other character
        }
        if (!digitsA) {
            if (const int r = compareTextStandIn(runA, runB)) {
                return r;
            }
            continue;
        }
        runA.remove_prefix(std::min(runA.find_first_not_of(u'0'), runA.size()));
        runB.remove_prefix(std::min(runB.find_first_not_of(u'0'), runB.size()));
        if (runA.size() != runB.size()) {
            return runA.size() < runB.size() ? -1 : 1;
        }
        if (const int r = runA.compare(runB)) {
            return r < 0 ? -1 : 1;
        }
    }
    if (restA.empty() != restB.empty()) {
        return restA.empty() ? -1 : 1;
    }
    return compareTextStandIn(a, b); // equal by value ("a01", "a1"): the texts decide
}

} // namespace merulan
