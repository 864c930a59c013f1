#include "lispindex/defun_details.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

namespace merulan {
namespace {

TEST(CommaSplitting, BlanksAndCommasSeparate) {
    struct Case {
        std::u16string text;
        std::vector<std::u16string_view> items;
    };
    const Case cases[] = {
        {u"", {}},
        {u"   ", {}},
        {u"a", {u"a"}},
        {u"  a  b\tc ", {u"a", u"b", u"c"}},
        {u"a,b", {u"a", u"b"}},
        {u"a , b", {u"a", u"b"}},
        {u"a,,b", {u"a", u"", u"b"}},
        {u"a, ,b", {u"a", u"", u"b"}},
        {u",a", {u"", u"a"}},
        {u"a,", {u"a", u""}},
        {u"a, ", {u"a"}}, // a comma followed only by blanks gives no last item
        {u",", {u"", u""}},
        {u"c:a ,         ,12,3,14,0", {u"c:a", u"", u"12", u"3", u"14", u"0"}},
        {u"c:outer ,alpha ,2,2", {u"c:outer", u"alpha", u"2", u"2"}},
        {u"a\u3000b", {u"a\u3000b"}},           // the ideographic space is no blank
        {std::u16string(u"a\0b c", 5), {u"a"}}, // a NUL ends the text
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.text));
        EXPECT_EQ(splitCommaItems(c.text), c.items);
    }
}

TEST(ParameterWords, FromTheParameterList) {
    struct Case {
        const char* what;
        LineList cleaned;
        std::size_t line;
        std::size_t column;
        std::u16string words;
    };
    const Case cases[] = {
        {"parameters before '/'", {u"(defun c:a (x y / z) 1)"}, 0, 0, u"x\r\ny\r\n"},
        {"no '/'", {u"(defun c:a (x) 1)"}, 0, 0, u"x\r\n"},
        {"empty list", {u"(defun c:a () 1)"}, 0, 0, u""},
        {"list beginning with '/'", {u"(defun c:a (/ x) 1)"}, 0, 0, u""},
        {"only blanks", {u"(defun c:a (   ) 1)"}, 0, 0, u""},
        {"from the start column on", {u"(x (y)) (defun c:a (p) 1)"}, 0, 8, u"p\r\n"},
        {"over lines, blank lines add nothing",
         {u"(defun c:a (x", u"   y", u"", u"  z / w)"},
         0,
         0,
         u"x\r\ny\r\nz\r\n"},
        {"'(' at a line's end", {u"(defun c:a (", u"", u"x y)", u")"}, 0, 0, u"x\r\ny\r\n"},
        {"')' at a line's start", {u"(defun c:a (x y", u"", u") 1)"}, 0, 0, u"x\r\ny\r\n"},
        {"'/' at a line's start", {u"(defun c:a (x", u"/ y) 1)"}, 0, 0, u"x\r\n"},
        {"'(' at the end and ')' at the next start", {u"(defun c:a (", u") 1)"}, 0, 0, u""},
        {"a third '('", {u"(defun c:a (x (y)) 1)"}, 0, 0, u""},
        {"a third '(' after the list closed is fine", {u"(defun c:a (x) (y))"}, 0, 0, u"x\r\n"},
        {"commas separate, two in a row give an empty word",
         {u"(defun c:a (x,,y , z) 1)"},
         0,
         0,
         u"x\r\n\r\ny\r\nz\r\n"},
        {"no end: empty", {u"(defun c:a (x y"}, 0, 0, u""},
        {"'(' at the end of the last line", {u"(defun c:a ("}, 0, 0, u""},
        {"start line past the end", {u"(defun c:a (x) 1)"}, 3, 0, u""},
        {"start column past the line", {u"(x)", u"(defun c:a (y) 1)"}, 0, 9, u"y\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(toUtf8(getDefunArgs(c.cleaned, c.line, c.column)), toUtf8(c.words));
    }
}

TEST(CommentBlocks, LinesDirectlyAbove) {
    struct Case {
        const char* what;
        LineList source;
        std::size_t d;
        std::u16string comment;
        std::size_t firstLine;
    };
    const Case cases[] = {
        {"a form on the first line", {u"(defun c:a () 1)"}, 0, u"", 0},
        {"two lines", {u"(x)", u";; Title", u"; second;", u"(defun c:a () 1)"}, 3, u"   Title\r\n   second", 1},
        {"indented with blanks and TABs", {u"(x)", u"   ; a", u"\t;b\t", u"(d"}, 3, u"   a\r\n  b", 1},
        {"a gap hides the lines above it", {u"(x)", u"; a", u"", u"(d"}, 3, u"", 3},
        {"a blank line is a gap", {u"(x)", u"; a", u"  \t", u"(d"}, 3, u"", 3},
        {"a code line directly above", {u"; a", u"(x)", u"(d"}, 2, u"", 2},
        {"the block starts at the first line", {u"; a", u"; b", u"(d"}, 2, u"", 2},
        {"';|' belongs", {u"(x)", u"  ;| open", u"(d"}, 2, u"  | open", 1},
        {"'|;' ends the walk", {u"(x)", u";| a", u"text", u"|;", u"(d"}, 4, u"", 4},
        {"semicolons only", {u"(x)", u";;;;", u"(d"}, 2, u"  ", 1},
        {"text after code on a comment line", {u"(x)", u"; a ; b", u"(d"}, 2, u"   a  b", 1},
        {"past the end: nothing", {u"(x)"}, 5, u"", 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::size_t d = c.d;
        EXPECT_EQ(toUtf8(getDefunComment(c.source, d)), toUtf8(c.comment));
        EXPECT_EQ(d, c.firstLine);
    }
}

} // namespace
} // namespace merulan
