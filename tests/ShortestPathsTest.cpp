#include "algorithms/ShortestPaths.h"
#include "AlgorithmFixture.h"
#include "GraphFixtures.h"
#include "IgraphDistances.h"
#include "ScriptedHost.h"
#include "TestFolders.h"
#include "algorithms/Connectivity.h"
#include "algorithms/PathSearches.h"
#include "algorithms/RunAlgorithm.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"
#include "files/MatrixText.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using V = std::vector<int>;

namespace {
struct Dijkstra : ::testing::Test {
    QTemporaryDir dir;
    ScriptedHost host;
    std::unique_ptr<GraphDocument> g;
    int count = 0, value = 0;
    AlgorithmResult result;

    void SetUp() override { ProgramPaths::SetProgramFolderOverride(dir.path()); }
    void TearDown() override { ProgramPaths::SetProgramFolderOverride(TestProgramFolder()); }
    void Build(bool directed, const QStringList& matrix)
    {
        g = MakeGraf(directed, true);
        ASSERT_TRUE(MatrixText::ApplyTextMatrix(*g, host, matrix));
    }
    void Run(int start, int finish)
    {
        result = DijkstraShortestPath(*g, start, finish, g->VertexCount);
        PresentResult(*g, host, host.panes, result, false);
        count = result.resultCount;
        value = result.resultValue;
    }
    V Path() const { return count > 0 ? result.route : V{}; }
    QStringList Lines() const { return host.panes.Text.Lines(); }
};
} // namespace

TEST_F(Dijkstra, WorkedExample)
{
    TranslateManager().UseBuiltIn();
    Build(true, {"0,4,0", "0,0,5", "0,0,0"});
    Run(1, 3);
    EXPECT_EQ(Path(), (V{1, 2, 3}));
    EXPECT_EQ(value, 9);
    const QString verdict = Translate("Graf__") + "3 " + Translate("reach") + "1" + Translate("_over_") + "9";
    const QString reachability = Translate("reach_graf") + "1";
    EXPECT_EQ(Lines(), QStringList({Translate("Algor_dejkstry"), verdict, reachability, "| 1 | 2 | 3 |",
                                    "|  0|  4|  9|"}));
    EXPECT_EQ(host.panes.Report.GetContent(),
              "<b>" + Translate("Algor_dejkstry") + "</b><br>" + verdict + "<br>" + reachability +
                  "<br><table border=1><tr><td>1</td><td>2</td><td>3</td></tr>"
                  "<tr><td>  0</td><td>  4</td><td>  9</td></tr></table>");
    EXPECT_EQ(host.shownReport, host.panes.Report.GetFileName());
}

TEST_F(Dijkstra, UnreachableAndSameEnds)
{
    Build(true, {"0,4,0", "0,0,0", "0,0,0"});
    host.panes.Text.AddLine("previous");
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
    EXPECT_TRUE(host.panes.Report.GetContent().endsWith("<td>x</td></tr></table>"));
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
    g->DeleteArc(1, 2);
    g->AddArc(1, 2, 1);
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
        for (int a = 1; a <= n; ++a)
            for (int b = 1; b <= n; ++b)
                if (a != b && random.bounded(3) == 0)
                    g->AddArc(a, b, int(random.bounded(1, 20)));
        // Reference distances by relaxing every arc until nothing changes.
        std::vector<long> dist(n + 1, GraphDocument::Infinity);
        dist[1] = 0;
        for (int pass = 0; pass < n; ++pass)
            for (int a = 1; a <= n; ++a)
                for (int k = 0; k < g->OutCount(a); ++k) {
                    const int b = g->OutArcs(a)[k];
                    dist[b] = std::min(dist[b], dist[a] + g->Arc(a, b).Weight);
                }
        for (int finish = 2; finish <= n; ++finish) {
            Run(1, finish);
            if (dist[finish] >= GraphDocument::Infinity) {
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
                ASSERT_TRUE(g->HasArc(path[k - 1], path[k]));
                length += g->Arc(path[k - 1], path[k]).Weight;
            }
            EXPECT_EQ(length, value);
        }
    }
}

namespace {
// The two table methods: a worked example's exact lines, and their runs through a fixture.
struct TablePaths : AlgorithmFixture {
    AlgorithmResult result;

