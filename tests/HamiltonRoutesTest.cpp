#include "algorithms/HamiltonRoutes.h"
#include "AlgorithmFixture.h"
#include "GraphFixtures.h"
#include "ScriptedHost.h"
#include "TestFolders.h"
#include "algorithms/RunAlgorithm.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using V = std::vector<int>;

namespace {

// The reference for the first route: the same search in the same order, without cuts.
struct LiteralHamilton {
    LiteralHamilton(const GraphDocument& graf, bool isCycle) : g(graf), cycle(isCycle) {}
    const GraphDocument& g;
    bool cycle;
    std::vector<int> visited;
    int remaining = 0, s = 0;
    V path;

    bool Extend(int v)
    {
        path.push_back(v);
        if (remaining == 0 && (!cycle || v == s))
            return true;
        for (int w : g.OutArcs(v))
            if (!visited[w] || (cycle && remaining == 1 && w == s)) {
                --remaining;
                visited[w] = 1;
                if (Extend(w))
                    return true;
                ++remaining;
                visited[w] = 0;
            }
        path.pop_back();
        return false;
    }
    V Run()
    {
        remaining = cycle ? g.VertexCount : g.VertexCount - 1;
        for (s = 1; s <= g.VertexCount; ++s) {
            visited.assign(g.VertexCount + 1, 0);
            visited[s] = 1;
            path.clear();
            if (Extend(s))
                return path;
        }
        return {};
    }
};

// Whether a Hamilton cycle / chain exists, over all subsets (vertex v is bit v - 1).
bool ExistsBySubsets(const GraphDocument& g, bool cycle)
{
    const int n = g.VertexCount;
    if (n == 0)
        return false;
    if (n == 1)
        return !cycle;
    const unsigned full = (1u << n) - 1;
    // ends[mask] bit v-1: some path through exactly mask ends at v (for the cycle, starts at 1).
    std::vector<unsigned> ends(full + 1, 0);
    for (int v = 1; v <= n; ++v)
        if (!cycle || v == 1)
            ends[1u << (v - 1)] |= 1u << (v - 1);
    for (unsigned mask = 1; mask <= full; ++mask)
        for (int v = 1; v <= n; ++v)
            if (ends[mask] >> (v - 1) & 1)
                for (int w : g.OutArcs(v))
                    if (!(mask >> (w - 1) & 1))
                        ends[mask | 1u << (w - 1)] |= 1u << (w - 1);
    if (!cycle)
        return ends[full] != 0;
    for (int v : g.OutArcs(1))
        if (ends[full] >> (v - 1) & 1)
            return true;
    return false;
}

// Random undirected graphs of several kinds: plain, bipartite, with a planted Hamilton cycle.
std::unique_ptr<GraphDocument> RandomGraf(QRandomGenerator& random, int maxN)
{
    const int n = int(random.bounded(1, maxN + 1));
    auto g = MakeGraf(false, false, n);
    const int kind = int(random.bounded(3));
    const int density = int(random.bounded(2, 8));
    std::vector<int> side(n + 1);
    for (int v = 1; v <= n; ++v)
        side[v] = int(random.bounded(2));
    std::vector<std::pair<int, int>> edges;
    for (int a = 1; a <= n; ++a)
        for (int b = a + 1; b <= n; ++b)
            if (int(random.bounded(10)) < density && (kind != 1 || side[a] != side[b]))
                edges.push_back({a, b});
    if (kind == 2) {
        V order(n);
        for (int k = 0; k < n; ++k)
            order[k] = k + 1;
        for (int k = n; k > 1; --k)
            std::swap(order[k - 1], order[random.bounded(k)]);
        for (int k = 0; k + 1 < n || (k + 1 == n && n > 2); ++k)
            edges.push_back({order[k], order[(k + 1) % n]});
    }
    // Shuffled, so the lists are not in vertex order.
    for (std::size_t k = edges.size(); k > 1; --k)
        std::swap(edges[k - 1], edges[random.bounded(int(k))]);
    for (auto [a, b] : edges)
        if (!g->HasArc(a, b))
            g->AddArc(a, b, 1);
    return g;
}

struct HamiltonRun : AlgorithmFixture {
    AlgorithmRun run;

