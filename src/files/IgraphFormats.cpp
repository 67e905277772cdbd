#include "files/IgraphFormats.h"

#include "files/EdgeListHeader.h"
#include "files/IgraphAdapter.h"

#include <igraph.h>

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace IgraphFormats {
namespace {

// The types of a graph's vertex and edge attributes, by name.
struct Attributes {
    std::map<std::string, int> Vertex, Edge;

    explicit Attributes(const igraph_t* g)
    {
        Igraph::StringVector gn(0), vn(0), en(0);
        Igraph::IntVector gt(0), vt(0), et(0);
        if (!gn.Valid() || !vn.Valid() || !en.Valid() || !gt.Valid() || !vt.Valid() || !et.Valid())
            return;
        if (igraph_cattribute_list(g, gn.Get(), gt.Get(), vn.Get(), vt.Get(), en.Get(), et.Get()) !=
            IGRAPH_SUCCESS)
            return;
        for (igraph_integer_t i = 0; i < igraph_strvector_size(vn.Get()); ++i)
            Vertex[igraph_strvector_get(vn.Get(), i)] = int(VECTOR(*vt.Get())[i]);
        for (igraph_integer_t i = 0; i < igraph_strvector_size(en.Get()); ++i)
            Edge[igraph_strvector_get(en.Get(), i)] = int(VECTOR(*et.Get())[i]);
    }
};

QString Text(const igraph_t* g, const std::map<std::string, int>& types, const char* name, igraph_integer_t v)
{
    const auto it = types.find(name);
    if (it == types.end())
        return QString();
    if (it->second == IGRAPH_ATTRIBUTE_STRING)
        return QString::fromUtf8(VAS(g, name, v));
    if (it->second == IGRAPH_ATTRIBUTE_NUMERIC) {
        const double value = VAN(g, name, v);
        return std::isnan(value) ? QString() : QString::number(value, 'g', 17);
    }
    return QString();
}

// A numeric attribute, or a string one that holds a number; NaN when absent or not a number.
// missing, when given, tells the two apart: the library gives an element without the
// attribute NaN, or an empty text.
double Number(const igraph_t* g, const std::map<std::string, int>& types, const char* name,
              igraph_integer_t i, bool edge, bool* missing = nullptr)
{
    if (missing)
        *missing = false;
    const auto it = types.find(name);
    double value = std::nan("");
    if (it != types.end() && it->second == IGRAPH_ATTRIBUTE_NUMERIC) {
        value = edge ? EAN(g, name, i) : VAN(g, name, i);
        if (missing)
            *missing = std::isnan(value);
    } else if (it != types.end() && it->second == IGRAPH_ATTRIBUTE_STRING) {
        bool ok = false;
        const QString text = QString::fromUtf8(edge ? EAS(g, name, i) : VAS(g, name, i)).trimmed();
        // No number is this long, and parsing costs much on a long text.
        const double read = text.size() <= 64 ? text.toDouble(&ok) : 0.0;
        if (ok)
            value = read;
        if (missing)
            *missing = text.isEmpty();
    }
    return value;
}

void Convert(const igraph_t* g, ExchangeGraph& out, bool pajek)
{
    const Attributes attributes(g);
    const igraph_integer_t n = igraph_vcount(g);
    out.Directed = igraph_is_directed(g);
    out.Names.clear();
    out.Positions.clear();
    bool positioned = attributes.Vertex.count("x") && attributes.Vertex.count("y");
    for (igraph_integer_t v = 0; v < n; ++v) {
        QString name;
        for (const char* key : {"name", "label", "id"}) {
            name = Text(g, attributes.Vertex, key, v);
            if (!name.isEmpty())
                break;
        }
        // The library writes a quote inside a Pajek label as \" but reads it back verbatim.
        if (pajek && name.size() >= 2 && name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"')))
            name = name.mid(1, name.size() - 2)
                       .replace(QStringLiteral("\\\""), QStringLiteral("\""))
                       .replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
        out.Names.append(name.isEmpty() ? QString::number(v + 1) : name);
        if (positioned) {
            const double x = Number(g, attributes.Vertex, "x", v, false);
            const double y = Number(g, attributes.Vertex, "y", v, false);
            if (std::isnan(x) || std::isnan(y))
                positioned = false;
            else
                out.Positions.emplace_back(x, y);
        }
    }
    if (!positioned)
        out.Positions.clear();
    out.Weighted = attributes.Edge.count("weight") > 0;
    out.MissingWeights = 0;
    out.Edges.clear();
    for (igraph_integer_t e = 0; e < igraph_ecount(g); ++e) {
        ExchangeGraph::Edge edge;
        edge.From = int(IGRAPH_FROM(g, e));
        edge.To = int(IGRAPH_TO(g, e));
        bool missing = false;
        edge.Weight = out.Weighted ? Number(g, attributes.Edge, "weight", e, true, &missing) : 1.0;
        if (missing) {
            edge.Weight = 1;
            ++out.MissingWeights;
        }
        out.Edges.push_back(edge);
    }
}

// Pajek marks arcs and edges by section; both in one file make a mixed graph. The library
// keeps the file's order of edges, so the k-th data line of those sections is edge k: the
// ones from "*Edges" go both ways. The library turns the arcs of a mixed file around, so
// their ends are taken from the lines themselves.
void MarkPajekEdges(const QByteArray& data, ExchangeGraph& out)
{
    enum { Other, Arcs, Edges, Lists } section = Other;
    bool arcs = false, edges = false, lists = false;
    std::vector<bool> bothWays, weightless;
    std::vector<std::pair<int, int>> ends;
    std::vector<int> lineNumbers;
    int number = 0;
    for (const QByteArray& raw : data.split('\n')) {
        ++number;
        const QByteArray line = raw.trimmed().toLower();
        if (line.isEmpty() || line.startsWith('%'))
            continue;
        if (line.startsWith('*')) {
            section = line.startsWith("*arcslist") || line.startsWith("*edgeslist") ? Lists
                      : line.startsWith("*arcs")                                    ? Arcs
                      : line.startsWith("*edges")                                   ? Edges
                                                                                    : Other;
            arcs = arcs || section == Arcs || line.startsWith("*arcslist");
            edges = edges || section == Edges || line.startsWith("*edgeslist");
            lists = lists || section == Lists;
            continue;
        }
        if (section == Arcs || section == Edges) {
            bothWays.push_back(section == Edges);
            const QList<QByteArray> fields = line.simplified().split(' ');
            bool fromOk = false, toOk = false;
            const int from = fields.value(0).toInt(&fromOk), to = fields.value(1).toInt(&toOk);
            ends.emplace_back(fromOk && toOk ? from - 1 : -1, to - 1);
            lineNumbers.push_back(number);
            weightless.push_back(fields.size() < 3);
        }
    }
    out.Mixed = arcs && edges;
    if (lists || bothWays.size() != out.Edges.size())
        return;
    // The library gives a line without a weight the weight 0.
    out.MissingWeights = 0;
    for (std::size_t k = 0; k < out.Edges.size(); ++k) {
        out.Edges[k].Line = lineNumbers[k];
        if (out.Weighted && weightless[k]) {
            out.Edges[k].Weight = 1;
            ++out.MissingWeights;
        }
    }
    if (!out.Mixed)
        return;
    for (std::size_t k = 0; k < bothWays.size(); ++k) {
        out.Edges[k].BothWays = bothWays[k];
        const auto [from, to] = ends[k];
        if (from >= 0 && from < out.VertexCount() && to >= 0 && to < out.VertexCount()) {
            out.Edges[k].From = from;
            out.Edges[k].To = to;
        }
    }
}

// What the library's GraphML reader passes over, read from the file itself: the first
// graph's edge directions and lines, its hyperedges, the graphs after it, and the vertex
// names with every entity decoded.
struct GraphmlScan {
    bool Whole = false; // the file was read to its end without an XML error
    bool DirectedDefault = false;
    QStringList NodeIds, Names;
    struct EdgeSeen {
        QString Source, Target;
        int Directed = -1; // -1 as the graph's default, 0 no, 1 yes
        int Line = 0;
    };
    std::vector<EdgeSeen> Edges;
    int Hyperedges = 0;
    int OtherGraphs = 0;
};

GraphmlScan ScanGraphml(const QByteArray& data)
{
    GraphmlScan scan;
    QXmlStreamReader xml(data);
    QHash<QString, QString> nodeKeys; // key id -> "name" or "label"
    int graphs = 0, depth = 0, graphDepth = 0;
    int node = -1; // index of the node being read, in the first graph
    QString name, label;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (graphDepth == depth)
                graphDepth = 0;
            if (node >= 0 && xml.name() == QLatin1String("node")) {
                scan.Names.append(!name.isEmpty() ? name : label);
                node = -1;
            }
            --depth;
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        ++depth;
        const auto attributes = xml.attributes();
        const QStringView element = xml.name();
        if (element == QLatin1String("key")) {
            const QString what = attributes.value(QLatin1String("attr.name")).toString();
            const QStringView domain = attributes.value(QLatin1String("for"));
            if ((what == QLatin1String("name") || what == QLatin1String("label")) &&
                (domain == QLatin1String("node") || domain == QLatin1String("all")))
                nodeKeys.insert(attributes.value(QLatin1String("id")).toString(), what);
        } else if (element == QLatin1String("graph")) {
            if (graphDepth == 0 && ++graphs == 1) {
                graphDepth = depth;
                scan.DirectedDefault =
                    attributes.value(QLatin1String("edgedefault")) == QLatin1String("directed");
            } else if (graphDepth == 0) {
                ++scan.OtherGraphs;
            }
        } else if (graphDepth == 0 || depth != graphDepth + 1) {
            // Elements of other graphs, and of graphs nested in the first one's nodes, are not
            // the library's; data inside a node is handled below.
            if (node >= 0 && element == QLatin1String("data")) {
                const QString key = nodeKeys.value(attributes.value(QLatin1String("key")).toString());
                // Data of other programs may hold markup of their own.
                const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                --depth;
                if (key == QLatin1String("name"))
                    name = text;
                else if (key == QLatin1String("label"))
                    label = text;
            }
        } else if (element == QLatin1String("node")) {
            node = int(scan.NodeIds.size());
            scan.NodeIds.append(attributes.value(QLatin1String("id")).toString());
            name.clear();
            label.clear();
        } else if (element == QLatin1String("edge")) {
            GraphmlScan::EdgeSeen edge;
            edge.Source = attributes.value(QLatin1String("source")).toString();
            edge.Target = attributes.value(QLatin1String("target")).toString();
            const QStringView directed = attributes.value(QLatin1String("directed"));
            edge.Directed = directed == QLatin1String("true")    ? 1
                            : directed == QLatin1String("false") ? 0
                                                                 : -1;
            edge.Line = int(xml.lineNumber());
            scan.Edges.push_back(edge);
        } else if (element == QLatin1String("hyperedge")) {
            ++scan.Hyperedges;
        }
    }
    scan.Whole = !xml.hasError();
    return scan;
}

// Carries over what the library's reader passed over. A graph whose edges go against its
// default direction is mixed: an undirected one with directed edges, or the other way round.
void ApplyGraphmlScan(const GraphmlScan& scan, int unknownEntities, ExchangeGraph& out)
{
    out.Hyperedges = scan.Hyperedges;
    out.OtherGraphs = scan.OtherGraphs;
    const int n = out.VertexCount();
    if (!scan.Whole || scan.NodeIds.size() != n || scan.Names.size() != n ||
        scan.Edges.size() != out.Edges.size()) {
        out.UnreadEntities = unknownEntities;
        return;
    }
    // The library left out entities it did not know (those a document type declares): the
    // names come from the file as it reads whole.
    if (unknownEntities > 0)
        for (int v = 0; v < n; ++v)
            if (!scan.Names[v].isEmpty())
                out.Names[v] = scan.Names[v];
    QHash<QString, int> index;
    for (int v = 0; v < n; ++v)
        index.insert(scan.NodeIds[v], v);
    bool mixed = false;
    for (const auto& edge : scan.Edges)
        mixed = mixed || (edge.Directed >= 0 && (edge.Directed == 1) != scan.DirectedDefault);
    for (std::size_t k = 0; k < scan.Edges.size(); ++k) {
        const auto& seen = scan.Edges[k];
        auto& edge = out.Edges[k];
        edge.Line = seen.Line;
        if (!mixed)
            continue;
        const bool directed = seen.Directed < 0 ? scan.DirectedDefault : seen.Directed == 1;
        edge.BothWays = !directed;
        // The library keeps an undirected graph's ends in an order of its own.
        if (index.contains(seen.Source) && index.contains(seen.Target)) {
            edge.From = index.value(seen.Source);
            edge.To = index.value(seen.Target);
        }
    }
    out.Mixed = mixed;
}

// The comments become blank lines so that the library's line numbers stay those of the file.
QByteArray StripComments(const QByteArray& data, EdgeListHeader& header)
{
    QList<QByteArray> lines = data.split('\n');
    for (QByteArray& line : lines)
        if (header.ReadComment(line))
            line.clear();
    return lines.join('\n');
}

// The drawing's scale our Pajek files give in a "% scale" comment before their vertices.
void ScaleBack(const QByteArray& data, ExchangeGraph& out)
{
    for (const QByteArray& raw : data.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('*'))
            return;
        bool ok = false;
        const double scale = line.startsWith("% scale ") ? line.mid(8).trimmed().toDouble(&ok) : 0;
        if (ok && std::isfinite(scale) && scale > 0) {
            for (QPointF& p : out.Positions)
                p *= scale;
            return;
        }
    }
}

// The library names no line when an edge list does not parse: the first line that is not
// "u v" or "u v weight".
int FaultyEdgeListLine(const QByteArray& bytes)
{
    int number = 0;
    for (const QByteArray& line : bytes.split('\n')) {
        ++number;
        const QList<QByteArray> fields = line.simplified().split(' ');
        bool ok = fields.size() <= 3;
        if (ok && fields.size() == 3)
            fields[2].toDouble(&ok);
        if (!line.trimmed().isEmpty() && (!ok || fields.size() < 2))
            return number;
    }
    return 0;
}

// Each line of an edge list is one edge: its line number, and whether it gave a weight (the
// library gives a line without one the weight 0).
void MarkEdgeListLines(const QByteArray& bytes, ExchangeGraph& out)
{
    std::vector<std::pair<int, bool>> lines; // number, weightless
    int number = 0;
    for (const QByteArray& line : bytes.split('\n')) {
        ++number;
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (!line.trimmed().isEmpty())
            lines.emplace_back(number, fields.size() < 3);
    }
    if (lines.size() != out.Edges.size())
        return;
    out.MissingWeights = 0;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        out.Edges[k].Line = lines[k].first;
        if (out.Weighted && lines[k].second) {
            out.Edges[k].Weight = 1;
            ++out.MissingWeights;
        }
    }
}

