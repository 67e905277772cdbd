#include "drawing/Surface.h"

#include "drawing/Colors.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

Qt::PenStyle PenStyleFromCode(int code)
{
    switch (code) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    case 5:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

Qt::BrushStyle BrushStyleFromCode(int code)
{
    return code == 1 ? Qt::NoBrush : Qt::SolidPattern;
}

QPen MakePen(int color, int width, int styleCode)
{
    QPen pen(ColorFromInt(color), std::max(width, 1), PenStyleFromCode(styleCode));
    // Wide lines of the old canvas had round ends and joins; per-pixel curves need them too.
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::BevelJoin);
    return pen;
}

void BeginSurface(QPainter& painter, QPaintDevice* surface)
{
    painter.begin(surface);
    painter.setPen(MakePen(0, 1, 0));
    painter.setBrush(QBrush(Qt::white, Qt::SolidPattern));
    painter.setBackgroundMode(Qt::TransparentMode);
}

QSize SurfaceSize(const QPainter& painter)
{
    // The window is the device's own size unless the surface shows part of a larger canvas.
    return painter.isActive() ? painter.window().size() : QSize();
}

QSize TextExtent(const QPainter& painter, const QString& text)
{
    const QFontMetrics metrics = painter.fontMetrics();
    return QSize(metrics.horizontalAdvance(text), metrics.height());
}

void TextOut(QPainter& painter, int x, int y, const QString& text, int color, QSize extent)
{
    if (text.isEmpty())
        return;
    const QBrush& brush = painter.brush();
    if (brush.style() == Qt::SolidPattern)
        painter.fillRect(QRect(QPoint(x, y), extent), brush.color());
    const QPen pen = painter.pen();
    painter.setPen(ColorFromInt(color));
    painter.drawText(x, y + painter.fontMetrics().ascent(), text);
    painter.setPen(pen);
}
