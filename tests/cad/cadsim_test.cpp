// The simulator's own pieces that the other tests rely on: its log text and its command line.
#include "text/error.h"
#include "text/utf8.h"
#include "tools/cadsim/cadsim_options.h"
#include "tools/cadsim/log_text.h"

#include <gtest/gtest.h>

namespace merulan::cadsim {
namespace {

TEST(CadSimLogText, EscapesControlsAndBackslashesAndReadsThemBack) {
    const std::pair<std::u16string, std::string> cases[] = {
        {u"LINE\r", "LINE\\x0D"},
        {u"\x1b", "\\x1B"},
        {u"(load \"C:\\\\a\\\\b.lsp\")(princ)", "(load \"C:\\\\\\\\a\\\\\\\\b.lsp\")(princ)"},
        {u"線分 x\x7f", "線分 x\\x7F"},
        {u"\U0001F600", "\xF0\x9F\x98\x80"},
        {u"a\xD800"
         u"b",
         "a\\uD800b"},
        {u"", ""},
    };
    for (const auto& [text, escaped] : cases) {
        EXPECT_EQ(escapeLogText(text), escaped);
        EXPECT_EQ(unescapeLogText(escaped), text) << escaped;
    }
}

TEST(CadSimLogText, WindowShowsControlCharactersByName) {
    EXPECT_EQ(displayText(u"\x1bLINE\r\x03\x01"
                          u"C:\\a"),
              u"<ESC>LINE<CR><Ctrl+C><x01>C:\\a");
}

TEST(CadSimOptions, KindsGiveTheirLookAndOverridesWin) {
    const CadSimOptions ijcad = parseCadSimOptions({u"--kind", u"ijcad", u"--disabled", u"--log", u"x.log"});
    EXPECT_EQ(ijcad.title, u"IJCAD 2023 - [Drawing1.dwg]");
    EXPECT_TRUE(ijcad.className.starts_with(u"Afx:"));
    EXPECT_TRUE(ijcad.commandLine);
    EXPECT_TRUE(ijcad.disabled);
    EXPECT_FALSE(ijcad.minimized);
    EXPECT_EQ(ijcad.logPath, u"x.log");

    const CadSimOptions autocad =
        parseCadSimOptions({u"--kind", u"autocad", u"--title", u"T", u"--class", u"C", u"--watch-pid", u"42"});
    EXPECT_EQ(autocad.title, u"T");
    EXPECT_EQ(autocad.className, u"C");
    EXPECT_FALSE(autocad.commandLine);
    EXPECT_EQ(autocad.watchProcessId, 42u);
    EXPECT_EQ(parseCadSimOptions({u"--busy", u"4000"}).busyMilliseconds, 4000u);

    EXPECT_EQ(parseCadSimOptions({}).className, u"BricscadMainWindow");
    EXPECT_EQ(parseCadSimOptions({u"--kind", u"trueview"}).title, u"DWG TrueView 2023 - [Drawing1.dwg]");
    EXPECT_FALSE(parseCadSimOptions({u"--kind", u"ijcad-intelli"}).commandLine);

    for (const std::vector<std::u16string>& wrong :
         std::vector<std::vector<std::u16string>>{{u"--kind", u"zwcad"},
                                                  {u"--title"},
                                                  {u"--watch-pid", u"12x"},
                                                  {u"--verbose"},
                                                  {u"--class", u""},
                                                  {u"--busy", u"-1"},
                                                  {u"--busy", u"5", u"--hang"}}) {
        EXPECT_THROW(parseCadSimOptions(wrong), MerulanError) << toUtf8(wrong.front());
    }
}

} // namespace
} // namespace merulan::cadsim
