#include "algorithms/CriticalPath.h"

#include "algorithms/RouteText.h"
#include "base/TranslationManager.h"
#include "document/GraphDocument.h"

#include <algorithm>
#include <span>

namespace {

using Arg = StepTrace::Argument;
using VertexState = StepTrace::VertexState;
using ArcState = StepTrace::ArcState;

int ArcCost(const GraphDocument& g, int a, int b)
{
    return g.Weighted ? g.Arc(a, b).Weight : 1;
}

} // namespace

std::vector<int> FindCycleRoute(const GraphDocument& g, StepTrace* steps)
{
    StepTrace off;
    StepTrace& trace = steps ? *steps : off;
    const std::size_t size = std::size_t(g.VertexCount) + 1;
    const bool undirected = !g.Directed;
    std::vector<quint8> visited(size, 0), onPath(size, 0);
    // Searched to the end without a cycle: searching such a vertex again fails again (in a
    // digraph nothing it reaches lies on a cycle or on the path; in an undirected graph it
    // hangs by a bridge from a tree), so it is skipped.
    std::vector<quint8> exhausted(size, 0);
    std::vector<int> path;
    // Per path entry, the heads of its out-list still to try: found once, not at each step.
    struct Untried {
        const int* next;
        const int* end;
    };
    std::vector<Untried> untried;
    path.reserve(size + 1);
    untried.reserve(size);

    const auto enter = [&](int from, int v) {
        visited[std::size_t(v)] = 1;
        path.push_back(v);
        if (onPath[std::size_t(v)])
            return true;
        onPath[std::size_t(v)] = 1;
        const std::span<const int> heads = g.OutArcs(v);
        untried.push_back({heads.data(), heads.data() + heads.size()});
        if (trace.Enabled()) {
            if (from != 0) {
                trace.SetVertex(from, VertexState::Visited);
                trace.SetArc(from, v, ArcState::Examined);
            }
            trace.SetVertex(v, VertexState::Current);
            trace.Step("step_cycle_enter", {Arg::Vertex(v)});
        }
        return false;
    };

    for (int s = 1; s <= g.VertexCount; ++s) {
        if (visited[std::size_t(s)])
            continue;
        enter(0, s);
        while (!untried.empty()) {
            const int v = path.back();
            Untried& top = untried.back();
            if (top.next == top.end) {
                onPath[std::size_t(v)] = 0;
                exhausted[std::size_t(v)] = 1;
                path.pop_back();
                untried.pop_back();
                if (trace.Enabled()) {
                    trace.SetVertex(v, VertexState::Finished);
                    if (!path.empty()) {
                        trace.SetArc(path.back(), v, ArcState::None);
                        trace.SetVertex(path.back(), VertexState::Current);
                    }
                    trace.Step("step_cycle_finish", {Arg::Vertex(v)});
                }
                continue;
            }
            const int w = *top.next++;
            if (undirected && path.size() >= 2 && w == path[path.size() - 2])
                continue;
            if (exhausted[std::size_t(w)]) {
                trace.Step("step_cycle_known", {Arg::Vertex(v), Arg::Vertex(w)});
                continue;
            }
            if (!enter(v, w))
                continue;

            // w is on the path twice: the cycle runs from its earlier place to the top.
            std::vector<int> cycle{w};
            for (std::size_t i = path.size() - 1; i-- > 0;) {
                cycle.push_back(path[i]);
                if (path[i] == w)
                    break;
            }
            std::reverse(cycle.begin(), cycle.end());
            if (trace.Enabled()) {
                for (std::size_t i = 1; i < cycle.size(); ++i)
                    trace.SetArc(cycle[i - 1], cycle[i], ArcState::Chosen);
                trace.Step("step_cycle_found", {Arg::Vertex(w)});
            }
            return cycle;
        }
    }
    trace.Step("step_cycle_none");
    return {};
}

AlgorithmResult FindCycle(const GraphDocument& g, bool recordSteps)
{
    AlgorithmResult result;
    if (recordSteps)
        result.steps.Start(g.VertexCount);
    std::vector<int> cycle = FindCycleRoute(g, &result.steps);
    result.Clear();
    if (cycle.empty()) {
        result.Heading(Translate(QStringLiteral("Graf_has_not_cycles")));
    } else {
        result.Heading(Translate(QStringLiteral("Graf_have_cycle_one_down")));
        result.Line(RouteLine(g, cycle));
    }
    result.ShowReport();
    result.SetRoute(std::move(cycle));
    return result;
}

