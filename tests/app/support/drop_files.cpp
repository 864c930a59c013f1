#include "support/drop_files.h"

#include "app/window/win_handles.h"
#include "platform/win/wide.h"

#include <cstring>
#include <shlobj.h>
#include <tlhelp32.h>

namespace merulan::testing {

namespace {

// The names one after the other, each ended by a NUL, with one more NUL at the end.
std::u16string nameList(const std::vector<std::u16string>& names) {
    std::u16string list;
    for (const std::u16string& name : names) {
        list += name;
        list += u'\0';
    }
    list += u'\0';
    return list;
}

// A path of the build tree, as Wine's programs see it.
std::u16string buildTreePath(std::wstring_view path) {
    std::u16string windowsPath = fromWide(path);
    if (!windowsPath.empty() && windowsPath[0] == u'/') {
        windowsPath = u"Z:" + windowsPath;
    }
    for (char16_t& c : windowsPath) {
        if (c == u'/') {
            c = u'\\';
        }
    }
    return windowsPath;
}

// Memory in another process, freed at the end.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, const void* data, size_t size)
        : process_(process),
          address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
        if (address_ && !WriteProcessMemory(process, address_, data, size, nullptr)) {
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
            address_ = nullptr;
        }
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    ~RemoteMemory() {
        if (address_) {
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        }
    }
    void* address() const { return address_; }

private:
    HANDLE process_;
    void* address_;
};

bool runRemoteThread(HANDLE process, const void* start, void* parameter, DWORD& exitCode) {
    const UniqueKernelHandle thread(
        CreateRemoteThread(process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(const_cast<void*>(start)),
                           parameter, 0, nullptr));
    return thread && WaitForSingleObject(thread.get(), 20000) == WAIT_OBJECT_0 &&
           GetExitCodeThread(thread.get(), &exitCode);
}

BYTE* remoteModuleBase(DWORD processId, std::wstring_view moduleName) {
    const UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    MODULEENTRY32W module{sizeof(module)};
    for (BOOL more = Module32FirstW(snapshot.get(), &module); more; more = Module32NextW(snapshot.get(), &module)) {
        if (lstrcmpiW(module.szModule, moduleName.data()) == 0) {
            return module.modBaseAddr;
        }
    }
    return nullptr;
}

} // namespace

HGLOBAL makeDropBlock(const std::vector<std::u16string>& names) {
    const std::u16string list = nameList(names);
    const size_t nameBytes = list.size() * sizeof(char16_t);
    const HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + nameBytes);
    auto* files = static_cast<DROPFILES*>(GlobalLock(block));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    std::memcpy(files + 1, list.data(), nameBytes);
    GlobalUnlock(block);
    return block;
}

HGLOBAL dropFiles(HWND window, const std::vector<std::u16string>& names) {
    const HGLOBAL block = makeDropBlock(names);
    SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
    return block;
}

bool dropReleased(HGLOBAL block) {
    SetLastError(0);
    return GlobalSize(block) == 0 && GetLastError() == ERROR_INVALID_HANDLE;
}

bool postDropInto(HANDLE process, DWORD processId, HWND window, const std::vector<std::u16string>& names) {
    const std::u16string injector = buildTreePath(L"" MERULAN_DROP_INJECTOR_PATH);
    const std::u16string injectorName = injector.substr(injector.rfind(u'\\') + 1);

    // Loaded here too, to learn where its function lies from the module's start.
    const UniqueModule local(LoadLibraryW(wide(injector)));
    if (!local) {
        return false;
    }
    const auto* localFunction = reinterpret_cast<const BYTE*>(GetProcAddress(local.get(), "postDroppedFiles"));
    const auto* localBase = reinterpret_cast<const BYTE*>(local.get());

    const RemoteMemory path(process, injector.c_str(), (injector.size() + 1) * sizeof(char16_t));
    DWORD exitCode = 0;
    const void* loadLibrary =
        reinterpret_cast<const void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW"));
    if (!localFunction || !path.address() || !runRemoteThread(process, loadLibrary, path.address(), exitCode) ||
        exitCode == 0) {
        return false;
    }
    const BYTE* remoteBase = remoteModuleBase(processId, reinterpret_cast<const wchar_t*>(injectorName.c_str()));
    if (!remoteBase) {
        return false;
    }

    const unsigned long long target = reinterpret_cast<ULONG_PTR>(window);
    std::u16string request(sizeof(target) / sizeof(char16_t), u'\0');
    std::memcpy(request.data(), &target, sizeof(target));
    request += nameList(names);
    const RemoteMemory block(process, request.data(), request.size() * sizeof(char16_t));
    return block.address() &&
           runRemoteThread(process, remoteBase + (localFunction - localBase), block.address(), exitCode) &&
           exitCode == 0;
}

} // namespace merulan::testing
