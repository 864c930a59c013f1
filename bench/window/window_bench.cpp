// Under Wine: how long Merulan.exe takes from process start to its first shown, filled window, and how
// long one keystroke in the search box takes to rebuild the filtered view of 500 and 5,000 entries; each
// beside its floor (a bare window with one empty TreeView; a bare TreeView filled with the same nodes).
// Then the list saved by another program to the painted tree, the hotkey to the palette in front, and a
// dropped library folder to the filled tree beside merulan-tool index on the same files.
#include "bench/window/window_bench_support.h"

#include "app/MerulanUnit.h"
#include "app/drop/drop_import.h"
#include "app/drop/dropped_files.h"
#include "app/program.h"
#include "platform/locale_compare.h"
#include "bench/lisp_library.h"
#include "lispindex/source_import.h"
#include "platform/system_codepage.h"
#include "platform/text_file.h"
#include "platform/win/wide.h"
#include "support/key_chord.h"
#include "text/utf8.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <shlobj.h>
#include <string>
#include <string_view>
#include <vector>

namespace merulan {
namespace {

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
    const std::string sample = sampleListBytes();
    const Stage floor = stageWith(bare, "", "merulan-bench-floor");
    const Stage withSample = stageWith(merulan, sample, "merulan-bench-sample");
    const Stage with5000 = stageWith(merulan, listOf(5000), "merulan-bench-5000");

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

// The floor: a bare TreeView of the palette's tree size in a plain window.
struct BareTree {
    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 100, 296, 241, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND tree = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_HASLINES, 0, 0, 280, 175, host,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    BareTree() { pump(); }
    ~BareTree() { DestroyWindow(host); }
    BareTree(const BareTree&) = delete;
    BareTree& operator=(const BareTree&) = delete;
};

// With shared entries, the last of them come from the shared list (the same names as one list of entries).
void keystrokeTable(int entries, int rounds, int shared = 0) {
    InProcessPalette palette(listOf(entries - shared), "merulan-bench-keys",
                             shared ? listOf(shared, 0, entries - shared) : "");
    TMerulanForm& form = *palette.form;

    const BareTree floorTree;
    const HWND bareTree = floorTree.tree;

    // Typed letter by letter, then two backspaces: the first letters leave all entries (the tree is
    // kept), the later ones change them, and the backspaces build 100 and then all entries again.
    const std::u16string query = u"CMD012";
    struct Step {
        char16_t key;
        std::u16string text;
        size_t matches = 0;
        std::vector<double> palette, content, floor;
    };
    std::vector<Step> steps;
    for (size_t n = 1; n <= query.size(); ++n) {
        steps.push_back({query[n - 1], query.substr(0, n)});
    }
    steps.push_back({u'\b', query.substr(0, query.size() - 1)});
    steps.push_back({u'\b', query.substr(0, query.size() - 2)});
    for (int round = 0; round < rounds; ++round) {
        for (Step& step : steps) {
            // One keystroke: the character into the search box, the view rebuilt and painted.
            const auto start = Clock::now();
            SendMessageW(form.Edit1, WM_CHAR, step.key, 1);
            UpdateWindow(form.TreeView1.handle());
            step.palette.push_back(millisecondsSince(start));
            pump();
            step.matches = TreeView_GetCount(form.TreeView1.handle());

            TLspRecords copy = lspRecords;
            const auto contentStart = Clock::now();
            const auto content = filteredViewContent(copy, step.text);
            step.content.push_back(millisecondsSince(contentStart));
            std::vector<std::u16string> texts;
            for (const TreeNodeContent& node : content.nodes) {
                texts.push_back(node.text);
            }
            step.floor.push_back(bareTreeFill(bareTree, texts));
        }
        SetWindowTextW(form.Edit1, L"");
        pump();
    }
    std::printf("Filtered view of %d entries%s, one keystroke (median of %d rounds, ms):\n\n", entries,
                shared ? (", " + std::to_string(shared) + " of them from the shared list").c_str() : "", rounds);
    std::printf("| Key | Search text | Nodes | Keystroke to painted tree | Content alone | Bare TreeView fill (floor) "
                "| x floor | Over the floor |\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
    for (const Step& step : steps) {
        std::printf("| %s | %s | %zu | %.1f | %.2f | %.1f | %.2f | %+.1f |\n",
                    step.key == u'\b' ? "Backspace" : toUtf8(std::u16string(1, step.key)).c_str(),
                    toUtf8(step.text).c_str(), step.matches, median(step.palette), median(step.content),
                    median(step.floor), median(step.palette) / median(step.floor),
                    median(step.palette) - median(step.floor));
    }
    std::printf("\n");
}

// Where a keystroke's time goes, for one key that changes the entries shown: the same nodes filled the
// bare way into a bare tree and into the palette's own tree, the palette's view built and painted for the
// search text set at once, and the key typed.
void breakdownTable(int entries, const std::u16string& before, char16_t key, int rounds) {
    InProcessPalette palette(listOf(entries), "merulan-bench-breakdown");
    TMerulanForm& form = *palette.form;
    const BareTree floorTree;
    const HWND bareTree = floorTree.tree;
    const std::u16string search = key == u'\b' ? before.substr(0, before.size() - 1) : before + key;
    TLspRecords copy = lspRecords;
    const auto content = filteredViewContent(copy, search);
    std::vector<std::u16string> texts;
    for (const TreeNodeContent& node : content.nodes) {
        texts.push_back(node.text);
    }
    const auto setSearch = [&](const std::u16string& text) {
        SetWindowTextW(form.Edit1, reinterpret_cast<const wchar_t*>(text.c_str()));
        SendMessageW(form.Edit1, EM_SETSEL, text.size(), text.size());
        UpdateWindow(form.TreeView1.handle());
    };
    std::vector<double> floor, paletteTreeBare, view, keystroke;
    for (int round = 0; round < rounds; ++round) {
        floor.push_back(bareTreeFill(bareTree, texts));
        pump();
        paletteTreeBare.push_back(bareTreeFill(form.TreeView1.handle(), texts));
        setSearch(u"#"); // no entry holds it: the palette's own view again
        setSearch(before);
        pump();
        auto start = Clock::now();
        setSearch(search);
        view.push_back(millisecondsSince(start));
        pump();
        setSearch(before);
        pump();
        start = Clock::now();
        SendMessageW(form.Edit1, WM_CHAR, key, 1);
        UpdateWindow(form.TreeView1.handle());
        keystroke.push_back(millisecondsSince(start));
        pump();
    }
    std::printf("Where a keystroke goes, %d entries, \"%s\" to \"%s\" (%zu nodes, median of %d, ms):\n\n", entries,
                toUtf8(before).c_str(), toUtf8(search).c_str(), texts.size(), rounds);
    std::printf("| Step | Median |\n|---|---|\n");
    std::printf("| bare fill of a bare TreeView (floor) | %.1f |\n", median(floor));
    std::printf("| bare fill of the palette's TreeView (its font, styles and images) | %.1f |\n",
                median(paletteTreeBare));
    std::printf("| the search text set: the palette's filtered view, built and painted | %.1f |\n", median(view));
    std::printf("| the key typed, to the painted tree | %.1f |\n\n", median(keystroke));
}

// The file's last write to the tree painted with the new list, as another program saves it.
void reloadTable(int entries, int runs) {
    InProcessPalette palette(listOf(entries), "merulan-bench-reload");
    TMerulanForm& form = *palette.form;
    const std::filesystem::path list = palette.stage.dir / "MerulanList.txt";
    std::vector<double> times;
    for (int run = 1; run <= runs; ++run) {
        const std::string bytes = listOf(entries, run);
        const std::u16string firstHeading = u"版 " + fromUtf8(std::to_string(run));
        Sleep(300); // the previous reload is over
        pump();
        { std::ofstream(list, std::ios::binary | std::ios::trunc) << bytes; }
        const auto written = Clock::now();
        double elapsed = -1;
        while (millisecondsSince(written) < 5000) {
            // One message at a time: a large list goes into the tree in steps, and the first shows the top.
            MSG message;
            if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageW(&message);
            } else {
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            }
            wchar_t text[64]{};
            TVITEMW item{};
            item.mask = TVIF_TEXT;
            item.hItem = TreeView_GetRoot(form.TreeView1.handle());
            item.pszText = text;
            item.cchTextMax = 64;
            if (item.hItem && TreeView_GetItem(form.TreeView1.handle(), &item) && fromWide(text) == firstHeading) {
                UpdateWindow(form.TreeView1.handle());
                elapsed = millisecondsSince(written);
                break;
            }
        }
        times.push_back(elapsed);
    }
    std::printf("The list saved by another program, %d entries: last write to the painted tree, median of %d: %.0f ms "
                "(fastest %.0f, slowest %.0f)\n\n",
                entries, runs, median(times), *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()));
}

// The hotkey pressed while another program is in front, to Merulan.exe in front with the caret in its
// search box (polled every millisecond from the other process).
void hotkeyTable(int runs) {
    const Stage stage = stageWith(buildPath(MERULAN_EXE_PATH), listOf(500), "merulan-bench-hotkey");
    std::ofstream(stage.dir / "Merulan.ini", std::ios::binary) << "[Keys]\r\nActivate=Ctrl+Alt+F9\r\n";
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + stage.exe.wstring() + L"\"";
    if (!CreateProcessW(stage.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        return;
    }
    HWND palette = nullptr;
    for (const auto start = Clock::now(); !palette && millisecondsSince(start) < 30000; Sleep(10)) {
        palette = visibleWindowOf(info.dwProcessId, L"TMerulanForm");
    }
    const HWND edit = palette ? FindWindowExW(palette, nullptr, L"Edit", nullptr) : nullptr;
    const HWND other = CreateWindowExW(0, L"STATIC", L"CAD", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400, 300,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    const auto focusOfPalette = [&] {
        GUITHREADINFO thread{sizeof(thread)};
        return GetGUIThreadInfo(info.dwThreadId, &thread) ? thread.hwndFocus : nullptr;
    };
    std::vector<double> behind, minimised;
    int notReady = 0;
    for (int run = 0; palette && run < 2 * runs; ++run) {
        const bool minimise = run % 2 == 1;
        if (minimise) {
            ShowWindowAsync(palette, SW_SHOWMINNOACTIVE);
        }
        // Under Wine the X focus of the palette may still arrive after the switch: ask until it has held
        // for a while.
        auto heldSince = Clock::now();
        bool ready = false;
        for (const auto start = Clock::now(); !ready && millisecondsSince(start) < 10000; Sleep(10)) {
            pump();
            if (GetForegroundWindow() != other || (minimise && !IsIconic(palette))) {
                SetForegroundWindow(other);
                heldSince = Clock::now();
            }
            ready = millisecondsSince(heldSince) > 300;
        }
        if (!ready) {
            ++notReady;
            continue;
        }
        const auto pressed = Clock::now();
        testing::pressChord({VK_CONTROL, VK_MENU, VK_F9});
        double elapsed = -1;
        while (millisecondsSince(pressed) < 5000) {
            if (GetForegroundWindow() == palette && !IsIconic(palette) && focusOfPalette() == edit) {
                elapsed = millisecondsSince(pressed);
                break;
            }
            Sleep(1);
        }
        (minimise ? minimised : behind).push_back(elapsed);
    }
    DestroyWindow(other);
    if (palette) {
        PostMessageW(palette, WM_CLOSE, 0, 0);
    }
    WaitForSingleObject(info.hProcess, 10000);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    if (behind.empty() || minimised.empty()) {
        std::printf("The hotkey: Merulan.exe did not start, or the other program never came to the front\n\n");
        return;
    }
    std::printf("The hotkey pressed in another program to Merulan.exe in front with the caret in its search box "
                "(median of %d, ms):\n\n| Palette | Median | Fastest | Slowest |\n|---|---|---|---|\n",
                runs);
    for (const auto& [name, times] : {std::pair{"behind the other program", behind}, {"minimised", minimised}}) {
        std::printf("| %s | %.0f | %.0f | %.0f |\n", name, median(times), *std::min_element(times.begin(), times.end()),
                    *std::max_element(times.begin(), times.end()));
    }
    std::printf("\n");
    if (notReady > 0) {
        std::printf("(%d runs left out: the other program was not in front before the hotkey.)\n\n", notReady);
    }
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

// The drop's steps one by one, as WMDropFiles runs them (the list written without a backup).
std::vector<double> dropStages(TMerulanForm& form, const FormEnvironment& env, const std::u16string& folder, int runs) {
    std::vector<std::vector<double>> times(5);
    const std::u16string listPath = form.listFilePath();
    for (int run = 0; run < runs; ++run) {
        auto start = Clock::now();
        const std::vector<std::u16string> sources = lispSourcesOf({folder}, compareFileNamesLogically);
        times[0].push_back(millisecondsSince(start));
        start = Clock::now();
        const LineList list =
            newListOf(indexLispSources(sources, *env.ansiCodePage, compareUserLocaleIgnoreCase), env.executableFolder())
                .lines;
        times[1].push_back(millisecondsSince(start));
        start = Clock::now();
        writeTextFile(listPath, list, *env.ansiCodePage);
        times[2].push_back(millisecondsSince(start));
        start = Clock::now();
        form.loadMerulanList();
        times[3].push_back(millisecondsSince(start));
        start = Clock::now();
        form.makeTreeViewItemsByRow();
        UpdateWindow(form.TreeView1.handle());
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
    unsigned second = 0; // a backup name of its own for every drop
    env.localTime = [&second] {
        StampTime time{2024, 1, 1, 0, 0, 0};
        time.minute = second / 60;
        time.second = second++ % 60;
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
        const std::vector<std::u16string> sources = bench::writeLibraryFolder(folder, files);
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
            UpdateWindow(form->TreeView1.handle());
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

// One start of the palette in this fresh process, as Merulan.exe starts (style, window, FormCreate, shown):
// each step's milliseconds go to `out`, one "name ms" line each.
void startupStepsChild(const std::filesystem::path& out, const std::string& list) {
    const auto begin = Clock::now();
    auto last = begin;
    std::vector<std::pair<std::string, double>> steps;
    const auto stepDone = [&](const char* name) {
        const auto now = Clock::now();
        steps.emplace_back(name, std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
    };
    const Stage stage = stageWith(buildPath(MERULAN_EXE_PATH), list, "merulan-bench-steps");
    last = Clock::now(); // staging is the bench's own work
    const std::shared_ptr<const Theme> theme = applyStyle(kPaletteStyleName, [](const std::u16string&) {});
    stepDone("style");
    FormEnvironment env = productionEnvironment(theme);
    env.executablePath = stage.exe.u16string();
    env.startupStep = stepDone;
    auto form = TMerulanForm::create(env, theme);
    form->show(SW_SHOWNOACTIVATE);
    stepDone("shown and painted");
    pump(); // what comes right after the first paint
    std::ofstream file(out);
    for (const auto& [name, ms] : steps) {
        file << name << '\t' << ms << '\n';
    }
}

// Where the start-up's time goes, step by step: medians over fresh processes.
void startupStepsTable(int runs, int entries) {
    const std::filesystem::path self = buildPath(MERULAN_BENCH_PATH);
    const std::filesystem::path out = std::filesystem::temp_directory_path() / "merulan-bench-steps.txt";
    std::vector<std::string> order;
    std::map<std::string, std::vector<double>> times;
    for (int run = 0; run < runs + 1; ++run) {
        runToEnd(self, L"startup-steps-child " + std::to_wstring(entries) + L" \"" + out.wstring() + L"\"");
        if (run == 0) {
            continue; // warms the file cache and the wineserver
        }
        std::ifstream file(out);
        std::string name;
        double ms = 0;
        while (std::getline(file, name, '\t') && file >> ms) {
            file.ignore(1);
            if (!times.count(name)) {
                order.push_back(name);
            }
            times[name].push_back(ms);
        }
    }
    std::printf("Start-up in steps, %d entries (median of %d fresh processes, ms):\n\n| Step | Median |\n|---|---|\n",
                entries, runs);
    double total = 0;
    for (const std::string& name : order) {
        total += median(times[name]);
        std::printf("| %s | %.1f |\n", name.c_str(), median(times[name]));
    }
    std::printf("| (sum of the medians) | %.1f |\n\n", total);
}

} // namespace
} // namespace merulan

// Without arguments every table; otherwise only those named: startup, steps, keys, breakdown, reload, hotkey, drop,
// shared.
int wmain(int argc, wchar_t** argv) {
    const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const auto wanted = [&](std::wstring_view table) {
        return argc < 2 || std::find(argv + 1, argv + argc, table) != argv + argc;
    };
    if (argc == 4 && std::wstring_view(argv[1]) == L"shared-startup-child") {
        return merulan::sharedStartUpChild(argv[2], argv[3]);
    }
    if (argc == 4 && std::wstring_view(argv[1]) == L"startup-steps-child") {
        const int entries = std::stoi(argv[2]);
        merulan::startupStepsChild(argv[3], entries ? merulan::listOf(entries) : merulan::sampleListBytes());
        return 0;
    }
    if (wanted(L"startup")) {
        merulan::startUpTable(15);
    }
    if (wanted(L"steps")) {
        merulan::startupStepsTable(15, 0);
        merulan::startupStepsTable(9, 5000);
    }
    if (wanted(L"keys")) {
        merulan::keystrokeTable(500, 15);
        merulan::keystrokeTable(5000, 9);
        merulan::keystrokeTable(5000, 9, 2500);
    }
    if (wanted(L"shared")) {
        merulan::sharedListTables(15);
    }
    if (wanted(L"breakdown")) {
        merulan::breakdownTable(500, u"CMD01", u'\b', 15);
        merulan::breakdownTable(500, u"CMD0", u'1', 15);
    }
    if (wanted(L"reload")) {
        merulan::reloadTable(500, 15);
        merulan::reloadTable(5000, 9);
    }
    if (wanted(L"hotkey")) {
        merulan::hotkeyTable(15);
    }
    if (wanted(L"drop")) {
        merulan::dropTable(7);
    }
    return 0;
}
