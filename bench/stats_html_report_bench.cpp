// The HTML report of 100 000 sessions.

#include <benchmark/benchmark.h>

#include "stats/html_report.h"
#include "tests/host/support/memory_document.h"

namespace orv {
namespace {

void BM_StatsBuildHtmlReport(benchmark::State& state) {
    const testing::MemoryDocument document = testing::GeneratedDocument(100'000);
    SessionList list;
    LoadSessionList(document, list);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const auto report = BuildHtmlReport(list, "windows-1251");
        bytes = report ? report->size() : 0;
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_StatsBuildHtmlReport)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orv
