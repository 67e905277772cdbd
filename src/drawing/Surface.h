#pragma once

#include <QPen>
#include <QSize>
#include <QString>

class QPainter;
class QPaintDevice;

// Pen styles by their stored codes: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none.
Qt::PenStyle PenStyleFromCode(int code);
// Brush styles by their stored codes: 0 solid, 1 none.
Qt::BrushStyle BrushStyleFromCode(int code);
QPen MakePen(int color, int width, int styleCode);

// Starts painting on a surface in the state of a freshly created canvas: black 1-pixel pen,
// solid white brush.
void BeginSurface(QPainter& painter, QPaintDevice* surface);
// The size of the canvas the painter draws: the device's size, or the whole canvas when the
// device shows only a part of it (see DrawVisible).
QSize SurfaceSize(const QPainter& painter);

// Width and height of the text in the painter's current font.
QSize TextExtent(const QPainter& painter, const QString& text);
// Text with its top-left corner at (x, y). A solid brush paints the text box first, as text output
// on the old canvas did; the pen is left as it was.
void TextOut(QPainter& painter, int x, int y, const QString& text, int color, QSize extent);
