#include "algorithms/CriticalPath.h"
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
#include <gtest/gtest.h>

using V = std::vector<int>;

namespace {

// --- the reference: the same operations step by step, without shortcuts --------------------

struct LiteralCycleSearch {
    explicit LiteralCycleSearch(const GraphDocument& graf) : g(graf) {}
    const GraphDocument& g;
    std::vector<int> visited, onPath;
    V stack;

    bool Visit(int v)
    {
        visited[v] = 1;
        stack.push_back(v);
        if (onPath[v])
            return true;
        onPath[v] = 1;
        for (int w : g.OutArcs(v)) {
            if (!g.Directed && stack.size() >= 2 && w == stack[stack.size() - 2])
                continue;
            if (Visit(w))
                return true;
        }
        onPath[v] = 0;
        stack.pop_back();
        return false;
    }
    V Run()
    {
        visited.assign(g.VertexCount + 1, 0);
        onPath.assign(g.VertexCount + 1, 0);
        for (int s = 1; s <= g.VertexCount; ++s)
            if (!visited[s] && Visit(s)) {
                const int b = stack.back();
                V cycle{b};
                for (int i = int(stack.size()) - 2; i >= 0; --i) {
                    cycle.push_back(stack[i]);
                    if (stack[i] == b)
                        break;
                }
                return V(cycle.rbegin(), cycle.rend());
            }
        return {};
    }
};

// The critical path with the queue that takes every head and the weight matrix, on copies of
// the lists grown by the two added vertices. Empty when there is no source or sink.
V LiteralCriticalPath(const GraphDocument& g)
{
    const int n = g.VertexCount;
    std::vector<V> lists(n + 3);
    std::vector<std::vector<int>> W(n + 3, std::vector<int>(n + 3, 0));
    std::vector<int> in(n + 3, 0);
    for (int a = 1; a <= n; ++a)
        for (int b : g.OutArcs(a)) {
            lists[a].push_back(b);
            W[a][b] = g.Arc(a, b).Weight;
            ++in[b];
        }
    V sinks, sources;
    for (int v = 1; v <= n; ++v) {
        if (lists[v].empty() && in[v] > 0)
            sinks.push_back(v);
        if (in[v] == 0 && !lists[v].empty())
            sources.push_back(v);
    }
    if (sinks.empty() || sources.empty())
        return {};
    const int S = n + 1, T = n + 2;
    for (int x : sources) {
        lists[S].push_back(x);
        W[S][x] = 1;
    }
    for (int y : sinks) {
        lists[y].push_back(T);
        W[y][T] = 1;
    }
    std::vector<int> dist(n + 3, 0);
    V queue{S};
    for (std::size_t k = 0; k < queue.size(); ++k) {
        const int d = queue[k];
        for (int e : lists[d]) {
            dist[e] = std::max(dist[e], dist[d] + W[d][e]);
            queue.push_back(e);
        }
    }
    V path;
    int current = T;
    while (current != S) {
        int e = 1;
        while (!(e != current && W[e][current] > 0 && dist[current] - W[e][current] == dist[e]))
            ++e;
        path.push_back(e);
        current = e;
    }
    path.pop_back();
    return V(path.rbegin(), path.rend());
}

// A random graph on up to maxN vertices; a DAG when acyclic (arcs only from lower to higher
// numbers, added in a shuffled order so the lists are not sorted).
std::unique_ptr<GraphDocument> RandomGraf(QRandomGenerator& random, bool directed, bool acyclic, int maxN)
{
    const int n = int(random.bounded(1, maxN + 1));
    auto g = MakeGraf(directed, true, n);
    std::vector<std::pair<int, int>> arcs;
    const int density = int(random.bounded(1, 5));
    for (int a = 1; a <= n; ++a)
        for (int b = 1; b <= n; ++b)
            if (a != b && (!acyclic || a < b) && (directed || a < b) && int(random.bounded(8)) < density)
                arcs.push_back({a, b});
    for (std::size_t k = arcs.size(); k > 1; --k)
        std::swap(arcs[k - 1], arcs[random.bounded(int(k))]);
    for (auto [a, b] : arcs)
        g->AddArc(a, b, int(random.bounded(1, 10)));
    return g;
}

struct CycleRun : AlgorithmFixture {
    AlgorithmRun run;

    void Make(bool directed, bool weighted, int n, std::initializer_list<std::tuple<int, int, int>> arcs)
    {
        g = MakeGraf(directed, weighted, n);
        for (auto [a, b, cost] : arcs)
            g->AddArc(a, b, cost);
    }
    QStringList Lines() const { return host.panes.Text.Lines(); }
};

} // namespace

