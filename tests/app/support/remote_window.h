// Merulan.exe as another process: starting it and reading its windows from outside.
#pragma once

#include "app/window/win_handles.h"

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace merulan::testing {

struct StartedProcess {
    UniqueKernelHandle handle;
    DWORD id = 0;
};

// The Merulan.exe of this build, as a Windows path.
std::u16string builtMerulanExe();
// A path of the build tree as Windows sees it: a Unix path through Wine's drive Z:.
std::u16string windowsPathOf(std::u16string path);

StartedProcess startProcess(const std::u16string& exe);
// Asks the process's windows to close and waits; kills it after the limit. Returns the exit code.
DWORD closeAndWait(const StartedProcess& process, std::chrono::milliseconds limit = std::chrono::seconds(20));

// The process's visible top-level window of that class, waiting for it to appear.
HWND waitForWindow(DWORD processId, std::u16string_view className,
                   std::chrono::milliseconds limit = std::chrono::seconds(20));
// A message box (#32770) owned by owner.
HWND waitForBox(HWND owner, std::chrono::milliseconds limit = std::chrono::seconds(20));
HWND findChild(HWND parent, std::u16string_view className);

// WM_GETTEXT, which the system carries across processes.
std::u16string remoteText(HWND window);
// The text of a message box.
std::u16string boxMessage(HWND box);
// Whether a box is centred (to a pixel) on the work area of the monitor that `window` is on.
bool centredOnWorkAreaOf(HWND box, HWND window);
// Node texts of another process's tree, read through its memory.
std::vector<std::u16string> remoteTreeTexts(HWND tree);

} // namespace merulan::testing
