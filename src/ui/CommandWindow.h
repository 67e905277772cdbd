#pragma once

#include "ui/FileFilters.h"

#include <QImage>
#include <QSize>
#include <QString>

class QAction;
class QWidget;
class ProgramHost;

// What the command controllers ask of the main window: its refreshes, its file dialog and
// question about unsaved work, its menu items and its view of the drawing. The window
// implements it; a controller knows nothing else of the window.
class CommandWindow {
  public:
    virtual ~CommandWindow() = default;

    virtual ProgramHost& Host() const = 0;
    // The parent of the dialogs a command opens.
    virtual QWidget* DialogParent() = 0;
    virtual QAction* Action(const QString& objectName) const = 0;

    virtual void LeaveTextMode() = 0;
    // Asks about unsaved work: true when it may be replaced (saved or discarded).
    virtual bool MayDiscardWork() = 0;
    // The file dialog of that kind, remembering the folder; empty when cancelled.
    virtual QString ChooseFile(FileDialogKind kind) = 0;
    // The filter chosen in the last file dialog, which decides a type the name does not give.
    virtual QString ChosenFileFilter() const = 0;

    virtual void Redraw() = 0;
    virtual void UpdateMenus() = 0;
    virtual void UpdateScrollBars() = 0;
    virtual void RefreshRecentMenu() = 0;
    virtual void RefreshTextPane() = 0;
    // A new or opened graph starts without the previous graph's results.
    virtual void ClearResultPanes() = 0;
    // The map mode's check and the map scale's caption, as the document now has them.
    virtual void ShowViewValues() = 0;

    // The view: the canvas as the window shows it, the drawing area's size in canvas units and
    // its pixels to a unit, the document drawn for it, and a picture put on the screen.
    virtual void PrepareCanvas() = 0;
    virtual QSize CanvasSize() const = 0;
    virtual QSize ViewSize() const = 0;
    virtual qreal ViewPixelRatio() const = 0;
    virtual void DrawDocument(QImage& surface) = 0;
    virtual void PresentCanvas(const QImage& surface, bool force) = 0;
    // The drawing area as the screen shows it now.
    virtual QImage ShownDrawing() const = 0;
};