    void Make(int n, std::initializer_list<std::pair<int, int>> edges, bool directed = false)
    {
        g = MakeGraf(directed, false, n);
        for (auto [a, b] : edges)
            g->AddArc(a, b, 1);
    }
    V Route(const char* name)
    {
        RunAlgorithm(*g, host, host.panes, name, 0, 0, &run);
        return run.result.resultCount > 0 ? run.result.route : V{};
    }
    QStringList Lines() const { return host.panes.Text.Lines(); }
};

} // namespace

TEST_F(HamiltonRun, WorkedExamples)
{
    Make(4, {{1, 2}, {2, 3}, {3, 4}, {4, 1}});
    EXPECT_EQ(Route("FindGameltosLoop"), (V{1, 2, 3, 4, 1}));
    EXPECT_EQ(run.result.resultCount, 5);
    EXPECT_EQ(Lines(), QStringList({"Граф имеет гамильтонов цикл", "Путь", "1 - 2 - 3 - 4 - 1"}));
    EXPECT_EQ(host.panes.Report.GetContent(),
              "<b>Граф имеет гамильтонов цикл</b><br>Путь<br>1 - 2 - 3 - 4 - 1<br>");
    EXPECT_EQ(g->Arc(4, 1).Marker, 1);
    EXPECT_EQ(host.redraws, 1);

    // Every attempt from 1 gets stuck; the one from 2 succeeds.
    Make(3, {{1, 2}, {1, 3}});
    EXPECT_EQ(Route("FindGameltosCep"), (V{2, 1, 3}));
    EXPECT_EQ(Lines(), QStringList({Translate("Graf_have_gam_chain"), "Путь", "2 - 1 - 3"}));
    EXPECT_EQ(Route("FindGameltosLoop"), V{});
    EXPECT_EQ(run.result.resultCount, -1);
    EXPECT_EQ(Lines(), QStringList{"Граф не имеет гамильтонова цикла"});
    EXPECT_EQ(host.panes.Report.GetContent(), "<b>Граф не имеет гамильтонова цикла</b><br>");

    // The closing step may reuse the edge just walked.
    Make(2, {{1, 2}});
    EXPECT_EQ(Route("FindGameltosLoop"), (V{1, 2, 1}));
    EXPECT_EQ(Route("FindGameltosCep"), (V{1, 2}));

    // A single vertex: no cycle, the chain is the vertex alone.
    Make(1, {});
    EXPECT_EQ(Route("FindGameltosLoop"), V{});
    EXPECT_EQ(Route("FindGameltosCep"), V{1});

    // A star: neither.
    Make(4, {{1, 2}, {1, 3}, {1, 4}});
    EXPECT_EQ(Route("FindGameltosLoop"), V{});
    EXPECT_EQ(Route("FindGameltosCep"), V{});
    EXPECT_EQ(Lines(), QStringList{"Граф не имеет гамильтоновой цепи"});

    // Directed graphs are refused by the dispatcher.
    Make(2, {{1, 2}}, true);
    EXPECT_EQ(Route("FindGameltosLoop"), V{});
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Not_ortgraf")});
}

TEST_F(HamiltonRun, CycleThroughAFullDocument)
{
    // The cycle on 255 vertices has 256 entries.
    Make(255, {});
    for (int v = 1; v <= 255; ++v)
        g->AddArc(v, v % 255 + 1, 1);
    const V route = Route("FindGameltosLoop");
    ASSERT_EQ(route.size(), 256u);
    EXPECT_EQ(route[1], 2);
    EXPECT_EQ(route[254], 255);
    EXPECT_EQ(route.back(), 1);
    EXPECT_EQ(g->Arc(255, 1).Marker, 1);
    // Cut once: a chain from 1 runs along it.
    g->DeleteArc(100, 101);
    EXPECT_EQ(Route("FindGameltosLoop"), V{});
    EXPECT_EQ(Route("FindGameltosCep").size(), 255u);
    EXPECT_EQ(run.result.route.front(), 100); // the first end of the path
}

