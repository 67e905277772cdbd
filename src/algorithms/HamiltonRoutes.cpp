#include "algorithms/HamiltonRoutes.h"

#include "algorithms/RouteText.h"
#include "base/TranslationManager.h"
#include "document/GraphDocument.h"

#include <cstdint>

namespace {

using Arg = StepTrace::Argument;
using VertexState = StepTrace::VertexState;
using ArcState = StepTrace::ArcState;

// A playback of a long search keeps this many frames.
constexpr int HamiltonFrameCap = 20000;

// Positions (current vertex, set of visited vertices) from which the search is known to fail,
// for graphs of up to 64 vertices. An open-addressed table that stops growing at its cap and
// then simply forgets nothing and learns nothing more.
class DeadEnds {
  public:
    bool Contains(std::uint64_t visited, int v) const
    {
        if (table.empty())
            return false;
        for (std::size_t i = Slot(visited, v);; i = (i + 1) & (table.size() - 1)) {
            const Entry& e = table[i];
            if (e.vertex == 0)
                return false;
            if (e.vertex == std::uint64_t(v) && e.visited == visited)
                return true;
        }
    }
    void Insert(std::uint64_t visited, int v)
    {
        if (2 * (count + 1) > table.size() && !Grow())
            return;
        for (std::size_t i = Slot(visited, v);; i = (i + 1) & (table.size() - 1)) {
            Entry& e = table[i];
            if (e.vertex == 0) {
                e = {visited, std::uint64_t(v)};
                ++count;
                return;
            }
            if (e.vertex == std::uint64_t(v) && e.visited == visited)
                return;
        }
    }

  private:
    struct Entry {
        std::uint64_t visited;
        std::uint64_t vertex; // 0: empty
    };
    static constexpr std::size_t MaxSlots = std::size_t(1) << 20;

    std::size_t Slot(std::uint64_t visited, int v) const
    {
        const std::uint64_t h =
            (visited ^ (std::uint64_t(v) << 57) ^ std::uint64_t(v)) * 0x9E3779B97F4A7C15ull;
        return std::size_t(h >> 20) & (table.size() - 1);
    }
    bool Grow()
    {
        const std::size_t size = table.empty() ? 1024 : table.size() * 2;
        if (size > MaxSlots)
            return false;
        std::vector<Entry> old = std::move(table);
        table.assign(size, Entry{0, 0});
        count = 0;
        for (const Entry& e : old)
            if (e.vertex != 0)
                Insert(e.visited, int(e.vertex));
        return true;
    }

    std::vector<Entry> table;
    std::size_t count = 0;
};

class HamiltonSearch {
  public:
    HamiltonSearch(const GraphDocument& g, bool cycle, StepTrace& steps)
        : n(g.VertexCount), cycle(cycle), steps(steps), remember(n <= 64)
    {
        const std::size_t size = std::size_t(n) + 1;
        adjacent.assign(size * size, 0);
        out.resize(size);
        for (int v = 1; v <= n; ++v) {
            out[std::size_t(v)] = g.OutArcs(v);
            for (int w : g.OutArcs(v))
                adjacent[std::size_t(v) * size + std::size_t(w)] = 1;
        }
        visited.assign(size, 0);
        colour.assign(size, 0);
        pending.reserve(size);
    }

    std::vector<int> Run()
    {
        // Every Hamilton cycle passes vertex 1, so when none starts there, none starts
        // anywhere.
        const int lastStart = cycle ? std::min(n, 1) : n;
        for (s = 1; s <= lastStart; ++s) {
            std::fill(visited.begin(), visited.end(), 0);
            visited[std::size_t(s)] = 1;
            visitedSet = Bit(s);
            remaining = cycle ? n : n - 1;
            route.clear();
            steps.SetVertex(s, VertexState::Current);
            steps.Step("step_hamilton_start", {Arg::Vertex(s)});
            if (Extend(s)) {
                steps.Step("step_hamilton_found");
                return route;
            }
            steps.SetVertex(s, VertexState::None);
            steps.Step("step_hamilton_no_start", {Arg::Vertex(s)});
        }
        return {};
    }

  private:
    std::uint64_t Bit(int v) const { return remember ? std::uint64_t(1) << (v - 1) : 0; }
    bool Adjacent(int a, int b) const
    {
        return adjacent[std::size_t(a) * std::size_t(n + 1) + std::size_t(b)];
    }

    bool Extend(int v)
    {
        route.push_back(v);
        if (remaining == 0 && (!cycle || v == s))
            return true;
        for (int w : Out(v)) {
            const bool closing = cycle && remaining == 1 && w == s;
            if (visited[std::size_t(w)] && !closing)
                continue;
            if (!closing && !MayComplete(w)) {
                steps.Step("step_hamilton_cut", {Arg::Vertex(v), Arg::Vertex(w)});
                continue;
            }
            --remaining;
            visited[std::size_t(w)] = 1;
            visitedSet |= Bit(w);
            if (steps.Enabled()) {
                steps.SetVertex(v, VertexState::Visited);
                steps.SetVertex(w, VertexState::Current);
                steps.SetArc(v, w, ArcState::Chosen);
                if (closing)
                    steps.Step("step_hamilton_close", {Arg::Vertex(v), Arg::Vertex(w)});
                else
                    steps.Step("step_hamilton_add", {Arg::Vertex(w), Arg::Number(int(route.size()) + 1)});
            }
            if (Extend(w))
                return true;
            if (remember)
                deadEnds.Insert(visitedSet, w);
            ++remaining;
            visited[std::size_t(w)] = 0;
            visitedSet &= ~Bit(w);
            if (steps.Enabled()) {
                steps.SetVertex(w, VertexState::None);
                steps.SetVertex(v, VertexState::Current);
                steps.SetArc(v, w, ArcState::None);
                steps.Step("step_hamilton_remove", {Arg::Vertex(w)});
            }
        }
        route.pop_back();
        return false;
    }

