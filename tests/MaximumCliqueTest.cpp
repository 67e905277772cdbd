#include "algorithms/MaximumClique.h"
#include "AlgorithmFixture.h"
#include "GraphFixtures.h"
#include "IgraphOracle.h"
#include "LiteralCliqueSearch.h"
#include "ReferenceCliqueSearch.h"
#include "ScriptedHost.h"
#include "TestFolders.h"
#include "algorithms/RunAlgorithm.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

using V = std::vector<int>;

namespace {

struct MaximumCliqueTest : AlgorithmFixture {
    AlgorithmRun run;

    void Make(int n, bool weighted = false) { g = MakeGraf(false, weighted, n); }
    void Run() { RunAlgorithm(*g, host, host.panes, "FindMaxClickBronKerbosch", 0, 0, &run); }
};

// The adjacency as written: A[u][v] and A[v][u] take the cells' weights for every arc u->v,
// and a positive entry means adjacent.
std::vector<std::vector<bool>> LiteralAdjacency(const GraphDocument& g)
{
    const int n = g.VertexCount;
    std::vector<std::vector<int>> a(n + 1, std::vector<int>(n + 1, 0));
    for (int u = 1; u <= n; ++u)
        for (int v : g.OutArcs(u)) {
            a[u][v] = g.Arc(u, v).Weight;
            a[v][u] = g.Arc(v, u).Weight;
        }
    std::vector<std::vector<bool>> adjacent(n + 1, std::vector<bool>(n + 1, false));
    for (int u = 1; u <= n; ++u)
        for (int v = 1; v <= n; ++v)
            adjacent[u][v] = a[u][v] > 0;
    return adjacent;
}

// An undirected graph on n vertices with each edge present with probability percent/100;
// a weighted one gets some arcs of weight 0, which join nothing.
std::unique_ptr<GraphDocument> RandomGraf(QRandomGenerator& random, int n, int percent, bool weighted)
{
    auto g = MakeGraf(false, weighted, n);
    for (int a = 1; a <= n; ++a)
        for (int b = a + 1; b <= n; ++b)
            if (int(random.bounded(100)) < percent)
                g->AddArc(b, a, weighted ? int(random.bounded(4)) : 1);
    return g;
}

std::vector<V> ListOf(const GraphDocument& g, V* best = nullptr)
{
    const AdjacencySets adjacency = CliqueAdjacency(g);
    CliqueSearch search(adjacency, g.VertexCount);
    std::vector<V> found;
    search.onMaximal = [&](std::span<const int> clique) { found.emplace_back(clique.begin(), clique.end()); };
    EXPECT_TRUE(search.Run());
    EXPECT_EQ(search.MaximalCount(), std::int64_t(found.size()));
    if (best)
        *best = search.Best();
    return found;
}

// The two runs show the same: output, highlighting, values, and every frame of the steps.
void ExpectSameRun(const AlgorithmResult& ours, const AlgorithmResult& reference)
{
    ASSERT_EQ(ours.output.size(), reference.output.size());
    for (std::size_t i = 0; i < ours.output.size(); ++i) {
        EXPECT_EQ(ours.output[i].kind, reference.output[i].kind);
        EXPECT_EQ(ours.output[i].text, reference.output[i].text);
    }
    EXPECT_EQ(ours.highlightedVertices, reference.highlightedVertices);
    EXPECT_EQ(ours.highlightedArcs, reference.highlightedArcs);
    EXPECT_EQ(ours.resultValue, reference.resultValue);
    EXPECT_EQ(ours.resultCount, reference.resultCount);
    EXPECT_EQ(ours.route, reference.route);
    const StepTrace& a = ours.steps;
    const StepTrace& b = reference.steps;
    ASSERT_EQ(a.FrameCount(), b.FrameCount());
    EXPECT_EQ(a.Cut(), b.Cut());
    for (int i = 0; i < a.FrameCount(); ++i) {
        const StepTrace::Frame x = a.NarrationOf(i);
        const StepTrace::Frame y = b.NarrationOf(i);
        ASSERT_EQ(x.key, y.key) << "frame " << i;
        ASSERT_EQ(x.arguments.size(), y.arguments.size());
        for (std::size_t k = 0; k < x.arguments.size(); ++k) {
            EXPECT_EQ(x.arguments[k].kind, y.arguments[k].kind);
            EXPECT_EQ(x.arguments[k].value, y.arguments[k].value);
        }
        const auto changesA = a.ChangesOf(i);
        const auto changesB = b.ChangesOf(i);
        ASSERT_EQ(changesA.size(), changesB.size()) << "frame " << i;
        for (std::size_t k = 0; k < changesA.size(); ++k) {
            EXPECT_EQ(changesA[k].kind, changesB[k].kind);
            EXPECT_EQ(changesA[k].a, changesB[k].a);
            EXPECT_EQ(changesA[k].b, changesB[k].b);
            EXPECT_EQ(changesA[k].value, changesB[k].value);
        }
    }
}

} // namespace

