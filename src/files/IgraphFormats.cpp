#include "files/IgraphFormats.h"

#include <igraph.h>

#include <QHash>
#include <QRegularExpression>
#include <cstdio>
#include <map>
#include <string>

namespace IgraphFormats {
namespace {

// igraph reports failures through a global handler that aborts by default; while one of our
// calls runs, the handler keeps the text and lets the call return its error code.
thread_local QString lastError;

void KeepError(const char* reason, const char* /*file*/, int /*line*/, igraph_error_t code)
{
    if (lastError.isEmpty())
        lastError = QString::fromUtf8(reason && *reason ? reason : igraph_strerror(code));
    IGRAPH_FINALLY_FREE();
}

class LibraryCall {
  public:
    LibraryCall()
    {
        lastError.clear();
        oldError = igraph_set_error_handler(KeepError);
        oldWarning = igraph_set_warning_handler(igraph_warning_handler_ignore);
        oldTable = igraph_set_attribute_table(&igraph_cattribute_table);
    }
    ~LibraryCall()
    {
        igraph_set_error_handler(oldError);
        igraph_set_warning_handler(oldWarning);
        igraph_set_attribute_table(oldTable);
    }
    LibraryCall(const LibraryCall&) = delete;
    LibraryCall& operator=(const LibraryCall&) = delete;

    QString Error(igraph_error_t code) const
    {
        return lastError.isEmpty() ? QString::fromUtf8(igraph_strerror(code)) : lastError;
    }

  private:
    igraph_error_handler_t* oldError;
    igraph_warning_handler_t* oldWarning;
    igraph_attribute_table_t* oldTable;
};

// The types of a graph's vertex and edge attributes, by name.
struct Attributes {
    std::map<std::string, int> Vertex, Edge;

