#include "text/search_fold.h"

namespace merulan {

namespace {

// Katakana is the one form: it has a letter for every kana (ヷ to ヺ have no hiragana), and half-width
// kana are katakana already. The small ゕ and ゖ become ヵ and ヶ.
constexpr char16_t kHiraganaFirst = u'ぁ'; // U+3041
constexpr char16_t kHiraganaLast = u'ゖ';  // U+3096
constexpr char16_t kHiraganaToKatakana = u'ァ' - u'ぁ';

// U+FF61 to U+FF9F in order: the half-width punctuation, kana, prolonged sound mark and voiced marks.
constexpr std::u16string_view kFullWidthOfHalfWidth =
    u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソ"
    u"タチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
constexpr char16_t kHalfWidthFirst = u'｡'; // U+FF61
static_assert(kFullWidthOfHalfWidth.size() == 0xFF9F - 0xFF61 + 1);

// Composed with the kana before them; the spacing "゛" and "゜" are not.
constexpr char16_t kCombiningVoiced = 0x3099;
constexpr char16_t kCombiningSemiVoiced = 0x309A;
constexpr std::u16string_view kVoicable = u"ウカキクケコサシスセソタチツテトハヒフヘホワヰヱヲヽ";
constexpr std::u16string_view kVoiced = u"ヴガギグゲゴザジズゼゾダヂヅデドバビブベボヷヸヹヺヾ";
constexpr std::u16string_view kSemiVoicable = u"ハヒフヘホ";
constexpr std::u16string_view kSemiVoiced = u"パピプペポ";
static_assert(kVoicable.size() == kVoiced.size() && kSemiVoicable.size() == kSemiVoiced.size());

// The voiced (or semi-voiced) katakana of base, or 0 when it has none.
char16_t composed(char16_t base, bool semi) {
    const std::u16string_view bases = semi ? kSemiVoicable : kVoicable;
    const size_t at = bases.find(base);
    return at == std::u16string_view::npos ? 0 : (semi ? kSemiVoiced : kVoiced)[at];
}

} // namespace

void appendFoldedForSearch(std::u16string& out, std::u16string_view text) {
    // Every unit gives at most one: write in place, then cut to what was written.
    const size_t start = out.size();
    out.resize(start + text.size());
    char16_t* const first = out.data();
    char16_t* end = first + start;
    for (char16_t c : text) {
        char16_t mark = 0; // a voiced mark that composes with the kana before it
        if (c < 0x80) {
            if (c >= u'a' && c <= u'z') {
                c = static_cast<char16_t>(c - (u'a' - u'A'));
            }
        } else if (c >= 0xFF01) {
            if (c <= 0xFF5E) {
                c = static_cast<char16_t>(c - 0xFEE0);
                if (c >= u'a' && c <= u'z') {
                    c = static_cast<char16_t>(c - (u'a' - u'A'));
                }
            } else if (c >= kHalfWidthFirst && c <= 0xFF9F) {
                c = kFullWidthOfHalfWidth[c - kHalfWidthFirst];
                mark = (c == u'゛' || c == u'゜') ? c : 0; // from ﾞ and ﾟ
            }
        } else if (c >= 0x3000 && c <= 0x30FF) {
            if (c == 0x3000) {
                c = u' ';
            } else if ((c >= kHiraganaFirst && c <= kHiraganaLast) || c == u'ゝ' || c == u'ゞ') {
                c = static_cast<char16_t>(c + kHiraganaToKatakana);
            } else if (c == kCombiningVoiced || c == kCombiningSemiVoiced) {
                c = c == kCombiningVoiced ? u'゛' : u'゜';
                mark = c;
            }
        }
        if (mark && end > first) {
            if (const char16_t voiced = composed(end[-1], mark == u'゜')) {
                end[-1] = voiced;
                continue;
            }
        }
        *end++ = c;
    }
    out.resize(static_cast<size_t>(end - first));
}

std::u16string foldForSearch(std::u16string_view text) {
    std::u16string out;
    appendFoldedForSearch(out, text);
    return out;
}

} // namespace merulan
