// What the window benches share: the clock, staged copies of Merulan.exe with a list (and a shared list),
// a palette opened in the bench's own process, and child processes timed to their end.
#pragma once

#include "app/MerulanUnit.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace merulan {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start);
double median(std::vector<double> values);

// A path of the build as this program under Wine sees it.
std::filesystem::path buildPath(const char* path);

// Headings of 20 commands each, CMD<first>, CMD<first + 1>...; every tenth command loads a LISP file. A
// variant adds one heading and command at the top, so that two versions differ.
std::string listOf(int entries, int variant = 0, int first = 0);

// The bytes of the sample list that the release carries.
std::string sampleListBytes();

struct Stage {
    std::filesystem::path dir;
    std::filesystem::path exe;
};

// A fresh folder in the temporary folder with a copy of exe and, when given, MerulanList.txt; with a
// shared list, that list in its "server" sub-folder and a Merulan.ini whose [List] Shared names it.
Stage stageWith(const std::filesystem::path& exe, const std::string& listBytes, const char* name,
                const std::string& sharedListBytes = "");

// Handles what is waiting in this thread's queue.
void pump();

// The palette of this process over a staged list, shown without taking the focus; with a shared list,
// once its entries are in the tree.
struct InProcessPalette {
    Stage stage;
    std::shared_ptr<const Theme> theme;
    std::unique_ptr<TMerulanForm> form;

    InProcessPalette(const std::string& list, const char* name, const std::string& sharedList = "");
    ~InProcessPalette();
    InProcessPalette(const InProcessPalette&) = delete;
    InProcessPalette& operator=(const InProcessPalette&) = delete;
};

// Milliseconds from CreateProcess to the end of the process; its output goes nowhere.
double runToEnd(const std::filesystem::path& exe, const std::wstring& arguments);

// The shared list's tables (shared_list_bench.cpp): start-up beside a server that does not answer, the
// window's longest message while 5,000 shared entries arrive. The child runs in a process of its own.
void sharedListTables(int runs);
int sharedStartUpChild(const std::wstring& mode, const std::filesystem::path& out);

} // namespace merulan
