// The CAD link against cadsim processes: which window each search takes, and what arrives there.
#include "cad/cadsim_process.h"
#include "cadCtrl2023/cadCtrl2023.h"

#include "text/u16text.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <thread>

namespace merulan {
namespace {

using testing::CadSim;
using testing::copyDataOf;
using testing::ForegroundProbe;
using testing::foregroundWindowAfterSettling;
using testing::keystrokesOf;
using testing::Received;
namespace cad = cadCtrl2023;

using namespace std::chrono_literals;
constexpr CadSendResult kFound = CadSendResult::Sent;

struct KindCase {
    std::u16string kind;
    CadSendResult (*send)(std::u16string_view, DeliveryDeadline);
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
        EXPECT_EQ(c.send(u"\x1b", deliveryDeadline()), kFound);
        EXPECT_EQ(sim.takeMessages(), deliver(c.ctrlC ? u"\x03" : u"\x1b"));
        EXPECT_EQ(foregroundWindowAfterSettling(sim.window()), sim.window());
        EXPECT_EQ(c.send(u"LINE\r", deliveryDeadline()), kFound);
        EXPECT_EQ(sim.takeMessages(), deliver(u"LINE\r"));
        EXPECT_EQ(c.send(u"A\x1b"
                         u"B\x03",
                         deliveryDeadline()),
                  kFound);
        EXPECT_EQ(sim.takeMessages(), deliver(c.ctrlC ? u"A\x03"
                                                        u"B\x03"
                                                      : u"A\x1b"
                                                        u"B\x03"));

