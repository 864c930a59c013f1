// Merulan.exe itself: started as a process beside its list, as a user starts it.
#include "cad/cadsim_process.h"
#include "support/form_harness.h"
#include "support/key_chord.h"
#include "support/remote_window.h"
#include "text/u16text.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

namespace merulan::testing {
namespace {

constexpr std::u16string_view kList = u"作図\r\nLINE\t線分を作図\r\n修正\r\nMOVE\t移動\r\n";

// A folder holding a copy of the built executable, as a user installs it.
class Installed {
public:
    Installed() {
        exe_ = harness_.folder() + u"Merulan.exe";
        std::filesystem::copy_file(std::filesystem::path(builtMerulanExe()), std::filesystem::path(exe_));
    }
    FormHarness& harness() { return harness_; }
    const std::u16string& exe() const { return exe_; }

private:
    FormHarness harness_;
    std::u16string exe_;
};

TEST(MerulanExe, TwoInstancesBothRunWithTheirOwnFilledWindows) {
    Installed installed;
    installed.harness().writeList(kList);
    const StartedProcess first = startProcess(installed.exe());
    const StartedProcess second = startProcess(installed.exe());
    ASSERT_TRUE(first.handle && second.handle);
    const HWND firstWindow = waitForWindow(first.id, kFormClassName);
    const HWND secondWindow = waitForWindow(second.id, kFormClassName);
    ASSERT_NE(firstWindow, nullptr);
    ASSERT_NE(secondWindow, nullptr);
    EXPECT_NE(firstWindow, secondWindow);
    for (const HWND window : {firstWindow, secondWindow}) {
        EXPECT_EQ(remoteText(window), u"Merulan");
        const HWND tree = findChild(window, u"SysTreeView32");
        ASSERT_NE(tree, nullptr);
        EXPECT_EQ(remoteTreeTexts(tree),
                  (std::vector<std::u16string>{u"作図", u"[LINE] 線分を作図", u"修正", u"[MOVE] 移動"}));
        EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    }
    EXPECT_EQ(closeAndWait(first), 0u);
    EXPECT_EQ(closeAndWait(second), 0u);
    // Each wrote its bounds and target at its end.
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(installed.harness().folder() + u"Merulan.ini")));
}

