#include "algorithms/PathSearches.h"
#include "AlgorithmFixture.h"
#include "GraphFixtures.h"
#include "IgraphDistances.h"
#include "ScriptedHost.h"
#include "TestFolders.h"
#include "algorithms/RunAlgorithm.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"
#include "files/MatrixText.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <numeric>

using V = std::vector<int>;

namespace {
struct PathSearch : AlgorithmFixture {
    AlgorithmResult result;

    void Make(bool directed, int n) { g = MakeGraf(directed, false, n); }
    void Wave(int start, int finish)
    {
        result = WaveFrontPath(*g, start, finish, g->VertexCount);
        PresentResult(*g, host, host.panes, result, false);
    }
    void Tarry(int start, int finish)
    {
        result = TarryPath(*g, start, finish, g->VertexCount);
        PresentResult(*g, host, host.panes, result, false);
    }
    QStringList Lines() const { return host.panes.Text.Lines(); }
};

// Tarry's search exactly as a teacher runs it: every simple path in list order, backtracking
// out of dead ends, the first path to meet the finish returned.
struct LiteralTarry {
    const GraphDocument& g;
    int finish;
    std::vector<quint8> free;
    V path;
    bool found = false;

    LiteralTarry(const GraphDocument& g, int start, int finish)
        : g(g), finish(finish), free(g.VertexCount + 1, 1)
    {
        Visit(start);
    }
    void Visit(int a)
    {
        path.push_back(a);
        if (a == finish) {
            found = true;
            return;
        }
        for (int e : g.OutArcs(a)) {
            if (!free[e])
                continue;
            free[a] = 0;
            Visit(e);
            if (found)
                return;
            free[a] = 1;
        }
        path.pop_back();
    }
};
} // namespace

TEST_F(PathSearch, WorkedExampleAndListOrder)
{
    Make(true, 3);
    g->AddArc(1, 2, 1);
    g->AddArc(2, 3, 1);
    Wave(1, 3);
    EXPECT_EQ(result.route, (V{1, 2, 3}));
    EXPECT_EQ(result.resultCount, 3);
    const QString waveVerdict = Translate("Graf__") + "3 " + Translate("reach") + "1" + Translate("_over_") +
                                "3" + Translate("_Graf") + ".";
    EXPECT_EQ(Lines(), QStringList({Translate("Wave_algol"), waveVerdict}));
    EXPECT_EQ(host.panes.Report.GetContent(),
              "<b>" + Translate("Wave_algol") + "</b><br>" + waveVerdict + "<br>");
    Tarry(1, 3);
    EXPECT_EQ(result.route, (V{1, 2, 3}));
    EXPECT_EQ(result.resultCount, 3);
    EXPECT_EQ(Lines(),
              QStringList({Translate("Alg_terry"), Translate("Graf__") + "3 " + Translate("reach") + "1."}));
    EXPECT_EQ(host.shownReport, host.panes.Report.GetFileName());

    // With 1->3 added last Tarry still walks through 2; the wave front takes the short way.
    g->AddArc(1, 3, 1);
    Tarry(1, 3);
    EXPECT_EQ(result.route, (V{1, 2, 3}));
    Wave(1, 3);
    EXPECT_EQ(result.route, (V{1, 3}));
    EXPECT_EQ(Lines().last(), Translate("Graf__") + "3 " + Translate("reach") + "1" + Translate("_over_") +
                                  "2" + Translate("_Graf") + ".");
}

TEST_F(PathSearch, UnreachableFinishAndOneVertexRoute)
{
    Make(true, 3);
    g->AddArc(1, 2, 1);
    g->AddArc(3, 1, 1);
    Wave(1, 3);
    EXPECT_EQ(result.resultCount, -1);
    EXPECT_TRUE(result.route.empty());
    EXPECT_EQ(Lines(), QStringList({Translate("Wave_algol"),
                                    Translate("Graf__") + "3 " + Translate("Not_reach") + "1."}));
    Tarry(1, 3);
    EXPECT_EQ(result.resultCount, -1);
    EXPECT_EQ(Lines(), QStringList({Translate("Alg_terry"), Translate("Graf__") + "3 " + Translate("Not_") +
                                                                Translate("reach") + "1."}));

    // Equal ends (only nodeloom-cli can ask): both give the start alone.
    Wave(2, 2);
    EXPECT_EQ(result.route, V{2});
    EXPECT_EQ(Lines().last(), Translate("Graf__") + "2 " + Translate("reach") + "2" + Translate("_over_") +
                                  "1" + Translate("_Graf") + ".");
    Tarry(2, 2);
    EXPECT_EQ(result.route, V{2});
}

