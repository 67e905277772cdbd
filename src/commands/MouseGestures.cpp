#include "commands/MouseGestures.h"

#include "base/TranslationManager.h"
#include "drawing/Canvas.h"
#include "drawing/DocumentDrawing.h"

#include <QImage>
#include <algorithm>
#include <cmath>

namespace {

bool ValidPoint(const GraphDocument& g, int v)
{
    return v >= 1 && v <= g.VertexCount;
}

bool Press(GraphSession& session, GestureView& view, int areaX, int areaY, int x, int y)
{
    GraphDocument& g = *session.Document();
    GestureState& gesture = session.Gestures();
    gesture.Panning = true;
    gesture.PanX = areaX;
    gesture.PanY = areaY;

    int current = 0;
    for (int i = 1; i <= g.LabelCount; ++i)
        if (g.Labels[i].Active) {
            current = i;
            break;
        }
    g.ClearActive();

    if (view.TextMode()) {
        QString text;
        if (!session.Host().InputQuery(Translate("Enter_text"), Translate("Text_tip"), text))
            return false;
        if (!text.isEmpty()) {
            session.RecordState();
            g.AddLabel(text, x, y);
            view.LeaveTextMode();
        }
        return true;
    }

    // A drag whose release never came has ended: the next one records its own step.
    gesture.Dragging = gesture.Moved = false;
    g.ActiveArcTail = g.ActiveArcHead = g.ActiveVertex = g.ActiveLabel = 0;
    int v = 0, a = 0, b = 0;
    if (g.FindVertexAt(x, y, v)) {
        g.ActiveVertex = v;
        g.Vertices[v].Active = 1;
        gesture.Dragging = true;
    } else if (FindArcAt(g, x, y, a, b)) {
        g.ActiveArcTail = a;
        g.ActiveArcHead = b;
        g.ArcRef(a, b).Active = 1;
        g.ArcRef(a, b).Marker = 0;
        gesture.Dragging = true;
    } else if (const int i = g.FindLabelAt(x, y, current); i > 0) {
        g.Labels[i].Active = 1;
        gesture.LabelDragDX = g.Labels[i].X - x;
        gesture.LabelDragDY = g.Labels[i].Y - y;
        g.ActiveLabel = i;
        gesture.Dragging = true;
    }
    return true;
}

bool Move(GraphSession& session, GestureView& view, int areaX, int areaY, int x, int y)
{
    GraphDocument& g = *session.Document();
    GestureState& gesture = session.Gestures();
    // The state before a drag is recorded at its first step, so that the whole drag is one
    // undo step wherever, or whether, the button is released.
    auto beginMove = [&session, &gesture] {
        if (!gesture.Moved)
            session.RecordState();
        gesture.Moved = true;
    };
    int dx = 0, dy = 0;
    if (gesture.Panning && !gesture.Dragging) {
        // The drawing follows the mouse at twice its speed.
        view.ScrollToX(view.HorizontalPosition() + 2 * (gesture.PanX - areaX));
        view.ScrollToY(view.VerticalPosition() + 2 * (gesture.PanY - areaY));
        gesture.PanX = areaX;
        gesture.PanY = areaY;
    } else if (!gesture.Dragging) {
        return false;
    } else {
        const int areaWidth = session.Host().DrawingAreaWidth();
        const int areaHeight = session.Host().DrawingAreaHeight();
        const int left = view.HorizontalPosition(), top = view.VerticalPosition();
        auto autoScroll = [&](int halfWidth, int halfHeight) {
            if (x + halfWidth >= areaWidth + left)
                dx = x + halfWidth - areaWidth - left;
            if (y + halfHeight >= areaHeight + top)
                dy = y + halfHeight - areaHeight - top;
            if (x - halfWidth < left)
                dx = x - left - halfWidth;
            if (y - halfHeight < top)
                dy = y - top - halfHeight;
            // A few vertex sizes per mouse move: each step brings the pointer over new ground,
            // and a view that jumped to the vertex would run on while the mouse rests at the edge.
            const int step = 4 * std::max(g.VertexSize, 5);
            dx = std::clamp(dx, -step, step);
            dy = std::clamp(dy, -step, step);
        };
        if (ValidPoint(g, g.ActiveVertex)) {
            const int v = g.ActiveVertex;
            const int r = g.Vertices[v].Size;
            if (x - r < 0)
                x = r;
            if (y - r < 0)
                y = r;
            if (x != g.Vertices[v].X || y != g.Vertices[v].Y)
                beginMove();
            const QSize canvas = g.CanvasSize(session.Host().DrawingArea());
            if (canvas.width() < x + r)
                g.ExtentWidth = x + r;
            if (canvas.height() < y + r)
                g.ExtentHeight = y + r;
            g.Vertices[v].X = x;
            g.Vertices[v].Y = y;
            autoScroll(r, r);
            // Moving a vertex straightens every arc at it.
            for (int k = 0; k < g.OutCount(v); ++k)
                g.CenterArcText(v, g.OutArcs(v)[k]);
            for (int t = 1; t <= g.VertexCount; ++t)
                g.CenterArcText(t, v);
        } else if (g.ActiveArcTail + g.ActiveArcHead > 0) {
            const int a = g.ActiveArcTail, b = g.ActiveArcHead;
            if (ValidPoint(g, a) && ValidPoint(g, b)) {
                if (x != g.Arc(a, b).X() || y != g.Arc(a, b).Y())
                    beginMove();
                g.ArcRef(a, b).SetTextPoint(x, y);
                if (!g.Directed)
                    g.ArcRef(b, a).SetTextPoint(x, y);
            }
        } else if (g.ActiveLabel > 0 && g.ActiveLabel <= g.LabelCount) {
            LabelRecord& label = g.Labels[g.ActiveLabel];
            const int w = label.ActiveWidth, h = label.ActiveHeight;
            if (x + gesture.LabelDragDX != label.X || y + gesture.LabelDragDY != label.Y)
                beginMove();
            label.X = x + gesture.LabelDragDX;
            label.Y = y + gesture.LabelDragDY;
            g.ExtentWidth = std::max(g.ExtentWidth, x + w);
            g.ExtentHeight = std::max(g.ExtentHeight, y + h);
            autoScroll(w, h);
        }
    }
    view.UpdateScrollBars();
    if (dx != 0)
        view.ScrollToX(view.HorizontalPosition() + dx);
    if (dy != 0)
        view.ScrollToY(view.VerticalPosition() + dy);
    return true;
}

bool Connect(GraphSession& session, GestureView& view, int x, int y)
{
    GraphDocument& g = *session.Document();
    view.LeaveTextMode();
    int u = 0;
    if (g.FindVertexAt(x, y, u) && ValidPoint(g, g.ActiveVertex) && u != g.ActiveVertex) {
        int weight = 1;
        if (g.Weighted) {
            if (g.MapMode) {
                const VertexRecord& from = g.Vertices[g.ActiveVertex];
                const double distance =
                    std::hypot(double(g.Vertices[u].X - from.X), double(g.Vertices[u].Y - from.Y));
                weight = MapModeWeight(distance, g.ZoomMap);
            } else {
                weight = session.AskWeight(QString());
                if (weight == 0)
                    return false;
            }
        }
        session.RecordState();
        g.AddArc(g.ActiveVertex, u, weight);
    }
    session.Host().RefreshMatrixWindow();
    return true;
}

void Delete(GraphSession& session)
{
    GraphDocument& g = *session.Document();
    if (g.ActiveVertex > 0) {
        if (ValidPoint(g, g.ActiveVertex)) {
            session.RecordState();
            g.DeleteVertex(g.ActiveVertex);
        }
        g.ActiveVertex = 0;
    } else if (g.ActiveArcTail + g.ActiveArcHead > 0) {
        if (ValidPoint(g, g.ActiveArcTail) && ValidPoint(g, g.ActiveArcHead)) {
            session.RecordState();
            g.DeleteArc(g.ActiveArcTail, g.ActiveArcHead);
        }
        g.ActiveArcTail = g.ActiveArcHead = 0;
    } else if (g.ActiveLabel > 0) {
        if (g.ActiveLabel <= g.LabelCount) {
            session.RecordState();
            g.DeleteLabel(g.ActiveLabel);
        }
        g.ActiveLabel = 0;
    }
    session.Host().RefreshMatrixWindow();
}

bool Context(GestureView& view, GraphDocument& g, int x, int y)
{
    view.LeaveTextMode();
    int target = 0;
    g.TargetVertex = g.FindVertexAt(x, y, target) ? target : -1;
    if (g.TargetVertex > 0 && g.ActiveVertex > 0) {
        if (g.TargetVertex != g.ActiveVertex)
            view.OpenVertexPopup();
        return true;
    }
    view.OpenFreeSpacePopup();
    return false;
}

} // namespace

bool MouseAction(GraphSession& session, GestureView& view, int x, int y, QImage& surface, Gesture gesture)
{
    if (!session.HasDocument())
        return false;
    GraphDocument& g = *session.Document();
    GestureState& state = session.Gestures();
    const int areaX = x, areaY = y;
    x += view.HorizontalPosition();
    y += view.VerticalPosition();

    bool changed = false;
    switch (gesture) {
    case Gesture::Press:
        changed = Press(session, view, areaX, areaY, x, y);
        break;
    case Gesture::Release:
        // A drag recorded its state when it began.
        state.Reset();
        changed = true;
        break;
    case Gesture::Move:
        changed = Move(session, view, areaX, areaY, x, y);
        break;
    case Gesture::Connect:
        changed = Connect(session, view, x, y);
        break;
    case Gesture::Delete:
        Delete(session);
        changed = true;
        break;
    case Gesture::Context:
        changed = Context(view, g, x, y);
        break;
    }
    // A popup command may have replaced the document.
    if (changed && session.HasDocument())
        view.DrawDocument(surface);
    return changed;
}