    // Whether the route, having stepped to the unvisited vertex w, could still be completed:
    // conditions every completion meets, so a false is a proof of failure.
    bool MayComplete(int w)
    {
        if (remember && deadEnds.Contains(visitedSet | Bit(w), w))
            return false;
        // The vertices still to visit after w: the rest of the route is a path w, u1 .. uk
        // through all of them (followed by s for a cycle).
        int left = 0;
        int any = 0;
        for (int u = 1; u <= n; ++u)
            if (!visited[std::size_t(u)] && u != w) {
                ++left;
                any = u;
            }
        if (left == 0)
            return !cycle || Adjacent(w, s);

        // Every vertex inside the path needs two neighbours among what the path can still use;
        // only the chain's last vertex may do with one.
        const auto usable = [&](int x) { return (!visited[std::size_t(x)]) || (cycle && x == s); };
        int ends = 0;
        for (int u = 1; u <= n; ++u) {
            if (visited[std::size_t(u)] || u == w)
                continue;
            int degree = 0;
            for (int x : Out(u))
                if (usable(x) && ++degree == 2)
                    break;
            if (degree == 0 || (cycle && degree < 2) || (degree == 1 && ++ends > 1))
                return false;
        }

        // u1 .. uk is a path through all the vertices left, so they hang together; and when
        // they form a bipartite graph its sides alternate along it.
        const auto stillToVisit = [&](int x) { return !visited[std::size_t(x)] && x != w; };
        pending.clear();
        pending.push_back(any);
        colour[std::size_t(any)] = 1;
        bool bipartite = true;
        int sides[3] = {0, 0, 0};
        ++sides[1];
        for (std::size_t k = 0; k < pending.size(); ++k) {
            const int x = pending[k];
            for (int y : Out(x)) {
                if (!stillToVisit(y))
                    continue;
                if (colour[std::size_t(y)] == 0) {
                    colour[std::size_t(y)] = quint8(3 - colour[std::size_t(x)]);
                    ++sides[colour[std::size_t(y)]];
                    pending.push_back(y);
                } else if (colour[std::size_t(y)] == colour[std::size_t(x)]) {
                    bipartite = false;
                }
            }
        }
        // Which sides hold a neighbour of w (the first step) and of s (the cycle's last step).
        bool wSide[3] = {false, false, false};
        bool sSide[3] = {false, false, false};
        for (int y : Out(w))
            wSide[colour[std::size_t(y)]] = true;
        if (cycle)
            for (int y : Out(s))
                sSide[colour[std::size_t(y)]] = true;
        for (int x : pending)
            colour[std::size_t(x)] = 0;

        if (int(pending.size()) != left)
            return false;
        if (!wSide[1] && !wSide[2])
            return false;
        if (cycle && !sSide[1] && !sSide[2])
            return false;
        if (!bipartite)
            return true;
        const int difference = sides[1] - sides[2];
        if (difference > 1 || difference < -1)
            return false;
        // With one side larger the path starts and ends on it; with equal sides it starts on
        // one and ends on the other.
        if (difference != 0) {
            const int larger = difference > 0 ? 1 : 2;
            return wSide[larger] && (!cycle || sSide[larger]);
        }
        return !cycle || (wSide[1] && sSide[2]) || (wSide[2] && sSide[1]);
    }

    // The out-lists, looked up once: the search asks for them at every step.
    std::span<const int> Out(int v) const { return out[std::size_t(v)]; }

    const int n;
    const bool cycle;
    StepTrace& steps;
    const bool remember;
    std::vector<std::span<const int>> out;
    std::vector<quint8> adjacent;
    std::vector<quint8> visited;
    std::uint64_t visitedSet = 0;
    int remaining = 0;
    int s = 0;
    std::vector<int> route;
    DeadEnds deadEnds;
    std::vector<quint8> colour; // 0 outside the vertices left, else side 1 or 2
    std::vector<int> pending;
};

AlgorithmResult Hamilton(const GraphDocument& g, bool cycle, bool recordSteps)
{
    AlgorithmResult result;
    if (recordSteps)
        result.steps.Start(g.VertexCount, HamiltonFrameCap);
    std::vector<int> route = HamiltonSearch(g, cycle, result.steps).Run();
    result.Clear();
    if (route.empty()) {
        result.resultCount = -1;
        result.Heading(
            Translate(QLatin1String(cycle ? "Graf_have_not_gam_trace" : "Graf_have_not_gam_chain")));
        result.ShowReport();
        return result;
    }
    result.Heading(Translate(QLatin1String(cycle ? "Graf_have_gam_cycle" : "Graf_have_gam_chain")));
    result.Line(Translate(QStringLiteral("Trace")));
    result.Line(RouteLine(g, route));
    result.ShowReport();
    result.SetRoute(std::move(route));
    return result;
}

} // namespace

AlgorithmResult FindHamiltonCycle(const GraphDocument& g, bool recordSteps)
{
    return Hamilton(g, true, recordSteps);
}

AlgorithmResult FindHamiltonChain(const GraphDocument& g, bool recordSteps)
{
    return Hamilton(g, false, recordSteps);
}
