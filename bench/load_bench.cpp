// Loading a 100,000-line list file, against reading and decoding the same bytes alone.
#include "bench/bench_data.h"
#include "cmdlist/list_file.h"
#include "platform/system_codepage.h"
#include "platform/text_file.h"
#include "text/utf8.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>

namespace merulan::bench {

namespace {

constexpr size_t kLines = 100000;

// The generated list written once per encoding into a temporary file.
class ListFile {
public:
    explicit ListFile(unsigned codePage) : ansi_(codePageById(codePage)) {
        const auto name = "merulan-bench-" + std::to_string(codePage) + "-" +
                          std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + ".txt";
        path_ = std::filesystem::temp_directory_path() / name;
        // The UTF-8 case gets its byte-order mark, as a list saved by Notepad has.
        const std::string bytes = encodeLines(generatedListLines(kLines), *ansi_);
        std::ofstream(path_, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        size_ = bytes.size();
    }
    ListFile(const ListFile&) = delete;
    ListFile& operator=(const ListFile&) = delete;
    ~ListFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    std::u16string path() const { return path_.u16string(); }
    const AnsiCodePage& ansi() const { return *ansi_; }
    size_t size() const { return size_; }

private:
    std::unique_ptr<AnsiCodePage> ansi_;
    std::filesystem::path path_;
    size_t size_ = 0;
};

const ListFile& listFile(unsigned codePage) {
    static const ListFile utf8(kUtf8CodePage);
    static const ListFile japanese(932);
    return codePage == 932 ? japanese : utf8;
}

// Reading the bytes and decoding them into UTF-16 text, nothing more: the floor under any loader.
size_t readAndDecode(const ListFile& file) {
    const std::string bytes = readFileBytes(file.path());
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        return decodeUtf8Strict(std::string_view(bytes).substr(3))->size();
    }
    return file.ansi().decode(bytes).size();
}

double secondsOf(auto&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Load time over read-and-decode time, each the best of several runs taken in turn, so that both see
// the same cache and the same neighbours on a shared machine.
double loadOverReadAndDecode(const ListFile& file, TLspRecords& table) {
    double load = 1e30;
    double floor = 1e30;
    for (int round = 0; round < 7; ++round) {
        floor = std::min(floor, secondsOf([&] { benchmark::DoNotOptimize(readAndDecode(file)); }));
        load = std::min(load, secondsOf([&] { loadMerulanList(table, file.path(), file.ansi()); }));
    }
    return load / floor;
}

void BM_ReadAndDecode(benchmark::State& state) {
    const ListFile& file = listFile(static_cast<unsigned>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(readAndDecode(file));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}

void BM_LoadMerulanList(benchmark::State& state) {
    const ListFile& file = listFile(static_cast<unsigned>(state.range(0)));
    TLspRecords table;
    const double ratio = loadOverReadAndDecode(file, table);
    for (auto _ : state) {
        loadMerulanList(table, file.path(), file.ansi());
        benchmark::DoNotOptimize(table.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
    state.counters["records"] = static_cast<double>(table.size());
    state.counters["file_MB"] = static_cast<double>(file.size()) / 1e6;
    state.counters["x_read_decode"] = ratio;
}

BENCHMARK(BM_ReadAndDecode)->Arg(kUtf8CodePage)->Arg(932)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadMerulanList)->Arg(kUtf8CodePage)->Arg(932)->Unit(benchmark::kMillisecond);

} // namespace

} // namespace merulan::bench
