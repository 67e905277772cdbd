// The drawing area's picture, scrolling, text mode, background, map mode and the panes.
#include "base/TranslationManager.h"
#include "drawing/DocumentDrawing.h"
#include "ui/AlgorithmCommands.h"
#include "ui/DocumentPainter.h"
#include "ui/DrawingArea.h"
#include "ui/MainWindow.h"
#include "ui/MapScaleDialog.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <iterator>

void MainWindow::DrawDocument(QImage& surface)
{
    if (GraphDocument* g = Document())
        DrawVisible(*g, surface, CanvasSize(), ScrollPosition());
}

QSize MainWindow::ViewSize() const
{
    return QSize(std::max(1, DrawingAreaWidth()), std::max(1, DrawingAreaHeight()));
}

void MainWindow::PrepareCanvas()
{
    GraphDocument* g = Document();
    if (!g)
        return;
    // Only the visible part is ever allocated, whatever the size of the drawing.
    const qreal ratio = ViewPixelRatio();
    const QSize view = ViewSize();
    const QSize wanted(qRound(view.width() * ratio), qRound(view.height() * ratio));
    if (canvasSurface.size() != wanted || canvasSurface.devicePixelRatio() != ratio)
        canvasSurface = MakeSurface(view.width(), view.height(), ratio);
}

void MainWindow::Redraw()
{
    GraphDocument* g = Document();
    if (!g) {
        area->Clear();
        return;
    }
    if (algorithmCommands->RedrawPlayback())
        return;
    if (CanvasSize().isEmpty())
        return;
    const QSize view = ViewSize();
    QImage surface = MakeSurface(view.width(), view.height(), ViewPixelRatio());
    DrawDocument(surface);
    PresentCanvas(surface, false);
}

void MainWindow::PresentCanvas(const QImage& surface, bool force)
{
    const qint64 now = Clock();
    if (!force && presentedOnce && now - lastPresentTick <= 25) {
        // Dropped, as the rate limit wants; a later full redraw makes sure the last state
        // of a burst still reaches the screen.
        catchUpTimer->start();
        return;
    }
    // A window's surface starts at the scroll position it was drawn for (its offset); a
    // result picture covers the whole canvas from its origin.
    area->Present(surface, (Document() ? ScrollPosition() : QPoint()) - surface.offset(), zoom);
    lastPresentTick = now;
    presentedOnce = true;
    ++presentCount;
}

void MainWindow::UpdateScrollBars()
{
    const GraphDocument* g = Document();
    if (!g)
        return;
    // The bars cover the whole canvas, which is never smaller than what the document holds.
    const QSize canvas = CanvasSize();
    const int horizontal = std::max(0, canvas.width() - DrawingAreaWidth());
    const int vertical = std::max(0, canvas.height() - DrawingAreaHeight());
    hBar->setMaximum(horizontal);
    vBar->setMaximum(vertical);
    hBar->setPageStep(std::max(1, DrawingAreaWidth()));
    vBar->setPageStep(std::max(1, DrawingAreaHeight()));
    // Once enabled, a bar stays enabled.
    if (horizontal > 0)
        hBar->setEnabled(true);
    if (vertical > 0)
        vBar->setEnabled(true);
}

void MainWindow::ScrollToX(int position)
{
    hBar->setValue(std::clamp(position, 0, hBar->maximum()));
}
void MainWindow::ScrollToY(int position)
{
    vBar->setValue(std::clamp(position, 0, vBar->maximum()));
}
QPoint MainWindow::ScrollPosition() const
{
    return QPoint(hBar->value(), vBar->value());
}
void MainWindow::ResetScroll()
{
    // Quietly: the new document is drawn once it is whole.
    for (QScrollBar* bar : {hBar, vBar}) {
        const QSignalBlocker quiet(bar);
        bar->setValue(0);
    }
}
int MainWindow::HorizontalPosition() const
{
    return hBar->value();
}
int MainWindow::VerticalPosition() const
{
    return vBar->value();
}

namespace {

// The zoom's steps; Ctrl+plus and Ctrl+minus go from one to the next.
constexpr double ZoomSteps[] = {0.25, 0.33, 0.5,  0.67, 0.75, 0.9, 1.0, 1.1,
                                1.25, 1.5,  1.75, 2.0,  2.5,  3.0, 4.0};

} // namespace

