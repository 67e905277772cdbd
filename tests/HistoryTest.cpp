#include "GraphFixtures.h"
#include "ScriptedHost.h"
#include "commands/GraphSession.h"
#include "document/UndoHistory.h"

#include <gtest/gtest.h>

namespace {
struct Session {
    ScriptedHost host;
    GraphSession session{host};
    GraphDocument& g;
    Session() : g(session.CreateDocument()) { g.StartNewGraph(false, false); }
    void Edit(int x) { session.AddVertexAt(x, 20); }
};
} // namespace

TEST(History, NothingToUndoBeforeTheFirstEdit)
{
    Session s;
    EXPECT_FALSE(s.session.History().CanUndo());
    EXPECT_FALSE(s.session.History().CanRedo());
    s.session.Undo();
    EXPECT_EQ(s.g.VertexCount, 0);
}

// Two edits more than the depth: exactly the depth can be undone, back to the second edit.
TEST(History, TheUndoDepthIsTheSettingsNumberOfSteps)
{
    for (const int depth : {4, UndoHistory::DefaultUndoSteps}) {
        Session s;
        s.session.History().SetUndoSteps(depth);
        for (int i = 1; i <= depth + 2; ++i)
            s.Edit(3 * i);
        int steps = 0;
        while (s.session.History().CanUndo()) {
            s.session.Undo();
            ++steps;
        }
        EXPECT_EQ(steps, depth);
        EXPECT_EQ(s.g.VertexCount, 2) << depth;
        // Everything undone comes back, to the last edit.
        while (s.session.History().CanRedo())
            s.session.Redo();
        EXPECT_EQ(s.g.VertexCount, depth + 2);
    }
}

// Redone to the newest state of a full history, undo still goes back the whole depth: recording
// the state shown, already kept, must not push the oldest out.
TEST(History, UndoAfterRedoingToTheEndKeepsEveryStep)
{
    Session s;
    s.session.History().SetUndoSteps(2);
    for (int i = 1; i <= 3; ++i)
        s.Edit(3 * i);
    s.session.Undo();
    s.session.Redo();
    EXPECT_EQ(s.g.VertexCount, 3);
    s.session.Undo();
    s.session.Undo();
    EXPECT_EQ(s.g.VertexCount, 1);
    EXPECT_FALSE(s.session.History().CanUndo());
}

// A shorter depth set while states are kept forgets the oldest but keeps the state shown and,
// as far as it fits, the redo tail.
TEST(History, AShorterDepthKeepsTheStateShown)
{
    Session s;
    for (int i = 1; i <= 8; ++i)
        s.Edit(3 * i);
    s.session.Undo();
    s.session.Undo(); // shows 6 vertices; states for 0..8 vertices are kept
    s.session.History().SetUndoSteps(2);
    EXPECT_EQ(s.session.History().Count(), 3);
    EXPECT_EQ(s.g.VertexCount, 6);
    int steps = 0;
    while (s.session.History().CanUndo()) {
        s.session.Undo();
        ++steps;
    }
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(s.g.VertexCount, 4);
    s.session.Redo();
    s.session.Redo();
    EXPECT_EQ(s.g.VertexCount, 6);
    EXPECT_FALSE(s.session.History().CanRedo());
}

TEST(History, UndoRedoAndTheRedoTail)
{
    Session s;
    s.Edit(10); // records S0 (empty)
    s.Edit(40); // records S1 (one vertex)
    s.session.Undo();
    EXPECT_EQ(s.g.VertexCount, 1);
    s.session.Undo();
    EXPECT_EQ(s.g.VertexCount, 0);
    EXPECT_TRUE(s.session.History().CanRedo());
    s.session.Redo();
    EXPECT_EQ(s.g.VertexCount, 1);
    s.Edit(70); // drops the redo tail; the recorded state equals the last kept one
    EXPECT_FALSE(s.session.History().CanRedo());
    EXPECT_EQ(s.session.History().Count(), 2);
    s.session.Undo();
    EXPECT_EQ(s.g.VertexCount, 1);
}

TEST(History, UnchangedRecordingsAddOneState)
{
    Session s;
    s.session.RecordState();
    s.session.RecordState();
    EXPECT_EQ(s.session.History().Count(), 1);
    s.g.ZoomMap = 3; // any recorded part makes a difference
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
    s.g.DeleteVertex(2);
    s.session.Undo();
    ASSERT_EQ(s.g.VertexCount, 3);
    s.Edit(100);
    EXPECT_EQ(s.g.Vertices[4].NameNumber, 4);
    EXPECT_EQ(s.g.VertexName(4), "4");
}

TEST(History, SnapshotEqualityCoversNamingLabelsAndStylesButNotArcStyles)
{
    auto g = MakeGraf(false, false, 2);
    const auto base = UndoHistory::TakeSnapshot(*g);
    g->Style().NormalArc.PenColor = 0xABCDEF;
    EXPECT_EQ(*base, *UndoHistory::TakeSnapshot(*g));
    g->NormalLabelStyle.Face = "Serif";
    EXPECT_FALSE(*base == *UndoHistory::TakeSnapshot(*g));
    g->NormalLabelStyle = base->Unpacked().NormalLabelStyle;
    g->AddLabel("x", 1, 1);
    EXPECT_FALSE(*base == *UndoHistory::TakeSnapshot(*g));
    g->DeleteAllLabels();
    g->Naming().SetNumbers(7);
    EXPECT_FALSE(*base == *UndoHistory::TakeSnapshot(*g));
}

TEST(History, UndoAfterNewGraphBringsThePreviousGraphIntoTheNewDocument)
{
    Session s;
    s.Edit(10);
    s.Edit(40);
    s.session.RecordState(); // the new-graph command records before its dialog
    GraphDocument& fresh = s.session.CreateDocument();
    fresh.StartNewGraph(true, true);
    s.session.Undo();
    EXPECT_EQ(fresh.VertexCount, 2);
    EXPECT_FALSE(fresh.Directed);
}
