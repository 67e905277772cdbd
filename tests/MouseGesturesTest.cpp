#include "commands/MouseGestures.h"
#include "ScriptedHost.h"
#include "base/TranslationManager.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// The window's part of the gestures without a window: scroll bars that clamp like the real
// ones, a text mode flag and a record of the popups opened.
struct FakeView : GestureView {
    GraphDocument* graf = nullptr;
    const ProgramHost* host = nullptr;
    int h = 0, v = 0;
    bool text = false;
    QStringList popups;
    int draws = 0;

    int HorizontalPosition() const override { return h; }
    int VerticalPosition() const override { return v; }
    int MaxX() const { return std::max(0, graf->ExtentWidth - host->DrawingAreaWidth()); }
    int MaxY() const { return std::max(0, graf->ExtentHeight - host->DrawingAreaHeight()); }
    void ScrollToX(int p) override { h = std::clamp(p, 0, MaxX()); }
    void ScrollToY(int p) override { v = std::clamp(p, 0, MaxY()); }
    void UpdateScrollBars() override {}
    bool TextMode() const override { return text; }
    void LeaveTextMode() override { text = false; }
    void OpenVertexPopup() override { popups.append(QStringLiteral("vertex")); }
    void OpenFreeSpacePopup() override { popups.append(QStringLiteral("free")); }
    void DrawDocument(QImage&) override { ++draws; }
};

struct Gestures : ::testing::Test {
    ScriptedHost host;
    GraphSession session{host};
    FakeView view;
    QImage surface;
    GraphDocument* g = nullptr;

    // Vertices at (100, 100), (300, 100), (100, 300).
    void Create(bool directed, bool weighted)
    {
        g = &session.CreateDocument();
        g->StartNewGraph(directed, weighted);
        view.graf = g;
        view.host = &host;
        for (QPoint p : {QPoint(100, 100), QPoint(300, 100), QPoint(100, 300)})
            g->AddVertex(p.x(), p.y(), QString(), g->FreeNameNumber(), g->VertexSize);
    }
    bool Act(int x, int y, Gesture gesture) { return MouseAction(session, view, x, y, surface, gesture); }
    int HistoryCount() { return session.History().Count(); }
};

} // namespace

TEST_F(Gestures, PressOnAVertexSelectsItAndADragMovesItsCentreAsOneUndoStep)
{
    Create(false, false);
    g->AddArc(1, 2, 1);
    g->ArcRef(1, 2).SetTextPoint(500, g->Arc(1, 2).Y()); // a bent arc
    g->ArcRef(2, 1).SetTextPoint(500, g->Arc(2, 1).Y());
    session.RecordState(); // an edit of its own before the drag
    g->AddArc(1, 3, 1);
    EXPECT_TRUE(Act(104, 97, Gesture::Press));
    EXPECT_EQ(g->ActiveVertex, 1);
    EXPECT_EQ(g->Vertices[1].Active, 1);
    EXPECT_TRUE(session.Gestures().Dragging);
    const int before = HistoryCount();

    EXPECT_TRUE(Act(150, 160, Gesture::Move));
    EXPECT_EQ(HistoryCount(), before + 1) << "the state before the drag, at its first step";
    EXPECT_TRUE(Act(160, 170, Gesture::Move));
    EXPECT_EQ(QPoint(g->Vertices[1].X, g->Vertices[1].Y), QPoint(160, 170)) << "no grab offset";
    EXPECT_EQ(g->Arc(1, 2).X(), (160 + 300) / 2) << "arcs at the vertex become straight";
    EXPECT_EQ(g->Arc(2, 1).X(), (160 + 300) / 2);
    EXPECT_EQ(HistoryCount(), before + 1) << "one step however long the drag";

    EXPECT_TRUE(Act(160, 170, Gesture::Release));
    EXPECT_EQ(HistoryCount(), before + 1);
    EXPECT_FALSE(session.Gestures().Dragging || session.Gestures().Panning || session.Gestures().Moved);
    Act(160, 170, Gesture::Release);
    EXPECT_EQ(HistoryCount(), before + 1) << "a release without a drag records nothing";

    // One undo puts the vertex back, and only the drag is undone.
    session.Undo();
    EXPECT_EQ(QPoint(g->Vertices[1].X, g->Vertices[1].Y), QPoint(100, 100));
    EXPECT_TRUE(g->HasArc(1, 3)) << "the arc added before the drag stays";
}

TEST_F(Gestures, PressOnEmptySpaceClearsSelectionAndHighlighting)
{
    Create(false, false);
    g->AddArc(1, 2, 1);
    g->MarkPath(std::vector<int>{1, 2});
    g->ActiveVertex = 3;
    EXPECT_TRUE(Act(500, 350, Gesture::Press));
    EXPECT_EQ(g->ActiveVertex, 0);
    EXPECT_EQ(g->Vertices[1].Active + g->Vertices[2].Active, 0);
    EXPECT_EQ(g->Arc(1, 2).Active, 0);
    EXPECT_FALSE(session.Gestures().Dragging);
    EXPECT_TRUE(session.Gestures().Panning);
    EXPECT_GT(view.draws, 0);
}

