#include "files/PlainEdgeList.h"

#include "files/EdgeListHeader.h"

#include <QHash>
#include <cmath>
#include <cstdlib>
#include <string>

namespace PlainEdgeList {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

// A weight in decimal notation as strtod reads it, whole and finite; no number is longer than
// 64 bytes. Hexadecimal, "inf" and "nan" are the library's business.
bool ReadWeight(const QByteArray& token, double& weight)
{
    if (token.size() > 64)
        return false;
    for (const char c : token)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E'))
            return false;
    const std::string text = token.toStdString();
    char* stop = nullptr;
    weight = std::strtod(text.c_str(), &stop);
    return stop == text.c_str() + text.size() && std::isfinite(weight);
}

} // namespace

bool Read(const QByteArray& data, ExchangeGraph& out)
{
    EdgeListHeader header;
    ExchangeGraph graph;
    NamedVertices vertices(graph);
    std::vector<bool> weightless;
    int number = 0;
    for (qsizetype at = 0; at < data.size();) {
        const qsizetype newline = data.indexOf('\n', at);
        const qsizetype end = newline < 0 ? data.size() : newline;
        const QByteArray line = QByteArray::fromRawData(data.constData() + at, end - at);
        at = end + 1;
        ++number;
        QByteArray fields[3];
        int count = 0;
        for (qsizetype i = 0; i < line.size();) {
            if (IsBlank(line[i])) {
                ++i;
                continue;
            }
            if (count == 0 && line[i] == '#') {
                header.ReadComment(line);
                break;
            }
            qsizetype j = i;
            for (; j < line.size() && !IsBlank(line[j]); ++j)
                if (static_cast<unsigned char>(line[j]) < 0x20)
                    return false;
            if (count == 3)
                return false;
            fields[count++] = line.mid(i, j - i);
            i = j;
        }
        if (count == 0)
            continue;
        if (count == 1)
            return false;
        ExchangeGraph::Edge edge;
        edge.From = vertices.Of(fields[0]);
        edge.To = vertices.Of(fields[1]);
        edge.Line = number;
        if (count == 3 && !ReadWeight(fields[2], edge.Weight))
            return false;
        graph.Weighted = graph.Weighted || count == 3;
        weightless.push_back(count < 3);
        graph.Edges.push_back(edge);
    }
    graph.Directed = header.Directed;
    // Edges without a weight in a weighted graph get 1, and are counted for the import's message.
    if (graph.Weighted)
        for (const bool missing : weightless)
            graph.MissingWeights += missing ? 1 : 0;
    header.PutInListedOrder(graph);
    out = std::move(graph);
    return true;
}

} // namespace PlainEdgeList
