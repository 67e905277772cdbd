#include "algorithms/ShortestPaths.h"

#include "base/TranslateManager.h"
#include "document/AllGrafUnit.h"

#include <algorithm>
#include <limits>

namespace {

using Arg = StepTrace::Argument;
using VertexState = StepTrace::VertexState;
using ArcState = StepTrace::ArcState;

} // namespace

void WriteDistanceTable(const TAllGraf& g, int vertexCount, const int* distance, AlgorithmResult& result)
{
    QString header;
    QString values;
    QStringList names;
    QStringList cells;
    header.reserve(vertexCount * 6 + 1);
    values.reserve(vertexCount * 4 + 1);
    names.reserve(vertexCount);
    cells.reserve(vertexCount);
    for (int v = 1; v <= vertexCount; ++v) {
        const QString name = g.PointTitle(v);
        header += QStringLiteral("| ") + name + QLatin1Char(' ');
        names.append(name);
        const bool reached = distance[v] != TAllGraf::Infinity;
        values += reached ? QLatin1Char('|') + Format3d(distance[v]) : QStringLiteral("|  x");
        cells.append(reached ? Format3d(distance[v]) : QStringLiteral("x"));
    }
    result.Table({header + QLatin1Char('|'), values + QLatin1Char('|')}, {names, cells});
}

AlgorithmResult DijkstraShortestPath(const TAllGraf& g, int start, int finish, int vertexCount,
                                     bool recordSteps)
{
    AlgorithmResult result;
    result.resultCount = -1;
    vertexCount = std::clamp(vertexCount, 0, g.PointCount);
    if (start == finish || start < 1 || finish < 1 || start > vertexCount || finish > vertexCount)
        return result;

    StepTrace& steps = result.steps;
    if (recordSteps) {
        steps.Start(vertexCount);
        // A frame for every arc examined and every vertex fixed.
        int arcs = 0;
        for (int v = 1; v <= vertexCount; ++v)
            arcs += g.DugaCount[v];
        steps.Reserve(arcs + vertexCount + 2);
        for (int v = 1; v <= vertexCount; ++v)
            steps.SetCaptionInfinity(v);
    }

    TAllGraf::VertexArray<int> distance;
    TAllGraf::VertexArray<int> predecessor;
    // The distance of each unfinished vertex, and a value above every distance for the
    // finished ones, so the search for the next vertex is one branch-free scan.
    constexpr int Taken = std::numeric_limits<int>::max();
    TAllGraf::VertexArray<int> open;
    distance.fill(TAllGraf::Infinity);
    predecessor.fill(0);
    open.fill(TAllGraf::Infinity);

    distance[start] = 0;
    open[start] = Taken;
    steps.SetVertex(start, VertexState::Current);
    steps.SetCaptionNumber(start, 0);
    steps.Step("step_dijkstra_start", {Arg::Vertex(start)});
    int current = start;
    int currentDistance = 0;
    while (current != -1) {
        const int* heads = g.DugaList(current);
        for (int k = 0; k < g.DugaCount[current]; ++k) {
            const int w = heads[k];
            const int candidate = g.Dugi[current][w].Cost + currentDistance;
            if (candidate < distance[w]) {
                if (steps.Enabled()) {
                    if (predecessor[w] != 0)
                        steps.SetArc(predecessor[w], w, ArcState::Rejected);
                    steps.SetArc(current, w, ArcState::Chosen);
                    steps.SetVertex(w, VertexState::Frontier);
                    steps.SetCaptionNumber(w, candidate);
                    steps.Step("step_dijkstra_lower",
                               {Arg::Vertex(current), Arg::Vertex(w), Arg::Number(candidate)});
                }
                distance[w] = candidate;
                if (open[w] != Taken)
                    open[w] = candidate;
                predecessor[w] = current;
            } else if (steps.Enabled()) {
                if (predecessor[w] != current)
                    steps.SetArc(current, w, ArcState::Rejected);
                steps.Step("step_dijkstra_keep", {Arg::Vertex(current), Arg::Vertex(w),
                                                  Arg::Number(candidate), Arg::Number(distance[w])});
            }
        }
        if (steps.Enabled())
            steps.SetVertex(current, VertexState::Finished);
        // The first unfinished vertex strictly nearer than all before it: ties go to the lowest
        // number, and vertices still at infinity are never taken.
        current = -1;
        int nearest = TAllGraf::Infinity;
        for (int v = 1; v <= vertexCount; ++v) {
            const bool nearer = open[v] < nearest;
            nearest = nearer ? open[v] : nearest;
            current = nearer ? v : current;
        }
        if (current != -1) {
            currentDistance = nearest;
            open[current] = Taken;
            steps.SetVertex(current, VertexState::Current);
            steps.Step("step_dijkstra_fix", {Arg::Vertex(current), Arg::Number(nearest)});
        }
    }

    const QString startName = g.PointTitle(start);
    const QString finishName = g.PointTitle(finish);
    result.Clear();
    result.Heading(Translate(QStringLiteral("Algor_dejkstry")));

    if (distance[finish] == TAllGraf::Infinity) {
        result.Line(Translate(QStringLiteral("Graf__")) + finishName + QLatin1Char(' ') +
                    Translate(QStringLiteral("Not_reach")) + startName + QLatin1Char('.'));
        result.ShowReport();
        steps.Step("step_path_unreached", {Arg::Vertex(finish), Arg::Vertex(start)});
        return result;
    }

    std::vector<int> route;
    for (int v = finish; v != 0 && int(route.size()) < vertexCount; v = predecessor[v]) {
        route.push_back(v);
        if (v == start)
            break;
    }
    std::reverse(route.begin(), route.end());

    result.Line(Translate(QStringLiteral("Graf__")) + finishName + QLatin1Char(' ') +
                Translate(QStringLiteral("reach")) + startName + Translate(QStringLiteral("_over_")) +
                QString::number(distance[finish]));
    result.Line(Translate(QStringLiteral("reach_graf")) + startName);
    WriteDistanceTable(g, vertexCount, distance.data(), result);
    result.ShowReport();
    if (steps.Enabled()) {
        for (std::size_t k = 1; k < route.size(); ++k)
            steps.SetArc(route[k - 1], route[k], ArcState::Chosen);
        steps.Step("step_path_found", {Arg::Vertex(finish), Arg::Number(distance[finish])});
    }
    result.SetRoute(std::move(route));
    result.resultValue = distance[finish];
    return result;
}
