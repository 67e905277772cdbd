#include "BenchGraphs.h"
#include "algorithms/ShortestPaths.h"

#include <benchmark/benchmark.h>

namespace {

// The algorithm with its whole table built as text, on the complete weighted digraph.
void BM_FloydWarshallPath(benchmark::State& state)
{
    auto g = BenchGraphs::Complete(true, true);
    for (auto _ : state) {
        AlgorithmResult result = FloydWarshallPath(*g, 1, GraphDocument::MaxVertices, g->VertexCount);
        benchmark::DoNotOptimize(result.resultValue);
    }
}
BENCHMARK(BM_FloydWarshallPath)->Unit(benchmark::kMillisecond);

void BM_FordBellmanPath(benchmark::State& state)
{
    auto g = BenchGraphs::Complete(true, true);
    for (auto _ : state) {
        AlgorithmResult result = BellmanFordPath(*g, 1, GraphDocument::MaxVertices, g->VertexCount);
        benchmark::DoNotOptimize(result.resultValue);
    }
}
BENCHMARK(BM_FordBellmanPath)->Unit(benchmark::kMillisecond);

// A chain 1 -> 2 -> ... -> 255 with every shortcut back: all 255 passes change something.
void BM_FordBellmanPathLongChain(benchmark::State& state)
{
    auto g = BenchGraphs::Empty(true, true, GraphDocument::MaxVertices);
    for (int a = 1; a <= GraphDocument::MaxVertices; ++a)
        for (int b = 1; b <= GraphDocument::MaxVertices; ++b)
            if (b == a + 1)
                g->AddArc(a, b, 1);
            else if (b < a)
                g->AddArc(a, b, GraphDocument::MaxWeight);
    for (auto _ : state) {
        AlgorithmResult result = BellmanFordPath(*g, 1, GraphDocument::MaxVertices, g->VertexCount);
        benchmark::DoNotOptimize(result.resultValue);
    }
}
BENCHMARK(BM_FordBellmanPathLongChain)->Unit(benchmark::kMillisecond);

void BM_FloydWarshallPathWithSteps(benchmark::State& state)
{
    auto g = BenchGraphs::Complete(true, true);
    for (auto _ : state) {
        AlgorithmResult result = FloydWarshallPath(*g, 1, GraphDocument::MaxVertices, g->VertexCount, true);
        benchmark::DoNotOptimize(result.steps.FrameCount());
    }
}
BENCHMARK(BM_FloydWarshallPathWithSteps)->Unit(benchmark::kMillisecond);

} // namespace