// Edge-list names cannot hold blanks.
QByteArray Token(const QString& name)
{
    QString out = name;
    out.replace(QRegularExpression(QStringLiteral("\\s")), QStringLiteral("_"));
    return out.isEmpty() ? QByteArrayLiteral("_") : out.toUtf8();
}

// GraphML with the vertex names as node ids, as other programs show them, when the names are
// unique, short and need no escaping; the library writes "n0", "n1", ... Every edge repeats
// its ends' ids: long names would make a complete graph's file five times as large. Only the
// library's own lines are touched.
QByteArray NamesAsIds(const QByteArray& data, const QStringList& names)
{
    static const QRegularExpression safe(QStringLiteral("^[\\p{L}\\p{N}_.-]{1,16}$"));
    QSet<QString> seen;
    for (const QString& name : names) {
        if (!safe.match(name).hasMatch() || seen.contains(name))
            return data;
        seen.insert(name);
    }
    static const QRegularExpression reference(
        QStringLiteral("(<node id=|<edge source=| target=)\"n(\\d+)\""));
    QString text = QString::fromUtf8(data);
    QString result;
    qsizetype at = 0;
    for (auto match = reference.globalMatch(text); match.hasNext();) {
        const auto m = match.next();
        const int v = m.captured(2).toInt();
        if (v < 0 || v >= names.size())
            return data;
        result += QStringView(text).mid(at, m.capturedStart() - at);
        result += m.captured(1) + QLatin1Char('"') + names[v] + QLatin1Char('"');
        at = m.capturedEnd();
    }
    result += QStringView(text).mid(at);
    return result.toUtf8();
}

} // namespace

