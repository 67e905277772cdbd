#include "algorithms/EulerRoutes.h"

#include "algorithms/Connectivity.h"
#include "algorithms/RouteText.h"
#include "base/TranslationManager.h"
#include "document/GraphDocument.h"

#include <algorithm>
#include <cstdlib>

namespace {

using Arg = StepTrace::Argument;
using VertexState = StepTrace::VertexState;
using ArcState = StepTrace::ArcState;

QString Text(const char* key)
{
    return Translate(QLatin1String(key));
}

// A verdict without a walk: one Text pane line and one bold report line.
void WriteVerdict(AlgorithmResult& result, const char* key)
{
    result.Heading(Text(key));
    result.ShowReport();
}

// The verdict, the walk's label and the walk. The undirected cycle's report leaves the label
// out.
void WriteWalk(const GraphDocument& g, AlgorithmResult& result, std::vector<int> walk, const char* verdict,
               const char* label, bool labelInReport)
{
    result.Heading(Text(verdict));
    if (labelInReport)
        result.Line(Text(label));
    else
        result.PaneLine(Text(label));
    result.Line(RouteLine(g, walk));
    result.ShowReport();
    if (result.steps.Enabled()) {
        for (std::size_t k = 1; k < walk.size(); ++k)
            result.steps.SetArc(walk[k - 1], walk[k], ArcState::Chosen);
        result.steps.Step("step_euler_found", {Arg::Number(int(walk.size()) - 1)});
    }
    result.SetRoute(std::move(walk));
}

// Copies of the out-lists, 1-based, with room for the added vertex of the chain.
std::vector<std::vector<int>> CopyLists(const GraphDocument& g, int extra)
{
    std::vector<std::vector<int>> lists(std::size_t(g.VertexCount + extra) + 1);
    for (int v = 1; v <= g.VertexCount; ++v)
        lists[std::size_t(v)].assign(g.OutArcs(v).begin(), g.OutArcs(v).end());
    return lists;
}

// The highest-numbered vertex with an edge, 0 when there is none.
int LastVertexWithEdge(const GraphDocument& g)
{
    int start = 0;
    for (int v = 1; v <= g.VertexCount; ++v)
        if (g.OutCount(v) > 0)
            start = v;
    return start;
}

// The closed walk from start over every edge of the lists. The walk under construction is a
// stack whose top is the vertex being extended: a vertex with an unused edge pushes the far
// end of the last one in its list; a vertex without one leaves the stack and joins the walk.
// An edge is dropped from both lists at once; the reverse entry is only flagged, which keeps
// the order of what is left in every list as removing it would. Vertices above realCount
// (the chain's added vertex) are narrated without their name.
std::vector<int> SpliceClosedWalk(const std::vector<std::vector<int>>& lists, int start, int realCount,
                                  StepTrace& steps)
{
    const std::size_t size = lists.size();
    std::vector<int> left(size);
    std::vector<int> top(size);
    for (std::size_t v = 0; v < size; ++v)
        left[v] = top[v] = int(lists[v].size());
    std::vector<quint8> used(size * size, 0);
    const auto isUsed = [&](int a, int b) { return used[std::size_t(a) * size + std::size_t(b)] != 0; };

    std::vector<int> stack{start};
    std::vector<int> walk;
    // Places in the walk as the user sees it: the added vertex takes none.
    int placed = 0;
    steps.SetVertex(start, VertexState::Current);
    steps.Step("step_euler_start", {Arg::Vertex(start)});
    while (!stack.empty()) {
        const int v = stack.back();
        const std::vector<int>& list = lists[std::size_t(v)];
        while (top[std::size_t(v)] > 0 && isUsed(v, list[std::size_t(top[std::size_t(v)] - 1)]))
            --top[std::size_t(v)];
        if (left[std::size_t(v)] == 0 || top[std::size_t(v)] == 0) {
            walk.push_back(v);
            stack.pop_back();
            if (steps.Enabled() && v <= realCount) {
                steps.SetVertex(v, VertexState::Finished);
                steps.Step("step_euler_leave", {Arg::Vertex(v), Arg::Number(++placed)});
            }
            if (steps.Enabled() && !stack.empty() && left[std::size_t(stack.back())] > 0 &&
                stack.back() <= realCount) {
                steps.SetVertex(stack.back(), VertexState::Current);
                steps.Step("step_euler_splice", {Arg::Vertex(stack.back())});
            }
            continue;
        }
        const int u = list[std::size_t(--top[std::size_t(v)])];
        used[std::size_t(v) * size + std::size_t(u)] = 1;
        used[std::size_t(u) * size + std::size_t(v)] = 1;
        --left[std::size_t(v)];
        --left[std::size_t(u)];
        stack.push_back(u);
        if (steps.Enabled()) {
            if (u > realCount || v > realCount) {
                steps.Step("step_euler_auxiliary", {Arg::Vertex(std::min(u, v))});
            } else {
                steps.SetVertex(v, VertexState::Visited);
                steps.SetVertex(u, VertexState::Current);
                steps.SetArc(v, u, ArcState::Examined);
                steps.SetArc(u, v, ArcState::Examined);
                steps.Step("step_euler_arc", {Arg::Vertex(v), Arg::Vertex(u)});
            }
        }
    }
    return walk;
}

// The depth-first search for a directed Euler walk, pruned to the branches that can still
// succeed. After any prefix of the walk the unused arcs can all be walked from its end (to
// the start, for a cycle) exactly when their in/out balances allow it and they all hang
// together, ignoring directions, with the end: the classical condition for an Euler walk.
// So a branch is entered only when that holds after its arc, the first branch entered always
// succeeds, and the walk found is the first one of the unpruned search.
class DirectedEulerSearch {
  public:
    DirectedEulerSearch(const GraphDocument& g, bool cycle, StepTrace& steps)
        : g(g), cycle(cycle), steps(steps)
    {
        const int n = g.VertexCount;
        first.assign(std::size_t(n) + 2, 0);
        for (int v = 1; v <= n; ++v)
            first[std::size_t(v) + 1] = first[std::size_t(v)] + g.OutCount(v);
        const int arcs = first[std::size_t(n) + 1];
        head.resize(std::size_t(arcs));
        tail.resize(std::size_t(arcs));
        incoming.assign(std::size_t(n) + 1, {});
        for (int v = 1; v <= n; ++v) {
            int id = first[std::size_t(v)];
            for (int w : g.OutArcs(v)) {
                head[std::size_t(id)] = w;
                tail[std::size_t(id)] = v;
                incoming[std::size_t(w)].push_back(id);
                ++id;
            }
        }
        seen.assign(std::size_t(n) + 1, 0);
        Reset();
    }

