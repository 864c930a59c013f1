// Under Wine: how long Merulan.exe takes from process start to its first shown, filled window, and how
// long one keystroke in the search box takes to rebuild the filtered view of 5,000 entries; each beside
// its floor (a bare window with one empty TreeView; a bare TreeView filled with the same nodes).
#include "app/MerulanUnit.h"
#include "app/program.h"
#include "platform/system_codepage.h"
#include "platform/win/wide.h"
#include "text/utf8.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
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

} // namespace
} // namespace merulan

int main() {
    const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    merulan::startUpTable(15);
    merulan::keystrokeTable(9);
    return 0;
}
