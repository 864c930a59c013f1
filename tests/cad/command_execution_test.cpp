// Double-click, Enter and the "ESC" button through the execution seam, with the real CAD link against cadsim.
#include "app/execution/command_execution.h"
#include "app/execution/win32_execution_seam.h"
#include "app/window/command_tree.h"
#include "cad/cadsim_process.h"
#include "platform/win/wide.h"
#include "support/temp_dir.h"
#include "text/u16text.h"
#include "text/utf8.h"
#include "tools/cadsim/log_text.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <utility>

namespace merulan {
namespace {

using testing::CadSim;
using testing::copyDataOf;
using testing::keystrokesOf;
using testing::Received;

constexpr std::u16string_view kBricsCadNotFound = u"有効な BricsCAD が見つかりません．";

std::u16string doubled(std::u16string_view path) {
    std::u16string result;
    for (const char16_t c : path) {
        result += c == u'\\' ? std::u16string(u"\\\\") : std::u16string(1, c);
    }
    return result;
}

std::u16string loadExpression(std::u16string_view path) {
    return u"(load \"" + doubled(path) + u"\")(princ)";
}

class Execution : public ::testing::Test {
protected:
    Execution() { std::filesystem::create_directories(dir / u"exe"); }

    // The real CAD link, pause and file test; caption, boxes and program starts are recorded.
    ExecutionSeam seamFor(std::u16string cadCaption) {
        ExecutionSeam seam = win32ExecutionSeam(
            nullptr, exeFolder, [cadCaption] { return cadCaption; },
            [this](const std::u16string& text) { boxes.push_back(text); });
        seam.setWindowCaption = [this](const std::u16string& caption) { captions.push_back(caption); };
        seam.startProgram = [this](const std::u16string& file, const std::u16string& parameters) {
            started.emplace_back(file, parameters);
        };
        seam.executableFolder = [this] { return exeFolder; };
        return seam;
    }

    void clearRecords() {
        captions.clear();
        boxes.clear();
        started.clear();
    }

