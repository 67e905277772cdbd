#pragma once

#include "ui/DrawingArea.h"
#include "ui/MainWindow.h"

#include <QCoreApplication>
#include <QMouseEvent>

// A mouse event sent to the window's drawing area as the window system delivers it: a press or
// double click holds its button, a move reports none changing, a release holds none.
inline void SendToDrawingArea(MainWindow& window, QEvent::Type type, QPoint p,
                              Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(p), window.DrawingPane()->mapToGlobal(QPointF(p)),
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(window.DrawingPane(), &event);
}