        for (auto* other : {cad::sendToAutoCad, cad::sendToBricsCad, cad::sendToIJCad}) {
            if (other != c.send) {
                EXPECT_EQ(other(u"\x1b", deliveryDeadline()), CadSendResult::NotFound);
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
    EXPECT_EQ(cad::sendCopyData(sim.window(), u""), kFound);
    auto received = sim.takeMessages();
    ASSERT_EQ(received, copyDataOf(u""));
    EXPECT_EQ(received[0].cbData, 2u);

    EXPECT_EQ(cad::sendCopyData(sim.window(), longest), kFound);
    received = sim.takeMessages();
    ASSERT_EQ(received, copyDataOf(longest));
    EXPECT_EQ(received[0].cbData, 1024u);

    // Refused before anything happens: the CAD is not even brought to the front.
    ForegroundProbe probe(&sim);
    EXPECT_EQ(cad::sendCopyData(sim.window(), tooLong), CadSendResult::TooLong);
    EXPECT_EQ(cad::sendToBricsCad(tooLong), CadSendResult::TooLong);
    EXPECT_EQ(foregroundWindowAfterSettling(nullptr, 200ms), probe.window());
    EXPECT_TRUE(sim.takeMessages().empty());
}

TEST(CadLink, KeystrokesCarryAnyLength) {
    CadSim sim({u"--kind", u"ijcad"});
    // Posted instead of sent: 512 round trips to another process take seconds under Wine on a loaded machine, and
    // the time limit of a delivery is not what this test is about.
    const cad::MessageSend post = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT, UINT,
                                     PDWORD_PTR) -> LRESULT { return PostMessageW(window, message, wParam, lParam); };
    const std::u16string text = std::u16string(kCopyDataMaxChars, u'y') + u"\r"; // one more than copy-data takes
    EXPECT_EQ(cad::sendKeystrokes(sim.editWindow(), text, deliveryDeadline(), post), kFound);
    EXPECT_EQ(sim.takeMessages(), keystrokesOf(text));
    EXPECT_EQ(cad::sendToIJCad(u""), kFound);
    EXPECT_TRUE(sim.takeMessages().empty());
}

// A modal dialog disables the CAD's main window: it comes forward, so that the user sees the dialog, and is sent
// nothing, not even the keystrokes its input line would still take.
TEST(CadLink, DisabledWindowIsBroughtForwardButSentNothing) {
    using Sender = CadSendResult (*)(std::u16string_view, DeliveryDeadline);
    const std::pair<std::u16string, Sender> cases[] = {{u"bricscad", cad::sendToBricsCad},
                                                       {u"ijcad", cad::sendToIJCad}};
    for (const auto& [kind, send] : cases) {
        SCOPED_TRACE(toUtf8(kind));
        CadSim sim({u"--kind", kind, u"--disabled", u"--minimized"});
        ASSERT_TRUE(IsIconic(sim.window()));
        ForegroundProbe probe(&sim);
        EXPECT_EQ(send(u"\x1b", deliveryDeadline()), CadSendResult::NotAccepting);
        // Restored by the CAD's own thread (an asynchronous show, which never waits for a busy CAD).
        const auto end = std::chrono::steady_clock::now() + 10s;
        while (IsIconic(sim.window()) && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(10ms);
        }
        EXPECT_FALSE(IsIconic(sim.window()));
        EXPECT_EQ(foregroundWindowAfterSettling(sim.window()), sim.window());
        EXPECT_TRUE(sim.takeMessages().empty());
    }
}

// A delivery that Windows refuses (the CAD runs with higher rights; Wine has no such rights, so the refusal
// comes from a stand-in for SendMessageTimeoutW) is reported, and nothing follows it.
TEST(CadLink, RefusedDeliveryIsReportedAndEndsIt) {
    CadSim sim({u"--kind", u"ijcad"});
    int allowed = 0;
    const cad::MessageSend refuseAfterAllowed = [&](HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags,
                                                    UINT milliseconds, PDWORD_PTR reply) -> LRESULT {
        if (allowed-- > 0) {
            return SendMessageTimeoutW(window, message, wParam, lParam, flags, milliseconds, reply);
        }
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    };
    EXPECT_EQ(cad::sendCopyData(sim.window(), u"LINE\r", deliveryDeadline(), refuseAfterAllowed),
              CadSendResult::Blocked);
    EXPECT_TRUE(sim.takeMessages().empty()); // no WM_NULL either
    allowed = 2;
    EXPECT_EQ(cad::sendKeystrokes(sim.editWindow(), u"LINE\r", deliveryDeadline(), refuseAfterAllowed),
              CadSendResult::Blocked);
    EXPECT_EQ(sim.takeMessages(), keystrokesOf(u"LI"));
}

// The CAD takes its first delivery, then stops answering for longer than the palette waits. The next delivery is
// given up at the limit and reported. Windows may still hand that message to the CAD later (Wine drops it): it
// arrives at most once, and nothing that would have followed it does (no WM_NULL, no further keystroke).
TEST(CadLink, DeliveryToACadThatStopsAnsweringEndsAtTheLimitAndIsNeverRepeated) {
    const std::u16string busy = decimalText((kDeliveryTimeLimit + 3s).count());
    const std::vector<Received> cancel = copyDataOf(u"\x1b");
    // Keystrokes: the first of "LINE\r" may still arrive, the rest never does; the command is cut short.
    const std::tuple<std::u16string, CadSendResult (*)(std::u16string_view, DeliveryDeadline), CadSendResult,
                     std::vector<Received>, std::vector<Received>>
        cases[] = {
            {u"bricscad",
             cad::sendToBricsCad,
             CadSendResult::NotResponding,
             cancel,
             {cancel[0], copyDataOf(u"LINE\r")[0], cancel[1]}},
            {u"ijcad", cad::sendToIJCad, CadSendResult::CutShort, keystrokesOf(u"\x1b"), keystrokesOf(u"\x1bL")},
        };
    for (const auto& [kind, send, result, taken, takenWithLate] : cases) {
        SCOPED_TRACE(toUtf8(kind));
        CadSim sim({u"--kind", kind, u"--busy", busy});
        EXPECT_EQ(send(u"\x1b", deliveryDeadline()), kFound);
        EXPECT_EQ(send(u"LINE\r", deliveryDeadline()), result);
        ASSERT_NE(testing::waitForLogLine(sim.logPath(), " main awake"), "");
        const std::vector<Received> received = sim.takeMessages();
        EXPECT_TRUE(received == taken || received == takenWithLate) << ::testing::PrintToString(received);
    }
}

// Bringing a CAD forward wakes it; one that had been idle for longer than the system's 5 seconds must not be
// taken for hung then. One that the system does count as hung is given up at once and not brought forward.
TEST(CadLink, IdleCadIsNotTakenForHungButAHungOneIsGivenUpAtOnce) {
    CadSim sim({u"--kind", u"bricscad", u"--hang"});
    {
        ForegroundProbe probe(&sim);
        std::this_thread::sleep_for(6s);
        EXPECT_EQ(cad::sendToBricsCad(u"\x1b"), kFound); // it hangs from now on
    }
    ForegroundProbe probe(&sim);
    const auto end = std::chrono::steady_clock::now() + 20s;
    while (!IsHungAppWindow(sim.window()) && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(50ms);
    }
    ASSERT_TRUE(IsHungAppWindow(sim.window()));
    EXPECT_EQ(cad::sendToBricsCad(u"LINE\r"), CadSendResult::NotSentInTime); // nothing sent, nothing queued
    EXPECT_EQ(foregroundWindowAfterSettling(nullptr, 200ms), probe.window());
    EXPECT_EQ(sim.takeMessages(), std::vector<Received>{copyDataOf(u"\x1b").front()});
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
        EXPECT_EQ(cad::sendToIJCad(u"\x1b"), CadSendResult::NotFound);
        EXPECT_EQ(cad::hIJCad, sim.window()); // kept, though gone
        EXPECT_EQ(foregroundWindowAfterSettling(nullptr, 200ms), probe.window());
    }
    // An IJCAD main window without the command-line window: the kept one is gone, so there is no input line.
    CadSim withoutCommandLine({u"--kind", u"ijcad-intelli", u"--title", u"IJCAD 2023 - [Drawing2.dwg]"});
    ForegroundProbe probe(&withoutCommandLine);
    EXPECT_EQ(cad::sendToIJCad(u"\x1b"), CadSendResult::NotFound);
    EXPECT_EQ(cad::hIJCad, withoutCommandLine.window());
    EXPECT_EQ(cad::hIJCadCmdLine, keptCommandLine);
    EXPECT_EQ(foregroundWindowAfterSettling(nullptr, 200ms), probe.window());
    EXPECT_TRUE(withoutCommandLine.takeMessages().empty());
}

} // namespace
} // namespace merulan