TEST_F(Gestures, VertexDragStopsAtTheLeftAndTopEdgeAndGrowsTheDrawingToTheRight)
{
    Create(false, false);
    Act(100, 100, Gesture::Press);
    Act(-40, 3, Gesture::Move);
    EXPECT_EQ(QPoint(g->Vertices[1].X, g->Vertices[1].Y), QPoint(g->VertexSize, g->VertexSize));

    Act(host.areaWidth + 50, 200, Gesture::Move);
    EXPECT_EQ(g->ExtentWidth, host.areaWidth + 50 + g->VertexSize);
    EXPECT_EQ(view.h, 4 * g->VertexSize) << "the view follows the vertex, a few vertex sizes at a time";
}

// With the mouse held beyond the edge, every move would scroll the view by the whole distance,
// and the next move would find the vertex as far out again: the view ran away. It follows by a
// few vertex sizes a move instead, and stays where it is while the mouse rests.
TEST_F(Gestures, DraggingPastTheEdgeScrollsAFewVertexSizesAMove)
{
    Create(false, false);
    g->ExtentWidth = 5000;
    g->ExtentHeight = 5000;
    const int step = 4 * g->VertexSize;
    Act(100, 100, Gesture::Press);
    // The pointer 300 pixels past the right edge of the area, the vertex under it.
    Act(view.h + host.areaWidth + 300, 100, Gesture::Move);
    EXPECT_EQ(view.h, step);
    EXPECT_EQ(g->Vertices[1].X, host.areaWidth + 300);
    // The same place on the screen, three more moves: the view creeps on, step by step.
    for (int k = 2; k <= 4; ++k) {
        Act(view.h + host.areaWidth + 300, 100, Gesture::Move);
        EXPECT_EQ(view.h, k * step);
    }
    // Back inside the area: the view stays.
    Act(view.h + host.areaWidth / 2, 100, Gesture::Move);
    EXPECT_EQ(view.h, 4 * step);
    Act(0, 0, Gesture::Release);
}

TEST_F(Gestures, DraggingEmptySpacePansAtTwiceTheMouseSpeed)
{
    Create(false, false);
    g->ExtentWidth = 2000;
    g->ExtentHeight = 2000;
    view.h = 300;
    view.v = 300;
    Act(400, 300, Gesture::Press);
    EXPECT_TRUE(Act(390, 320, Gesture::Move));
    EXPECT_EQ(view.h, 320) << "mouse left by 10: view right by 20";
    EXPECT_EQ(view.v, 260);
    EXPECT_EQ(QPoint(session.Gestures().PanX, session.Gestures().PanY), QPoint(390, 320));

    Act(390, 320, Gesture::Release);
    EXPECT_FALSE(Act(300, 300, Gesture::Move)) << "no button held: nothing happens";
    EXPECT_EQ(view.h, 320);
}

TEST_F(Gestures, ArcTextPointAndLabelDrag)
{
    Create(true, false);
    g->AddArc(1, 2, 1);
    Act(200, 100, Gesture::Press);
    ASSERT_EQ(QPoint(g->ActiveArcTail, g->ActiveArcHead), QPoint(1, 2));
    Act(200, 40, Gesture::Move);
    EXPECT_EQ(QPoint(g->Arc(1, 2).X(), g->Arc(1, 2).Y()), QPoint(200, 40));
    Act(200, 40, Gesture::Release);

    g->AddLabel(QStringLiteral("note"), 400, 300);
    const LabelRecord& label = g->Labels[1];
    Act(label.X + 2, label.Y + 3, Gesture::Press);
    ASSERT_EQ(g->ActiveLabel, 1);
    Act(label.X + 12, label.Y + 23, Gesture::Move);
    EXPECT_EQ(QPoint(g->Labels[1].X, g->Labels[1].Y), QPoint(410, 320)) << "the grab offset is kept";
}

TEST_F(Gestures, ConnectAsksForTheWeightAndRefusesBadAnswers)
{
    Create(false, true);
    Act(100, 100, Gesture::Press);
    struct Case {
        ScriptedHost::Input input;
        const char* message;
    };
    const Case refused[] = {{{true, QStringLiteral("abc")}, "Uncorrect_number"},
                            {{true, QStringLiteral("0")}, "Load_must_be"},
                            {{true, QStringLiteral("50001")}, "Load_must_be"},
                            {{false, QString()}, "Uncorrect_number"}};
    for (const Case& c : refused) {
        host.messages.clear();
        host.inputs = {c.input};
        EXPECT_FALSE(Act(300, 100, Gesture::Connect));
        EXPECT_EQ(host.MessageTexts(), QStringList{Translate(QLatin1String(c.message))})
            << c.input.text.toStdString();
        EXPECT_FALSE(g->HasArc(1, 2));
    }
    const int before = HistoryCount();
    host.inputs = {{true, QStringLiteral(" 42 ")}};
    EXPECT_TRUE(Act(300, 100, Gesture::Connect));
    EXPECT_EQ(g->Arc(1, 2).Weight, 42);
    EXPECT_EQ(g->Arc(2, 1).Weight, 42) << "an undirected graph gets both directions";
    EXPECT_EQ(HistoryCount(), before + 1);
    EXPECT_EQ(g->ActiveVertex, 1) << "stays selected for the next arc";
    host.inputs = {{true, QStringLiteral("50000")}};
    EXPECT_TRUE(Act(100, 300, Gesture::Connect));
    EXPECT_EQ(g->Arc(1, 3).Weight, 50000);
}

