#include "app/execution/command_execution.h"

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

// "C:\", "C:/" or "\\server": a path that does not depend on the current folder.
bool isFullPath(std::u16string_view path) {
    const bool drive = path.size() >= 3 &&
                       ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z')) &&
                       path[1] == u':' && (path[2] == u'\\' || path[2] == u'/');
    return drive || beginsWith(path, u"\\\\");
}

std::u16string doubledBackslashes(std::u16string_view path) {
    std::u16string doubled;
    doubled.reserve(path.size() + static_cast<size_t>(std::count(path.begin(), path.end(), u'\\')));
    for (const char16_t c : path) {
        doubled += c;
        if (c == u'\\') {
            doubled += c;
        }
    }
    return doubled;
}

// The text a command entry sends, or empty when the entry is done with (a program started, a file missing).
std::u16string commandTextOf(const TLspRecord& record, const ExecutionSeam& seam) {
    const std::u16string extension(extensionOf(upperAscii(record.exe)));
    if (extension == u".LSP") {
        const std::u16string path = resolveEntryPath(record.exe, seam);
        if (!seam.fileExists(path)) {
            seam.showInformation(path + u"\n" + std::u16string(kFileNotFoundMessage));
            return {};
        }
        // The path goes inside a LISP string, where a backslash starts an escape.
        return u"(load \"" + doubledBackslashes(path) + u"\")(princ)";
    }
    if (extension == u".EXE") {
        seam.startProgram(resolveEntryPath(record.exe, seam), record.opt);
        return {};
    }
    return record.cmd;
}

} // namespace

std::optional<TargetCad> targetCadOf(std::u16string_view cad1Caption) {
    if (contains(cad1Caption, u"Auto")) {
        return TargetCad::AutoCad;
    }
    if (contains(cad1Caption, u"Brics")) {
        return TargetCad::BricsCad;
    }
    if (contains(cad1Caption, u"IJ")) {
        return TargetCad::IJCad;
    }
    return std::nullopt;
}

char16_t cancelCharacterOf(TargetCad cad) {
    return cad == TargetCad::AutoCad ? kCtrlC : kEsc;
}

std::u16string_view notFoundMessageOf(TargetCad cad) {
    switch (cad) {
    case TargetCad::AutoCad:
        return u"有効な AutoCAD が見つかりません．";
    case TargetCad::BricsCad:
        return u"有効な BricsCAD が見つかりません．";
    case TargetCad::IJCad:
        break;
    }
    return u"有効な IJCAD が見つかりません．";
}

std::u16string cancelButtonTipOf(std::optional<TargetCad> cad) {
    if (!cad) {
        return u"ターゲット CAD が選ばれていません";
    }
    std::u16string tip = *cad == TargetCad::AutoCad ? u"AutoCAD" : *cad == TargetCad::BricsCad ? u"BricsCAD" : u"IJCAD";
    return tip + u" に ESC を送る";
}

std::u16string resolveEntryPath(const std::u16string& exe, const ExecutionSeam& seam) {
    // A full path to an existing file is taken as written, even inside a folder called Merulan: the list entry
    // names exactly that file. Only the relative "Merulan\name" form and stale paths move to our own folder.
    if (isFullPath(exe) && seam.fileExists(exe)) {
        return exe;
    }
    if (contains(upperAscii(exe), u"MERULAN\\")) {
        return seam.executableFolder() + std::u16string(fileNameOf(exe));
    }
    return exe;
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
    const auto target = targetCadOf(seam.targetCadCaption());
    if (!target) {
        return;
    }
    const CadSender& send = senderOf(*target, seam);
    if (!send(std::u16string(1, cancelCharacterOf(*target)))) {
        seam.showInformation(std::u16string(notFoundMessageOf(*target)));
        return;
    }
    seam.pauseBeforeCommand();
    if (send(commandText + u"\r").tooLong) {
        seam.showInformation(std::u16string(kCommandTooLongMessage));
    }
}

void sendCancelToTarget(const ExecutionSeam& seam) {
    if (const auto target = targetCadOf(seam.targetCadCaption())) {
        senderOf(*target, seam)(std::u16string(1, cancelCharacterOf(*target)));
    }
}

} // namespace merulan
