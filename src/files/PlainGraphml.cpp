#include "files/PlainGraphml.h"

#include <libxml/parser.h>

#include <QHash>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace PlainGraphml {
namespace {

// What a node or an edge carries that the graph uses.
enum Field { Name, Label, X, Y, Weight, FieldCount };

enum class Type { Text, Whole, Real, Boolean };

struct Key {
    Field field = FieldCount; // FieldCount: a key the graph does not use
    Type type = Type::Text;
    bool forNodes = false, forEdges = false;
    std::optional<QByteArray> fallback; // the key's default
};

// A number as the key's type reads it: whole for "int" and "long", decimal otherwise.
std::optional<double> Number(const QByteArray& text, bool whole)
{
    if (text.isEmpty() || text.size() > 64)
        return std::nullopt;
    for (const char c : text)
        if (!((c >= '0' && c <= '9') || c == '+' || c == '-' ||
              (!whole && (c == '.' || c == 'e' || c == 'E'))))
            return std::nullopt;
    const std::string bytes = text.toStdString();
    char* stop = nullptr;
    const double value = std::strtod(bytes.c_str(), &stop);
    if (stop != bytes.c_str() + bytes.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Whether a value reads as its key's type; texts always do.
bool Valid(Type type, const QByteArray& text)
{
    if (type == Type::Boolean)
        return text == "true" || text == "false";
    return type == Type::Text || Number(text, type == Type::Whole).has_value();
}

bool Is(const xmlChar* name, const char* expected)
{
    return std::strcmp(reinterpret_cast<const char*>(name), expected) == 0;
}

// The value of an attribute as libxml2's SAX gives them: name, prefix, URI, start, end.
std::optional<QByteArray> Attribute(int count, const xmlChar** attributes, const char* name)
{
    for (int i = 0; i < count; ++i, attributes += 5)
        if (!attributes[1] && Is(attributes[0], name))
            return QByteArray(reinterpret_cast<const char*>(attributes[3]), attributes[4] - attributes[3]);
    return std::nullopt;
}

// Set by libxml2's error, warning and entity callbacks, which may not be given the reader.
thread_local bool troubled = false;

void Warn(void*, const char*, ...)
{
    troubled = true;
}

// Follows the document through libxml2's SAX callbacks: a stack of what each open element is.
class Reader {
  public:
    bool Read(const QByteArray& data, ExchangeGraph& graph)
    {
        xmlSAXHandler sax;
        std::memset(&sax, 0, sizeof sax);
        sax.initialized = XML_SAX2_MAGIC;
        sax.startElementNs = [](void* self, const xmlChar* name, const xmlChar* prefix, const xmlChar*, int,
                                const xmlChar**, int count, int, const xmlChar** attributes) {
            static_cast<Reader*>(self)->Start(name, prefix, count, attributes);
        };
        sax.endElementNs = [](void* self, const xmlChar*, const xmlChar*, const xmlChar*) {
            static_cast<Reader*>(self)->End();
        };
        sax.characters = [](void* self, const xmlChar* text, int length) {
            static_cast<Reader*>(self)->Text(text, length);
        };
        sax.cdataBlock = sax.characters;
        // Any error or warning, entities included, leaves the file to the library.
        sax.serror = [](void*, xmlErrorPtr) { troubled = true; };
        sax.warning = Warn;
        sax.getEntity = [](void*, const xmlChar*) -> xmlEntityPtr {
            troubled = true;
            return nullptr;
        };
        if (data.size() > INT_MAX)
            return false;
        troubled = false;
        context = xmlCreatePushParserCtxt(&sax, this, nullptr, 0, nullptr);
        if (!context)
            return false;
        xmlCtxtUseOptions(context, XML_PARSE_NONET);
        // The parser refuses to look ahead over more than 10 MB at once: it is fed by the megabyte.
        constexpr qsizetype chunk = 1 << 20;
        int status = 0;
        for (qsizetype at = 0; status == 0 && !failed && (at < data.size() || at == 0); at += chunk) {
            const qsizetype size = std::min(chunk, data.size() - at);
            status = xmlParseChunk(context, data.constData() + at, int(size), at + size >= data.size());
        }
        const bool wellFormed = status == 0 && context->wellFormed && context->nsWellFormed;
        xmlFreeParserCtxt(context);
        context = nullptr;
        if (!wellFormed || troubled || failed || graphs != 1)
            return false;
        return Finish(graph);
    }

  private:
    enum class Open { Root, Key, Default, Graph, Node, Edge, Data, Skipped };

    void Start(const xmlChar* name, const xmlChar* prefix, int count, const xmlChar** attributes)
    {
        if (failed)
            return;
        const Open parent = open.empty() ? Open::Skipped : open.back();
        Open now = Open::Skipped;
        if (prefix && parent != Open::Skipped) {
            // Other programs' elements belong only inside data the graph does not use.
            failed = true;
        } else if (open.empty()) {
            failed = !Is(name, "graphml");
            now = Open::Root;
        } else if (parent == Open::Root && Is(name, "key")) {
            failed = !StartKey(count, attributes);
            now = Open::Key;
        } else if (parent == Open::Root && Is(name, "graph")) {
            failed = ++graphs > 1 || !StartGraph(count, attributes);
            now = Open::Graph;
        } else if (parent == Open::Key && Is(name, "default")) {
            text.clear();
            now = Open::Default;
        } else if (parent == Open::Graph && (Is(name, "node") || Is(name, "edge"))) {
            failed = !(Is(name, "node") ? StartNode(count, attributes) : StartEdge(count, attributes));
            now = Is(name, "node") ? Open::Node : Open::Edge;
        } else if ((parent == Open::Node || parent == Open::Edge) && Is(name, "data")) {
            failed = !StartData(parent == Open::Node, count, attributes);
            now = collecting ? Open::Data : Open::Skipped;
        } else if (parent == Open::Graph || parent == Open::Node || parent == Open::Edge) {
            // Hyperedges, ports and nested graphs are the library's; descriptions pass.
            failed = !Is(name, "desc") && !Is(name, "data");
        } else if (parent == Open::Data || parent == Open::Default) {
            failed = true; // markup inside a value the graph reads
        }
        open.push_back(now);
    }

    void End()
    {
        if (failed || open.empty())
            return;
        const Open closing = open.back();
        open.pop_back();
        if (closing == Open::Default) {
            keys[keys.size() - 1].fallback = text;
            failed = !Valid(keys.back().type, text);
        } else if (closing == Open::Data) {
            collecting = false;
            EndData();
        }
    }

    void Text(const xmlChar* chars, int length)
    {
        if (!failed && !open.empty() && (open.back() == Open::Data || open.back() == Open::Default))
            text.append(reinterpret_cast<const char*>(chars), length);
    }

    bool StartKey(int count, const xmlChar** attributes)
    {
        const QByteArray id = Attribute(count, attributes, "id").value_or(QByteArray());
        const QByteArray domain = Attribute(count, attributes, "for").value_or(QByteArray());
        const QByteArray name = Attribute(count, attributes, "attr.name").value_or(QByteArray());
        const QByteArray type = Attribute(count, attributes, "attr.type").value_or(QByteArray());
        Key key;
        key.forNodes = domain == "node" || domain == "all";
        key.forEdges = domain == "edge" || domain == "all";
        if (id.isEmpty() || keyIndex.contains(id) || name.isEmpty() || type.isEmpty() ||
            !(key.forNodes || key.forEdges || domain == "graph"))
            return false;
        const bool whole = type == "int" || type == "long";
        if (type == "string")
            key.type = Type::Text;
        else if (whole || type == "double" || type == "float")
            key.type = whole ? Type::Whole : Type::Real;
        else if (type == "boolean")
            key.type = Type::Boolean;
        else
            return false;
        if (key.forNodes && (name == "name" || name == "label"))
            key.field = name == "name" ? Name : Label;
        else if (key.forNodes && (name == "x" || name == "y"))
            key.field = name == "x" ? X : Y;
        else if (key.forEdges && name == "weight")
            key.field = Weight;
        else if (key.forNodes && name == "id")
            return false; // the library keeps node ids under that name
        // A used field of an unexpected type, or declared twice, or for both nodes and edges.
        if (key.field != FieldCount) {
            const bool textField = key.field == Name || key.field == Label;
            if ((textField != (key.type == Type::Text)) || (!textField && key.type == Type::Boolean) ||
                fieldKey[key.field] >= 0 || (key.forNodes && key.forEdges))
                return false;
            fieldKey[key.field] = int(keys.size());
        }
        keyIndex.insert(id, int(keys.size()));
        keys.push_back(key);
        return true;
    }

    bool StartGraph(int count, const xmlChar** attributes)
    {
        // Without a default the library takes edges as undirected.
        const auto direction = Attribute(count, attributes, "edgedefault");
        if (direction && direction != "directed" && direction != "undirected")
            return false;
        directed = direction == "directed";
        return true;
    }

    bool StartNode(int count, const xmlChar** attributes)
    {
        const QByteArray id = Attribute(count, attributes, "id").value_or(QByteArray());
        if (nodeIndex.contains(id))
            return false;
        nodeIndex.insert(id, int(nodes.size()));
        nodes.push_back({id, {}});
        current = &nodes.back().values;
        return true;
    }

    bool StartEdge(int count, const xmlChar** attributes)
    {
        const auto way = Attribute(count, attributes, "directed");
        if (way && *way != (directed ? "true" : "false"))
            return false;
        // The library numbers vertices as they are first named, by an edge too.
        const auto from = nodeIndex.constFind(Attribute(count, attributes, "source").value_or(QByteArray()));
        const auto to = nodeIndex.constFind(Attribute(count, attributes, "target").value_or(QByteArray()));
        if (from == nodeIndex.cend() || to == nodeIndex.cend())
            return false;
        edges.push_back({*from, *to, xmlSAX2GetLineNumber(context), {}});
        current = &edges.back().values;
        return true;
    }

    bool StartData(bool node, int count, const xmlChar** attributes)
    {
        const auto found = keyIndex.constFind(Attribute(count, attributes, "key").value_or(QByteArray()));
        if (found == keyIndex.cend() || (node ? !keys[*found].forNodes : !keys[*found].forEdges))
            return false;
        // Texts the graph does not use may hold markup of other programs.
        collecting = !(keys[*found].field == FieldCount && keys[*found].type == Type::Text);
        dataKey = *found;
        text.clear();
        return true;
    }

    void EndData()
    {
        const Key& key = keys[dataKey];
        if (!Valid(key.type, text)) {
            failed = true;
            return;
        }
        // The library takes empty data for none: the key's default.
        if (key.field == FieldCount || text.isEmpty())
            return;
        auto& slot = (*current)[key.field];
        failed = slot.has_value();
        slot = text;
    }

    // A field's value on one element: its data, else its key's default.
    std::optional<QByteArray> Value(const std::optional<QByteArray> (&values)[FieldCount], Field field) const
    {
        if (values[field])
            return values[field];
        return fieldKey[field] >= 0 ? keys[fieldKey[field]].fallback : std::nullopt;
    }

    bool Finish(ExchangeGraph& graph) const
    {
        graph.Directed = directed;
        bool positioned = fieldKey[X] >= 0 && fieldKey[Y] >= 0;
        const bool wholeX = positioned && keys[fieldKey[X]].type == Type::Whole;
        const bool wholeY = positioned && keys[fieldKey[Y]].type == Type::Whole;
        for (std::size_t v = 0; v < nodes.size(); ++v) {
            const auto& node = nodes[v];
            QByteArray name = Value(node.values, Name).value_or(QByteArray());
            if (name.isEmpty())
                name = Value(node.values, Label).value_or(QByteArray());
            if (name.isEmpty())
                name = node.id;
            graph.Names.append(name.isEmpty() ? QString::number(v + 1) : QString::fromUtf8(name));
            const auto x = positioned ? Value(node.values, X) : std::nullopt;
            const auto y = positioned ? Value(node.values, Y) : std::nullopt;
            positioned = x && y;
            if (positioned)
                graph.Positions.emplace_back(*Number(*x, wholeX), *Number(*y, wholeY));
        }
        if (!positioned)
            graph.Positions.clear();
        graph.Weighted = fieldKey[Weight] >= 0;
        const bool wholeWeight = graph.Weighted && keys[fieldKey[Weight]].type == Type::Whole;
        for (const auto& seen : edges) {
            ExchangeGraph::Edge edge;
            edge.From = seen.from;
            edge.To = seen.to;
            edge.Line = seen.line;
            if (graph.Weighted) {
                const auto weight = Value(seen.values, Weight);
                edge.Weight = weight ? *Number(*weight, wholeWeight) : 1.0;
                graph.MissingWeights += weight ? 0 : 1;
            }
            graph.Edges.push_back(edge);
        }
        // A weight declared but given to no edge makes no weighted graph.
        if (graph.Weighted && !graph.Edges.empty() && graph.MissingWeights == int(graph.Edges.size())) {
            graph.Weighted = false;
            graph.MissingWeights = 0;
        }
        return true;
    }

    struct Node {
        QByteArray id;
        std::optional<QByteArray> values[FieldCount];
    };
    struct EdgeSeen {
        int from = 0, to = 0, line = 0;
        std::optional<QByteArray> values[FieldCount];
    };

    xmlParserCtxtPtr context = nullptr;
    bool failed = false, directed = false, collecting = false;
    int graphs = 0, dataKey = 0;
    std::vector<Open> open;
    QByteArray text;
    std::vector<Key> keys;
    QHash<QByteArray, int> keyIndex;
    int fieldKey[FieldCount] = {-1, -1, -1, -1, -1};
    QHash<QByteArray, int> nodeIndex;
    std::vector<Node> nodes;
    std::vector<EdgeSeen> edges;
    std::optional<QByteArray> (*current)[FieldCount] = nullptr;
};

} // namespace

bool Read(const QByteArray& data, ExchangeGraph& out)
{
    // Entities a document type declares are the library's to expand, or to leave out.
    if (data.contains("<!DOCTYPE"))
        return false;
    ExchangeGraph graph;
    Reader reader;
    if (!reader.Read(data, graph))
        return false;
    out = std::move(graph);
    return true;
}

} // namespace PlainGraphml
