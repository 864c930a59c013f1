// The office's shared list under Wine: start-up beside a server that does not answer against start-up without
// a shared list, and the window's longest message while 5,000 shared entries arrive.
#include "bench/window/window_bench_support.h"

#include "app/program.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace merulan {

namespace {

// A server that does not answer: the read returns after a network timeout.
std::optional<std::string> readThatBlocks(const std::u16string&) {
    std::this_thread::sleep_for(std::chrono::seconds(30));
    return std::nullopt;
}

// Milliseconds to the first paint and to the end of what follows it.
std::pair<double, double> startUpInChild(const std::wstring& mode) {
    const std::filesystem::path out = std::filesystem::temp_directory_path() / "merulan-bench-shared.txt";
    std::filesystem::remove(out);
    runToEnd(buildPath(MERULAN_BENCH_PATH), L"shared-startup-child " + mode + L" \"" + out.wstring() + L"\"");
    std::pair<double, double> ms{-1, -1};
    std::ifstream(out) >> ms.first >> ms.second;
    return ms;
}

void startUpTable(int runs) {
    std::vector<double> paintedWithout, settledWithout, paintedBlocked, settledBlocked;
    startUpInChild(L"none");               // warms the file cache and the wineserver
    for (int run = 0; run < runs; ++run) { // interleaved, so that a busy moment spreads over both
        const auto [painted, settled] = startUpInChild(L"none");
        paintedWithout.push_back(painted);
        settledWithout.push_back(settled);
        const auto [paintedBlocked1, settledBlocked1] = startUpInChild(L"blocking");
        paintedBlocked.push_back(paintedBlocked1);
        settledBlocked.push_back(settledBlocked1);
    }
    std::printf("Start-up with the sample list, from the style to the first paint, and to the end of what follows "
                "it (the watches and the shared list's start) (median of %d fresh processes, ms):\n\n"
                "| Shared list | First paint | x without | All settled | x without |\n|---|---|---|---|---|\n",
                runs);
    std::printf("| none | %.1f | 1.00 | %.1f | 1.00 |\n", median(paintedWithout), median(settledWithout));
    std::printf("| on a server that does not answer (its read blocks 30 s) | %.1f | %.2f | %.1f | %.2f |\n\n",
                median(paintedBlocked), median(paintedBlocked) / median(paintedWithout), median(settledBlocked),
                median(settledBlocked) / median(settledWithout));
}

// The window's thread while the shared list arrives: every message it handles, timed, from the palette's
// creation until every shared entry is in the tree.
void arrivalTable(int sharedEntries, int runs) {
    const std::string sample = sampleListBytes();
    const std::string shared = listOf(sharedEntries, 0, 5000);
    std::vector<double> longest, total, over;
    for (int run = 0; run < runs; ++run) {
        const Stage stage = stageWith(buildPath(MERULAN_EXE_PATH), sample, "merulan-bench-arrival", shared);
        const auto theme = applyStyle(kPaletteStyleName, [](const std::u16string&) {});
        FormEnvironment env = productionEnvironment(theme);
        env.executablePath = stage.exe.u16string();
        lspRecords.clear();
        const auto start = Clock::now();
        auto form = TMerulanForm::create(env, theme);
        form->show(SW_SHOWNOACTIVATE);
        double maxMessage = 0;
        int slow = 0;
        const auto arrived = [&] {
            return std::any_of(lspRecords.begin(), lspRecords.end(), [](const TLspRecord& r) { return r.shared; }) &&
                   !form->TreeView1.moreToRender();
        };
        while (!arrived() && millisecondsSince(start) < 30000) {
            MSG message;
            if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                Sleep(1);
                continue;
            }
            const auto handled = Clock::now();
            TranslateMessage(&message);
            DispatchMessageW(&message);
            const double ms = millisecondsSince(handled);
            maxMessage = std::max(maxMessage, ms);
            slow += ms > 16 ? 1 : 0;
            if (ms > 16 && std::getenv("MERULAN_BENCH_VERBOSE")) { // which message it was
                std::fprintf(stderr, "message %04x took %.1f ms\n", message.message, ms);
            }
        }
        total.push_back(millisecondsSince(start));
        longest.push_back(maxMessage);
        over.push_back(slow);
        form.reset();
        lspRecords.clear();
    }
    std::printf("%d shared entries arriving beside the sample list, palette creation to every node in the tree "
                "(median of %d, ms):\n\n| Longest message | Messages over 16 ms | Until all shown |\n|---|---|---|\n",
                sharedEntries, runs);
    std::printf("| %.1f (worst %.1f) | %.0f | %.0f |\n\n", median(longest),
                *std::max_element(longest.begin(), longest.end()), median(over), median(total));
}

} // namespace

void sharedListTables(int runs) {
    startUpTable(runs);
    arrivalTable(5000, std::max(3, runs / 3));
}

int sharedStartUpChild(const std::wstring& mode, const std::filesystem::path& out) {
    const std::string sample = sampleListBytes();
    const bool blocking = mode == L"blocking";
    const Stage stage = stageWith(buildPath(MERULAN_EXE_PATH), sample, "merulan-bench-shared-startup", listOf(100));
    if (!blocking) { // the same settings file, naming no shared list
        std::ofstream(stage.dir / "Merulan.ini", std::ios::binary) << "[List]\r\nShared=\r\n";
    }
    const auto start = Clock::now();
    const auto theme = applyStyle(kPaletteStyleName, [](const std::u16string&) {});
    FormEnvironment env = productionEnvironment(theme);
    env.executablePath = stage.exe.u16string();
    if (blocking) {
        env.readSharedList = readThatBlocks;
    }
    auto form = TMerulanForm::create(env, theme);
    form->show(SW_SHOWNOACTIVATE);
    const double painted = millisecondsSince(start);
    pump(); // what comes right after the first paint, the shared list's start among it
    const double settled = millisecondsSince(start);
    std::ofstream(out) << painted << ' ' << settled;
    // The reader's thread is still in its read: the process ends without waiting for it, as the palette's does.
    ExitProcess(0);
}

} // namespace merulan
