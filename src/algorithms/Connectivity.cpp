#include "algorithms/Connectivity.h"

#include "algorithms/ShortestPaths.h"
#include "base/TranslationManager.h"
#include "document/GraphDocument.h"

#include <algorithm>

namespace {

using Arg = StepTrace::Argument;
using VertexState = StepTrace::VertexState;
using ArcState = StepTrace::ArcState;

// The depth-first search of the connectivity test, with its own stack so that a chain of 255
// vertices costs no recursion. Returns the number of vertices reached; vertex 1 is not marked
// at the start.
int ReachedFromFirst(const GraphDocument& g, StepTrace* steps)
{
    const int n = g.VertexCount;
    if (n < 1)
        return 0;
    GraphDocument::VertexArray<quint8> reached{};
    int counter = 0;
    // Each entry: a vertex and how far through its list the search has got.
    std::vector<std::pair<int, int>> stack{{1, 0}};
    stack.reserve(std::size_t(n) + 1);
    while (!stack.empty()) {
        auto& [v, next] = stack.back();
        const std::span<const int> list = g.OutArcs(v);
        if (next >= int(list.size())) {
            stack.pop_back();
            continue;
        }
        const int w = list[std::size_t(next++)];
        if (reached[w])
            continue;
        reached[w] = 1;
        ++counter;
        if (steps && steps->Enabled()) {
            steps->SetArc(v, w, ArcState::Chosen);
            steps->SetVertex(w, VertexState::Visited);
            steps->Step("step_connect_reach", {Arg::Vertex(v), Arg::Vertex(w)});
        }
        stack.emplace_back(w, 0);
    }
    return counter;
}

// A lone vertex has nothing left to reach; otherwise vertex 1 counts once a route leads back.
bool AllReached(const GraphDocument& g, StepTrace* steps)
{
    return g.VertexCount == 1 || ReachedFromFirst(g, steps) == g.VertexCount;
}

// Which distance a result is counted in, after the number it qualifies.
QString DistanceNote(const char* key)
{
    return QStringLiteral(" (") + Translate(QLatin1String(key)) + QLatin1Char(')');
}

} // namespace

bool IsConnected(const GraphDocument& g)
{
    return AllReached(g, nullptr);
}

AlgorithmResult ConnectivityTest(const GraphDocument& g, bool recordSteps)
{
    AlgorithmResult result;
    if (recordSteps)
        result.steps.Start(g.VertexCount);
    const char* verdict =
        AllReached(g, &result.steps) ? "graph_is_connectivity" : "graph_is_not_connectivity";
    result.Clear();
    result.Heading(Translate(QLatin1String(verdict)));
    result.ShowReport();
    result.steps.Step(verdict);
    return result;
}

AlgorithmResult Eccentricity(const GraphDocument& g, int vertex, bool recordSteps)
{
    AlgorithmResult result;
    result.resultCount = -1;
    if (!g.IsVertex(vertex))
        return result;
    StepTrace& steps = result.steps;
    if (recordSteps)
        steps.Start(g.VertexCount);
    // A directed graph asks what the vertex reaches, whatever reaches it.
    const bool directed = g.Directed;
    if (!directed && !IsConnected(g)) {
        result.Refuse(Translate(QStringLiteral("Graf_is_not_connected")));
        steps.Step("Graf_is_not_connected");
        return result;
    }

    GraphDocument::VertexArray<int> level{};
    std::vector<int> queue{vertex};
    queue.reserve(std::size_t(g.VertexCount));
    level[vertex] = 1;
    if (steps.Enabled()) {
        steps.SetCaptionNumber(vertex, 0);
        steps.SetVertex(vertex, VertexState::Current);
    }
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const int x = queue[head];
        const std::size_t before = queue.size();
        for (int y : g.OutArcs(x))
            if (level[y] == 0) {
                level[y] = level[x] + 1;
                queue.push_back(y);
                if (steps.Enabled()) {
                    steps.SetArc(x, y, ArcState::Chosen);
                    steps.SetVertex(y, VertexState::Frontier);
                    steps.SetCaptionNumber(y, level[y] - 1);
                }
            }
        if (steps.Enabled()) {
            steps.Step("step_eccentricity_visit",
                       {Arg::Vertex(x), Arg::Number(level[x] - 1), Arg::Number(int(queue.size() - before))});
            steps.SetVertex(x, VertexState::Finished);
        }
    }
    const QString lead = Translate(QStringLiteral("concentricity")) + QLatin1Char(' ') + g.VertexName(vertex);
    if (directed && int(queue.size()) < g.VertexCount) {
        // Some vertex lies beyond every route from this one: the eccentricity is infinite.
        int unreachable = 1;
        while (level[unreachable] != 0)
            ++unreachable;
        steps.Step("step_eccentricity_unreachable", {Arg::Vertex(vertex), Arg::Vertex(unreachable)});
        const QString line = lead + QStringLiteral(" = \u221E") + DistanceNote("Distance_in_arcs");
        const QString reason = Translate(QStringLiteral("eccentricity_unreachable"))
                                   .arg(g.VertexName(unreachable), g.VertexName(vertex));
        result.Clear();
        result.ReportBold(line);
        result.ReportLine(reason);
        result.ShowReport();
        result.PaneLine(line);
        result.PaneLine(reason);
        return result;
    }
    const int eccentricity = level[queue.back()] - 1;
    result.resultCount = eccentricity;
    steps.Step("step_eccentricity_result", {Arg::Vertex(vertex), Arg::Number(eccentricity)});
    const QString line =
        lead + QStringLiteral(" = ") + QString::number(eccentricity) + DistanceNote("Distance_in_arcs");
    result.Clear();
    result.ReportBold(line);
    result.ShowReport();
    result.PaneLine(line);
    return result;
}

