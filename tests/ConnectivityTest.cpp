#include "algorithms/Connectivity.h"
#include "AlgorithmFixture.h"
#include "GraphFixtures.h"
#include "IgraphDistances.h"
#include "ScriptedHost.h"
#include "TestFolders.h"
#include "algorithms/RunAlgorithm.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct Connectivity : AlgorithmFixture {
    AlgorithmRun run;

    // n vertices and the given edges (arcs when directed), weight 1 unless given.
    void Make(bool directed, int n, std::initializer_list<std::array<int, 3>> arcs, bool weighted = false)
    {
        g = MakeGraf(directed, weighted, n);
        for (const auto& [a, b, cost] : arcs)
            g->AddArc(a, b, cost);
    }
    void Run(const char* name, int first = 0)
    {
        host.messages.clear();
        RunAlgorithm(*g, host, host.panes, name, first, 0, &run);
    }
    QStringList Lines() const { return host.panes.Text.Lines(); }
    QString Report() const { return host.panes.Report.GetContent(); }
};

// Vertex 1's part holds a cycle when it has at least as many edges as vertices.
QString TreeOracle(const GraphDocument& g)
{
    IgraphCopy copy(g);
    Igraph::IntVector part(0);
    igraph_subcomponent(copy.graph.Get(), part.Get(), 0, IGRAPH_ALL);
    std::vector<bool> inPart(std::size_t(g.VertexCount), false);
    for (igraph_integer_t k = 0; k < igraph_vector_int_size(part.Get()); ++k)
        inPart[std::size_t(VECTOR(*part.Get())[k])] = true;
    const long vertices = long(igraph_vector_int_size(part.Get()));
    long edges = 0;
    for (igraph_integer_t e = 0; e < igraph_ecount(copy.graph.Get()); ++e)
        if (inPart[std::size_t(IGRAPH_FROM(copy.graph.Get(), e))])
            ++edges;
    if (edges >= vertices)
        return "Graf_is_not_tree";
    return vertices == g.VertexCount ? "Graf_is_tree" : "graph_is_not_connectivity";
}
} // namespace

TEST_F(Connectivity, VertexOneCountsOnlyWhenReachedBack)
{
    Make(false, 0, {});
    EXPECT_TRUE(IsConnected(*g));
    Make(false, 1, {});
    EXPECT_TRUE(IsConnected(*g)) << "a lone vertex has nothing left to reach";
    Make(true, 1, {});
    EXPECT_TRUE(IsConnected(*g));
    Make(false, 2, {});
    EXPECT_FALSE(IsConnected(*g));
    Make(false, 3, {{2, 3, 1}});
    EXPECT_FALSE(IsConnected(*g)) << "vertex 1 alone beside an edge";
    Make(false, 3, {{1, 2, 1}});
    EXPECT_FALSE(IsConnected(*g)); // 3 is isolated
    Make(false, 3, {{1, 2, 1}, {3, 2, 1}});
    EXPECT_TRUE(IsConnected(*g));
    // A digraph: everything reached from 1, and 1 reached back.
    Make(true, 3, {{1, 2, 1}, {2, 3, 1}});
    EXPECT_FALSE(IsConnected(*g));
    g->AddArc(3, 1, 1);
    EXPECT_TRUE(IsConnected(*g));
}

TEST_F(Connectivity, MonolitIsWritesTheVerdictAndEmptiesThePaneFirst)
{
    Make(false, 3, {{1, 2, 1}, {2, 3, 1}});
    Run("MonolitIs");
    EXPECT_TRUE(run.ran);
    EXPECT_EQ(Lines(), QStringList{Translate("graph_is_connectivity")});
    EXPECT_EQ(Report(), "<b>" + Translate("graph_is_connectivity") + "</b><br>");
    EXPECT_EQ(host.shownReport, host.panes.Report.GetFileName());
    EXPECT_EQ(host.redraws, 1);
    Make(false, 1, {});
    Run("MonolitIs");
    EXPECT_EQ(Lines(), QStringList{Translate("graph_is_connectivity")});
    Make(false, 2, {});
    Run("MonolitIs");
    EXPECT_EQ(Lines(), QStringList{Translate("graph_is_not_connectivity")});

    Make(true, 2, {{1, 2, 1}});
    host.panes.Text.AddLine("earlier");
    host.shownReport.clear();
    Run("MonolitIs");
    EXPECT_FALSE(run.ran);
    EXPECT_TRUE(Lines().isEmpty());
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Not_ortgraf")});
    EXPECT_TRUE(host.shownReport.isEmpty());
}

