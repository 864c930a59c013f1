#include "lispindex/source_scanner.h"
#include "text/utf8.h"

#include "test_lines.h"

#include <gtest/gtest.h>

namespace merulan {
namespace {

using testing::joined;

LineList cleanedOf(const LineList& source) {
    LineList cleaned;
    stripLispComments(source, cleaned);
    return cleaned;
}

LineList recordsOf(const LineList& cleaned) {
    LineList records;
    scanDefuns(cleaned, records, compareTextStandIn);
    return records;
}

TEST(CleanedLines, CommentsStringsAndQuotesGo) {
    struct Case {
        const char* what;
        LineList source;
        LineList cleaned;
    };
    const Case cases[] = {
        {"nothing", {}, {}},
        {"a string over lines", {u"(a \"b", u"c ; no comment", u"d\" e)"}, {u"(a ", u"", u" e)"}},
        {"backslash-quote does not end a literal", {u"(a \"x\\\"y\" b)"}, {u"(a  b)"}},
        {"backslash-backslash-quote does", {u"(a \"x\\\\\" b)"}, {u"(a  b)"}},
        // A quote, three backslashes and two quotes: one complete literal.
        {"escaped backslash, then escaped quote", {u"(p \"\\\\\\\"\") (defun c:x () 1)"}, {u"(p ) (defun c:x () 1)"}},
        {"four backslashes close", {u"(p \"\\\\\\\\\" q)"}, {u"(p  q)"}},
        {"the run restarts at a line's start", {u"(p \"abc\\", u"\" x)"}, {u"(p ", u" x)"}},
        {"outside literals a backslash-quote opens nothing", {u"a\\\"b\"c", u"d\"e"}, {u"a\\b", u"e"}},
        {"a semicolon in a string is no comment", {u"(a \";x\" b)"}, {u"(a  b)"}},
        {"line comment", {u"(a) ; note (b)", u"; whole line", u";"}, {u"(a) ", u"", u""}},
        {"block comment over lines", {u"(a ;| start", u"middle (", u"end |; b)"}, {u"(a ", u"", u" b)"}},
        {"quotes in a block comment do nothing", {u";| it\"s |; (x)", u"(y)"}, {u" (x)", u"(y)"}},
        {"three quotes in a block comment", {u"(a ;| \"\"\"", u"|; b)"}, {u"(a ", u" b)"}},
        {"a ';' inside an open block comment is text, and a '|;' after it closes",
         {u";| x", u"y ; z |; w", u"q |; r"},
         {u"", u" w", u"q | r"}},
        {"a block comment's '|;|' closes it", {u";| a |;| b"}, {u"| b"}},
        {"a usage note in a block comment hides no later command",
         {u";| usage: (c:foo) ; see below |;", u"(defun c:bar () 1)"},
         {u"", u"(defun c:bar () 1)"}},
        {"'|;' outside a block comment keeps the '|'", {u"a |; b"}, {u"a | b"}},
        {"';|;' opens and closes", {u"a;|;b"}, {u"ab"}},
        {"TABs become blanks", {u"(defun\tc:x\t()"}, {u"(defun c:x ()"}},
        {"a DEFUN in a string or comment goes", {u"\"(defun c:a () 1)\" ; (defun c:b () 1)"}, {u" "}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(joined(cleanedOf(c.source)), joined(c.cleaned));
    }
}

TEST(LocationRecords, TopLevelAndNested) {
    struct Case {
        const char* what;
        LineList cleaned;
        LineList records;
    };
    const Case cases[] = {
        {"nothing", {}, {}},
        {"one-line form", {u"(defun c:a () 1)"}, {u"c:a ,         ,0,0,0,15"}},
        {"DEFUN in any case, after other text", {u"x (DeFuN C:B(x) 1)"}, {u"C:B,         ,0,2,0,17"}},
        {"form over lines with blank lines between",
         {u"  (defun c:a (x)", u"", u"   ", u"    (foo x)", u"  )"},
         {u"c:a ,         ,0,2,4,2"}},
        {"nested forms sorted after their outer form",
         {u"(defun c:outer ()", u"  (defun zeta (x) x)", u"  (defun alpha () 1)", u")"},
         {u"c:outer ,         ,0,0,3,0", u"c:outer ,alpha ,2,2", u"c:outer ,zeta ,1,2"}},
        {"nested names in any case sort without case",
         {u"(defun c:o ()", u" (defun B () 1)", u" (defun a () 1)", u" (defun C () 1))"},
         {u"c:o ,         ,0,0,3,15", u"c:o ,a ,2,1", u"c:o ,B ,1,1", u"c:o ,C ,3,1"}},
        {"a form closing and another opening on one line",
         {u"(defun c:a ()", u"1) (defun c:b () 2)", u"(defun c:c () 3)"},
         {u"c:a ,         ,0,0,1,1", u"c:a ,c:b ,1,3", u"c:c ,         ,2,0,2,15"}},
        {"unbalanced: no record and the search ends", {u"(defun c:a (", u"(defun c:b () 1)"}, {}},
        {"names with blanks", {u"(defun  c:a b (x) 1)"}, {u" c:a b ,         ,0,0,0,19"}},
        {"no '(' after the name on its line",
         {u"(defun c:a", u"() (defun c:n () 1))", u"(defun", u"c:m () 1)"},
         {u"c:n ,         ,1,3,1,18"}},
        {"only the first of two forms on a line", {u"(defun c:a () 1)(defun c:b () 2)"}, {u"c:a ,         ,0,0,0,15"}},
        {"a DEFUN further on the start line is no nested record",
         {u"(defun c:a () (defun c:b () 1))"},
         {u"c:a ,         ,0,0,0,30"}},
        {"parentheses before the form are not counted", {u") ) (defun c:a () 1)"}, {u"c:a ,         ,0,4,0,19"}},
        {"line numbers of two digits",
         {u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"(defun c:t () 1)"},
         {u"c:t ,         ,10,0,10,15"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(joined(recordsOf(c.cleaned)), joined(c.records));
    }
}

TEST(LocationRecords, KindsForTheIndexBuilder) {
    const LineList cleaned = {u"(defun c:outer ()", u"  (defun c:inner () 1)", u")", u"(defun c:next () 2)"};
    const auto records = scanDefunRecords(cleaned, compareTextStandIn, true);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_TRUE(records[0].topLevel);
    EXPECT_FALSE(records[1].topLevel);
    EXPECT_TRUE(records[2].topLevel);
    const auto withoutNested = scanDefunRecords(cleaned, compareTextStandIn, false);
    ASSERT_EQ(withoutNested.size(), 2u);
    EXPECT_EQ(withoutNested[1].text, u"c:next ,         ,3,0,3,18");
}

} // namespace
} // namespace merulan
