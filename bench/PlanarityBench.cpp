#include "algorithms/Planarity.h"
#include "document/GraphDocument.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <random>

namespace {

enum Kind { Complete, Cycle, Triangulation, Random, Hypercube };

std::unique_ptr<GraphDocument> Empty(int n)
{
    auto g = std::make_unique<GraphDocument>();
    g->StartNewGraph(false, false);
    for (int i = 1; i <= n; ++i)
        g->AddVertex(20 * (i % 16), 20 * (i / 16), QString(), g->FreeNameNumber(), 10);
    return g;
}

// Test graphs of n vertices: complete; a cycle; a planar triangulation made by putting each
// new vertex into a random face (3n - 6 edges, many contractions for the configuration search);
// G(n, p) with p = percent/100; the 5-cube (n = 32).
std::unique_ptr<GraphDocument> Make(Kind kind, int n, int percent = 0)
{
    auto g = Empty(n);
    std::mt19937 random(424242);
    switch (kind) {
    case Complete:
        for (int a = 1; a <= n; ++a)
            for (int b = a + 1; b <= n; ++b)
                g->AddArc(a, b, 1);
        break;
    case Cycle:
        for (int v = 1; v <= n; ++v)
            g->AddArc(v, v % n + 1, 1);
        break;
    case Triangulation: {
        struct Face {
            int a, b, c;
        };
        std::vector<Face> faces{{1, 2, 3}, {1, 3, 2}};
        g->AddArc(1, 2, 1);
        g->AddArc(2, 3, 1);
        g->AddArc(1, 3, 1);
        for (int v = 4; v <= n; ++v) {
            std::uniform_int_distribution<std::size_t> pick(0, faces.size() - 1);
            const std::size_t i = pick(random);
            const Face f = faces[i];
            g->AddArc(v, f.a, 1);
            g->AddArc(v, f.b, 1);
            g->AddArc(v, f.c, 1);
            faces[i] = {f.a, f.b, v};
            faces.push_back({f.b, f.c, v});
            faces.push_back({f.c, f.a, v});
        }
        break;
    }
    case Random: {
        std::uniform_int_distribution<int> draw(0, 999);
        for (int a = 1; a <= n; ++a)
            for (int b = a + 1; b <= n; ++b)
                if (draw(random) < percent * 10)
                    g->AddArc(a, b, 1);
        break;
    }
    case Hypercube:
        for (int v = 0; v < n; ++v)
            for (int bit = 1; bit < n; bit <<= 1)
                if ((v ^ bit) > v)
                    g->AddArc(v + 1, (v ^ bit) + 1, 1);
        break;
    }
    return g;
}

void BM_PlanarityTest(benchmark::State& state)
{
    const auto g = Make(Kind(state.range(0)), int(state.range(1)), int(state.range(2)));
    std::size_t lines = 0;
    for (auto _ : state) {
        const AlgorithmResult result = PlanarityTest(*g);
        lines = result.output.size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["outputItems"] = double(lines);
}
// 32 vertices: the configuration search, and the complete test where it finds nothing.
BENCHMARK(BM_PlanarityTest)
    ->ArgNames({"kind", "n", "percent"})
    ->Args({Complete, 32, 0})
    ->Args({Cycle, 32, 0})
    ->Args({Triangulation, 32, 0})
    ->Args({Hypercube, 32, 0})
    ->Args({Random, 32, 10})
    ->Args({Random, 32, 20})
    ->Args({Random, 32, 50})
    ->Unit(benchmark::kMillisecond);
// 255 vertices: the complete test alone.
BENCHMARK(BM_PlanarityTest)
    ->ArgNames({"kind", "n", "percent"})
    ->Args({Complete, 255, 0})
    ->Args({Cycle, 255, 0})
    ->Args({Triangulation, 255, 0})
    ->Args({Random, 255, 1})
    ->Args({Random, 255, 50})
    ->Unit(benchmark::kMillisecond);

} // namespace
