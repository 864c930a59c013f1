// The ordering facts the index relies on, pinned for the comparison each build uses: CompareStringW
// under Wine in the Windows build, the stand-in natively. Rows marked windowsOnly are where the
// stand-in knowingly differs.
#include "lispindex/text_compare.h"
#include "platform/locale_compare.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <random>

namespace merulan {
namespace {

#ifdef _WIN32
constexpr TextCompare kBuildCompare = compareUserLocaleIgnoreCase;
#else
constexpr TextCompare kBuildCompare = compareTextStandIn;
#endif

int sign(int value) {
    return (value > 0) - (value < 0);
}

struct OrderFact {
    const char* what;
    std::u16string_view a;
    std::u16string_view b;
    int order; // sign of compare(a, b)
    bool windowsOnly = false;
};

const OrderFact kFacts[] = {
    {"digits compare one by one", u"C:FOO,         ,10,0,1,1", u"C:FOO,         ,9,0,1,1", -1},
    {"letter case does not count", u"c:foo,         ,3,0,3,9", u"C:FOO,         ,3,0,3,9", 0},
    {"twin names: start line decides", u"c:foo,         ,3,0,3,9", u"C:FOO,         ,4,0,4,9", -1},
    {"blank before comma", u"C:FOO ,         ,1,0,1,1", u"C:FOO,         ,1,0,1,1", -1},
    {"comma before letters: a shorter name first", u"C:FOO,         ,9,0,1,1", u"C:FOOBAR,         ,1,0,1,1", -1},
    {"comma before digits", u"C:FOO,         ,9,0,1,1", u"C:FOO1,         ,1,0,1,1", -1},
    {"digits before letters", u"C:FOO1", u"C:FOOA", -1},
    {"blank before comma before colon", u" ", u",", -1},
    {"comma before colon", u",", u":", -1},
    {"colon before letters and digits", u":", u"0", -1},
    {"underscore before digits", u"_", u"0", -1},
    {"punctuation order", u"!", u"/", -1},
    {"backslash after tilde", u"~", u"\\", -1},
    {"plus after backslash", u"\\", u"+", -1},
    {"TAB after blank", u"a b", u"a\tb", -1},
    {"hyphen passed over at first", u"a-b,1", u"ab,2", -1},
    {"hyphen then decides", u"a-b", u"ab", 1},
    {"apostrophe passed over at first", u"a'c", u"ab", 1},
    {"longer text after", u"abc", u"ab", 1},
    {"full-width like ASCII at first",
     u"\uFF21"
     u"1",
     u"A2", -1},
    {"full-width after ASCII", u"\uFF21", u"A", 1},
    {"ideographic space after blank", u"a\u3000b", u"a b", 1},
    {"kana after Latin letters", u"z", u"\u3042", -1},
    {"katakana like hiragana at first",
     u"\u30A2"
     u"1",
     u"\u3042"
     u"2",
     -1},
    {"katakana before hiragana", u"\u30A2", u"\u3042", -1},
    {"a Japanese name after an ASCII one", u"C:\u30C6\u30B9\u30C8,", u"C:TEST,", 1},
    {"kana before kanji", u"\u3042", u"\u4E00", -1},
    {"accented letters next to their base", u"\u00E9", u"f", -1, true},
    {"superscript two among the digits", u"\u00B2", u"3", -1, true},
};

TEST(LocaleOrder, FactsTheIndexReliesOn) {
    for (const auto& fact : kFacts) {
#ifndef _WIN32
        if (fact.windowsOnly) {
            continue;
        }
#endif
        SCOPED_TRACE(fact.what);
        EXPECT_EQ(sign(kBuildCompare(fact.a, fact.b)), fact.order);
        EXPECT_EQ(sign(kBuildCompare(fact.b, fact.a)), -fact.order);
    }
}

TEST(LocaleOrder, StandInIsAnOrder) {
    // Random record-like texts: antisymmetric and transitive, as sorting needs.
    std::mt19937 random(7);
    const std::u16string alphabet = u"aAbB:, 019-'_\u30A2\u3042\uFF21";
    std::vector<std::u16string> texts;
    for (int i = 0; i < 60; ++i) {
        std::u16string text;
        for (int n = static_cast<int>(random() % 6); n >= 0; --n) {
            text += alphabet[random() % alphabet.size()];
        }
        texts.push_back(text);
    }
    for (const auto& a : texts) {
        for (const auto& b : texts) {
            const int ab = sign(compareTextStandIn(a, b));
            ASSERT_EQ(ab, -sign(compareTextStandIn(b, a)));
            for (const auto& c : texts) {
                if (ab <= 0 && sign(compareTextStandIn(b, c)) <= 0) {
                    ASSERT_LE(sign(compareTextStandIn(a, c)), 0) << toUtf8(a) << "|" << toUtf8(b) << "|" << toUtf8(c);
                }
            }
        }
    }
}

#ifdef _WIN32
// Under Wine the stand-in must agree with CompareStringW on the texts location records are made of.
TEST(LocaleOrder, StandInAgreesWithCompareStringW) {
    std::mt19937 random(11);
    const std::u16string alphabet = u"cC:aAzZ_-.,  0123456789";
    for (int i = 0; i < 20000; ++i) {
        std::u16string a;
        std::u16string b;
        for (int n = static_cast<int>(random() % 8); n >= 0; --n) {
            a += alphabet[random() % alphabet.size()];
        }
        b = a.substr(0, random() % (a.size() + 1));
        for (int n = static_cast<int>(random() % 8); n >= 0; --n) {
            b += alphabet[random() % alphabet.size()];
        }
        ASSERT_EQ(sign(compareTextStandIn(a, b)), sign(compareUserLocaleIgnoreCase(a, b)))
            << "\"" << toUtf8(a) << "\" vs \"" << toUtf8(b) << "\"";
    }
}
#endif

} // namespace
} // namespace merulan
