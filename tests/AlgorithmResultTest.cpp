#include "GraphFixtures.h"
#include "ScriptedHost.h"
#include "TestFolders.h"
#include "algorithms/RunAlgorithm.h"
#include "algorithms/ShortestPaths.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"
#include "drawing/Colors.h"
#include "drawing/StepPicture.h"
#include "files/MatrixText.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Presentation : ::testing::Test {
    QTemporaryDir dir;
    ScriptedHost host;
    std::unique_ptr<GraphDocument> g;

    void SetUp() override
    {
        ProgramPaths::SetProgramFolderOverride(dir.path());
        g = MakeGraf(false, false, 3);
        g->AddArc(1, 2, 1);
        g->AddArc(2, 3, 1);
    }
    void TearDown() override { ProgramPaths::SetProgramFolderOverride(TestProgramFolder()); }
    QString SavedReport() const
    {
        QFile file(host.panes.Report.GetFileName());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

AlgorithmResult HandMade()
{
    AlgorithmResult r;
    r.Clear();
    r.Heading("Title <1>");
    r.Line("first\nsecond");
    r.PaneLine("pane only");
    r.ReportLine("report only");
    r.ReportRaw("<i>raw</i>");
    r.Table({"| a |", "|  1|"}, {{"a"}, {"  1"}});
    r.ShowReport();
    r.Message("after the report");
    r.SetRoute({1, 2, 3});
    return r;
}

} // namespace

TEST_F(Presentation, WritesPanesAndReportInOrderThenHighlightsTheRoute)
{
    host.panes.Text.AddLine("old line");
    const AlgorithmResult r = HandMade();
    PresentResult(*g, host, host.panes, r, true);

    const QStringList lines{"Title <1>", "first", "second", "pane only", "| a |", "|  1|"};
    EXPECT_EQ(host.panes.Text.Lines(), lines);
    EXPECT_EQ(r.PaneLines(), lines);
    const QString report = "<b>Title &lt;1&gt;</b><br>first\nsecond<br>report only<br><i>raw</i>"
                           "<table border=1><tr><td>a</td></tr><tr><td>  1</td></tr></table>";
    EXPECT_EQ(host.panes.Report.GetContent(), report);
    EXPECT_EQ(SavedReport(), report + "\r\n");
    EXPECT_EQ(host.shownReport, host.panes.Report.GetFileName());
    EXPECT_EQ(host.MessageTexts(), QStringList{"after the report"});
    EXPECT_EQ(r.Messages(), QStringList{"after the report"});

    // The route: every vertex, each arc marked in the direction of travel, its twin unmarked.
    for (int v = 1; v <= 3; ++v)
        EXPECT_EQ(g->Vertices[v].Active, 1) << v;
    EXPECT_EQ(g->Arc(1, 2).Marker, 1);
    EXPECT_EQ(g->Arc(2, 3).Marker, 1);
    EXPECT_EQ(g->Arc(2, 1).Active, 1);
    EXPECT_EQ(g->Arc(2, 1).Marker, 0);
    EXPECT_EQ(host.redraws, 1);
}

TEST_F(Presentation, WithoutTheTailOrWhenRefusedNothingIsHighlightedOrRedrawn)
{
    PresentResult(*g, host, host.panes, HandMade(), false);
    EXPECT_EQ(g->Vertices[1].Active, 0);
    EXPECT_EQ(host.redraws, 0);

    AlgorithmResult refused;
    refused.Refuse("no");
    refused.SetRoute({1, 2});
    host.panes.Text.AddLine("kept");
    PresentResult(*g, host, host.panes, refused, true);
    EXPECT_EQ(host.MessageTexts().last(), "no");
    EXPECT_EQ(host.panes.Text.Lines().last(), "kept");
    EXPECT_EQ(g->Vertices[1].Active, 0);
    EXPECT_EQ(host.redraws, 0);
}

TEST_F(Presentation, AResultPictureFillsVerticesWithoutTouchingTheDocument)
{
    AlgorithmResult r;
    r.drawsPicture = true;
    r.picture.vertexFills = {-1, 0x0000FF, -1, 0xFF0000}; // vertex 1 red, 3 blue, 2 its own
    r.SetRoute({1, 2});
    PresentResult(*g, host, host.panes, r, true);
    ASSERT_EQ(host.presents, 1);
    EXPECT_EQ(host.redraws, 0) << "the picture replaces the tail";
    EXPECT_EQ(g->Vertices[1].Active, 0);
    const QImage& picture = host.presented;
    // Inside the circle, left of the name.
    auto centre = [this](int v) { return QPoint(g->Vertices[v].X - 7, g->Vertices[v].Y + 4); };
    EXPECT_EQ(picture.pixelColor(centre(1)), QColor(Qt::red));
    EXPECT_EQ(picture.pixelColor(centre(3)), QColor(Qt::blue));
    EXPECT_EQ(picture.pixelColor(centre(2)), QColor(Qt::white));
}

