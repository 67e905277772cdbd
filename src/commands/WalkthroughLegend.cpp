#include "commands/WalkthroughPageParts.h"

#include "document/GraphDocument.h"

namespace WalkthroughParts {

// The legend: only what this page shows, each drawn with the page's own styles.
QString LegendHtml(const WalkthroughTask& task, const PagePlan& plan)
{
    static const char* vertexKeys[] = {nullptr, "Page_vertex_current", "Page_vertex_visited",
                                       "Page_vertex_frontier", "Page_vertex_finished"};
    static const char* vertexClasses[] = {"", "current", "visited", "frontier", "finished"};
    static const char* arcKeys[] = {nullptr, "Page_arc_examined", "Page_arc_chosen", "Page_arc_rejected"};
    static const char* arcClasses[] = {"", "examined", "chosen", "rejected"};
    auto item = [](const QString& sample, const QString& text) {
        return QStringLiteral(
                   "<li><svg class=\"key\" viewBox=\"0 0 44 24\" aria-hidden=\"true\">%1</svg> %2</li>")
            .arg(sample, Esc(text));
    };
    QString items;
    if (task.first)
        items += item(QStringLiteral("<circle class=\"mark start\" cx=\"22\" cy=\"12\" r=\"10\"/>"
                                     "<circle class=\"body plain\" cx=\"22\" cy=\"12\" r=\"6\"/>"),
                      Tr("Page_start"));
    if (task.second)
        items += item(QStringLiteral("<circle class=\"mark finish\" cx=\"22\" cy=\"12\" r=\"8\"/>"
                                     "<circle class=\"mark finish\" cx=\"22\" cy=\"12\" r=\"11\"/>"
                                     "<circle class=\"body plain\" cx=\"22\" cy=\"12\" r=\"5\"/>"),
                      Tr("Page_finish"));
    for (int state : plan.vertexStates)
        if (state >= 1 && state <= 4)
            items +=
                item(QStringLiteral(
                         "<g class=\"vertex %1\"><circle class=\"body\" cx=\"22\" cy=\"12\" r=\"8\"/></g>")
                         .arg(QLatin1String(vertexClasses[state])),
                     Tr(vertexKeys[state]));
    for (int state : plan.arcStates)
        if (state >= 1 && state <= 3)
            items += item(QStringLiteral("<path class=\"arc %1\" d=\"M2 12 H42\"/>")
                              .arg(QLatin1String(arcClasses[state])),
                          Tr(arcKeys[state]));
    if (plan.table == TableKind::Flows)
        items += item(QStringLiteral("<text class=\"weight\" x=\"22\" y=\"12\">3/5</text>"),
                      Tr("Page_flow_caption"));
    else if (plan.captions)
        items +=
            item(QStringLiteral("<text class=\"caption\" x=\"14\" y=\"17\">7</text>"), Tr("Page_caption"));
    if (plan.table != TableKind::None)
        items += QStringLiteral("<li><span class=\"sample changed\">12</span> %1</li>")
                     .arg(Esc(Tr("Page_changed")));
    return QStringLiteral("<section id=\"legend\"><h2>%1</h2><ul>%2</ul></section>")
        .arg(Esc(Tr("Page_legend")), items);
}

QString TaskLine(const GraphDocument& g, const WalkthroughTask& task)
{
    int arcs = 0;
    for (int a = 1; a <= g.VertexCount; ++a)
        for (int b : g.OutArcs(a))
            arcs += IsEdge(g, a, b) && b < a ? 0 : 1;
    QString line = task.graphName.isEmpty()
                       ? Tr("Page_task_graph_unnamed").arg(g.VertexCount).arg(arcs)
                       : Tr("Page_task_graph").arg(task.graphName).arg(g.VertexCount).arg(arcs);
    const bool valid = task.first >= 1 && task.first <= g.VertexCount;
    if (valid && task.second >= 1 && task.second <= g.VertexCount)
        line += QStringLiteral(", ") +
                Tr("Page_task_from_to").arg(g.VertexName(task.first), g.VertexName(task.second));
    else if (valid)
        line += QStringLiteral(", ") + Tr("Page_task_vertex").arg(g.VertexName(task.first));
    return line;
}

} // namespace WalkthroughParts
