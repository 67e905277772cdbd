#include "drawing/StepPicture.h"

#include "document/GraphDocument.h"
#include "drawing/Colors.h"
#include "drawing/DocumentDrawing.h"
#include "drawing/Surface.h"

#include <QPainter>

#include <algorithm>

namespace {

// Okabe and Ito's palette, as 0x00BBGGRR.
constexpr int Vermillion = 0x005ED5;
constexpr int Orange = 0x009FE6;
constexpr int SkyBlue = 0xE9B456;
constexpr int BluishGreen = 0x739E00;
constexpr int Blue = 0xB27200;
constexpr int Grey = 0x999999;

// Pen style codes of the drawing styles: 0 solid, 1 dash, 2 dot.
struct ArcLook {
    int color;
    int width;
    quint8 style;
};

ArcLook LookOf(StepArcState state, int normalWidth)
{
    switch (state) {
    case StepArcState::None:
        break;
    case StepArcState::Examined:
        return {Orange, normalWidth + 1, 1};
    case StepArcState::Chosen:
        return {Blue, normalWidth + 2, 0};
    case StepArcState::Rejected:
        return {Grey, std::max(1, normalWidth - 1), 2};
    }
    return {-1, normalWidth, 0};
}

// The outline of a vertex: its width and style code tell the states apart without colour.
void OutlineOf(StepVertexState state, int& width, quint8& style)
{
    switch (state) {
    case StepVertexState::Current:
        width = 4;
        style = 0;
        return;
    case StepVertexState::Frontier:
        width = 2;
        style = 1;
        return;
    case StepVertexState::Visited:
        width = 2;
        style = 2;
        return;
    case StepVertexState::Finished:
        width = 3;
        style = 0;
        return;
    case StepVertexState::None:
        return;
    }
}

} // namespace

int StepArcStrength(StepArcState state)
{
    switch (state) {
    case StepArcState::None:
        break;
    case StepArcState::Rejected:
        return 1;
    case StepArcState::Examined:
        return 2;
    case StepArcState::Chosen:
        return 3;
    }
    return 0;
}

int StepVertexFill(StepVertexState state)
{
    switch (state) {
    case StepVertexState::None:
        break;
    case StepVertexState::Current:
        return Vermillion;
    case StepVertexState::Visited:
        return SkyBlue;
    case StepVertexState::Frontier:
        return Orange;
    case StepVertexState::Finished:
        return BluishGreen;
    }
    return -1;
}

int StepArcColor(StepArcState state)
{
    return LookOf(state, 1).color;
}

void DrawStepPicture(const GraphDocument& g, QPainter& surface, const StepPicture& step)
{
    DrawBackground(g, surface);
    const int n = std::min(step.VertexCount(), g.VertexCount);
    for (int a = 1; a <= g.VertexCount; ++a)
        for (int b : g.OutArcs(a)) {
            StepArcState state = a <= n && b <= n ? step.Arc(a, b) : StepArcState::None;
            // An undirected edge is one curve, drawn once from its lower end in the stronger of
            // the states of its two cells, and without a direction: a walk may cross it both ways.
            const bool edge = !g.Directed && g.HasArc(b, a);
            if (edge && a > b)
                continue;
            if (edge && a <= n && b <= n)
                state = std::max(state, step.Arc(b, a), [](StepArcState x, StepArcState y) {
                    return StepArcStrength(x) < StepArcStrength(y);
                });
            if (state == StepArcState::None) {
                // Plain: the run's own highlighting is the last frame's business.
                DrawArcAs(g, surface, a, b, false, 0);
                continue;
            }
            const ArcLook look = LookOf(state, g.Style().NormalArc.PenSize);
            DrawArcInPen(g, surface, a, b, look.color, look.width, look.style,
                         state == StepArcState::Chosen && g.Directed ? 1 : 0);
        }
    for (int v = 1; v <= g.VertexCount; ++v) {
        const StepVertexState state = v <= n ? step.vertices[std::size_t(v)] : StepVertexState::None;
        const VertexRecord& point = g.Vertices[v];
        VertexStyle style = g.Style().NormalVertex;
        style.SetPoint(point.X, point.Y, g.VertexName(v), point.Size);
        if (state != StepVertexState::None) {
            style.BrushColor = StepVertexFill(state);
            style.BrushStyle = 0;
            // Names stay readable on the darker fills.
            style.TextColor =
                state == StepVertexState::Current || state == StepVertexState::Finished ? 0xFFFFFF : 0;
            OutlineOf(state, style.PenSize, style.PenStyle);
        }
        g.NormalLabelStyle.ApplyFont(surface);
        style.Draw(surface);
    }
    // Captions beside their vertices, above and to the right, in a white box.
    QFont font = surface.font();
    font.setBold(true);
    surface.setFont(font);
    for (int v = 1; v <= n; ++v) {
        const QString& caption = step.captions[std::size_t(v)];
        if (caption.isEmpty())
            continue;
        const VertexRecord& point = g.Vertices[v];
        const QSize extent = TextExtent(surface, caption);
        const QRect box(point.X + point.Size, point.Y - point.Size - extent.height(), extent.width() + 4,
                        extent.height());
        surface.setPen(QPen(ColorFromInt(Grey), 1));
        surface.setBrush(Qt::white);
        surface.drawRect(box);
        surface.setPen(Qt::black);
        surface.drawText(box, Qt::AlignCenter, caption);
    }
    DrawLabels(g, surface);
}

QImage RenderStepPicture(const GraphDocument& g, const StepPicture& step, QSize canvas, const QRect& view,
                         qreal pixelRatio)
{
    return RenderCanvasPart(
        g, canvas, view, [&g, &step](QPainter& painter) { DrawStepPicture(g, painter, step); }, pixelRatio);
}

bool FramePicturesAllowed(qint64 frames, qint64 bytesEach)
{
    return frames <= MaxFramePictures && (frames == 0 || bytesEach <= MaxFramePictureBytes / frames);
}
