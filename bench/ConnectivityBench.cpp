#include "BenchGraphs.h"
#include "algorithms/Connectivity.h"

#include <benchmark/benchmark.h>

namespace {

// Radius and diameter apply to undirected graphs: the complete weighted one on 255 vertices.
void BM_RadiusAndDiameter(benchmark::State& state)
{
    auto g = BenchGraphs::Complete(false, true);
    for (auto _ : state) {
        AlgorithmResult result = RadiusAndDiameter(*g);
        benchmark::DoNotOptimize(result.resultCount);
    }
}
BENCHMARK(BM_RadiusAndDiameter)->Unit(benchmark::kMillisecond);

void BM_TreeTestAndConnectivity(benchmark::State& state)
{
    auto g = BenchGraphs::Complete(false, false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(IsConnected(*g));
        AlgorithmResult result = TreeTest(*g);
        benchmark::DoNotOptimize(result.output.size());
    }
}
BENCHMARK(BM_TreeTestAndConnectivity)->Unit(benchmark::kMicrosecond);

} // namespace
