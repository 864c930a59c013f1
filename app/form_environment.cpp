#include "app/form_environment.h"

#include "app/boxes/message_boxes.h"
#include "platform/system_codepage.h"
#include "platform/win/shell_open.h"
#include "platform/win/wide.h"

namespace merulan {

std::u16string FormEnvironment::executableFolder() const {
    return executablePath.substr(0, executablePath.rfind(u'\\') + 1);
}

FormEnvironment productionEnvironment(std::shared_ptr<const Theme> theme) {
    FormEnvironment env;
    env.executablePath = executablePath();
    env.ansiCodePage = systemAnsiCodePage();
    env.showInformation = [theme](HWND owner, const std::u16string& text) { showInformationBox(owner, text, *theme); };
    env.showError = [theme](HWND owner, const std::u16string& title, const std::u16string& text) {
        showErrorBox(owner, title, text, *theme);
    };
    env.askYesNo = [theme](HWND owner, const std::u16string& text) { return askYesNoBox(owner, text, *theme); };
    env.shellOpen = shellOpen;
    env.localTime = currentLocalTime;
    env.controlKeyDown = [] { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; };
    return env;
}

} // namespace merulan
