// Under Wine: how long Merulan.exe takes from process start to its first shown, filled window, how
// long one keystroke in the search box takes to rebuild the filtered view of 5,000 entries, and how long
// a dropped library folder takes to become the tree; each beside its floor (a bare window with one
// empty TreeView; a bare TreeView filled with the same nodes; merulan-tool index on the same files).
#include "app/MerulanUnit.h"
#include "app/drop_import.h"
#include "app/dropped_files.h"
#include "app/program.h"
#include "platform/locale_compare.h"
#include "bench/lisp_library.h"
#include "lispindex/new_list.h"
#include "lispindex/source_file.h"
#include "platform/system_codepage.h"
#include "platform/text_file.h"
#include "platform/win/wide.h"
#include "text/utf8.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <shlobj.h>
#include <string>
#include <string_view>
#include <vector>

namespace merulan {
namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::filesystem::path buildPath(const char* path) {
    std::string p(path);
    if (!p.empty() && p[0] == '/') {
        p = "Z:" + p; // a Unix path of the build, seen through Wine's drive Z:
    }
    std::replace(p.begin(), p.end(), '/', '\\');
    return std::filesystem::path(p);
}

// 250 headings of 20 commands each; every tenth command loads a LISP file.
std::string listOf5000() {
    std::string text = "\xEF\xBB\xBF";
    char line[160];
    for (int group = 0; group < 250; ++group) {
        std::snprintf(line, sizeof(line), "グループ %03d\r\n", group);
        text += line;
        for (int i = 0; i < 20; ++i) {
            const int n = group * 20 + i;
            if (n % 10 == 9) {
                std::snprintf(line, sizeof(line), "CMD%04d\t%d 番のツールをロード\tMerulan\\tool%04d.lsp\r\n", n, n, n);
            } else {
                std::snprintf(line, sizeof(line), "CMD%04d\t%d 番のコマンドを実行\r\n", n, n);
            }
            text += line;
        }
    }
    return text;
}

struct Stage {
    std::filesystem::path dir;
    std::filesystem::path exe;
};

Stage stageWith(const std::filesystem::path& exe, const std::string& listBytes, const char* name) {
    Stage stage;
    stage.dir = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(stage.dir);
    std::filesystem::create_directories(stage.dir);
    stage.exe = stage.dir / exe.filename();
    std::filesystem::copy_file(exe, stage.exe);
    if (!listBytes.empty()) {
        std::ofstream(stage.dir / "MerulanList.txt", std::ios::binary) << listBytes;
    }
    return stage;
}

struct Found {
    DWORD processId;
    const wchar_t* className;
    HWND window;
};

HWND visibleWindowOf(DWORD processId, const wchar_t* className) {
    Found found{processId, className, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& f = *reinterpret_cast<Found*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[64]{};
            GetClassNameW(window, name, 64);
            if (owner == f.processId && IsWindowVisible(window) && std::wstring_view(name) == f.className) {
                f.window = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.window;
}

// Milliseconds from CreateProcess to a visible window of the class (with a non-empty tree if asked).
double startUpOnce(const Stage& stage, const wchar_t* className, bool filledTree) {
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + stage.exe.wstring() + L"\"";
    const auto start = Clock::now();
    if (!CreateProcessW(stage.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        return -1;
    }
    double elapsed = -1;
    while (millisecondsSince(start) < 30000) {
        if (const HWND window = visibleWindowOf(info.dwProcessId, className)) {
            const HWND tree = FindWindowExW(window, nullptr, WC_TREEVIEWW, nullptr);
            DWORD_PTR count = 0;
            if (tree && SendMessageTimeoutW(tree, TVM_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 1000, &count) &&
                (!filledTree || count > 0)) {
                elapsed = millisecondsSince(start);
                PostMessageW(window, WM_CLOSE, 0, 0);
                break;
            }
        }
        Sleep(1);
    }
    if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(info.hProcess, 1);
    }
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    std::filesystem::remove(stage.dir / "Merulan.ini");
    return elapsed;
}

void pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Fills a bare TreeView with the nodes' texts the plainest way, inside one redraw suspension, and paints it.
double bareTreeFill(HWND tree, const std::vector<std::u16string>& texts) {
    const auto start = Clock::now();
    SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
    SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    for (const std::u16string& text : texts) {
        TVINSERTSTRUCTW insert{};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = const_cast<wchar_t*>(wide(text));
        SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
    }
    SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree, nullptr, TRUE);
    UpdateWindow(tree);
    return millisecondsSince(start);
}

void startUpTable(int runs) {
    const std::filesystem::path merulan = buildPath(MERULAN_EXE_PATH);
    const std::filesystem::path bare = buildPath(BARE_TREE_EXE_PATH);
    std::ifstream sampleFile(buildPath(SAMPLE_LIST_PATH), std::ios::binary);
    const std::string sample((std::istreambuf_iterator<char>(sampleFile)), {});
    const Stage floor = stageWith(bare, "", "merulan-bench-floor");
    const Stage withSample = stageWith(merulan, sample, "merulan-bench-sample");
    const Stage with5000 = stageWith(merulan, listOf5000(), "merulan-bench-5000");

    std::vector<double> floorTimes, sampleTimes, largeTimes;
    startUpOnce(floor, L"BareTreeWindow", false); // warm the file cache and the wineserver
    startUpOnce(withSample, L"TMerulanForm", true);
    for (int i = 0; i < runs; ++i) { // interleaved, so that a busy moment spreads over all three
        floorTimes.push_back(startUpOnce(floor, L"BareTreeWindow", false));
        sampleTimes.push_back(startUpOnce(withSample, L"TMerulanForm", true));
        largeTimes.push_back(startUpOnce(with5000, L"TMerulanForm", true));
    }
    const double floorMedian = median(floorTimes);
    std::printf("Start-up, process start to the first shown window (median of %d, ms):\n\n", runs);
    std::printf("| Program | Median | Fastest | x floor |\n|---|---|---|---|\n");
    auto row = [&](const char* name, const std::vector<double>& times) {
        std::printf("| %s | %.0f | %.0f | %.2f |\n", name, median(times), *std::min_element(times.begin(), times.end()),
                    median(times) / floorMedian);
    };
    row("bare window with one empty TreeView (floor)", floorTimes);
    row("Merulan.exe, sample list (21 entries), filled", sampleTimes);
    row("Merulan.exe, 5,000 entries, filled", largeTimes);
    std::printf("\n");
}

void keystrokeTable(int rounds) {
    const Stage stage = stageWith(buildPath(MERULAN_EXE_PATH), listOf5000(), "merulan-bench-keys");
    const std::shared_ptr<const Theme> theme = applyStyle(kPaletteStyleName, [](const std::u16string&) {});
    FormEnvironment env = productionEnvironment(theme);
    env.executablePath = stage.exe.u16string();
    lspRecords.clear();
    auto form = TMerulanForm::create(env, theme);
    form->show(SW_SHOWNOACTIVATE);
    pump();

    // The floor: a bare TreeView of the same size in a plain window.
    const HWND host = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 100, 296, 241, nullptr,
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
    const HWND bareTree = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_HASLINES, 0, 0, 280, 175,
                                          host, nullptr, GetModuleHandleW(nullptr), nullptr);
    pump();

    const std::u16string query = u"CMD012";
    struct Step {
        std::u16string text;
        size_t matches = 0;
        std::vector<double> palette, content, floor;
    };
    std::vector<Step> steps;
    for (size_t n = 1; n <= query.size(); ++n) {
        steps.push_back({query.substr(0, n)});
    }
    for (int round = 0; round < rounds; ++round) {
        for (Step& step : steps) {
            // One keystroke: the character into the search box, the view rebuilt and painted.
            const auto start = Clock::now();
            SendMessageW(form->Edit1, WM_CHAR, step.text.back(), 1);
            UpdateWindow(form->TreeView1);
            step.palette.push_back(millisecondsSince(start));
            pump();
            step.matches = TreeView_GetCount(form->TreeView1);

            TLspRecords copy = lspRecords;
            const auto contentStart = Clock::now();
            const auto content = filteredViewContent(copy, step.text);
            step.content.push_back(millisecondsSince(contentStart));
            std::vector<std::u16string> texts;
            for (const TreeNodeContent& node : content->nodes) {
                texts.push_back(node.text);
            }
            step.floor.push_back(bareTreeFill(bareTree, texts));
        }
        SetWindowTextW(form->Edit1, L"");
        pump();
    }
    std::printf("Filtered view of 5,000 entries, one keystroke (median of %d rounds, ms):\n\n", rounds);
    std::printf(
        "| Search text | Nodes | Keystroke to painted tree | Content alone | Bare TreeView fill (floor) | x floor |\n");
    std::printf("|---|---|---|---|---|---|\n");
    for (const Step& step : steps) {
        std::printf("| %s | %zu | %.1f | %.2f | %.1f | %.2f |\n", toUtf8(step.text).c_str(), step.matches,
                    median(step.palette), median(step.content), median(step.floor),
                    median(step.palette) / median(step.floor));
    }
    DestroyWindow(host);
    form.reset();
}

// A library of files sources of about 100 KB each (UTF-8 with Japanese comments), each defining
// commands of its own, in a fresh folder.
std::vector<std::u16string> writeLibrary(const std::filesystem::path& folder, int files) {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::vector<std::u16string> paths;
    for (int i = 0; i < files; ++i) {
        char name[32];
        std::snprintf(name, sizeof(name), "tools%03d.lsp", i);
        std::ofstream(folder / name, std::ios::binary) << bench::librarySource(100 << 10, i * 1000);
        paths.push_back((folder / name).u16string());
    }
    return paths;
}

// The block the shell hands a window for one dropped name.
HGLOBAL dropBlockFor(const std::u16string& name) {
    const size_t nameBytes = (name.size() + 2) * sizeof(char16_t); // the name's NUL and the list's
    const HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + nameBytes);
    auto* files = static_cast<DROPFILES*>(GlobalLock(block));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    std::memcpy(files + 1, name.data(), name.size() * sizeof(char16_t));
    GlobalUnlock(block);
    return block;
}

