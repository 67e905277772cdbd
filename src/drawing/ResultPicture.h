#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <vector>

class QPainter;
class GraphDocument;

// A drawing of the document made for one result (a colouring, a flow): the document's own
// highlighting stays as it is, and the next redraw shows the plain graph again.
struct ResultPictureSpec {
    struct Arc {
        int from = 0;
        int to = 0;
        QString caption; // in place of the weight; empty: the weight as usual
        bool highlighted = false;
        // An arc the result advises deleting: drawn dashed in a colour of its own, apart
        // from both the highlighted and the plain arcs.
        bool struck = false;
    };
    // Drawn in this order; when empty, every arc of the document in list order, plain.
    std::vector<Arc> arcs;
    // Index v: the fill 0x00BBGGRR of vertex v, or -1 for its style's own.
    std::vector<int> vertexFills;
    // Vertices 1..vertexCount are drawn; 0 draws every vertex.
    int vertexCount = 0;
};

// Background, the arcs, the vertices with their names and fills, the labels, on a surface of
// the canvas size, or of the given part of the canvas (its offset() is the part's corner).
// Null when the canvas has no size or the picture would be larger than allowed.
void DrawResultPicture(const GraphDocument& graf, QPainter& surface, const ResultPictureSpec& spec);
QImage RenderResultPicture(const GraphDocument& graf, const ResultPictureSpec& spec, QSize canvas,
                           const QRect& view = QRect(), qreal pixelRatio = 1.0);