TEST(StepTraceTest, DijkstraRecordsTheWorkedExampleFrameByFrame)
{
    ScriptedHost host;
    TranslateManager().UseBuiltIn();
    auto g = MakeGraf(true, true);
    ASSERT_TRUE(MatrixText::ApplyTextMatrix(*g, host, {"0,4,0", "0,0,5", "0,0,0"}));
    const AlgorithmResult off = DijkstraShortestPath(*g, 1, 3, 3);
    EXPECT_EQ(off.steps.FrameCount(), 0) << "nothing is recorded unless asked";

    const AlgorithmResult r = DijkstraShortestPath(*g, 1, 3, 3, true);
    EXPECT_EQ(r.route, (std::vector<int>{1, 2, 3}));
    auto name = [&g](int v) { return g->VertexName(v); };
    QStringList narration;
    for (int i = 0; i < r.steps.FrameCount(); ++i)
        narration.append(StepTrace::Narration(r.steps.FrameAt(i), name));
    EXPECT_EQ(narration, QStringList({"Начинаем с вершины 1: расстояние до неё 0, до остальных ∞",
                                      "Дуга 1 → 2: путь через 1 короче, расстояние до 2 теперь 4",
                                      "Ближайшая незакреплённая вершина 2 закреплена с расстоянием 4",
                                      "Дуга 2 → 3: путь через 2 короче, расстояние до 3 теперь 9",
                                      "Ближайшая незакреплённая вершина 3 закреплена с расстоянием 9",
                                      "Кратчайший путь до вершины 3 найден, его длина 9"}));

    using VS = StepTrace::VertexState;
    using AS = StepTrace::ArcState;
    const StepTrace::Frame first = r.steps.FrameAt(0);
    EXPECT_EQ(first.vertices[1], VS::Current);
    EXPECT_EQ(first.vertices[2], VS::None);
    EXPECT_EQ(r.steps.CaptionString(first.captions[1]), "0");
    EXPECT_EQ(r.steps.CaptionString(first.captions[3]), "∞");

    const StepTrace::Frame last = r.steps.FrameAt(r.steps.FrameCount() - 1);
    EXPECT_EQ(last.vertices[1], VS::Finished);
    EXPECT_EQ(last.vertices[2], VS::Finished);
    EXPECT_EQ(last.vertices[3], VS::Finished);
    EXPECT_EQ(last.Arc(1, 2), AS::Chosen);
    EXPECT_EQ(last.Arc(2, 3), AS::Chosen);
    EXPECT_EQ(last.Arc(3, 2), AS::None);
    EXPECT_EQ(r.steps.CaptionString(last.captions[2]), "4");
    EXPECT_EQ(r.steps.CaptionString(last.captions[3]), "9");
}

TEST(StepTraceTest, ALongerPathReplacesACaptionAndRejectsTheOldArc)
{
    ScriptedHost host;
    auto g = MakeGraf(true, true);
    // 1→3 costs 10 at first sight, then 1→2→3 costs 3: the arc 1→3 is dropped.
    ASSERT_TRUE(MatrixText::ApplyTextMatrix(*g, host, {"0,1,10", "0,0,2", "0,0,0"}));
    const AlgorithmResult r = DijkstraShortestPath(*g, 1, 3, 3, true);
    const StepTrace::Frame last = r.steps.FrameAt(r.steps.FrameCount() - 1);
    EXPECT_EQ(last.Arc(1, 3), StepTrace::ArcState::Rejected);
    EXPECT_EQ(last.Arc(2, 3), StepTrace::ArcState::Chosen);
    EXPECT_EQ(r.steps.CaptionString(last.captions[3]), "3");
}

