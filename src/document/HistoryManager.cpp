#include "document/HistoryManager.h"

bool CStateDump::operator==(const CStateDump& o) const
{
    return IsOrint == o.IsOrint && IsHaveCost == o.IsHaveCost && PointCount == o.PointCount &&
           CountLabel == o.CountLabel && ActivePoint == o.ActivePoint && ActiveDugaFrom == o.ActiveDugaFrom &&
           ActiveDugaTo == o.ActiveDugaTo && TargetPoint == o.TargetPoint && ActiveLabel == o.ActiveLabel &&
           BackgroundFile == o.BackgroundFile && MapMode == o.MapMode && ZoomMap == o.ZoomMap &&
           ShowMatrixWindow == o.ShowMatrixWindow && NormalLabelStyle == o.NormalLabelStyle &&
           ActiveLabelStyle == o.ActiveLabelStyle && TitleGraf.SameAs(o.TitleGraf) &&
           SizeGraf == o.SizeGraf && Labels == o.Labels && Points == o.Points && DugaCount == o.DugaCount &&
           DugaList == o.DugaList && Dugi == o.Dugi;
}

void CHistoryManager::Append(std::unique_ptr<CStateDump> state)
{
    if (int(States.size()) >= Capacity)
        States.erase(States.begin());
    if (States.empty() || !(*States.back() == *state))
        States.push_back(std::move(state));
}

void CHistoryManager::Record(std::unique_ptr<CStateDump> state)
{
    while (Current >= 0 && Current < int(States.size()) - 1)
        States.pop_back();
    Append(std::move(state));
    Current = int(States.size());
}

void CHistoryManager::RecordCurrent(std::unique_ptr<CStateDump> state)
{
    Append(std::move(state));
    Current = int(States.size()) - 1;
}

const CStateDump* CHistoryManager::StepBack()
{
    if (!CanUndo())
        return nullptr;
    --Current;
    return States[Current].get();
}

const CStateDump* CHistoryManager::StepForward()
{
    if (!CanRedo())
        return nullptr;
    ++Current;
    return States[Current].get();
}

std::unique_ptr<CStateDump> CHistoryManager::TakeSnapshot(const TAllGraf& g)
{
    auto s = std::make_unique<CStateDump>();
    s->IsOrint = g.IsOrint;
    s->IsHaveCost = g.IsHaveCost;
    s->PointCount = g.PointCount;
    s->Points = g.Points;
    s->CountLabel = g.CountLabel;
    s->Labels.assign(g.Labels.begin() + 1, g.Labels.begin() + 1 + g.CountLabel);
    s->Dugi = g.Dugi;
    s->ActivePoint = g.ActivePoint;
    s->ActiveDugaFrom = g.ActiveDugaFrom;
    s->ActiveDugaTo = g.ActiveDugaTo;
    s->TargetPoint = g.TargetPoint;
    s->ActiveLabel = g.ActiveLabel;
    s->BackgroundFile = g.BackgroundFile;
    s->MapMode = g.MapMode;
    s->ZoomMap = g.ZoomMap;
    s->ShowMatrixWindow = g.ShowMatrixWindow;
    s->NormalLabelStyle = g.NormalLabelStyle;
    s->ActiveLabelStyle = g.ActiveLabelStyle;
    s->TitleGraf.CopyFrom(g.Naming());
    s->SizeGraf = g.SizeGraf;
    s->DugaList = g.DugaListStore;
    s->DugaCount = g.DugaCount;
    return s;
}

void CHistoryManager::Restore(TAllGraf& g, const CStateDump& s)
{
    g.IsOrint = s.IsOrint;
    g.IsHaveCost = s.IsHaveCost;
    g.PointCount = s.PointCount;
    g.Points = s.Points;
    g.CountLabel = s.CountLabel;
    for (int i = 0; i < s.CountLabel; ++i)
        g.Labels[i + 1] = s.Labels[i];
    g.Dugi = s.Dugi;
    g.ActivePoint = s.ActivePoint;
    g.ActiveDugaFrom = s.ActiveDugaFrom;
    g.ActiveDugaTo = s.ActiveDugaTo;
    g.TargetPoint = s.TargetPoint;
    g.ActiveLabel = s.ActiveLabel;
    g.BackgroundFile = s.BackgroundFile;
    g.MapMode = s.MapMode;
    g.ZoomMap = s.ZoomMap;
    g.ShowMatrixWindow = s.ShowMatrixWindow;
    g.NormalLabelStyle = s.NormalLabelStyle;
    g.ActiveLabelStyle = s.ActiveLabelStyle;
    g.Naming().CopyFrom(s.TitleGraf);
    g.SizeGraf = s.SizeGraf;
    g.DugaListStore = s.DugaList;
    g.DugaCount = s.DugaCount;
    g.TitleUsed.fill(0);
    for (int v = 1; v <= g.PointCount; ++v) {
        const int k = g.Points[v].TitleNumber;
        if (k >= 1 && k <= TAllGraf::MaxPoints)
            g.TitleUsed[k] = 1;
    }
}
