#include "files/DotFile.h"

#include <graphviz/cgraph.h>

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

namespace DotFile {
namespace {

// cgraph reports errors through a global callback, a message in several pieces; while one
// of our reads runs it keeps the first message.
thread_local QString lastError;

int KeepError(char* text)
{
    if (!lastError.contains(QLatin1Char('\n')))
        lastError += QString::fromUtf8(text);
    return 0;
}

// The attribute's value, or an empty string when it is not declared.
QString Attribute(void* object, const char* name)
{
    const char* value = agget(object, const_cast<char*>(name));
    return value ? QString::fromUtf8(value).trimmed() : QString();
}

QString Quoted(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    // A closing backslash would escape the closing quote.
    if (out.endsWith(QLatin1Char('\\')) && !out.endsWith(QStringLiteral("\\\"")))
        out += QLatin1Char(' ');
    return QLatin1Char('"') + out + QLatin1Char('"');
}

QString Real(double value)
{
    return QString::number(value, 'g', 15);
}

// The lexer is fed one line at a time, so the line last fed is where it stands when an edge
// is made: the end of the edge's statement, or the first token after it.
struct LineReader {
    const QByteArray& data;
    qsizetype at = 0;
    int line = 0; // of the text last fed
};

thread_local LineReader* reading = nullptr;
thread_local std::map<IDTYPE, int>* edgeLines = nullptr;

int ReadLine(void* chan, char* buffer, int size)
{
    auto* reader = static_cast<LineReader*>(chan);
    if (size <= 0 || reader->at >= reader->data.size())
        return 0;
    if (reader->at == 0 || reader->data[reader->at - 1] == '\n')
        ++reader->line;
    const qsizetype newline = reader->data.indexOf('\n', reader->at);
    const qsizetype end = newline < 0 ? reader->data.size() : newline + 1;
    const int count = int(std::min<qsizetype>(end - reader->at, size));
    std::memcpy(buffer, reader->data.constData() + reader->at, std::size_t(count));
    reader->at += count;
    return count;
}

void RegisterObject(void* state, int type, void* object)
{
    AgIdDisc.idregister(state, type, object);
    if (type == AGEDGE && edgeLines && reading)
        (*edgeLines)[AGID(static_cast<Agobj_t*>(object))] = reading->line;
}

// The line at or before the one the parser had reached that sets the attribute to the value
// (an edge's own list, or a default for the edges after it); that line itself when none does.
int AssignmentLine(const QList<QByteArray>& lines, int reached, const char* name, const QString& value)
{
    if (reached <= 0)
        return 0;
    const QRegularExpression assignment(QStringLiteral("\\b%1\\s*=\\s*\"?\\s*%2\\s*\"?")
                                            .arg(QLatin1String(name), QRegularExpression::escape(value)));
    for (int line = std::min<int>(reached, int(lines.size())), stop = std::max(1, reached - 500);
         line >= stop; --line)
        if (assignment.match(QString::fromUtf8(lines[line - 1])).hasMatch())
            return line;
    return reached;
}

} // namespace

bool Read(const QByteArray& data, ExchangeGraph& out, FileError& error)
{
    lastError.clear();
    const agusererrf oldHandler = agseterrf(KeepError);
    const agerrlevel_t oldLevel = agseterr(AGERR);
    LineReader reader{data};
    std::map<IDTYPE, int> lines;
    reading = &reader;
    edgeLines = &lines;
    Agiodisc_t io = AgIoDisc;
    io.afread = ReadLine;
    Agiddisc_t ids = AgIdDisc;
    ids.idregister = RegisterObject;
    Agdisc_t disc{&AgMemDisc, &ids, &io};
    // The lexer's line count outlives a read.
    agreadline(1);
    Agraph_t* g = agread(&reader, &disc);
    // Graphs after the first are read only to be counted.
    int others = 0;
    edgeLines = nullptr;
    if (g)
        while (Agraph_t* next = agread(&reader, &disc)) {
            ++others;
            agclose(next);
        }
    reading = nullptr;
    agseterrf(oldHandler);
    agseterr(oldLevel);
    if (!g) {
        const QString text = lastError.section(QLatin1Char('\n'), 0, 0).trimmed();
        error = FileError::Verbatim(text.isEmpty() ? QStringLiteral("syntax error") : text);
        return false;
    }
    out = ExchangeGraph();
    out.Directed = agisdirected(g);
    out.OtherGraphs = others;
    // Names are UTF-8 unless the graph declares Latin-1.
    static const QStringList latin1{"latin1",     "latin-1",   "l1",        "iso-8859-1",
                                    "iso_8859-1", "iso8859-1", "iso-ir-100"};
    const bool isLatin1 = latin1.contains(Attribute(g, "charset").toLower());
    const auto text = [isLatin1](const char* bytes) {
        return isLatin1 ? QString::fromLatin1(bytes) : QString::fromUtf8(bytes);
    };
    std::map<Agnode_t*, int> index;
    bool positioned = true;
    for (Agnode_t* n = agfstnode(g); n; n = agnxtnode(g, n)) {
        index[n] = int(out.Names.size());
        out.Names.append(text(agnameof(n)));
        // "x,y" with an optional "!" (a pinned position).
        const QStringList parts = Attribute(n, "pos").remove(QLatin1Char('!')).split(QLatin1Char(','));
        double x = 0, y = 0;
        if (parts.size() >= 2 && ReadNumber(parts[0], x) && ReadNumber(parts[1], y))
            out.Positions.emplace_back(x, -y);
        else
            positioned = false;
    }
    if (!positioned)
        out.Positions.clear();
    const QList<QByteArray> fileLines = data.split('\n');
    int unweighted = 0;
    bool named = false;
    for (Agnode_t* n = agfstnode(g); n; n = agnxtnode(g, n))
        for (Agedge_t* e = agfstout(g, n); e; e = agnxtout(g, e)) {
            ExchangeGraph::Edge edge;
            edge.From = index[agtail(e)];
            edge.To = index[aghead(e)];
            // An explicit weight, else a label that is a number.
            const QString weight = Attribute(e, "weight");
            const QString label = Attribute(e, "label");
            double value = 1;
            const auto line = lines.find(AGID(e));
            const int parsedTo = line == lines.end() ? 0 : line->second;
            const char* source = nullptr;
            if (!weight.isEmpty()) {
                out.Weighted = true;
                edge.Weight = ReadNumber(weight, value) ? value : std::nan("");
                source = "weight";
            } else if (ReadNumber(label, value)) {
                out.Weighted = true;
                edge.Weight = value;
                source = "label";
            } else {
                ++unweighted; // given 1, which a weighted graph says
            }
            // Only the first weight that does not fit is named; finding its own line costs a
            // search back through the file.
            edge.Line = parsedTo;
            if (source && !named && edge.From != edge.To && !WeightFits(edge.Weight)) {
                edge.Line = AssignmentLine(fileLines, parsedTo, source, weight.isEmpty() ? label : weight);
                named = true;
            }
            out.Edges.push_back(edge);
        }
    out.MissingWeights = out.Weighted ? unweighted : 0;
    agclose(g);
    return true;
}

QByteArray Write(const ExchangeGraph& graph)
{
    const bool directed = graph.Directed || graph.Mixed;
    QString text = directed ? QStringLiteral("digraph G {\n") : QStringLiteral("graph G {\n");
    const bool positioned = int(graph.Positions.size()) == graph.VertexCount();
    for (int v = 0; v < graph.VertexCount(); ++v) {
        text += QStringLiteral("  ") + Quoted(graph.Names[v]);
        if (positioned) {
            const QPointF& p = graph.Positions[std::size_t(v)];
            text += QStringLiteral(" [pos=\"%1,%2!\"]").arg(Real(p.x()), Real(-p.y()));
        }
        text += QStringLiteral(";\n");
    }
    const QString arrow = directed ? QStringLiteral(" -> ") : QStringLiteral(" -- ");
    for (const auto& e : graph.Edges) {
        text += QStringLiteral("  ") + Quoted(graph.Names[e.From]) + arrow + Quoted(graph.Names[e.To]);
        if (graph.Weighted)
            text += QStringLiteral(" [weight=%1, label=\"%1\"]").arg(Real(e.Weight));
        text += QStringLiteral(";\n");
    }
    text += QStringLiteral("}\n");
    return text.toUtf8();
}

} // namespace DotFile