    void Build(bool directed, const QStringList& matrix)
    {
        g = MakeGraf(directed, true);
        ASSERT_TRUE(MatrixText::ApplyTextMatrix(*g, host, matrix));
    }
    void Floyd(int start, int finish)
    {
        result = FloydWarshallPath(*g, start, finish, g->VertexCount);
        PresentResult(*g, host, host.panes, result, false);
    }
    void Ford(int start, int finish)
    {
        result = BellmanFordPath(*g, start, finish, g->VertexCount);
        PresentResult(*g, host, host.panes, result, false);
    }
    QStringList Lines() const { return host.panes.Text.Lines(); }
};

// The cells of the result's table (report form), header row first.
QList<QStringList> TableRows(const AlgorithmResult& result)
{
    for (const OutputItem& item : result.output)
        if (item.kind == OutputItem::Kind::Table)
            return item.rows;
    return {};
}
} // namespace

TEST_F(TablePaths, FloydWorkedExample)
{
    Build(true, {"0,4,0", "0,0,5", "0,0,0"});
    Floyd(1, 3);
    EXPECT_EQ(result.route, (V{1, 2, 3}));
    EXPECT_EQ(result.resultCount, 3);
    EXPECT_EQ(result.resultValue, 9);
    const QString verdict =
        Translate("Graf__") + "3 " + Translate("reach") + "1" + Translate("Length_trace") + "9.";
    EXPECT_EQ(Lines(), QStringList({Translate("Algor_floid"), verdict, "   |  1|  2|  3", "1  |  0   4   9",
                                    "2  |  x   0   5", "3  |  x   x   0"}));
    EXPECT_EQ(host.panes.Report.GetContent(),
              "<b>" + Translate("Algor_floid") + "</b><br>" + verdict +
                  "<br>"
                  "<table border=1><tr><td></td><td>1</td><td>2</td><td>3</td></tr>"
                  "<tr><td>1</td><td>  0</td><td>  4</td><td>  9</td></tr>"
                  "<tr><td>2</td><td>x</td><td>  0</td><td>  5</td></tr>"
                  "<tr><td>3</td><td>x</td><td>x</td><td>  0</td></tr></table>");
    EXPECT_EQ(host.shownReport, host.panes.Report.GetFileName());
}

TEST_F(TablePaths, BellmanFordWorkedExample)
{
    Build(true, {"0,4,0", "0,0,5", "0,0,0"});
    Ford(1, 3);
    EXPECT_EQ(result.route, (V{1, 2, 3}));
    EXPECT_EQ(result.resultCount, 3);
    EXPECT_EQ(result.resultValue, 9);
    const QString verdict =
        Translate("Graf__") + "3 " + Translate("reach") + "1" + Translate("_over_") + "9.";
    EXPECT_EQ(Lines(), QStringList({Translate("Alg_fordBel"), verdict, "__|  1|  2|  3", "1 |  0   0   0",
                                    "2 |  4   4   4", "3 |  x   9   9"}));
    EXPECT_EQ(host.panes.Report.GetContent(),
              "<b>" + Translate("Alg_fordBel") + "</b><br>" + verdict +
                  "<br>"
                  "<table border=1><tr><td></td><td>1</td><td>2</td><td>3</td></tr>"
                  "<tr><td>1</td><td>  0</td><td>  0</td><td>  0</td></tr>"
                  "<tr><td>2</td><td>  4</td><td>  4</td><td>  4</td></tr>"
                  "<tr><td>3</td><td>x</td><td>  9</td><td>  9</td></tr></table>");
}

