#include "cli/JsonResult.h"

#include "algorithms/RunAlgorithm.h"
#include "document/AllGrafUnit.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

QByteArray JsonResult::ToJson(const TAllGraf& g, const AlgorithmRun& run) const
{
    QJsonArray path;
    const int count = std::min(run.resultCount, int(g.PathPoints.size()));
    for (int k = 0; k < count; ++k)
        path.append(g.PathPoints[k]);

    // Vertex and arc numbers ascend, so the arrays come out sorted.
    QJsonArray activeVertices;
    for (int v = 1; v <= g.PointCount; ++v)
        if (g.Points[v].Active)
            activeVertices.append(v);
    QJsonArray activeArcs;
    for (int a = 1; a <= g.PointCount; ++a)
        for (int b = 1; b <= g.PointCount; ++b)
            if (g.Dugi[a][b].Active)
                activeArcs.append(QJsonArray{a, b, g.Dugi[a][b].Marker});

    QJsonObject object;
    object.insert(QStringLiteral("name"), name);
    object.insert(QStringLiteral("exit"), exitCode);
    object.insert(QStringLiteral("resultCount"), run.resultCount);
    object.insert(QStringLiteral("resultValue"), run.resultValue);
    object.insert(QStringLiteral("path"), path);
    object.insert(QStringLiteral("activeVertices"), activeVertices);
    object.insert(QStringLiteral("activeArcs"), activeArcs);
    object.insert(QStringLiteral("outp"), QJsonArray::fromStringList(outp));
    object.insert(QStringLiteral("messages"), QJsonArray::fromStringList(messages));
    object.insert(QStringLiteral("report"), report);
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}