    // The walk, or nothing when no start vertex gives one.
    std::vector<int> Run()
    {
        for (int s = 1; s <= g.VertexCount; ++s) {
            if (!StartCanSucceed(s)) {
                steps.Step("step_euler_no_start", {Arg::Vertex(s)});
                continue;
            }
            std::vector<int> walk = WalkFrom(s);
            if (!walk.empty())
                return walk;
            Reset(); // not reached: a start that can succeed does
        }
        return {};
    }

  private:
    void Reset()
    {
        const std::size_t n = std::size_t(g.VertexCount) + 1;
        used.assign(head.size(), 0);
        balance.assign(n, 0);
        touching.assign(n, 0);
        for (std::size_t id = 0; id < head.size(); ++id) {
            ++balance[std::size_t(tail[id])];
            --balance[std::size_t(head[id])];
            ++touching[std::size_t(tail[id])];
            ++touching[std::size_t(head[id])];
        }
        imbalance = 0;
        for (int b : balance)
            imbalance += std::abs(b);
        remaining = int(head.size());
    }

    // Whether the unused arcs' balances allow a walk over all of them from end (to start,
    // for a cycle).
    bool BalanceAllows(int end, int start) const
    {
        if (cycle) {
            if (end == start)
                return imbalance == 0;
            return imbalance == 2 && balance[std::size_t(end)] == 1 && balance[std::size_t(start)] == -1;
        }
        return imbalance == 0 || (imbalance == 2 && balance[std::size_t(end)] == 1);
    }

    bool StartCanSucceed(int s)
    {
        if (remaining == 0)
            return true;
        if (!BalanceAllows(s, s) || touching[std::size_t(s)] == 0)
            return false;
        int withArcs = 0;
        for (int v = 1; v <= g.VertexCount; ++v)
            withArcs += touching[std::size_t(v)] > 0 ? 1 : 0;
        return Spread(s, 0) == withArcs;
    }

    // Walks the unused arcs both ways from from; stops early when target is reached. Returns
    // the number of vertices reached (from included), or -1 when target was reached.
    int Spread(int from, int target)
    {
        ++stamp;
        pending.clear();
        pending.push_back(from);
        seen[std::size_t(from)] = stamp;
        for (std::size_t k = 0; k < pending.size(); ++k) {
            const int x = pending[k];
            const auto reach = [&](int y) {
                if (seen[std::size_t(y)] == stamp)
                    return false;
                seen[std::size_t(y)] = stamp;
                pending.push_back(y);
                return y == target;
            };
            for (int id = first[std::size_t(x)]; id < first[std::size_t(x) + 1]; ++id)
                if (!used[std::size_t(id)] && reach(head[std::size_t(id)]))
                    return -1;
            for (int id : incoming[std::size_t(x)])
                if (!used[std::size_t(id)] && reach(tail[std::size_t(id)]))
                    return -1;
        }
        return int(pending.size());
    }

