#pragma once

#include "commands/GraphSession.h"

class QImage;

// What the main window lends the gestures: its scroll bars, text-placing mode, popup menus
// and the drawing of the whole document. Tests implement it without a window.
class GestureView {
  public:
    virtual ~GestureView() = default;

    virtual int HorizontalPosition() const = 0;
    virtual int VerticalPosition() const = 0;
    // Set the scroll bar position clamped to [0, maximum].
    virtual void ScrollToX(int position) = 0;
    virtual void ScrollToY(int position) = 0;
    virtual void UpdateScrollBars() = 0;

    virtual bool TextMode() const = 0;
    virtual void LeaveTextMode() = 0;

    // Modal popups opened just above and left of the mouse cursor.
    virtual void OpenVertexPopup() = 0;
    virtual void OpenFreeSpacePopup() = 0;

    // The document onto the surface (already sized to the view): the part of the canvas at the
    // current scroll position.
    virtual void DrawDocument(QImage& surface) = 0;
};

enum class Gesture { Press, Release, Move, Connect, Delete, Context };

// The one handler of the drawing's mouse gestures. (x, y) are drawing-area coordinates;
// the scroll offsets are added here. True when the document changed or must be shown
// again, in which case it has already been drawn into surface.
bool MouseAction(GraphSession& session, GestureView& view, int x, int y, QImage& surface, Gesture gesture);
