// The CAD link against cadsim processes: which window each search takes, and what arrives there.
#include "cad/cadsim_process.h"
#include "cadCtrl2023/cadCtrl2023.h"

#include "text/utf8.h"

#include <gtest/gtest.h>

namespace merulan {
namespace {

using testing::CadSim;
using testing::copyDataOf;
using testing::ForegroundProbe;
using testing::foregroundWindowAfterSettling;
using testing::keystrokesOf;
namespace cad = cadCtrl2023;

using namespace std::chrono_literals;
constexpr CadSendResult kFound{true, false};

struct KindCase {
    std::u16string kind;
    CadSendResult (*send)(std::u16string_view);
    bool keystrokes;
    bool ctrlC;
};

TEST(CadLink, EachKindIsFoundBroughtForwardAndFedByItsDelivery) {
    const KindCase cases[] = {
        {u"autocad", cad::sendToAutoCad, false, true},      {u"trueview", cad::sendToAutoCad, false, true},
        {u"bricscad", cad::sendToBricsCad, false, false},   {u"ijcad", cad::sendToIJCad, true, false},
        {u"ijcad-intelli", cad::sendToIJCad, false, false},
    };
    for (const KindCase& c : cases) {
        SCOPED_TRACE(toUtf8(c.kind));
        CadSim sim({u"--kind", c.kind});
        ForegroundProbe probe(&sim);
        const auto deliver = c.keystrokes ? keystrokesOf : copyDataOf;
        // Sent messages overtake posted ones: each delivery is looked at before the next.
        EXPECT_EQ(c.send(u"\x1b"), kFound);
        EXPECT_EQ(sim.takeMessages(), deliver(c.ctrlC ? u"\x03" : u"\x1b"));
        EXPECT_EQ(foregroundWindowAfterSettling(sim.window()), sim.window());
        EXPECT_EQ(c.send(u"LINE\r"), kFound);
        EXPECT_EQ(sim.takeMessages(), deliver(u"LINE\r"));
        EXPECT_EQ(c.send(u"A\x1b"
                         u"B\x03"),
                  kFound);
        EXPECT_EQ(sim.takeMessages(), deliver(c.ctrlC ? u"A\x03"
                                                        u"B\x03"
                                                      : u"A\x1b"
                                                        u"B\x03"));

        for (auto* other : {cad::sendToAutoCad, cad::sendToBricsCad, cad::sendToIJCad}) {
            if (other != c.send) {
                EXPECT_FALSE(other(u"\x1b").found);
            }
        }
        EXPECT_TRUE(sim.takeMessages().empty());
    }
}

TEST(CadLink, AutoCadClassLookupComesBeforeTheTitleEnumeration) {
    CadSim byClass({u"--kind", u"autocad", u"--title", u"Untitled"});
    CadSim byTitle({u"--kind", u"trueview"}); // later, so first in the enumeration
    EXPECT_EQ(cad::findAutoCadWindow(), byClass.window());
    EXPECT_EQ(cad::hAutoCad, byClass.window());
    EXPECT_EQ(cad::enumAutoCadWindow(), byTitle.window());

    byClass.close();
    EXPECT_EQ(cad::findAutoCadWindow(), byTitle.window());
    byTitle.close();
    EXPECT_EQ(cad::findAutoCadWindow(), nullptr);
    EXPECT_EQ(cad::hAutoCad, nullptr);
}

TEST(CadLink, CopyDataCarries511CharactersAndRefusesMore) {
    CadSim sim({u"--kind", u"bricscad"});
    const std::u16string longest(kCopyDataMaxChars, u'x');
    const std::u16string tooLong(kCopyDataMaxChars + 1, u'x');
    EXPECT_TRUE(cad::sendCopyData(sim.window(), u""));
    auto received = sim.takeMessages();
    ASSERT_EQ(received, copyDataOf(u""));
    EXPECT_EQ(received[0].cbData, 2u);

    EXPECT_TRUE(cad::sendCopyData(sim.window(), longest));
    received = sim.takeMessages();
    ASSERT_EQ(received, copyDataOf(longest));
    EXPECT_EQ(received[0].cbData, 1024u);

    EXPECT_FALSE(cad::sendCopyData(sim.window(), tooLong));
    EXPECT_EQ(cad::sendToBricsCad(tooLong), (CadSendResult{true, true}));
    EXPECT_TRUE(sim.takeMessages().empty());
}

TEST(CadLink, KeystrokesCarryAnyLength) {
    CadSim sim({u"--kind", u"ijcad"});
    const std::u16string text = std::u16string(kCopyDataMaxChars + 100, u'y') + u"\r";
    EXPECT_EQ(cad::sendToIJCad(text), kFound);
    EXPECT_EQ(sim.takeMessages(), keystrokesOf(text));
    EXPECT_EQ(cad::sendToIJCad(u""), kFound);
    EXPECT_TRUE(sim.takeMessages().empty());
}

TEST(CadLink, DisabledWindowIsBroughtForwardButSentNothing) {
    CadSim sim({u"--kind", u"bricscad", u"--disabled", u"--minimized"});
    ASSERT_TRUE(IsIconic(sim.window()));
    ForegroundProbe probe(&sim);
    EXPECT_EQ(cad::sendToBricsCad(u"\x1b"), kFound);
    EXPECT_FALSE(IsIconic(sim.window()));
    EXPECT_EQ(foregroundWindowAfterSettling(sim.window()), sim.window());
    EXPECT_FALSE(cad::sendCopyData(sim.window(), u"LINE\r"));
    EXPECT_TRUE(sim.takeMessages().empty());
}

TEST(CadLink, IJCadGoneSinceItsLastSuccessIsNotFoundAndNothingIsActivated) {
    HWND keptCommandLine = nullptr;
    {
        CadSim sim({u"--kind", u"ijcad"});
        EXPECT_EQ(cad::sendToIJCad(u"\x1b"), kFound);
        EXPECT_EQ(cad::findIJCadEditWindow(), sim.editWindow());
        keptCommandLine = cad::hIJCadCmdLine;
        sim.close();
        ForegroundProbe probe;
        EXPECT_FALSE(cad::sendToIJCad(u"\x1b").found);
        EXPECT_EQ(cad::hIJCad, sim.window()); // kept, though gone
        EXPECT_EQ(foregroundWindowAfterSettling(nullptr, 200ms), probe.window());
    }
    // An IJCAD main window without the command-line window: the kept one is gone, so there is no input line.
    CadSim withoutCommandLine({u"--kind", u"ijcad-intelli", u"--title", u"IJCAD 2023 - [Drawing2.dwg]"});
    ForegroundProbe probe(&withoutCommandLine);
    EXPECT_FALSE(cad::sendToIJCad(u"\x1b").found);
    EXPECT_EQ(cad::hIJCad, withoutCommandLine.window());
    EXPECT_EQ(cad::hIJCadCmdLine, keptCommandLine);
    EXPECT_EQ(foregroundWindowAfterSettling(nullptr, 200ms), probe.window());
    EXPECT_TRUE(withoutCommandLine.takeMessages().empty());
}

} // namespace
} // namespace merulan