TEST_F(Connectivity, EccentricityCountsArcsEvenOnWeightedGraphs)
{
    Make(false, 3, {{1, 2, 5}, {2, 3, 1}}, true);
    Run("FindExcentrisetet", 1);
    EXPECT_EQ(run.result.resultCount, 2);
    EXPECT_EQ(Lines(), QStringList{"Эксцентриситет вершины 1 = 2 (в дугах)"});
    EXPECT_EQ(Report(), "<b>Эксцентриситет вершины 1 = 2 (в дугах)</b><br>");
    EXPECT_EQ(host.redraws, 0);
    Run("FindExcentrisetet", 2);
    EXPECT_EQ(Lines(), QStringList{"Эксцентриситет вершины 2 = 1 (в дугах)"});

    // No vertex selected: the message; a selection cleared by an earlier run: nothing at all.
    Run("FindExcentrisetet", 0);
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("need_select_graph")});
    EXPECT_FALSE(run.ran);
    Run("FindExcentrisetet", -1);
    EXPECT_TRUE(host.messages.empty());

    // Not connected: refused with the message, nothing written.
    g->DeleteArc(2, 3);
    Run("FindExcentrisetet", 1);
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Graf_is_not_connected")});
    EXPECT_TRUE(run.result.refused);
    EXPECT_EQ(run.result.resultCount, -1);
    EXPECT_EQ(Lines(), QStringList{"Эксцентриситет вершины 2 = 1 (в дугах)"});

    // A graph of one vertex is connected, and its eccentricity 0 is said.
    for (const bool directed : {false, true}) {
        Make(directed, 1, {});
        Run("FindExcentrisetet", 1);
        EXPECT_TRUE(run.ran);
        EXPECT_FALSE(run.result.refused);
        EXPECT_EQ(run.result.resultCount, 0);
        EXPECT_EQ(Lines(), QStringList{"Эксцентриситет вершины 1 = 0 (в дугах)"}) << directed;
    }
}

TEST_F(Connectivity, DirectedEccentricityFollowsTheArcsAndNamesAVertexOutOfReach)
{
    // 1 and 2 reach each other, 2 leads on to 3 and 3 to 4.
    Make(true, 4, {{1, 2, 1}, {2, 1, 1}, {2, 3, 1}, {3, 4, 1}});
    Run("FindExcentrisetet", 1);
    EXPECT_EQ(run.result.resultCount, 3);
    EXPECT_EQ(Lines(), QStringList{Translate("concentricity") + " 1 = 3 (в дугах)"});
    Run("FindExcentrisetet", 3);
    EXPECT_EQ(run.result.resultCount, -1) << "3 reaches neither 1 nor 2";
    EXPECT_EQ(Lines(), (QStringList{Translate("concentricity") + " 3 = \u221E (в дугах)",
                                    Translate("eccentricity_unreachable").arg("1", "3")}));
    EXPECT_TRUE(host.messages.empty()) << "an answer, not a refusal";
    Run("FindExcentrisetet", 4);
    EXPECT_EQ(Lines().size(), 2) << "a vertex without arcs out still gets its answer";

    // A path out of 1 reaches everything, though the graph is no strongly connected one.
    Make(true, 3, {{1, 2, 1}, {2, 3, 1}});
    Run("FindExcentrisetet", 1);
    EXPECT_EQ(run.result.resultCount, 2);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Connectivity, DirectedEccentricityIsTheLongestShortestRoute)
{
    QRandomGenerator random(26);
    for (int round = 0; round < 300; ++round) {
        const int n = 1 + int(random.bounded(9));
        g = MakeGraf(true, false, n);
        for (int k = int(random.bounded(3 * n)); k > 0; --k)
            g->AddArc(1 + int(random.bounded(n)), 1 + int(random.bounded(n)), 1);
        const int v = 1 + int(random.bounded(n));
        // The oracle: distances by repeated relaxation.
        std::vector<int> distance(std::size_t(n) + 1, 1000);
        distance[std::size_t(v)] = 0;
        for (int pass = 0; pass < n; ++pass)
            for (int a = 1; a <= n; ++a)
                for (int b = 1; b <= n; ++b)
                    if (g->HasArc(a, b))
                        distance[std::size_t(b)] =
                            std::min(distance[std::size_t(b)], distance[std::size_t(a)] + 1);
        const int farthest = *std::max_element(distance.begin() + 1, distance.end());
        Run("FindExcentrisetet", v);
        EXPECT_EQ(run.result.resultCount, farthest == 1000 ? -1 : farthest) << round;
        if (farthest == 1000) {
            int first = 1;
            while (distance[std::size_t(first)] != 1000)
                ++first;
            EXPECT_TRUE(Lines().last().startsWith(
                Translate("eccentricity_unreachable").arg(g->VertexName(first), g->VertexName(v))));
        }
    }
}

