#include "commands/GraphGenerators.h"

#include "base/TranslationManager.h"
#include "commands/GraphSession.h"
#include "document/GraphDocument.h"
#include "document/UndoHistory.h"
#include "files/IgraphAdapter.h"

#include <QPointF>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace GraphGenerators {

namespace {

using F = Family;
using P = Param;

constexpr FamilyInfo kFamilies[] = {
    {F::Complete, "complete", "Generate_complete", P::N, P::None, 5, 0},
    {F::Cycle, "cycle", "Generate_cycle", P::N, P::None, 6, 0},
    {F::Path, "path", "Generate_path", P::N, P::None, 5, 0},
    {F::Star, "star", "Generate_star", P::N, P::None, 6, 0},
    {F::Wheel, "wheel", "Generate_wheel", P::N, P::None, 7, 0},
    {F::CompleteBipartite, "bipartite", "Generate_bipartite", P::PartM, P::PartN, 3, 3},
    {F::Grid, "grid", "Generate_grid", P::Rows, P::Columns, 4, 5},
    {F::Hypercube, "hypercube", "Generate_hypercube", P::D, P::None, 3, 0},
    {F::Petersen, "petersen", "Generate_petersen", P::None, P::None, 0, 0},
    {F::GeneralizedPetersen, "gpetersen", "Generate_gpetersen", P::Ring, P::K, 7, 2},
    {F::RandomGnp, "gnp", "Generate_gnp", P::N, P::None, 12, 0, true, true},
    {F::RandomGnm, "gnm", "Generate_gnm", P::N, P::Arcs, 12, 20, false, true},
    {F::RandomTree, "tree", "Generate_tree", P::N, P::None, 12, 0, false, true},
    {F::RandomDag, "dag", "Generate_dag", P::N, P::None, 10, 0, true, true, true},
    {F::FlowNetwork, "flow", "Generate_flow", P::Layers, P::LayerWidth, 3, 3, false, true, true, true},
};

constexpr int MaxVertices = GraphDocument::MaxVertices;

struct Range {
    Param param;
    long long value, min, max;
};

QString RangeMessage(const QString& what, const QString& min, const QString& max)
{
    return Translate(QStringLiteral("Generate_range")).arg(what, min, max);
}

// The whole-number parameters with their ranges, once the vertex count is known to fit.
std::vector<Range> Ranges(const Params& p)
{
    const long long n = p.first, second = p.second;
    switch (p.family) {
    case F::Complete:
    case F::Path:
    case F::RandomGnp:
    case F::RandomTree:
    case F::RandomDag:
        return {{P::N, n, 1, MaxVertices}};
    case F::Cycle:
        return {{P::N, n, 3, MaxVertices}};
    case F::Star:
        return {{P::N, n, 2, MaxVertices}};
    case F::Wheel:
        return {{P::N, n, 4, MaxVertices}};
    case F::CompleteBipartite:
        return {{P::PartM, n, 1, MaxVertices - 1}, {P::PartN, second, 1, MaxVertices - 1}};
    case F::Grid:
        return {{P::Rows, n, 1, MaxVertices}, {P::Columns, second, 1, MaxVertices}};
    case F::Hypercube:
        return {{P::D, n, 0, 7}};
    case F::Petersen:
        return {};
    case F::GeneralizedPetersen:
        return {{P::Ring, n, 3, MaxVertices / 2}, {P::K, second, 1, std::max(1LL, (n - 1) / 2)}};
    case F::RandomGnm: {
        const long long pairs = n * (n - 1) / (p.directed ? 1 : 2);
        return {{P::N, n, 1, MaxVertices}, {P::Arcs, second, 0, std::max(0LL, pairs)}};
    }
    case F::FlowNetwork:
        return {{P::Layers, n, 1, MaxVertices - 2}, {P::LayerWidth, second, 1, MaxVertices - 2}};
    }
    return {};
}

bool Weighted(const Params& p)
{
    return InfoOf(p.family).alwaysWeighted || p.weights != Weights::None;
}

bool Directed(const Params& p)
{
    return InfoOf(p.family).alwaysDirected || p.directed;
}

std::vector<std::pair<int, int>> Hypercube(int d)
{
    std::vector<std::pair<int, int>> arcs;
    const int n = 1 << d;
    for (int u = 0; u < n; ++u)
        for (int bit = 0; bit < d; ++bit)
            if (const int v = u ^ (1 << bit); u < v)
                arcs.emplace_back(u, v);
    return arcs;
}

// Every arc pointing away from vertex 0 (a tree's edges in any order).
std::vector<std::pair<int, int>> AwayFromFirst(int n, const std::vector<std::pair<int, int>>& edges)
{
    std::vector<std::vector<int>> next(static_cast<std::size_t>(n));
    for (const auto& [a, b] : edges) {
        next[std::size_t(a)].push_back(b);
        next[std::size_t(b)].push_back(a);
    }
    std::vector<std::pair<int, int>> arcs;
    std::vector<bool> seen(static_cast<std::size_t>(n), false);
    std::vector<int> queue{0};
    seen[0] = true;
    for (std::size_t head = 0; head < queue.size(); ++head)
        for (int w : next[std::size_t(queue[head])])
            if (!seen[std::size_t(w)]) {
                seen[std::size_t(w)] = true;
                arcs.emplace_back(queue[head], w);
                queue.push_back(w);
            }
    return arcs;
}

// A source, `layers` layers of `width` vertices and a sink: the source feeds the first layer,
// the last feeds the sink, and between layers every vertex gets at least one arc in and one
// out, so the source is the only vertex nothing enters and the sink the only one nothing leaves.
void FlowNetwork(int layers, int width, Built& out)
{
    const int n = layers * width + 2;
    const int sink = n - 1;
    auto vertex = [width](int layer, int i) { return 1 + layer * width + i; };
    out.vertices = n;
    out.layers.assign(std::size_t(n), 0);
    for (int layer = 0; layer < layers; ++layer)
        for (int i = 0; i < width; ++i)
            out.layers[std::size_t(vertex(layer, i))] = layer + 1;
    out.layers[std::size_t(sink)] = layers + 1;
    for (int i = 0; i < width; ++i)
        out.arcs.emplace_back(0, vertex(0, i));
    for (int layer = 0; layer + 1 < layers; ++layer) {
        std::vector<bool> hasOut(static_cast<std::size_t>(width), false), hasIn(std::size_t(width), false);
        std::vector<std::pair<int, int>> between;
        for (int i = 0; i < width; ++i)
            for (int j = 0; j < width; ++j)
                if (Igraph::RandomUnit() < 0.4) {
                    between.emplace_back(i, j);
                    hasOut[std::size_t(i)] = hasIn[std::size_t(j)] = true;
                }
        for (int i = 0; i < width; ++i)
            if (!hasOut[std::size_t(i)]) {
                const int j = Igraph::RandomInteger(0, width - 1);
                between.emplace_back(i, j);
                hasIn[std::size_t(j)] = true;
            }
        for (int j = 0; j < width; ++j)
            if (!hasIn[std::size_t(j)])
                between.emplace_back(Igraph::RandomInteger(0, width - 1), j);
        std::sort(between.begin(), between.end());
        for (const auto& [i, j] : between)
            out.arcs.emplace_back(vertex(layer, i), vertex(layer + 1, j));
    }
    for (int i = 0; i < width; ++i)
        out.arcs.emplace_back(vertex(layers - 1, i), sink);
}

// The families igraph builds; false when it failed.
bool LibraryFamily(const Params& p, bool directed, Built& out)
{
    Igraph::Graph g;
    igraph_error_t code = IGRAPH_SUCCESS;
    const int n = p.first;
    switch (p.family) {
    case F::Complete:
        code = igraph_full(g.Get(), n, directed, false);
        break;
    case F::Cycle:
    case F::Path:
        code = igraph_ring(g.Get(), n, directed, false, p.family == F::Cycle);
        break;
    case F::Star:
        code = igraph_star(g.Get(), n, directed ? IGRAPH_STAR_OUT : IGRAPH_STAR_UNDIRECTED, 0);
        break;
    case F::Wheel:
        code = igraph_wheel(g.Get(), n, directed ? IGRAPH_WHEEL_OUT : IGRAPH_WHEEL_UNDIRECTED, 0);
        break;
    case F::CompleteBipartite:
        code = igraph_full_bipartite(g.Get(), nullptr, n, p.second, directed, IGRAPH_OUT);
        break;
    case F::Grid: {
        // igraph numbers a lattice's vertices along its first dimension first: row by row.
        Igraph::IntVector dims(2);
        if (!dims.Valid()) {
            code = IGRAPH_ENOMEM;
            break;
        }
        VECTOR(*dims.Get())[0] = p.second;
        VECTOR(*dims.Get())[1] = n;
        code = igraph_square_lattice(g.Get(), dims.Get(), 1, directed, false, nullptr);
        break;
    }
    case F::Petersen:
        code = igraph_generalized_petersen(g.Get(), 5, 2);
        break;
    case F::GeneralizedPetersen:
        code = igraph_generalized_petersen(g.Get(), n, p.second);
        break;
    case F::RandomGnp:
        code = igraph_erdos_renyi_game_gnp(g.Get(), n, p.probability, directed, false);
        break;
    case F::RandomGnm:
        code = igraph_erdos_renyi_game_gnm(g.Get(), n, p.second, directed, false);
        break;
    case F::RandomTree:
        code = igraph_tree_game(g.Get(), n, false, IGRAPH_RANDOM_TREE_PRUFER);
        break;
    case F::RandomDag:
        code = igraph_erdos_renyi_game_gnp(g.Get(), n, p.probability, false, false);
        break;
    case F::Hypercube:
    case F::FlowNetwork:
        return false;
    }
    if (code != IGRAPH_SUCCESS)
        return false;
    g.Own();
    out.vertices = int(igraph_vcount(g.Get()));
    out.arcs = g.Edges();
    const bool libraryDirected = igraph_is_directed(g.Get());
    if (p.family == F::RandomTree && directed)
        out.arcs = AwayFromFirst(out.vertices, out.arcs);
    else if (directed && !libraryDirected)
        // Undirected models made directed point from the lower vertex to the higher: a random
        // DAG's numbering is then a topological order.
        for (auto& [a, b] : out.arcs)
            if (a > b)
                std::swap(a, b);
    if (!directed)
        // Each edge once, as the lower vertex's: the order of the out-lists is then the order
        // the family lists its edges in.
        for (auto& [a, b] : out.arcs)
            if (a > b)
                std::swap(a, b);
    return true;
}

// Hub and rim, or the two rings of a generalized Petersen graph.
std::vector<QPointF> RingPositions(const Params& p, int n)
{
    std::vector<QPointF> raw(static_cast<std::size_t>(n));
    auto onCircle = [](int i, int count, double r) {
        const double angle = 2 * std::numbers::pi * i / count - std::numbers::pi / 2;
        return QPointF(r * std::cos(angle), r * std::sin(angle));
    };
    if (p.family == F::Star || p.family == F::Wheel) {
        raw[0] = QPointF(0, 0);
        for (int i = 1; i < n; ++i)
            raw[std::size_t(i)] = onCircle(i - 1, n - 1, 1);
        return raw;
    }
    const int half = n / 2;
    for (int i = 0; i < half; ++i) {
        raw[std::size_t(i)] = onCircle(i, half, 1);
        raw[std::size_t(half + i)] = onCircle(i, half, 0.5);
    }
    return raw;
}

GraphLayouts::Kind NaturalLayout(Family family)
{
    using K = GraphLayouts::Kind;
    switch (family) {
    case F::Path:
    case F::Grid:
        return K::Grid;
    case F::CompleteBipartite:
    case F::RandomDag:
    case F::FlowNetwork:
        return K::Sugiyama;
    case F::Hypercube:
        return K::KamadaKawai;
    case F::RandomGnp:
    case F::RandomGnm:
        return K::FruchtermanReingold;
    case F::RandomTree:
        return K::Tree;
    default:
        return K::Circle;
    }
}

bool HasOwnPositions(Family family)
{
    return family == F::Star || family == F::Wheel || family == F::Petersen ||
           family == F::GeneralizedPetersen;
}

} // namespace