// Milliseconds from CreateProcess to the end of the process; its output goes nowhere.
double runToEnd(const std::filesystem::path& exe, const std::wstring& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    const HANDLE nul = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{sizeof(startup)};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = nul;
    startup.hStdError = nul;
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + exe.wstring() + L"\" " + arguments;
    const auto start = Clock::now();
    double elapsed = -1;
    if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                       &startup, &info)) {
        WaitForSingleObject(info.hProcess, INFINITE);
        elapsed = millisecondsSince(start);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
    CloseHandle(nul);
    return elapsed;
}

// The drop's steps one by one, as WMDropFiles runs them (the list written without a backup).
std::vector<double> dropStages(TMerulanForm& form, const FormEnvironment& env, const std::u16string& folder, int runs) {
    std::vector<std::vector<double>> times(5);
    const std::u16string listPath = form.listFilePath();
    for (int run = 0; run < runs; ++run) {
        auto start = Clock::now();
        const std::vector<std::u16string> sources = lispSourcesOf({folder}, compareFileNamesLogically);
        times[0].push_back(millisecondsSince(start));
        start = Clock::now();
        LineList list;
        for (const std::u16string& source : sources) {
            const LineList block =
                makeNewList(indexLispSourceFile(source, *env.ansiCodePage, compareUserLocaleIgnoreCase), source,
                            env.executableFolder());
            list.insert(list.end(), block.begin(), block.end());
        }
        times[1].push_back(millisecondsSince(start));
        start = Clock::now();
        writeTextFile(listPath, list, *env.ansiCodePage);
        times[2].push_back(millisecondsSince(start));
        start = Clock::now();
        form.loadMerulanList(listPath);
        times[3].push_back(millisecondsSince(start));
        start = Clock::now();
        form.makeTreeViewItemsByRow();
        UpdateWindow(form.TreeView1);
        times[4].push_back(millisecondsSince(start));
        pump();
    }
    std::vector<double> medians;
    for (const auto& stage : times) {
        medians.push_back(median(stage));
    }
    return medians;
}

