// Drawing and hit testing of the three style objects.
#include "document/ElementStyles.h"
#include "drawing/Colors.h"
#include "drawing/CurveFrame.h"
#include "drawing/Surface.h"

#include <QFont>
#include <QPainter>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>
#include <cstdlib>

void VertexStyle::Draw(QPainter& surface) const
{
    surface.setBrush(QBrush(ColorFromInt(BrushColor), BrushStyleFromCode(BrushStyle)));
    surface.setPen(MakePen(PenColor, PenSize, PenStyle));
    // Only the right and bottom edges pull the circle in; near the left or top it is cut off.
    const QSize size = SurfaceSize(surface);
    const int cx = std::min(X, size.width() - Size);
    const int cy = std::min(Y, size.height() - Size);
    // Circles and triangles are always smoothed; arcs when the whole drawing can afford it.
    const bool smooth = surface.testRenderHint(QPainter::Antialiasing);
    surface.setRenderHint(QPainter::Antialiasing, true);
    surface.drawEllipse(QRect(cx - Size, cy - Size, 2 * Size, 2 * Size));
    surface.setRenderHint(QPainter::Antialiasing, smooth);
    const QSize extent = TextExtent(surface, Title);
    TextOut(surface, cx - extent.width() / 2, cy - extent.height() / 2, Title, TextColor, extent);
}

QPoint ArcStyle::CurvePoint(bool project, int x, int y) const
{
    const CurveFrame frame(*this);
    return frame.CurvePoint(project ? frame.ProjectedAbscissa(x, y) : double(x));
}

QPoint ArcStyle::ArrowApex() const
{
    if (X1 == X2) {
        const int sign = (Y2 > Y1) - (Y2 < Y1);
        return QPoint(X1, Y2 - sign * HeadSize);
    }
    const CurveFrame frame(*this);
    const int xs = X1 < X2 ? X1 + RoundHalfEven(frame.ChordLength() - HeadSize) : X2 + HeadSize;
    return frame.CurvePoint(xs);
}

namespace {

// Lines up to this width keep the heads they always had; wider ones would swallow them.
constexpr int plainHeadWidth = 3;

// A head's wing for a line of the given width: with wide lines the head's base stands out
// about three pixels on either side of the line (the wings open 15 degrees each way).
int HeadWing(int wing, int lineWidth)
{
    return lineWidth <= plainHeadWidth ? wing : std::max(wing, 2 * lineWidth + 12);
}

void FillPointer(QPainter& surface, const std::array<QPoint, 3>& triangle)
{
    // Filled in the line colour; the brush keeps its style, so a clear brush leaves an outline.
    const QBrush brush = surface.brush();
    const QPen pen = surface.pen();
    surface.setBrush(QBrush(pen.color(), brush.style()));
    // A wide outline would round the head into the line; the fill carries it instead.
    if (pen.width() > plainHeadWidth)
        surface.setPen(QPen(pen.color(), 1));
    const bool smooth = surface.testRenderHint(QPainter::Antialiasing);
    surface.setRenderHint(QPainter::Antialiasing, true);
    surface.drawPolygon(triangle.data(), int(triangle.size()));
    surface.setRenderHint(QPainter::Antialiasing, smooth);
    surface.setPen(pen);
    surface.setBrush(brush);
}

// Antialiased only when the painter asks for it (DrawAll does for drawings small enough):
// smoothing costs several times the drawing of the lines themselves, more than a redraw of a
// large graph can afford.
void DrawCurve(QPainter& surface, const CurveFrame& frame)
{
    const QSize size = SurfaceSize(surface);
    const int first = frame.LeftX();
    const int last = RoundHalfEven(first + frame.ChordLength());
    if (last <= first)
        return; // a chord shorter than a pixel: the vertices cover it
    bool firstClamped = false, lastClamped = false;
    const QPoint start = frame.PixelPoint(first, size, firstClamped);
    const QPoint end = frame.PixelPoint(last, size, lastClamped);
    if (frame.IsStraight() && !firstClamped && !lastClamped) {
        surface.drawLine(start, end);
        return;
    }
    // Points over a stride of whole pixels short enough that the curve strays less than a
    // quarter pixel from each segment: the same picture as one segment per pixel, at a fraction
    // of the cost. Where the surface edge pulls points in, every pixel is taken so the clamped
    // run follows the edge as drawn per pixel.
    const double curvature = std::abs(frame.Curvature());
    const int stride = curvature > 0 ? std::clamp(int(1 / std::sqrt(curvature)), 1, 1 << 16) : 1 << 16;
    QVarLengthArray<QPoint, 256> points;
    auto collect = [&](int step) {
        points.clear();
        points.append(start);
        bool anyClamped = false;
        for (int t = first; t < last;) {
            t = std::min(last, t + step);
            bool clamped = false;
            const QPoint next = frame.PixelPoint(t, size, clamped);
            anyClamped = anyClamped || clamped;
            if (next != points.back())
                points.append(next);
        }
        return anyClamped;
    };
    if (firstClamped || lastClamped || collect(stride))
        collect(1);
    if (surface.pen().style() != Qt::SolidLine) {
        // A polyline keeps one dash pattern running along the whole curve.
        surface.drawPolyline(points.data(), int(points.size()));
        return;
    }
    // Solid lines as separate segments: the raster engine draws single lines directly but
    // strokes a polyline as a path, many times slower; square caps close the joints.
    QVarLengthArray<QLine, 256> segments;
    for (qsizetype i = 1; i < points.size(); ++i)
        segments.append(QLine(points[i - 1], points[i]));
    surface.drawLines(segments.data(), int(segments.size()));
}

} // namespace

void ArcStyle::Draw(QPainter& surface, int marker, const QString& text) const
{
    surface.setPen(MakePen(PenColor, PenSize, PenStyle));
    DrawCurve(surface, CurveFrame(*this));
    const int width = std::max(PenSize, 1);
    if (Directed)
        FillPointer(surface, PointerTriangle(ArrowApex(), QPoint(X2, Y2), HeadWing(10, width)));
    if (marker == 1)
        FillPointer(surface, PointerTriangle(QPoint(TextX, TextY), QPoint(X2, Y2), HeadWing(15, width)));

    const QString shown = !text.isEmpty() ? text : Weighted ? QString::number(Weight) : QString();
    if (shown.isEmpty())
        return;
    // No brush of its own: the text box takes whatever brush the surface holds.
    const QSize extent = TextExtent(surface, shown);
    TextOut(surface, TextX - extent.width() / 2, TextY - extent.height() / 2, shown, TextColor, extent);
}

bool ArcStyle::HitTest(int x, int y) const
{
    // Measured along the chord, as the curve is drawn: a vertical arc is hit like any other.
    const CurveFrame frame(*this);
    const double t = frame.ProjectedAbscissa(x, y);
    if (!(frame.LeftX() < t && t < frame.LeftX() + frame.ChordLength()))
        return false;
    const QPoint p = frame.CurvePoint(t);
    return std::llabs((long long)p.y() - y) <= PenSize && std::llabs((long long)p.x() - x) <= PenSize;
}

void TextStyle::ApplyFont(QPainter& surface) const
{
    const QFont font = Font();
    if (surface.font() != font)
        surface.setFont(font);
}

void TextStyle::DrawText(QPainter& surface, int x, int y, const QString& text) const
{
    ApplyFont(surface);
    surface.setBrush(QBrush(ColorFromInt(ColorBackground), surface.brush().style()));
    TextOut(surface, x, y, text, Color, TextExtent(surface, text));
}
