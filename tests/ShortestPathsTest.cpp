#include "algorithms/ShortestPaths.h"
#include "GraphFixtures.h"
#include "ScriptedHost.h"
#include "TestFolders.h"
#include "algorithms/RunAlgorithm.h"
#include "base/ProgramPaths.h"
#include "base/TranslateManager.h"
#include "files/MatrixText.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using V = std::vector<int>;

namespace {
struct Dijkstra : ::testing::Test {
    QTemporaryDir dir;
    ScriptedHost host;
    std::unique_ptr<TAllGraf> g;
    int count = 0, value = 0;
    AlgorithmResult result;

    void SetUp() override { ProgramPaths::SetProgramFolderOverride(dir.path()); }
    void TearDown() override { ProgramPaths::SetProgramFolderOverride(TestProgramFolder()); }
    void Build(bool directed, const QStringList& matrix)
    {
        g = MakeGraf(directed, true);
        g->AttachHost(&host);
        ASSERT_TRUE(MatrixText::ApplyTextMatrix(*g, matrix));
    }
    void Run(int start, int finish)
    {
        result = DijkstraShortestPath(*g, start, finish, g->PointCount);
        PresentResult(*g, result, false);
        count = result.resultCount;
        value = result.resultValue;
    }
    V Path() const { return count > 0 ? result.route : V{}; }
    QStringList Lines() const { return g->Outp().Lines(); }
};
} // namespace

TEST_F(Dijkstra, WorkedExample)
{
    TranslateManager().UseBuiltIn();
    Build(true, {"0,4,0", "0,0,5", "0,0,0"});
    Run(1, 3);
    EXPECT_EQ(Path(), (V{1, 2, 3}));
    EXPECT_EQ(value, 9);
    EXPECT_EQ(Lines(), QStringList({"Алгоритм Дейкстры :", "Вершины 3 достижима из вершины 1 за 9",
                                    "Достижимость вершин из вершины 1", "| 1 | 2 | 3 |", "|  0|  4|  9|"}));
    EXPECT_EQ(g->ReportManager.GetContent(),
              "<b>Алгоритм Дейкстры :</b><br>Вершины 3 достижима из вершины 1 за 9<br>"
              "Достижимость вершин из вершины 1<br><table border=1><tr><td>1</td><td>2</td><td>3</td></tr>"
              "<tr><td>  0</td><td>  4</td><td>  9</td></tr></table>");
    EXPECT_EQ(host.shownReport, g->ReportManager.GetFileName());
}

TEST_F(Dijkstra, UnreachableAndSameEnds)
{
    Build(true, {"0,4,0", "0,0,0", "0,0,0"});
    g->Outp().AddLine("previous");
    Run(2, 2);
    EXPECT_EQ(count, -1);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(Lines(), QStringList{"previous"}); // nothing written at all
    EXPECT_TRUE(host.shownReport.isEmpty());

    Run(1, 3);
    EXPECT_EQ(count, -1);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(Lines(), QStringList({Translate("Algor_dejkstry"),
                                    Translate("Graf__") + "3 " + Translate("Not_reach") + "1."}));
    EXPECT_FALSE(host.shownReport.isEmpty());
    EXPECT_TRUE(result.route.empty());

    // Unreachable vertices show "x" in the table of a reached finish.
    Run(1, 2);
    EXPECT_EQ(Lines().last(), "|  0|  4|  x|");
    EXPECT_TRUE(g->ReportManager.GetContent().endsWith("<td>x</td></tr></table>"));
}

TEST_F(Dijkstra, TiesKeepTheFirstPredecessorAndFinishTheLowestVertex)
{
    // 1->2 (1), 1->3 (1), 2->4 (1), 3->4 (1): both ways to 4 are 2 long; 2 is finished first
    // and sets the predecessor; 3's equal candidate does not replace it.
    Build(true, {"0,1,1,0", "0,0,0,1", "0,0,0,1", "0,0,0,0"});
    Run(1, 4);
    EXPECT_EQ(Path(), (V{1, 2, 4}));
    // Both 2 and 3 are at distance 1 whatever the order of 1's list: the lower number is
    // finished first, so the way through 2 is found first.
    g->DeleteDuga(1, 2);
    g->AddDuga(1, 2, 1);
    ASSERT_EQ(OutList(*g, 1), (V{3, 2}));
    Run(1, 4);
    EXPECT_EQ(Path(), (V{1, 2, 4}));
    // The direct arc 1->4 (3) is found first; the equally long way 1-2-3-4 does not replace it.
    Build(true, {"0,1,0,3", "0,0,1,0", "0,0,0,1", "0,0,0,0"});
    Run(1, 4);
    EXPECT_EQ(value, 3);
    EXPECT_EQ(Path(), (V{1, 4}));
}

TEST_F(Dijkstra, UndirectedSearchesBothWaysAndWideCellsStayUnpadded)
{
    Build(false, {"0,1000,0", "1000,0,7", "0,7,0"});
    Run(3, 1);
    EXPECT_EQ(Path(), (V{3, 2, 1}));
    EXPECT_EQ(value, 1007);
    EXPECT_EQ(Lines().last(), "|1007|  7|  0|");
}

TEST_F(Dijkstra, RoutesAreShortestOnRandomGraphs)
{
    QRandomGenerator random(77);
    for (int round = 0; round < 30; ++round) {
        const int n = int(random.bounded(2, 12));
        g = MakeGraf(true, true, n);
        g->AttachHost(&host);
        for (int a = 1; a <= n; ++a)
            for (int b = 1; b <= n; ++b)
                if (a != b && random.bounded(3) == 0)
                    g->AddDuga(a, b, int(random.bounded(1, 20)));
        // Reference distances by relaxing every arc until nothing changes.
        std::vector<long> dist(n + 1, TAllGraf::Infinity);
        dist[1] = 0;
        for (int pass = 0; pass < n; ++pass)
            for (int a = 1; a <= n; ++a)
                for (int k = 0; k < g->DugaCount[a]; ++k) {
                    const int b = g->DugaList(a)[k];
                    dist[b] = std::min(dist[b], dist[a] + g->Dugi[a][b].Cost);
                }
        for (int finish = 2; finish <= n; ++finish) {
            Run(1, finish);
            if (dist[finish] >= TAllGraf::Infinity) {
                EXPECT_EQ(count, -1);
                continue;
            }
            ASSERT_GT(count, 1);
            EXPECT_EQ(value, dist[finish]);
            const V path = Path();
            EXPECT_EQ(path.front(), 1);
            EXPECT_EQ(path.back(), finish);
            long length = 0;
            for (size_t k = 1; k < path.size(); ++k) {
                ASSERT_TRUE(g->HasDuga(path[k - 1], path[k]));
                length += g->Dugi[path[k - 1]][path[k]].Cost;
            }
            EXPECT_EQ(length, value);
        }
    }
}