constexpr int kLibrarySizes[] = {25, 50, 100, 200};

void dropTable(int runs) {
    const Stage stage = stageWith(buildPath(MERULAN_EXE_PATH), "", "merulan-bench-drop");
    const std::filesystem::path tool = buildPath(MERULAN_TOOL_PATH);
    const std::shared_ptr<const Theme> theme = applyStyle(kPaletteStyleName, [](const std::u16string&) {});
    FormEnvironment env = productionEnvironment(theme);
    env.executablePath = stage.exe.u16string();
    env.askYesNo = [](HWND, const std::u16string&) { return true; };
    bool failed = false;
    env.showError = [&failed](HWND, const std::u16string&, const std::u16string& text) {
        std::printf("error: %s\n", toUtf8(text).c_str());
        failed = true;
    };
    WORD second = 0; // a backup name of its own for every drop
    env.localTime = [&second] {
        SYSTEMTIME time{2024, 1, 0, 1, 0, 0, 0, 0};
        time.wMinute = static_cast<WORD>(second / 60);
        time.wSecond = static_cast<WORD>(second++ % 60);
        return time;
    };
    lspRecords.clear();
    auto form = TMerulanForm::create(env, theme);
    form->show(SW_SHOWNOACTIVATE);
    pump();

    const std::filesystem::path toolOutput = stage.dir / "tool-list.txt";
    std::vector<std::vector<double>> stageRows;
    std::printf("A dropped library folder to the filled tree, beside merulan-tool index -o on the same files "
                "(median and fastest of %d, ms):\n\n",
                runs);
    std::printf("| Files (100 KB each) | Entries | Drop to painted tree | merulan-tool index (floor) | x floor | "
                "Drop per file |\n|---|---|---|---|---|---|\n");
    for (const int files : kLibrarySizes) {
        const std::filesystem::path folder = stage.dir / ("library" + std::to_string(files));
        const std::vector<std::u16string> sources = writeLibrary(folder, files);
        std::wstring toolArguments = L"index --codepage 932 --no-backup -o \"" + toolOutput.wstring() + L"\"";
        for (const std::u16string& source : sources) {
            toolArguments += L" \"" + std::wstring(source.begin(), source.end()) + L"\"";
        }
        std::vector<double> dropTimes, toolTimes;
        runToEnd(tool, toolArguments); // warm the file cache
        for (int run = 0; run < runs; ++run) {
            const HGLOBAL block = dropBlockFor(folder.u16string());
            const auto start = Clock::now();
            SendMessageW(form->handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
            UpdateWindow(form->TreeView1);
            dropTimes.push_back(millisecondsSince(start));
            pump();
            toolTimes.push_back(runToEnd(tool, toolArguments));
            for (const auto& entry : std::filesystem::directory_iterator(stage.dir)) {
                if (entry.path().filename().wstring().starts_with(L"MerulanList2")) {
                    std::filesystem::remove(entry.path());
                }
            }
        }
        stageRows.push_back(dropStages(*form, env, folder.u16string(), runs));
        const double drop = median(dropTimes);
        const double floor = median(toolTimes);
        const double fastDrop = *std::min_element(dropTimes.begin(), dropTimes.end());
        const double fastFloor = *std::min_element(toolTimes.begin(), toolTimes.end());
        std::printf("| %d | %zu | %.0f (%.0f) | %.0f (%.0f) | %.2f (%.2f) | %.1f (%.1f) |%s\n", files,
                    lspRecords.size(), drop, fastDrop, floor, fastFloor, drop / floor, fastDrop / fastFloor,
                    drop / files, fastDrop / files, failed ? " (failed)" : "");
        std::filesystem::remove_all(folder);
    }
    std::filesystem::remove(toolOutput);
    std::printf("\nWhere the drop's time goes, step by step (median of %d, ms):\n\n", runs);
    std::printf("| Files | Listing and ordering the folder | Reading and indexing | Writing the list | Loading it | "
                "Filling and painting the tree |\n|---|---|---|---|---|---|\n");
    for (size_t row = 0; row < stageRows.size(); ++row) {
        const std::vector<double>& t = stageRows[row];
        std::printf("| %d | %.1f | %.0f | %.0f | %.0f | %.0f |\n", kLibrarySizes[row], t[0], t[1], t[2], t[3], t[4]);
    }
    // What the floor spends on starting a process under Wine, indexing next to nothing.
    std::ofstream(stage.dir / "tiny.lsp") << "(defun c:tiny () 1)\n";
    std::vector<double> startTimes;
    for (int run = 0; run < runs; ++run) {
        startTimes.push_back(runToEnd(tool, L"index --codepage 932 --no-backup -o \"" + toolOutput.wstring() +
                                                L"\" \"" + (stage.dir / "tiny.lsp").wstring() + L"\""));
    }
    std::printf("\nmerulan-tool index on a one-line source (process start-up under Wine): %.0f ms\n\n",
                median(startTimes));
    form.reset();
}

} // namespace
} // namespace merulan

// Without arguments every table; otherwise the ones named (startup, keys, drop).
int wmain(int argc, wchar_t** argv) {
    const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    auto wanted = [&](std::wstring_view table) {
        if (argc < 2) {
            return true;
        }
        for (int i = 1; i < argc; ++i) {
            if (table == argv[i]) {
                return true;
            }
        }
        return false;
    };
    if (wanted(L"startup")) {
        merulan::startUpTable(15);
    }
    if (wanted(L"keys")) {
        merulan::keystrokeTable(9);
    }
    if (wanted(L"drop")) {
        merulan::dropTable(7);
    }
    return 0;
}