std::span<const FamilyInfo> Families()
{
    return kFamilies;
}

const FamilyInfo& InfoOf(Family family)
{
    for (const FamilyInfo& info : kFamilies)
        if (info.family == family)
            return info;
    return kFamilies[0];
}

const FamilyInfo* FamilyNamed(const QString& name)
{
    for (const FamilyInfo& info : kFamilies)
        if (name.compare(QLatin1String(info.name), Qt::CaseInsensitive) == 0)
            return &info;
    return nullptr;
}

QString ParamText(Param param)
{
    static const std::pair<Param, const char*> keys[] = {
        {P::N, "Generate_param_n"},
        {P::K, "Generate_param_k"},
        {P::D, "Generate_param_d"},
        {P::P, "Generate_param_p"},
        {P::Rows, "Generate_param_rows"},
        {P::Columns, "Generate_param_columns"},
        {P::PartM, "Generate_param_part1"},
        {P::PartN, "Generate_param_part2"},
        {P::Arcs, "Generate_param_arcs"},
        {P::Layers, "Generate_param_layers"},
        {P::LayerWidth, "Generate_param_width"},
        {P::Ring, "Generate_param_ring"},
    };
    for (const auto& [which, key] : keys)
        if (which == param)
            return Translate(QLatin1String(key));
    return QString();
}