TEST_F(MaximumCliqueTest, TriangleWithATailThroughTheDispatcher)
{
    Make(4);
    g->AddArc(1, 2, 1);
    g->AddArc(2, 3, 1);
    g->AddArc(1, 3, 1);
    g->AddArc(3, 4, 1);
    Run();
    ASSERT_TRUE(run.ran);
    const QString size = Translate("Max_click_is") + " 3";
    const QString members = Translate("Graf_of_max_click") + ":";
    const QString found = Translate("Found_click") + ": ";
    EXPECT_EQ(host.panes.Text.Lines(), QStringList({size, members, "3 2 1 "}));
    EXPECT_EQ(host.panes.Report.GetContent(), "<b>" + size + "</b><br>" + members + "<br>3 2 1 <br>" +
                                                  Translate("All_click") + "<br>" + found + "4 3 <br>" +
                                                  found + "3 2 1 <br><br>");
    EXPECT_EQ(host.shownReport, host.panes.Report.GetFileName());
    EXPECT_EQ(run.result.resultValue, 3);
    EXPECT_TRUE(run.result.route.empty());
    EXPECT_EQ(host.redraws, 1);
    for (int v = 1; v <= 3; ++v) {
        EXPECT_EQ(g->Vertices[v].Active, 1);
        for (int w = 1; w <= 3; ++w)
            if (w != v) {
                EXPECT_EQ(g->Arc(v, w).Active, 1);
                EXPECT_EQ(g->Arc(v, w).Marker, 0);
            }
    }
    EXPECT_EQ(g->Vertices[4].Active, 0);
    EXPECT_EQ(g->Arc(3, 4).Active, 0);
    EXPECT_EQ(g->Arc(4, 3).Active, 0);

    // A directed graph is refused before the search.
    g = MakeGraf(true, false, 2);
    Run();
    EXPECT_FALSE(run.ran);
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Not_ortgraf")});
}

TEST_F(MaximumCliqueTest, IsolatedVerticesAndArcsOfWeightZero)
{
    Make(3);
    Run();
    EXPECT_EQ(host.panes.Text.Lines().last(), "3 ");
    const QString found = Translate("Found_click") + ": ";
    EXPECT_TRUE(host.panes.Report.GetContent().endsWith(Translate("All_click") + "<br>" + found + "3 <br>" +
                                                        found + "2 <br>" + found + "1 <br><br>"));
    EXPECT_EQ(g->Vertices[3].Active, 1);
    EXPECT_EQ(g->Vertices[2].Active, 0);

    // 1-2 weighs 0: the triangle is two edges, and the cliques are {3, 2} and {3, 1}.
    Make(3, true);
    g->AddArc(1, 2, 0);
    g->AddArc(2, 3, 5);
    g->AddArc(1, 3, 7);
    Run();
    EXPECT_EQ(run.result.resultValue, 2);
    EXPECT_TRUE(host.panes.Report.GetContent().endsWith(found + "3 2 <br>" + found + "3 1 <br><br>"));
    EXPECT_EQ(g->Arc(1, 2).Active, 0);
}

TEST_F(MaximumCliqueTest, LongListsAreCutAndCounted)
{
    // Every vertex joined to all but its partner (2i-1, 2i): 2^11 maximal cliques of 11.
    Make(22);
    for (int a = 1; a <= 22; ++a)
        for (int b = a + 1; b <= 22; ++b)
            if (!(a % 2 == 1 && b == a + 1))
                g->AddArc(a, b, 1);
    Run();
    EXPECT_EQ(host.panes.Text.Lines().last(), "22 20 18 16 14 12 10 8 6 4 2 ");
    const QString report = host.panes.Report.GetContent();
    EXPECT_EQ(report.count(Translate("Found_click") + ": "), ListedCliqueLimit);
    EXPECT_TRUE(report.endsWith("<br><br>" + Translate("Click_list_cut").arg(1000).arg(2048) + "<br>"));

    // A complete graph is one clique, found without trying its subsets.
    Make(30);
    for (int a = 1; a <= 30; ++a)
        for (int b = a + 1; b <= 30; ++b)
            g->AddArc(a, b, 1);
    const std::vector<V> found = ListOf(*g);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].size(), 30u);
    EXPECT_EQ(found[0].front(), 30);
}