    testing::TempDir dir;
    std::u16string exeFolder = dir.u16(u"exe") + u"\\";
    std::vector<std::u16string> captions;
    std::vector<std::u16string> boxes;
    std::vector<std::pair<std::u16string, std::u16string>> started;
};

struct TargetCase {
    std::u16string caption;
    std::u16string kind;
    std::u16string cancel;
    bool keystrokes;
};

TEST_F(Execution, CommandFollowsTheCancelCharacterAfterAPause) {
    const TargetCase cases[] = {
        {u"AutoCAD", u"autocad", u"\x03", false},
        {u"BricsCAD", u"bricscad", u"\x1b", false},
        {u"IJCAD", u"ijcad", u"\x1b", true},
    };
    const TLspRecords records{{0, u"作図", u"", u"", u""}, {1, u"LINE", u"線分を作図", u"", u""}};
    for (const TargetCase& c : cases) {
        SCOPED_TRACE(toUtf8(c.caption));
        clearRecords();
        CadSim sim({u"--kind", c.kind});
        runSelectedNode(1, records, seamFor(c.caption));
        EXPECT_EQ(captions, std::vector<std::u16string>{u"LINE"});
        EXPECT_TRUE(boxes.empty());

        const auto deliver = c.keystrokes ? keystrokesOf : copyDataOf;
        const auto received = sim.takeMessages();
        ASSERT_EQ(received, deliver(c.cancel) + deliver(u"LINE\r"));
        const size_t command = c.keystrokes ? 1 : 2;
        EXPECT_GE(received[command].milliseconds - received[0].milliseconds, 100u);
    }
}

TEST_F(Execution, OnlyEntriesWithADescriptionSendTheirCommand) {
    CadSim sim({u"--kind", u"bricscad"});
    const TLspRecords records{
        {0, u"作図", u"", u"", u""},
        {1, u"LINE", u"線分を作図", u"", u""},
        {4, u"NOTE", u"メモ", u"readme.txt", u"x"},
    };
    const ExecutionSeam seam = seamFor(u"BricsCAD");
    runSelectedNode(std::nullopt, records, seam);
    runSelectedNode(7, records, seam);
    EXPECT_TRUE(captions.empty());
    runSelectedNode(0, records, seam);
    EXPECT_EQ(captions, std::vector<std::u16string>{u"作図"});
    EXPECT_TRUE(sim.takeMessages().empty());

    runSelectedNode(4, records, seam); // an extension other than .LSP and .EXE: the command itself
    EXPECT_EQ(sim.takeMessages(), copyDataOf(u"\x1b") + copyDataOf(u"NOTE\r"));
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(started.empty());
}

TEST_F(Execution, LspEntriesAreLoadedWithTheirBackslashesDoubled) {
    std::filesystem::create_directories(dir / u"lisp");
    std::filesystem::create_directories(dir / u"Merulan");
    const std::u16string mixedCase = dir.write(u"lisp\\Tool.LsP", "(defun c:tool ())");
    dir.write(u"exe\\tools.lsp", "");
    dir.write(u"exe\\own.lsp", "");
    const std::u16string ownFolder = dir.write(u"Merulan\\own.lsp", "");
    const std::pair<std::u16string, std::u16string> cases[] = {
        {mixedCase, mixedCase},
        {u"merulan\\tools.lsp", exeFolder + u"tools.lsp"},
        {u"D:\\old\\Merulan\\tools.lsp", exeFolder + u"tools.lsp"},
        {ownFolder, ownFolder}, // a full path to an existing file is loaded as written
    };
    CadSim sim({u"--kind", u"bricscad"});
    for (const auto& [exe, path] : cases) {
        SCOPED_TRACE(toUtf8(exe));
        runSelectedNode(2, {{2, u"TOOL", u"ツール", exe, u""}}, seamFor(u"BricsCAD"));
        EXPECT_EQ(sim.takeMessages(), copyDataOf(u"\x1b") + copyDataOf(loadExpression(path) + u"\r"));
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Execution, MissingLspFileShowsItsPathAndSendsNothing) {
    CadSim sim({u"--kind", u"bricscad"});
    const TLspRecords records{
        {0, u"GONE", u"無いファイル", u"Merulan\\gone.lsp", u""},
        {1, u"OLD", u"", u"C:\\nowhere\\Old.LSP", u""}, // shown whatever the description holds
    };
    runSelectedNode(0, records, seamFor(u"BricsCAD"));
    runSelectedNode(1, records, seamFor(u"なし")); // and whatever the target is
    // A shared entry's file while the server is away is not looked for, nor its program started.
    const TLspRecords shared{
        {5, u"OFFICE", u"共有", u"Merulan\\office.lsp", u"", true},
        {6, u"TOOL", u"共有の道具", u"\\\\cadserver\\cad\\tool.exe", u"", true},
    };
    ExecutionSeam away = seamFor(u"BricsCAD");
    away.sharedServerAway = [] { return true; };
    away.fileExists = [](const std::u16string& path) -> bool { throw std::logic_error(toUtf8(path)); };
    runSelectedNode(5, shared, away);
    runSelectedNode(6, shared, away);
    EXPECT_EQ(
        boxes,
        (std::vector<std::u16string>{
            exeFolder + u"gone.lsp\nファイルが見つかりません．", u"C:\\nowhere\\Old.LSP\nファイルが見つかりません．",
            u"Merulan\\office.lsp\n共有リストのサーバーから読めないため、このファイルは使えません．",
            u"\\\\cadserver\\cad\\tool.exe\n共有リストのサーバーから読めないため、このファイルは使えません．"}));
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(captions, (std::vector<std::u16string>{u"GONE", u"OLD", u"OFFICE", u"TOOL"}));
    EXPECT_TRUE(sim.takeMessages().empty());
}

TEST_F(Execution, ExeEntryStartsTheProgramWithItsParametersEvenWithoutACad) {
    // The real program start, of cadsim from the executable folder under the "Merulan\" form.
    const std::u16string log = dir.u16(u"started.log");
    const std::u16string parameters = u"--kind ijcad-intelli --title \"IJCAD 2099 started\" --log " +
                                      CadSim::commandLineArgument(log) + u" --watch-pid " +
                                      decimalText(GetCurrentProcessId());
    ExecutionSeam seam = win32ExecutionSeam(
        nullptr, std::u16string(folderOf(executablePath())), [] { return std::u16string(u"IJCAD"); },
        [this](const std::u16string& text) { boxes.push_back(text); });
    seam.setWindowCaption = [this](const std::u16string& caption) { captions.push_back(caption); };
    runSelectedNode(3, {{3, u"SIM", u"シミュレータを起動", u"C:\\Stale\\Merulan\\CadSim.EXE", parameters}}, seam);

    const std::string ready = testing::waitForLogLine(log, " ready ");
    ASSERT_NE(ready, "");
    EXPECT_NE(ready.find("title=IJCAD 2099 started"), std::string::npos) << ready;
    const HWND started = reinterpret_cast<HWND>(testing::logField(ready, "hwnd"));
    PostMessageW(started, cadsim::kSyncMessage, 1, 0);
    testing::waitForLogLine(log, "main sync 1");
    for (const std::string& line : testing::readLogLines(log)) {
        EXPECT_EQ(line.find("WM_COPYDATA"), std::string::npos) << line;
    }
    PostMessageW(started, WM_CLOSE, 0, 0);
    EXPECT_EQ(captions, std::vector<std::u16string>{u"SIM"});
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Execution, TargetIsChosenByAutoThenBricsThenIJThenAutomatic) {
    const std::pair<std::u16string, std::optional<TargetChoice>> cases[] = {
        {u"AutoCAD", TargetChoice::AutoCad},
        {u"BricsCAD", TargetChoice::BricsCad},
        {u"IJCAD", TargetChoice::IJCad},
        {u"IJCAD / AutoCAD", TargetChoice::AutoCad},
        {u"IJ Brics", TargetChoice::BricsCad},
        {u"Brics Auto", TargetChoice::AutoCad},
        {u"ターゲットCAD = 自動", TargetChoice::Automatic},
        {u"自動 IJCAD", TargetChoice::IJCad},
        {u"自 動", std::nullopt},
        {u"autocad", std::nullopt},
        {u"ij", std::nullopt},
        {u"", std::nullopt},
    };
    for (const auto& [caption, target] : cases) {
        EXPECT_EQ(targetChoiceOf(caption), target) << toUtf8(caption);
    }

    CadSim autocad({u"--kind", u"autocad"});
    CadSim ijcad({u"--kind", u"ijcad-intelli"});
    runSelectedNode(1, {{1, u"LINE", u"線分", u"", u""}}, seamFor(u"IJCAD / AutoCAD"));
    EXPECT_EQ(autocad.takeMessages(), copyDataOf(u"\x03") + copyDataOf(u"LINE\r"));
    EXPECT_TRUE(ijcad.takeMessages().empty());
}

TEST_F(Execution, NoTargetInTheCaptionSendsNothingButStillStartsAndWarns) {
    CadSim sim({u"--kind", u"bricscad"});
    const TLspRecords records{
        {0, u"LINE", u"線分", u"", u""},
        {1, u"CALC", u"電卓", u"calc.exe", u"/x"},
        {2, u"GONE", u"無い", u"C:\\nowhere\\gone.lsp", u""},
    };
    const ExecutionSeam seam = seamFor(u"なし");
    for (const TLspRecord& record : records) {
        runSelectedNode(record.row, records, seam);
    }
    EXPECT_EQ(captions, (std::vector<std::u16string>{u"LINE", u"CALC", u"GONE"}));
    EXPECT_EQ(started, (std::vector<std::pair<std::u16string, std::u16string>>{{u"calc.exe", u"/x"}}));
    EXPECT_EQ(boxes, std::vector<std::u16string>{u"C:\\nowhere\\gone.lsp\nファイルが見つかりません．"});
    EXPECT_TRUE(sim.takeMessages().empty());
}

TEST_F(Execution, TargetNotFoundShowsItsMessageOnce) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"AutoCAD", u"有効な AutoCAD が見つかりません．"},
        {u"BricsCAD", std::u16string(kBricsCadNotFound)},
        {u"IJCAD", u"有効な IJCAD が見つかりません．"},
    };
    const TLspRecords records{{0, u"LINE", u"線分", u"", u""}};
    for (const auto& [caption, message] : cases) {
        clearRecords();
        runSelectedNode(0, records, seamFor(caption));
        EXPECT_EQ(boxes, std::vector<std::u16string>{message}) << toUtf8(caption);
    }

