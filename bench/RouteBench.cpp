// Routes on graphs where the plain searches take exponential time: Hamilton cycles and chains,
// directed Euler walks, the cycle search and the critical path. The algorithm alone, without
// its step trace.
#include "algorithms/CriticalPath.h"
#include "algorithms/EulerRoutes.h"
#include "algorithms/HamiltonRoutes.h"
#include "document/GraphDocument.h"

#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

std::unique_ptr<GraphDocument> Empty(bool directed, bool weighted, int n)
{
    auto g = std::make_unique<GraphDocument>();
    g->StartNewGraph(directed, weighted);
    for (int i = 1; i <= n; ++i)
        g->AddVertex(20 * (i % 16), 20 * (i / 16), QString(), g->FreeNameNumber(), 10);
    return g;
}

void Join(GraphDocument& g, int a, int b, int cost = 1)
{
    if (a != b && !g.HasArc(a, b))
        g.AddArc(a, b, cost);
}

// --- undirected graphs for the Hamilton searches ------------------------------------------------

// K8,9: 1..8 on one side, 9..17 on the other. No cycle; the chain must start on the larger side.
std::unique_ptr<GraphDocument> CompleteBipartite()
{
    auto g = Empty(false, false, 17);
    for (int a = 1; a <= 8; ++a)
        for (int b = 9; b <= 17; ++b)
            Join(*g, a, b);
    return g;
}

// Two K9 sharing vertex 9: a cut vertex, so no cycle; a chain runs through one, then the other.
std::unique_ptr<GraphDocument> Bowtie()
{
    auto g = Empty(false, false, 17);
    for (int base : {0, 8})
        for (int a = base + 1; a <= base + 9; ++a)
            for (int b = a + 1; b <= base + 9; ++b)
                Join(*g, a, b);
    return g;
}

// A clique 2..12 that the search from 1 enters first, and the only way back to 1, over 13 and
// 14, hangs on vertex 3: every order of the clique after 1 - 2 - 3 fails before the cycle
// 1 - 2 - 4 .. 12 - 3 - 13 - 14 - 1 is met.
std::unique_ptr<GraphDocument> LateCycle()
{
    auto g = Empty(false, false, 14);
    Join(*g, 1, 2);
    Join(*g, 1, 14);
    for (int a = 2; a <= 12; ++a)
        for (int b = a + 1; b <= 12; ++b)
            Join(*g, a, b);
    Join(*g, 14, 13);
    Join(*g, 13, 3);
    return g;
}

// The 5 x 7 grid, row by row: bipartite with 18 and 17 vertices, so no cycle.
std::unique_ptr<GraphDocument> Grid(int rows, int columns, bool directed = false)
{
    auto g = Empty(directed, directed, rows * columns);
    const auto at = [&](int r, int c) { return r * columns + c + 1; };
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            if (c + 1 < columns)
                Join(*g, at(r, c), at(r, c + 1), 1 + (r * 7 + c * 3) % 9);
            if (r + 1 < rows)
                Join(*g, at(r, c), at(r + 1, c), 1 + (r * 5 + c * 11) % 9);
        }
    return g;
}

// The generalized Petersen graph GP(17,2): outer cycle 1..17, spokes to 18..34, inner steps
// of two. Not Hamiltonian (17 = 5 mod 6), so the cycle search must prove it.
std::unique_ptr<GraphDocument> GeneralizedPetersen()
{
    const int n = 17;
    auto g = Empty(false, false, 2 * n);
    for (int i = 0; i < n; ++i) {
        Join(*g, 1 + i, 1 + (i + 1) % n);
        Join(*g, 1 + i, 1 + n + i);
        Join(*g, 1 + n + i, 1 + n + (i + 2) % n);
    }
    return g;
}

