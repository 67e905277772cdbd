#include "algorithms/ShortestPaths.h"

#include "base/TranslationManager.h"
#include "document/GraphDocument.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

using Arg = StepTrace::Argument;
using VertexState = StepTrace::VertexState;
using ArcState = StepTrace::ArcState;

constexpr int Infinity = GraphDocument::Infinity;

// A table of values: in the Text pane a header line (the corner, then "|" and the title of
// each column) and per row its title, "|" and the values apart by blanks, the pane's infinity
// mark for infinity; titles and values right-aligned in columns one wider than the widest of
// them, so that every bar and every value stands in its column. In the report a header row (an
// empty cell, then the titles) and per row its title and the same values, "x" for infinity.
template <typename ValueAt>
void WriteValueTable(AlgorithmResult& result, QLatin1String corner, const QStringList& columns,
                     const QStringList& rows, QLatin1String paneInfinity, ValueAt valueAt)
{
    const QString reportInfinity = QStringLiteral("x");
    const QString infinityMark = QString(paneInfinity).trimmed();
    QStringList paneLines;
    QList<QStringList> reportRows;
    paneLines.reserve(rows.size() + 1);
    reportRows.reserve(rows.size() + 1);

    // Cells first: their widths set the columns.
    QList<QStringList> valueCells;
    valueCells.reserve(rows.size());
    qsizetype width = infinityMark.size(); // the widest cell, then one blank more
    qsizetype titleWidth = corner.size();
    for (const QString& title : columns)
        width = std::max(width, title.size());
    for (int r = 0; r < rows.size(); ++r) {
        titleWidth = std::max(titleWidth, rows[r].size());
        QStringList cells;
        cells.reserve(columns.size());
        // Neighbouring cells often repeat (a pass table): they share one string.
        int previous = -1;
        QString previousCell;
        for (int c = 0; c < columns.size(); ++c) {
            const int value = valueAt(r, c);
            if (value == Infinity) {
                cells.append(QString());
                continue;
            }
            if (value != previous || previousCell.isNull()) {
                previous = value;
                previousCell = Format3d(value);
                width = std::max(width, previousCell.trimmed().size());
            }
            cells.append(previousCell);
        }
        valueCells.append(std::move(cells));
    }

    width = std::max<qsizetype>(3, width + 1);
    QString header = QString(corner).leftJustified(titleWidth);
    QStringList headerCells{QString()};
    for (const QString& title : columns) {
        header += QLatin1Char('|') + title.rightJustified(width);
        headerCells.append(title);
    }
    paneLines.append(header);
    reportRows.append(headerCells);

    for (int r = 0; r < rows.size(); ++r) {
        QString line = rows[r].leftJustified(titleWidth) + QLatin1Char('|');
        line.reserve(line.size() + (width + 1) * columns.size());
        QStringList cells;
        cells.reserve(columns.size() + 1);
        cells.append(rows[r]);
        for (int c = 0; c < columns.size(); ++c) {
            const QString& value = valueCells[r][c];
            if (c > 0)
                line += QLatin1Char(' ');
            line += (value.isNull() ? infinityMark : value).rightJustified(width);
            cells.append(value.isNull() ? reportInfinity : value);
        }
        paneLines.append(line);
        reportRows.append(cells);
    }
    result.Table(paneLines, reportRows);
}

// Whether an arc a -> b exists, for vertices 1..vertexCount: a bit per ordered pair.
std::vector<quint8> ArcTable(const GraphDocument& g, int vertexCount)
{
    const std::size_t side = std::size_t(vertexCount) + 1;
    std::vector<quint8> arcs(side * side, 0);
    for (int a = 1; a <= vertexCount; ++a)
        for (int b : g.OutArcs(a))
            if (b <= vertexCount)
                arcs[std::size_t(a) * side + std::size_t(b)] = 1;
    return arcs;
}

QStringList VertexNames(const GraphDocument& g, int vertexCount)
{
    QStringList names;
    names.reserve(vertexCount);
    for (int v = 1; v <= vertexCount; ++v)
        names.append(g.VertexName(v));
    return names;
}

bool EndsValid(int start, int finish, int vertexCount)
{
    return start != finish && start >= 1 && finish >= 1 && start <= vertexCount && finish <= vertexCount;
}

QString ReachedLine(const GraphDocument& g, int start, int finish, const QString& tail)
{
    return Translate(QStringLiteral("Graf__")) + g.VertexName(finish) + QLatin1Char(' ') +
           Translate(QStringLiteral("reach")) + g.VertexName(start) + tail;
}

QString UnreachedLine(const GraphDocument& g, int start, int finish)
{
    return Translate(QStringLiteral("Graf__")) + g.VertexName(finish) + QLatin1Char(' ') +
           Translate(QStringLiteral("Not_reach")) + g.VertexName(start) + QLatin1Char('.');
}

