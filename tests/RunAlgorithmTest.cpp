#include "algorithms/RunAlgorithm.h"
#include "GraphFixtures.h"
#include "ScriptedHost.h"
#include "TestFolders.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"

#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct Dispatcher : ::testing::Test {
    QTemporaryDir dir;
    ScriptedHost host;
    std::unique_ptr<GraphDocument> g;
    AlgorithmRun run;

    void SetUp() override { ProgramPaths::SetProgramFolderOverride(dir.path()); }
    void TearDown() override { ProgramPaths::SetProgramFolderOverride(TestProgramFolder()); }
    void Make(bool directed, bool weighted, int n) { g = MakeGraf(directed, weighted, n); }
};
} // namespace

TEST(AlgorithmTable, HoldsTheTwentyTwoNamesOnce)
{
    const auto& table = Algorithms();
    ASSERT_EQ(table.size(), 22u);
    QSet<QString> names;
    for (const AlgorithmInfo& info : table) {
        names.insert(QString::fromLatin1(info.name));
        EXPECT_EQ(info.applicable == nullptr, info.refusalKey == nullptr) << info.name;
    }
    EXPECT_EQ(names.size(), 22);
    EXPECT_EQ(FindAlgorithm("findtracedekctri"), nullptr);
    EXPECT_EQ(FindAlgorithm("FindTraceDekctri")->vertices, AlgorithmInfo::Vertices::StartAndFinish);
}

TEST_F(Dispatcher, ApplicabilityFollowsTheKind)
{
    Make(false, false, 2);
    EXPECT_FALSE(IsAlgorithmApplicable(*g, "FindTraceDekctri"));
    EXPECT_FALSE(IsAlgorithmApplicable(*g, "NoSuchAlgorithm"));
    g->Weighted = true;
    EXPECT_TRUE(IsAlgorithmApplicable(*g, "FindTraceDekctri"));
    // Rows of the table whose algorithm is not built yet are never enabled.
    for (const AlgorithmInfo& info : Algorithms())
        if (!info.run) {
            EXPECT_FALSE(IsAlgorithmApplicable(*g, info.name)) << info.name;
        }
}

TEST_F(Dispatcher, RefusalShowsTheKeyAndStopsWithoutRedraw)
{
    Make(true, false, 3);
    g->AddArc(1, 2, 1);
    g->Vertices[1].Active = 1;
    g->ActiveVertex = 1;
    host.panes.Text.AddLine("earlier result");
    RunAlgorithm(*g, host, host.panes, "FindTraceDekctri", 1, 2, &run);
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Not_load_graph")});
    EXPECT_FALSE(run.ran);
    EXPECT_EQ(host.redraws, 0);
    EXPECT_EQ(g->Vertices[1].Active, 0); // highlighting is cleared even so
    EXPECT_EQ(g->ActiveVertex, -1);
    EXPECT_EQ(host.panes.Text.Lines(), QStringList{"earlier result"});
}

TEST_F(Dispatcher, NothingHappensWithoutVerticesOrWithBadOnes)
{
    Make(true, true, 0);
    RunAlgorithm(*g, host, host.panes, "FindTraceDekctri", 1, 2, &run);
    Make(false, false, 3);
    RunAlgorithm(*g, host, host.panes, "FindTraceDekctri", -1, 2, &run); // negative: stops before the check
    RunAlgorithm(*g, host, host.panes, "FindTraceDekctri", 1, 4, &run);  // no vertex 4
    RunAlgorithm(*g, host, host.panes, "Unknown", 0, 0, &run);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.redraws, 0);
    EXPECT_FALSE(run.ran);
    EXPECT_EQ(g->TargetVertex, -1);
}

TEST_F(Dispatcher, CommonTailHighlightsTheRouteAndRedraws)
{
    Make(false, true, 3);
    g->AddArc(1, 2, 2);
    g->AddArc(2, 3, 2);
    RunAlgorithm(*g, host, host.panes, "FindTraceDekctri", 3, 1, &run);
    EXPECT_TRUE(run.ran);
    EXPECT_EQ(run.result.resultCount, 3);
    EXPECT_EQ(run.result.resultValue, 4);
    EXPECT_EQ(host.redraws, 1);
    EXPECT_TRUE(host.messages.empty());
    for (int v = 1; v <= 3; ++v)
        EXPECT_EQ(g->Vertices[v].Active, 1);
    // Travel direction carries the marker; the reverse cell of an edge is only active.
    EXPECT_EQ(g->Arc(3, 2).Marker, 1);
    EXPECT_EQ(g->Arc(2, 3).Marker, 0);
    EXPECT_EQ(g->Arc(2, 3).Active, 1);

    // Unreachable: nothing highlighted, still redrawn.
    g->DeleteArc(1, 2);
    RunAlgorithm(*g, host, host.panes, "FindTraceDekctri", 3, 1, &run);
    EXPECT_EQ(run.result.resultCount, -1);
    EXPECT_EQ(g->Vertices[3].Active, 0);
    EXPECT_EQ(host.redraws, 2);
}

TEST_F(Dispatcher, ReportFailureIsShownAndTheRunGoesOn)
{
    Make(true, true, 2);
    g->AddArc(1, 2, 5);
    ProgramPaths::SetProgramFolderOverride(dir.filePath("missing"));
    RunAlgorithm(*g, host, host.panes, "FindTraceDekctri", 1, 2, &run);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].text.startsWith(Translate("Happend_error") + "\r"));
    EXPECT_TRUE(host.shownReport.isEmpty());
    EXPECT_EQ(run.result.resultValue, 5);
}
