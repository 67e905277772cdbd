#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

class QPainter;
class GraphDocument;

// The states a step of an algorithm gives its vertices and arcs.
enum class StepVertexState : std::uint8_t { None, Current, Visited, Frontier, Finished };
enum class StepArcState : std::uint8_t { None, Examined, Chosen, Rejected };

// One step as it is drawn: states and captions of vertices 1..VertexCount(), arc states.
struct StepPicture {
    std::vector<StepVertexState> vertices; // index 1..n
    std::vector<StepArcState> arcs;        // index a * (n + 1) + b
    std::vector<QString> captions;         // index 1..n
    int VertexCount() const { return vertices.empty() ? 0 : int(vertices.size()) - 1; }
    StepArcState Arc(int a, int b) const { return arcs[std::size_t(a) * vertices.size() + std::size_t(b)]; }
};

// The colours of the states: a palette told apart with every kind of colour blindness, and a
// line or outline cue besides each colour so the states also read in greyscale.
int StepVertexFill(StepVertexState state);
int StepArcColor(StepArcState state);
// Which of the states of an undirected edge's two cells it shows, the higher winning: chosen
// over examined over rejected, so looking back along a tree edge never hides the tree.
int StepArcStrength(StepArcState state);

// The document in its plain look with the step over it: every arc in the colour, width and
// line style of its state, every vertex filled in its state's colour with its outline cue
// (the current vertex thickest), each caption in a small box beside its vertex, then the labels.
void DrawStepPicture(const GraphDocument& graf, QPainter& surface, const StepPicture& step);
// The same on a fresh surface of the canvas size, or of the given part of the canvas (its
// offset() is the part's corner); null when it is empty or too large.
QImage RenderStepPicture(const GraphDocument& graf, const StepPicture& step, QSize canvas,
                         const QRect& view = QRect(), qreal pixelRatio = 1.0);

// The most frames one command writes as pictures, and the most bytes they take in all: a
// frame of a large graph costs seconds and a megabyte, and a trace holds up to 100,000.
constexpr qint64 MaxFramePictures = 10000;
constexpr qint64 MaxFramePictureBytes = 2048LL * 1024 * 1024;
// Whether `frames` pictures of about `bytesEach` bytes each stay within both bounds.
bool FramePicturesAllowed(qint64 frames, qint64 bytesEach);
