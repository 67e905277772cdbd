#include "BenchGraphs.h"
#include "algorithms/Colouring.h"
#include "document/GraphDocument.h"

#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The complete undirected graph on 255 vertices: every vertex needs a colour of its own, so
// the palette is drawn in full.
std::unique_ptr<GraphDocument> CompleteUndirected()
{
    auto g = std::make_unique<GraphDocument>();
    g->StartNewGraph(false, false);
    for (int i = 1; i <= GraphDocument::MaxVertices; ++i)
        g->AddVertex(20 * (i % 40), 20 * (i / 40), QString(), g->FreeNameNumber(), 10);
    for (int a = 1; a <= GraphDocument::MaxVertices; ++a)
        for (int b = a + 1; b <= GraphDocument::MaxVertices; ++b)
            g->AddArc(a, b, 1);
    return g;
}

template <AlgorithmResult (*Colour)(const GraphDocument&, bool, QRandomGenerator*)>
void BM_Colouring(benchmark::State& state)
{
    auto g = CompleteUndirected();
    const bool steps = state.range(0) != 0;
    for (auto _ : state) {
        AlgorithmResult result = Colour(*g, steps, nullptr);
        benchmark::DoNotOptimize(result.picture.vertexFills.data());
    }
}

} // namespace

BENCHMARK(BM_Colouring<ColourBreadthFirst>)
    ->Name("BM_ColourBreadthFirst_K255")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Colouring<ColourByDegree>)
    ->Name("BM_ColourByDegree_K255")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);

namespace {

void BM_ColourPalette255(benchmark::State& state)
{
    QRandomGenerator random(1);
    for (auto _ : state) {
        std::vector<int> palette = ColourPalette(GraphDocument::MaxVertices, random, 0xFF0000);
        benchmark::DoNotOptimize(palette.data());
    }
}

} // namespace

BENCHMARK(BM_ColourPalette255)->Unit(benchmark::kMicrosecond);

namespace {

// The greedy colouring with the search for the chromatic number after it, on random graphs
// G(n, p): small ones finish the search, G(255, 0.5) spends its whole budget (the worst case a
// user meets; the target is about 200 ms).
void BM_ColourWithChromaticSearch(benchmark::State& state)
{
    auto g = BenchGraphs::Empty(false, false, int(state.range(0)));
    BenchGraphs::Join(*g, 1, int(state.range(0)), int(state.range(1)), 3);
    for (auto _ : state) {
        AlgorithmResult result = ColourBreadthFirst(*g, false, nullptr);
        benchmark::DoNotOptimize(result.resultValue);
    }
}

} // namespace

BENCHMARK(BM_ColourWithChromaticSearch)
    ->Args({30, 50})
    ->Args({60, 50})
    ->Args({255, 10})
    ->Args({255, 50})
    ->Unit(benchmark::kMillisecond);
