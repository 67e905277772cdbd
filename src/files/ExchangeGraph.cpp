#include "files/ExchangeGraph.h"

#include "base/TranslationManager.h"
#include "document/GraphDocument.h"
#include "document/ProgramHost.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <numbers>

namespace {

// The drawing area of a host that reports none (the command-line tool, the tests).
constexpr int DefaultAreaWidth = 640;
constexpr int DefaultAreaHeight = 480;

QString Counted(const char* key, int count)
{
    return Translate(QString::fromLatin1(key)).arg(count);
}

bool NamesAreNumbers(const QStringList& names)
{
    for (int i = 0; i < names.size(); ++i)
        if (names[i] != QString::number(i + 1))
            return false;
    return true;
}

// Positions kept as they are when they already lie in the area, else their bounding box
// scaled into it (keeping the proportions); a circle when the source has none.
std::vector<QPoint> Layout(const ExchangeGraph& source, int width, int height, int radius)
{
    const int n = source.VertexCount();
    std::vector<QPoint> points(static_cast<std::size_t>(n));
    const double margin = radius + 10;
    if (n == 0)
        return points;
    // Positions that are all the same (a writer that fills in 0 0) say nothing.
    bool distinct = n == 1;
    for (std::size_t i = 1; i < source.Positions.size() && !distinct; ++i)
        distinct = source.Positions[i] != source.Positions[0];
    if (int(source.Positions.size()) == n && distinct) {
        double left = source.Positions[0].x(), right = left;
        double top = source.Positions[0].y(), bottom = top;
        bool finite = true;
        for (const QPointF& p : source.Positions) {
            finite = finite && std::isfinite(p.x()) && std::isfinite(p.y());
            left = std::min(left, p.x());
            right = std::max(right, p.x());
            top = std::min(top, p.y());
            bottom = std::max(bottom, p.y());
        }
        if (finite) {
            if (left >= radius && top >= radius && right <= width - radius && bottom <= height - radius) {
                for (int i = 0; i < n; ++i)
                    points[std::size_t(i)] = QPoint(int(std::lround(source.Positions[std::size_t(i)].x())),
                                                    int(std::lround(source.Positions[std::size_t(i)].y())));
                return points;
            }
            const double spanX = right - left, spanY = bottom - top;
            const double roomX = std::max(1.0, width - 2 * margin),
                         roomY = std::max(1.0, height - 2 * margin);
            double scale = std::min(spanX > 0 ? roomX / spanX : 1e300, spanY > 0 ? roomY / spanY : 1e300);
            if (scale > 1e299)
                scale = 1;
            for (int i = 0; i < n; ++i) {
                const QPointF& p = source.Positions[std::size_t(i)];
                const double x = spanX > 0 ? margin + (p.x() - left) * scale : width / 2.0;
                const double y = spanY > 0 ? margin + (p.y() - top) * scale : height / 2.0;
                points[std::size_t(i)] = QPoint(int(std::lround(x)), int(std::lround(y)));
            }
            return points;
        }
    }
    const double cx = width / 2.0, cy = height / 2.0;
    const double r = std::max(0.0, std::min(width, height) / 2.0 - margin);
    for (int i = 0; i < n; ++i) {
        const double angle = 2 * std::numbers::pi * i / n - std::numbers::pi / 2;
        points[std::size_t(i)] =
            QPoint(int(std::lround(cx + r * std::cos(angle))), int(std::lround(cy + r * std::sin(angle))));
    }
    return points;
}

} // namespace

bool WeightFits(double weight)
{
    return std::isfinite(weight) && weight >= 0.5 && weight < GraphDocument::MaxWeight + 0.5;
}

int NamedVertices::Of(const QByteArray& name)
{
    const auto found = index.constFind(name);
    if (found != index.cend())
        return *found;
    const int v = int(graph.Names.size());
    index.insert(name, v);
    graph.Names.append(QString::fromUtf8(name));
    return v;
}