TEST(StepTraceTest, ACappedTraceEndsWithTheCutNotice)
{
    StepTrace trace;
    trace.Start(4, 3);
    for (int i = 1; i <= 10; ++i) {
        trace.SetVertex(1 + i % 4, StepTrace::VertexState::Visited);
        trace.Step("step_dijkstra_fix", {StepTrace::Argument::Vertex(1), StepTrace::Argument::Number(i)});
    }
    EXPECT_EQ(trace.FrameCount(), 3);
    EXPECT_TRUE(trace.Cut());
    EXPECT_FALSE(trace.Enabled()) << "nothing more is recorded once cut";
    EXPECT_EQ(trace.FrameAt(2).key, StepTrace::CutKey);
    EXPECT_EQ(trace.FrameAt(1).arguments.at(1).value, 2);
    // Vertex numbers outside the trace are ignored, not stored.
    StepTrace small;
    small.Start(2);
    small.SetVertex(7, StepTrace::VertexState::Current);
    small.Step("step_trace_cut");
    EXPECT_TRUE(small.ChangesOf(0).empty());
}

// A walk over an undirected edge marks the cell of its direction; crossed both ways, both cells
// are marked. The edge is still one line without arrowheads, in the stronger state.
TEST(StepPictureTest, AnUndirectedEdgeIsOneLineWithoutDirection)
{
    ScriptedHost host;
    auto g = MakeGraf(false, true, 0);
    g->AddVertex(40, 60, QString(), g->FreeNameNumber(), g->VertexSize);
    g->AddVertex(240, 60, QString(), g->FreeNameNumber(), g->VertexSize);
    g->AddArc(1, 2, 3);
    StepPicture step;
    step.vertices.assign(3, StepVertexState::None);
    step.arcs.assign(9, StepArcState::None);
    step.captions.assign(3, QString());
    auto render = [&](StepArcState there, StepArcState back) {
        step.arcs[1 * 3 + 2] = there;
        step.arcs[2 * 3 + 1] = back;
        return RenderStepPicture(*g, step, g->CanvasSize(host.DrawingArea()));
    };
    const QImage both = render(StepArcState::Chosen, StepArcState::Chosen);
    EXPECT_EQ(both, render(StepArcState::Chosen, StepArcState::None));
    EXPECT_EQ(both, render(StepArcState::None, StepArcState::Chosen));
    EXPECT_EQ(both, render(StepArcState::Examined, StepArcState::Chosen)) << "chosen wins";
    // Beside the line on either side of the weight, where a direction triangle's wings would be,
    // only the background.
    const QColor chosen = ColorFromInt(StepArcColor(StepArcState::Chosen));
    const ArcRecord& arc = g->Arc(1, 2);
    for (int dx : {-14, -10, 10, 14})
        for (int dy : {-3, 3})
            EXPECT_NE(both.pixelColor(arc.X() + dx, arc.Y() + dy), chosen) << dx << "," << dy;
    EXPECT_EQ(both.pixelColor(arc.X() - 40, arc.Y()), chosen) << "the line itself is drawn chosen";
}

TEST(StepPictureTest, StatesAndCaptionsAreDrawnWhereTheyBelong)
{
    ScriptedHost host; // a drawing area large enough for the captions
    auto g = MakeGraf(true, true, 2);
    g->AddArc(1, 2, 3);
    StepPicture step;
    step.vertices = {StepVertexState::None, StepVertexState::Finished, StepVertexState::None};
    step.arcs.assign(9, StepArcState::None);
    step.captions = {QString(), QString(), QStringLiteral("88")};
    const QImage picture = RenderStepPicture(*g, step, g->CanvasSize(host.DrawingArea()));
    ASSERT_FALSE(picture.isNull());
    const VertexRecord& first = g->Vertices[1];
    // Inside vertex 1, left of its name: the finished colour.
    EXPECT_EQ(picture.pixelColor(first.X - 6, first.Y),
              ColorFromInt(StepVertexFill(StepVertexState::Finished)));
    // Vertex 2 has no state: its own white fill; its caption box above and to the right holds dark text.
    const VertexRecord& second = g->Vertices[2];
    EXPECT_EQ(picture.pixelColor(second.X - 6, second.Y), QColor(Qt::white));
    bool dark = false;
    for (int x = second.X + second.Size; x < second.X + second.Size + 20; ++x)
        for (int y = second.Y - second.Size - 16; y < second.Y - second.Size; ++y)
            dark = dark || (x < picture.width() && y >= 0 && picture.pixelColor(x, y).lightness() < 80);
    EXPECT_TRUE(dark) << "the caption is written beside vertex 2";
}