TEST_F(MaximumCliqueTest, StepsNarrateEachVertexAddedEachCliqueAndEachCut)
{
    Make(4);
    g->AddArc(1, 2, 1);
    g->AddArc(2, 3, 1);
    g->AddArc(1, 3, 1);
    g->AddArc(3, 4, 1);
    const AlgorithmResult result = MaximumClique(*g, true);
    QStringList keys;
    for (int i = 0; i < result.steps.FrameCount(); ++i)
        keys.append(result.steps.NarrationOf(i).key);
    // {4, 3}; then {3, 2, 1}; then 2 and 3, already tried, would extend whatever is left.
    EXPECT_EQ(keys,
              QStringList({"step_clique_extend", "step_clique_extend", "step_clique_best",
                           "step_clique_extend", "step_clique_extend", "step_clique_extend",
                           "step_clique_best", "step_clique_cut", "step_clique_cut", "step_clique_done"}));
    const StepTrace::Frame last = result.steps.FrameAt(result.steps.FrameCount() - 1);
    EXPECT_EQ(last.vertices[1], StepTrace::VertexState::Finished);
    EXPECT_EQ(last.vertices[4], StepTrace::VertexState::None);
    EXPECT_EQ(last.Arc(3, 1), StepTrace::ArcState::Chosen);
    EXPECT_EQ(last.Arc(3, 4), StepTrace::ArcState::None);
    EXPECT_EQ(result.steps.FrameAt(7).arguments[0].value, 2);
}

TEST(CliqueSearch, CutsKeepTheFullSearchsListAndOrder)
{
    QRandomGenerator random(2024);
    for (int round = 0; round < 400; ++round) {
        const int n = int(random.bounded(1, 15));
        const int percent = int(random.bounded(10, 100));
        const auto g = RandomGraf(random, n, percent, round % 3 == 0);
        const auto adjacent = LiteralAdjacency(*g);
        LiteralCliqueSearch literal{adjacent, {}, {}, {}};
        literal.Run(n);

        V best;
        ASSERT_EQ(ListOf(*g, &best), literal.found) << "round " << round;
        EXPECT_EQ(best, literal.best);
        // The bit-set searches agree: the count, and the first largest clique in this order.
        const AdjacencySets adjacency = CliqueAdjacency(*g);
        EXPECT_EQ(CountMaximalCliques(adjacency, n), std::int64_t(literal.found.size())) << "round " << round;
        EXPECT_EQ(FirstLargestClique(adjacency, n), literal.best) << "round " << round;

        // The report lists the same cliques, and the member line is the first largest.
        const AlgorithmResult result = MaximumClique(*g);
        QString expected;
        for (const V& clique : literal.found) {
            expected += Translate("Found_click") + ": ";
            for (int v : clique)
                expected += QString::number(v) + ' ';
            expected += "<br>";
        }
        QString members;
        for (int v : literal.best)
            members += QString::number(v) + ' ';
        EXPECT_EQ(result.PaneLines().last(), members);
        bool listed = false;
        for (const OutputItem& item : result.output)
            if (item.kind == OutputItem::Kind::ReportRaw)
                listed = item.text == expected + "<br>";
        EXPECT_TRUE(listed) << "round " << round;
    }
}

TEST(CliqueSearch, AgreesWithIgraphsMaximalCliquesAndCliqueNumber)
{
    QRandomGenerator random(99);
    for (int round = 0; round < 300; ++round) {
        const int n = int(random.bounded(1, 31));
        const auto g = RandomGraf(random, n, int(random.bounded(5, 96)), false);
        V best;
        std::vector<V> ours = ListOf(*g, &best);
        for (V& clique : ours)
            std::sort(clique.begin(), clique.end());
        std::sort(ours.begin(), ours.end());

        IgraphCopy copy(*g);
        igraph_vector_int_list_t cliques;
        igraph_vector_int_list_init(&cliques, 0);
        igraph_maximal_cliques(copy.graph.Get(), &cliques, 0, 0);
        std::vector<V> theirs;
        for (igraph_integer_t i = 0; i < igraph_vector_int_list_size(&cliques); ++i) {
            const igraph_vector_int_t* clique = igraph_vector_int_list_get_ptr(&cliques, i);
            V members;
            for (igraph_integer_t k = 0; k < igraph_vector_int_size(clique); ++k)
                members.push_back(int(VECTOR(*clique)[k]) + 1);
            std::sort(members.begin(), members.end());
            theirs.push_back(members);
        }
        igraph_vector_int_list_destroy(&cliques);
        std::sort(theirs.begin(), theirs.end());
        EXPECT_EQ(ours, theirs) << "round " << round;

        igraph_integer_t cliqueNumber = 0;
        igraph_clique_number(copy.graph.Get(), &cliqueNumber);
        EXPECT_EQ(igraph_integer_t(best.size()), cliqueNumber) << "round " << round;
        EXPECT_EQ(MaximumClique(*g).resultValue, cliqueNumber);
    }
}

