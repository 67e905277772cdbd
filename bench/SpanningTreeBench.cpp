#include "algorithms/SpanningTree.h"
#include "document/GraphDocument.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The complete weighted undirected graph on 255 vertices, weights spread over 1..MaxWeight.
std::unique_ptr<GraphDocument> CompleteWeighted()
{
    auto g = std::make_unique<GraphDocument>();
    g->StartNewGraph(false, true);
    for (int i = 1; i <= GraphDocument::MaxVertices; ++i)
        g->AddVertex(20 * (i % 40), 20 * (i / 40), QString(), g->FreeNameNumber(), 10);
    for (int a = 1; a <= GraphDocument::MaxVertices; ++a)
        for (int b = a + 1; b <= GraphDocument::MaxVertices; ++b)
            g->AddArc(a, b, 1 + (a * 7919 + b * 104729) % GraphDocument::MaxWeight);
    return g;
}

void BM_FindMinimumSpanningTree_K255(benchmark::State& state)
{
    auto g = CompleteWeighted();
    const bool steps = state.range(0) != 0;
    for (auto _ : state) {
        AlgorithmResult result = FindMinimumSpanningTree(*g, steps);
        benchmark::DoNotOptimize(result.resultValue);
    }
}

} // namespace

BENCHMARK(BM_FindMinimumSpanningTree_K255)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