TEST_F(HamiltonRun, StepsFollowTheRoute)
{
    Make(4, {{1, 2}, {2, 3}, {3, 4}, {4, 1}});
    RunAlgorithm(*g, host, host.panes, "FindGameltosLoop", 0, 0, &run, {.recordSteps = true});
    const StepTrace& steps = run.result.steps;
    ASSERT_GE(steps.FrameCount(), 5);
    const StepTrace::Frame last = steps.FrameAt(steps.FrameCount() - 1);
    EXPECT_EQ(last.key, "step_hamilton_found");
    EXPECT_EQ(last.Arc(4, 1), StepTrace::ArcState::Chosen);
    EXPECT_EQ(steps.NarrationOf(steps.FrameCount() - 2).key, "step_hamilton_close");
}

TEST(HamiltonProperty, MatchesTheUnprunedSearchAndTheSubsetCount)
{
    QRandomGenerator random(1234);
    int cycles = 0, chains = 0, neither = 0;
    for (int round = 0; round < 1500; ++round) {
        auto g = RandomGraf(random, 9);
        for (bool cycle : {true, false}) {
            const V expected = LiteralHamilton(*g, cycle).Run();
            const AlgorithmResult r = cycle ? FindHamiltonCycle(*g) : FindHamiltonChain(*g);
            const V got = r.resultCount > 0 ? r.route : V{};
            ASSERT_EQ(got, expected) << "round " << round << (cycle ? " cycle" : " chain");
            ASSERT_EQ(!got.empty(), ExistsBySubsets(*g, cycle)) << "round " << round;
            if (!got.empty()) {
                ASSERT_EQ(int(got.size()), g->VertexCount + (cycle ? 1 : 0));
                std::vector<int> seen(g->VertexCount + 1, 0);
                for (std::size_t k = 0; k < got.size(); ++k) {
                    if (k > 0) {
                        ASSERT_TRUE(g->HasArc(got[k - 1], got[k]));
                    }
                    if (!cycle || k + 1 < got.size()) {
                        ASSERT_EQ(seen[got[k]]++, 0);
                    }
                }
            }
            (got.empty() ? neither : cycle ? cycles : chains) += 1;
        }
    }
    EXPECT_GT(cycles, 300);
    EXPECT_GT(chains, 300);
    EXPECT_GT(neither, 300);
}

TEST_F(HamiltonRun, HardGraphsGiveTheUnprunedAnswer)
{
    // A clique 2..12 entered first from 1, with the way back over 14 and 13 hanging on 3: the
    // plain search tries every order of the clique after 1 - 2 - 3 before it meets the cycle.
    Make(14, {{1, 2}, {1, 14}});
    for (int a = 2; a <= 12; ++a)
        for (int b = a + 1; b <= 12; ++b)
            g->AddArc(a, b, 1);
    g->AddArc(14, 13, 1);
    g->AddArc(13, 3, 1);
    EXPECT_EQ(Route("FindGameltosLoop"), LiteralHamilton(*g, true).Run());
    EXPECT_EQ(run.result.route, (V{1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 3, 13, 14, 1}));
    EXPECT_EQ(Route("FindGameltosCep"), LiteralHamilton(*g, false).Run());

    // The generalized Petersen graph GP(17,2) has no Hamilton cycle (17 = 5 mod 6) but a
    // chain; proving the first takes thousands of searched positions.
    Make(34, {});
    for (int i = 0; i < 17; ++i) {
        g->AddArc(1 + i, 1 + (i + 1) % 17, 1);
        g->AddArc(1 + i, 18 + i, 1);
        g->AddArc(18 + i, 18 + (i + 2) % 17, 1);
    }
    EXPECT_EQ(Route("FindGameltosLoop"), V{});
    const V chain = Route("FindGameltosCep");
    ASSERT_EQ(chain.size(), 34u);
    EXPECT_EQ(chain.front(), 1);
    for (std::size_t k = 1; k < chain.size(); ++k)
        EXPECT_TRUE(g->HasArc(chain[k - 1], chain[k]));

    // The long proof is recorded up to the cap, ending with the notice.
    RunAlgorithm(*g, host, host.panes, "FindGameltosLoop", 0, 0, &run, {.recordSteps = true});
    EXPECT_TRUE(run.result.steps.Cut());
    EXPECT_EQ(run.result.steps.FrameCount(), 20000);
    EXPECT_EQ(run.result.steps.NarrationOf(19999).key, StepTrace::CutKey);
    EXPECT_EQ(run.result.resultCount, -1);
}
