#include "text/search_fold.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

namespace merulan {
namespace {

TEST(SearchFold, KanaWidthAndCaseAsTheUserMeansThem) {
    const struct {
        std::u16string_view text, folded;
    } cases[] = {
        // ASCII case and width, as before
        {u"line Ｌｉｎｅ　（３", u"LINE LINE (3"},
        // one word, three ways to type it; small kana
        {u"こぴー", u"コピー"},
        {u"ｺﾋﾟｰ", u"コピー"},
        {u"コピー", u"コピー"},
        {u"まっぷ", u"マップ"},
        {u"ｼｬｯﾀｰ", u"シャッター"},
        // voiced marks composed, from half-width forms and from combining marks
        {u"ｶﾞﾊﾟｳﾞﾜﾞｦﾞ", u"ガパヴヷヺ"},
        {u"ゔゕゖゝゞ", u"ヴヵヶヽヾ"},
        {u"か\u3099は\u309A", u"ガパ"},
        // a mark with nothing before it, or after a kana without that voiced form, stands alone;
        // the spacing marks never compose
        {u"ﾞｶ", u"゛カ"},
        {u"ﾟ", u"゜"},
        {u"ｱﾞｶﾟﾝﾞAﾟ", u"ア゛カ゜ン゛A゜"},
        {u"ｶﾞﾞ", u"ガ゛"},
        {u"カ゛ハ゜", u"カ゛ハ゜"},
        {u"｡｢｣､･ｰ", u"。「」、・ー"},
        // just outside the blocks
        {u"\u3040\u3097\u309F\u30FF\uFF60\uFFA0漢字", u"\u3040\u3097\u309F\u30FF\uFF60\uFFA0漢字"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.text));
        EXPECT_EQ(toUtf8(foldForSearch(c.text)), toUtf8(c.folded));
    }
}

} // namespace
} // namespace merulan
