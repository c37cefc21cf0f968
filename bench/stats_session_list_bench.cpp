// Building the session list and its totals from 100 000 stored sessions, and the selection
// sums over all of them.

#include <benchmark/benchmark.h>

#include <numeric>
#include <vector>

#include "stats/session_list.h"
#include "tests/host/support/memory_document.h"

namespace orv {
namespace {

constexpr std::size_t kSessions = 100'000;

const testing::MemoryDocument& Document() {
    static const testing::MemoryDocument document = testing::GeneratedDocument(kSessions);
    return document;
}

void BM_StatsLoadSessionList(benchmark::State& state) {
    SessionList list;
    for (auto _ : state) {
        const TotalsTexts totals = FormatTotals(LoadSessionList(Document(), list));
        benchmark::DoNotOptimize(totals);
    }
    state.counters["rows"] = static_cast<double>(list.RowCount());
}
BENCHMARK(BM_StatsLoadSessionList)->Unit(benchmark::kMillisecond);

void BM_StatsSelectionSumsOverAllRows(benchmark::State& state) {
    SessionList list;
    LoadSessionList(Document(), list);
    std::vector<std::size_t> all(list.RowCount());
    std::iota(all.begin(), all.end(), 0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(SelectionSumsText(list, all, " ", true));
    }
}
BENCHMARK(BM_StatsSelectionSumsOverAllRows)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orv
