#include "algorithms/SpanningTree.h"
#include "AlgorithmFixture.h"
#include "GraphFixtures.h"
#include "IgraphOracle.h"
#include "ScriptedHost.h"
#include "TestFolders.h"
#include "algorithms/RunAlgorithm.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <climits>
#include <gtest/gtest.h>

using Edges = std::vector<std::pair<int, int>>;

namespace {

// The tree's edges in the order they joined it: each is highlighted as its two arc cells.
Edges TreeEdges(const AlgorithmResult& result)
{
    Edges edges;
    const Edges& cells = result.highlightedArcs;
    for (std::size_t k = 0; k + 1 < cells.size(); k += 2) {
        EXPECT_EQ(cells[k + 1], std::make_pair(cells[k].second, cells[k].first));
        edges.push_back(cells[k]);
    }
    EXPECT_EQ(cells.size() % 2, 0u);
    return edges;
}

struct SpanningTree : AlgorithmFixture {
    AlgorithmRun run;

    void Make(bool weighted, int n) { g = MakeGraf(false, weighted, n); }
    // Every highlighted cell of the document.
    Edges ActiveCells() const
    {
        Edges cells;
        for (int a = 1; a <= g->VertexCount; ++a)
            for (int b = 1; b <= g->VertexCount; ++b)
                if (g->Arc(a, b).Active)
                    cells.emplace_back(a, b);
        return cells;
    }
};

// Prim exactly as the textbook scan: every list of every tree vertex at every step, an edge
// replacing the candidate only when strictly lighter.
Edges LiteralPrim(const GraphDocument& g, bool& spanned)
{
    std::vector<bool> inTree(g.VertexCount + 1, false);
    inTree[1] = true;
    Edges edges;
    spanned = true;
    for (int size = 1; size != g.VertexCount; ++size) {
        int bestWeight = INT_MAX, from = 0, to = 0;
        for (int c = 1; c <= g.VertexCount; ++c)
            if (inTree[c])
                for (int w : g.OutArcs(c))
                    if (g.Arc(c, w).Weight < bestWeight && !inTree[w]) {
                        bestWeight = g.Arc(c, w).Weight;
                        from = c;
                        to = w;
                    }
        if (from == 0) {
            spanned = false;
            return {};
        }
        inTree[to] = true;
        edges.emplace_back(from, to);
    }
    return edges;
}

} // namespace

TEST_F(SpanningTree, SquareTakesTheFirstOfEqualWeights)
{
    Make(true, 4);
    g->AddArc(1, 2, 5);
    g->AddArc(2, 3, 1);
    g->AddArc(3, 4, 5);
    g->AddArc(4, 1, 1);
    ASSERT_EQ(OutList(*g, 4), (std::vector<int>{3, 1}));
    const AlgorithmResult result = FindMinimumSpanningTree(*g, true);
    // 1-4 (1), then 1-2 (5) rather than 4-3 (5), because 1's list is scanned first; then 2-3.
    EXPECT_EQ(TreeEdges(result), (Edges{{1, 4}, {1, 2}, {2, 3}}));
    EXPECT_EQ(result.resultValue, 7);
    EXPECT_EQ(result.resultCount, -1);
    EXPECT_EQ(result.PaneLines(), QStringList{"Граф имеет минимальное остовное дерево 7"});

    // The trace: each edge added with the candidates it beat; 4-3 was displaced by nothing
    // lighter, so it is still a candidate when 1-2 is taken.
    const StepTrace& trace = result.steps;
    ASSERT_EQ(trace.FrameCount(), 5);
    const StepTrace::Frame second = trace.FrameAt(2);
    EXPECT_EQ(second.key, "step_mst_add");
    EXPECT_EQ(second.Arc(1, 2), StepTrace::ArcState::Chosen);
    EXPECT_EQ(second.Arc(4, 3), StepTrace::ArcState::Examined);
    EXPECT_EQ(second.Arc(3, 4), StepTrace::ArcState::Examined);
    EXPECT_EQ(StepTrace::Narration(second, [&](int v) { return g->VertexName(v); }),
              "Ребро 1 – 2 веса 5 — самое лёгкое из 2 рёбер-кандидатов: вершина 2 входит в дерево");
    // 2-3 (1) displaces 4-3 (5).
    EXPECT_EQ(trace.FrameAt(3).Arc(4, 3), StepTrace::ArcState::Rejected);
    EXPECT_EQ(trace.FrameAt(4).key, "step_mst_done");
}