QPoint MainWindow::AreaToView(QPointF areaPosition) const
{
    return QPoint(int(std::floor(areaPosition.x() / zoom)), int(std::floor(areaPosition.y() / zoom)));
}

void MainWindow::SetZoom(double factor, QPointF anchor)
{
    factor = std::clamp(factor, MinZoom, MaxZoom);
    GraphDocument* g = Document();
    if (!g || factor == zoom)
        return;
    // The canvas point under the anchor stays under it.
    const double x = HorizontalPosition() + anchor.x() / zoom;
    const double y = VerticalPosition() + anchor.y() / zoom;
    zoom = factor;
    PrepareCanvas();
    UpdateScrollBars();
    ScrollToX(int(std::lround(x - anchor.x() / zoom)));
    ScrollToY(int(std::lround(y - anchor.y() / zoom)));
    ShowZoom();
    Redraw();
}

void MainWindow::ZoomAround(bool in, QPointF anchor)
{
    // The next step past the zoom, which may lie between steps after "fit to window".
    double next = zoom;
    if (in) {
        const auto* step = std::find_if(std::begin(ZoomSteps), std::end(ZoomSteps),
                                        [this](double value) { return value > zoom + 1e-9; });
        if (step != std::end(ZoomSteps))
            next = *step;
    } else {
        const auto step = std::find_if(std::rbegin(ZoomSteps), std::rend(ZoomSteps),
                                       [this](double value) { return value < zoom - 1e-9; });
        if (step != std::rend(ZoomSteps))
            next = *step;
    }
    SetZoom(next, anchor);
}

void MainWindow::ZoomInCommand()
{
    ZoomAround(true, QPointF(area->width() / 2.0, area->height() / 2.0));
}

void MainWindow::ZoomOutCommand()
{
    ZoomAround(false, QPointF(area->width() / 2.0, area->height() / 2.0));
}

void MainWindow::ZoomActualCommand()
{
    SetZoom(1.0, QPointF(area->width() / 2.0, area->height() / 2.0));
}

void MainWindow::ZoomFitCommand()
{
    const GraphDocument* g = Document();
    if (!g)
        return;
    const QSize content = g->ContentExtent();
    if (content.isEmpty()) {
        ZoomActualCommand();
        return;
    }
    SetZoom(std::min(double(area->width()) / content.width(), double(area->height()) / content.height()),
            QPointF());
    ScrollToX(0);
    ScrollToY(0);
}

void MainWindow::ShowZoom()
{
    zoomText->setText(QStringLiteral("%1 %").arg(qRound(zoom * 100)));
}

void MainWindow::EnterTextMode()
{
    textMode = true;
    area->setCursor(Qt::CrossCursor);
}

void MainWindow::LeaveTextMode()
{
    textMode = false;
    area->unsetCursor();
}

void MainWindow::ShowMapModeCheck()
{
    if (const GraphDocument* g = Document())
        Action(g->MapMode ? QStringLiteral("actMapOn") : QStringLiteral("actMapOff"))->setChecked(true);
}

void MainWindow::ShowViewValues()
{
    ShowMapModeCheck();
    UpdateScaleCaption();
}

void MainWindow::UpdateScaleCaption()
{
    if (QAction* scale = Action("actScaleSettings"))
        scale->setText(Translate("Scale_setting") + QString::number(Document() ? Document()->ZoomMap : 10));
}

void MainWindow::RefreshTextPane()
{
    outp->setPlainText(session->Outp().Text());
    QTextCursor caret = outp->textCursor();
    caret.movePosition(QTextCursor::Start);
    outp->setTextCursor(caret);
}

void MainWindow::ClearResultPanes()
{
    session->Outp().Clear();
    webBrowser->clear();
    detailMemo->clear();
    RefreshTextPane();
}

void MainWindow::ShowReportFile(const QString& path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        webBrowser->setSearchPaths({QFileInfo(path).absolutePath()});
        webBrowser->setHtml(QString::fromUtf8(file.readAll()));
    } else {
        webBrowser->clear();
    }
    RefreshTextPane();
}