bool Read(Kind kind, const QByteArray& data, ExchangeGraph& out, FileError& error)
{
    Igraph::LibraryCall call(true);
    QByteArray bytes = data;
    EdgeListHeader header;
    if (kind == Kind::EdgeList)
        bytes = StripComments(data, header);
    if (bytes.isEmpty())
        bytes = QByteArrayLiteral("\n"); // fmemopen refuses an empty buffer
    FILE* in = fmemopen(bytes.data(), std::size_t(bytes.size()), "r");
    if (!in) {
        error = FileError::Verbatim(QString::fromUtf8(std::strerror(errno)));
        return false;
    }
    Igraph::Graph g;
    igraph_error_t code = IGRAPH_SUCCESS;
    switch (kind) {
    case Kind::GraphML:
        code = igraph_read_graph_graphml(g.Get(), in, 0);
        break;
    case Kind::Gml:
        code = igraph_read_graph_gml(g.Get(), in);
        break;
    case Kind::Pajek:
        code = igraph_read_graph_pajek(g.Get(), in);
        break;
    case Kind::EdgeList:
        code = igraph_read_graph_ncol(g.Get(), in, nullptr, true, IGRAPH_ADD_WEIGHTS_IF_PRESENT,
                                      header.Directed);
        break;
    }
    std::fclose(in);
    if (code != IGRAPH_SUCCESS) {
        error = FileError::Verbatim(call.Error(code));
        if (kind == Kind::EdgeList && !error.Text().contains(QLatin1String("line"), Qt::CaseInsensitive))
            if (const int line = FaultyEdgeListLine(bytes); line > 0)
                error = FileError::Verbatim(QStringLiteral("line %1: %2").arg(line).arg(error.Text()))
                            .AtLine(line);
        return false;
    }
    g.Own();
    Convert(g.Get(), out, kind == Kind::Pajek);
    header.PutInListedOrder(out);
    out.Mixed = false;
    if (kind == Kind::Pajek) {
        MarkPajekEdges(data, out);
        ScaleBack(data, out);
    }
    if (kind == Kind::EdgeList)
        MarkEdgeListLines(bytes, out);
    if (kind == Kind::GraphML)
        ApplyGraphmlScan(ScanGraphml(data), call.UnknownEntities(), out);
    // A weight declared but given to no edge makes no weighted graph.
    if (out.Weighted && !out.Edges.empty() && out.MissingWeights == int(out.Edges.size())) {
        out.Weighted = false;
        out.MissingWeights = 0;
    }
    return true;
}

