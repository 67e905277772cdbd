#include "drawing/ResultPicture.h"

#include "document/GraphDocument.h"
#include "drawing/DocumentDrawing.h"
#include "drawing/Surface.h"

#include <QPainter>

namespace {

// Vermillion (0x00BBGGRR), which the default styles use for nothing else.
constexpr int StruckArcColor = 0x005ED5;

} // namespace

QImage RenderResultPicture(const GraphDocument& g, const ResultPictureSpec& spec, QSize canvas,
                           const QRect& view, qreal pixelRatio)
{
    return RenderCanvasPart(
        g, canvas, view, [&g, &spec](QPainter& painter) { DrawResultPicture(g, painter, spec); }, pixelRatio);
}

void DrawResultPicture(const GraphDocument& g, QPainter& painter, const ResultPictureSpec& spec)
{
    DrawBackground(g, painter);
    if (spec.arcs.empty()) {
        for (int a = 1; a <= g.VertexCount; ++a)
            for (int k = 0; k < g.OutCount(a); ++k)
                DrawArc(g, painter, a, g.OutArcs(a)[k]);
    } else {
        for (const ResultPictureSpec::Arc& arc : spec.arcs)
            if (arc.struck)
                DrawArcInPen(g, painter, arc.from, arc.to, StruckArcColor, g.Style().ActiveArc.PenSize + 1, 1,
                             0, arc.caption);
            else
                DrawArcAs(g, painter, arc.from, arc.to, arc.highlighted, 0, arc.caption);
    }
    const int vertexCount = spec.vertexCount > 0 ? std::min(spec.vertexCount, g.VertexCount) : g.VertexCount;
    for (int v = 1; v <= vertexCount; ++v) {
        const bool fill = v < int(spec.vertexFills.size()) && spec.vertexFills[v] >= 0;
        DrawVertex(g, painter, v, g.VertexName(v), fill, fill ? spec.vertexFills[v] : 0);
    }
    DrawLabels(g, painter);
}
