#include "ScriptedHost.h"
#include "commands/GraphSession.h"
#include "document/UndoHistory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

// Random sequences of edits, undo and redo on random graphs, checked against a small model of
// the history written apart from it: a list of at most Capacity states, the position the
// document shows, truncation of the redo tail on a new edit and no repeated states.
namespace {

using State = std::shared_ptr<const HistoryState>;

State Snapshot(const GraphDocument& g)
{
    return UndoHistory::TakeSnapshot(g);
}

class ModelHistory {
  public:
    int capacity = UndoHistory::DefaultUndoSteps + 1;
    std::vector<State> states;
    int current = -1; // states.size() when the document is newer than every kept state

    int Size() const { return int(states.size()); }
    bool CanUndo() const { return current > 0; }
    bool CanRedo() const { return current < Size() - 1; }

    void Record(const State& s)
    {
        if (current >= 0 && current < Size() - 1)
            states.resize(current + 1);
        Keep(s);
        current = Size();
    }
    // The state the document shows after undo, or null when nothing changes.
    State Undo(const State& now)
    {
        if (!CanRedo()) {
            Keep(now);
            current = Size() - 1;
        }
        return CanUndo() ? states[--current] : nullptr;
    }
    State Redo() { return CanRedo() ? states[++current] : nullptr; }

  private:
    void Keep(const State& s)
    {
        if (!states.empty() && *states.back() == *s)
            return;
        if (Size() == capacity)
            states.erase(states.begin());
        states.push_back(s);
    }
};

// One history for the whole walk, as in the program: every sequence starts like the
// new-graph command, recording the state and then building a random graph.
class HistoryWalk {
  public:
    HistoryWalk(unsigned seed, int undoSteps) : rng(seed)
    {
        session.CreateDocument().StartNewGraph(false, false);
        session.History().SetUndoSteps(undoSteps);
        model.capacity = undoSteps + 1;
    }

    int undos = 0, redos = 0, fullHistories = 0;

    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

    void NewRandomGraph()
    {
        Record();
        GraphDocument& g = G();
        g.StartNewGraph(Chance(2), Chance(2));
        const int n = Pick(0, 7);
        for (int i = 0; i < n; ++i)
            g.AddVertex(Pick(0, 500), Pick(0, 400), QString(), g.FreeNameNumber(), g.VertexSize);
        for (int i = Pick(0, 2 * n); i > 0 && n > 1; --i)
            g.AddArc(Pick(1, n), Pick(1, n), Pick(1, 20));
    }

    void Play(int steps)
    {
        for (int i = 0; i < steps && !::testing::Test::HasFatalFailure(); ++i) {
            const int op = Pick(0, 9);
            if (op < 5)
                Edit();
            else if (op < 8)
                Undo();
            else
                Redo();
            if (!::testing::Test::HasFatalFailure())
                CheckInvariants();
        }
    }

  private:
    std::mt19937 rng;
    ScriptedHost host;
    GraphSession session{host};
    ModelHistory model;
    // The states left by successful undos not yet redone: redo must give back the top one.
    std::vector<State> undone;

    GraphDocument& G() { return *session.Document(); }
    bool Chance(int oneIn) { return Pick(1, oneIn) == 1; }
    int AnyVertex() { return Pick(0, G().VertexCount + 1); } // out of range at times on purpose

    // The document's state. While the model's position lies inside its list, the document
    // shows that state (checked after every undo and redo), so no copy is needed.
    State Now()
    {
        if (model.current >= 0 && model.current < model.Size())
            return model.states[model.current];
        return Snapshot(G());
    }
    bool Shows(const State& s)
    {
        return static_cast<const Graph&>(G()) == *s->Recorded.Unpacked() && G().Naming().SameAs(s->Naming);
    }

    void Record()
    {
        model.Record(Now());
        undone.clear();
        session.RecordState();
    }

    // One editing command: record the state, then change (or, like a cancelled dialog, not).
    void Edit()
    {
        GraphDocument& g = G();
        const int kind = Pick(0, 11);
        if (kind == 0) {
            model.Record(Now());
            undone.clear();
            session.AddVertexAt(Pick(0, 500), Pick(0, 400)); // records by itself
            return;
        }
        Record();
        switch (kind) {
        case 1:
            g.DeleteVertex(AnyVertex());
            break;
        case 2:
            g.AddArc(AnyVertex(), AnyVertex(), Pick(1, 50));
            break;
        case 3:
            g.DeleteArc(AnyVertex(), AnyVertex());
            break;
        case 4:
            g.SetArcWeight(AnyVertex(), AnyVertex(), Pick(1, 50));
            break;
        case 5:
            g.AddLabel(QString::number(Pick(0, 99)), Pick(0, 300), Pick(0, 300));
            break;
        case 6:
            g.DeleteLabel(Pick(0, g.LabelCount));
            break;
        case 7:
            g.EditLabelText(Pick(1, g.LabelCount + 1), QStringLiteral("edited"));
            break;
        case 8:
            g.Directed ? (void)g.ToUndirected(host) : g.ToDirected();
            break;
        case 9:
            g.Weighted ? g.ToUnweighted() : g.ToWeighted();
            break;
        case 10:
            g.ActiveVertex = AnyVertex();
            break;
        default:
            break; // nothing changed: the recording must not add a state
        }
    }