QString ParamLetter(Param param)
{
    switch (param) {
    case P::K:
        return QStringLiteral("k");
    case P::D:
        return QStringLiteral("d");
    case P::P:
        return QStringLiteral("p");
    case P::Rows:
    case P::PartM:
    case P::Arcs:
    case P::Layers:
        return QStringLiteral("m");
    case P::None:
        return QString();
    default:
        return QStringLiteral("n");
    }
}

long long VertexCount(const Params& p)
{
    const long long n = p.first, second = p.second;
    switch (p.family) {
    case F::CompleteBipartite:
        return n + second;
    case F::Grid:
        return n * second;
    case F::Hypercube:
        return n < 0 ? n : (n > 40 ? 1LL << 40 : 1LL << n);
    case F::Petersen:
        return 10;
    case F::GeneralizedPetersen:
        return 2 * n;
    case F::FlowNetwork:
        return n * second + 2;
    default:
        return n;
    }
}

std::optional<QString> Check(const Params& p)
{
    const FamilyInfo& info = InfoOf(p.family);
    for (const Range& range : Ranges(p))
        if (range.value < range.min || range.value > range.max)
            return RangeMessage(ParamText(range.param), QString::number(range.min),
                                QString::number(range.max));
    // Parameters each within range whose product is too large: the count they give is named.
    if (const long long count = VertexCount(p); count > MaxVertices)
        return RangeMessage(Translate(QStringLiteral("Generate_vertex_count")).arg(count),
                            QStringLiteral("1"), QString::number(MaxVertices));
    if (info.probability && !(p.probability >= 0 && p.probability <= 1))
        return RangeMessage(ParamText(P::P), QStringLiteral("0"), QStringLiteral("1"));
    const QString weight = Translate(QStringLiteral("Generate_param_weight"));
    const QString maxCost = QString::number(GraphDocument::MaxWeight);
    if (p.weights == Weights::Constant && !info.alwaysWeighted && !GraphDocument::IsWeight(p.constantWeight))
        return RangeMessage(weight, QStringLiteral("1"), maxCost);
    if (p.weights == Weights::Random || info.alwaysWeighted) {
        if (!GraphDocument::IsWeight(p.minWeight))
            return RangeMessage(weight, QStringLiteral("1"), maxCost);
        if (p.maxWeight < p.minWeight || !GraphDocument::IsWeight(p.maxWeight))
            return RangeMessage(weight, QString::number(p.minWeight), maxCost);
    }
    return std::nullopt;
}

