#pragma once

#include "document/AllGrafUnit.h"

#include <memory>
#include <vector>

// One recorded state: exactly the parts of the document that undo brings back.
class CStateDump {
  public:
    TRecordedGraf Recorded;
    // The naming scheme lives outside the document; its state is recorded beside it.
    CTitleGraf TitleGraf;
    // Which graph this is, so that undo brings back its file name and unsaved mark too: the
    // file it was opened from or saved to (empty for a new, generated or imported graph) and,
    // for a graph without a file, the state it was created in (none: never saved). Not
    // compared: the same graph from another file is no new step.
    QString OriginFile;
    std::shared_ptr<const CStateDump> OriginBaseline;

    bool operator==(const CStateDump& other) const
    {
        return Recorded == other.Recorded && TitleGraf.SameAs(other.TitleGraf);
    }
};

// A short list of recorded states; at most Capacity - 1 steps can be undone.
class CHistoryManager {
  public:
    static constexpr int Capacity = 5;

    bool CanUndo() const { return Current > 0; }
    bool CanRedo() const { return Current < int(States.size()) - 1; }
    void Record(std::unique_ptr<CStateDump> state);
    void RecordCurrent(std::unique_ptr<CStateDump> state);
    const CStateDump* StepBack();
    const CStateDump* StepForward();

    static std::unique_ptr<CStateDump> TakeSnapshot(const TAllGraf& graf);
    // Copies a state into the document; the caller refreshes the matrix window and redraws.
    static void Restore(TAllGraf& graf, const CStateDump& state);

    int Count() const { return int(States.size()); }
    int CurrentIndex() const { return Current; }

  private:
    void Append(std::unique_ptr<CStateDump> state);

    std::vector<std::unique_ptr<CStateDump>> States;
    int Current = -1;
};
