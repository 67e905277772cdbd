#include "cli/JsonResult.h"

#include "algorithms/RunAlgorithm.h"
#include "document/GraphDocument.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString VertexStateName(StepTrace::VertexState state)
{
    switch (state) {
    case StepTrace::VertexState::None:
        return QStringLiteral("none");
    case StepTrace::VertexState::Current:
        return QStringLiteral("current");
    case StepTrace::VertexState::Visited:
        return QStringLiteral("visited");
    case StepTrace::VertexState::Frontier:
        return QStringLiteral("frontier");
    case StepTrace::VertexState::Finished:
        return QStringLiteral("finished");
    }
    return QString();
}

QString ArcStateName(StepTrace::ArcState state)
{
    switch (state) {
    case StepTrace::ArcState::None:
        return QStringLiteral("none");
    case StepTrace::ArcState::Examined:
        return QStringLiteral("examined");
    case StepTrace::ArcState::Chosen:
        return QStringLiteral("chosen");
    case StepTrace::ArcState::Rejected:
        return QStringLiteral("rejected");
    }
    return QString();
}

} // namespace

QJsonArray StepsJson(const GraphDocument& g, const StepTrace& trace)
{
    using Kind = StepTrace::ChangeKind;
    QJsonArray frames;
    for (int i = 0; i < trace.FrameCount(); ++i) {
        QJsonArray vertices, arcs, captions;
        for (const StepTrace::ChangeRecord& change : trace.ChangesOf(i)) {
            switch (change.kind) {
            case Kind::Vertex:
                vertices.append(QJsonArray{change.a, VertexStateName(StepTrace::VertexState(change.value))});
                break;
            case Kind::Arc:
                arcs.append(QJsonArray{change.a, change.b, ArcStateName(StepTrace::ArcState(change.value))});
                break;
            case Kind::CaptionNumber:
                captions.append(QJsonArray{change.a, QString::number(change.value)});
                break;
            case Kind::CaptionInfinity:
                captions.append(QJsonArray{change.a, QStringLiteral("∞")});
                break;
            case Kind::CaptionText:
                captions.append(QJsonArray{change.a, trace.CaptionText(change.value)});
                break;
            }
        }
        QJsonObject object;
        object.insert(QStringLiteral("narration"),
                      StepTrace::Narration(trace.NarrationOf(i), [&g](int v) { return g.VertexName(v); }));
        object.insert(QStringLiteral("vertices"), vertices);
        object.insert(QStringLiteral("arcs"), arcs);
        object.insert(QStringLiteral("captions"), captions);
        frames.append(object);
    }
    return frames;
}

QByteArray JsonResult::ToJson(const GraphDocument& g, const AlgorithmRun& run) const
{
    const AlgorithmResult& result = run.result;
    QJsonArray route;
    for (int v : result.route)
        route.append(v);

    // Vertex and arc numbers ascend, so the arrays come out sorted.
    QJsonArray activeVertices;
    for (int v = 1; v <= g.VertexCount; ++v)
        if (g.Vertices[v].Active)
            activeVertices.append(v);
    QJsonArray activeArcs;
    for (int a = 1; a <= g.VertexCount; ++a)
        for (int b = 1; b <= g.VertexCount; ++b)
            if (g.Arc(a, b).Active)
                activeArcs.append(QJsonArray{a, b, g.Arc(a, b).Marker});

    QJsonArray vertexFills;
    QJsonArray arcCaptions;
    if (result.drawsPicture) {
        const ResultPictureSpec& picture = result.picture;
        for (int v = 1; v < int(picture.vertexFills.size()); ++v)
            if (picture.vertexFills[v] >= 0)
                vertexFills.append(QJsonArray{v, picture.vertexFills[v]});
        for (const ResultPictureSpec::Arc& arc : picture.arcs)
            arcCaptions.append(QJsonArray{arc.from, arc.to, arc.caption, arc.highlighted});
    }

    QJsonObject object;
    object.insert(QStringLiteral("name"), name);
    object.insert(QStringLiteral("exit"), exitCode);
    object.insert(QStringLiteral("resultCount"), result.resultCount);
    object.insert(QStringLiteral("resultValue"), result.resultValue);
    object.insert(QStringLiteral("route"), route);
    // "path" predates "route" and stays for the scripts that read it.
    object.insert(QStringLiteral("path"), route);
    object.insert(QStringLiteral("activeVertices"), activeVertices);
    object.insert(QStringLiteral("activeArcs"), activeArcs);
    object.insert(QStringLiteral("vertexFills"), vertexFills);
    object.insert(QStringLiteral("arcCaptions"), arcCaptions);
    object.insert(QStringLiteral("steps"), StepsJson(g, result.steps));
    object.insert(QStringLiteral("outp"), QJsonArray::fromStringList(outp));
    object.insert(QStringLiteral("messages"), QJsonArray::fromStringList(messages));
    object.insert(QStringLiteral("report"), report);
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}
