// merulan-tool check beside merulan-tool index on the same library: 100 sources of 100 KB (10 MB), every
// tenth also defining a command of the one before it. Each runs what its subcommand runs, up to the text
// it prints: index the list a drop would write, check its findings.
#include "bench/lisp_library.h"
#include "lispindex/source_import.h"
#include "platform/system_codepage.h"
#include "text/utf8.h"
#include "tools/merulan-tool/check_paths.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace merulan {
namespace {

constexpr int kFiles = 100;
constexpr int kSharedEvery = 10;

// Written once in the temporary folder and removed at exit; kept where MERULAN_BENCH_LIBRARY names a
// folder, so that the built tool can be timed on the same files.
class LibraryFolder {
public:
    LibraryFolder() {
        const char* kept = std::getenv("MERULAN_BENCH_LIBRARY");
        keep_ = kept != nullptr && *kept != '\0';
        folder_ = keep_ ? std::filesystem::path(kept) : std::filesystem::temp_directory_path() / "merulan-tool-bench";
        bench::writeLibraryFolder(folder_, kFiles, kSharedEvery);
    }
    LibraryFolder(const LibraryFolder&) = delete;
    LibraryFolder& operator=(const LibraryFolder&) = delete;
    ~LibraryFolder() {
        if (!keep_) {
            std::error_code ignored;
            std::filesystem::remove_all(folder_, ignored);
        }
    }
    const std::filesystem::path& folder() const { return folder_; }

private:
    std::filesystem::path folder_;
    bool keep_ = false;
};

const std::filesystem::path& library() {
    static LibraryFolder folder;
    return folder.folder();
}

const AnsiCodePage& japanese() {
    static const auto codePage = codePageById(932);
    return *codePage;
}

void setProcessed(benchmark::State& state) {
    std::uintmax_t bytes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(library())) {
        bytes += entry.file_size();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

// merulan-tool index FOLDER: the sources as a drop takes them, read, indexed, the list and its text.
void BM_IndexCommand(benchmark::State& state) {
    const std::u16string folder = library().u16string();
    std::size_t lines = 0;
    for (auto _ : state) {
        const auto indexed =
            indexLispSources(lispSourcesOf({folder}, compareFileNamesStandIn), japanese(), compareTextStandIn);
        std::string out;
        for (const std::u16string& line : newListOf(indexed, u"/nowhere/", u"\\:/").lines) {
            out += toUtf8(line);
            out += '\n';
        }
        benchmark::DoNotOptimize(out);
        lines = static_cast<std::size_t>(std::count(out.begin(), out.end(), '\n'));
    }
    setProcessed(state);
    state.counters["lines"] = static_cast<double>(lines);
}

// merulan-tool check FOLDER: the same sources, the same reading and index, the findings and their text.
void BM_CheckCommand(benchmark::State& state) {
    const std::string folder = toUtf8(library().u16string());
    std::size_t findings = 0;
    for (auto _ : state) {
        const tool::CheckResult result = tool::checkPaths({folder}, japanese());
        std::string out;
        for (const tool::Finding& finding : result.findings) {
            out += tool::findingText(finding);
        }
        benchmark::DoNotOptimize(out);
        findings = result.findings.size();
    }
    setProcessed(state);
    state.counters["findings"] = static_cast<double>(findings);
}

BENCHMARK(BM_IndexCommand)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckCommand)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace merulan

BENCHMARK_MAIN();