    void Use(int id, int sign)
    {
        const std::size_t a = std::size_t(tail[std::size_t(id)]);
        const std::size_t b = std::size_t(head[std::size_t(id)]);
        imbalance -= std::abs(balance[a]) + std::abs(balance[b]);
        balance[a] -= sign;
        balance[b] += sign;
        imbalance += std::abs(balance[a]) + std::abs(balance[b]);
        touching[a] -= sign;
        touching[b] -= sign;
        remaining -= sign;
        used[std::size_t(id)] = sign > 0 ? 1 : 0;
    }

    // Takes the arc when the walk can still be completed after it.
    bool TryTake(int id, int s)
    {
        const int v = tail[std::size_t(id)];
        const int w = head[std::size_t(id)];
        Use(id, 1);
        bool possible = BalanceAllows(w, s);
        // Before the arc every unused arc hung together with v; without it they still do
        // when v has none left or w reaches v.
        if (possible && remaining > 0 && touching[std::size_t(v)] > 0)
            possible = Spread(w, v) == -1;
        if (!possible)
            Use(id, -1);
        return possible;
    }

    std::vector<int> WalkFrom(int s)
    {
        std::vector<int> walk{s};
        steps.SetVertex(s, VertexState::Current);
        steps.Step("step_euler_start", {Arg::Vertex(s)});
        int v = s;
        while (remaining > 0) {
            int next = 0;
            for (int id = first[std::size_t(v)]; id < first[std::size_t(v) + 1] && next == 0; ++id) {
                if (used[std::size_t(id)])
                    continue;
                const int w = head[std::size_t(id)];
                if (TryTake(id, s)) {
                    next = w;
                } else if (steps.Enabled()) {
                    steps.SetArc(v, w, ArcState::Rejected);
                    steps.Step("step_euler_dead_end", {Arg::Vertex(v), Arg::Vertex(w)});
                    steps.SetArc(v, w, ArcState::None);
                }
            }
            if (next == 0)
                return {};
            if (steps.Enabled()) {
                steps.SetVertex(v, VertexState::Visited);
                steps.SetVertex(next, VertexState::Current);
                steps.SetArc(v, next, ArcState::Examined);
                steps.Step("step_euler_arc", {Arg::Vertex(v), Arg::Vertex(next)});
            }
            walk.push_back(next);
            v = next;
        }
        if (cycle && v != s)
            return {};
        return walk;
    }

    const GraphDocument& g;
    const bool cycle;
    StepTrace& steps;
    // Arc ids run through the out-lists in order: the arcs of v are first[v] .. first[v+1]-1.
    std::vector<int> first, head, tail;
    std::vector<std::vector<int>> incoming;
    std::vector<quint8> used;
    // Out minus in over the unused arcs, the sum of its absolute values, the unused arcs at
    // each vertex, and how many are left.
    std::vector<int> balance, touching;
    int imbalance = 0, remaining = 0;
    std::vector<int> seen, pending;
    int stamp = 0;
};

// Every vertex reached from vertex 1 when arcs are followed either way.
bool WeaklyConnected(const GraphDocument& g)
{
    const int n = g.VertexCount;
    std::vector<std::vector<int>> neighbours(std::size_t(n) + 1);
    for (int a = 1; a <= n; ++a)
        for (int b : g.OutArcs(a)) {
            neighbours[std::size_t(a)].push_back(b);
            neighbours[std::size_t(b)].push_back(a);
        }
    std::vector<quint8> reached(std::size_t(n) + 1, 0);
    std::vector<int> queue{1};
    reached[1] = 1;
    for (std::size_t head = 0; head < queue.size(); ++head)
        for (int w : neighbours[std::size_t(queue[head])])
            if (!reached[std::size_t(w)]) {
                reached[std::size_t(w)] = 1;
                queue.push_back(w);
            }
    return int(queue.size()) == n;
}

// Whether the in- and out-degrees allow the route: all equal for a cycle; for a chain also one
// vertex with one more arc out and one with one more arc in.
bool DegreesAllow(const GraphDocument& g, bool cycle)
{
    std::vector<int> balance(std::size_t(g.VertexCount) + 1, 0);
    for (int a = 1; a <= g.VertexCount; ++a)
        for (int b : g.OutArcs(a)) {
            ++balance[std::size_t(a)];
            --balance[std::size_t(b)];
        }
    int more = 0, fewer = 0;
    for (int v = 1; v <= g.VertexCount; ++v) {
        const int d = balance[std::size_t(v)];
        if (d == 1)
            ++more;
        else if (d == -1)
            ++fewer;
        else if (d != 0)
            return false;
    }
    return (more == 0 && fewer == 0) || (!cycle && more == 1 && fewer == 1);
}

AlgorithmResult DirectedEuler(const GraphDocument& g, bool cycle, bool recordSteps)
{
    AlgorithmResult result;
    if (recordSteps)
        result.steps.Start(g.VertexCount);
    // The rule of undirected graphs, in its order: the degrees, some arc, every vertex joined.
    const char* refusal = nullptr;
    if (!DegreesAllow(g, cycle))
        refusal = cycle ? "Graf_have_not_el_cycle" : "Graf_have_not_el_chain";
    else if (LastVertexWithEdge(g) == 0)
        refusal = "Graf_have_not_duga";
    else if (!WeaklyConnected(g))
        refusal = cycle ? "Graf_is_not_connected" : "graph_is_not_connectivity";
    if (refusal) {
        result.Clear();
        result.resultCount = -1;
        WriteVerdict(result, refusal);
        return result;
    }
    std::vector<int> walk = DirectedEulerSearch(g, cycle, result.steps).Run();
    result.Clear();
    if (walk.empty()) {
        result.resultCount = -1;
        WriteVerdict(result, cycle ? "Graf_have_not_el_cycle" : "Graf_have_not_el_chain");
        return result;
    }
    if (cycle)
        WriteWalk(g, result, std::move(walk), "Graf_have_el_cycle", "Cycle", true);
    else
        WriteWalk(g, result, std::move(walk), "Graf_have_el_chain", "Trace", true);
    return result;
}

} // namespace

