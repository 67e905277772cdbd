#include "commands/GraphGenerators.h"
#include "commands/GraphLayouts.h"
#include "document/GraphDocument.h"
#include "document/ProgramHost.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

GraphGenerators::Params Gnp255()
{
    GraphGenerators::Params p;
    p.family = GraphGenerators::Family::RandomGnp;
    p.first = GraphDocument::MaxVertices;
    p.probability = 0.1;
    p.seed = 19;
    p.layout = GraphLayouts::Kind::FruchtermanReingold;
    return p;
}

// No window: layouts fill a notional drawing area.
SilentProgramHost silent;

std::unique_ptr<GraphDocument> Document()
{
    auto g = std::make_unique<GraphDocument>();
    g->MeasuresLabels = false;
    g->StartNewGraph(false, false);
    return g;
}

// Target: 300 ms for the random graph built into the document and laid out by force.
void BM_GenerateGnp255ForceDirected(benchmark::State& state)
{
    auto g = Document();
    const GraphGenerators::Params p = Gnp255();
    for (auto _ : state)
        benchmark::DoNotOptimize(GraphGenerators::Generate(*g, silent, p));
    if (g->VertexCount != GraphDocument::MaxVertices)
        state.SkipWithError("not generated");
}
BENCHMARK(BM_GenerateGnp255ForceDirected)->Unit(benchmark::kMillisecond);

// The other force-directed layout and the layered one on the same graph, for comparison.
void BM_Layout255(benchmark::State& state)
{
    auto g = Document();
    GraphGenerators::Generate(*g, silent, Gnp255());
    const auto kind = GraphLayouts::Kind(state.range(0));
    const QRect area = GraphLayouts::VisibleArea(*g, silent);
    for (auto _ : state)
        benchmark::DoNotOptimize(GraphLayouts::Compute(*g, kind, area));
}
BENCHMARK(BM_Layout255)
    ->Arg(int(GraphLayouts::Kind::KamadaKawai))
    ->Arg(int(GraphLayouts::Kind::Sugiyama))
    ->Arg(int(GraphLayouts::Kind::Tree))
    ->Unit(benchmark::kMillisecond);

// Target: 5 ms for placing 255 vertices on a circle or a grid (computing and moving them).
void BM_CircleAndGrid255(benchmark::State& state)
{
    auto g = Document();
    GraphGenerators::Generate(*g, silent, Gnp255());
    const auto kind = GraphLayouts::Kind(state.range(0));
    const QRect area = GraphLayouts::VisibleArea(*g, silent);
    for (auto _ : state) {
        const auto points = GraphLayouts::Compute(*g, kind, area);
        GraphLayouts::Place(*g, *points);
        benchmark::DoNotOptimize(g->Vertices[1].X);
    }
}
BENCHMARK(BM_CircleAndGrid255)
    ->Arg(int(GraphLayouts::Kind::Circle))
    ->Arg(int(GraphLayouts::Kind::Grid))
    ->Unit(benchmark::kMicrosecond);

} // namespace
