#include "files/PlainDot.h"

#include "files/ExchangeGraph.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace PlainDot {
namespace {

// One token of a line: an identifier, a number or a quoted string (an "id"), or punctuation.
struct Token {
    enum Kind { Id, Punct } kind = Punct;
    // The id's text, quotes removed; the punctuation itself. It points into the file's bytes
    // unless an escaped quote made a text of its own.
    QByteArray text;
};

QByteArray Raw(const char* start, const char* end)
{
    return QByteArray::fromRawData(start, end - start);
}

bool IsIdStart(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 0x80;
}

bool IsKeyword(const QByteArray& id)
{
    const QByteArray lower = id.toLower();
    return lower == "node" || lower == "edge" || lower == "graph" || lower == "digraph" ||
           lower == "subgraph" || lower == "strict";
}

// Splits one line into tokens; false for anything beyond the plain form.
bool Tokens(const char* p, const char* end, std::vector<Token>& tokens)
{
    tokens.clear();
    while (p < end) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == ' ' || c == '\t' || c == '\r') {
            ++p;
        } else if (c == '"') {
            // cgraph unescapes only a quote, by the backslash before it.
            const char* start = ++p;
            bool escaped = false;
            while (p < end) {
                const void* quote = std::memchr(p, '"', std::size_t(end - p));
                p = quote ? static_cast<const char*>(quote) : end;
                if (p == end || p == start || p[-1] != '\\')
                    break;
                escaped = true;
                ++p;
            }
            if (p == end)
                return false; // a string going on to the next line
            QByteArray text = Raw(start, p);
            if (escaped)
                text = QByteArray(start, p - start).replace("\\\"", "\"");
            ++p;
            tokens.push_back({Token::Id, text});
        } else if (IsIdStart(c)) {
            const char* start = p;
            while (p < end && (IsIdStart(static_cast<unsigned char>(*p)) || (*p >= '0' && *p <= '9')))
                ++p;
            QByteArray text = Raw(start, p);
            if (IsKeyword(text))
                return false;
            tokens.push_back({Token::Id, text});
        } else if ((c >= '0' && c <= '9') || c == '.' ||
                   (c == '-' && p + 1 < end && p[1] != '>' && p[1] != '-')) {
            // A numeral: an optional minus, digits with at most one point.
            const char* start = p;
            if (*p == '-')
                ++p;
            int points = 0, digits = 0;
            for (; p < end && ((*p >= '0' && *p <= '9') || *p == '.'); ++p)
                (*p == '.' ? points : digits) += 1;
            if (points > 1 || digits == 0 || (p < end && IsIdStart(static_cast<unsigned char>(*p))))
                return false;
            tokens.push_back({Token::Id, Raw(start, p)});
        } else if (c == '-' && p + 1 < end && (p[1] == '>' || p[1] == '-')) {
            tokens.push_back({Token::Punct, Raw(p, p + 2)});
            p += 2;
        } else if (c == '[' || c == ']' || c == '=' || c == ',' || c == ';' || c == '{' || c == '}') {
            tokens.push_back({Token::Punct, Raw(p, p + 1)});
            ++p;
        } else {
            return false; // comments, ports, HTML strings, concatenation, control characters
        }
    }
    return true;
}

bool IsPunct(const Token& token, const char* text)
{
    return token.kind == Token::Punct && token.text == text;
}

// The attributes the graph uses, from lists from tokens[at] to the ";" that ends the statement:
// [a=b, c=d][e=f]; the last value of each counts.
struct Attributes {
    QByteArray weight, label, pos;
    bool hasPos = false;
};

bool ReadAttributes(const std::vector<Token>& tokens, std::size_t at, Attributes& attributes)
{
    while (at < tokens.size() && IsPunct(tokens[at], "[")) {
        ++at;
        while (!IsPunct(tokens.at(std::min(at, tokens.size() - 1)), "]")) {
            if (at + 2 >= tokens.size() || tokens[at].kind != Token::Id || !IsPunct(tokens[at + 1], "=") ||
                tokens[at + 2].kind != Token::Id)
                return false;
            // An edge's key makes cgraph merge edges; the library's business.
            if (tokens[at].text == "key")
                return false;
            const QByteArray& name = tokens[at].text;
            if (name == "weight")
                attributes.weight = tokens[at + 2].text;
            else if (name == "label")
                attributes.label = tokens[at + 2].text;
            else if (name == "pos") {
                attributes.pos = tokens[at + 2].text;
                attributes.hasPos = true;
            }
            at += 3;
            if (at < tokens.size() && (IsPunct(tokens[at], ",") || IsPunct(tokens[at], ";")))
                ++at;
        }
        ++at;
    }
    return at + 1 == tokens.size() && IsPunct(tokens[at], ";");
}

struct EdgeSeen {
    int from = 0, to = 0, line = 0;
    QByteArray weight, label;
};

} // namespace

