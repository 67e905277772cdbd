#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>

class QPainter;
class GraphDocument;

// The document drawn element by element. The painter is the surface: its brush carries over
// from one element to the next, as on the old canvas. Open it with BeginSurface (Surface.h)
// for a fresh surface's state.
void DrawBackground(const GraphDocument& graf, QPainter& surface);
// Arc a->b with the given text in place of the weight when the text is not empty.
void DrawArc(const GraphDocument& graf, QPainter& surface, int a, int b, const QString& text = QString());
// The same arc drawn as if its highlight were the one given.
void DrawArcAs(const GraphDocument& graf, QPainter& surface, int a, int b, bool active, int marker,
               const QString& text = QString());
// The same arc in the given pen (colour 0x00BBGGRR, width, style code 0 solid, 1 dash, 2 dot)
// over the plain arc's look, for the states a result or a step tells apart.
void DrawArcInPen(const GraphDocument& graf, QPainter& surface, int a, int b, int color, int width,
                  quint8 style, int marker, const QString& text = QString());
// Vertex v with title in its circle; with overrideFill the circle is filled with fillColor.
void DrawVertex(const GraphDocument& graf, QPainter& surface, int v, const QString& title,
                bool overrideFill = false, int fillColor = 0);
void DrawLabel(const GraphDocument& graf, QPainter& surface, int i);
void DrawLabels(const GraphDocument& graf, QPainter& surface);
// Whether a drawing of the document smooths its arcs: only while that fits the redraw budget.
bool SmoothArcs(const GraphDocument& graf);
// Background, arcs, vertices, labels. Vertex positions are clamped to the surface and kept.
// Arcs are smoothed as the painter says; the picture overload smooths them when SmoothArcs
// says so.
void DrawAll(GraphDocument& graf, QPainter& surface);
void DrawAll(GraphDocument& graf, QImage& surface);
// The largest picture the program makes in one piece: a side of 16384 pixels and 256 MB.
constexpr int MaxPictureSide = 16384;
constexpr qint64 MaxPictureBytes = 256LL * 1024 * 1024;
// Whether a picture of this size (4 bytes a pixel) may be made; a document with vertices far
// out would otherwise ask for gigabytes.
bool PictureSizeAllowed(int width, int height);

// The part of a canvas of the given size whose top-left corner is `scroll`, onto a surface of
// that part's size (a window's view): the clamping and the curves still see the whole canvas.
// The surface's offset() records `scroll`.
void DrawVisible(GraphDocument& graf, QImage& surface, QSize canvas, QPoint scroll);
// A picture of the given part of a canvas of the given size (the whole canvas when the part is
// empty), its offset() the part's corner, painted by `draw` in canvas coordinates with the
// document's smoothing; null when the part is empty or larger than a picture may be. With a
// pixel ratio other than 1 the picture has that many pixels to a canvas unit (a zoomed or
// sharp screen's view).
QImage RenderCanvasPart(const GraphDocument& graf, QSize canvas, const QRect& view,
                        const std::function<void(QPainter&)>& draw, qreal pixelRatio = 1.0);

// A fresh picture of the whole canvas; null when it has no size or would be larger than
// allowed.
QImage RenderCanvas(GraphDocument& graf, QSize canvas);

// The arc under (x, y): the cell drawn last wins, as it is the one seen.
bool FindArcAt(const GraphDocument& graf, int x, int y, int& tail, int& head);
