// merulan-tool autoload: the loader a library gives, and the loader read back by the project's own scanner.
#include "tools/merulan-tool/autoload_file.h"
#include "tools/merulan-tool/tool_paths.h"

#include "lispindex/index_builder.h"
#include "lispindex/source_scanner.h"
#include "support/japanese_code_page.h"
#include "support/temp_dir.h"
#include "text/u16text.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace merulan::tool {
namespace {

std::vector<IndexedSource> indexedFolder(const testing::TempDir& dir) {
    return indexLispSources(lispSourcesOf({dir.u16()}, compareFileNamesStandIn), testing::japaneseCodePage(),
                            compareTextStandIn);
}

// The folder with "/" for its separators and one at its end.
std::string slashed(const testing::TempDir& dir) {
    std::u16string folder = dir.u16() + u"/";
    std::replace_if(
        folder.begin(), folder.end(), [](char16_t c) { return kFolderSeparators.find(c) != std::u16string_view::npos; },
        u'/');
    return toUtf8(folder);
}

TEST(Autoload, OneFormPerSourceThatDefinesCommands) {
    const std::string header = ";; merulan-tool autoload \"lib/建築\"\r\n";
    const struct {
        const char* what;
        std::vector<std::pair<std::u16string, std::string>> files;
        std::optional<std::u16string> base; // "{d}" the test's folder, "{D}" the same in capitals
        bool ignoreCase;
        bool utf8;
        std::string expected; // "{s}" the folder with slashes; "!" begins a problem's message
    } cases[] = {
        {"names with spaces and Japanese, full paths with slashes; a command repeated once; a source without "
         "commands left out",
         {{u"建築 tools.lsp", "(defun c:zz () 1)\r\n(defun c:Kabe () 1)\r\n(defun C:ZZ (a) 2)\r\n"},
          {u"plain.lsp", "(defun helper () 1)\r\n"}},
         std::nullopt,
         false,
         false,
         header + "(autoload \"{s}建築 tools.lsp\" '(\"KABE\" \"ZZ\"))\r\n(princ)\r\n"},
        {"relative to --base",
         {{u"a.lsp", "(defun c:a () 1)"}},
         u"{d}",
         false,
         false,
         header + "(autoload \"a.lsp\" '(\"A\"))\r\n(princ)\r\n"},
        {"--base in other capitals where names ignore case",
         {{u"a.lsp", "(defun c:a () 1)"}},
         u"{D}",
         true,
         false,
         header + "(autoload \"a.lsp\" '(\"A\"))\r\n(princ)\r\n"},
        {"--base in other capitals where case counts",
         {{u"a.lsp", "(defun c:a () 1)"}},
         u"{D}",
         false,
         false,
         "!は --base のフォルダー "},
        {"a backslash escaped as AutoLISP reads it",
         {{u"esc.lsp", "(defun c:a\\b () 1)"}},
         std::nullopt,
         false,
         false,
         header + "(autoload \"{s}esc.lsp\" '(\"A\\\\B\"))\r\n(princ)\r\n"},
        {"UTF-8 holds what the code page lacks",
         {{u"☃.lsp", "(defun c:s () 1)"}},
         std::nullopt,
         false,
         true,
         header + "(autoload \"{s}☃.lsp\" '(\"S\"))\r\n(princ)\r\n"},
        {"the code page names the character it lacks",
         {{u"☃.lsp", "(defun c:s () 1)"}},
         std::nullopt,
         false,
         false,
         "!にはコードページ 932 で書けない文字「☃」があります．--utf8 を付けると UTF-8 で書きます．"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const testing::TempDir dir;
        for (const auto& [name, bytes] : c.files) {
            dir.write(name, bytes);
        }
        LoaderPaths paths{kFolderSeparators, std::nullopt, c.ignoreCase};
        if (c.base) {
            paths.base = *c.base == u"{d}" ? dir.u16() : upperAscii(dir.u16());
        }
        std::string expected = c.expected;
        if (const auto at = expected.find("{s}"); at != std::string::npos) {
            expected.replace(at, 3, slashed(dir));
        }
        const AnsiCodePage* encoding = c.utf8 ? nullptr : &testing::japaneseCodePage();
        try {
            const std::string bytes =
                loaderBytes(loaderOf(indexedFolder(dir), {u"lib/建築"}, paths, encoding), encoding);
            EXPECT_EQ(bytes, encoding ? *encoding->encodeExact(fromUtf8(expected)) : expected);
        } catch (const LoaderProblem& problem) {
            ASSERT_EQ(expected.front(), '!') << toUtf8(problem.message());
            EXPECT_NE(toUtf8(problem.message()).find(expected.substr(1)), std::string::npos)
                << toUtf8(problem.message());
        }
    }
    EXPECT_EQ(lispString(u"a\"b\\c\x01"), u"\"a\\\"b\\\\c\\001\"");
}

// The string literals of a line as the AutoLISP reader takes them: \\, \" and octal \nnn.
std::vector<std::u16string> literalsOf(std::u16string_view line) {
    std::vector<std::u16string> literals;
    for (std::size_t i = line.find(u'"'); i < line.size(); i = line.find(u'"', i + 1)) {
        std::u16string text;
        for (++i; i < line.size() && line[i] != u'"'; ++i) {
            if (line[i] != u'\\') {
                text += line[i];
            } else if (line[++i] >= u'0' && line[i] <= u'7') {
                text += static_cast<char16_t>((line[i] - u'0') * 64 + (line[i + 1] - u'0') * 8 + (line[i + 2] - u'0'));
                i += 2;
            } else {
                text += line[i];
            }
        }
        literals.push_back(text);
    }
    return literals;
}

TEST(Autoload, TheLoaderReadsBackWithEveryCommandOfTheIndexOnce) {
    const testing::TempDir dir;
    dir.write(u"kenchiku_tools.lsp", testing::fileBytes(MERULAN_LISP_SAMPLE));
    dir.write(u"two words.lsp",
              "(defun c:Paren () (princ \"(\"))\r\n(defun c:PAREN () 2)\r\n(defun c:q\\x (a / b) 1)\r\n"
              ";| (defun c:hidden () 1) |;\r\n(defun c:outer () (defun c:inner () 1))\r\n");
    dir.write(u"helpers.lsp", "(defun helper () 1)\r\n");
    const std::vector<IndexedSource> sources = indexedFolder(dir);
    const LineList loader = loaderOf(sources, {dir.u16()}, {kFolderSeparators, std::nullopt, false}, nullptr);

    LineList cleaned;
    stripLispComments(loader, cleaned);
    for (const std::u16string& line : cleaned) {
        int depth = 0;
        for (const char16_t c : line) {
            depth += c == u'(' ? 1 : c == u')' ? -1 : 0;
            ASSERT_GE(depth, 0) << toUtf8(line);
        }
        EXPECT_EQ(depth, 0) << "one whole form a line: " << toUtf8(line);
    }

    std::multiset<std::pair<std::u16string, std::u16string>> readBack;
    for (const std::u16string& line : loader) {
        if (beginsWith(line, u"(autoload ")) {
            const std::vector<std::u16string> literals = literalsOf(line);
            for (std::size_t i = 1; i < literals.size(); ++i) {
                readBack.emplace(literals[0], literals[i]);
            }
        }
    }
    std::multiset<std::pair<std::u16string, std::u16string>> indexed;
    for (const IndexedSource& source : sources) {
        std::u16string path = source.path;
        std::replace(path.begin(), path.end(), kFolderSeparators.front(), u'/');
        std::set<std::u16string> names;
        for (const std::u16string& line : source.indexLines) {
            names.emplace(commandNameOf(line));
        }
        for (const std::u16string& name : names) {
            indexed.emplace(path, name);
        }
    }
    EXPECT_EQ(readBack.size(), 25u); // the sample's 22 distinct commands, PAREN, Q\X and OUTER
    EXPECT_EQ(readBack, indexed);
    EXPECT_EQ(loader.back(), u"(princ)");
}

} // namespace
} // namespace merulan::tool