AlgorithmResult CriticalPath(const GraphDocument& g, bool recordSteps)
{
    AlgorithmResult result;
    StepTrace& steps = result.steps;
    if (recordSteps)
        steps.Start(g.VertexCount);
    const int n = g.VertexCount;
    const std::size_t size = std::size_t(n) + 3;

    // In-lists in increasing tail order, the order in which the trace back tries predecessors,
    // in one block: vertex v's tails are inTails[inStart[v] .. inStart[v + 1]).
    std::vector<int> inStart(size + 1, 0);
    for (int a = 1; a <= n; ++a)
        for (int b : g.OutArcs(a))
            ++inStart[std::size_t(b) + 1];
    for (std::size_t v = 1; v <= size; ++v)
        inStart[v] += inStart[v - 1];
    const std::size_t arcCount = std::size_t(inStart[size]);
    std::vector<int> inTails(arcCount);
    {
        std::vector<int> next(inStart.begin(), inStart.end() - 1);
        for (int a = 1; a <= n; ++a)
            for (int b : g.OutArcs(a))
                inTails[std::size_t(next[std::size_t(b)]++)] = a;
    }
    const auto from = [&](int v) {
        return std::span<const int>(inTails).subspan(
            std::size_t(inStart[std::size_t(v)]),
            std::size_t(inStart[std::size_t(v) + 1] - inStart[std::size_t(v)]));
    };
    const auto isSink = [&](int v) { return g.OutCount(v) == 0 && !from(v).empty(); };
    const auto isSource = [&](int v) { return g.OutCount(v) > 0 && from(v).empty(); };
    std::vector<int> sinks, sources;
    for (int v = 1; v <= n; ++v) {
        if (isSink(v))
            sinks.push_back(v);
        if (isSource(v))
            sources.push_back(v);
    }
    if (sinks.empty() || sources.empty()) {
        result.Refuse(Translate(QStringLiteral("Orgraf_must_have_stok")));
        return result;
    }

    // The added start S joins every source and every sink joins the added finish T, by arcs
    // of weight 1. Longest distances from S, in topological order: each vertex's distance is
    // final once all its predecessors are.
    const int start = n + 1, finish = n + 2;
    std::vector<int> dist(size, 0);
    std::vector<int> waiting(size, 0);
    std::vector<int> order;
    order.reserve(std::size_t(n));
    for (int v = 1; v <= n; ++v) {
        waiting[std::size_t(v)] = int(from(v).size());
        if (waiting[std::size_t(v)] == 0)
            order.push_back(v);
    }
    for (int x : sources)
        dist[std::size_t(x)] = 1;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const int v = order[k];
        if (steps.Enabled() && dist[std::size_t(v)] > 0) {
            steps.SetVertex(v, VertexState::Finished);
            steps.SetCaptionNumber(v, dist[std::size_t(v)] - 1);
            steps.Step("step_critical_fix", {Arg::Vertex(v), Arg::Number(dist[std::size_t(v)] - 1)});
        }
        for (int e : g.OutArcs(v)) {
            dist[std::size_t(e)] = std::max(dist[std::size_t(e)], dist[std::size_t(v)] + ArcCost(g, v, e));
            if (--waiting[std::size_t(e)] == 0)
                order.push_back(e);
        }
    }
    for (int y : sinks)
        dist[std::size_t(finish)] = std::max(dist[std::size_t(finish)], dist[std::size_t(y)] + 1);

    // Back from T, each step to the lowest-numbered vertex on a longest way: the real tails
    // in increasing order, then S for a source. Every weight is at least 1, so each step
    // lowers the distance and the trace ends; the bound only guards against a cycle.
    std::vector<int> path;
    if (dist[std::size_t(finish)] > 0) {
        int current = finish;
        for (int guard = 0; current != start && guard <= n + 1; ++guard) {
            const std::span<const int> tails =
                current == finish ? std::span<const int>(sinks) : from(current);
            int predecessor = 0;
            for (int e : tails) {
                const int weight = current == finish ? 1 : ArcCost(g, e, current);
                if (weight > 0 && dist[std::size_t(current)] - weight == dist[std::size_t(e)]) {
                    predecessor = e;
                    break;
                }
            }
            if (predecessor == 0 && current != finish && isSource(current) &&
                dist[std::size_t(current)] - 1 == dist[std::size_t(start)])
                predecessor = start;
            if (predecessor == 0)
                break;
            if (steps.Enabled() && predecessor != start && current != finish) {
                steps.SetArc(predecessor, current, ArcState::Chosen);
                steps.Step("step_critical_back", {Arg::Vertex(current), Arg::Vertex(predecessor)});
            }
            if (predecessor != start)
                path.push_back(predecessor);
            current = predecessor;
        }
        std::reverse(path.begin(), path.end());
    }

    int length = 0;
    for (std::size_t k = 1; k < path.size(); ++k)
        length += ArcCost(g, path[k - 1], path[k]);

    result.Clear();
    result.Heading(Translate(QStringLiteral("Critacal_path_is")) + QString::number(length));
    result.Line(Translate(QStringLiteral("Trace")));
    result.Line(RouteLine(g, path));
    result.ShowReport();
    steps.Step("step_critical_found", {Arg::Number(length)});
    result.SetRoute(std::move(path));
    return result;
}
