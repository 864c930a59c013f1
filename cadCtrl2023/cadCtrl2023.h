// The palette's only contact with the CAD applications: finds the main window of a running AutoCAD (or DWG
// TrueView), BricsCAD or IJCAD, brings it to the front and delivers text as if typed at its command line.
// Shows nothing; the caller decides what the user sees.
#pragma once

#include "cadCtrl2023/cad_send_result.h"

#include <string_view>
#include <windows.h>

namespace merulan::cadCtrl2023 {

// Null at start and kept for the life of the process. Every search writes hAutoCad and hBricsCad;
// hIJCad and hIJCadCmdLine change only when a search finds a window, so they may name a window that is gone.
extern HWND hAutoCad;
extern HWND hBricsCad;
extern HWND hIJCad;
extern HWND hIJCadCmdLine;

// Window titles and class names are read into buffers of this many units, NUL included.
inline constexpr int kWindowTextUnits = 255;

HWND findAutoCadWindow();
HWND enumAutoCadWindow();
HWND findBricsCadWindow();
HWND findIJCadWindow();
// The input line inside IJCAD's command-line window (searched below hIJCad), or null when it is not usable.
HWND findIJCadEditWindow();

// EnumWindows / EnumChildWindows callbacks: 0 on a match (which is stored), nonzero to go on.
BOOL CALLBACK enumAutoCadProc(HWND window, LPARAM);
BOOL CALLBACK enumIJCadProc(HWND window, LPARAM);
BOOL CALLBACK enumIJCadCmdLineProc(HWND window, LPARAM);

void bringToFront(HWND window);
// WM_COPYDATA (dwData 1, the text and its NUL) followed by a posted WM_NULL. False, with nothing sent, when the
// window is disabled or the text is longer than kCopyDataMaxChars.
bool sendCopyData(HWND window, std::u16string_view text);
// One WM_CHAR per UTF-16 unit.
void sendKeystrokes(HWND editWindow, std::u16string_view text);

// Search afresh, bring the CAD to the front, deliver. Found means the window was found, whatever the delivery did.
CadSendResult sendToAutoCad(std::u16string_view text); // ESC characters become Ctrl+C
CadSendResult sendToBricsCad(std::u16string_view text);
CadSendResult sendToIJCad(std::u16string_view text); // copy-data to "Intelli" windows, keystrokes otherwise

} // namespace merulan::cadCtrl2023