TEST_F(SpanningTree, DispatcherHighlightsTheEdgesWithoutMarkers)
{
    Make(true, 4);
    g->AddArc(1, 2, 5);
    g->AddArc(2, 3, 1);
    g->AddArc(3, 4, 5);
    g->AddArc(4, 1, 1);
    RunAlgorithm(*g, host, host.panes, "FindMinBasic", 0, 0, &run);
    EXPECT_TRUE(run.ran);
    EXPECT_EQ(ActiveCells(), (Edges{{1, 2}, {1, 4}, {2, 1}, {2, 3}, {3, 2}, {4, 1}}));
    for (const auto& [a, b] : ActiveCells())
        EXPECT_EQ(g->Arc(a, b).Marker, 0);
    for (int v = 1; v <= 4; ++v)
        EXPECT_EQ(g->Vertices[v].Active, 0);
    EXPECT_EQ(host.redraws, 1);
    EXPECT_EQ(host.shownReport, host.panes.Report.GetFileName());
    EXPECT_EQ(host.panes.Report.GetContent(), "<b>Граф имеет минимальное остовное дерево 7</b><br>");

    // Two components: the verdict, and nothing stays highlighted.
    g->DeleteArc(2, 3);
    g->DeleteArc(3, 4);
    RunAlgorithm(*g, host, host.panes, "FindMinBasic", 0, 0, &run);
    EXPECT_EQ(host.panes.Text.Lines(), QStringList{Translate("Cannot_find_min_base")});
    EXPECT_TRUE(ActiveCells().empty());
    EXPECT_EQ(host.redraws, 2);

    g->Directed = true;
    RunAlgorithm(*g, host, host.panes, "FindMinBasic", 0, 0, &run);
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Not_ortgraf")});
}

TEST_F(SpanningTree, OneVertexAndUnweightedGraphs)
{
    Make(false, 1);
    AlgorithmResult result = FindMinimumSpanningTree(*g);
    EXPECT_EQ(result.resultValue, 0);
    EXPECT_TRUE(result.highlightedArcs.empty());
    EXPECT_EQ(result.PaneLines(), QStringList{"Граф имеет минимальное остовное дерево 0"});

    // An unweighted connected graph: n - 1.
    Make(false, 6);
    for (int v = 2; v <= 6; ++v)
        g->AddArc(v - 1, v, 1);
    g->AddArc(1, 6, 1);
    g->AddArc(2, 5, 1);
    result = FindMinimumSpanningTree(*g);
    EXPECT_EQ(result.resultValue, 5);
    EXPECT_EQ(TreeEdges(result).size(), 5u);
}

TEST_F(SpanningTree, SameTreeAsTheFullScanAndIgraphsWeight)
{
    QRandomGenerator random(31);
    int disconnected = 0;
    for (int round = 0; round < 400; ++round) {
        const int n = int(random.bounded(1, 13));
        Make(true, n);
        const int density = int(random.bounded(1, 6));
        // Few distinct weights, so that ties decide many steps.
        const int weights = round % 2 ? 3 : 50000;
        for (int a = 1; a <= n; ++a)
            for (int b = a + 1; b <= n; ++b)
                if (int(random.bounded(6)) < density)
                    g->AddArc(a, b, int(random.bounded(1, weights + 1)));
        // Shuffle the list orders by deleting and re-adding some edges.
        for (int k = 0; k < n; ++k) {
            const int a = int(random.bounded(1, n + 1));
            if (g->OutCount(a) > 0) {
                const int b = g->OutArcs(a)[0];
                const int cost = g->Arc(a, b).Weight;
                g->DeleteArc(a, b);
                g->AddArc(b, a, cost);
            }
        }

        bool spanned = false;
        const Edges literal = LiteralPrim(*g, spanned);
        const AlgorithmResult result = FindMinimumSpanningTree(*g);
        IgraphCopy copy(*g);
        igraph_bool_t connected = false;
        igraph_is_connected(copy.graph.Get(), &connected, IGRAPH_WEAK);
        ASSERT_EQ(spanned, bool(connected)) << round;
        if (!spanned) {
            ++disconnected;
            EXPECT_TRUE(result.highlightedArcs.empty());
            EXPECT_EQ(result.PaneLines(), QStringList{Translate("Cannot_find_min_base")});
            continue;
        }
        EXPECT_EQ(TreeEdges(result), literal) << round;
        Igraph::IntVector tree(0);
        igraph_minimum_spanning_tree(copy.graph.Get(), tree.Get(), copy.weights.Get());
        double minimum = 0;
        for (igraph_integer_t k = 0; k < igraph_vector_int_size(tree.Get()); ++k)
            minimum += VECTOR(*copy.weights.Get())[VECTOR(*tree.Get())[k]];
        EXPECT_EQ(result.resultValue, int(minimum)) << round;
    }
    EXPECT_GT(disconnected, 20);
    EXPECT_LT(disconnected, 300);
}
