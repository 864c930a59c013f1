// cadsim: opens a window that the palette takes for a running CAD application, and logs what arrives.
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"
#include "text/error.h"
#include "tools/cadsim/cadsim_options.h"
#include "tools/cadsim/message_log.h"
#include "tools/cadsim/sim_window.h"

#include <shellapi.h>
#include <vector>
#include <windows.h>

using namespace merulan;
using namespace merulan::cadsim;

namespace {

std::vector<std::u16string> commandLineArguments() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::u16string> result;
    for (int i = 1; arguments && i < count; ++i) {
        result.push_back(fromWide(arguments[i]));
    }
    LocalFree(arguments);
    return result;
}

// Pumps messages until the window is closed, or until the watched process ends.
int runMessageLoop(HWND window, HANDLE watched) {
    for (;;) {
        const DWORD waited = MsgWaitForMultipleObjects(watched ? 1 : 0, &watched, FALSE, INFINITE, QS_ALLINPUT);
        if (watched && waited == WAIT_OBJECT_0) {
            watched = nullptr;
            DestroyWindow(window);
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                return static_cast<int>(message.wParam);
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    try {
        const CadSimOptions options = parseCadSimOptions(commandLineArguments());
        MessageLog log(options.logPath);
        // The process whose end closes cadsim, if any.
        const UniqueKernelHandle watched(
            options.watchProcessId ? OpenProcess(SYNCHRONIZE, FALSE, options.watchProcessId) : nullptr);
        SimWindow window(instance, options, log, watched.get());
        return runMessageLoop(window.handle(), watched.get());
    } catch (const MerulanError& error) {
        MessageBoxW(nullptr, wide(error.message()), L"cadsim", MB_OK | MB_ICONERROR);
        return 2;
    }
}
