#include "lispindex/defun_details.h"
#include "lispindex/index_builder.h"
#include "lispindex/source_scanner.h"
#include "text/u16text.h"
#include "text/utf8.h"

#include "test_lines.h"

#include <gtest/gtest.h>

#include <random>

namespace merulan {
namespace {

using testing::joined;

LineList indexOf(const LineList& source) {
    LineList lines;
    makeLspIndex(source, lines, compareTextStandIn);
    return lines;
}

TEST(IndexLines, CommandPartAndDescription) {
    struct Case {
        const char* what;
        LineList source;
        LineList lines;
    };
    const Case cases[] = {
        {"no forms", {u"(setq a 1)"}, {}},
        {"capitals, parameters before '/'", {u"(defun C:Foo (a B / c) 1)"}, {u"FOO A B\t..."}},
        {"no parameters", {u"(defun c:bar () 1)"}, {u"BAR\t..."}},
        {"non-ASCII letters keep their case", {u"(defun c:ｆoo (ä) 1)"}, {u"ｆOO ä\t..."}},
        {"'C:' alone gives an empty command part", {u"(defun c: () 1)"}, {u"\t..."}},
        {"not a command", {u"(defun helper (c:x) 1)", u"(defun xc:a () 1)", u"(defun c () 1)"}, {}},
        {"an empty parameter word shows as a blank", {u"(defun c:a (x,,y) 1)"}, {u"A X  Y\t..."}},
        {"parameters over lines", {u"(defun c:a (x", u"  y / z)", u"  1)"}, {u"A X Y\t..."}},
        {"sorted by record",
         {u"(defun c:zz () 1)", u"(defun c:Ab () 1)", u"(defun C:aa () 1)"},
         {u"AA\t...", u"AB\t...", u"ZZ\t..."}},
        {"a shorter name first",
         {u"(defun c:ab () 1)", u"(defun c:a () 1)", u"(defun c:a1 () 1)"},
         {u"A\t...", u"A1\t...", u"AB\t..."}},
        {"nested definitions never give lines",
         {u"(defun c:outer ()", u"  (defun c:inner () 1)", u"  (defun helper () 2))"},
         {u"OUTER\t..."}},
        {"description from the comment block",
         {u"(setq a 1)", u";;; ======", u";;; 線分を引く", u";;; ------", u"(defun c:l () 1)"},
         {u"L\t線分を引く"}},
        {"text between signs is taken whole",
         {u"(setq a 1)", u";;; == 線分 ==", u"(defun c:l () 1)"},
         {u"L\t== 線分 =="}},
        {"semicolons go", {u"(x)", u";; a;b ;;", u"(defun c:l () 1)"}, {u"L\tab"}},
        {"a TAB in the description stays", {u"(x)", u";; 線分\tを引く", u"(defun c:l () 1)"}, {u"L\t線分\tを引く"}},
        {"decoration only", {u"(x)", u";;;;;;;", u"; = = =", u"(defun c:l () 1)"}, {u"L\t..."}},
        {"a block from the first line gives nothing", {u"; title", u"(defun c:l () 1)"}, {u"L\t..."}},
        {"a gap gives nothing", {u"(x)", u"; title", u"", u"(defun c:l () 1)"}, {u"L\t..."}},
        {"comment inside a string does not count",
         {u"(setq s \"", u"; not a comment", u"\")", u"(defun c:l () 1)"},
         {u"L\t..."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(joined(indexOf(c.source)), joined(c.lines));
    }
}

TEST(IndexLines, TwinNamesOrderedByStartLineAsText) {
    LineList source(8, u"(setq y 2)");
    source.push_back(u"; first");
    source.push_back(u"(defun c:twin () 1)");  // line 9
    source.push_back(u"(defun C:TWIN (a) 2)"); // line 10: "10" comes before "9"
    EXPECT_EQ(joined(indexOf(source)), joined({u"TWIN A\t...", u"TWIN\tfirst"}));
}

TEST(IndexLines, LinesAlreadyThereStay) {
    LineList lines = {u"keep"};
    makeLspIndex({u"(defun c:a () 1)"}, lines, compareTextStandIn);
    EXPECT_EQ(joined(lines), joined({u"keep", u"A\t..."}));
}

// Records of oddly named nested forms can split into six items; they are never commands.
TEST(IndexLines, OnlyTopLevelRecordsAreCommands) {
    struct Case {
        const char* what;
        LineList source;
        LineList lines;
    };
    const Case cases[] = {
        // "c:outer ,,1 0 ,1,2" splits like a top-level record that starts at line 1, column 0.
        {"nested record shaped like a top-level one",
         {u"(defun c:outer ()", u"  (defun ,1 0 () 1)", u")"},
         {u"OUTER\t..."}},
        // "c:o ,p q r ,1,2" gives six items whose third is no number.
        {"nested record with words where numbers stand", {u"(defun c:o ()", u"  (defun p q r () 1))"}, {u"O\t..."}},
        // "c:o ,,9 0 ,1,2" would point past the source's end.
        {"nested record pointing past the end", {u"(defun c:o ()", u"  (defun ,9 0 () 1))"}, {u"O\t..."}},
        {"a name with a blank splits into seven items", {u"(defun c:a b () 1)"}, {}},
        {"a name with a comma too", {u"(defun c:a,b () 1)"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(joined(indexOf(c.source)), joined(c.lines));
    }
}

// The builder finds each description without walking the lines above every form again; it must give
// what getDefunComment and the first usable line of its result give.
std::u16string descriptionTheSlowWay(const LineList& source, std::size_t startLine) {
    std::size_t d = startLine;
    const std::u16string comment = getDefunComment(source, d);
    std::size_t pos = 0;
    while (!comment.empty() && pos <= comment.size()) {
        std::size_t end = comment.find(u"\r\n", pos);
        if (end == std::u16string::npos) {
            end = comment.size();
        }
        const std::u16string_view line = trimBlanks(std::u16string_view(comment).substr(pos, end - pos));
        if (!line.empty()) {
            std::u16string rest;
            for (char16_t c : line) {
                if (c != line.front()) {
                    rest += c;
                }
            }
            if (!trimBlanks(rest).empty()) {
                return std::u16string(line);
            }
        }
        pos = end + 2;
    }
    return u"...";
}

TEST(IndexLines, DescriptionsAgreeWithGetDefunComment) {
    std::mt19937 random(20240611);
    const std::u16string pieces[] = {
        u"; title", u";;;;",     u"; ===", u";| x |; (defun c:b () 1)", u"",
        u"(x)",     u"  ; 説明", u"; a;b", u"(defun c:a () 1)",         u";|(defun c:c (p) 2)|;",
        u";"};
    for (int round = 0; round < 300; ++round) {
        LineList source;
        const int count = 1 + static_cast<int>(random() % 30);
        for (int i = 0; i < count; ++i) {
            source.push_back(pieces[random() % std::size(pieces)]);
        }
        LineList cleaned;
        stripLispComments(source, cleaned);
        LineList expected;
        for (const auto& record : scanDefunRecords(cleaned, compareTextStandIn, false)) {
            const auto items = splitCommaItems(record.text);
            const std::size_t startLine = std::stoul(toUtf8(items[2]));
            expected.push_back(u"A\t" + descriptionTheSlowWay(source, startLine));
        }
        // All forms here are "c:a": the sort keeps them by start line as text, so compare as sets.
        LineList actual = indexOf(source);
        for (auto& line : actual) {
            line = std::u16string(1, u'A').append(line, line.find(u'\t'));
        }
        std::sort(expected.begin(), expected.end());
        std::sort(actual.begin(), actual.end());
        ASSERT_EQ(joined(actual), joined(expected)) << "round " << round;
    }
}

} // namespace
} // namespace merulan
