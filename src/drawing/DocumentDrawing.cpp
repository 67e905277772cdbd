// The document's drawing operations, the whole picture and the arc scan.
#include "drawing/DocumentDrawing.h"

#include "document/GraphDocument.h"
#include "drawing/Colors.h"
#include "drawing/Surface.h"

#include <QPainter>
#include <algorithm>
#include <bitset>

void DrawBackground(const GraphDocument& g, QPainter& surface)
{
    // Cleared whatever brush the surface holds, so an old picture never shows through.
    const QSize size = SurfaceSize(surface);
    surface.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    if (!g.BackgroundFile.isEmpty() && !g.BackgroundBitmap.isNull())
        surface.drawImage(0, 0, g.BackgroundBitmap);
}

void DrawArc(const GraphDocument& g, QPainter& surface, int a, int b, const QString& text)
{
    if (!g.IsVertex(a) || !g.IsVertex(b))
        return;
    const ArcRecord& cell = g.Arc(a, b);
    DrawArcAs(g, surface, a, b, cell.Active, cell.Marker, text);
}

void DrawArcAs(const GraphDocument& g, QPainter& surface, int a, int b, bool active, int marker,
               const QString& text)
{
    if (!g.IsVertex(a) || !g.IsVertex(b))
        return;
    const ArcRecord& cell = g.Arc(a, b);
    ArcStyle style = active ? g.Style().ActiveArc : g.Style().NormalArc;
    const TextStyle& font = active ? g.ActiveLabelStyle : g.NormalLabelStyle;
    style.SetGeometry(g.Vertices[a].X, g.Vertices[a].Y, g.Vertices[b].X, g.Vertices[b].Y, g.Vertices[b].Size,
                      cell.X(), cell.Y(), cell.Weight, g.Directed, g.Weighted);
    font.ApplyFont(surface);
    style.Draw(surface, active ? marker : 0, text);
}

void DrawArcInPen(const GraphDocument& g, QPainter& surface, int a, int b, int color, int width,
                  quint8 penStyle, int marker, const QString& text)
{
    if (!g.IsVertex(a) || !g.IsVertex(b))
        return;
    const ArcRecord& cell = g.Arc(a, b);
    ArcStyle style = g.Style().NormalArc;
    style.PenColor = color;
    style.PenSize = width;
    style.PenStyle = penStyle;
    style.SetGeometry(g.Vertices[a].X, g.Vertices[a].Y, g.Vertices[b].X, g.Vertices[b].Y, g.Vertices[b].Size,
                      cell.X(), cell.Y(), cell.Weight, g.Directed, g.Weighted);
    g.NormalLabelStyle.ApplyFont(surface);
    style.Draw(surface, marker, text);
}

void DrawVertex(const GraphDocument& g, QPainter& surface, int v, const QString& title, bool overrideFill,
                int fillColor)
{
    if (v < 1 || v > g.VertexCount)
        return;
    const VertexRecord& point = g.Vertices[v];
    VertexStyle style = point.Active ? g.Style().ActiveVertex : g.Style().NormalVertex;
    const TextStyle& font = point.Active ? g.ActiveLabelStyle : g.NormalLabelStyle;
    style.SetPoint(point.X, point.Y, title, point.Size);
    if (overrideFill) {
        style.BrushColor = fillColor;
        // A result's fill (a colouring's blue or black) must not swallow the name on it.
        style.TextColor = ReadableTextColor(style.TextColor, fillColor);
    }
    font.ApplyFont(surface);
    style.Draw(surface);
}

void DrawLabel(const GraphDocument& g, QPainter& surface, int i)
{
    if (i < 1 || i > g.LabelCount)
        return;
    const LabelRecord& label = g.Labels[i];
    (label.Active ? g.ActiveLabelStyle : g.NormalLabelStyle).DrawText(surface, label.X, label.Y, label.Text);
}

void DrawLabels(const GraphDocument& g, QPainter& surface)
{
    for (int i = 1; i <= g.LabelCount; ++i)
        DrawLabel(g, surface, i);
}

bool SmoothArcs(const GraphDocument& g)
{
    // Smoothing costs about four times the plain lines; up to this many arc cells a full
    // redraw stays well inside its budget (bench/DrawingBench.cpp), above it the drawing
    // keeps the plain lines.
    constexpr int smoothArcLimit = 400;
    int cells = 0;
    for (int a = 1; a <= g.VertexCount && cells <= smoothArcLimit; ++a)
        cells += g.OutCount(a);
    return cells <= smoothArcLimit;
}

