// Mouse and key events of the drawing area, turned into gestures, and the popup commands that
// act where the mouse was pressed.
#include "ui/DrawingArea.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

bool MainWindow::InHandledRect(const QPoint& p) const
{
    const GraphDocument* g = Document();
    return g && p.x() >= 0 && p.x() <= CanvasSize().width() && p.y() >= 0 && p.y() <= CanvasSize().height();
}

void MainWindow::AreaMousePress(QMouseEvent* event)
{
    if (!session->HasDocument())
        return;
    const QPoint p = AreaToView(event->position());
    pressPos = p;
    if (!InHandledRect(p))
        return;
    PrepareCanvas();
    bool changed = true;
    if (event->button() == Qt::LeftButton)
        changed = MouseAction(*session, *this, p.x(), p.y(), canvasSurface, Gesture::Press);
    else if (event->button() == Qt::RightButton)
        changed = MouseAction(*session, *this, p.x(), p.y(), canvasSurface,
                              MenuEditMode() == 0 ? Gesture::Connect : Gesture::Context);
    UpdateMenus();
    if (changed && session->HasDocument())
        PresentCanvas(canvasSurface, false);
}

void MainWindow::AreaMouseMove(QMouseEvent* event)
{
    // Moves are dropped while the last copy is recent: at most about 40 redraws a second.
    if (presentedOnce && Clock() - lastPresentTick <= 25)
        return;
    GraphDocument* g = Document();
    if (!g)
        return;
    if (event->buttons() == Qt::NoButton) {
        // The release went elsewhere (outside the drawing, or to a box the press opened):
        // a graph must not follow a mouse whose buttons are up.
        session->Gestures().Dragging = false;
        session->Gestures().Panning = false;
    }
    const QPoint p = AreaToView(event->position());
    if (!InHandledRect(p)) {
        session->Gestures().Dragging = false;
        session->Gestures().Panning = false;
        return;
    }
    PrepareCanvas();
    if (MouseAction(*session, *this, p.x(), p.y(), canvasSurface, Gesture::Move)) {
        PresentCanvas(canvasSurface, false);
        lastPresentTick = Clock();
        presentedOnce = true;
    }
}

void MainWindow::AreaMouseRelease(QMouseEvent* event)
{
    GraphDocument* g = Document();
    if (!g)
        return;
    // A release outside the drawing still ends the drag; the point itself is not used.
    const QPoint p = AreaToView(event->position());
    PrepareCanvas();
    if (MouseAction(*session, *this, p.x(), p.y(), canvasSurface, Gesture::Release))
        PresentCanvas(canvasSurface, false);
    UpdateMenus();
}

void MainWindow::AreaDoubleClick(QMouseEvent* event)
{
    GraphDocument* g = Document();
    if (!g)
        return;
    if (event->button() == Qt::LeftButton) {
        const QPoint p = AreaToView(event->position());
        session->AddVertexAt(p.x() + HorizontalPosition(), p.y() + VerticalPosition());
    }
    // The second press of a double click is a press like any other: it selects the new
    // vertex, so it can be dragged or joined at once.
    AreaMousePress(event);
}

void MainWindow::AreaKeyPress(QKeyEvent* event)
{
    // Escape is the way out of text-placing mode that a user tries first.
    if (event->key() == Qt::Key_Escape && textMode) {
        LeaveTextMode();
        return;
    }
    GraphDocument* g = Document();
    if (!g || event->key() != Qt::Key_Delete) {
        event->ignore();
        return;
    }
    PrepareCanvas();
    MouseAction(*session, *this, 0, 0, canvasSurface, Gesture::Delete);
    PresentCanvas(canvasSurface, false);
    UpdateMenus();
}

void MainWindow::AreaWheel(QWheelEvent* event)
{
    if (!session->HasDocument()) {
        event->ignore();
        return;
    }
    // Ctrl and the wheel zoom around the pointer, a step to a notch; a touchpad's small turns
    // add up to one.
    if (event->modifiers() & Qt::ControlModifier) {
        zoomWheelRest += event->angleDelta().y();
        for (; zoomWheelRest >= 120; zoomWheelRest -= 120)
            ZoomAround(true, event->position());
        for (; zoomWheelRest <= -120; zoomWheelRest += 120)
            ZoomAround(false, event->position());
        event->accept();
        return;
    }
    // A touchpad reports pixels; a wheel reports eighths of a degree, 120 to a notch, which
    // move the system's number of lines of 20 pixels each.
    QPoint delta = event->pixelDelta();
    if (delta.isNull())
        delta = event->angleDelta() * (QApplication::wheelScrollLines() * 20) / 120;
    if ((event->modifiers() & Qt::ShiftModifier) && delta.x() == 0)
        delta = QPoint(delta.y(), 0);
    if (delta.isNull()) {
        event->ignore();
        return;
    }
    if (delta.x() != 0)
        ScrollToX(HorizontalPosition() - delta.x());
    if (delta.y() != 0)
        ScrollToY(VerticalPosition() - delta.y());
    event->accept();
}

void MainWindow::AddVertexAtPressCommand()
{
    GraphDocument* g = Document();
    if (!g)
        return;
    session->AddVertexAt(pressPos.x() + HorizontalPosition(), pressPos.y() + VerticalPosition());
}

void MainWindow::AddTextCommand()
{
    if (!session->RequireDocument())
        return;
    EnterTextMode();
}

void MainWindow::DeleteObjectCommand()
{
    if (!session->RequireDocument())
        return;
    LeaveTextMode();
    session->RecordState();
    PrepareCanvas();
    MouseAction(*session, *this, 0, 0, canvasSurface, Gesture::Delete);
    PresentCanvas(canvasSurface, false);
    RefreshMatrixWindow();
    UpdateMenus();
}

void MainWindow::SetMouseMode(int mode)
{
    Action(mode == 0 ? QStringLiteral("actConstruct") : QStringLiteral("actFindPath"))->setChecked(true);
}

void MainWindow::DrawArcCommand()
{
    GraphDocument* g = Document();
    if (!g || !InHandledRect(pressPos))
        return;
    PrepareCanvas();
    if (MouseAction(*session, *this, pressPos.x(), pressPos.y(), canvasSurface, Gesture::Connect))
        PresentCanvas(canvasSurface, true);
    UpdateMenus();
}