// A random graph on 30 vertices around a hidden Hamilton cycle, and a pendant vertex 31 on
// vertex 17: no cycle; every chain ends at the pendant.
std::unique_ptr<GraphDocument> HamiltonianWithPendant()
{
    QRandomGenerator random(30);
    const int n = 30;
    auto g = Empty(false, false, n + 1);
    std::vector<int> order(n);
    for (int k = 0; k < n; ++k)
        order[std::size_t(k)] = k + 1;
    for (int k = n; k > 1; --k)
        std::swap(order[std::size_t(k - 1)], order[std::size_t(random.bounded(k))]);
    for (int a = 1; a <= n; ++a)
        for (int b = a + 1; b <= n; ++b)
            if (random.bounded(100) < 12)
                Join(*g, a, b);
    for (int k = 0; k < n; ++k)
        Join(*g, order[std::size_t(k)], order[std::size_t((k + 1) % n)]);
    Join(*g, 17, n + 1);
    return g;
}

// --- digraphs for the Euler search -----------------------------------------------------------

// Two complete digraphs on 5 vertices joined by the 2-cycle 5 <-> 6.
std::unique_ptr<GraphDocument> TwoCompleteDigraphs()
{
    auto g = Empty(true, false, 10);
    for (int base : {0, 5})
        for (int a = base + 1; a <= base + 5; ++a)
            for (int b = base + 1; b <= base + 5; ++b)
                Join(*g, a, b);
    Join(*g, 5, 6);
    Join(*g, 6, 5);
    return g;
}

// The de Bruijn graph B(2,k) without its two loops: vertex x + 1 for each k-bit word x, an
// arc to each word it shifts into. Every vertex is balanced; removing an arc leaves a chain.
std::unique_ptr<GraphDocument> DeBruijn(int k, bool removeOne)
{
    const int n = 1 << k;
    auto g = Empty(true, false, n);
    for (int x = 0; x < n; ++x)
        for (int bit = 0; bit < 2; ++bit)
            Join(*g, x + 1, ((2 * x + bit) & (n - 1)) + 1);
    if (removeOne)
        g->DeleteArc(2, 3);
    return g;
}

// --- weighted DAGs for the cycle search and the critical path ----------------------------------

// Rungs 1..k of two vertices each, every vertex of a rung joined to both of the next: 2^k paths.
std::unique_ptr<GraphDocument> Ladder(int rungs)
{
    auto g = Empty(true, true, 2 * rungs);
    for (int r = 0; r < rungs; ++r) {
        Join(*g, 2 * r + 1, 2 * r + 2, 1 + r % 5);
        if (r + 1 < rungs)
            for (int a : {2 * r + 1, 2 * r + 2})
                for (int b : {2 * r + 3, 2 * r + 4})
                    Join(*g, a, b, 1 + (a * 7 + b) % 13);
    }
    return g;
}

// 253 vertices, arcs from lower to higher numbers at random, random weights.
std::unique_ptr<GraphDocument> RandomDag()
{
    QRandomGenerator random(253);
    auto g = Empty(true, true, 253);
    for (int a = 1; a <= 253; ++a)
        for (int b = a + 1; b <= 253; ++b)
            if (random.bounded(100) < 4)
                Join(*g, a, b, int(random.bounded(1, 100)));
    return g;
}

// --- the benchmarks ----------------------------------------------------------------------------

template <typename Build>
void Run(benchmark::State& state, Build build, AlgorithmResult (*algorithm)(const GraphDocument&, bool))
{
    auto g = build();
    int count = 0;
    for (auto _ : state) {
        AlgorithmResult result = algorithm(*g, false);
        count = result.resultCount;
        benchmark::DoNotOptimize(count);
    }
    state.counters["resultCount"] = count;
}

