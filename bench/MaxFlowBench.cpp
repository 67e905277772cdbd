#include "algorithms/MaxFlow.h"
#include "document/GraphDocument.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

// Layers of vertices numbered in order, every vertex of a layer joined to every vertex of the
// next, capacities spread over 1..MaxWeight.
std::unique_ptr<GraphDocument> Layered(const std::vector<int>& layerSizes)
{
    auto g = std::make_unique<GraphDocument>();
    g->StartNewGraph(true, true);
    int count = 0;
    for (int size : layerSizes)
        count += size;
    for (int i = 1; i <= count; ++i)
        g->AddVertex(20 * (i % 40), 20 * (i / 40), QString(), g->FreeNameNumber(), 10);
    int first = 1;
    for (std::size_t layer = 0; layer + 1 < layerSizes.size(); ++layer) {
        const int next = first + layerSizes[layer];
        for (int a = first; a < next; ++a)
            for (int b = next; b < next + layerSizes[layer + 1]; ++b)
                g->AddArc(a, b, 1 + (a * 7919 + b * 104729) % GraphDocument::MaxWeight);
        first = next;
    }
    return g;
}

// 255 vertices: one source, 23 layers of 11, one sink.
void BM_MaxFlow_Layered255(benchmark::State& state)
{
    std::vector<int> layers{1};
    layers.insert(layers.end(), 23, 11);
    layers.push_back(1);
    auto g = Layered(layers);
    const bool steps = state.range(0) != 0;
    for (auto _ : state) {
        AlgorithmResult result = MaxFlow(*g, steps);
        benchmark::DoNotOptimize(result.picture.arcs.data());
    }
}

// 253 vertices in 23 layers of 11: the first layer are the sources, the last the sinks; the
// auxiliary source and sink fill the document's 255 places.
void BM_MaxFlowMulti_Layered253(benchmark::State& state)
{
    auto g = Layered(std::vector<int>(23, 11));
    const bool steps = state.range(0) != 0;
    for (auto _ : state) {
        AlgorithmResult result = MaxFlowMulti(*g, steps);
        benchmark::DoNotOptimize(result.picture.arcs.data());
    }
}

} // namespace

BENCHMARK(BM_MaxFlow_Layered255)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MaxFlowMulti_Layered253)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