AlgorithmResult RadiusAndDiameter(const GraphDocument& g, bool recordSteps)
{
    AlgorithmResult result;
    result.resultCount = -1;
    result.resultValue = -1;
    const int n = g.VertexCount;
    StepTrace& steps = result.steps;
    if (recordSteps)
        steps.Start(n);
    if (!IsConnected(g)) {
        const QString text = Translate(QStringLiteral("graph_is_not_connectivity"));
        result.Clear();
        result.ReportBold(text);
        result.ShowReport();
        result.PaneLine(text);
        steps.Step("graph_is_not_connectivity");
        return result;
    }

    const std::vector<int> d = AllPairsDistances(g, n);
    const std::size_t side = std::size_t(n) + 1;
    int radius = GraphDocument::Infinity;
    int diameter = 0;
    for (int i = 1; i <= n; ++i) {
        // The greatest distance into i; the graph is undirected, so from i as well.
        int farthest = -1;
        for (int j = 1; j <= n; ++j) {
            const int distance = d[std::size_t(j) * side + std::size_t(i)];
            farthest = std::max(farthest, distance);
            if (distance != GraphDocument::Infinity)
                diameter = std::max(diameter, distance);
        }
        radius = std::min(radius, farthest);
        if (steps.Enabled()) {
            steps.SetCaptionNumber(i, farthest);
            steps.SetVertex(i, VertexState::Visited);
            steps.Step("step_radius_vertex", {Arg::Vertex(i), Arg::Number(farthest)});
        }
    }
    result.resultValue = radius;
    result.resultCount = diameter;
    steps.Step("step_radius_result", {Arg::Number(radius), Arg::Number(diameter)});

    const QString line = Translate(QStringLiteral("radius_graph_is")) + QString::number(radius) +
                         Translate(QStringLiteral("diametr_graph_is")) + QString::number(diameter) +
                         DistanceNote("Distance_by_weights");
    result.Clear();
    result.ReportBold(line);
    result.ShowReport();
    result.PaneLine(line);
    return result;
}

AlgorithmResult TreeTest(const GraphDocument& g, bool recordSteps)
{
    AlgorithmResult result;
    const int n = g.VertexCount;
    if (n <= 0)
        return result;
    StepTrace& steps = result.steps;
    if (recordSteps)
        steps.Start(n);

    GraphDocument::VertexArray<int> parent{};
    parent[1] = 1;
    std::vector<int> queue{1};
    queue.reserve(std::size_t(n));
    bool cycle = false;
    steps.SetVertex(1, VertexState::Current);
    for (std::size_t head = 0; head < queue.size() && !cycle; ++head) {
        const int x = queue[head];
        const std::size_t before = queue.size();
        for (int w : g.OutArcs(x)) {
            if (parent[w] > 0 && parent[x] != w) {
                cycle = true;
                steps.SetArc(x, w, ArcState::Rejected);
                steps.Step("step_tree_cycle", {Arg::Vertex(x), Arg::Vertex(w)});
                break;
            }
            if (parent[w] == 0) {
                parent[w] = x;
                queue.push_back(w);
                steps.SetArc(x, w, ArcState::Chosen);
                steps.SetVertex(w, VertexState::Frontier);
            }
        }
        if (!cycle && steps.Enabled()) {
            steps.Step("step_tree_visit", {Arg::Vertex(x), Arg::Number(int(queue.size() - before))});
            steps.SetVertex(x, VertexState::Finished);
        }
    }
    const char* verdict = cycle                    ? "Graf_is_not_tree"
                          : int(queue.size()) == n ? "Graf_is_tree"
                                                   : "graph_is_not_connectivity";
    result.Clear();
    result.Heading(Translate(QLatin1String(verdict)));
    result.ShowReport();
    steps.Step(verdict);
    return result;
}
