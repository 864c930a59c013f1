#include "text/search_fold.h"

#include <iterator>

namespace merulan {

namespace {

// Katakana is the one form: it has a letter for every kana (ヷ to ヺ have no hiragana), and half-width
// kana are katakana already. The small ゕ and ゖ become ヵ and ヶ.
constexpr char16_t kHiraganaFirst = u'ぁ'; // U+3041
constexpr char16_t kHiraganaLast = u'ゖ';  // U+3096
constexpr char16_t kHiraganaToKatakana = u'ァ' - u'ぁ';

// U+FF61 to U+FF9D in order: the half-width punctuation, kana and prolonged sound mark.
constexpr std::u16string_view kFullWidthOfHalfWidth = u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソ"
                                                      u"タチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン";
constexpr char16_t kHalfWidthFirst = u'｡'; // U+FF61
static_assert(kFullWidthOfHalfWidth.size() == u'ﾝ' - kHalfWidthFirst + 1);

constexpr std::u16string_view kVoicable = u"ウカキクケコサシスセソタチツテトハヒフヘホワヰヱヲヽ";
constexpr std::u16string_view kVoiced = u"ヴガギグゲゴザジズゼゾダヂヅデドバビブベボヷヸヹヺヾ";
constexpr std::u16string_view kSemiVoicable = u"ハヒフヘホ";
constexpr std::u16string_view kSemiVoiced = u"パピプペポ";
static_assert(kVoicable.size() == kVoiced.size() && kSemiVoicable.size() == kSemiVoiced.size());

constexpr char16_t upperAsciiUnit(char16_t c) {
    return static_cast<char16_t>(c - u'a') < 26 ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

// The voiced marks that compose with the kana before them: the combining ones (U+3099, U+309A) and
// the half-width ones. The spacing "゛" and "゜" never compose.
constexpr bool isComposingMark(char16_t c) {
    return static_cast<char16_t>(c - 0x3099) < 2 || static_cast<char16_t>(c - u'ﾞ') < 2;
}

constexpr bool isSemiVoicedMark(char16_t c) {
    return c == 0x309A || c == u'ﾟ';
}

// The fold of each unit of the two blocks where units change, U+3000 to U+309F (katakana from U+30A0 on
// stay) and U+FF00 to U+FFFF, looked up: the filter folds every record on every keystroke. Composing
// marks stay here; composeVoicedMarks places them.
struct BlockFolds {
    char16_t kana[0xA0];
    char16_t width[0x100];
};

constexpr BlockFolds makeBlockFolds() {
    BlockFolds folds{};
    for (char16_t low = 0; low < std::size(folds.kana); ++low) {
        folds.kana[low] = static_cast<char16_t>(0x3000 + low);
    }
    for (char16_t low = 0; low < std::size(folds.width); ++low) {
        folds.width[low] = static_cast<char16_t>(0xFF00 + low);
    }
    folds.kana[0] = u' '; // the ideographic space
    for (char16_t c = kHiraganaFirst; c <= kHiraganaLast; ++c) {
        folds.kana[c - 0x3000] = static_cast<char16_t>(c + kHiraganaToKatakana);
    }
    folds.kana[u'ゝ' - 0x3000] = u'ヽ';
    folds.kana[u'ゞ' - 0x3000] = u'ヾ';
    for (char16_t c = u'！'; c <= u'～'; ++c) {
        folds.width[c - 0xFF00] = upperAsciiUnit(static_cast<char16_t>(c - (u'！' - u'!')));
    }
    for (size_t i = 0; i < kFullWidthOfHalfWidth.size(); ++i) {
        folds.width[kHalfWidthFirst - 0xFF00 + i] = kFullWidthOfHalfWidth[i];
    }
    return folds;
}

constexpr BlockFolds kBlockFolds = makeBlockFolds();

// The voiced (or semi-voiced) katakana of base, or 0 when it has none.
char16_t composed(char16_t base, bool semi) {
    const std::u16string_view bases = semi ? kSemiVoicable : kVoicable;
    const size_t at = bases.find(base);
    return at == std::u16string_view::npos ? 0 : (semi ? kSemiVoiced : kVoiced)[at];
}

// In a text folded but for its composing marks: each mark after a kana with that voiced form becomes
// part of it, every other one "゛" or "゜".
void composeVoicedMarks(std::u16string& text) {
    char16_t* const first = text.data();
    char16_t* end = first; // what is written never passes what is read
    for (const char16_t c : text) {
        if (!isComposingMark(c)) {
            *end++ = c;
            continue;
        }
        const bool semi = isSemiVoicedMark(c);
        const char16_t voiced = end > first ? composed(end[-1], semi) : 0;
        if (voiced) {
            end[-1] = voiced;
        } else {
            *end++ = semi ? u'゜' : u'゛';
        }
    }
    text.resize(static_cast<size_t>(end - first));
}

} // namespace

void foldForSearchInPlace(std::u16string& text) {
    bool marks = false; // rare: only a text that holds one is gone through again
    for (char16_t& c : text) {
        if (c < 0x80) {
            if (static_cast<char16_t>(c - u'a') < 26) {
                c = static_cast<char16_t>(c - (u'a' - u'A'));
            }
        } else if (static_cast<char16_t>(c - 0x30A0) >= 0xFF00 - 0x30A0) { // katakana and kanji stay
            if (c >= 0xFF00) {
                c = kBlockFolds.width[c - 0xFF00];
                marks |= static_cast<char16_t>(c - u'ﾞ') < 2;
            } else if (c >= 0x3000) {
                c = kBlockFolds.kana[c - 0x3000];
                marks |= static_cast<char16_t>(c - 0x3099) < 2;
            }
        }
    }
    if (marks) {
        composeVoicedMarks(text);
    }
}

std::u16string foldForSearch(std::u16string_view text) {
    std::u16string out(text);
    foldForSearchInPlace(out);
    return out;
}

} // namespace merulan
