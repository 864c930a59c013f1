// merulan-tool check on small libraries and lists: each kind of finding, and a clean library.
#include "tools/merulan-tool/check_paths.h"

#include "cadCtrl2023/cad_send_result.h"
#include "platform/folder_list.h"
#include "support/japanese_code_page.h"
#include "support/temp_dir.h"
#include "text/u16text.h"
#include "text/utf8.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace merulan::tool {
namespace {

struct File {
    std::u16string name;
    std::string bytes;
};

// "{d}" stands for the test's folder and its separator.
std::string placed(std::string_view text, const testing::TempDir& dir) {
    const std::string folder = toUtf8(dir.u16() + kPathSeparator);
    std::string out(text);
    for (std::size_t at = out.find("{d}"); at != std::string::npos; at = out.find("{d}", at + folder.size())) {
        out.replace(at, 3, folder);
    }
    return out;
}

CheckResult checked(const testing::TempDir& dir, const std::vector<File>& files,
                    const std::vector<std::u16string>& paths) {
    for (const File& file : files) {
        dir.write(file.name, file.bytes);
    }
    std::vector<std::string> arguments;
    for (const std::u16string& path : paths) {
        arguments.push_back(toUtf8(path == u"." ? dir.u16() : dir.u16(path)));
    }
    return checkPaths(arguments, testing::japaneseCodePage());
}

TEST(Check, FindsWhatTheCadAndThePaletteWouldDoOtherwiseThanMeant) {
    const std::string limit = std::to_string(kCopyDataMaxChars);
    const std::string longest(kCopyDataMaxChars - 1, 'x'); // with its carriage return, exactly what one delivery takes
    const std::string tooLong(kCopyDataMaxChars, 'y');
    const std::string longPath = "C:\\" + std::string(520, 'p') + ".lsp"; // (load "C:\\ppp.lsp")(princ): 544 units
    const struct {
        const char* what;
        std::vector<File> files;
        std::vector<std::u16string> paths;
        std::string findings;
    } cases[] = {
        {"a clean library and its list",
         {{u"a.lsp", "; 一\r\n(defun c:one () 1)\r\n"},
          {u"b.lsp", "(defun c:two () 2)\r\n(defun helper () 3)\r\n"},
          {u"MerulanList.txt", "作図\r\nONE\t一\r\nTWO\t二\r\nLOAD\tロード a.lsp\tMerulan\\a.lsp\r\n\"My Tools\"\r\n"
                               "ZOOM E\tズーム\r\nCALC\t電卓\tcalc.exe\r\n" +
                                   longest + "\t長い\r\n"}},
         {u".", u"MerulanList.txt"},
         ""},
        {"the same command in two sources and twice in one; a source named twice counts once",
         {{u"a.lsp", "(defun c:Foo () 1)\r\n(defun c:bar () 1)\r\n(defun C:FOO (x) 2)\r\n"},
          {u"b.lsp", "\r\n(defun c:foo () 3)\r\n"}},
         {u"a.lsp", u"."},
         "{d}a.lsp:1: コマンド「FOO」は次でも定義されています：3 行目、{d}b.lsp:2\n"
         "{d}a.lsp:3: コマンド「FOO」は次でも定義されています：1 行目、{d}b.lsp:2\n"
         "{d}b.lsp:2: コマンド「FOO」は次でも定義されています：{d}a.lsp:1、{d}a.lsp:3\n"},
        {"a source that cannot be read is named with its reason; the others are still checked",
         {{u"bad.lsp", "\xEF\xBB\xBF(defun c:x () 1)\xFF\r\n"},
          {u"c1.lsp", "(defun c:x () 1)\r\n"},
          {u"c2.lsp", "(defun c:x () 1)\r\n"}},
         {u"."},
         "{d}bad.lsp: 読めません：Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません\n"
         "{d}c1.lsp:1: コマンド「X」は次でも定義されています：{d}c2.lsp:1\n"
         "{d}c2.lsp:1: コマンド「X」は次でも定義されています：{d}c1.lsp:1\n"},
        {"LISP files and programs that are not there, looked for in the list's folder",
         {{u"here.lsp", "(princ)\r\n"},
          {u"MerulanList.txt",
           "見出し\r\nA\ta\tMerulan\\here.lsp\r\nB\tb\tMerulan\\gone.lsp\r\nC\tc\tgone2.lsp\r\n"
           "D\td\tC:\\nowhere\\x.exe\r\nE\te\tnotepad.exe\r\nF\tf\tsub\\tool.exe\r\nG\tg\there.lsp\r\n"}},
         {u"MerulanList.txt"},
         "{d}MerulanList.txt:3: ロードする LISP ファイル {d}gone.lsp が見つかりません\n"
         "{d}MerulanList.txt:4: ロードする LISP ファイル {d}gone2.lsp が見つかりません\n"
         "{d}MerulanList.txt:5: 起動するプログラム C:\\nowhere\\x.exe が見つかりません\n"
         "{d}MerulanList.txt:7: 起動するプログラム {d}sub\\tool.exe が見つかりません\n"},
        {"commands longer than one delivery carries, a load expression too",
         {{u"MerulanList.txt",
           "見出し\r\n" + longest + "\tちょうど\r\n" + tooLong + "\t長すぎる\r\nL\tl\t" + longPath + "\r\n"}},
         {u"MerulanList.txt"},
         "{d}MerulanList.txt:3: コマンドが長すぎるため送れません（改行を含めて " +
             std::to_string(kCopyDataMaxChars + 1) + " 文字、一度に送れるのは " + limit +
             " 文字まで）\n"
             "{d}MerulanList.txt:4: ロードする LISP ファイル " +
             longPath +
             " が見つかりません\n"
             "{d}MerulanList.txt:4: ロードする式が長すぎるため送れません（改行を含めて 545 文字、一度に送れるのは " +
             limit + " 文字まで）\n"},
        {"a third field that is neither .LSP nor .EXE",
         {{u"MerulanList.txt", "見出し\r\nNOTE\tメモ\tmemo.txt\r\nPAD\tメモ帳\tnotepad.EXE\r\n"}},
         {u"MerulanList.txt"},
         "{d}MerulanList.txt:2: 3 列目の「memo.txt」が .LSP でも .EXE "
         "でもないため、コマンド「NOTE」がそのまま送られます\n"},
        {"the same command twice in a list, in any letter case; load entries send no command",
         {{u"a.lsp", "(princ)\r\n"},
          {u"MerulanList.txt", "見出し\r\nZOOM E\tズーム\r\nLOAD\tロード\tMerulan\\a.lsp\r\nzoom e \t全体\r\n"
                               "LOAD\tロード\tMerulan\\a.lsp\r\n"}},
         {u"MerulanList.txt"},
         "{d}MerulanList.txt:2: コマンド「ZOOM E」は次にもあります：4 行目\n"
         "{d}MerulanList.txt:4: コマンド「ZOOM E」は次にもあります：2 行目\n"},
        {"entries before the first heading",
         {{u"MerulanList.txt", "; コメント\r\nLINE\t線分\r\n\r\n作図\r\nCIRCLE\t円\r\n"}},
         {u"MerulanList.txt"},
         "{d}MerulanList.txt:2: コマンド「LINE」は最初の見出しより前にあるため、取得順の表示に出ません\n"},
        {"a heading that holds a space between words, the full-width one too, unless quoted",
         {{u"MerulanList.txt", "LINE 線分を作図\r\n作図\r\n\"My Tools\"\r\nCIRCLE　円\r\n  \r\n作図 \r\n"}},
         {u"MerulanList.txt"},
         "{d}MerulanList.txt:1: タブのない行「LINE "
         "線分を作図」は見出しになります（区切りがタブでなく空白になっていませんか）\n"
         "{d}MerulanList.txt:4: "
         "タブのない行「CIRCLE　円」は見出しになります（区切りがタブでなく空白になっていませんか）\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const testing::TempDir dir;
        const CheckResult result = checked(dir, c.files, c.paths);
        std::string text;
        for (const Finding& finding : result.findings) {
            text += findingText(finding);
        }
        EXPECT_EQ(text, placed(c.findings, dir));
    }
}

TEST(Check, JsonNamesEveryPlaceOfADuplicate) {
    const testing::TempDir dir;
    const CheckResult result = checked(
        dir,
        {{u"a.lsp", "(defun c:twin () 1)\r\n"}, {u"b.lsp", "(defun c:twin () 2)\r\n"}, {u"c.lsp", "\xEF\xBB\xBF\xFF"}},
        {u"."});
    ASSERT_EQ(result.findings.size(), 3u);
    const auto first = nlohmann::json::parse(findingJson(result.findings[0]));
    EXPECT_EQ(first["file"], toUtf8(dir.u16(u"a.lsp")));
    EXPECT_EQ(first["line"], 1);
    EXPECT_EQ(first["kind"], "duplicate-command");
    const nlohmann::json others = {{{"file", toUtf8(dir.u16(u"b.lsp"))}, {"line", 1}}};
    EXPECT_EQ(first["others"], others) << first.dump();
    const auto unreadable = nlohmann::json::parse(findingJson(result.findings[2]));
    EXPECT_TRUE(unreadable["line"].is_null());
    EXPECT_EQ(unreadable["kind"], "unreadable-source");
}

} // namespace
} // namespace merulan::tool
