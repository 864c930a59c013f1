// Loaded into another process by the tests, to hand its window a drop made in that process.
#include <windows.h>

#include <shlobj.h>

// The block the test writes into the process: the window, then the names, each ended by a NUL, and
// one more NUL after the last.
struct DropRequest {
    unsigned long long window;
    wchar_t names[1];
};

extern "C" __declspec(dllexport) DWORD WINAPI postDroppedFiles(void* parameter) {
    const auto* request = static_cast<const DropRequest*>(parameter);
    const wchar_t* end = request->names;
    while (*end) {
        end += lstrlenW(end) + 1;
    }
    const SIZE_T nameBytes = (static_cast<SIZE_T>(end - request->names) + 1) * sizeof(wchar_t);
    const HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + nameBytes);
    if (!block) {
        return 1;
    }
    auto* files = static_cast<DROPFILES*>(GlobalLock(block));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    CopyMemory(files + 1, request->names, nameBytes);
    GlobalUnlock(block);
    if (!PostMessageW(reinterpret_cast<HWND>(static_cast<ULONG_PTR>(request->window)), WM_DROPFILES,
                      reinterpret_cast<WPARAM>(block), 0)) {
        GlobalFree(block);
        return 2;
    }
    return 0;
}