TEST_F(Connectivity, RadiusAndDiameterAddWeights)
{
    Make(false, 3, {{1, 2, 1}, {2, 3, 1}});
    Run("FindRadiusAndDiametr");
    EXPECT_EQ(Lines(), QStringList{"Радиус графа равен 1. Диаметр равен 2 (по весам)"});
    Make(false, 3, {{1, 2, 5}, {2, 3, 1}}, true);
    Run("FindRadiusAndDiametr");
    EXPECT_EQ(run.result.resultValue, 5);
    EXPECT_EQ(run.result.resultCount, 6);
    EXPECT_EQ(Lines(), QStringList{"Радиус графа равен 5. Диаметр равен 6 (по весам)"});
    EXPECT_EQ(Report(), "<b>Радиус графа равен 5. Диаметр равен 6 (по весам)</b><br>");
    // On the same graph the eccentricities count arcs: 1 and 2, not the radius 5.
    Run("FindExcentrisetet", 2);
    EXPECT_EQ(Lines(), QStringList{"Эксцентриситет вершины 2 = 1 (в дугах)"});
    EXPECT_EQ(host.redraws, 0);

    Make(false, 1, {});
    Run("FindRadiusAndDiametr");
    EXPECT_EQ(Lines(), QStringList{"Радиус графа равен 0. Диаметр равен 0 (по весам)"});

    Make(false, 4, {{1, 2, 1}, {3, 4, 1}});
    Run("FindRadiusAndDiametr");
    EXPECT_EQ(Lines(), QStringList{Translate("graph_is_not_connectivity")});
    EXPECT_EQ(Report(), "<b>" + Translate("graph_is_not_connectivity") + "</b><br>");
    EXPECT_TRUE(host.messages.empty());

    // A digraph: both panes go blank before the refusal.
    Make(true, 2, {{1, 2, 1}});
    host.panes.Text.AddLine("earlier");
    host.panes.Report.AddLine("earlier");
    host.shownReport.clear();
    Run("FindRadiusAndDiametr");
    EXPECT_TRUE(Lines().isEmpty());
    EXPECT_EQ(Report(), "");
    EXPECT_EQ(host.shownReport, host.panes.Report.GetFileName());
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Not_ortgraf")});
    EXPECT_FALSE(run.ran);
}