bool ReadNumber(const QString& text, double& value)
{
    if (text.size() > 64)
        return false;
    char plain[65];
    qsizetype length = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (!((u >= '0' && u <= '9') || u == '.' || u == '+' || u == '-' || u == 'e' || u == 'E'))
            break;
        plain[length++] = char(u);
    }
    if (length == text.size() && length > 0) {
        plain[length] = '\0';
        char* stop = nullptr;
        errno = 0;
        const double read = std::strtod(plain, &stop);
        // Overflow and underflow are read as the library reads them.
        if (stop == plain + length && errno == 0 && std::isfinite(read)) {
            value = read;
            return true;
        }
    }
    bool ok = false;
    value = text.toDouble(&ok);
    return ok;
}

ExchangeGraph ExchangeGraphOf(const GraphDocument& graf)
{
    ExchangeGraph out;
    out.Directed = graf.Directed;
    out.Weighted = graf.Weighted;
    for (int v = 1; v <= graf.VertexCount; ++v) {
        out.Names.append(graf.VertexName(v));
        out.Positions.emplace_back(graf.Vertices[v].X, graf.Vertices[v].Y);
    }
    for (int a = 1; a <= graf.VertexCount; ++a)
        for (int b : graf.OutArcs(a))
            if (out.Directed || a < b)
                out.Edges.push_back({a - 1, b - 1, double(graf.MatrixEntry(a, b)), false});
    return out;
}

namespace {

// The first arc whose weight does not fit, with its weight and line when known.
QString ArcText(const ExchangeGraph& source, const ExchangeGraph::Edge& e)
{
    const bool directed = source.Directed || source.Mixed;
    // An edge has no first end; the readers do not all keep the file's order.
    const int from = directed ? e.From : std::min(e.From, e.To),
              to = directed ? e.To : std::max(e.From, e.To);
    const QString arc = source.Names.value(from) +
                        (directed ? QStringLiteral(" → ") : QStringLiteral(" – ")) + source.Names.value(to);
    const QString weight = QString::number(e.Weight, 'g', 10);
    return e.Line > 0 ? Translate(QStringLiteral("Exchange_weight_arc_line")).arg(arc, weight).arg(e.Line)
                      : Translate(QStringLiteral("Exchange_weight_arc")).arg(arc, weight);
}

} // namespace

