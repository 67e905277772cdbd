#pragma once

#include "document/ProgramView.h"

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>
#include <span>
#include <vector>

class GraphSession;
class GraphDocument;

// Automatic layouts: where every vertex goes, computed from the arcs alone. A layout moves
// vertices and straightens arcs; it never changes arcs, names, weights or labels.
namespace GraphLayouts {

enum class Kind { Circle, Grid, FruchtermanReingold, KamadaKawai, Sugiyama, Tree };

struct KindInfo {
    Kind kind;
    const char* name;       // the command-line name
    const char* alias;      // a longer command-line name
    const char* captionKey; // the menu item's text
};
std::span<const KindInfo> Kinds();
std::optional<Kind> KindNamed(const QString& name);

struct Options {
    // The root of the tree layout; 0: the selected vertex, else vertex 1.
    int root = 0;
    // Force-directed layouts start from random places: the same seed, the same drawing.
    unsigned seed = 1;
    // Columns of the grid layout; 0: as many as suit the area's shape.
    int columns = 0;
    // The layer of every vertex (0-based, one entry per vertex) for the layered layout;
    // empty: the layout chooses.
    std::vector<int> layers;
};

// The part of the canvas the view's drawing area shows at its scroll position, in canvas
// coordinates (a notional 640 x 480 where there is no window: an empty size).
QRect VisibleArea(const GraphDocument& graf, const ProgramView& view);
// The room a vertex needs around its centre: the largest vertex radius and the pen, or half
// the widest name (and the names' height) with a little space, whichever is more.
int VertexMargin(const GraphDocument& graf);

// Canvas positions of vertices 1..n (entry v - 1 for vertex v), inside the area shrunk by the
// vertex margin. Circle and grid keep neighbours at least two margins apart and, only where
// the area is too small for that, reach beyond its right and bottom edges. Empty with n = 0;
// nullopt when the library failed.
std::optional<std::vector<QPoint>> Compute(const GraphDocument& graf, Kind kind, const QRect& area,
                                           const Options& options = {});

// Positions of any scale fitted into the area less the vertex margin: stretched over it, or
// with keepShape scaled alike both ways and centred.
std::vector<QPoint> Fit(const std::vector<QPointF>& raw, const QRect& area, int margin, bool keepShape);

// Moves the vertices to the positions and straightens every arc; the drawing grows to hold
// them. Labels, arcs, names and weights stay as they are.
void Place(GraphDocument& graf, const std::vector<QPoint>& points);

// Graph > Layout: one undo step, then a redraw. False, with nothing changed or recorded, when
// there is no vertex to place or the layout failed (with a message).
bool LayoutCommand(GraphSession& session, Kind kind, const Options& options = {});

} // namespace GraphLayouts
