#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// The window around the drawing, as the core sees it: its size, the pictures it shows and the
// refreshes it is asked for. Every function does nothing where there is no window.
class ProgramView {
  public:
    virtual ~ProgramView() = default;

    // The drawing area of the main window; 0 where there is none.
    virtual int DrawingAreaWidth() const { return 0; }
    virtual int DrawingAreaHeight() const { return 0; }
    QSize DrawingArea() const { return QSize(DrawingAreaWidth(), DrawingAreaHeight()); }
    // The canvas point at the drawing area's top-left corner: the window's scroll position.
    virtual QPoint ScrollPosition() const { return QPoint(); }
    // A new document is shown from the canvas's top-left corner.
    virtual void ResetScroll() {}
    // Copy the visible part of a surface to the window (force skips the rate limit).
    virtual void PresentCanvas(const QImage& surface, bool force)
    {
        (void)surface;
        (void)force;
    }
    // The part of the canvas a picture for PresentCanvas needs: a window shows only its
    // drawing area at the scroll position; empty means the whole canvas.
    virtual QRect PictureView() const { return QRect(); }
    // Pixels to a canvas unit in such a picture: the window's zoom on its screen.
    virtual qreal PictureRatio() const { return 1.0; }
    // Full redraw of the current document into the window.
    virtual void Redraw() {}
    // Whether pictures made for the window are looked at; a host without one is spared
    // drawing them.
    virtual bool ShowsPictures() const { return true; }
    // The report file was saved; show it in the HTML pane.
    virtual void ShowReportFile(const QString& path) { (void)path; }
    // The document's arcs or vertices changed: the matrix window refreshes its grid.
    virtual void RefreshMatrixWindow() {}
    // Undo/redo or a command changed what the menus should enable.
    virtual void UpdateMenus() {}
    // The save command of the file menu, asked for by the kind conversions; true when saved.
    virtual bool SaveGraphCommand() { return false; }
};
