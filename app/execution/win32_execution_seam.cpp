#include "app/execution/win32_execution_seam.h"

#include "cadCtrl2023/cadCtrl2023.h"
#include "platform/text_file.h"
#include "platform/win/shell_open.h"
#include "platform/win/wide.h"
#include "text/u16text.h"

#include <utility>

namespace merulan {

ExecutionSeam win32ExecutionSeam(HWND window, std::u16string executableFolder,
                                 std::function<std::u16string()> targetCadCaption,
                                 std::function<void(const std::u16string& text)> showInformation) {
    ExecutionSeam seam;
    seam.setWindowCaption = [window](const std::u16string& caption) { SetWindowTextW(window, wide(caption)); };
    seam.targetCadCaption = std::move(targetCadCaption);
    seam.executableFolder = [folder = std::move(executableFolder)] { return folder; };
    seam.fileExists = [](const std::u16string& path) { return fileExists(path); };
    seam.startProgram = [window](const std::u16string& file, const std::u16string& parameters) {
        shellOpen(window, file, parameters, SW_SHOWNORMAL);
    };
    seam.showInformation = std::move(showInformation);
    seam.sendToAutoCad = cadCtrl2023::sendToAutoCad;
    seam.sendToBricsCad = cadCtrl2023::sendToBricsCad;
    seam.sendToIJCad = cadCtrl2023::sendToIJCad;
    seam.takesKeystrokes = [](TargetCad cad) { return cad == TargetCad::IJCad && cadCtrl2023::ijCadTakesKeystrokes(); };
    seam.runningCad = cadCtrl2023::findRunningCad;
    seam.pauseBeforeCommand = [] { Sleep(100); };
    seam.deadline = deliveryDeadline;
    return seam;
}

} // namespace merulan