TEST_F(Gestures, ConnectWithoutTwoDistinctVerticesAddsNothing)
{
    Create(true, false);
    g->ActiveVertex = 0;
    EXPECT_TRUE(Act(300, 100, Gesture::Connect)) << "still redraws";
    g->ActiveVertex = 2;
    EXPECT_TRUE(Act(300, 100, Gesture::Connect));
    EXPECT_TRUE(Act(500, 500, Gesture::Connect));
    EXPECT_EQ(g->OutCount(1) + g->OutCount(2) + g->OutCount(3), 0);
    EXPECT_TRUE(host.prompts.isEmpty());
    EXPECT_EQ(host.matrixRefreshes, 3);

    g->ActiveVertex = 1;
    EXPECT_TRUE(Act(300, 100, Gesture::Connect));
    EXPECT_EQ(g->Arc(1, 2).Weight, 1) << "unweighted: weight 1 without a question";
    EXPECT_FALSE(g->HasArc(2, 1));
    EXPECT_TRUE(host.prompts.isEmpty());
}

TEST_F(Gestures, MapModeArcsGetTheScaledDistanceWithoutAQuestion)
{
    Create(true, true);
    g->MapMode = 1;
    g->ZoomMap = 20;
    g->ActiveVertex = 1;
    EXPECT_TRUE(Act(300, 100, Gesture::Connect));
    EXPECT_EQ(g->Arc(1, 2).Weight, 400) << "200 pixels at 20 units per 10 pixels";
    g->ZoomMap = 0;
    EXPECT_TRUE(Act(100, 300, Gesture::Connect));
    EXPECT_EQ(g->Arc(1, 3).Weight, 1);
    EXPECT_TRUE(host.prompts.isEmpty());
}

TEST_F(Gestures, ContextOpensTheVertexPopupOnlyForAnotherVertex)
{
    Create(false, false);
    g->ActiveVertex = 1;
    EXPECT_TRUE(Act(300, 100, Gesture::Context));
    EXPECT_EQ(g->TargetVertex, 2);
    EXPECT_TRUE(Act(100, 100, Gesture::Context));
    EXPECT_FALSE(Act(500, 500, Gesture::Context));
    EXPECT_EQ(g->TargetVertex, -1);
    g->ActiveVertex = 0;
    EXPECT_FALSE(Act(300, 100, Gesture::Context));
    EXPECT_EQ(view.popups, (QStringList{"vertex", "free", "free"}));
}

TEST_F(Gestures, DeleteWithNothingSelectedChangesNothingButRefreshes)
{
    Create(false, false);
    g->ActiveVertex = g->ActiveArcTail = g->ActiveArcHead = g->ActiveLabel = 0;
    const int before = HistoryCount();
    EXPECT_TRUE(Act(0, 0, Gesture::Delete));
    EXPECT_EQ(g->VertexCount, 3);
    EXPECT_EQ(HistoryCount(), before);
    EXPECT_EQ(host.matrixRefreshes, 1);

    g->ActiveVertex = 2;
    Act(0, 0, Gesture::Delete);
    EXPECT_EQ(g->VertexCount, 2);
    EXPECT_EQ(g->ActiveVertex, 0);
    EXPECT_EQ(HistoryCount(), before + 1);
}

TEST_F(Gestures, TextModePlacesALabelOnlyForANonEmptyText)
{
    Create(false, false);
    view.text = true;
    host.inputs = {{true, QString()}};
    EXPECT_TRUE(Act(50, 60, Gesture::Press));
    EXPECT_EQ(g->LabelCount, 0);
    EXPECT_TRUE(view.text) << "an empty text keeps text mode on";

    host.inputs = {{false, QStringLiteral("ignored")}};
    EXPECT_FALSE(Act(50, 60, Gesture::Press));
    EXPECT_EQ(g->LabelCount, 0);

    view.h = 10;
    host.inputs = {{true, QStringLiteral("Start")}};
    EXPECT_TRUE(Act(50, 60, Gesture::Press));
    ASSERT_EQ(g->LabelCount, 1);
    EXPECT_EQ(QPoint(g->Labels[1].X, g->Labels[1].Y), QPoint(60, 60));
    EXPECT_FALSE(view.text);
}

TEST_F(Gestures, NothingHappensWithoutADocument)
{
    EXPECT_FALSE(Act(10, 10, Gesture::Press));
    EXPECT_FALSE(Act(10, 10, Gesture::Delete));
    EXPECT_EQ(view.draws, 0);
}
