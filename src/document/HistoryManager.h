#pragma once

#include "document/AllGrafUnit.h"

#include <memory>
#include <vector>

// One recorded state: exactly the parts of the document that undo brings back.
class CStateDump {
  public:
    quint8 IsOrint = 0, IsHaveCost = 0;
    int PointCount = 0;
    TAllGraf::VertexArray<TPointRec> Points{};
    std::vector<TLabelRec> Labels; // labels 1..CountLabel
    int CountLabel = 0;
    TAllGraf::VertexMatrix<TDugaRec> Dugi{};
    int ActivePoint = 0, ActiveDugaFrom = 0, ActiveDugaTo = 0, TargetPoint = 0, ActiveLabel = 0;
    QString BackgroundFile;
    quint8 MapMode = 0;
    int ZoomMap = 10;
    quint8 ShowMatrixWindow = 0;
    TTitle NormalLabelStyle, ActiveLabelStyle;
    CTitleGraf TitleGraf;
    int SizeGraf = 10;
    TAllGraf::VertexMatrix<int> DugaList{};
    TAllGraf::VertexArray<int> DugaCount{};

    bool operator==(const CStateDump& other) const;
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