TEST_F(TablePaths, UnreachableFinishAndEqualEnds)
{
    Build(true, {"0,4,0", "0,0,0", "0,0,0"});
    host.panes.Text.AddLine("previous");
    Floyd(2, 2);
    EXPECT_EQ(result.resultCount, -1);
    EXPECT_EQ(result.resultValue, 0);
    Ford(2, 2);
    EXPECT_EQ(result.resultCount, -1);
    EXPECT_EQ(Lines(), QStringList{"previous"});
    EXPECT_TRUE(host.shownReport.isEmpty());

    // Floyd–Warshall prints the whole matrix even so; Ford–Bellman only its verdict.
    Floyd(1, 3);
    EXPECT_EQ(result.resultCount, -1);
    EXPECT_EQ(result.resultValue, -1);
    EXPECT_TRUE(result.route.empty());
    const QString unreached = Translate("Graf__") + "3 " + Translate("Not_reach") + "1.";
    EXPECT_EQ(Lines(), QStringList({Translate("Algor_floid"), unreached, "   |  1|  2|  3", "1  |  0   4   x",
                                    "2  |  x   0   x", "3  |  x   x   0"}));
    Ford(1, 3);
    EXPECT_EQ(result.resultCount, -1);
    EXPECT_EQ(result.resultValue, -1);
    EXPECT_EQ(Lines(), QStringList({Translate("Alg_fordBel"), unreached}));
    EXPECT_EQ(host.panes.Report.GetContent(),
              "<b>" + Translate("Alg_fordBel") + "</b><br>" + unreached + "<br>");
}

TEST_F(TablePaths, EqualPathsGoThroughTheLowestPredecessor)
{
    // Both ways to 4 are 2 long; the way through 3 is added first, so list order would take it.
    g = MakeGraf(true, true, 4);
    g->AddArc(1, 3, 1);
    g->AddArc(3, 4, 1);
    g->AddArc(1, 2, 1);
    g->AddArc(2, 4, 1);
    Floyd(1, 4);
    EXPECT_EQ(result.route, (V{1, 2, 4}));
    Ford(1, 4);
    EXPECT_EQ(result.route, (V{1, 2, 4}));

    // Ford–Bellman walks back through the pass in which the estimate last fell: 4 first gets 10
    // over one arc, then 3 over three arcs; the three-arc way is taken.
    g = MakeGraf(true, true, 4);
    g->AddArc(1, 4, 10);
    g->AddArc(1, 2, 1);
    g->AddArc(2, 3, 1);
    g->AddArc(3, 4, 1);
    Ford(1, 4);
    EXPECT_EQ(result.route, (V{1, 2, 3, 4}));
    EXPECT_EQ(result.resultValue, 3);
    EXPECT_EQ(Lines().mid(3), QStringList({"1 |  0   0   0   0", "2 |  1   1   1   1", "3 |  x   2   2   2",
                                           "4 | 10  10   3   3"}));

    // Two arcs improving 4 in the same pass: the smaller candidate is kept, whatever the order.
    g = MakeGraf(true, true, 4);
    g->AddArc(1, 2, 1);
    g->AddArc(1, 3, 1);
    g->AddArc(2, 4, 7);
    g->AddArc(3, 4, 2);
    Ford(1, 4);
    EXPECT_EQ(Lines().last(), "4 |  x   3   3   3");
    EXPECT_EQ(result.route, (V{1, 3, 4}));
}

namespace {
// Every line of a table as long as the header, its bars where the header has them and its
// values ending where the header's titles end.
void ExpectColumnsLineUp(const QStringList& table)
{
    ASSERT_GE(table.size(), 2);
    const QString& header = table.front();
    for (const QString& line : table.mid(1)) {
        EXPECT_EQ(line.size(), header.size()) << line.toStdString();
        EXPECT_EQ(line.indexOf(u'|'), header.indexOf(u'|')) << line.toStdString();
        for (qsizetype i = header.indexOf(u'|') + 1; i < header.size(); ++i)
            if (header[i] == u'|') {
                EXPECT_EQ(line[i], u' ') << line.toStdString();
            }
    }
}
} // namespace

TEST_F(TablePaths, WideNamesAndNumbersWidenTheirCells)
{
    Build(false, {"0,1000,0", "1000,0,7", "0,7,0"});
    g->Naming().SetNumbers(9);
    Floyd(3, 1);
    EXPECT_EQ(result.route, (V{3, 2, 1}));
    EXPECT_EQ(Lines().mid(1), QStringList({Translate("Graf__") + "9 " + Translate("reach") + "11" +
                                               Translate("Length_trace") + "1007.",
                                           "   |    9|   10|   11", "9  |    0  1000  1007",
                                           "10 | 1000     0     7", "11 | 1007     7     0"}));
    ExpectColumnsLineUp(Lines().mid(2));
    Ford(3, 1);
    EXPECT_EQ(Lines().mid(2), QStringList({"__|    1|    2|    3", "9 |    x  1007  1007",
                                           "10|    7     7     7", "11|    0     0     0"}));
    ExpectColumnsLineUp(Lines().mid(2));
}