TEST_F(PathSearch, WaveTakesTheLowestPredecessorOfThePreviousWave)
{
    // 1 reaches 3 and 2 (3 listed first); both lead to 4: its predecessor is 2.
    Make(false, 4);
    g->AddArc(1, 3, 1);
    g->AddArc(1, 2, 1);
    g->AddArc(3, 4, 1);
    g->AddArc(2, 4, 1);
    Wave(1, 4);
    EXPECT_EQ(result.route, (V{1, 2, 4}));
    // Tarry follows the lists instead.
    Tarry(1, 4);
    EXPECT_EQ(result.route, (V{1, 3, 4}));
}

TEST_F(PathSearch, WeightedGraphIsWarnedThenSearchedByArcs)
{
    g = MakeGraf(true, true, 3);
    g->AddArc(1, 3, 100);
    g->AddArc(1, 2, 1);
    g->AddArc(2, 3, 1);
    AlgorithmRun run;
    RunAlgorithm(*g, host, host.panes, "FindTraceWaveFront", 1, 3, &run);
    const QString warning = Translate("Algor_not_for_load") + "\r" + Translate("Find_trace_ignory_load");
    EXPECT_EQ(host.MessageTexts(), QStringList{warning});
    EXPECT_EQ(run.result.route, (V{1, 3}));
    EXPECT_EQ(g->Arc(1, 3).Marker, 1);
    EXPECT_EQ(host.redraws, 1);
    RunAlgorithm(*g, host, host.panes, "FindTraceAlgTerry", 1, 3, &run, {.recordSteps = true});
    EXPECT_EQ(host.MessageTexts(), QStringList({warning, warning}));
    EXPECT_EQ(run.result.route, (V{1, 3}));
    EXPECT_EQ(run.result.steps.FrameCount(), 3); // start, one move, found
}

TEST_F(PathSearch, TarryCutsDeadBranchesInItsFrames)
{
    // 1's list: 2 (a dead end), 3 (leads to 4).
    Make(true, 4);
    g->AddArc(1, 2, 1);
    g->AddArc(1, 3, 1);
    g->AddArc(3, 4, 1);
    result = TarryPath(*g, 1, 4, 4, true);
    EXPECT_EQ(result.route, (V{1, 3, 4}));
    const StepTrace& steps = result.steps;
    ASSERT_EQ(steps.FrameCount(), 5);
    EXPECT_EQ(steps.FrameAt(1).key, "step_tarry_cut");
    EXPECT_EQ(steps.FrameAt(1).Arc(1, 2), StepTrace::ArcState::Rejected);
    EXPECT_EQ(steps.FrameAt(2).key, "step_tarry_forward");
    EXPECT_EQ(steps.FrameAt(4).key, "step_tarry_found");

    // Waves: the start, wave 2 reaches 2 and 3, wave 3 reaches 4, the route.
    result = WaveFrontPath(*g, 1, 4, 4, true);
    ASSERT_EQ(result.steps.FrameCount(), 4);
    const StepTrace::Frame second = result.steps.FrameAt(1);
    EXPECT_EQ(second.arguments[1].value, 2);
    EXPECT_EQ(second.vertices[3], StepTrace::VertexState::Frontier);
    EXPECT_EQ(second.captions[3].value, 2);
    EXPECT_EQ(result.steps.FrameAt(3).Arc(3, 4), StepTrace::ArcState::Chosen);
}

