#include "algorithms/ShortestPaths.h"

#include "algorithms/AlgorithmOutput.h"
#include "base/TranslateManager.h"
#include "document/AllGrafUnit.h"

#include <algorithm>

namespace {

// "%3d": right-aligned in three places, wider numbers take the room they need.
QString Format3d(int value)
{
    return QStringLiteral("%1").arg(value, 3);
}

void WriteDistanceTable(TAllGraf& g, int vertexCount, const TAllGraf::VertexArray<int>& distance)
{
    HTMLReportManager& report = g.ReportManager;
    QString header;
    QString values;
    report.BeginTable();
    report.BeginRow();
    for (int v = 1; v <= vertexCount; ++v) {
        const QString name = g.PointTitle(v);
        header += QStringLiteral("| ") + name + QLatin1Char(' ');
        report.AddCell(name);
    }
    report.EndRow();
    report.BeginRow();
    for (int v = 1; v <= vertexCount; ++v) {
        const bool reached = distance[v] != TAllGraf::Infinity;
        values += reached ? QLatin1Char('|') + Format3d(distance[v]) : QStringLiteral("|  x");
        report.AddCell(reached ? Format3d(distance[v]) : QStringLiteral("x"));
    }
    report.EndRow();
    report.EndTable();
    g.Outp().AddLine(header + QLatin1Char('|'));
    g.Outp().AddLine(values + QLatin1Char('|'));
}

} // namespace

void DijkstraShortestPath(TAllGraf& g, int start, int finish, int vertexCount, std::array<int, 255>& path,
                          int& resultCount, int& resultValue)
{
    TAllGraf::VertexArray<int> distance;
    TAllGraf::VertexArray<int> predecessor;
    TAllGraf::VertexArray<quint8> finished;
    distance.fill(TAllGraf::Infinity);
    predecessor.fill(0);
    finished.fill(0);
    path.fill(0);
    resultCount = -1;
    resultValue = 0;
    vertexCount = std::clamp(vertexCount, 0, g.PointCount);
    if (start == finish || start < 1 || finish < 1 || start > vertexCount || finish > vertexCount)
        return;

    distance[start] = 0;
    finished[start] = 1;
    int current = start;
    int currentDistance = 0;
    while (current != -1) {
        const int* heads = g.DugaList(current);
        for (int k = 0; k < g.DugaCount[current]; ++k) {
            const int w = heads[k];
            const int candidate = g.Dugi[current][w].Cost + currentDistance;
            if (candidate < distance[w]) {
                distance[w] = candidate;
                predecessor[w] = current;
            }
        }
        current = -1;
        int nearest = TAllGraf::Infinity;
        for (int v = 1; v <= vertexCount; ++v)
            if (!finished[v] && distance[v] < nearest) {
                nearest = distance[v];
                current = v;
            }
        if (current != -1) {
            currentDistance = nearest;
            finished[current] = 1;
        }
    }

    const QString startName = g.PointTitle(start);
    const QString finishName = g.PointTitle(finish);
    AlgorithmOutput::Begin(g);
    AlgorithmOutput::Heading(g, Translate(QStringLiteral("Algor_dejkstry")));

    if (distance[finish] == TAllGraf::Infinity) {
        AlgorithmOutput::Line(g, Translate(QStringLiteral("Graf__")) + finishName + QLatin1Char(' ') +
                                     Translate(QStringLiteral("Not_reach")) + startName + QLatin1Char('.'));
        AlgorithmOutput::ShowReport(g);
        return;
    }

    int count = 0;
    for (int v = finish; v != 0 && count < int(path.size()); v = predecessor[v]) {
        path[count++] = v;
        if (v == start)
            break;
    }
    std::reverse(path.begin(), path.begin() + count);

    AlgorithmOutput::Line(g, Translate(QStringLiteral("Graf__")) + finishName + QLatin1Char(' ') +
                                 Translate(QStringLiteral("reach")) + startName +
                                 Translate(QStringLiteral("_over_")) + QString::number(distance[finish]));
    AlgorithmOutput::Line(g, Translate(QStringLiteral("reach_graf")) + startName);
    WriteDistanceTable(g, vertexCount, distance);
    AlgorithmOutput::ShowReport(g);
    resultCount = count;
    resultValue = distance[finish];
}