Built Build(const Params& p)
{
    Built out;
    if (Check(p))
        return out;
    out.directed = Directed(p);
    out.weighted = Weighted(p);
    Igraph::LibraryCall call;
    Igraph::Seed(p.seed);
    if (p.family == F::Hypercube) {
        out.vertices = 1 << p.first;
        out.arcs = Hypercube(p.first);
    } else if (p.family == F::FlowNetwork) {
        FlowNetwork(p.first, p.second, out);
    } else if (!LibraryFamily(p, out.directed, out)) {
        return out;
    }
    if (p.family == F::CompleteBipartite) {
        out.layers.assign(std::size_t(out.vertices), 1);
        std::fill_n(out.layers.begin(), p.first, 0);
    }
    if (out.weighted) {
        out.weights.reserve(out.arcs.size());
        const bool random = p.weights == Weights::Random || InfoOf(p.family).alwaysWeighted;
        for (std::size_t i = 0; i < out.arcs.size(); ++i)
            out.weights.push_back(random ? Igraph::RandomInteger(p.minWeight, p.maxWeight)
                                         : p.constantWeight);
    }
    out.ok = true;
    return out;
}

void ApplyNamingChoice(VertexNaming& naming, int kind, const QString& start)
{
    switch (kind) {
    case VertexNaming::Numbers: {
        bool isNumber = false;
        const int begin = start.trimmed().toInt(&isNumber);
        naming.SetKind(VertexNaming::Numbers);
        naming.SetNumbers(isNumber ? begin : 1);
        break;
    }
    case VertexNaming::Letters: {
        const QString letter = start.trimmed().left(1).toUpper();
        const int offset = letter.isEmpty() ? 0 : letter[0].unicode() - 'A';
        naming.SetKind(VertexNaming::Letters);
        naming.SetLetters(65 + std::clamp(offset, 0, 25), true);
        break;
    }
    default:
        naming.SetKind(VertexNaming::Manual);
        break;
    }
}