    void Undo()
    {
        const State now = Now();
        const State expected = model.Undo(now);
        session.Undo();
        if (!expected) {
            ASSERT_TRUE(Shows(now)) << "an undo with nothing to undo changed the document";
            return;
        }
        ASSERT_TRUE(Shows(expected)) << "undo did not restore the recorded state";
        undone.push_back(now);
        ++undos;
    }

    void Redo()
    {
        const State now = Now();
        const State expected = model.Redo();
        session.Redo();
        if (!expected) {
            ASSERT_TRUE(undone.empty()) << "redo refused although an undo was not redone";
            ASSERT_TRUE(Shows(now)) << "a redo with nothing to redo changed the document";
            return;
        }
        ASSERT_TRUE(Shows(expected)) << "redo did not restore the recorded state";
        ASSERT_FALSE(undone.empty()) << "redo succeeded without an undo to take back";
        ASSERT_TRUE(Shows(undone.back())) << "redo after undo did not give the state back";
        undone.pop_back();
        ++redos;
    }

    void CheckInvariants()
    {
        const UndoHistory& h = session.History();
        ASSERT_LE(h.Count(), model.capacity);
        fullHistories += h.Count() == model.capacity;
        ASSERT_EQ(h.Count(), model.Size());
        ASSERT_EQ(h.CurrentIndex(), model.current);
        ASSERT_EQ(h.CanUndo(), model.CanUndo());
        ASSERT_EQ(h.CanRedo(), model.CanRedo());
        // A state packed and unpacked is the document, field for field: undo loses nothing.
        const GraphDocument& g = G();
        ASSERT_TRUE(*Snapshot(g)->Recorded.Unpacked() == static_cast<const Graph&>(g));
        // Every arc is found where its out-list holds it, and no other pair is an arc.
        ASSERT_EQ(int(g.AllOutLists().size()), g.VertexCount + 1);
        for (int a = 0; a <= g.VertexCount + 1; ++a)
            for (int b = 0; b <= g.VertexCount + 1; ++b) {
                const std::span<const int> heads = g.OutArcs(a);
                const auto listed = std::find(heads.begin(), heads.end(), b);
                ASSERT_EQ(g.ArcIndex(a, b), listed == heads.end() ? -1 : int(listed - heads.begin()))
                    << a << " -> " << b;
            }
        // The used names are exactly those of the vertices, or new vertices would share one.
        for (int k = 1; k <= GraphDocument::MaxVertices; ++k) {
            bool held = false;
            for (int v = 1; v <= g.VertexCount && !held; ++v)
                held = g.Vertices[v].NameNumber == k;
            ASSERT_EQ(bool(g.NameNumberUsed[k]), held) << "name number " << k;
        }
    }
};

// Fewer sequences under the sanitizers, where a snapshot costs several times as much.
int SequenceCount()
{
    const int scale = qEnvironmentVariableIntValue("NODELOOM_PROPERTY_SCALE");
    return scale > 0 ? 10000 / scale : 10000;
}

} // namespace

// The default depth, and a short one where the oldest states are dropped all the time.
class HistoryDepth : public ::testing::TestWithParam<int> {};

TEST_P(HistoryDepth, UndoAndRedoRestoreExactlyTheRecordedStates)
{
    HistoryWalk walk(20261207, GetParam());
    const int sequences = GetParam() == UndoHistory::DefaultUndoSteps ? SequenceCount() : SequenceCount() / 4;
    for (int s = 0; s < sequences && !HasFatalFailure(); ++s) {
        SCOPED_TRACE(::testing::Message() << "sequence " << s);
        walk.NewRandomGraph();
        walk.Play(walk.Pick(1, 8));
    }
    // The sequences must reach the interesting cases, not only edits: undo and redo that do
    // something, and a full history dropping its oldest state.
    EXPECT_GT(walk.undos, sequences / 2);
    EXPECT_GT(walk.redos, sequences / 8);
    EXPECT_GT(walk.fullHistories, sequences);
}

INSTANTIATE_TEST_SUITE_P(HistoryProperty, HistoryDepth, ::testing::Values(4, UndoHistory::DefaultUndoSteps));
