#pragma once

#include "document/GraphDocument.h"
#include "document/GraphSnapshot.h"

#include <memory>
#include <vector>

// One recorded state: exactly the parts of the document that undo brings back.
class HistoryState {
  public:
    GraphSnapshot Recorded;
    // The naming scheme lives outside the document; its state is recorded beside it.
    VertexNaming Naming;
    // Which graph this is, so that undo brings back its file name and unsaved mark too: the
    // file it was opened from or saved to (empty for a new, generated or imported graph) and,
    // for a graph without a file, the state it was created in (none: never saved). Not
    // compared: the same graph from another file is no new step.
    QString OriginFile;
    std::shared_ptr<const HistoryState> OriginBaseline;

    bool operator==(const HistoryState& other) const
    {
        return Recorded == other.Recorded && Naming.SameAs(other.Naming);
    }

    // The recorded parts unpacked, for comparing them field by field; unpacked once and kept.
    const Graph& Unpacked() const;

  private:
    mutable std::shared_ptr<const Graph> unpacked;
};

// The recorded states, oldest first; at most UndoSteps() steps can be undone.
class UndoHistory {
  public:
    static constexpr int DefaultUndoSteps = 100;
    static constexpr int MaxUndoSteps = 1000;

    bool CanUndo() const { return Current > 0; }
    bool CanRedo() const { return Current < int(States.size()) - 1; }
    void Record(std::unique_ptr<HistoryState> state);
    void RecordCurrent(std::unique_ptr<HistoryState> state);
    const HistoryState* StepBack();
    const HistoryState* StepForward();

    static std::unique_ptr<HistoryState> TakeSnapshot(const GraphDocument& graf);
    // Copies a state into the document; the caller refreshes the matrix window and redraws.
    static void Restore(GraphDocument& graf, const HistoryState& state);

    int UndoSteps() const { return Capacity() - 1; }
    // Between 1 and MaxUndoSteps; a smaller depth forgets the oldest states at once.
    void SetUndoSteps(int steps);
    // States kept at most: one more than the steps, the state the steps lead back from.
    int Capacity() const { return capacity; }

    int Count() const { return int(States.size()); }
    int CurrentIndex() const { return Current; }
    // The memory the recorded states hold, pieces shared between them counted once.
    std::size_t MemoryBytes() const;

  private:
    void Append(std::unique_ptr<HistoryState> state);

    std::vector<std::unique_ptr<HistoryState>> States;
    int Current = -1;
    int capacity = DefaultUndoSteps + 1;
};
