#include "app/execution/command_execution.h"

#include "cmdlist/entry_files.h"
#include "text/u16text.h"

#include <algorithm>

namespace merulan {

namespace {

constexpr char16_t kCtrlC = 3;
constexpr char16_t kEsc = 27;

const CadSender& senderOf(TargetCad cad, const ExecutionSeam& seam) {
    switch (cad) {
    case TargetCad::AutoCad:
        return seam.sendToAutoCad;
    case TargetCad::BricsCad:
        return seam.sendToBricsCad;
    case TargetCad::IJCad:
        break;
    }
    return seam.sendToIJCad;
}

// The text a command entry sends, or empty when the entry is done with (a program started, a file missing).
std::u16string commandTextOf(const TLspRecord& record, const ExecutionSeam& seam) {
    const EntryFile file = entryFileOf(record.exe);
    if (record.shared && file != EntryFile::None && seam.sharedServerAway && seam.sharedServerAway()) {
        seam.showInformation(record.exe + u"\n" + std::u16string(kSharedServerAwayMessage));
        return {};
    }
    switch (file) {
    case EntryFile::Lisp: {
        const std::u16string path = resolveEntryPath(record.exe, seam, record.shared);
        if (!seam.fileExists(path)) {
            seam.showInformation(path + u"\n" + std::u16string(kFileNotFoundMessage));
            return {};
        }
        return lispLoadExpression(path);
    }
    case EntryFile::Program:
        seam.startProgram(resolveEntryPath(record.exe, seam, record.shared), record.opt);
        return {};
    case EntryFile::None:
        break;
    }
    return record.cmd;
}

// The CAD a command goes to: the one chosen by name, or for 自動 the one running nearest the top now.
struct Target {
    TargetCad cad;
    bool automatic;
};

// The CAD a choice names; nothing for 自動.
std::optional<TargetCad> namedCadOf(TargetChoice choice) {
    switch (choice) {
    case TargetChoice::AutoCad:
        return TargetCad::AutoCad;
    case TargetChoice::BricsCad:
        return TargetCad::BricsCad;
    case TargetChoice::IJCad:
        return TargetCad::IJCad;
    case TargetChoice::Automatic:
        break;
    }
    return std::nullopt;
}

std::optional<Target> resolve(TargetChoice choice, const ExecutionSeam& seam) {
    if (const std::optional<TargetCad> named = namedCadOf(choice)) {
        return Target{*named, false};
    }
    const std::optional<TargetCad> running = seam.runningCad();
    return running ? std::optional<Target>(Target{*running, true}) : std::nullopt;
}

// A CAD chosen by name that does not run, while another does: the user is told which runs and how to choose it
// (a first start targets BricsCAD, whatever the user has). Nothing when no other CAD runs.
std::optional<std::u16string> otherCadRuns(const Target& target, const ExecutionSeam& seam) {
    if (target.automatic) {
        return std::nullopt; // it was the one running nearest the top; another one is no better choice
    }
    const std::optional<TargetCad> running = seam.runningCad();
    if (!running || *running == target.cad) {
        return std::nullopt;
    }
    return otherCadRunsMessageOf(target.cad, *running);
}

// Shows the box for a delivery that did not go through; false when it did.
bool reportedFailure(const Target& target, CadSendResult result, Delivery delivery, const ExecutionSeam& seam) {
    if (result == CadSendResult::Sent) {
        return false;
    }
    const std::optional<std::u16string> other =
        result == CadSendResult::NotFound ? otherCadRuns(target, seam) : std::nullopt;
    seam.showInformation(other ? *other : failureMessageOf(target.cad, result, delivery));
    return true;
}

} // namespace

std::u16string commandTooLongMessage() {
    return formatText(u"コマンドが長すぎるため送れません．\n（CAD へ一度に送れるのは改行を含めて %s 文字までです．）",
                      {decimalText(static_cast<long long>(kCopyDataMaxChars))});
}

std::optional<TargetChoice> targetChoiceOf(std::u16string_view cad1Caption) {
    if (contains(cad1Caption, u"Auto")) {
        return TargetChoice::AutoCad;
    }
    if (contains(cad1Caption, u"Brics")) {
        return TargetChoice::BricsCad;
    }
    if (contains(cad1Caption, u"IJ")) {
        return TargetChoice::IJCad;
    }
    if (contains(cad1Caption, kAutomaticTargetName)) {
        return TargetChoice::Automatic;
    }
    return std::nullopt;
}

char16_t cancelCharacterOf(TargetCad cad) {
    return cad == TargetCad::AutoCad ? kCtrlC : kEsc;
}

std::u16string_view cadNameOf(TargetCad cad) {
    switch (cad) {
    case TargetCad::AutoCad:
        return u"AutoCAD";
    case TargetCad::BricsCad:
        return u"BricsCAD";
    case TargetCad::IJCad:
        break;
    }
    return u"IJCAD";
}

std::u16string notFoundMessageOf(TargetCad cad) {
    return u"有効な " + std::u16string(cadNameOf(cad)) + u" が見つかりません．";
}

std::u16string otherCadRunsMessageOf(TargetCad chosen, TargetCad running) {
    const std::u16string name(cadNameOf(running));
    return notFoundMessageOf(chosen) + u"\n（起動しているのは " + name +
           u" です．パレットを右クリックし、「ターゲットCAD」で " + name + u" か「" +
           std::u16string(kAutomaticTargetName) + u"」を選んでください．）";
}

std::u16string failureMessageOf(TargetCad cad, CadSendResult result, Delivery delivery) {
    const std::u16string name(cadNameOf(cad));
    const std::u16string notAnswering = name + u" が応答しません．";
    // After a double-click the user must know whether the command is on its way: one that went out before the
    // CAD stopped answering runs when it answers again, and sent a second time it would run twice.
    const std::u16string commandNotSent =
        notAnswering + u"（処理中か、応答なしの状態です．コマンドは送っていません．）";
    switch (result) {
    case CadSendResult::Sent:
        break;
    case CadSendResult::NotFound:
        return notFoundMessageOf(cad);
    case CadSendResult::TooLong:
        return commandTooLongMessage();
    case CadSendResult::NotAccepting:
        return name +
               u" が入力を受け付けていません．\n（開いているダイアログを閉じてから、もう一度実行してください．）";
    case CadSendResult::Blocked:
        return u"Windows が " + name + u" へのメッセージを遮断しました．\n（" + name +
               u" が Merulan より高い権限で実行されています．両方を同じ方法で起動してください．）";
    case CadSendResult::NotResponding:
        if (delivery == Delivery::Command) {
            return notAnswering + u"\n（コマンドは送ってあり、" + name +
                   u" が応答を再開すると実行されます．もう一度実行しないでください．）";
        }
        return delivery == Delivery::CancelBeforeCommand ? commandNotSent
                                                         : notAnswering + u"（処理中か、応答なしの状態です．）";
    case CadSendResult::NotSentInTime:
        return commandNotSent;
    case CadSendResult::CutShort:
        return notAnswering + u"\n（コマンドは途中までしか送れませんでした．" + name +
               u" が応答を再開したら、コマンドラインの入力を取り消してください．）";
    }
    return {};
}

std::u16string cancelButtonTipOf(std::optional<TargetChoice> choice) {
    if (!choice) {
        return u"ターゲット CAD が選ばれていません";
    }
    const std::optional<TargetCad> named = namedCadOf(*choice);
    return (named ? std::u16string(cadNameOf(*named)) : u"最後に使った CAD") + u" に ESC を送る";
}

std::u16string resolveEntryPath(const std::u16string& exe, const ExecutionSeam& seam, bool shared) {
    return resolveEntryPath(exe, shared ? seam.sharedListFolder() : seam.executableFolder(), seam.fileExists);
}

void runSelectedNode(std::optional<std::int32_t> selectedTag, const TLspRecords& lspRecords,
                     const ExecutionSeam& seam) {
    if (!selectedTag) {
        return;
    }
    const auto found = std::find_if(lspRecords.begin(), lspRecords.end(),
                                    [&](const TLspRecord& record) { return record.row == *selectedTag; });
    if (found == lspRecords.end()) {
        return;
    }
    // A copy: a box below runs a nested message loop, in which the table may be reloaded.
    const TLspRecord record = *found;
    seam.setWindowCaption(record.cmd);

    const std::u16string commandText = commandTextOf(record, seam);
    if (commandText.empty() || record.cmt.empty()) {
        return;
    }
    const auto choice = targetChoiceOf(seam.targetCadCaption());
    if (!choice) {
        return;
    }
    const std::optional<Target> target = resolve(*choice, seam);
    if (!target) {
        seam.showInformation(std::u16string(kNoCadRunsMessage));
        return;
    }
    const std::u16string command = commandText + u"\r";
    // Decided before the cancel: a command that cannot go should not disturb the CAD at all.
    if (command.size() > kCopyDataMaxChars && !seam.takesKeystrokes(target->cad)) {
        seam.showInformation(commandTooLongMessage());
        return;
    }
    const CadSender& send = senderOf(target->cad, seam);
    const DeliveryDeadline deadline = seam.deadline();
    // A command after a cancel that did not arrive would run in the middle of whatever the CAD is doing.
    if (reportedFailure(*target, send(std::u16string(1, cancelCharacterOf(target->cad)), deadline),
                        Delivery::CancelBeforeCommand, seam)) {
        return;
    }
    seam.pauseBeforeCommand();
    reportedFailure(*target, send(command, deadline), Delivery::Command, seam);
}

void sendCancelToTarget(const ExecutionSeam& seam) {
    const auto choice = targetChoiceOf(seam.targetCadCaption());
    const std::optional<Target> target = choice ? resolve(*choice, seam) : std::nullopt;
    if (!target) {
        return;
    }
    const CadSendResult result =
        senderOf(target->cad, seam)(std::u16string(1, cancelCharacterOf(target->cad)), seam.deadline());
    // With no CAD running there is nothing to cancel. One that runs but did not take the cancel is worth
    // knowing about: the user pressed ESC because it is busy; so is another CAD than the one chosen.
    if (result != CadSendResult::NotFound) {
        reportedFailure(*target, result, Delivery::Cancel, seam);
    } else if (const auto other = otherCadRuns(*target, seam)) {
        seam.showInformation(*other);
    }
}

} // namespace merulan
