#include "app/execution/win32_execution_seam.h"

#include "cadCtrl2023/cadCtrl2023.h"
#include "platform/text_file.h"
#include "platform/win/wide.h"
#include "text/u16text.h"

#include <commctrl.h>
#include <shellapi.h>
#include <utility>

namespace merulan {

ExecutionSeam win32ExecutionSeam(HWND window, std::function<std::u16string()> targetCadCaption,
                                 std::function<void(const std::u16string& text)> showInformation) {
    ExecutionSeam seam;
    seam.setWindowCaption = [window](const std::u16string& caption) { SetWindowTextW(window, wide(caption)); };
    seam.targetCadCaption = std::move(targetCadCaption);
    seam.executableFolder = [] { return std::u16string(folderOf(executablePath())); };
    seam.fileExists = [](const std::u16string& path) { return fileExists(path); };
    seam.startProgram = [window](const std::u16string& file, const std::u16string& parameters) {
        ShellExecuteW(window, L"open", wide(file), wide(parameters), nullptr, SW_SHOWNORMAL);
    };
    seam.showInformation = std::move(showInformation);
    seam.sendToAutoCad = cadCtrl2023::sendToAutoCad;
    seam.sendToBricsCad = cadCtrl2023::sendToBricsCad;
    seam.sendToIJCad = cadCtrl2023::sendToIJCad;
    seam.takesKeystrokes = [](TargetCad cad) { return cad == TargetCad::IJCad && cadCtrl2023::ijCadTakesKeystrokes(); };
    seam.pauseBeforeCommand = [] { Sleep(100); };
    return seam;
}

std::optional<std::int32_t> selectedNodeTag(HWND treeView) {
    TVITEMW item{};
    item.hItem = TreeView_GetSelection(treeView);
    if (!item.hItem) {
        return std::nullopt;
    }
    item.mask = TVIF_HANDLE | TVIF_PARAM;
    if (!TreeView_GetItem(treeView, &item)) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(item.lParam);
}

} // namespace merulan
