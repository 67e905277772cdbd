#include "files/PlainGml.h"

#include <QHash>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

namespace PlainGml {
namespace {

// One value of a key: a number, a string, or the opening bracket of a list.
struct Value {
    enum Kind { Number, Integer, String, List } kind = Number;
    double number = 0;
    QByteArray text;
};

// Replaces "&quot;" and "&amp;" by the characters they stand for; false for any other "&".
bool Decode(QByteArray& text)
{
    QByteArray plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            plain += text[i];
        } else if (text.mid(i, 6) == "&quot;") {
            plain += '"';
            i += 5;
        } else if (text.mid(i, 5) == "&amp;") {
            plain += '&';
            i += 4;
        } else {
            return false;
        }
    }
    text = plain;
    return true;
}

class Lexer {
  public:
    explicit Lexer(const QByteArray& data) : p(data.constData()), end(data.constData() + data.size()) {}

    // Skips blanks; false at the end of the data.
    bool More()
    {
        while (p < end && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n'))
            ++p;
        return p < end;
    }
    bool Closing()
    {
        if (More() && *p == ']') {
            ++p;
            return true;
        }
        return false;
    }
    // A key; false for anything else (a comment among them).
    bool Key(QByteArray& key)
    {
        if (!More() || !(IsLetter(*p) || *p == '_'))
            return false;
        const char* start = p;
        while (p < end && (IsLetter(*p) || IsDigit(*p) || *p == '_'))
            ++p;
        key = QByteArray::fromRawData(start, p - start);
        return true;
    }
    bool Read(Value& value)
    {
        if (!More())
            return false;
        if (*p == '[') {
            ++p;
            value.kind = Value::List;
            return true;
        }
        if (*p == '"') {
            // The two entities the library writes are decoded here, as it decodes them; other
            // entities and control characters are its business.
            const char* start = ++p;
            bool entities = false;
            while (p < end && *p != '"') {
                if (static_cast<unsigned char>(*p) < 0x20)
                    return false;
                entities = entities || *p == '&';
                ++p;
            }
            if (p == end)
                return false;
            value.kind = Value::String;
            value.text = QByteArray(start, p - start);
            ++p;
            return !entities || Decode(value.text);
        }
        // A number: sign, digits, an optional fraction and exponent, then a blank or a bracket.
        const char* start = p;
        if (*p == '+' || *p == '-')
            ++p;
        const char* digits = p;
        while (p < end && IsDigit(*p))
            ++p;
        bool integer = p > digits;
        if (p < end && *p == '.') {
            integer = false;
            ++p;
            while (p < end && IsDigit(*p))
                ++p;
        }
        if (p < end && (*p == 'e' || *p == 'E')) {
            integer = false;
            ++p;
            if (p < end && (*p == '+' || *p == '-'))
                ++p;
            const char* exponent = p;
            while (p < end && IsDigit(*p))
                ++p;
            if (p == exponent)
                return false;
        }
        if (p == digits || p - start > 64 || (p < end && !IsBlank(*p) && *p != ']' && *p != '['))
            return false;
        const std::string token(start, std::size_t(p - start));
        char* stop = nullptr;
        value.number = std::strtod(token.c_str(), &stop);
        if (stop != token.c_str() + token.size() || !std::isfinite(value.number))
            return false;
        value.kind = integer ? Value::Integer : Value::Number;
        return true;
    }

  private:
    static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
    static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    const char* p;
    const char* end;
};

// The keys of one node or edge record that the graph uses; others with plain values pass.
struct Record {
    std::optional<double> id, source, target, x, y, weight;
    std::optional<QByteArray> name, label;
};

// Reads a record's keys up to its closing bracket; false on a nested list, a repeated key
// the graph uses, or a value of the wrong kind.
bool ReadRecord(Lexer& lexer, bool node, Record& record)
{
    QByteArray key;
    Value value;
    while (!lexer.Closing()) {
        if (!lexer.Key(key) || !lexer.Read(value) || value.kind == Value::List)
            return false;
        const bool number = value.kind != Value::String;
        auto take = [&](std::optional<double>& slot, bool integer) {
            if (slot || !number || (integer && value.kind != Value::Integer))
                return false;
            slot = value.number;
            return true;
        };
        auto takeText = [&](std::optional<QByteArray>& slot) {
            if (slot || number)
                return false;
            slot = value.text;
            return true;
        };
        bool ok = true;
        if (node && key == "id")
            ok = take(record.id, true);
        else if (node && key == "name")
            ok = takeText(record.name);
        else if (node && key == "label")
            ok = takeText(record.label);
        else if (node && key == "x")
            ok = take(record.x, false);
        else if (node && key == "y")
            ok = take(record.y, false);
        else if (!node && key == "source")
            ok = take(record.source, true);
        else if (!node && key == "target")
            ok = take(record.target, true);
        else if (!node && key == "weight")
            ok = take(record.weight, false);
        if (!ok)
            return false;
    }
    return true;
}

bool ReadGraph(Lexer& lexer, ExchangeGraph& graph)
{
    QHash<qint64, int> index; // node id -> vertex
    std::vector<Record> edges;
    bool positioned = true, directedSeen = false;
    QByteArray key;
    Value value;
    while (!lexer.Closing()) {
        if (!lexer.Key(key) || !lexer.Read(value))
            return false;
        if (value.kind != Value::List) {
            if (key == "directed") {
                if (directedSeen || value.kind != Value::Integer || (value.number != 0 && value.number != 1))
                    return false;
                directedSeen = true;
                graph.Directed = value.number == 1;
            }
            continue;
        }
        const bool node = key == "node";
        if (!node && key != "edge")
            return false;
        Record record;
        if (!ReadRecord(lexer, node, record))
            return false;
        if (!node) {
            if (!record.source || !record.target)
                return false;
            edges.push_back(record);
            continue;
        }
        if (!record.id || std::abs(*record.id) > 2147483647.0 || index.contains(qint64(*record.id)))
            return false;
        index.insert(qint64(*record.id), int(graph.Names.size()));
        QString name = record.name ? QString::fromUtf8(*record.name) : QString();
        if (name.isEmpty() && record.label)
            name = QString::fromUtf8(*record.label);
        graph.Names.append(name.isEmpty() ? QString::number(*record.id, 'g', 17) : name);
        positioned = positioned && record.x && record.y;
        if (positioned)
            graph.Positions.emplace_back(*record.x, *record.y);
    }
    if (!positioned)
        graph.Positions.clear();
    for (const Record& record : edges) {
        const auto from = index.constFind(qint64(*record.source)),
                   to = index.constFind(qint64(*record.target));
        if (from == index.cend() || to == index.cend())
            return false;
        ExchangeGraph::Edge edge;
        edge.From = *from;
        edge.To = *to;
        graph.Weighted = graph.Weighted || record.weight.has_value();
        edge.Weight = record.weight.value_or(1.0);
        graph.Edges.push_back(edge);
    }
    // Edges without a weight in a weighted graph get 1, and are counted for the import's message.
    if (graph.Weighted)
        for (const Record& record : edges)
            graph.MissingWeights += record.weight ? 0 : 1;
    return true;
}

} // namespace

bool Read(const QByteArray& data, ExchangeGraph& out)
{
    Lexer lexer(data);
    ExchangeGraph graph;
    bool graphSeen = false;
    QByteArray key;
    Value value;
    while (lexer.More()) {
        if (!lexer.Key(key) || !lexer.Read(value))
            return false;
        if (value.kind != Value::List)
            continue;
        // One graph and nothing else in a list: the library's way with more is its own.
        if (key != "graph" || graphSeen || !ReadGraph(lexer, graph))
            return false;
        graphSeen = true;
    }
    if (!graphSeen)
        return false;
    out = std::move(graph);
    return true;
}

} // namespace PlainGml