    // IJCAD without its command line cannot take keystrokes: not found either, and nothing arrives.
    CadSim ijcad({u"--kind", u"ijcad-intelli", u"--title", u"IJCAD 2023 - [Drawing1.dwg]"});
    clearRecords();
    runSelectedNode(0, records, seamFor(u"IJCAD"));
    EXPECT_EQ(boxes, std::vector<std::u16string>{u"有効な IJCAD が見つかりません．"});
    EXPECT_TRUE(ijcad.takeMessages().empty());
}

// 自動 goes to the CAD whose window is nearest the top of the window order, whichever started first.
TEST_F(Execution, AutomaticTargetIsTheCadBroughtForwardLast) {
    CadSim autocad({u"--kind", u"autocad"});
    CadSim bricscad({u"--kind", u"bricscad"}); // started last: in front of AutoCAD
    const TLspRecords records{{1, u"LINE", u"線分", u"", u""}};
    const struct {
        CadSim* front;
        CadSim* behind;
        std::u16string cancel;
    } cases[] = {{&autocad, &bricscad, u"\x03"}, {&bricscad, &autocad, u"\x1b"}};
    for (const auto& c : cases) {
        SetForegroundWindow(c.front->window());
        c.front->sync();
        c.behind->sync();
        ASSERT_EQ(testing::foregroundWindowAfterSettling(c.front->window()), c.front->window());
        runSelectedNode(1, records, seamFor(u"ターゲットCAD = 自動"));
        EXPECT_EQ(c.front->takeMessages(), copyDataOf(c.cancel) + copyDataOf(u"LINE\r"));
        EXPECT_TRUE(c.behind->takeMessages().empty());
    }
    EXPECT_TRUE(boxes.empty());
}