AlgorithmResult FindEulerCycle(const GraphDocument& g, bool recordSteps)
{
    AlgorithmResult result;
    if (recordSteps)
        result.steps.Start(g.VertexCount);
    result.Clear();
    for (int v = 1; v <= g.VertexCount; ++v)
        if (g.OutCount(v) % 2 != 0) {
            WriteVerdict(result, "Graf_have_not_el_cycle");
            result.steps.SetVertex(v, VertexState::Current);
            result.steps.Step("step_euler_odd", {Arg::Vertex(v), Arg::Number(g.OutCount(v))});
            return result;
        }
    const int start = LastVertexWithEdge(g);
    if (start == 0) {
        WriteVerdict(result, "Graf_have_not_duga");
        return result;
    }
    if (!IsConnected(g)) {
        WriteVerdict(result, "Graf_is_not_connected");
        return result;
    }
    std::vector<int> walk = SpliceClosedWalk(CopyLists(g, 0), start, g.VertexCount, result.steps);
    WriteWalk(g, result, std::move(walk), "Graf_have_el_cycle", "Cycle", false);
    return result;
}

AlgorithmResult FindEulerChain(const GraphDocument& g, bool recordSteps)
{
    AlgorithmResult result;
    if (recordSteps)
        result.steps.Start(g.VertexCount);
    result.Clear();
    std::vector<int> odd;
    for (int v = 1; v <= g.VertexCount; ++v)
        if (g.OutCount(v) % 2 != 0)
            odd.push_back(v);
    if (odd.size() != 0 && odd.size() != 2) {
        WriteVerdict(result, "Graf_have_not_el_chain");
        return result;
    }
    const int start = LastVertexWithEdge(g);
    if (start == 0) {
        WriteVerdict(result, "Graf_have_not_duga");
        return result;
    }
    if (!IsConnected(g)) {
        WriteVerdict(result, "graph_is_not_connectivity");
        return result;
    }

    // Two odd vertices: an added vertex joined to both evens every degree; the closed walk
    // then passes it once, between the two odd vertices.
    const int added = g.VertexCount + 1;
    std::vector<std::vector<int>> lists = CopyLists(g, odd.empty() ? 0 : 1);
    if (!odd.empty()) {
        lists[std::size_t(odd[0])].push_back(added);
        lists[std::size_t(odd[1])].push_back(added);
        lists[std::size_t(added)] = {odd[0], odd[1]};
    }
    std::vector<int> walk = SpliceClosedWalk(lists, start, g.VertexCount, result.steps);
    if (!odd.empty()) {
        // Turn the cycle at the added vertex: what follows it, then what came before it
        // without the repeated start.
        const auto at = std::find(walk.begin(), walk.end() - 1, added);
        std::vector<int> chain(at + 1, walk.end());
        chain.insert(chain.end(), walk.begin() + 1, at);
        walk = std::move(chain);
        result.steps.Step("step_euler_cut", {Arg::Vertex(walk.front()), Arg::Vertex(walk.back())});
    }
    WriteWalk(g, result, std::move(walk), "Graf_have_el_chain", "Chain", true);
    return result;
}

AlgorithmResult FindEulerCycleDirected(const GraphDocument& g, bool recordSteps)
{
    return DirectedEuler(g, true, recordSteps);
}

AlgorithmResult FindEulerChainDirected(const GraphDocument& g, bool recordSteps)
{
    return DirectedEuler(g, false, recordSteps);
}