bool Write(Kind kind, const ExchangeGraph& graph, QByteArray& data, FileError& error)
{
    Igraph::LibraryCall call(true);
    Igraph::Graph owned;
    igraph_t* g = owned.Get();
    igraph_error_t code = IGRAPH_ENOMEM;
    {
        Igraph::IntVector ends(igraph_integer_t(graph.Edges.size() * 2));
        if (ends.Valid()) {
            for (std::size_t k = 0; k < graph.Edges.size(); ++k) {
                VECTOR(*ends.Get())[2 * k] = graph.Edges[k].From;
                VECTOR(*ends.Get())[2 * k + 1] = graph.Edges[k].To;
            }
            code = igraph_create(g, ends.Get(), graph.VertexCount(), graph.Directed || graph.Mixed);
        }
    }
    if (code != IGRAPH_SUCCESS) {
        error = FileError::Verbatim(call.Error(code));
        return false;
    }
    owned.Own();
    const bool positioned = int(graph.Positions.size()) == graph.VertexCount();
    // Pajek draws in the unit square: positions over the largest coordinate, which a comment
    // keeps so that our reader gives the drawing back as it was.
    double scale = 1;
    if (kind == Kind::Pajek && positioned)
        for (const QPointF& p : graph.Positions)
            scale = std::max({scale, std::abs(p.x()), std::abs(p.y())});
    for (int v = 0; v < graph.VertexCount(); ++v) {
        const QByteArray name = kind == Kind::EdgeList ? Token(graph.Names[v]) : graph.Names[v].toUtf8();
        SETVAS(g, "name", v, name.constData());
        if (kind == Kind::Pajek) {
            SETVAS(g, "id", v, name.constData());
            SETVAS(g, "shape", v, "ellipse");
        }
        if (kind == Kind::Gml)
            SETVAS(g, "label", v, name.constData());
        if (positioned && kind != Kind::EdgeList) {
            SETVAN(g, "x", v, graph.Positions[std::size_t(v)].x() / scale);
            SETVAN(g, "y", v, graph.Positions[std::size_t(v)].y() / scale);
        }
    }
    if (graph.Weighted)
        for (std::size_t k = 0; k < graph.Edges.size(); ++k)
            SETEAN(g, "weight", igraph_integer_t(k), graph.Edges[k].Weight);

    char* buffer = nullptr;
    std::size_t size = 0;
    FILE* out = open_memstream(&buffer, &size);
    if (!out) {
        error = FileError::Verbatim(QString::fromUtf8(std::strerror(errno)));
        return false;
    }
    if (kind == Kind::Pajek && scale != 1)
        std::fprintf(out, "%% scale %.17g\n", scale);
    if (kind == Kind::EdgeList) {
        std::fputs(graph.Directed ? "# directed\n" : "# undirected\n", out);
        bool blanks = false;
        for (const QString& name : graph.Names)
            blanks = blanks || name.isEmpty() || Token(name) != name.toUtf8();
        if (blanks)
            std::fputs("# blanks in names are written as _, an empty name as _\n", out);
        std::fputs("# vertices:", out);
        for (const QString& name : graph.Names)
            std::fprintf(out, " %s", Token(name).constData());
        std::fputs("\n", out);
    }
    switch (kind) {
    case Kind::GraphML:
        code = igraph_write_graph_graphml(g, out, false);
        break;
    case Kind::Gml:
        code = igraph_write_graph_gml(g, out, IGRAPH_WRITE_GML_DEFAULT_SW, nullptr, "Nodeloom");
        break;
    case Kind::Pajek:
        code = igraph_write_graph_pajek(g, out);
        break;
    case Kind::EdgeList:
        code = igraph_write_graph_ncol(g, out, "name", graph.Weighted ? "weight" : nullptr);
        break;
    }
    std::fclose(out);
    if (code == IGRAPH_SUCCESS)
        data = QByteArray(buffer, qsizetype(size));
    if (code == IGRAPH_SUCCESS && kind == Kind::GraphML)
        data = NamesAsIds(data, graph.Names);
    else
        error = FileError::Verbatim(call.Error(code));
    std::free(buffer);
    return code == IGRAPH_SUCCESS;
}

} // namespace IgraphFormats
