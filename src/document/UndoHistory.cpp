#include "document/UndoHistory.h"

#include <algorithm>

const Graph& HistoryState::Unpacked() const
{
    if (!unpacked)
        unpacked = Recorded.Unpacked();
    return *unpacked;
}

void UndoHistory::SetUndoSteps(int steps)
{
    capacity = std::clamp(steps, 1, MaxUndoSteps) + 1;
    // The state the document shows stays, with as many steps back as the depth allows; then
    // the redo tail is cut.
    while (int(States.size()) > capacity) {
        if (Current > capacity - 1) {
            States.erase(States.begin());
            --Current;
        } else {
            States.pop_back();
        }
    }
}

void UndoHistory::Append(std::unique_ptr<HistoryState> state)
{
    if (States.empty() || !(*States.back() == *state)) {
        state->Recorded.ShareWith(States.empty() ? nullptr : &States.back()->Recorded);
        // The oldest goes only to make room: a state equal to the last costs no step.
        if (int(States.size()) >= capacity)
            States.erase(States.begin());
        States.push_back(std::move(state));
    } else {
        // The same graph, saved or opened since: undo is to bring back where it is now.
        States.back()->OriginFile = state->OriginFile;
        States.back()->OriginBaseline = state->OriginBaseline;
    }
}

void UndoHistory::Record(std::unique_ptr<HistoryState> state)
{
    while (Current >= 0 && Current < int(States.size()) - 1)
        States.pop_back();
    Append(std::move(state));
    Current = int(States.size());
}

void UndoHistory::RecordCurrent(std::unique_ptr<HistoryState> state)
{
    Append(std::move(state));
    Current = int(States.size()) - 1;
}

const HistoryState* UndoHistory::StepBack()
{
    if (!CanUndo())
        return nullptr;
    --Current;
    return States[Current].get();
}

const HistoryState* UndoHistory::StepForward()
{
    if (!CanRedo())
        return nullptr;
    ++Current;
    return States[Current].get();
}

std::unique_ptr<HistoryState> UndoHistory::TakeSnapshot(const GraphDocument& g)
{
    auto s = std::make_unique<HistoryState>();
    s->Recorded = GraphSnapshot::Take(g);
    // The whole naming, start values included: a graph brought back by undo and then saved
    // must reopen with the names it showed.
    s->Naming = g.Naming();
    return s;
}

void UndoHistory::Restore(GraphDocument& g, const HistoryState& s)
{
    s.Recorded.Restore(g);
    g.Naming() = s.Naming;
    g.NameNumberUsed.fill(0);
    for (int v = 1; v <= g.VertexCount; ++v) {
        const int k = g.Vertices[v].NameNumber;
        if (k >= 1 && k <= GraphDocument::MaxVertices)
            g.NameNumberUsed[k] = 1;
    }
}

std::size_t UndoHistory::MemoryBytes() const
{
    std::unordered_set<const void*> seen;
    std::size_t bytes = States.capacity() * sizeof(States[0]);
    for (const auto& state : States)
        bytes += sizeof(HistoryState) + state->Recorded.MemoryBytes(seen);
    return bytes;
}
