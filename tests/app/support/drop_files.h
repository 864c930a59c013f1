// Dropped files as the shell hands them to a window: a DROPFILES block in global memory, its handle
// the WPARAM of WM_DROPFILES, released by the window with DragFinish.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace merulan::testing {

// The block for names, in wide characters.
HGLOBAL makeDropBlock(const std::vector<std::u16string>& names);
// Sends WM_DROPFILES with a new block to a window of this process. Returns the block's handle, which
// belongs to the window from then on.
HGLOBAL dropFiles(HWND window, const std::vector<std::u16string>& names);
// True once the block has been released.
bool dropReleased(HGLOBAL block);

// Makes the block inside another process and posts WM_DROPFILES there, as the shell does: a handle of
// this process would mean nothing to it. Loads the build's drop injector into that process.
// False when any step failed.
bool postDropInto(HANDLE process, DWORD processId, HWND window, const std::vector<std::u16string>& names);

} // namespace merulan::testing