TEST_F(PathSearch, TarryNeverBacksUpOutOfABranchItEnters)
{
    // K13 and an isolated finish: the full search walks every simple path of K13; the cut one
    // tries 1's first branch, learns that nothing of K13 reaches 14, and passes the rest over.
    Make(false, 14);
    for (int a = 1; a <= 13; ++a)
        for (int b = a + 1; b <= 13; ++b)
            g->AddArc(a, b, 1);
    result = TarryPath(*g, 1, 14, 14, true);
    EXPECT_EQ(result.resultCount, -1);
    ASSERT_EQ(result.steps.FrameCount(), 14); // the start, twelve cut branches, the verdict
    for (int k = 1; k <= 12; ++k)
        EXPECT_EQ(result.steps.NarrationOf(k).key, "step_tarry_cut");

    // With 14 joined to 12 alone, the first path in list order runs 1, 2, ..., 12, tries 13 (a
    // dead end by then) and takes 12's last arc to 14.
    g->AddArc(12, 14, 1);
    result = TarryPath(*g, 1, 14, 14, true);
    V expected(12);
    std::iota(expected.begin(), expected.end(), 1);
    expected.push_back(14);
    EXPECT_EQ(result.route, expected);
    EXPECT_EQ(result.route, LiteralTarry(*g, 1, 14).path);
}

TEST_F(PathSearch, LongPathsNeedNoDeepStack)
{
    // In the complete digraph Tarry's first path runs through every vertex in number order.
    const int n = GraphDocument::MaxVertices;
    Make(true, n);
    for (int a = 1; a <= n; ++a)
        for (int b = 1; b <= n; ++b)
            g->AddArc(a, b, 1);
    Tarry(1, n);
    V expected(n);
    std::iota(expected.begin(), expected.end(), 1);
    EXPECT_EQ(result.route, expected);
    Wave(1, n);
    EXPECT_EQ(result.route, (V{1, n}));
}

TEST_F(PathSearch, PrunedTarryReturnsTheFullSearchsPath)
{
    QRandomGenerator random(4242);
    int compared = 0;
    for (int round = 0; round < 400; ++round) {
        const int n = int(random.bounded(2, 9));
        g = RandomGraf(random, n, random.bounded(2) == 0, false, int(random.bounded(15, 80)));
        for (int start = 1; start <= n; ++start)
            for (int finish = 1; finish <= n; ++finish) {
                if (start == finish)
                    continue;
                const LiteralTarry literal(*g, start, finish);
                const AlgorithmResult pruned = TarryPath(*g, start, finish, n);
                ASSERT_EQ(pruned.resultCount, literal.found ? int(literal.path.size()) : -1)
                    << round << ' ' << start << ' ' << finish;
                if (literal.found) {
                    ASSERT_EQ(pruned.route, literal.path) << round << ' ' << start << ' ' << finish;
                }
                ++compared;
            }
    }
    EXPECT_GT(compared, 5000);
}

TEST_F(PathSearch, ReachabilityAndWaveLengthsAgreeWithIgraph)
{
    QRandomGenerator random(99);
    for (int round = 0; round < 300; ++round) {
        const int n = int(random.bounded(2, 30));
        g = RandomGraf(random, n, random.bounded(2) == 0, false, int(random.bounded(2, 30)));
        const auto hops = IgraphDistances(*g, false);
        const int start = int(random.bounded(1, n + 1));
        for (int finish = 1; finish <= n; ++finish) {
            if (finish == start)
                continue;
            const AlgorithmResult wave = WaveFrontPath(*g, start, finish, n);
            const AlgorithmResult tarry = TarryPath(*g, start, finish, n);
            const int expected = hops[start][finish] < 0 ? -1 : int(hops[start][finish]) + 1;
            ASSERT_EQ(wave.resultCount, expected) << round << ' ' << start << ' ' << finish;
            ASSERT_EQ(tarry.resultCount > 0, expected > 0) << round << ' ' << start << ' ' << finish;
            for (const AlgorithmResult* r : {&wave, &tarry}) {
                if (r->resultCount < 0)
                    continue;
                EXPECT_EQ(r->route.front(), start);
                EXPECT_EQ(r->route.back(), finish);
                for (std::size_t k = 1; k < r->route.size(); ++k)
                    ASSERT_TRUE(g->HasArc(r->route[k - 1], r->route[k]));
                V sorted = r->route;
                std::sort(sorted.begin(), sorted.end());
                EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()); // simple
            }
        }
    }
}
