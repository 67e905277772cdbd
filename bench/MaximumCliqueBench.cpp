#include "algorithms/MaximumClique.h"
#include "document/AllGrafUnit.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <random>

namespace {

// G(n, p) with a fixed seed, or the complete graph when percent is 100.
std::unique_ptr<TAllGraf> RandomGraf(int n, int percent)
{
    auto g = std::make_unique<TAllGraf>();
    g->NewGraf(false, false);
    for (int i = 1; i <= n; ++i)
        g->AddPoint(20 * (i % 16), 20 * (i / 16), QString(), g->FreeTitleNumber(), 10);
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> percentDraw(0, 99);
    for (int a = 1; a <= n; ++a)
        for (int b = a + 1; b <= n; ++b)
            if (percentDraw(random) < percent)
                g->AddDuga(a, b, 1);
    return g;
}

// The whole run: the search, the member line and the report's list of cliques.
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
    ->Args({50, 90})
    ->Args({128, 70})
    ->Args({255, 50})
    ->Unit(benchmark::kMillisecond);

// Recording the steps stops at the trace's cap, so a long search stays as fast.
void BM_MaximumCliqueWithSteps(benchmark::State& state)
{
    const auto g = RandomGraf(int(state.range(0)), int(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(MaximumClique(*g, true).resultValue);
}
BENCHMARK(BM_MaximumCliqueWithSteps)->Args({128, 70})->Unit(benchmark::kMillisecond);

} // namespace
