#include "BenchGraphs.h"
#include "algorithms/PathSearches.h"

#include <benchmark/benchmark.h>

namespace {

void BM_WaveFrontPath(benchmark::State& state)
{
    auto g = BenchGraphs::Complete(true, false);
    for (auto _ : state) {
        AlgorithmResult result = WaveFrontPath(*g, 1, GraphDocument::MaxVertices, g->VertexCount);
        benchmark::DoNotOptimize(result.resultCount);
    }
}
BENCHMARK(BM_WaveFrontPath)->Unit(benchmark::kMicrosecond);

void RunTarry(benchmark::State& state, const GraphDocument& g, int start, int finish, int expectedCount)
{
    for (auto _ : state) {
        AlgorithmResult result = TarryPath(g, start, finish, g.VertexCount);
        benchmark::DoNotOptimize(result.resultCount);
        if ((result.resultCount > 0) != (expectedCount > 0))
            state.SkipWithError("unexpected answer");
    }
}

// K13 and an isolated finish: the full search would walk 1.3 * 10^9 simple paths.
void BM_TarryPathK13IsolatedFinish(benchmark::State& state)
{
    auto g = BenchGraphs::Empty(false, false, 14);
    BenchGraphs::Join(*g, 1, 13);
    RunTarry(state, *g, 1, 14, -1);
}
BENCHMARK(BM_TarryPathK13IsolatedFinish)->Unit(benchmark::kMicrosecond);

void BM_TarryPathDense30IsolatedFinish(benchmark::State& state)
{
    auto g = BenchGraphs::Empty(false, false, 31);
    BenchGraphs::Join(*g, 1, 30, 70);
    RunTarry(state, *g, 1, 31, -1);
}
BENCHMARK(BM_TarryPathDense30IsolatedFinish)->Unit(benchmark::kMicrosecond);

// Two dense halves of 127 and 128 vertices; the one bridge leaves the first half from its last
// vertex and is that vertex's last arc, so the full search tries every path of the first half.
void BM_TarryPathBridgeBetweenDenseHalves(benchmark::State& state)
{
    auto g = BenchGraphs::Empty(false, false, GraphDocument::MaxVertices);
    BenchGraphs::Join(*g, 1, 127, 50, 7);
    BenchGraphs::Join(*g, 128, GraphDocument::MaxVertices, 50, 8);
    g->AddArc(127, 128, 1);
    RunTarry(state, *g, 1, GraphDocument::MaxVertices, 1);
}
BENCHMARK(BM_TarryPathBridgeBetweenDenseHalves)->Unit(benchmark::kMicrosecond);

// A sparse random digraph on 255 vertices, about four arcs leaving each.
void BM_TarryPathSparseRandom255(benchmark::State& state)
{
    auto g = BenchGraphs::Empty(true, false, GraphDocument::MaxVertices);
    QRandomGenerator random(12345);
    for (int a = 1; a <= GraphDocument::MaxVertices; ++a)
        for (int k = 0; k < 4; ++k)
            g->AddArc(a, int(random.bounded(1, GraphDocument::MaxVertices + 1)), 1);
    RunTarry(state, *g, 1, GraphDocument::MaxVertices, 1);
}
BENCHMARK(BM_TarryPathSparseRandom255)->Unit(benchmark::kMicrosecond);

void BM_TarryPathComplete255(benchmark::State& state)
{
    auto g = BenchGraphs::Complete(true, false);
    RunTarry(state, *g, 1, GraphDocument::MaxVertices, 1);
}
BENCHMARK(BM_TarryPathComplete255)->Unit(benchmark::kMicrosecond);

} // namespace