TEST_F(TablePaths, DispatcherRunsBothAndRefusesUnweighted)
{
    Build(false, {"0,2,0", "2,0,3", "0,3,0"});
    AlgorithmRun run;
    const int redraws = host.redraws;
    RunAlgorithm(*g, host, host.panes, "FindTraceFloid", 1, 3, &run);
    EXPECT_TRUE(run.ran);
    EXPECT_EQ(run.result.resultValue, 5);
    EXPECT_EQ(g->Arc(2, 3).Marker, 1);
    EXPECT_EQ(host.redraws, redraws + 1);
    RunAlgorithm(*g, host, host.panes, "FindTraceFordBellama", 3, 1, &run, {.recordSteps = true});
    EXPECT_EQ(run.result.route, (V{3, 2, 1}));
    // Pass 1 reaches 2, pass 2 reaches 1, pass 3 changes nothing.
    ASSERT_EQ(run.result.steps.FrameCount(), 5);
    EXPECT_EQ(run.result.steps.NarrationOf(3).key, "step_ford_stable");
    g->ToUnweighted();
    RunAlgorithm(*g, host, host.panes, "FindTraceFloid", 1, 3, &run);
    RunAlgorithm(*g, host, host.panes, "FindTraceFordBellama", 1, 3, &run);
    EXPECT_EQ(host.MessageTexts(), QStringList({Translate("Not_load_graph"), Translate("Not_load_graph")}));
}

TEST_F(TablePaths, FloydFramesNameTheImprovedCells)
{
    Build(true, {"0,4,0", "0,0,5", "0,0,0"});
    result = FloydWarshallPath(*g, 1, 3, 3, true);
    const StepTrace& steps = result.steps;
    // The filled matrix, one frame per intermediate vertex, the path.
    ASSERT_EQ(steps.FrameCount(), 5);
    const StepTrace::Frame through2 = steps.FrameAt(2);
    EXPECT_EQ(through2.key, "step_floyd_through");
    EXPECT_EQ(through2.arguments[1].value, 1);
    EXPECT_EQ(through2.Arc(1, 3), StepTrace::ArcState::Chosen);
    EXPECT_EQ(steps.CaptionText(through2.captions[1].value), "→3=9");
    EXPECT_EQ(steps.FrameAt(3).Arc(1, 3), StepTrace::ArcState::None);
}

