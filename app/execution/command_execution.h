// What a double-click on a tree node (or Enter on it) and the "ESC" button do: send the entry's command to the
// target CAD, have it load a LISP file, or start a program. Written against ExecutionSeam, which the palette
// window fills with its own caption, menu and boxes, so that the same code runs from the window and from tests.
#pragma once

#include "cadCtrl2023/cad_send_result.h"
#include "cmdlist/lsp_record.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace merulan {

using CadSender = std::function<CadSendResult(std::u16string_view text, DeliveryDeadline deadline)>;

// What CAD1's caption chooses: one CAD, or 自動, the CAD whose window is nearest the top of the window order (the
// one the user worked in last) when the command goes.
enum class TargetChoice { AutoCad, BricsCad, IJCad, Automatic };
inline constexpr std::u16string_view kAutomaticTargetName = u"自動";

struct ExecutionSeam {
    std::function<void(const std::u16string& caption)> setWindowCaption;
    std::function<std::u16string()> targetCadCaption; // the caption of the menu item CAD1
    std::function<std::u16string()> executableFolder; // up to and including its last backslash
    std::function<std::u16string()> sharedListFolder; // the folder of the office's shared list, if any
    std::function<bool(const std::u16string& path)> fileExists;
    // The shared list's server cannot be read now (its copy is shown): its files are not looked for, since a
    // look at an absent server holds the palette for the network's timeout. Unset: never.
    std::function<bool()> sharedServerAway;
    // The shell's "open" verb; whether it worked is not reported.
    std::function<void(const std::u16string& file, const std::u16string& parameters)> startProgram;
    std::function<void(const std::u16string& text)> showInformation;
    CadSender sendToAutoCad;
    CadSender sendToBricsCad;
    CadSender sendToIJCad;
    // Whether the target now takes keystrokes, which carry any length, rather than copy-data.
    std::function<bool(TargetCad cad)> takesKeystrokes;
    // The CAD whose window is nearest the top of the window order; nothing when none runs.
    std::function<std::optional<TargetCad>()> runningCad;
    std::function<void()> pauseBeforeCommand;   // 100 ms, so that the CAD has finished cancelling
    std::function<DeliveryDeadline()> deadline; // when one double-click's deliveries must be done
};

// "Auto", "Brics", "IJ", "自動" tested in that order, letter case counting; none of them selects no target.
std::optional<TargetChoice> targetChoiceOf(std::u16string_view cad1Caption);
// Ctrl+C for AutoCAD, ESC for the others.
char16_t cancelCharacterOf(TargetCad cad);
// "AutoCAD", "BricsCAD" or "IJCAD", as the user's boxes and tips name it.
std::u16string_view cadNameOf(TargetCad cad);
// "有効な BricsCAD が見つかりません．"
std::u16string notFoundMessageOf(TargetCad cad);
// The chosen CAD is not found while another runs: the not-found message, then which CAD runs and how to choose it.
std::u16string otherCadRunsMessageOf(TargetCad chosen, TargetCad running);
// 自動 finds no CAD.
inline constexpr std::u16string_view kNoCadRunsMessage = u"有効な CAD が見つかりません．";
// Which delivery of the palette did not go through: the ESC button's cancel, the cancel before a command, or
// the command after a cancel that was taken.
enum class Delivery { Cancel, CancelBeforeCommand, Command };
// What the user is told when a delivery did not go through, so that the user knows whether the command will
// still run; empty for Sent.
std::u16string failureMessageOf(TargetCad cad, CadSendResult result, Delivery delivery = Delivery::Cancel);
// The tooltip of the "ESC" button: "BricsCAD に ESC を送る", or that no target is chosen.
std::u16string cancelButtonTipOf(std::optional<TargetChoice> choice);

// The file an entry's `exe` names: a full path naming an existing file as written; otherwise a path holding
// "MERULAN\" (any case) means the file of that name in the executable folder, or for an entry of the shared
// list in the shared list's folder (the CAD manager keeps the sources beside it); anything else as written.
std::u16string resolveEntryPath(const std::u16string& exe, const ExecutionSeam& seam, bool shared = false);

// Runs the entry behind the selected tree node: the double-click, and Enter in the tree or in the search box
// (which act on the node selected in the tree). No node selected, or no record with its tag: nothing happens.
// A command too long for the target's delivery is refused before anything reaches the CAD; a cancel or command
// that does not go through is reported, and nothing further is sent. 自動 finds the CAD once, before the cancel.
void runSelectedNode(std::optional<std::int32_t> selectedTag, const TLspRecords& lspRecords, const ExecutionSeam& seam);

// The "ESC" button: the target's cancel character alone. Nothing is shown when it arrives or when no CAD runs;
// a CAD that is found but does not take it (not responding, a dialog open, blocked), and a chosen CAD that does
// not run while another does, are reported.
void sendCancelToTarget(const ExecutionSeam& seam);

inline constexpr std::u16string_view kFileNotFoundMessage = u"ファイルが見つかりません．";
inline constexpr std::u16string_view kSharedServerAwayMessage =
    u"共有リストのサーバーから読めないため、このファイルは使えません．";
// "コマンドが長すぎるため送れません．\n（CAD へ一度に送れるのは改行を含めて 511 文字までです．）", the number
// being what one copy-data delivery carries.
std::u16string commandTooLongMessage();

} // namespace merulan
