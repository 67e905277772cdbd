#include "BenchGraphs.h"
#include "algorithms/CliqueBitSets.h"
#include "algorithms/MaximumClique.h"

#include <benchmark/benchmark.h>

namespace {

// G(n, p) with a fixed seed; the complete graph when percent is 100.
std::unique_ptr<GraphDocument> RandomGraf(int n, int percent)
{
    auto g = BenchGraphs::Empty(false, false, n);
    BenchGraphs::Join(*g, 1, n, percent, 20261207);
    return g;
}

// The whole run: the listed cliques, their count, the largest one, the member line and the
// report.
void BM_MaximumClique(benchmark::State& state)
{
    const auto g = RandomGraf(int(state.range(0)), int(state.range(1)));
    int size = 0;
    for (auto _ : state) {
        const AlgorithmResult result = MaximumClique(*g);
        size = result.resultValue;
        benchmark::DoNotOptimize(size);
    }
    state.counters["clique"] = size;
}
BENCHMARK(BM_MaximumClique)
    ->Args({30, 100})
    ->Args({255, 2})
    ->Args({255, 5})
    ->Args({50, 90})
    ->Args({128, 70})
    ->Args({255, 50})
    ->Unit(benchmark::kMillisecond);

// The two searches whose answers do not depend on the listing order, apart.
void BM_CountMaximalCliques(benchmark::State& state)
{
    const auto g = RandomGraf(int(state.range(0)), int(state.range(1)));
    const AdjacencySets adjacency = CliqueAdjacency(*g);
    for (auto _ : state)
        benchmark::DoNotOptimize(CountMaximalCliques(adjacency, g->VertexCount));
}
BENCHMARK(BM_CountMaximalCliques)->Args({128, 70})->Args({255, 50})->Unit(benchmark::kMillisecond);

void BM_FirstLargestClique(benchmark::State& state)
{
    const auto g = RandomGraf(int(state.range(0)), int(state.range(1)));
    const AdjacencySets adjacency = CliqueAdjacency(*g);
    for (auto _ : state)
        benchmark::DoNotOptimize(FirstLargestClique(adjacency, g->VertexCount).size());
}
BENCHMARK(BM_FirstLargestClique)->Args({128, 70})->Args({255, 50})->Unit(benchmark::kMillisecond);

// Recording the steps stops at the trace's cap, so a long search stays as fast.
void BM_MaximumCliqueWithSteps(benchmark::State& state)
{
    const auto g = RandomGraf(int(state.range(0)), int(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(MaximumClique(*g, true).resultValue);
}
BENCHMARK(BM_MaximumCliqueWithSteps)->Args({128, 70})->Unit(benchmark::kMillisecond);

} // namespace
