// The palette's only contact with the CAD applications: finds the main window of a running AutoCAD (or DWG
// TrueView), BricsCAD or IJCAD, brings it to the front and delivers text as if typed at its command line.
// Shows nothing; the caller decides what the user sees.
#pragma once

#include "cadCtrl2023/cad_send_result.h"

#include <functional>
#include <optional>
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

// The CAD whose main window, found by that CAD's own search, is nearest the top of the window order: the one the
// user worked in last. Nothing when none runs. Activates and sends nothing.
std::optional<TargetCad> findRunningCad();

// EnumWindows / EnumChildWindows callbacks: 0 on a match (which is stored), nonzero to go on.
BOOL CALLBACK enumAutoCadProc(HWND window, LPARAM);
BOOL CALLBACK enumIJCadProc(HWND window, LPARAM);
BOOL CALLBACK enumIJCadCmdLineProc(HWND window, LPARAM);

// Restores a minimised window without waiting for it (a CAD that is busy would hold the palette for as long as
// it is busy), then makes it the foreground window.
void bringToFront(HWND window);

// SendMessageTimeoutW, or a test's stand-in for it: a refused delivery cannot be made for real under Wine.
using MessageSend = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM, UINT flags, UINT milliseconds, PDWORD_PTR)>;

// WM_COPYDATA (dwData 1, the text and its NUL) followed, once delivered, by a posted WM_NULL. TooLong or
// NotAccepting (the window is disabled) send nothing.
CadSendResult sendCopyData(HWND window, std::u16string_view text, DeliveryDeadline deadline = deliveryDeadline(),
                           const MessageSend& send = SendMessageTimeoutW);
// One WM_CHAR per UTF-16 unit, all before the deadline; the first that is not taken ends the delivery.
CadSendResult sendKeystrokes(HWND editWindow, std::u16string_view text, DeliveryDeadline deadline = deliveryDeadline(),
                             const MessageSend& send = SendMessageTimeoutW);

// Search afresh, bring the CAD to the front, deliver before the deadline. A text too long for copy-data is
// refused first.
CadSendResult sendToAutoCad(std::u16string_view text, DeliveryDeadline deadline = deliveryDeadline()); // ESC as Ctrl+C
CadSendResult sendToBricsCad(std::u16string_view text, DeliveryDeadline deadline = deliveryDeadline());
// Copy-data to "Intelli" windows, keystrokes otherwise.
CadSendResult sendToIJCad(std::u16string_view text, DeliveryDeadline deadline = deliveryDeadline());
// Whether the IJCAD window a search finds now takes keystrokes (any length) rather than copy-data; false when
// there is none. Activates and sends nothing.
bool ijCadTakesKeystrokes();

} // namespace merulan::cadCtrl2023
