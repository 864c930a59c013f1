#include "app/drop/drop_import.h"

#include "cmdlist/list_file.h"
#include "lispindex/source_import.h"
#include "text/u16text.h"

namespace merulan {

DropImportSeams fileSystemSeams() {
    return {};
}

std::u16string importQuestion(std::size_t entries, std::size_t sources, ListWrite how) {
    const std::u16string count = decimalText(static_cast<long long>(entries));
    std::u16string question = sources > 1 ? count + u" 個のコマンドが " + decimalText(static_cast<long long>(sources)) +
                                                u" 個のファイルから検出されました．\n"
                                          : count + u" 個のコマンドが検出されました．\n";
    question += how == ListWrite::Append ? u"現在のコマンドリストの後に追加しますか？\n"
                                         : u"コマンドリストを置き換えますか？\n";
    return question + u"(現在のコマンドリストは日付時刻を追加したファイル名で保存されます)";
}

std::u16string listBackupPath(std::u16string_view listFolder, const StampTime& time) {
    return backupPathFor(std::u16string(listFolder) + std::u16string(kListFileName), time);
}

DropImportResult importLispSources(const std::vector<std::u16string>& sourcePaths, const std::u16string& listPath,
                                   const std::u16string& exeFolder, ListWrite how, const AnsiCodePage& ansi,
                                   TextCompare compare, const DropImportSeams& seams) {
    const NewList list = newListOf(indexLispSources(sourcePaths, ansi, compare), exeFolder);
    if (list.lines.empty()) {
        return DropImportResult::NoCommands;
    }
    if (!seams.askYesNo(importQuestion(list.entries, list.blocks, how))) {
        return DropImportResult::Declined;
    }
    // The time stamp is the moment of the answer, not of the drop.
    const std::u16string backupPath = backupPathFor(listPath, seams.localTime());
    writeListFile(listPath, list.lines, how, backupPath, ansi, seams);
    return DropImportResult::ListWritten;
}

} // namespace merulan