// A first start targets BricsCAD whatever the user has: when the chosen CAD does not run but another does, the box
// says which runs and how to choose it; the ESC button says so too. 自動 only tells when no CAD runs at all.
TEST_F(Execution, ChosenCadNotRunningNamesTheOneThatRuns) {
    const std::u16string autoCadRunsInstead =
        u"有効な BricsCAD が見つかりません．\n（起動しているのは AutoCAD です．パレットを右クリックし、"
        u"「ターゲットCAD」で AutoCAD か「自動」を選んでください．）";
    const struct {
        std::u16string caption;
        std::optional<TargetCad> running; // the senders find nothing all the same
        std::u16string atDoubleClick;
        std::u16string atEsc; // empty: no box
    } cases[] = {
        {u"BricsCAD", TargetCad::AutoCad, autoCadRunsInstead, autoCadRunsInstead},
        {u"IJCAD", TargetCad::BricsCad,
         u"有効な IJCAD が見つかりません．\n（起動しているのは BricsCAD です．パレットを右クリックし、"
         u"「ターゲットCAD」で BricsCAD か「自動」を選んでください．）",
         u"有効な IJCAD が見つかりません．\n（起動しているのは BricsCAD です．パレットを右クリックし、"
         u"「ターゲットCAD」で BricsCAD か「自動」を選んでください．）"},
        {u"BricsCAD", std::nullopt, std::u16string(kBricsCadNotFound), u""},
        {u"BricsCAD", TargetCad::BricsCad, std::u16string(kBricsCadNotFound), u""}, // closed meanwhile
        {u"自動", std::nullopt, u"有効な CAD が見つかりません．", u""},
        {u"自動", TargetCad::IJCad, u"有効な IJCAD が見つかりません．", u""}, // IJCAD without its command line
    };
    const TLspRecords records{{0, u"LINE", u"線分", u"", u""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.caption + u" " + c.atDoubleClick));
        ExecutionSeam seam = seamFor(c.caption);
        const CadSender none = [](std::u16string_view, DeliveryDeadline) { return CadSendResult::NotFound; };
        seam.sendToAutoCad = seam.sendToBricsCad = seam.sendToIJCad = none;
        seam.runningCad = [&] { return c.running; };
        clearRecords();
        runSelectedNode(0, records, seam);
        EXPECT_EQ(boxes, std::vector<std::u16string>{c.atDoubleClick});
        clearRecords();
        sendCancelToTarget(seam);
        EXPECT_EQ(boxes, c.atEsc.empty() ? std::vector<std::u16string>{} : std::vector{c.atEsc});
    }
}

