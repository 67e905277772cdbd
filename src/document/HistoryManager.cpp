#include "document/HistoryManager.h"

void CHistoryManager::Append(std::unique_ptr<CStateDump> state)
{
    if (int(States.size()) >= Capacity)
        States.erase(States.begin());
    if (States.empty() || !(*States.back() == *state)) {
        States.push_back(std::move(state));
    } else {
        // The same graph, saved or opened since: undo is to bring back where it is now.
        States.back()->OriginFile = state->OriginFile;
        States.back()->OriginBaseline = state->OriginBaseline;
    }
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
    s->Recorded = static_cast<const TRecordedGraf&>(g);
    // The whole naming, start values included: a graph brought back by undo and then saved
    // must reopen with the names it showed.
    s->TitleGraf = g.Naming();
    return s;
}

void CHistoryManager::Restore(TAllGraf& g, const CStateDump& s)
{
    static_cast<TRecordedGraf&>(g) = s.Recorded;
    g.Naming() = s.TitleGraf;
    g.TitleUsed.fill(0);
    for (int v = 1; v <= g.PointCount; ++v) {
        const int k = g.Points[v].TitleNumber;
        if (k >= 1 && k <= TAllGraf::MaxPoints)
            g.TitleUsed[k] = 1;
    }
}