TEST_F(CycleRun, WorkedCycles)
{
    Make(false, false, 3, {{1, 2, 1}, {1, 3, 1}, {2, 3, 1}});
    RunAlgorithm(*g, host, host.panes, "IsGrafAloop", 0, 0, &run);
    EXPECT_EQ(run.result.route, (V{1, 2, 3, 1}));
    EXPECT_EQ(run.result.resultCount, 4);
    EXPECT_EQ(Lines(), QStringList({"Граф содержит циклы. Один из них представлен ниже:", "1 - 2 - 3 - 1"}));
    EXPECT_EQ(host.panes.Report.GetContent(),
              "<b>Граф содержит циклы. Один из них представлен ниже:</b><br>1 - 2 - 3 - 1<br>");
    EXPECT_EQ(host.shownReport, host.panes.Report.GetFileName());
    EXPECT_EQ(g->Arc(3, 1).Marker, 1);
    EXPECT_EQ(g->Vertices[3].Active, 1);
    EXPECT_EQ(host.redraws, 1);

    // A single edge is no cycle: the step straight back is not taken.
    Make(false, false, 2, {{1, 2, 1}});
    RunAlgorithm(*g, host, host.panes, "IsGrafAloop", 0, 0, &run);
    EXPECT_EQ(run.result.resultCount, 0);
    EXPECT_EQ(Lines(), QStringList{"Граф не содержит циклов"});
    EXPECT_EQ(host.panes.Report.GetContent(), "<b>Граф не содержит циклов</b><br>");

    // In a digraph it is.
    Make(true, false, 2, {{1, 2, 1}, {2, 1, 1}});
    RunAlgorithm(*g, host, host.panes, "IsGrafAloop", 0, 0, &run);
    EXPECT_EQ(run.result.route, (V{1, 2, 1}));

    // The cycle starts where the path met itself, not at the search's start: 1->2->3->4->2.
    Make(true, false, 4, {{1, 2, 1}, {2, 3, 1}, {3, 4, 1}, {4, 2, 1}});
    RunAlgorithm(*g, host, host.panes, "IsGrafAloop", 0, 0, &run);
    EXPECT_EQ(run.result.route, (V{2, 3, 4, 2}));
    EXPECT_EQ(g->Vertices[1].Active, 0);
}

TEST_F(CycleRun, SearchedVerticesAreSkippedWithTheSameAnswer)
{
    // 1->3 is searched to the end from 1 (3->4 leads nowhere); 2 reaches 3 again, which is
    // skipped, then finds 2->5->2.
    Make(true, false, 5, {{1, 3, 1}, {3, 4, 1}, {2, 3, 1}, {2, 5, 1}, {5, 2, 1}});
    const AlgorithmResult r = FindCycle(*g, true);
    EXPECT_EQ(r.route, (V{2, 5, 2}));
    bool skipped = false;
    for (int i = 0; i < r.steps.FrameCount(); ++i)
        skipped |= r.steps.NarrationOf(i).key == "step_cycle_known";
    EXPECT_TRUE(skipped);
    EXPECT_EQ(r.steps.NarrationOf(r.steps.FrameCount() - 1).key, "step_cycle_found");
}

TEST(CycleProperty, MatchesTheUnprunedSearchAndIgraph)
{
    QRandomGenerator random(99);
    int cycles = 0, acyclic = 0;
    for (int round = 0; round < 800; ++round) {
        const bool directed = round % 2;
        auto g = RandomGraf(random, directed, round % 5 == 0, 10);
        const V expected = LiteralCycleSearch(*g).Run();
        const V got = FindCycleRoute(*g);
        ASSERT_EQ(got, expected) << "round " << round;

        IgraphCopy copy(*g);
        igraph_bool_t noCycle = false;
        if (directed)
            igraph_is_dag(copy.graph.Get(), &noCycle);
        else
            igraph_is_forest(copy.graph.Get(), &noCycle, nullptr, IGRAPH_ALL);
        ASSERT_EQ(got.empty(), bool(noCycle)) << "round " << round;
        (got.empty() ? acyclic : cycles) += 1;
        for (std::size_t k = 1; k < got.size(); ++k)
            ASSERT_TRUE(g->HasArc(got[k - 1], got[k]));
    }
    EXPECT_GT(cycles, 200);
    EXPECT_GT(acyclic, 200);
}

TEST_F(CycleRun, CriticalPathWorkedExample)
{
    Make(true, true, 4, {{1, 2, 3}, {1, 3, 1}, {2, 4, 2}, {3, 4, 5}});
    RunAlgorithm(*g, host, host.panes, "FindCriticalPath", 0, 0, &run, {.recordSteps = true});
    EXPECT_EQ(run.result.route, (V{1, 3, 4}));
    EXPECT_EQ(Lines(), QStringList({"Критический путь равен 6", "Путь", "1 - 3 - 4"}));
    EXPECT_EQ(host.panes.Report.GetContent(), "<b>Критический путь равен 6</b><br>Путь<br>1 - 3 - 4<br>");
    EXPECT_EQ(g->Arc(3, 4).Marker, 1);
    EXPECT_EQ(g->Arc(2, 4).Active, 0);
    EXPECT_EQ(g->VertexCount, 4);
    // The earliest times are the captions: 0, 3, 1, 6.
    const StepTrace& steps = run.result.steps;
    const StepTrace::Frame last = steps.FrameAt(steps.FrameCount() - 1);
    EXPECT_EQ(last.key, "step_critical_found");
    EXPECT_EQ(last.captions[2].value, 3);
    EXPECT_EQ(last.captions[4].value, 6);
    EXPECT_EQ(last.Arc(1, 3), StepTrace::ArcState::Chosen);
}