TEST(CliqueSearch, RunShowsWhatTheSearchToTheEndShows)
{
    // Small graphs, dense ones listing many more cliques than the report shows (the search
    // in the listing order stops early; with steps, once the trace is cut too), and sparse
    // ones on up to 255 vertices.
    QRandomGenerator random(7);
    int longLists = 0;
    int cutTraces = 0;
    for (int round = 0; round < 360; ++round) {
        int n = int(random.bounded(1, 41));
        int percent = int(random.bounded(5, 100));
        if (round % 4 == 1) {
            n = int(random.bounded(28, 41));
            percent = int(random.bounded(70, 91));
        } else if (round % 8 == 3) {
            n = int(random.bounded(41, 256));
            percent = int(random.bounded(1, 8));
        }
        const auto g = RandomGraf(random, n, percent, round % 5 == 0);
        const bool steps = (round / 2) % 2 == 0;
        SCOPED_TRACE(testing::Message() << "round " << round << ", n " << n << ", " << percent << "%");
        const AlgorithmResult reference = ReferenceClique::MaximumClique(*g, steps);
        ExpectSameRun(MaximumClique(*g, steps), reference);
        const bool listCut = reference.output.size() > 7; // the line that counts the rest
        longLists += listCut ? 1 : 0;
        cutTraces += listCut && reference.steps.Cut() ? 1 : 0;
    }
    // Both ways of stopping early were taken.
    EXPECT_GT(longLists, 20);
    EXPECT_GT(cutTraces, 0);
}

TEST(CliqueSearch, CountAndLargestSizeAgreeWithIgraphOnUpTo255Vertices)
{
    QRandomGenerator random(31);
    for (int round = 0; round < 60; ++round) {
        const int n = int(random.bounded(30, 256));
        const int percent = n <= 60 ? int(random.bounded(20, 80)) : int(random.bounded(2, 25));
        const auto g = RandomGraf(random, n, percent, false);
        // Hubs adjacent to most vertices make the count renumber a branch into two or three
        // words; the sparse rest keeps it cheap.
        if (round % 2 == 1 && n > 128)
            for (int hub = 1; hub <= 3; ++hub)
                for (int v = 1; v <= n; ++v)
                    if (v != hub && g->Arc(hub, v).Weight == 0 && int(random.bounded(100)) < 50 + 10 * hub)
                        g->AddArc(hub, v, 1);
        const AdjacencySets adjacency = CliqueAdjacency(*g);
        IgraphCopy copy(*g);
        igraph_integer_t count = 0;
        igraph_maximal_cliques_count(copy.graph.Get(), &count, 0, 0);
        igraph_integer_t cliqueNumber = 0;
        igraph_clique_number(copy.graph.Get(), &cliqueNumber);
        SCOPED_TRACE(testing::Message() << "round " << round << ", n " << n << ", " << percent << "%");
        EXPECT_EQ(CountMaximalCliques(adjacency, n), count);
        EXPECT_EQ(CountMaximalCliquesPortably(adjacency, n), count);
        EXPECT_EQ(LargestCliqueSize(adjacency, n), cliqueNumber);
        // The first clique of that size is one, and there is none larger.
        const V first = FirstCliqueOfSize(adjacency, n, int(cliqueNumber));
        ASSERT_EQ(igraph_integer_t(first.size()), cliqueNumber);
        for (std::size_t i = 0; i < first.size(); ++i)
            for (std::size_t j = i + 1; j < first.size(); ++j)
                EXPECT_TRUE(first[i] > first[j] && adjacency[first[i]].Contains(first[j]));
        EXPECT_TRUE(FirstCliqueOfSize(adjacency, n, int(cliqueNumber) + 1).empty());
    }
}
