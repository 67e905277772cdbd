// The document's drawing operations, the whole picture and the arc scan.
#include "document/AllGrafUnit.h"
#include "drawing/Surface.h"

#include <QPainter>
#include <algorithm>
#include <bitset>

void TAllGraf::DrawBackground(QPainter& surface) const
{
    // Cleared whatever brush the surface holds, so an old picture never shows through.
    const QSize size = SurfaceSize(surface);
    surface.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    if (!BackgroundFile.isEmpty() && !BackgroundBitmap.isNull())
        surface.drawImage(0, 0, BackgroundBitmap);
}

void TAllGraf::DrawDuga(QPainter& surface, int a, int b, const QString& text) const
{
    if (a < 1 || b < 1 || a > PointCount || b > PointCount)
        return;
    const TDugaRec& cell = Dugi[a][b];
    TDuga style = cell.Active ? ActiveDugaStyle : NormalDugaStyle;
    const TTitle& font = cell.Active ? ActiveLabelStyle : NormalLabelStyle;
    style.SetGeometry(Points[a].X, Points[a].Y, Points[b].X, Points[b].Y, Points[b].Size, cell.X, cell.Y,
                      cell.Cost, IsOrint, IsHaveCost);
    font.ApplyFont(surface);
    style.Draw(surface, cell.Active ? cell.Marker : 0, text);
}

void TAllGraf::DrawPoint(QPainter& surface, int v, const QString& title, bool overrideFill, int fillColor) const
{
    if (v < 1 || v > PointCount)
        return;
    const TPointRec& point = Points[v];
    TGrafPoint style = point.Active ? ActivePointStyle : NormalPointStyle;
    const TTitle& font = point.Active ? ActiveLabelStyle : NormalLabelStyle;
    style.SetPoint(point.X, point.Y, title, point.Size);
    if (overrideFill)
        style.BrushColor = fillColor;
    font.ApplyFont(surface);
    style.Draw(surface);
}

void TAllGraf::DrawLabel(QPainter& surface, int i) const
{
    if (i < 1 || i > CountLabel)
        return;
    const TLabelRec& label = Labels[i];
    (label.Active ? ActiveLabelStyle : NormalLabelStyle).DrawText(surface, label.X, label.Y, label.Text);
}

void TAllGraf::DrawLabels(QPainter& surface) const
{
    for (int i = 1; i <= CountLabel; ++i)
        DrawLabel(surface, i);
}

void TAllGraf::DrawAll(QPainter& surface)
{
    DrawBackground(surface);

    // An undirected edge is stored as two cells that are drawn over the same curve, the second
    // covering the first. Where the two would leave identical pixels the first is skipped.
    // Vertical chords are excluded because their curve is traced from the tail.
    std::array<std::bitset<MaxPoints + 1>, MaxPoints + 1> reverse{};
    if (IsOrint == 0)
        for (int a = 1; a <= PointCount; ++a)
            for (int k = 0; k < DugaCount[a]; ++k)
                reverse[DugaList(a)[k]].set(a);
    auto coveredLater = [this, &reverse](int a, int b) {
        if (IsOrint != 0 || b <= a || !reverse[a].test(b) || Points[a].X == Points[b].X)
            return false;
        const TDugaRec& first = Dugi[a][b];
        const TDugaRec& second = Dugi[b][a];
        const int firstMarker = first.Active ? first.Marker : 0;
        const int secondMarker = second.Active ? second.Marker : 0;
        return first.X == second.X && first.Y == second.Y && first.Cost == second.Cost &&
               first.Active == second.Active && firstMarker == secondMarker;
    };
    for (int a = 1; a <= PointCount; ++a)
        for (int k = 0; k < DugaCount[a]; ++k) {
            const int b = DugaList(a)[k];
            if (!coveredLater(a, b))
                DrawDuga(surface, a, b);
        }

    const QSize size = SurfaceSize(surface);
    for (int v = 1; v <= PointCount; ++v) {
        Points[v].X = std::min(Points[v].X, size.width() - SizeGraf);
        Points[v].Y = std::min(Points[v].Y, size.height() - SizeGraf);
        DrawPoint(surface, v, PointTitle(v));
    }
    DrawLabels(surface);
}

void TAllGraf::DrawAll(QImage& surface)
{
    if (surface.isNull())
        return;
    QPainter painter;
    BeginSurface(painter, &surface);
    DrawAll(painter);
}

QImage TAllGraf::RenderCanvas()
{
    const int width = CanvasWidth();
    const int height = CanvasHeight();
    if (width <= 0 || height <= 0)
        return QImage();
    QImage surface(width, height, QImage::Format_RGB32);
    DrawAll(surface);
    return surface;
}

void TAllGraf::Redraw()
{
    const QImage surface = RenderCanvas();
    if (!surface.isNull())
        Host().PresentCanvas(surface, false);
}

QImage& TAllGraf::PrepareCanvasBitmap()
{
    const QSize size(CanvasWidth(), CanvasHeight());
    if (size.isEmpty())
        CanvasBitmap = QImage();
    else if (CanvasBitmap.size() != size)
        CanvasBitmap = QImage(size, QImage::Format_RGB32);
    return CanvasBitmap;
}

bool TAllGraf::FindDugaAt(int x, int y, int& tail, int& head) const
{
    bool found = false;
    TDuga probe = NormalDugaStyle;
    for (int a = 1; a <= PointCount; ++a)
        for (int k = 0; k < DugaCount[a]; ++k) {
            const int b = DugaList(a)[k];
            const TDugaRec& cell = Dugi[a][b];
            probe.SetGeometry(Points[a].X, Points[a].Y, Points[b].X, Points[b].Y, Points[b].Size, cell.X,
                              cell.Y, cell.Cost, IsOrint, IsHaveCost);
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
