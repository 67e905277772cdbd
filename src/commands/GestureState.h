#pragma once

// Where a mouse gesture on the drawing stands between its events. It belongs to the window's
// session, not to the graph: undo never brings it back and no file holds it.
struct GestureState {
    // The last left press grabbed an element; a left press is held (empty-space drags pan).
    bool Dragging = false;
    bool Panning = false;
    // The last pan position in drawing-area coordinates.
    int PanX = 0, PanY = 0;
    // A drag changed the document since the last release.
    bool Moved = false;
    // Where the grabbed label's corner is from the mouse.
    int LabelDragDX = 0, LabelDragDY = 0;

    // Between two gestures: nothing held, nothing moved.
    void Reset() { *this = GestureState{}; }
};
