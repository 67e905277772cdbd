#include "commands/GraphLayouts.h"

#include "base/TranslationManager.h"
#include "commands/GraphSession.h"
#include "document/GraphDocument.h"
#include "files/IgraphAdapter.h"

#include <QFontMetrics>
#include <QPointF>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace GraphLayouts {

namespace {

constexpr KindInfo kKinds[] = {
    {Kind::Circle, "circle", "circle", "Layout_circle"},
    {Kind::Grid, "grid", "grid", "Layout_grid"},
    {Kind::FruchtermanReingold, "fr", "fruchterman-reingold", "Layout_fr"},
    {Kind::KamadaKawai, "kk", "kamada-kawai", "Layout_kk"},
    {Kind::Sugiyama, "layered", "sugiyama", "Layout_layered"},
    {Kind::Tree, "tree", "reingold-tilford", "Layout_tree"},
};

// The host of the command-line tool and of the tests reports no window.
constexpr int NotionalWidth = 640;
constexpr int NotionalHeight = 480;

QPoint Rounded(double x, double y)
{
    return QPoint(int(std::lround(x)), int(std::lround(y)));
}

// The least distance between neighbours on the circle and the grid: two vertices side by side
// with a little air between them.
int Spacing(int margin)
{
    return 2 * margin + 4;
}

std::vector<QPoint> CircleLayout(int n, const QRect& area, int margin)
{
    std::vector<QPoint> points(static_cast<std::size_t>(n));
    const double cx0 = area.left() + area.width() / 2.0, cy0 = area.top() + area.height() / 2.0;
    if (n == 1) {
        points[0] = Rounded(cx0, cy0);
        return points;
    }
    double r = std::max(0.0, std::min(area.width(), area.height()) / 2.0 - margin);
    // Neighbours a chord 2 r sin(pi / n) apart.
    r = std::max(r, Spacing(margin) / (2 * std::sin(std::numbers::pi / n)));
    const double cx = std::max(cx0, area.left() + margin + r), cy = std::max(cy0, area.top() + margin + r);
    for (int i = 0; i < n; ++i) {
        const double angle = 2 * std::numbers::pi * i / n - std::numbers::pi / 2;
        points[std::size_t(i)] = Rounded(cx + r * std::cos(angle), cy + r * std::sin(angle));
    }
    return points;
}

std::vector<QPoint> GridLayout(int n, const QRect& area, int margin, int wantedColumns)
{
    std::vector<QPoint> points(static_cast<std::size_t>(n));
    if (n == 0)
        return points;
    const double innerW = std::max(1, area.width() - 2 * margin);
    const double innerH = std::max(1, area.height() - 2 * margin);
    int columns = wantedColumns > 0 ? wantedColumns : int(std::ceil(std::sqrt(n * innerW / innerH)));
    columns = std::clamp(columns, 1, n);
    const int rows = (n + columns - 1) / columns;
    double step = 1e300;
    if (columns > 1)
        step = std::min(step, innerW / (columns - 1));
    if (rows > 1)
        step = std::min(step, innerH / (rows - 1));
    if (step > 1e299)
        step = 0;
    step = std::max(step, double(Spacing(margin)));
    // The block centred in the area, or from its top-left corner when it is larger.
    const double blockW = (columns - 1) * step, blockH = (rows - 1) * step;
    const double left = area.left() + margin + std::max(0.0, (innerW - blockW) / 2);
    const double top = area.top() + margin + std::max(0.0, (innerH - blockH) / 2);
    for (int i = 0; i < n; ++i)
        points[std::size_t(i)] = Rounded(left + (i % columns) * step, top + (i / columns) * step);
    return points;
}

std::vector<QPointF> Rows(const igraph_matrix_t& res, int n)
{
    std::vector<QPointF> raw(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        raw[std::size_t(i)] = QPointF(MATRIX(res, i, 0), MATRIX(res, i, 1));
    return raw;
}

// The roots of the tree layout: the chosen vertex, then the lowest vertex of every other part
// of a disconnected graph, so that every vertex is placed.
bool TreeRoots(Igraph::Graph& g, int root, Igraph::IntVector& roots)
{
    Igraph::IntVector membership(0);
    if (!membership.Valid())
        return false;
    igraph_integer_t count = 0;
    bool ok = igraph_connected_components(g.Get(), membership.Get(), nullptr, &count, IGRAPH_WEAK) ==
              IGRAPH_SUCCESS;
    if (ok) {
        std::vector<bool> seen(static_cast<std::size_t>(count), false);
        const igraph_integer_t n = igraph_vcount(g.Get());
        seen[std::size_t(VECTOR(*membership.Get())[root])] = true;
        ok = igraph_vector_int_push_back(roots.Get(), root) == IGRAPH_SUCCESS;
        for (igraph_integer_t v = 0; v < n && ok; ++v) {
            const auto part = std::size_t(VECTOR(*membership.Get())[v]);
            if (!seen[part]) {
                seen[part] = true;
                ok = igraph_vector_int_push_back(roots.Get(), v) == IGRAPH_SUCCESS;
            }
        }
    }
    return ok;
}

std::optional<std::vector<QPointF>> LibraryLayout(const GraphDocument& graf, Kind kind,
                                                  const Options& options)
{
    const int n = graf.VertexCount;
    Igraph::LibraryCall call;
    Igraph::Graph g;
    if (!Igraph::FromDocument(graf, g))
        return std::nullopt;
    Igraph::Seed(options.seed);
    Igraph::Matrix result(0, 0);
    if (!result.Valid())
        return std::nullopt;
    igraph_matrix_t* res = result.Get();
    igraph_error_t code = IGRAPH_SUCCESS;
    switch (kind) {
    case Kind::FruchtermanReingold:
        code = igraph_layout_fruchterman_reingold(g.Get(), res, false, 500, std::sqrt(double(n)),
                                                  IGRAPH_LAYOUT_AUTOGRID, nullptr, nullptr, nullptr, nullptr,
                                                  nullptr);
        break;
    case Kind::KamadaKawai:
        code = igraph_layout_kamada_kawai(g.Get(), res, false, 50 * n, 0, n, nullptr, nullptr, nullptr,
                                          nullptr, nullptr);
        break;
    case Kind::Sugiyama: {
        const bool given = int(options.layers.size()) == n;
        Igraph::IntVector layers(given ? n : 0);
        if (!layers.Valid()) {
            code = IGRAPH_ENOMEM;
            break;
        }
        for (int i = 0; given && i < n; ++i)
            VECTOR(*layers.Get())[i] = options.layers[std::size_t(i)];
        code = igraph_layout_sugiyama(g.Get(), res, nullptr, nullptr, given ? layers.Get() : nullptr, 1, 1,
                                      100, nullptr);
        break;
    }
    case Kind::Tree: {
        const int root = graf.IsVertex(options.root)
                             ? options.root
                             : (graf.IsVertex(graf.ActiveVertex) ? graf.ActiveVertex : 1);
        Igraph::IntVector roots(0);
        if (!roots.Valid() || !TreeRoots(g, root - 1, roots))
            code = IGRAPH_FAILURE;
        else
            code = igraph_layout_reingold_tilford(g.Get(), res, IGRAPH_ALL, roots.Get(), nullptr);
        break;
    }
    case Kind::Circle:
    case Kind::Grid:
        break;
    }
    std::optional<std::vector<QPointF>> raw;
    if (code == IGRAPH_SUCCESS && igraph_matrix_nrow(res) >= n && igraph_matrix_ncol(res) >= 2)
        raw = Rows(*res, n);
    return raw;
}

} // namespace

std::span<const KindInfo> Kinds()
{
    return kKinds;
}

std::optional<Kind> KindNamed(const QString& name)
{
    const QString lower = name.toLower();
    for (const KindInfo& info : kKinds)
        if (lower == QLatin1String(info.name) || lower == QLatin1String(info.alias))
            return info.kind;
    return std::nullopt;
}

QRect VisibleArea(const GraphDocument& graf, const ProgramView& view)
{
    const QSize drawingArea = view.DrawingArea();
    const QPoint scroll = view.ScrollPosition();
    const int width = drawingArea.width() > 0 ? drawingArea.width() : NotionalWidth;
    const int height = drawingArea.height() > 0 ? drawingArea.height() : NotionalHeight;
    // Less a strip at the left and a line of text at the top: no vertex touches the edges, and
    // the captions a walk-through writes above and beside a vertex stay in view.
    const int left = 6, top = QFontMetrics(graf.NormalLabelStyle.Font()).height() + 4;
    return QRect(scroll.x() + left, scroll.y() + top, std::max(1, width - left), std::max(1, height - top));
}

int VertexMargin(const GraphDocument& graf)
{
    int radius = graf.VertexCount > 0 ? 0 : graf.VertexSize;
    // A name is written centred on its vertex and may be wider than the circle ("255" in a
    // small one): it too must stay clear of the edges and of the neighbours' names.
    const QFontMetrics normal(graf.NormalLabelStyle.Font()), active(graf.ActiveLabelStyle.Font());
    int caption = std::max(normal.height(), active.height());
    for (int v = 1; v <= graf.VertexCount; ++v) {
        radius = std::max(radius, graf.Vertices[v].Size);
        const QString title = graf.VertexName(v);
        caption = std::max({caption, normal.horizontalAdvance(title), active.horizontalAdvance(title)});
    }
    return std::max(radius + std::max(1, graf.Style().NormalVertex.PenSize), (caption + 1) / 2 + 2);
}

std::optional<std::vector<QPoint>> Compute(const GraphDocument& graf, Kind kind, const QRect& area,
                                           const Options& options)
{
    const int n = graf.VertexCount;
    const int margin = VertexMargin(graf);
    if (n == 0)
        return std::vector<QPoint>();
    switch (kind) {
    case Kind::Circle:
        return CircleLayout(n, area, margin);
    case Kind::Grid:
        return GridLayout(n, area, margin, options.columns);
    case Kind::FruchtermanReingold:
    case Kind::KamadaKawai:
    case Kind::Sugiyama:
    case Kind::Tree:
        break;
    }
    const auto raw = LibraryLayout(graf, kind, options);
    if (!raw)
        return std::nullopt;
    return Fit(*raw, area, margin, false);
}

std::vector<QPoint> Fit(const std::vector<QPointF>& raw, const QRect& area, int margin, bool keepShape)
{
    std::vector<QPoint> points(raw.size());
    if (raw.empty())
        return points;
    double left = raw[0].x(), right = left, top = raw[0].y(), bottom = top;
    for (const QPointF& p : raw) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    const double innerW = std::max(0, area.width() - 2 * margin);
    const double innerH = std::max(0, area.height() - 2 * margin);
    const double spanX = right - left, spanY = bottom - top;
    constexpr double flat = 1e-9;
    double scaleX = spanX > flat ? innerW / spanX : 0, scaleY = spanY > flat ? innerH / spanY : 0;
    if (keepShape) {
        const double scale =
            spanX > flat && spanY > flat ? std::min(scaleX, scaleY) : std::max(scaleX, scaleY);
        scaleX = scaleY = scale;
    }
    // What is left over on an axis centres the drawing on it.
    const double offsetX = (innerW - spanX * scaleX) / 2, offsetY = (innerH - spanY * scaleY) / 2;
    for (std::size_t i = 0; i < raw.size(); ++i)
        points[i] = Rounded(area.left() + margin + offsetX + (raw[i].x() - left) * scaleX,
                            area.top() + margin + offsetY + (raw[i].y() - top) * scaleY);
    return points;
}

void Place(GraphDocument& graf, const std::vector<QPoint>& points)
{
    const int n = std::min(graf.VertexCount, int(points.size()));
    // Room for the names too, which may reach beyond the circles.
    const int margin = VertexMargin(graf);
    for (int v = 1; v <= n; ++v) {
        VertexRecord& point = graf.Vertices[v];
        point.X = points[std::size_t(v - 1)].x();
        point.Y = points[std::size_t(v - 1)].y();
        graf.GrowExtent(point.X + std::max(point.Size, margin), point.Y + std::max(point.Size, margin));
    }
    graf.CenterAllArcTexts();
}

bool LayoutCommand(GraphSession& session, Kind kind, const Options& options)
{
    if (!session.RequireDocument())
        return false;
    GraphDocument& graf = *session.Document();
    if (graf.VertexCount == 0)
        return false;
    const auto points = Compute(graf, kind, VisibleArea(graf, session.Host()), options);
    if (!points) {
        session.Host().ShowError(Translate(QStringLiteral("Layout_failed")));
        return false;
    }
    session.RecordState();
    Place(graf, *points);
    session.Refresh();
    return true;
}

} // namespace GraphLayouts
