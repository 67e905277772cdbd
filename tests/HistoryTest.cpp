#include "GraphFixtures.h"
#include "ScriptedHost.h"
#include "commands/GraphSession.h"
#include "document/HistoryManager.h"

#include <gtest/gtest.h>

namespace {
struct Session {
    ScriptedHost host;
    GraphSession session{host};
    TAllGraf& g;
    Session() : g(session.CreateDocument()) { g.NewGraf(false, false); }
    void Edit(int x) { session.AddVertexAt(x, 20); }
};
} // namespace

TEST(History, NothingToUndoBeforeTheFirstEdit)
{
    Session s;
    EXPECT_FALSE(s.session.History().CanUndo());
    EXPECT_FALSE(s.session.History().CanRedo());
    s.session.Undo();
    EXPECT_EQ(s.g.PointCount, 0);
}

TEST(History, SixEditsAllowFourUndoSteps)
{
    Session s;
    for (int i = 1; i <= 6; ++i)
        s.Edit(30 * i);
    int steps = 0;
    while (s.session.History().CanUndo()) {
        s.session.Undo();
        ++steps;
    }
    EXPECT_EQ(steps, 4);
    EXPECT_EQ(s.g.PointCount, 2); // the state after the second edit
}

TEST(History, UndoRedoAndTheRedoTail)
{
    Session s;
    s.Edit(10); // records S0 (empty)
    s.Edit(40); // records S1 (one vertex)
    s.session.Undo();
    EXPECT_EQ(s.g.PointCount, 1);
    s.session.Undo();
    EXPECT_EQ(s.g.PointCount, 0);
    EXPECT_TRUE(s.session.History().CanRedo());
    s.session.Redo();
    EXPECT_EQ(s.g.PointCount, 1);
    s.Edit(70); // drops the redo tail; the recorded state equals the last kept one
    EXPECT_FALSE(s.session.History().CanRedo());
    EXPECT_EQ(s.session.History().Count(), 2);
    s.session.Undo();
    EXPECT_EQ(s.g.PointCount, 1);
}

TEST(History, UnchangedRecordingsAddOneState)
{
    Session s;
    s.session.RecordState();
    s.session.RecordState();
    EXPECT_EQ(s.session.History().Count(), 1);
    s.g.Dugi[5][6].Cost = 3; // any recorded part makes a difference
    s.session.RecordState();
    EXPECT_EQ(s.session.History().Count(), 2);
}

TEST(History, RestoreMarksExactlyTheRestoredNamesUsed)
{
    Session s;
    s.Edit(10);
    s.Edit(40);
    s.Edit(70);
    s.session.RecordState();
    s.g.DeletePoint(2);
    s.session.Undo();
    ASSERT_EQ(s.g.PointCount, 3);
    s.Edit(100);
    EXPECT_EQ(s.g.Points[4].TitleNumber, 4);
    EXPECT_EQ(s.g.PointTitle(4), "4");
}

TEST(History, SnapshotEqualityCoversNamingLabelsAndStylesButNotArcStyles)
{
    auto g = MakeGraf(false, false, 2);
    const auto base = CHistoryManager::TakeSnapshot(*g);
    g->NormalDugaStyle.PenColor = 0xABCDEF;
    g->ScrollX = 50;
    EXPECT_EQ(*base, *CHistoryManager::TakeSnapshot(*g));
    g->NormalLabelStyle.Face = "Serif";
    EXPECT_FALSE(*base == *CHistoryManager::TakeSnapshot(*g));
    g->NormalLabelStyle = base->Recorded.NormalLabelStyle;
    g->AddLabel("x", 1, 1);
    EXPECT_FALSE(*base == *CHistoryManager::TakeSnapshot(*g));
    g->DeleteAllLabels();
    g->Naming().SetNumbers(7);
    EXPECT_FALSE(*base == *CHistoryManager::TakeSnapshot(*g));
}

TEST(History, UndoAfterNewGraphBringsThePreviousGraphIntoTheNewDocument)
{
    Session s;
    s.Edit(10);
    s.Edit(40);
    s.session.RecordState(); // the new-graph command records before its dialog
    TAllGraf& fresh = s.session.CreateDocument();
    fresh.NewGraf(true, true);
    s.session.Undo();
    EXPECT_EQ(fresh.PointCount, 2);
    EXPECT_EQ(fresh.IsOrint, 0);
}
