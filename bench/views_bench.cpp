// Building the tree views' content from a 10,000-record table.
#include "bench/bench_data.h"
#include "cmdlist/tree_views.h"
#include "support/literal_exchange_sort.h"

#include <benchmark/benchmark.h>

namespace merulan::bench {

namespace {

constexpr size_t kRecords = 10000;

enum class Start {
    FileOrderDistinct,   // freshly loaded, every cmd its own
    FileOrderDuplicates, // freshly loaded, 30% of the records repeat an earlier cmd
    AlreadyOrdered,      // as this view left it (a second press, a further keystroke)
    AfterOtherView,      // as the other kind of view left it, with 30% duplicates
};

enum class View { Grouped, Flat, Filtered };

TLspRecords startTable(Start start, View view) {
    TLspRecords table = generatedTable(kRecords, start == Start::FileOrderDistinct ? 0.0 : 0.3);
    if (start == Start::AlreadyOrdered) {
        sortLspRecords(table, view != View::Grouped);
    } else if (start == Start::AfterOtherView) {
        sortLspRecords(table, view == View::Grouped);
    }
    return table;
}

TreeViewContent build(View view, TLspRecords& table) {
    switch (view) {
    case View::Grouped:
        return groupedViewContent(table);
    case View::Flat:
        return flatViewContent(table);
    default:
        return filteredViewContent(table, u"li"); // two letters typed: a typical filter
    }
}

void BM_View(benchmark::State& state) {
    const auto view = static_cast<View>(state.range(0));
    const auto start = static_cast<Start>(state.range(1));
    const TLspRecords original = startTable(start, view);
    size_t nodes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TLspRecords table = original;
        state.ResumeTiming();
        nodes = build(view, table).nodes.size();
        benchmark::DoNotOptimize(nodes);
    }
    state.counters["nodes"] = static_cast<double>(nodes);
}

// The filter alone, for searches that find few or many entries and that need the kana folded.
const std::u16string_view kSearches[] = {u"li", u"l", u"ぽりらいん", u"ﾎﾟﾘﾗｲﾝ"};

void BM_Filtered(benchmark::State& state) {
    const std::u16string_view search = kSearches[state.range(0)];
    const TLspRecords original = startTable(static_cast<Start>(state.range(1)), View::Filtered);
    size_t nodes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TLspRecords table = original;
        state.ResumeTiming();
        nodes = filteredViewContent(table, search).nodes.size();
        benchmark::DoNotOptimize(nodes);
    }
    state.counters["nodes"] = static_cast<double>(nodes);
}

void BM_SortByCmd(benchmark::State& state) {
    const bool literal = state.range(0) != 0;
    const TLspRecords original = generatedTable(kRecords, static_cast<double>(state.range(1)) / 100);
    for (auto _ : state) {
        state.PauseTiming();
        TLspRecords table = original;
        state.ResumeTiming();
        if (literal) {
            testing::literalExchangeSort(table, true);
        } else {
            sortLspRecords(table, true);
        }
        benchmark::DoNotOptimize(table.data());
    }
}

void viewArguments(benchmark::internal::Benchmark* b) {
    b->ArgNames({"view", "start"});
    for (int view : {0, 1, 2}) {
        for (int start : {0, 1, 2, 3}) {
            b->Args({view, start});
        }
    }
}

BENCHMARK(BM_View)->Apply(viewArguments)->Unit(benchmark::kMillisecond);
// search: "li", "l", "ぽりらいん", "ﾎﾟﾘﾗｲﾝ"; start: file order with distinct keys (0) or already ordered (2).
BENCHMARK(BM_Filtered)
    ->ArgNames({"search", "start"})
    ->ArgsProduct({{0, 1, 2, 3}, {0, 2}})
    ->Unit(benchmark::kMillisecond);
// The ordering alone, against the quadratic exchange sort itself (literal:1) on the same table;
// dup:99 leaves about 600 distinct keys among the 10,000 records.
BENCHMARK(BM_SortByCmd)
    ->ArgNames({"literal", "dup"})
    ->Args({0, 30})
    ->Args({1, 30})
    ->Args({0, 99})
    ->Unit(benchmark::kMillisecond);

} // namespace

} // namespace merulan::bench