TEST(MerulanExe, UnreadableListShowsTheErrorBoxTitledAfterTheExecutable) {
    Installed installed;
    installed.harness().writeList(kList);
    const UniqueFileHandle lock(CreateFileW(reinterpret_cast<const wchar_t*>(installed.harness().listPath().c_str()),
                                            GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    const StartedProcess process = startProcess(installed.exe());
    ASSERT_TRUE(process.handle);
    // The box comes while the window is still hidden; it is owned by the window.
    HWND box = nullptr;
    HWND window = nullptr;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!box && std::chrono::steady_clock::now() < deadline) {
        window = FindWindowW(reinterpret_cast<const wchar_t*>(kFormClassName.data()), nullptr);
        DWORD owner = 0;
        if (window && GetWindowThreadProcessId(window, &owner) && owner == process.id) {
            box = waitForBox(window, std::chrono::milliseconds(100));
        }
    }
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(remoteText(box), u"Merulan");
    const std::u16string message = boxMessage(box);
    EXPECT_EQ(message.rfind(u"ファイル " + installed.harness().listPath() + u" は開けません。 ", 0), 0u)
        << std::string(message.begin(), message.end());
    // Centred on the screen (the work area of the monitor the palette is on).
    EXPECT_TRUE(centredOnWorkAreaOf(box, window));
    PostMessageW(box, WM_COMMAND, IDOK, 0);

    window = waitForWindow(process.id, kFormClassName);
    ASSERT_NE(window, nullptr);
    // Still a drop target, to rebuild the list (its topmost style: startup_test, beside Wine's anchor).
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    EXPECT_TRUE(remoteTreeTexts(findChild(window, u"SysTreeView32")).empty());
    EXPECT_EQ(closeAndWait(process), 0u);
}

// The thread of another process's window, and which of its windows has the keyboard focus.
HWND focusOfThreadOf(HWND window) {
    GUITHREADINFO info{sizeof(info)};
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

TEST(MerulanExe, TheHotkeyPressedAnywhereBringsThePaletteToTheSearchBox) {
    Installed installed;
    installed.harness().writeList(kList);
    WritePrivateProfileStringW(
        L"Keys", L"Activate", L"Ctrl+Alt+F9",
        reinterpret_cast<const wchar_t*>((installed.harness().folder() + u"Merulan.ini").c_str()));
    const StartedProcess process = startProcess(installed.exe());
    const HWND window = waitForWindow(process.id, kFormClassName);
    ASSERT_NE(window, nullptr);
    const HWND edit = findChild(window, u"Edit");
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"line"));

    // The user works in another program, the palette minimised.
    const UniqueWindow cad(CreateWindowExW(0, L"STATIC", L"CAD", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    ShowWindowAsync(window, SW_MINIMIZE);
    SetForegroundWindow(cad.get());
    ASSERT_TRUE(pumpUntil([&] { return IsIconic(window) && GetForegroundWindow() == cad.get(); }));

    pressChord({VK_CONTROL, VK_MENU, VK_F9});
    EXPECT_TRUE(pumpUntil(
        [&] { return !IsIconic(window) && GetForegroundWindow() == window && focusOfThreadOf(window) == edit; }));
    EXPECT_EQ(SendMessageW(edit, EM_GETSEL, 0, 0), MAKELONG(0, 4)) << "the search text selected";
    EXPECT_EQ(remoteTreeTexts(findChild(window, u"SysTreeView32")), std::vector<std::u16string>{u"[LINE] 線分を作図"});
    EXPECT_EQ(closeAndWait(process), 0u);
}

// A minimised CAD that is busy (regenerating a drawing) when the user double-clicks: the palette neither waits to
// restore it nor waits longer than one delivery's time for the cancel and the command together, so its box comes
// long before the CAD wakes, and the palette takes the user's input at once again. Input is posted, as the
// user's is: a sent message would be answered even by a thread blocked in a call into the CAD.
TEST(MerulanExe, ABusyMinimisedCadNeverFreezesThePalette) {
    using namespace std::chrono;
    constexpr auto kBusy = seconds(20);
    CadSim cad(
        {u"--kind", u"bricscad", u"--minimized", u"--busy-from-start", decimalText(milliseconds(kBusy).count())});
    const auto cadStarted = steady_clock::now();
    Installed installed;
    installed.harness().writeList(kList);
    const StartedProcess process = startProcess(installed.exe());
    const HWND window = waitForWindow(process.id, kFormClassName);
    ASSERT_NE(window, nullptr);
    const HWND edit = findChild(window, u"Edit");
    const HWND tree = findChild(window, u"SysTreeView32");
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"LINE")); // the filtered view: [LINE] at the top
    ASSERT_EQ(remoteTreeTexts(tree), std::vector<std::u16string>{u"[LINE] 線分を作図"});

    const LPARAM onFirstNode = MAKELPARAM(60, 8);
    const auto clicked = steady_clock::now();
    for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
        PostMessageW(tree, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, onFirstNode);
    }
    const HWND box = waitForBox(window, seconds(30));
    ASSERT_NE(box, nullptr);
    const auto boxShown = steady_clock::now();
    EXPECT_EQ(boxMessage(box),
              u"BricsCAD が応答しません．（処理中か、応答なしの状態です．コマンドは送っていません．）");
    EXPECT_LT(boxShown, cadStarted + kBusy) << "the palette waited for the CAD";
    PostMessageW(box, WM_COMMAND, IDOK, 0);

    ASSERT_TRUE(pumpUntil([&] { return IsWindowEnabled(window) && !waitForBox(window, milliseconds(0)); }));
    const auto keyPosted = steady_clock::now();
    PostMessageW(edit, WM_CHAR, u'1', 0);
    EXPECT_TRUE(pumpUntil([&] { return remoteText(edit).size() == 5; }));
    const auto keyTaken = steady_clock::now();
    EXPECT_LT(keyTaken, cadStarted + kBusy) << "the palette was blocked after its box";
    std::printf("double-click to box %lld ms, posted key taken in %lld ms, the CAD busy for %lld ms more\n",
                static_cast<long long>(duration_cast<milliseconds>(boxShown - clicked).count()),
                static_cast<long long>(duration_cast<milliseconds>(keyTaken - keyPosted).count()),
                static_cast<long long>(duration_cast<milliseconds>(cadStarted + kBusy - keyTaken).count()));
    EXPECT_EQ(closeAndWait(process), 0u);
}

TEST(MerulanExe, CarriesManifestVersionAndIcon) {
    const std::u16string exe = builtMerulanExe();
    const UniqueModule module(LoadLibraryExW(reinterpret_cast<const wchar_t*>(exe.c_str()), nullptr,
                                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(module);

    const HRSRC manifest = FindResourceW(module.get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(manifest, nullptr);
    const std::string text(static_cast<const char*>(LockResource(LoadResource(module.get(), manifest))),
                           SizeofResource(module.get(), manifest));
    for (const char* part :
         {"<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2<", ">true/pm<",
          "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"", "level=\"asInvoker\" uiAccess=\"false\"",
          "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
          "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
          "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part;
    }

    const HICON icon = static_cast<HICON>(LoadImageW(module.get(), L"MAINICON", IMAGE_ICON, 32, 32, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof(colour), &colour);
    EXPECT_EQ(colour.bmWidth, 32);
    EXPECT_EQ(colour.bmBitsPixel, 32);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);

    DWORD ignored = 0;
    std::vector<char> version(GetFileVersionInfoSizeW(reinterpret_cast<const wchar_t*>(exe.c_str()), &ignored));
    ASSERT_FALSE(version.empty());
    ASSERT_TRUE(GetFileVersionInfoW(reinterpret_cast<const wchar_t*>(exe.c_str()), 0,
                                    static_cast<DWORD>(version.size()), version.data()));
    const struct {
        const wchar_t* key;
        std::wstring_view value;
    } strings[] = {
        {L"\\StringFileInfo\\040904E4\\FileDescription", L"Merulan"},
        {L"\\StringFileInfo\\040904E4\\ProductName", L"Merulan"},
        {L"\\StringFileInfo\\040904E4\\FileVersion", L"1.0.0.0"},
        {L"\\StringFileInfo\\040904E4\\ProductVersion", L"1.0.0.0"},
    };
    for (const auto& s : strings) {
        wchar_t* value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(version.data(), s.key, reinterpret_cast<void**>(&value), &length));
        EXPECT_EQ(std::wstring_view(value), s.value);
    }
}

} // namespace
} // namespace merulan::testing
