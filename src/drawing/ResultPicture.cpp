#include "drawing/ResultPicture.h"

#include "document/AllGrafUnit.h"
#include "drawing/DocumentDrawing.h"
#include "drawing/Surface.h"

#include <QPainter>

QImage RenderResultPicture(const TAllGraf& g, const ResultPictureSpec& spec, const QRect& view)
{
    const QRect canvas(0, 0, g.CanvasWidth(), g.CanvasHeight());
    const QRect part = view.isEmpty() ? canvas : view;
    if (!PictureSizeAllowed(part.width(), part.height()))
        return QImage();
    QImage surface(part.size(), QImage::Format_RGB32);
    surface.setOffset(part.topLeft());
    QPainter painter;
    BeginSurface(painter, &surface);
    // Canvas coordinates throughout; only the part is on the surface.
    painter.setWindow(canvas);
    painter.setViewport(QRect(-part.topLeft(), canvas.size()));
    DrawBackground(g, painter);
    painter.setRenderHint(QPainter::Antialiasing, SmoothArcs(g));
    if (spec.arcs.empty()) {
        for (int a = 1; a <= g.PointCount; ++a)
            for (int k = 0; k < g.DugaCount[a]; ++k)
                DrawDuga(g, painter, a, g.DugaList(a)[k]);
    } else {
        for (const ResultPictureSpec::Arc& arc : spec.arcs)
            DrawDugaAs(g, painter, arc.from, arc.to, arc.highlighted, 0, arc.caption);
    }
    const int vertexCount = spec.vertexCount > 0 ? std::min(spec.vertexCount, g.PointCount) : g.PointCount;
    for (int v = 1; v <= vertexCount; ++v) {
        const bool fill = v < int(spec.vertexFills.size()) && spec.vertexFills[v] >= 0;
        DrawPoint(g, painter, v, g.PointTitle(v), fill, fill ? spec.vertexFills[v] : 0);
    }
    DrawLabels(g, painter);
    return surface;
}