bool Read(const QByteArray& data, ExchangeGraph& out)
{
    ExchangeGraph graph;
    NamedVertices vertices(graph);
    std::vector<QByteArray> positions;
    std::vector<EdgeSeen> edges;
    auto vertex = [&](const QByteArray& name) {
        const int v = vertices.Of(name);
        positions.resize(graph.Names.size());
        return v;
    };
    enum { Head, Body, Done } state = Head;
    std::vector<Token> tokens;
    int number = 0;
    for (qsizetype at = 0; at < data.size();) {
        const qsizetype newline = data.indexOf('\n', at);
        const qsizetype end = newline < 0 ? data.size() : newline;
        const char* begin = data.constData() + at;
        at = end + 1;
        ++number;
        if (state == Head) {
            // "digraph G {" or "graph {" on a line of its own.
            const QByteArray line = QByteArray::fromRawData(begin, data.constData() + end - begin).trimmed();
            if (line.isEmpty())
                continue;
            const QByteArray lower = line.left(8).toLower();
            const int keyword = lower.startsWith("digraph") ? 7 : lower.startsWith("graph") ? 5 : 0;
            if (keyword == 0 || !Tokens(line.constData() + keyword, line.constData() + line.size(), tokens) ||
                tokens.empty() || tokens.size() > 2 || !IsPunct(tokens.back(), "{") ||
                (tokens.size() == 2 && tokens[0].kind != Token::Id) ||
                !(line[keyword] == ' ' || line[keyword] == '\t' || line[keyword] == '{' ||
                  line[keyword] == '"'))
                return false;
            graph.Directed = keyword == 7;
            state = Body;
            continue;
        }
        if (!Tokens(begin, data.constData() + end, tokens))
            return false;
        if (tokens.empty())
            continue;
        if (state == Done)
            return false; // a second graph, or anything after the first
        if (tokens.size() == 1 && IsPunct(tokens[0], "}")) {
            state = Done;
            continue;
        }
        if (tokens[0].kind != Token::Id)
            return false;
        Attributes attributes;
        if (tokens.size() >= 3 && (IsPunct(tokens[1], "->") || IsPunct(tokens[1], "--"))) {
            if (IsPunct(tokens[1], "->") != graph.Directed || tokens[2].kind != Token::Id ||
                !ReadAttributes(tokens, 3, attributes))
                return false;
            EdgeSeen edge;
            edge.from = vertex(tokens[0].text);
            edge.to = vertex(tokens[2].text);
            edge.line = number;
            edge.weight = attributes.weight;
            edge.label = attributes.label;
            edges.push_back(edge);
        } else if (tokens.size() >= 2 && IsPunct(tokens[1], "=")) {
            // A graph attribute: a character set changes how names read.
            if (tokens.size() != 4 || tokens[2].kind != Token::Id || !IsPunct(tokens[3], ";") ||
                tokens[0].text.toLower() == "charset")
                return false;
        } else {
            if (!ReadAttributes(tokens, 1, attributes))
                return false;
            const int v = vertex(tokens[0].text);
            if (attributes.hasPos)
                positions[std::size_t(v)] = attributes.pos;
        }
    }
    if (state != Done)
        return false;

    // "x,y" with an optional "!" (a pinned position), y upwards.
    bool positioned = true;
    for (const QByteArray& pos : positions) {
        const QStringList parts =
            QString::fromUtf8(pos).trimmed().remove(QLatin1Char('!')).split(QLatin1Char(','));
        double x = 0, y = 0;
        positioned = positioned && parts.size() >= 2 && ReadNumber(parts[0], x) && ReadNumber(parts[1], y);
        if (positioned)
            graph.Positions.emplace_back(x, -y);
    }
    if (!positioned)
        graph.Positions.clear();
    // cgraph gives each vertex's arcs together, the vertices and then the heads in the order
    // they were named, parallel arcs in the order they were made.
    std::stable_sort(edges.begin(), edges.end(), [](const EdgeSeen& a, const EdgeSeen& b) {
        return a.from != b.from ? a.from < b.from : a.to < b.to;
    });
    int unweighted = 0;
    for (const EdgeSeen& seen : edges) {
        ExchangeGraph::Edge edge;
        edge.From = seen.from;
        edge.To = seen.to;
        edge.Line = seen.line;
        // An explicit weight, else a label that is a number.
        const QString weight = QString::fromUtf8(seen.weight).trimmed();
        double value = 1;
        if (!weight.isEmpty()) {
            graph.Weighted = true;
            edge.Weight = ReadNumber(weight, value) ? value : std::nan("");
        } else if (ReadNumber(QString::fromUtf8(seen.label).trimmed(), value)) {
            graph.Weighted = true;
            edge.Weight = value;
        } else {
            ++unweighted; // given 1, which a weighted graph says
        }
        graph.Edges.push_back(edge);
    }
    graph.MissingWeights = graph.Weighted ? unweighted : 0;
    out = std::move(graph);
    return true;
}

} // namespace PlainDot
