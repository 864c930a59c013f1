// Indexing a large AutoLISP source: MB/s of read + decode + makeLspIndex against read + decode alone,
// and each stage at 1 MB and 10 MB, to show that none grows faster than the source.
#include "bench/lisp_library.h"
#include "lispindex/defun_details.h"
#include "lispindex/index_builder.h"
#include "lispindex/source_scanner.h"
#include "platform/system_codepage.h"
#include "platform/text_file.h"
#include "text/utf8.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace merulan {
namespace {

// The generated sources, written once as UTF-8 files in the temporary folder and removed at exit.
class SourceFiles {
public:
    SourceFiles() = default;
    SourceFiles(const SourceFiles&) = delete;
    SourceFiles& operator=(const SourceFiles&) = delete;
    ~SourceFiles() {
        for (const auto& [megabytes, path] : paths_) {
            std::error_code ignored;
            std::filesystem::remove(std::filesystem::path(path), ignored);
        }
    }

    const std::u16string& of(std::size_t megabytes) {
        auto& path = paths_[megabytes];
        if (path.empty()) {
            const auto file =
                std::filesystem::temp_directory_path() / ("merulan-bench-" + std::to_string(megabytes) + "mb.lsp");
            std::ofstream(file, std::ios::binary) << bench::librarySource(megabytes << 20);
            path = file.u16string();
        }
        return path;
    }

private:
    std::map<std::size_t, std::u16string> paths_;
};

const std::u16string& sourceFile(std::size_t megabytes) {
    static SourceFiles files;
    return files.of(megabytes);
}

const AnsiCodePage& japanese() {
    static const auto codePage = codePageById(932);
    return *codePage;
}

void setProcessed(benchmark::State& state, const std::u16string& path) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(std::filesystem::file_size(path)));
}

void BM_ReadAndDecode(benchmark::State& state) {
    const auto& path = sourceFile(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(readTextFile(path, japanese(), UnmarkedText::Utf8ThenAnsiCodePage));
    }
    setProcessed(state, path);
}

void BM_ReadDecodeAndIndex(benchmark::State& state) {
    const auto& path = sourceFile(static_cast<std::size_t>(state.range(0)));
    std::size_t commands = 0;
    for (auto _ : state) {
        const LineList source = readTextFile(path, japanese(), UnmarkedText::Utf8ThenAnsiCodePage);
        LineList index;
        makeLspIndex(source, index, compareTextStandIn);
        commands = index.size();
    }
    setProcessed(state, path);
    state.counters["commands"] = static_cast<double>(commands);
}

// The stages alone, on lines already read.
void BM_StripLispComments(benchmark::State& state) {
    const auto& path = sourceFile(static_cast<std::size_t>(state.range(0)));
    const LineList source = readTextFile(path, japanese(), UnmarkedText::Utf8ThenAnsiCodePage);
    for (auto _ : state) {
        LineList cleaned;
        stripLispComments(source, cleaned);
        benchmark::DoNotOptimize(cleaned);
    }
    setProcessed(state, path);
}

void BM_ScanDefuns(benchmark::State& state) {
    const auto& path = sourceFile(static_cast<std::size_t>(state.range(0)));
    const LineList source = readTextFile(path, japanese(), UnmarkedText::Utf8ThenAnsiCodePage);
    LineList cleaned;
    stripLispComments(source, cleaned);
    for (auto _ : state) {
        LineList records;
        scanDefuns(cleaned, records, compareTextStandIn);
        benchmark::DoNotOptimize(records);
    }
    setProcessed(state, path);
}

void BM_MakeLspIndex(benchmark::State& state) {
    const auto& path = sourceFile(static_cast<std::size_t>(state.range(0)));
    const LineList source = readTextFile(path, japanese(), UnmarkedText::Utf8ThenAnsiCodePage);
    for (auto _ : state) {
        LineList index;
        makeLspIndex(source, index, compareTextStandIn);
        benchmark::DoNotOptimize(index);
    }
    setProcessed(state, path);
}

// The hard case for the comment walk: every form stands on a line that begins with a block comment,
// so all of them share one run of comment lines above them.
void BM_MakeLspIndexSharedCommentRun(benchmark::State& state) {
    LineList source = {u"(setq start 0)", u";;;;;;;;;;;;;;;;"};
    std::size_t bytes = 0;
    for (int n = 0; bytes < (static_cast<std::size_t>(state.range(0)) << 20); ++n) {
        source.push_back(u";| 説明 |; (defun c:shared" + fromUtf8(std::to_string(n)) + u" (a) 1)");
        bytes += toUtf8(source.back()).size() + 1;
    }
    for (auto _ : state) {
        LineList index;
        makeLspIndex(source, index, compareTextStandIn);
        benchmark::DoNotOptimize(index);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

BENCHMARK(BM_ReadAndDecode)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDecodeAndIndex)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StripLispComments)->Arg(1)->Arg(3)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanDefuns)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MakeLspIndex)->Arg(1)->Arg(3)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MakeLspIndexSharedCommentRun)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace merulan

BENCHMARK_MAIN();