TEST_F(CycleRun, CriticalPathTiesGoToTheLowestVertex)
{
    // Sources 1 and 2 both reach 3 with weight 4; 2's arc was drawn first, 1 is still taken.
    Make(true, true, 3, {{2, 3, 4}, {1, 3, 4}});
    RunAlgorithm(*g, host, host.panes, "FindCriticalPath", 0, 0, &run);
    EXPECT_EQ(run.result.route, (V{1, 3}));
    // Equal sinks: the lower one ends the path.
    Make(true, true, 3, {{1, 3, 2}, {1, 2, 2}});
    RunAlgorithm(*g, host, host.panes, "FindCriticalPath", 0, 0, &run);
    EXPECT_EQ(run.result.route, (V{1, 2}));
}

TEST_F(CycleRun, CriticalPathRefusals)
{
    Make(true, true, 3, {{1, 2, 1}, {2, 3, 1}, {3, 2, 1}});
    host.panes.Text.AddLine("earlier");
    RunAlgorithm(*g, host, host.panes, "FindCriticalPath", 0, 0, &run);
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Graf_have_cicle")});
    EXPECT_FALSE(run.ran);
    EXPECT_EQ(host.redraws, 0);
    EXPECT_EQ(Lines(), QStringList{"earlier"});
    EXPECT_EQ(g->Vertices[2].Active, 0);

    // No arcs: no sink.
    host.messages.clear();
    host.panes.Text.Clear();
    Make(true, true, 2, {});
    RunAlgorithm(*g, host, host.panes, "FindCriticalPath", 0, 0, &run);
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Orgraf_must_have_stok")});
    EXPECT_TRUE(host.panes.Text.Lines().isEmpty());
    EXPECT_EQ(run.result.resultCount, 0);
    EXPECT_FALSE(run.ran) << "a refusal, as the cycle's";
    EXPECT_EQ(host.redraws, 0);

    // Undirected or unweighted graphs are refused by the dispatcher.
    host.messages.clear();
    Make(true, false, 2, {{1, 2, 1}});
    RunAlgorithm(*g, host, host.panes, "FindCriticalPath", 0, 0, &run);
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("algorint_only_for_load_orgraf")});
}

TEST_F(CycleRun, CriticalPathOnAFullDocument)
{
    // 255 vertices: the two added vertices lie beyond the document's capacity.
    Make(true, true, 255, {});
    for (int v = 1; v < 255; ++v)
        g->AddArc(v, v + 1, 2);
    g->AddArc(1, 255, 600);
    RunAlgorithm(*g, host, host.panes, "FindCriticalPath", 0, 0, &run);
    ASSERT_EQ(run.result.resultCount, 2);
    EXPECT_EQ(Lines().first(), Translate("Critacal_path_is") + "600");
    g->SetArcWeight(1, 255, 10);
    RunAlgorithm(*g, host, host.panes, "FindCriticalPath", 0, 0, &run);
    EXPECT_EQ(run.result.resultCount, 255);
    EXPECT_EQ(Lines().first(), Translate("Critacal_path_is") + "508");
}

TEST(CriticalPathProperty, MatchesTheLiteralQueueAndTheLongestPath)
{
    QRandomGenerator random(31337);
    int paths = 0;
    for (int round = 0; round < 500; ++round) {
        auto g = RandomGraf(random, true, true, round < 400 ? 9 : 30);
        const AlgorithmResult r = CriticalPath(*g);
        if (round < 400) {
            const V expected = LiteralCriticalPath(*g);
            ASSERT_EQ(r.resultCount > 0 ? r.route : V{}, expected) << "round " << round;
            ASSERT_EQ(r.Messages().isEmpty(), !expected.empty()) << "round " << round;
        }
        if (!r.Messages().isEmpty())
            continue;
        ++paths;
        // Longest path by igraph's topological order.
        IgraphCopy copy(*g);
        Igraph::IntVector order(0);
        igraph_topological_sorting(copy.graph.Get(), order.Get(), IGRAPH_OUT);
        std::vector<long> best(g->VertexCount + 1, 0);
        long longest = 0;
        for (igraph_integer_t k = 0; k < igraph_vector_int_size(order.Get()); ++k) {
            const int v = int(VECTOR(*order.Get())[k]) + 1;
            for (int w : g->OutArcs(v))
                best[w] = std::max(best[w], best[v] + g->Arc(v, w).Weight);
            longest = std::max(longest, best[v]);
        }
        long length = 0;
        for (std::size_t k = 1; k < r.route.size(); ++k) {
            ASSERT_TRUE(g->HasArc(r.route[k - 1], r.route[k]));
            length += g->Arc(r.route[k - 1], r.route[k]).Weight;
        }
        EXPECT_EQ(length, longest) << "round " << round;
        EXPECT_EQ(r.PaneLines().first(), Translate("Critacal_path_is") + QString::number(longest));
        EXPECT_EQ(g->OutCount(r.route.back()), 0); // ends at a sink
    }
    EXPECT_GT(paths, 300);
}