TEST_F(Execution, EscButtonSendsTheCancelCharacterAloneAndIsSilentWithoutACad) {
    {
        CadSim sim({u"--kind", u"autocad"});
        sendCancelToTarget(seamFor(u"AutoCAD"));
        EXPECT_EQ(sim.takeMessages(), copyDataOf(u"\x03"));
    }
    sendCancelToTarget(seamFor(u"BricsCAD")); // no CAD running
    sendCancelToTarget(seamFor(u"なし"));
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(captions.empty());
}

// A delivery that does not go through is told in a box, and nothing more is sent for that command: no command
// after a cancel that did not arrive. The box says whether the command is on its way. The ESC button tells the
// same, except that no CAD runs. The cancel and the command share one deadline.
TEST_F(Execution, DeliveryThatDoesNotGoThroughIsReportedAndEndsTheCommand) {
    const std::u16string notSent =
        u"BricsCAD が応答しません．（処理中か、応答なしの状態です．コマンドは送っていません．）";
    const struct {
        CadSendResult result;
        std::u16string atCancel;  // the cancel before the command failed
        std::u16string atCommand; // the command after a cancel that was taken failed
        std::u16string atEsc;     // the ESC button's cancel failed (none shown when empty)
    } cases[] = {
        {CadSendResult::NotFound, std::u16string(kBricsCadNotFound), std::u16string(kBricsCadNotFound), u""},
        {CadSendResult::NotAccepting,
         u"BricsCAD が入力を受け付けていません．\n（開いているダイアログを閉じてから、もう一度実行してください．）",
         u"BricsCAD が入力を受け付けていません．\n（開いているダイアログを閉じてから、もう一度実行してください．）",
         u"BricsCAD が入力を受け付けていません．\n（開いているダイアログを閉じてから、もう一度実行してください．）"},
        {CadSendResult::Blocked,
         u"Windows が BricsCAD へのメッセージを遮断しました．\n（BricsCAD が Merulan "
         u"より高い権限で実行されています．両方を同じ方法で起動してください．）",
         u"Windows が BricsCAD へのメッセージを遮断しました．\n（BricsCAD が Merulan "
         u"より高い権限で実行されています．両方を同じ方法で起動してください．）",
         u"Windows が BricsCAD へのメッセージを遮断しました．\n（BricsCAD が Merulan "
         u"より高い権限で実行されています．両方を同じ方法で起動してください．）"},
        {CadSendResult::NotResponding, notSent,
         u"BricsCAD が応答しません．\n（コマンドは送ってあり、BricsCAD "
         u"が応答を再開すると実行されます．もう一度実行しないでください．）",
         u"BricsCAD が応答しません．（処理中か、応答なしの状態です．）"},
        {CadSendResult::NotSentInTime, notSent, notSent, notSent},
        {CadSendResult::CutShort, u"",
         u"BricsCAD が応答しません．\n（コマンドは途中までしか送れませんでした．BricsCAD "
         u"が応答を再開したら、コマンドラインの入力を取り消してください．）",
         u""},
    };
    const TLspRecords records{{0, u"LINE", u"線分", u"", u""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(toUtf8(c.atCommand));
        for (const size_t failing : {0u, 1u}) { // the cancel, or the command after it
            const std::u16string& message = failing == 0 ? c.atCancel : c.atCommand;
            if (message.empty()) {
                continue; // a one-character cancel is never cut short
            }
            clearRecords();
            std::vector<std::u16string> sent;
            std::vector<DeliveryDeadline> deadlines;
            ExecutionSeam seam = seamFor(u"BricsCAD");
            seam.sendToBricsCad = [&](std::u16string_view text, DeliveryDeadline deadline) {
                sent.emplace_back(text);
                deadlines.push_back(deadline);
                return sent.size() == failing + 1 ? c.result : CadSendResult::Sent;
            };
            runSelectedNode(0, records, seam);
            EXPECT_EQ(sent.size(), failing + 1);
            EXPECT_EQ(boxes, std::vector<std::u16string>{message});
            EXPECT_EQ(deadlines.front(), deadlines.back()) << "one deadline for the cancel and the command";

            if (failing == 0) {
                clearRecords();
                sent.clear();
                sendCancelToTarget(seam);
                EXPECT_EQ(boxes, c.atEsc.empty() ? std::vector<std::u16string>{} : std::vector{c.atEsc});
            }
        }
    }
}

// Decided before anything reaches the CAD: not even the cancel is sent for a command that cannot go. IJCAD's
// keystrokes carry any length.
TEST_F(Execution, CommandTooLongForOneDeliveryIsRefusedWithAMessage) {
    const std::u16string longest(kCopyDataMaxChars - 1, u'x'); // with its carriage return, 511
    const std::u16string tooLong(kCopyDataMaxChars, u'x');
    const TLspRecords records{{0, longest, u"長い", u"", u""}, {1, tooLong, u"長すぎる", u"", u""}};
    {
        CadSim sim({u"--kind", u"bricscad"});
        runSelectedNode(0, records, seamFor(u"BricsCAD"));
        const auto received = sim.takeMessages();
        ASSERT_EQ(received, copyDataOf(u"\x1b") + copyDataOf(longest + u"\r"));
        EXPECT_EQ(received[2].cbData, 1024u);
        EXPECT_TRUE(boxes.empty());
    }
    for (const auto& [kind, caption] : {std::pair{u"bricscad", u"BricsCAD"}, {u"ijcad-intelli", u"IJCAD"}}) {
        SCOPED_TRACE(toUtf8(kind));
        clearRecords();
        CadSim sim({u"--kind", kind});
        runSelectedNode(1, records, seamFor(caption));
        EXPECT_TRUE(sim.takeMessages().empty());
        EXPECT_EQ(
            boxes,
            std::vector<std::u16string>{
                u"コマンドが長すぎるため送れません．\n（CAD へ一度に送れるのは改行を含めて 511 文字までです．）"});
    }
    // The keystrokes themselves are the CAD link's test; here the command only has to go.
    clearRecords();
    CadSim ijcad({u"--kind", u"ijcad"});
    ExecutionSeam seam = seamFor(u"IJCAD");
    std::vector<std::u16string> sent;
    seam.sendToIJCad = [&](std::u16string_view text, DeliveryDeadline) {
        sent.emplace_back(text);
        return CadSendResult::Sent;
    };
    runSelectedNode(1, records, seam);
    EXPECT_EQ(sent, (std::vector<std::u16string>{u"\x1b", tooLong + u"\r"}));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Execution, EnterRunsTheNodeSelectedInTheTree) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&controls));
    const HWND tree = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_OVERLAPPED, 0, 0, 200, 200, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(tree);
    auto insert = [&](const wchar_t* text, LPARAM tag) {
        TVINSERTSTRUCTW item{};
        item.hInsertAfter = TVI_LAST;
        item.item.mask = TVIF_TEXT | TVIF_PARAM;
        item.item.pszText = const_cast<wchar_t*>(text);
        item.item.lParam = tag;
        return TreeView_InsertItem(tree, &item);
    };
    insert(L"作図", 5);
    const HTREEITEM heading = insert(L"修正", 9);
    const TLspRecords records{{5, u"作図", u"", u"", u""}, {9, u"修正", u"", u"", u""}};

    TreeView_SelectItem(tree, nullptr);
    EXPECT_EQ(selectedNodeTag(tree), std::nullopt);
    runSelectedNode(selectedNodeTag(tree), records, seamFor(u"BricsCAD"));
    EXPECT_TRUE(captions.empty());

    TreeView_SelectItem(tree, heading);
    EXPECT_EQ(selectedNodeTag(tree), 9);
    runSelectedNode(selectedNodeTag(tree), records, seamFor(u"BricsCAD"));
    EXPECT_EQ(captions, std::vector<std::u16string>{u"修正"});
    DestroyWindow(tree);
}