bool ApplyExchangeGraph(GraphDocument& graf, ProgramHost& host, const ExchangeGraph& source,
                        ImportWeights weights, bool* weightsRefused)
{
    if (weightsRefused)
        *weightsRefused = false;
    const int n = source.VertexCount();
    if (n > GraphDocument::MaxVertices) {
        host.ShowError(Translate(QStringLiteral("Version_not_support_count")));
        return false;
    }
    bool weighted = source.Weighted && weights != ImportWeights::Drop;
    int rounded = 0, refused = 0;
    const ExchangeGraph::Edge* firstRefused = nullptr;
    std::vector<int> costs(source.Edges.size(), 1);
    for (std::size_t k = 0; k < source.Edges.size(); ++k) {
        const auto& e = source.Edges[k];
        if (e.From < 0 || e.To < 0 || e.From >= n || e.To >= n) {
            host.ShowError(Translate(QStringLiteral("Exchange_parse_error")).arg(QString()));
            return false;
        }
        if (!weighted || e.From == e.To)
            continue;
        const double w = e.Weight;
        if (!WeightFits(w)) {
            if (!firstRefused)
                firstRefused = &e;
            ++refused;
            continue;
        }
        costs[k] = int(std::lround(w));
        if (double(costs[k]) != w)
            ++rounded;
    }
    if (refused > 0) {
        const QString arc = ArcText(source, *firstRefused);
        if (weights == ImportWeights::Ask &&
            host.AskYesNo(Translate(QStringLiteral("Exchange_weights_ask")).arg(refused).arg(arc))) {
            weighted = false;
            rounded = 0;
            std::fill(costs.begin(), costs.end(), 1);
        } else {
            if (weights != ImportWeights::Ask)
                host.ShowError(
                    Translate(QStringLiteral("Exchange_weights_refused_arc")).arg(refused).arg(arc));
            if (weightsRefused)
                *weightsRefused = true;
            return false;
        }
    }

    // Built aside, so a refusal or a fault part-way leaves the document as it was.
    auto fresh = std::make_unique<GraphDocument>();
    fresh->MeasuresLabels = false;
    fresh->VertexSize = graf.VertexSize;
    const bool directed = source.Directed || source.Mixed;
    fresh->StartNewGraph(directed, weighted);
    const bool numbered = NamesAreNumbers(source.Names);
    if (numbered)
        fresh->Naming().SetNumbers(1);
    fresh->Naming().SetKind(numbered ? VertexNaming::Numbers : VertexNaming::Manual);
    const int width = host.DrawingAreaWidth() > 0 ? host.DrawingAreaWidth() : DefaultAreaWidth;
    const int height = host.DrawingAreaHeight() > 0 ? host.DrawingAreaHeight() : DefaultAreaHeight;
    const std::vector<QPoint> points = Layout(source, width, height, graf.VertexSize);
    bool namesCut = false;
    for (int i = 0; i < n; ++i)
        fresh->AddVertex(points[std::size_t(i)].x(), points[std::size_t(i)].y(),
                         GraphDocument::CutName(source.Names[i], namesCut), i + 1, graf.VertexSize);

    int loops = 0, parallel = 0;
    // Which arcs are in, looked up at once: a list search per arc made a complete graph slow.
    std::vector<bool> present(std::size_t(n + 1) * std::size_t(n + 1), false);
    const auto arc = [&](int a, int b) {
        return present[std::size_t(a) * std::size_t(n + 1) + std::size_t(b)];
    };
    for (std::size_t k = 0; k < source.Edges.size(); ++k) {
        const auto& e = source.Edges[k];
        const int a = e.From + 1, b = e.To + 1;
        if (a == b) {
            ++loops;
            continue;
        }
        const bool both = directed && source.Mixed && e.BothWays;
        if (arc(a, b) || (both && arc(b, a))) {
            ++parallel;
            continue;
        }
        fresh->AddArc(a, b, costs[k]);
        if (both)
            fresh->AddArc(b, a, costs[k]);
        // An undirected graph's edge is both arcs.
        present[std::size_t(a) * std::size_t(n + 1) + std::size_t(b)] = true;
        if (both || !directed)
            present[std::size_t(b) * std::size_t(n + 1) + std::size_t(a)] = true;
    }

    // The graph fits: it replaces the document's like a new graph would.
    graf.DeleteAllLabels();
    graf.StartNewGraph(directed, weighted);
    graf.ExtentWidth = 0;
    graf.ExtentHeight = 0;
    if (numbered)
        graf.Naming().SetNumbers(1);
    graf.Naming().CopyFrom(fresh->Naming());
    graf.VertexCount = fresh->VertexCount;
    graf.Vertices = fresh->Vertices;
    graf.SetOutLists(fresh->AllOutLists());
    graf.NameNumberUsed = fresh->NameNumberUsed;
    graf.GrowExtent(fresh->ExtentWidth, fresh->ExtentHeight);
    graf.CenterAllArcTexts();

    const auto warn = [&host](const QString& text) {
        host.ShowMessage(ProgramHost::MessageKind::Warning, text);
    };
    if (rounded > 0)
        warn(Counted("Exchange_weights_rounded", rounded));
    if (weighted && source.MissingWeights > 0)
        warn(Counted("Exchange_weights_missing", source.MissingWeights));
    if (loops > 0)
        warn(Counted("Exchange_loops_dropped", loops));
    if (parallel > 0)
        warn(Counted("Exchange_parallel_merged", parallel));
    if (source.Mixed)
        warn(Translate(QStringLiteral("Exchange_mixed_directed")));
    if (namesCut)
        warn(Translate(QStringLiteral("Name_text_cut")));
    if (source.OtherGraphs > 0)
        warn(Counted("Exchange_other_graphs", source.OtherGraphs));
    if (source.Hyperedges > 0)
        warn(Counted("Exchange_hyperedges_dropped", source.Hyperedges));
    if (source.UnreadEntities > 0)
        warn(Counted("Exchange_entities_dropped", source.UnreadEntities));
    host.RefreshMatrixWindow();
    host.Redraw();
    return true;
}