    explicit Attributes(const igraph_t* g)
    {
        igraph_strvector_t gn, vn, en;
        igraph_vector_int_t gt, vt, et;
        igraph_strvector_init(&gn, 0);
        igraph_strvector_init(&vn, 0);
        igraph_strvector_init(&en, 0);
        igraph_vector_int_init(&gt, 0);
        igraph_vector_int_init(&vt, 0);
        igraph_vector_int_init(&et, 0);
        if (igraph_cattribute_list(g, &gn, &gt, &vn, &vt, &en, &et) == IGRAPH_SUCCESS) {
            for (igraph_integer_t i = 0; i < igraph_strvector_size(&vn); ++i)
                Vertex[igraph_strvector_get(&vn, i)] = int(VECTOR(vt)[i]);
            for (igraph_integer_t i = 0; i < igraph_strvector_size(&en); ++i)
                Edge[igraph_strvector_get(&en, i)] = int(VECTOR(et)[i]);
        }
        igraph_strvector_destroy(&gn);
        igraph_strvector_destroy(&vn);
        igraph_strvector_destroy(&en);
        igraph_vector_int_destroy(&gt);
        igraph_vector_int_destroy(&vt);
        igraph_vector_int_destroy(&et);
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

// A numeric attribute, or a string one that holds a number; NaN when absent.
double Number(const igraph_t* g, const std::map<std::string, int>& types, const char* name,
              igraph_integer_t i, bool edge)
{
    const auto it = types.find(name);
    if (it == types.end())
        return std::nan("");
    if (it->second == IGRAPH_ATTRIBUTE_NUMERIC)
        return edge ? EAN(g, name, i) : VAN(g, name, i);
    if (it->second == IGRAPH_ATTRIBUTE_STRING) {
        // No number is this long, and parsing costs much on a long text.
        const QString text = QString::fromUtf8(edge ? EAS(g, name, i) : VAS(g, name, i)).trimmed();
        bool ok = false;
        const double value = text.size() <= 64 ? text.toDouble(&ok) : 0.0;
        return ok ? value : std::nan("");
    }
    return std::nan("");
}

void Convert(const igraph_t* g, TExchangeGraph& out, bool pajek)
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
    out.Edges.clear();
    for (igraph_integer_t e = 0; e < igraph_ecount(g); ++e) {
        TExchangeGraph::Edge edge;
        edge.From = int(IGRAPH_FROM(g, e));
        edge.To = int(IGRAPH_TO(g, e));
        edge.Weight = out.Weighted ? Number(g, attributes.Edge, "weight", e, true) : 1.0;
        out.Edges.push_back(edge);
    }
}

// Pajek marks arcs and edges by section; both in one file make a mixed graph. The library
// keeps the file's order of edges, so the k-th data line of those sections is edge k: the
// ones from "*Edges" go both ways. The library turns the arcs of a mixed file around, so
// their ends are taken from the lines themselves.
void MarkPajekEdges(const QByteArray& data, TExchangeGraph& out)
{
    enum { Other, Arcs, Edges, Lists } section = Other;
    bool arcs = false, edges = false, lists = false;
    std::vector<bool> bothWays;
    std::vector<std::pair<int, int>> ends;
    for (const QByteArray& raw : data.split('\n')) {
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
        }
    }
    out.Mixed = arcs && edges;
    if (!out.Mixed || lists || bothWays.size() != out.Edges.size())
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

// Our edge lists may carry "#" comment lines: one naming the direction, one listing every
// vertex in order (so isolated vertices survive). The comments become blank lines so the
// library's line numbers stay those of the file.
struct EdgeListHeader {
    bool Directed = false;
    QStringList Vertices;
};

QByteArray StripComments(const QByteArray& data, EdgeListHeader& header)
{
    QList<QByteArray> lines = data.split('\n');
    for (QByteArray& line : lines) {
        const QByteArray trimmed = line.trimmed();
        if (!trimmed.startsWith('#'))
            continue;
        const QString comment = QString::fromUtf8(trimmed.mid(1)).trimmed();
        if (comment.compare(QStringLiteral("directed"), Qt::CaseInsensitive) == 0)
            header.Directed = true;
        else if (comment.startsWith(QStringLiteral("vertices:"), Qt::CaseInsensitive))
            header.Vertices = comment.mid(9).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        line.clear();
    }
    return lines.join('\n');
}

// The vertices in the order the header lists them, isolated ones too; vertices it does not
// list follow in the order they appear.
void PutInListedOrder(TExchangeGraph& graph, const QStringList& listed)
{
    QStringList names;
    QHash<QString, int> index;
    for (const QString& name : listed + graph.Names)
        if (!index.contains(name)) {
            index.insert(name, int(names.size()));
            names.append(name);
        }
    for (auto& e : graph.Edges) {
        e.From = index.value(graph.Names.value(e.From));
        e.To = index.value(graph.Names.value(e.To));
    }
    graph.Names = names;
}

// Edge-list names cannot hold blanks.
QByteArray Token(const QString& name)
{
    QString out = name;
    out.replace(QRegularExpression(QStringLiteral("\\s")), QStringLiteral("_"));
    return out.isEmpty() ? QByteArrayLiteral("_") : out.toUtf8();
}

} // namespace

bool Read(Kind kind, const QByteArray& data, TExchangeGraph& out, QString& error)
{
    LibraryCall call;
    QByteArray bytes = data;
    EdgeListHeader header;
    if (kind == Kind::EdgeList)
        bytes = StripComments(data, header);
    if (bytes.isEmpty())
        bytes = QByteArrayLiteral("\n"); // fmemopen refuses an empty buffer
    FILE* in = fmemopen(bytes.data(), std::size_t(bytes.size()), "r");
    if (!in) {
        error = QString::fromUtf8(std::strerror(errno));
        return false;
    }
    igraph_t g;
    igraph_error_t code = IGRAPH_SUCCESS;
    switch (kind) {
    case Kind::GraphML:
        code = igraph_read_graph_graphml(&g, in, 0);
        break;
    case Kind::Gml:
        code = igraph_read_graph_gml(&g, in);
        break;
    case Kind::Pajek:
        code = igraph_read_graph_pajek(&g, in);
        break;
    case Kind::EdgeList:
        code = igraph_read_graph_ncol(&g, in, nullptr, true, IGRAPH_ADD_WEIGHTS_IF_PRESENT, header.Directed);
        break;
    }
    std::fclose(in);
    if (code != IGRAPH_SUCCESS) {
        error = call.Error(code);
        return false;
    }
    Convert(&g, out, kind == Kind::Pajek);
    igraph_destroy(&g);
    if (!header.Vertices.isEmpty())
        PutInListedOrder(out, header.Vertices);
    out.Mixed = false;
    if (kind == Kind::Pajek)
        MarkPajekEdges(data, out);
    return true;
}

bool Write(Kind kind, const TExchangeGraph& graph, QByteArray& data, QString& error)
{
    LibraryCall call;
    igraph_t g;
    igraph_vector_int_t ends;
    igraph_vector_int_init(&ends, igraph_integer_t(graph.Edges.size() * 2));
    for (std::size_t k = 0; k < graph.Edges.size(); ++k) {
        VECTOR(ends)[2 * k] = graph.Edges[k].From;
        VECTOR(ends)[2 * k + 1] = graph.Edges[k].To;
    }
    igraph_error_t code = igraph_create(&g, &ends, graph.VertexCount(), graph.Directed || graph.Mixed);
    igraph_vector_int_destroy(&ends);
    if (code != IGRAPH_SUCCESS) {
        error = call.Error(code);
        return false;
    }
    const bool positioned = int(graph.Positions.size()) == graph.VertexCount();
    for (int v = 0; v < graph.VertexCount(); ++v) {
        const QByteArray name = kind == Kind::EdgeList ? Token(graph.Names[v]) : graph.Names[v].toUtf8();
        SETVAS(&g, "name", v, name.constData());
        if (kind == Kind::Pajek)
            SETVAS(&g, "id", v, name.constData());
        if (positioned && kind != Kind::EdgeList) {
            SETVAN(&g, "x", v, graph.Positions[std::size_t(v)].x());
            SETVAN(&g, "y", v, graph.Positions[std::size_t(v)].y());
        }
    }
    if (graph.Weighted)
        for (std::size_t k = 0; k < graph.Edges.size(); ++k)
            SETEAN(&g, "weight", igraph_integer_t(k), graph.Edges[k].Weight);

    char* buffer = nullptr;
    std::size_t size = 0;
    FILE* out = open_memstream(&buffer, &size);
    if (!out) {
        igraph_destroy(&g);
        error = QString::fromUtf8(std::strerror(errno));
        return false;
    }
    if (kind == Kind::EdgeList) {
        std::fputs(graph.Directed ? "# directed\n" : "# undirected\n", out);
        std::fputs("# vertices:", out);
        for (const QString& name : graph.Names)
            std::fprintf(out, " %s", Token(name).constData());
        std::fputs("\n", out);
    }
    switch (kind) {
    case Kind::GraphML:
        code = igraph_write_graph_graphml(&g, out, false);
        break;
    case Kind::Gml:
        code = igraph_write_graph_gml(&g, out, IGRAPH_WRITE_GML_DEFAULT_SW, nullptr, "Nodeloom");
        break;
    case Kind::Pajek:
        code = igraph_write_graph_pajek(&g, out);
        break;
    case Kind::EdgeList:
        code = igraph_write_graph_ncol(&g, out, "name", graph.Weighted ? "weight" : nullptr);
        break;
    }
    std::fclose(out);
    igraph_destroy(&g);
    if (code == IGRAPH_SUCCESS)
        data = QByteArray(buffer, qsizetype(size));
    else
        error = call.Error(code);
    std::free(buffer);
    return code == IGRAPH_SUCCESS;
}

} // namespace IgraphFormats