void DrawAll(GraphDocument& g, QPainter& surface)
{
    DrawBackground(g, surface);
    surface.setRenderHint(QPainter::TextAntialiasing, true);

    // An undirected edge is stored as two cells that are drawn over the same curve, the second
    // covering the first. Where the two would leave identical pixels the first is skipped.
    // Vertical chords are excluded because their curve is traced from the tail.
    std::array<std::bitset<GraphDocument::MaxVertices + 1>, GraphDocument::MaxVertices + 1> reverse{};
    if (!g.Directed)
        for (int a = 1; a <= g.VertexCount; ++a)
            for (int k = 0; k < g.OutCount(a); ++k)
                reverse[g.OutArcs(a)[k]].set(a);
    auto coveredLater = [&g, &reverse](int a, int b) {
        if (g.Directed || b <= a || !reverse[a].test(b) || g.Vertices[a].X == g.Vertices[b].X)
            return false;
        const ArcRecord& first = g.Arc(a, b);
        const ArcRecord& second = g.Arc(b, a);
        const int firstMarker = first.Active ? first.Marker : 0;
        const int secondMarker = second.Active ? second.Marker : 0;
        return first.X() == second.X() && first.Y() == second.Y() && first.Weight == second.Weight &&
               first.Active == second.Active && firstMarker == secondMarker;
    };
    for (int a = 1; a <= g.VertexCount; ++a)
        for (int k = 0; k < g.OutCount(a); ++k) {
            const int b = g.OutArcs(a)[k];
            if (!coveredLater(a, b))
                DrawArc(g, surface, a, b);
        }

    const QSize size = SurfaceSize(surface);
    for (int v = 1; v <= g.VertexCount; ++v) {
        g.Vertices[v].X = std::min(g.Vertices[v].X, size.width() - g.VertexSize);
        g.Vertices[v].Y = std::min(g.Vertices[v].Y, size.height() - g.VertexSize);
        DrawVertex(g, surface, v, g.VertexName(v));
    }
    DrawLabels(g, surface);
}

void DrawAll(GraphDocument& g, QImage& surface)
{
    if (surface.isNull())
        return;
    QPainter painter;
    BeginSurface(painter, &surface);
    painter.setRenderHint(QPainter::Antialiasing, SmoothArcs(g));
    DrawAll(g, painter);
}

namespace {

// A painter never maps a logical unit to less than one pixel of its picture: a picture with
// fewer pixels than canvas units (a view zoomed out) gets that scale through its viewport.
QRect ScaledViewport(const QImage& surface, const QRect& viewport)
{
    const qreal below = std::min<qreal>(1.0, surface.devicePixelRatio());
    if (below >= 1.0)
        return viewport;
    return QRectF(QPointF(viewport.topLeft()) * below, QSizeF(viewport.size()) * below).toRect();
}

} // namespace

void DrawVisible(GraphDocument& g, QImage& surface, QSize canvas, QPoint scroll)
{
    if (surface.isNull() || canvas.isEmpty())
        return;
    surface.setOffset(scroll);
    QPainter painter;
    BeginSurface(painter, &surface);
    // Logical canvas coordinates, shifted so that `scroll` lands on the surface's origin.
    painter.setWindow(QRect(QPoint(0, 0), canvas));
    painter.setViewport(ScaledViewport(surface, QRect(-scroll, canvas)));
    painter.setRenderHint(QPainter::Antialiasing, SmoothArcs(g));
    DrawAll(g, painter);
}

bool PictureSizeAllowed(int width, int height)
{
    return width > 0 && height > 0 && width <= MaxPictureSide && height <= MaxPictureSide &&
           qint64(width) * height * 4 <= MaxPictureBytes;
}

QImage RenderCanvasPart(const GraphDocument& g, QSize canvasSize, const QRect& view,
                        const std::function<void(QPainter&)>& draw, qreal pixelRatio)
{
    const QRect canvas(QPoint(0, 0), canvasSize);
    const QRect part = view.isEmpty() ? canvas : view;
    const qreal ratio = pixelRatio > 0 ? pixelRatio : 1.0;
    const QSize pixels(qRound(part.width() * ratio), qRound(part.height() * ratio));
    if (!PictureSizeAllowed(part.width(), part.height()) ||
        !PictureSizeAllowed(pixels.width(), pixels.height()))
        return QImage();
    QImage surface(pixels, QImage::Format_RGB32);
    surface.setDevicePixelRatio(ratio);
    surface.setOffset(part.topLeft());
    QPainter painter;
    BeginSurface(painter, &surface);
    // Canvas coordinates throughout; only the part is on the surface.
    painter.setWindow(canvas);
    painter.setViewport(ScaledViewport(surface, QRect(-part.topLeft(), canvas.size())));
    painter.setRenderHint(QPainter::Antialiasing, SmoothArcs(g));
    draw(painter);
    return surface;
}

QImage RenderCanvas(GraphDocument& g, QSize canvas)
{
    const int width = canvas.width();
    const int height = canvas.height();
    if (!PictureSizeAllowed(width, height))
        return QImage();
    QImage surface(width, height, QImage::Format_RGB32);
    DrawAll(g, surface);
    return surface;
}

bool FindArcAt(const GraphDocument& g, int x, int y, int& tail, int& head)
{
    bool found = false;
    ArcStyle probe = g.Style().NormalArc;
    for (int a = 1; a <= g.VertexCount; ++a)
        for (int k = 0; k < g.OutCount(a); ++k) {
            const int b = g.OutArcs(a)[k];
            const ArcRecord& cell = g.Arc(a, b);
            probe.SetGeometry(g.Vertices[a].X, g.Vertices[a].Y, g.Vertices[b].X, g.Vertices[b].Y,
                              g.Vertices[b].Size, cell.X(), cell.Y(), cell.Weight, g.Directed, g.Weighted);
            if (probe.HitTest(x, y)) {
                // A later tail replaces an earlier hit: the cell drawn last is the one seen.
                tail = a;
                head = b;
                found = true;
                break;
            }
        }
    return found;
}
