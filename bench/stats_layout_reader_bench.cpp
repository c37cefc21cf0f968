// The fast reader of the statistics file over a crafted element of many attributes: the time
// grows with the element's bytes, not with the square of its attributes.

#include <benchmark/benchmark.h>

#include <string>

#include "stats/statistics_xml.h"

namespace orv {
namespace {

std::string ManyAttributes(int count) {
    std::string file = "<all><connection";
    for (int i = 0; i < count; ++i) {
        file += " a" + std::to_string(i) + "=\"1\"";
    }
    return file + "/></all>";
}

void BM_StatsReadElementOfManyAttributes(benchmark::State& state) {
    const std::string file = ManyAttributes(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        RecordStore store;
        benchmark::DoNotOptimize(ReadStatisticsLayout(file, store).accepted);
    }
    state.counters["MB"] = static_cast<double>(file.size()) / 1e6;
}
BENCHMARK(BM_StatsReadElementOfManyAttributes)
    ->Arg(10'000)
    ->Arg(40'000)
    ->Arg(160'000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orv
