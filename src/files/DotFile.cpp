#include "files/DotFile.h"

#include <graphviz/cgraph.h>

#include <QStringList>
#include <cmath>
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

bool Number(const QString& text, double& value)
{
    // No number is this long, and the library's parse costs much on a long text (a label).
    if (text.size() > 64)
        return false;
    bool ok = false;
    value = text.toDouble(&ok);
    return ok;
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

} // namespace

bool Read(const QByteArray& data, TExchangeGraph& out, QString& error)
{
    lastError.clear();
    const agusererrf oldHandler = agseterrf(KeepError);
    const agerrlevel_t oldLevel = agseterr(AGERR);
    const QByteArray text = data + '\0';
    Agraph_t* g = agmemread(text.constData());
    agseterrf(oldHandler);
    agseterr(oldLevel);
    if (!g) {
        error = lastError.section(QLatin1Char('\n'), 0, 0).trimmed();
        if (error.isEmpty())
            error = QStringLiteral("syntax error");
        return false;
    }
    out = TExchangeGraph();
    out.Directed = agisdirected(g);
    std::map<Agnode_t*, int> index;
    bool positioned = true;
    for (Agnode_t* n = agfstnode(g); n; n = agnxtnode(g, n)) {
        index[n] = int(out.Names.size());
        out.Names.append(QString::fromUtf8(agnameof(n)));
        // "x,y" with an optional "!" (a pinned position).
        const QStringList parts = Attribute(n, "pos").remove(QLatin1Char('!')).split(QLatin1Char(','));
        double x = 0, y = 0;
        if (parts.size() >= 2 && Number(parts[0], x) && Number(parts[1], y))
            out.Positions.emplace_back(x, -y);
        else
            positioned = false;
    }
    if (!positioned)
        out.Positions.clear();
    for (Agnode_t* n = agfstnode(g); n; n = agnxtnode(g, n))
        for (Agedge_t* e = agfstout(g, n); e; e = agnxtout(g, e)) {
            TExchangeGraph::Edge edge;
            edge.From = index[agtail(e)];
            edge.To = index[aghead(e)];
            // An explicit weight, else a label that is a number.
            const QString weight = Attribute(e, "weight");
            const QString label = Attribute(e, "label");
            double value = 1;
            if (!weight.isEmpty()) {
                out.Weighted = true;
                edge.Weight = Number(weight, value) ? value : std::nan("");
            } else if (Number(label, value)) {
                out.Weighted = true;
                edge.Weight = value;
            }
            out.Edges.push_back(edge);
        }
    agclose(g);
    return true;
}

QByteArray Write(const TExchangeGraph& graph)
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