void TraceRoute(StepTrace& steps, const std::vector<int>& route, int finish, int length)
{
    if (!steps.Enabled())
        return;
    for (std::size_t k = 1; k < route.size(); ++k)
        steps.SetArc(route[k - 1], route[k], ArcState::Chosen);
    steps.Step("step_path_found", {Arg::Vertex(finish), Arg::Number(length)});
}

} // namespace

void WriteDistanceTable(const GraphDocument& g, int vertexCount, const int* distance, AlgorithmResult& result)
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
        // Each column as wide as its name with a blank either side, or as its value: the bars
        // of both lines stand one above the other.
        const QString name = g.VertexName(v);
        const bool reached = distance[v] != GraphDocument::Infinity;
        const QString value = reached ? Format3d(distance[v]) : QStringLiteral("x");
        const qsizetype width = std::max(name.size() + 2, value.size());
        header += QLatin1Char('|') + (QLatin1Char(' ') + name).leftJustified(width);
        values += QLatin1Char('|') + value.rightJustified(width);
        names.append(name);
        cells.append(value);
    }
    result.Table({header + QLatin1Char('|'), values + QLatin1Char('|')}, {names, cells});
}

AlgorithmResult DijkstraShortestPath(const GraphDocument& g, int start, int finish, int vertexCount,
                                     bool recordSteps)
{
    AlgorithmResult result;
    result.resultCount = -1;
    vertexCount = std::clamp(vertexCount, 0, g.VertexCount);
    if (start == finish || start < 1 || finish < 1 || start > vertexCount || finish > vertexCount)
        return result;

    StepTrace& steps = result.steps;
    if (recordSteps) {
        steps.Start(vertexCount);
        // A frame for every arc examined and every vertex fixed.
        int arcs = 0;
        for (int v = 1; v <= vertexCount; ++v)
            arcs += g.OutCount(v);
        steps.Reserve(arcs + vertexCount + 2);
        for (int v = 1; v <= vertexCount; ++v)
            steps.SetCaptionInfinity(v);
    }

    GraphDocument::VertexArray<int> distance;
    GraphDocument::VertexArray<int> predecessor;
    // The distance of each unfinished vertex, and a value above every distance for the
    // finished ones, so the search for the next vertex is one branch-free scan.
    constexpr int Taken = std::numeric_limits<int>::max();
    GraphDocument::VertexArray<int> open;
    distance.fill(GraphDocument::Infinity);
    predecessor.fill(0);
    open.fill(GraphDocument::Infinity);

    distance[start] = 0;
    open[start] = Taken;
    steps.SetVertex(start, VertexState::Current);
    steps.SetCaptionNumber(start, 0);
    steps.Step("step_dijkstra_start", {Arg::Vertex(start)});
    int current = start;
    int currentDistance = 0;
    while (current != -1) {
        const std::span<const int> heads = g.OutArcs(current);
        const std::span<const ArcRecord> arcs = g.OutRecords(current);
        for (std::size_t k = 0; k < heads.size(); ++k) {
            const int w = heads[k];
            const int candidate = arcs[k].Weight + currentDistance;
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
            } else if (steps.Enabled() && open[w] == Taken) {
                // A fixed vertex is never reconsidered; on an undirected graph this is mostly the
                // tree edge just used the other way, which keeps its state.
                steps.Step("step_dijkstra_fixed",
                           {Arg::Vertex(current), Arg::Vertex(w), Arg::Number(distance[w])});
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
        int nearest = GraphDocument::Infinity;
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

    const QString startName = g.VertexName(start);
    const QString finishName = g.VertexName(finish);
    result.Clear();
    result.Heading(Translate(QStringLiteral("Algor_dejkstry")));

    if (distance[finish] == GraphDocument::Infinity) {
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

std::vector<int> AllPairsDistances(const GraphDocument& g, int vertexCount, StepTrace* steps,
                                   const std::function<void(const std::vector<int>&)>& afterPass)
{
    const int n = std::clamp(vertexCount, 0, g.VertexCount);
    const std::size_t side = std::size_t(n) + 1;
    std::vector<int> d(side * side, Infinity);
    for (int u = 1; u <= n; ++u) {
        const std::span<const int> heads = g.OutArcs(u);
        for (std::size_t k = 0; k < heads.size(); ++k)
            if (heads[k] <= n)
                d[std::size_t(u) * side + std::size_t(heads[k])] = g.OutRecords(u)[k].Weight;
    }

    const bool tracing = steps && steps->Enabled();
    if (tracing)
        steps->Step("step_floyd_start");
    if (afterPass)
        afterPass(d);
    // Cells improved by the previous intermediate vertex, shown until the next one.
    std::vector<std::pair<int, int>> shownCells;
    std::vector<int> shownRows;
    for (int k = 1; k <= n; ++k) {
        const int* rowK = &d[std::size_t(k) * side];
        int improved = 0;
        if (tracing) {
            for (const auto& [i, j] : shownCells)
                steps->SetArc(i, j, ArcState::None);
            for (int i : shownRows)
                steps->SetCaptionText(i, QString());
            shownCells.clear();
            shownRows.clear();
            if (k > 1)
                steps->SetVertex(k - 1, VertexState::Finished);
            steps->SetVertex(k, VertexState::Current);
        }
        for (int i = 1; i <= n; ++i) {
            int* rowI = &d[std::size_t(i) * side];
            const int viaK = rowI[k];
            const int oldDiagonal = rowI[i];
            // Row k does not change while k is the intermediate vertex (no negative weights),
            // so the order of the cells does not matter.
            if (viaK != Infinity) {
                if (!tracing) {
                    for (int j = 1; j <= n; ++j)
                        rowI[j] = std::min(rowI[j], viaK + rowK[j]);
                } else {
                    // The row's caption names its first few improved cells; a caption is
                    // read under a vertex, so the rest is only marked.
                    constexpr int namedCells = 4;
                    QString caption;
                    int inRow = 0;
                    for (int j = 1; j <= n; ++j) {
                        const int sum = viaK + rowK[j];
                        if (sum < rowI[j]) {
                            rowI[j] = sum;
                            if (i == j)
                                continue;
                            ++improved;
                            shownCells.emplace_back(i, j);
                            steps->SetArc(i, j, ArcState::Chosen);
                            if (inRow++ == namedCells) {
                                caption += QStringLiteral(", …");
                                continue;
                            }
                            if (inRow > namedCells)
                                continue;
                            if (!caption.isEmpty())
                                caption += QStringLiteral(", ");
                            caption += QStringLiteral("→") + g.VertexName(j) + QLatin1Char('=') +
                                       QString::number(sum);
                        }
                    }
                    if (!caption.isEmpty()) {
                        steps->SetCaptionText(i, caption);
                        shownRows.push_back(i);
                    }
                }
            }
            // A diagonal cell that the sum through k does not shorten becomes 0.
            if (!(viaK + rowK[i] < oldDiagonal))
                rowI[i] = 0;
        }
        if (tracing)
            steps->Step("step_floyd_through", {Arg::Vertex(k), Arg::Number(improved)});
        if (afterPass)
            afterPass(d);
    }
    return d;
}

AlgorithmResult FloydWarshallPath(const GraphDocument& g, int start, int finish, int vertexCount,
                                  bool recordSteps)
{
    AlgorithmResult result;
    result.resultCount = -1;
    vertexCount = std::clamp(vertexCount, 0, g.VertexCount);
    if (!EndsValid(start, finish, vertexCount))
        return result;
    StepTrace& steps = result.steps;
    if (recordSteps)
        steps.Start(vertexCount);

    const std::vector<int> d = AllPairsDistances(g, vertexCount, &steps);
    const std::size_t side = std::size_t(vertexCount) + 1;
    auto distance = [&d, side](int i, int j) { return d[std::size_t(i) * side + std::size_t(j)]; };
    const int length = distance(start, finish);
    const bool reached = length != Infinity;

    result.Clear();
    result.Heading(Translate(QStringLiteral("Algor_floid")));
    if (reached)
        result.Line(ReachedLine(g, start, finish,
                                Translate(QStringLiteral("Length_trace")) + QString::number(length) +
                                    QLatin1Char('.')));
    else
        result.Line(UnreachedLine(g, start, finish));
    const QStringList names = VertexNames(g, vertexCount);
    WriteValueTable(result, QLatin1String("   "), names, names, QLatin1String("   x"),
                    [&distance](int r, int c) { return distance(r + 1, c + 1); });
    result.ShowReport();

    if (!reached) {
        result.resultValue = -1;
        steps.Step("step_path_unreached", {Arg::Vertex(finish), Arg::Vertex(start)});
        return result;
    }

    // Back from the finish through the lowest-numbered predecessor that explains its
    // distance; weights of at least 1 make every step strictly nearer the start.
    const std::vector<quint8> arcs = ArcTable(g, vertexCount);
    std::vector<int> route{finish};
    for (int t = finish; t != start && int(route.size()) <= vertexCount;) {
        int predecessor = 0;
        for (int u = 1; u <= vertexCount && predecessor == 0; ++u)
            if (u != t && arcs[std::size_t(u) * side + std::size_t(t)] &&
                g.Arc(u, t).Weight + distance(start, u) == distance(start, t) &&
                distance(start, u) != distance(start, t))
                predecessor = u;
        if (predecessor == 0)
            break;
        route.push_back(predecessor);
        t = predecessor;
    }
    std::reverse(route.begin(), route.end());
    TraceRoute(steps, route, finish, length);
    result.SetRoute(std::move(route));
    result.resultValue = length;
    return result;
}

AlgorithmResult BellmanFordPath(const GraphDocument& g, int start, int finish, int vertexCount,
                                bool recordSteps)
{
    AlgorithmResult result;
    result.resultCount = -1;
    vertexCount = std::clamp(vertexCount, 0, g.VertexCount);
    if (!EndsValid(start, finish, vertexCount))
        return result;
    StepTrace& steps = result.steps;
    const int n = vertexCount;
    const std::size_t side = std::size_t(n) + 1;
    if (recordSteps) {
        steps.Start(n);
        for (int v = 1; v <= n; ++v)
            steps.SetCaptionInfinity(v);
        steps.SetCaptionNumber(start, 0);
        steps.SetVertex(start, VertexState::Current);
        steps.Step("step_ford_start", {Arg::Vertex(start)});
    }

    // Column c (passes 0..n) holds the best lengths over at most c arcs.
    std::vector<int> table(side * side, Infinity);
    auto column = [&table, side](int c) { return &table[std::size_t(c) * side]; };
    column(0)[start] = 0;
    std::vector<int> shown;
    bool stable = false;
    for (int c = 0; c < n; ++c) {
        const int* before = column(c);
        int* after = column(c + 1);
        std::copy(before, before + side, after);
        // Once a pass changes nothing, every later pass repeats its column.
        if (stable)
            continue;
        for (int u = 1; u <= n; ++u) {
            if (before[u] == Infinity)
                continue;
            const std::span<const int> heads = g.OutArcs(u);
            const std::span<const ArcRecord> arcs = g.OutRecords(u);
            for (std::size_t k = 0; k < heads.size(); ++k)
                if (heads[k] <= n)
                    after[heads[k]] = std::min(after[heads[k]], arcs[k].Weight + before[u]);
        }
        int improved = 0;
        for (int v = 1; v <= n; ++v)
            if (after[v] != before[v])
                ++improved;
        stable = improved == 0;
        if (steps.Enabled()) {
            for (int v : shown)
                steps.SetVertex(v, VertexState::Visited);
            shown.clear();
            for (int v = 1; v <= n; ++v)
                if (after[v] != before[v]) {
                    shown.push_back(v);
                    steps.SetVertex(v, VertexState::Frontier);
                    steps.SetCaptionNumber(v, after[v]);
                }
            if (stable)
                steps.Step("step_ford_stable", {Arg::Number(c + 1)});
            else
                steps.Step("step_ford_pass", {Arg::Number(c + 1), Arg::Number(improved)});
        }
    }

    const int length = column(n)[finish];
    result.Clear();
    result.Heading(Translate(QStringLiteral("Alg_fordBel")));
    if (length == Infinity) {
        result.Line(UnreachedLine(g, start, finish));
        result.ShowReport();
        result.resultValue = -1;
        steps.Step("step_path_unreached", {Arg::Vertex(finish), Arg::Vertex(start)});
        return result;
    }
    result.Line(ReachedLine(
        g, start, finish, Translate(QStringLiteral("_over_")) + QString::number(length) + QLatin1Char('.')));
    QStringList passes;
    passes.reserve(n);
    for (int c = 1; c <= n; ++c)
        passes.append(QString::number(c));
    WriteValueTable(result, QLatin1String("__"), passes, VertexNames(g, n), QLatin1String("  x "),
                    [&column](int r, int c) { return column(c + 1)[r + 1]; });
    result.ShowReport();

    // Back from the finish: in each pass where the vertex's estimate fell, the lowest-numbered
    // predecessor whose estimate before that pass explains the new one.
    const std::vector<quint8> arcs = ArcTable(g, n);
    std::vector<int> route{finish};
    int t = finish;
    for (int c = n; c >= 1; --c) {
        if (column(c)[t] == column(c - 1)[t])
            continue;
        int predecessor = 0;
        for (int u = 1; u <= n && predecessor == 0; ++u)
            if (arcs[std::size_t(u) * side + std::size_t(t)] && column(c - 1)[u] != Infinity &&
                g.Arc(u, t).Weight + column(c - 1)[u] == column(c)[t])
                predecessor = u;
        if (predecessor == 0)
            break;
        route.push_back(predecessor);
        t = predecessor;
    }
    std::reverse(route.begin(), route.end());
    TraceRoute(steps, route, finish, length);
    result.SetRoute(std::move(route));
    result.resultValue = length;
    return result;
}