TEST_F(Connectivity, TreeTestVerdicts)
{
    const auto verdict = [this] {
        Run("IsThree");
        return Lines();
    };
    Make(false, 1, {});
    EXPECT_EQ(verdict(), QStringList{"Граф является деревом"});
    Make(false, 3, {{1, 2, 1}, {2, 3, 1}});
    EXPECT_EQ(verdict(), QStringList{"Граф является деревом"});
    EXPECT_EQ(host.redraws, 2);
    Make(false, 3, {{1, 2, 1}, {2, 3, 1}, {3, 1, 1}});
    EXPECT_EQ(verdict(), QStringList{"Граф не является деревом"});
    Make(false, 4, {{1, 2, 1}, {3, 4, 1}});
    EXPECT_EQ(verdict(), QStringList{Translate("graph_is_not_connectivity")});
    // A cycle away from vertex 1 is never seen: the graph is only "not connected".
    Make(false, 5, {{1, 2, 1}, {3, 4, 1}, {4, 5, 1}, {5, 3, 1}});
    EXPECT_EQ(verdict(), QStringList{Translate("graph_is_not_connectivity")});
    // A cycle in vertex 1's part wins over an unreached vertex.
    Make(false, 4, {{1, 2, 1}, {2, 3, 1}, {3, 1, 1}});
    EXPECT_EQ(verdict(), QStringList{"Граф не является деревом"});
    EXPECT_EQ(Report(), "<b>Граф не является деревом</b><br>");
}

TEST_F(Connectivity, FramesAreRecordedForEveryRow)
{
    Make(false, 3, {{1, 2, 1}, {2, 3, 1}});
    const auto frames = [this](const char* name, int first = 0) {
        RunAlgorithm(*g, host, host.panes, name, first, 0, &run, {.recordSteps = true});
        return run.result.steps.FrameCount();
    };
    EXPECT_EQ(frames("MonolitIs"), 4);            // 2, 1, 3 reached; the verdict
    EXPECT_EQ(frames("FindExcentrisetet", 1), 4); // 1, 2, 3 taken from the queue; the value
    EXPECT_EQ(frames("FindRadiusAndDiametr"), 4); // each vertex; the result
    EXPECT_EQ(frames("IsThree"), 4);              // each vertex; the verdict
    const StepTrace::Frame last = run.result.steps.FrameAt(3);
    EXPECT_EQ(StepTrace::Narration(last, [this](int v) { return g->VertexName(v); }),
              "Граф является деревом");
}

TEST_F(Connectivity, AgreesWithIgraphOnRandomGraphs)
{
    QRandomGenerator random(31337);
    int connected = 0;
    for (int round = 0; round < 400; ++round) {
        const int n = int(random.bounded(1, 14));
        g = RandomGraf(random, n, false, random.bounded(2) == 0, int(random.bounded(5, 70)));
        IgraphCopy copy(*g);
        igraph_bool_t oracleConnected = false;
        igraph_is_connected(copy.graph.Get(), &oracleConnected, IGRAPH_WEAK);
        ASSERT_EQ(IsConnected(*g), bool(oracleConnected)) << round;
        EXPECT_EQ(TreeTest(*g).PaneLines(), QStringList{Translate(TreeOracle(*g))}) << round;
        if (!IsConnected(*g))
            continue;
        ++connected;

        Igraph::Vector eccentricity(0);
        igraph_eccentricity(copy.graph.Get(), eccentricity.Get(), igraph_vss_all(), IGRAPH_ALL);
        for (int v = 1; v <= n; ++v)
            ASSERT_EQ(Eccentricity(*g, v).resultCount, int(VECTOR(*eccentricity.Get())[v - 1]))
                << round << ' ' << v;

        const auto d = IgraphDistances(*g, true);
        long radius = GraphDocument::Infinity, diameter = 0;
        for (int a = 1; a <= n; ++a) {
            long farthest = 0;
            for (int b = 1; b <= n; ++b)
                farthest = std::max(farthest, d[a][b]);
            radius = std::min(radius, farthest);
            diameter = std::max(diameter, farthest);
        }
        const AlgorithmResult r = RadiusAndDiameter(*g);
        ASSERT_EQ(r.resultValue, radius) << round;
        ASSERT_EQ(r.resultCount, diameter) << round;
    }
    EXPECT_GT(connected, 100);
}
