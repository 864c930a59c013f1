// The command execution's seam filled with the real system, for the palette window.
#pragma once

#include "app/execution/command_execution.h"

#include <windows.h>

namespace merulan {

// Caption and program starts belong to `window`; the CAD link delivers; Sleep pauses. The window supplies
// its executable folder, the caption of its menu item CAD1 and its own information box.
ExecutionSeam win32ExecutionSeam(HWND window, std::u16string executableFolder,
                                 std::function<std::u16string()> targetCadCaption,
                                 std::function<void(const std::u16string& text)> showInformation);

} // namespace merulan