void BM_HamiltonCycle_K8_9(benchmark::State& s)
{
    Run(s, CompleteBipartite, FindHamiltonCycle);
}
void BM_HamiltonChain_K8_9(benchmark::State& s)
{
    Run(s, CompleteBipartite, FindHamiltonChain);
}
void BM_HamiltonCycle_Bowtie(benchmark::State& s)
{
    Run(s, Bowtie, FindHamiltonCycle);
}
void BM_HamiltonChain_Bowtie(benchmark::State& s)
{
    Run(s, Bowtie, FindHamiltonChain);
}
void BM_HamiltonCycle_Late14(benchmark::State& s)
{
    Run(s, LateCycle, FindHamiltonCycle);
}
void BM_HamiltonChain_Late14(benchmark::State& s)
{
    Run(s, LateCycle, FindHamiltonChain);
}
void BM_HamiltonCycle_Grid5x7(benchmark::State& s)
{
    Run(
        s, [] { return Grid(5, 7); }, FindHamiltonCycle);
}
void BM_HamiltonChain_Grid5x7(benchmark::State& s)
{
    Run(
        s, [] { return Grid(5, 7); }, FindHamiltonChain);
}
void BM_HamiltonCycle_GP17_2(benchmark::State& s)
{
    Run(s, GeneralizedPetersen, FindHamiltonCycle);
}
void BM_HamiltonChain_GP17_2(benchmark::State& s)
{
    Run(s, GeneralizedPetersen, FindHamiltonChain);
}
void BM_HamiltonCycle_Pendant30(benchmark::State& s)
{
    Run(s, HamiltonianWithPendant, FindHamiltonCycle);
}
void BM_HamiltonChain_Pendant30(benchmark::State& s)
{
    Run(s, HamiltonianWithPendant, FindHamiltonChain);
}
BENCHMARK(BM_HamiltonCycle_K8_9)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HamiltonChain_K8_9)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HamiltonCycle_Bowtie)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HamiltonChain_Bowtie)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HamiltonCycle_Late14)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HamiltonChain_Late14)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HamiltonCycle_Grid5x7)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HamiltonChain_Grid5x7)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HamiltonCycle_GP17_2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HamiltonChain_GP17_2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HamiltonCycle_Pendant30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HamiltonChain_Pendant30)->Unit(benchmark::kMillisecond);

void BM_EulerCycleDirected_TwoK5(benchmark::State& s)
{
    Run(s, TwoCompleteDigraphs, FindEulerCycleDirected);
}
void BM_EulerChainDirected_TwoK5(benchmark::State& s)
{
    Run(s, TwoCompleteDigraphs, FindEulerChainDirected);
}
BENCHMARK(BM_EulerCycleDirected_TwoK5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EulerChainDirected_TwoK5)->Unit(benchmark::kMillisecond);

void BM_EulerCycleDirected_DeBruijn(benchmark::State& s)
{
    Run(
        s, [&] { return DeBruijn(int(s.range(0)), s.range(1) != 0); }, FindEulerCycleDirected);
}
void BM_EulerChainDirected_DeBruijn(benchmark::State& s)
{
    Run(
        s, [&] { return DeBruijn(int(s.range(0)), s.range(1) != 0); }, FindEulerChainDirected);
}
BENCHMARK(BM_EulerCycleDirected_DeBruijn)
    ->ArgsProduct({{5, 6, 7}, {0, 1}})
    ->ArgNames({"k", "cut"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EulerChainDirected_DeBruijn)
    ->ArgsProduct({{5, 6, 7}, {0, 1}})
    ->ArgNames({"k", "cut"})
    ->Unit(benchmark::kMillisecond);

void BM_FindCycle_Ladder(benchmark::State& s)
{
    Run(
        s, [&] { return Ladder(int(s.range(0))); }, FindCycle);
}
void BM_CriticalPath_Ladder(benchmark::State& s)
{
    Run(
        s, [&] { return Ladder(int(s.range(0))); }, CriticalPath);
}
BENCHMARK(BM_FindCycle_Ladder)->DenseRange(30, 35)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CriticalPath_Ladder)->DenseRange(30, 35)->Unit(benchmark::kMicrosecond);
void BM_FindCycle_GridDag15x17(benchmark::State& s)
{
    Run(
        s, [] { return Grid(15, 17, true); }, FindCycle);
}
void BM_CriticalPath_GridDag15x17(benchmark::State& s)
{
    Run(
        s, [] { return Grid(15, 17, true); }, CriticalPath);
}
void BM_FindCycle_RandomDag253(benchmark::State& s)
{
    Run(s, RandomDag, FindCycle);
}
void BM_CriticalPath_RandomDag253(benchmark::State& s)
{
    Run(s, RandomDag, CriticalPath);
}
BENCHMARK(BM_FindCycle_GridDag15x17)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CriticalPath_GridDag15x17)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindCycle_RandomDag253)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CriticalPath_RandomDag253)->Unit(benchmark::kMicrosecond);

} // namespace