TEST_F(TablePaths, AgreeWithIgraphOnRandomGraphs)
{
    QRandomGenerator random(2024);
    for (int round = 0; round < 300; ++round) {
        const int n = int(random.bounded(2, 11));
        const bool directed = random.bounded(2) == 0;
        g = RandomGraf(random, n, directed, true, int(random.bounded(10, 60)));
        const auto oracle = IgraphDistances(*g, true);
        const std::vector<int> d = AllPairsDistances(*g, n);
        for (int a = 1; a <= n; ++a)
            for (int b = 1; b <= n; ++b) {
                const int got = d[std::size_t(a) * (n + 1) + b];
                ASSERT_EQ(got == GraphDocument::Infinity ? -1 : got, oracle[a][b])
                    << round << ' ' << a << ' ' << b;
            }
        const int start = int(random.bounded(1, n + 1));
        int finish = int(random.bounded(1, n));
        finish += finish >= start ? 1 : 0;
        const AlgorithmResult dijkstra = DijkstraShortestPath(*g, start, finish, n);
        const AlgorithmResult ford = BellmanFordPath(*g, start, finish, n);
        const AlgorithmResult floyd = FloydWarshallPath(*g, start, finish, n);
        for (const AlgorithmResult* r : {&dijkstra, &ford, &floyd}) {
            if (oracle[start][finish] < 0) {
                EXPECT_EQ(r->resultCount, -1);
                continue;
            }
            ASSERT_EQ(r->resultValue, oracle[start][finish]);
            ASSERT_EQ(r->resultCount, int(r->route.size()));
            EXPECT_EQ(r->route.front(), start);
            EXPECT_EQ(r->route.back(), finish);
            long length = 0;
            for (size_t k = 1; k < r->route.size(); ++k) {
                ASSERT_TRUE(g->HasArc(r->route[k - 1], r->route[k]));
                length += g->Arc(r->route[k - 1], r->route[k]).Weight;
            }
            EXPECT_EQ(length, r->resultValue);
        }
        // Floyd–Warshall's printed matrix, whether or not the finish was reached.
        const QList<QStringList> floydRows = TableRows(floyd);
        ASSERT_EQ(floydRows.size(), n + 1);
        for (int a = 1; a <= n; ++a)
            for (int b = 1; b <= n; ++b)
                ASSERT_EQ(floydRows[a][b].trimmed(),
                          oracle[a][b] < 0 ? QString("x") : QString::number(oracle[a][b]));
        if (oracle[start][finish] < 0)
            continue;
        // Dijkstra's distance table from the start.
        const QList<QStringList> dijkstraRows = TableRows(dijkstra);
        ASSERT_EQ(dijkstraRows.size(), 2);
        for (int v = 1; v <= n; ++v)
            EXPECT_EQ(dijkstraRows[1][v - 1].trimmed(),
                      oracle[start][v] < 0 ? QString("x") : QString::number(oracle[start][v]));
        // Ford–Bellman's table: estimates never rise from pass to pass and end at the distances.
        const QList<QStringList> fordRows = TableRows(ford);
        ASSERT_EQ(fordRows.size(), n + 1);
        for (int v = 1; v <= n; ++v) {
            long previous = GraphDocument::Infinity;
            for (int c = 1; c <= n; ++c) {
                const QString cell = fordRows[v][c].trimmed();
                const long value = cell == "x" ? GraphDocument::Infinity : cell.toLong();
                EXPECT_LE(value, previous);
                previous = value;
            }
            EXPECT_EQ(previous == GraphDocument::Infinity ? -1 : previous, oracle[start][v]);
        }
    }
}

TEST_F(TablePaths, VerdictsJoinedFromTextsReadWithSingleBlanksInEitherLanguage)
{
    // 1 -> 2 -> 3 with 4 cut off: each search both reaches and misses, and the eccentricity of 1
    // is finite on the undirected copy.
    Build(true, {"0,4,0,0", "0,0,5,0", "0,0,0,0", "0,0,0,0"});
    auto undirected = MakeGraf(false, false);
    ASSERT_TRUE(MatrixText::ApplyTextMatrix(*undirected, host, {"0,1,0", "1,0,1", "0,1,0"}));
    const auto verdicts = [&] {
        QStringList lines;
        for (int finish : {3, 4}) {
            for (const AlgorithmResult& run :
                 {DijkstraShortestPath(*g, 1, finish, 4), FloydWarshallPath(*g, 1, finish, 4),
                  BellmanFordPath(*g, 1, finish, 4), WaveFrontPath(*g, 1, finish, 4),
                  TarryPath(*g, 1, finish, 4)})
                lines += run.PaneLines().mid(0, 2);
        }
        lines += Eccentricity(*undirected, 1).PaneLines();
        return lines;
    };
    const auto check = [](const QStringList& lines) {
        EXPECT_EQ(lines.size(), 21);
        for (const QString& line : lines) {
            SCOPED_TRACE(line.toStdString());
            EXPECT_EQ(line, line.trimmed());
            for (const char* fault : {"  ", " .", " ,", " :", " )", "( "})
                EXPECT_FALSE(line.contains(QLatin1String(fault))) << fault;
        }
    };
    check(verdicts());

    ProgramPaths::SetLanguageFolderOverride(QStringLiteral(NODELOOM_SOURCE_DIR "/local"));
    TranslateManager().LoadLanguage(QStringLiteral("grafEnglish.lang"));
    ASSERT_EQ(TranslateManager().LanguageTitle(), QStringLiteral("English"));
    check(verdicts());
    TranslateManager().UseBuiltIn();
    ProgramPaths::SetLanguageFolderOverride(QString());
}
