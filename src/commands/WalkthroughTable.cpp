#include "commands/WalkthroughPageParts.h"

#include "algorithms/AlgorithmResult.h"
#include "algorithms/ShortestPaths.h"
#include "document/GraphDocument.h"

#include <algorithm>

namespace WalkthroughParts {

namespace {

using Kind = StepTrace::ChangeKind;

// Beyond this the matrix no longer reads as a table beside a drawing.
constexpr int MaxMatrixSide = 40;

} // namespace

void PlanTable(const GraphDocument& g, const AlgorithmResult& result, const WalkthroughTask& task,
               PagePlan& plan)
{
    plan.table = TableOf(task.name);
    const StepTrace& trace = result.steps;
    switch (plan.table) {
    case TableKind::None:
    case TableKind::Distances:
        break;
    case TableKind::Matrix: {
        const int n = g.VertexCount;
        if (n > MaxMatrixSide || trace.FrameCount() == 0) {
            plan.table = TableKind::None;
            break;
        }
        AllPairsDistances(g, n, nullptr, [&plan](const std::vector<int>& d) { plan.matrices.push_back(d); });
        break;
    }
    case TableKind::Flows:
        for (int a = 1; a <= g.VertexCount; ++a)
            for (int b : g.OutArcs(a))
                plan.flows.emplace_back(a, b);
        break;
    case TableKind::Colours:
        // The colour numbers as the trace gives them, the fills as the result draws them.
        for (int i = 0; i < trace.FrameCount(); ++i)
            for (const StepTrace::ChangeRecord& c : trace.ChangesOf(i))
                if (c.kind == Kind::CaptionNumber && c.a >= 1 && c.a <= g.VertexCount && c.value >= 1) {
                    plan.colours = std::max(plan.colours, int(c.value));
                    if (std::size_t(c.a) < result.picture.vertexFills.size() &&
                        result.picture.vertexFills[std::size_t(c.a)] >= 0)
                        plan.fillOfColour.emplace(c.value, result.picture.vertexFills[std::size_t(c.a)]);
                }
        if (plan.colours == 0)
            plan.table = TableKind::None;
        break;
    }
}

QString TableHtml(const GraphDocument& g, const WalkthroughTask& task, const PagePlan& plan)
{
    QString html;
    auto head = [](const QString& caption) {
        return QStringLiteral("<table id=\"values\"><caption>%1</caption>").arg(Esc(caption));
    };
    switch (plan.table) {
    case TableKind::None:
        return QString();
    case TableKind::Distances:
        html = head(task.first >= 1 && task.first <= g.VertexCount
                        ? Tr("Page_distances").arg(g.VertexName(task.first))
                        : QString());
        html += QStringLiteral("<tr><th>%1</th><th>%2</th></tr>")
                    .arg(Esc(Tr("Page_vertex")), Esc(Tr("Page_distance")));
        for (int v = 1; v <= g.VertexCount; ++v)
            html += QStringLiteral("<tr><th>%1</th><td class=\"cell\" id=\"%2\"></td></tr>")
                        .arg(Esc(g.VertexName(v)), Cell(v, 1));
        break;
    case TableKind::Matrix: {
        const std::vector<int>& first = plan.matrices.front();
        const int n = g.VertexCount;
        html = head(Tr("Page_matrix"));
        html += QStringLiteral("<tr><th></th>");
        for (int j = 1; j <= n; ++j)
            html += QStringLiteral("<th>%1</th>").arg(Esc(g.VertexName(j)));
        html += QStringLiteral("</tr>");
        for (int i = 1; i <= n; ++i) {
            html += QStringLiteral("<tr><th>%1</th>").arg(Esc(g.VertexName(i)));
            for (int j = 1; j <= n; ++j)
                html += QStringLiteral("<td class=\"cell\" id=\"%1\">%2</td>")
                            .arg(Cell(i, j),
                                 DistanceText(first[std::size_t(i) * std::size_t(n + 1) + std::size_t(j)]));
            html += QStringLiteral("</tr>");
        }
        break;
    }
    case TableKind::Flows:
        html = head(Tr("Page_flows"));
        html +=
            QStringLiteral("<tr><th>%1</th><th>%2</th></tr>").arg(Esc(Tr("Page_arc")), Esc(Tr("Page_flow")));
        for (std::size_t k = 0; k < plan.flows.size(); ++k) {
            const auto [a, b] = plan.flows[k];
            html += QStringLiteral("<tr><th>%1 → %2</th><td class=\"cell\" id=\"%3\">%4</td></tr>")
                        .arg(Esc(g.VertexName(a)), Esc(g.VertexName(b)), Cell(int(k) + 1, 1),
                             FlowText(0, g.Arc(a, b).Weight));
        }
        break;
    case TableKind::Colours:
        html = head(Tr("Page_colours"));
        html += QStringLiteral("<tr><th>%1</th><th>%2</th></tr>")
                    .arg(Esc(Tr("Page_colour")), Esc(Tr("Page_vertices")));
        for (int c = 1; c <= plan.colours; ++c) {
            const auto fill = plan.fillOfColour.find(c);
            const QString swatch =
                fill == plan.fillOfColour.end()
                    ? QString()
                    : QStringLiteral("<span class=\"swatch\" style=\"background:%1\"></span>")
                          .arg(WebColour(fill->second));
            html += QStringLiteral("<tr><th>%1%2</th><td class=\"cell\" id=\"%3\"></td></tr>")
                        .arg(swatch)
                        .arg(c)
                        .arg(Cell(c, 1));
        }
        break;
    }
    return html + QStringLiteral("</table>");
}

} // namespace WalkthroughParts