bool Generate(GraphDocument& graf, ProgramHost& host, const Params& params)
{
    if (const auto refusal = Check(params)) {
        host.ShowError(*refusal);
        return false;
    }
    const Built built = Build(params);
    if (!built.ok) {
        host.ShowError(Translate(QStringLiteral("Generate_failed")));
        return false;
    }
    // Replaced like a new graph, drawn in the look the user set up.
    graf.DeleteAllLabels();
    graf.StartNewGraph(built.directed, built.weighted);
    graf.ExtentWidth = graf.ExtentHeight = 0;
    ApplyNamingChoice(graf.Naming(), params.namingKind, params.namingStart);
    const QRect area = GraphLayouts::VisibleArea(graf, host);
    for (int i = 0; i < built.vertices; ++i)
        graf.AddVertex(area.left() + graf.VertexSize, area.top() + graf.VertexSize, QString::number(i + 1),
                       i + 1, graf.VertexSize);
    for (std::size_t k = 0; k < built.arcs.size(); ++k)
        graf.AddArc(built.arcs[k].first + 1, built.arcs[k].second + 1, built.weighted ? built.weights[k] : 1);

    GraphLayouts::Options options;
    options.seed = params.seed;
    options.layers = built.layers;
    if (params.family == F::Grid)
        options.columns = params.second;
    else if (params.family == F::Path)
        options.columns = params.first;
    std::optional<std::vector<QPoint>> points;
    if (!params.layout && HasOwnPositions(params.family))
        points = GraphLayouts::Fit(RingPositions(params, built.vertices), area,
                                   GraphLayouts::VertexMargin(graf), true);
    else
        points =
            GraphLayouts::Compute(graf, params.layout.value_or(NaturalLayout(params.family)), area, options);
    if (points)
        GraphLayouts::Place(graf, *points);
    host.RefreshMatrixWindow();
    host.Redraw();
    return true;
}

bool GenerateCommand(GraphSession& session, const Params& params)
{
    if (!session.RequireDocument())
        return false;
    GraphDocument& graf = *session.Document();
    // The state before is recorded only once the graph is sure to be replaced.
    auto before = session.Snapshot();
    if (!Generate(graf, session.Host(), params))
        return false;
    session.History().Record(std::move(before));
    session.Gestures().Reset();
    session.MarkUnsaved();
    session.Host().UpdateMenus();
    return true;
}

} // namespace GraphGenerators