TEST(ResolveEntryPath, MerulanFolderFormsMoveToTheExecutableFolder) {
    const std::set<std::u16string> existing{u"C:\\Lisp\\Merulan\\a.lsp", u"Merulan\\b.lsp",
                                            u"\\\\server\\Merulan\\e.lsp"};
    ExecutionSeam seam;
    seam.executableFolder = [] { return std::u16string(u"C:\\Palette\\"); };
    seam.fileExists = [&](const std::u16string& path) { return existing.count(path) > 0; };
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"C:\\Lisp\\Merulan\\a.lsp", u"C:\\Lisp\\Merulan\\a.lsp"}, // exists: as written
        {u"\\\\server\\Merulan\\e.lsp", u"\\\\server\\Merulan\\e.lsp"},
        {u"C:\\Old\\Merulan\\c.lsp", u"C:\\Palette\\c.lsp"}, // stale
        {u"Merulan\\b.lsp", u"C:\\Palette\\b.lsp"},          // relative: never the current folder's
        {u"merulan\\B.LSP", u"C:\\Palette\\B.LSP"},
        {u"X:Merulan\\d.exe", u"C:\\Palette\\d.exe"},
        {u"C:\\My Merulan\\g.exe", u"C:\\Palette\\g.exe"},
        {u"C:\\MerulanTools\\f.lsp", u"C:\\MerulanTools\\f.lsp"},
        {u"C:\\Lisp\\tools.lsp", u"C:\\Lisp\\tools.lsp"},
        {u"calc.exe", u"calc.exe"},
    };
    for (const auto& [exe, path] : cases) {
        EXPECT_EQ(resolveEntryPath(exe, seam), path) << toUtf8(exe);
    }
    // An entry of the office's shared list: beside the shared list.
    seam.sharedListFolder = [] { return std::u16string(u"\\\\cad\\lisp\\"); };
    EXPECT_EQ(resolveEntryPath(u"Merulan\\b.lsp", seam, true), u"\\\\cad\\lisp\\b.lsp");
    EXPECT_EQ(resolveEntryPath(u"C:\\Lisp\\Merulan\\a.lsp", seam, true), u"C:\\Lisp\\Merulan\\a.lsp");
}

} // namespace
} // namespace merulan
