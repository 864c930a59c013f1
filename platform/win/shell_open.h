// Opening a file or starting a program through the shell.
#pragma once

#include <string>
#include <windows.h>

namespace merulan {

// ShellExecuteW with the "open" verb and no working folder; no parameters at all when parameters is empty.
// Whether it worked is not reported.
void shellOpen(HWND owner, const std::u16string& file, const std::u16string& parameters, int showCommand);

} // namespace merulan
