#include "ui/DrawingArea.h"

#include "ui/MainWindow.h"

#include <QMouseEvent>
#include <QPainter>

DrawingArea::DrawingArea(MainWindow& window, QWidget* parent) : QWidget(parent), window(window)
{
    // The whole area is covered by the copy: no background erase, so no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(1, 1);
}

void DrawingArea::Present(const QImage& surface, const QPoint& origin, qreal zoom)
{
    const qreal ratio = devicePixelRatioF();
    shown = QImage(qRound(width() * ratio), qRound(height() * ratio), QImage::Format_ARGB32_Premultiplied);
    shown.setDevicePixelRatio(ratio);
    shown.fill(Qt::white);
    QPainter painter(&shown);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // A surface drawn for this zoom maps pixel to pixel; any other (a whole-canvas picture) is
    // scaled to it.
    painter.setRenderHint(QPainter::SmoothPixmapTransform,
                          !qFuzzyCompare(surface.devicePixelRatio(), ratio * zoom));
    painter.scale(zoom, zoom);
    painter.drawImage(QPointF(-origin), surface);
    painter.end();
    update();
}

void DrawingArea::Clear()
{
    shown = QImage();
    update();
}

void DrawingArea::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!shown.isNull())
        painter.drawImage(QPointF(0, 0), shown);
}

void DrawingArea::mousePressEvent(QMouseEvent* event)
{
    window.AreaMousePress(event);
}
void DrawingArea::mouseMoveEvent(QMouseEvent* event)
{
    window.AreaMouseMove(event);
}
void DrawingArea::mouseReleaseEvent(QMouseEvent* event)
{
    window.AreaMouseRelease(event);
}
void DrawingArea::mouseDoubleClickEvent(QMouseEvent* event)
{
    window.AreaDoubleClick(event);
}
void DrawingArea::keyPressEvent(QKeyEvent* event)
{
    window.AreaKeyPress(event);
}

void DrawingArea::wheelEvent(QWheelEvent* event)
{
    window.AreaWheel(event);
}

void DrawingArea::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    window.UpdateScrollBars();
    window.Redraw();
}
