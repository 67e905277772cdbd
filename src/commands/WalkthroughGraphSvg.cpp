#include "commands/WalkthroughPageParts.h"

#include "document/GraphDocument.h"

#include <algorithm>
#include <cmath>

namespace WalkthroughParts {

namespace {

// The arc as the program draws it: the parabola through tail, text point and head is the
// quadratic curve whose control point lies twice as far from the chord's middle as the text point.
QString ArcPath(const GraphDocument& g, int a, int b)
{
    const VertexRecord& tail = g.Vertices[a];
    const VertexRecord& head = g.Vertices[b];
    const ArcRecord& cell = g.Arc(a, b);
    const double cx = 2.0 * cell.X() - (tail.X + head.X) / 2.0;
    const double cy = 2.0 * cell.Y() - (tail.Y + head.Y) / 2.0;
    // The head end stops at the rim of the head vertex, where the arrowhead sits.
    double ex = head.X, ey = head.Y;
    const double dx = head.X - cx, dy = head.Y - cy;
    const double length = std::hypot(dx, dy);
    if (g.Directed && length > head.Size) {
        ex -= dx / length * head.Size;
        ey -= dy / length * head.Size;
    }
    return QStringLiteral("M%1 %2 Q%3 %4 %5 %6")
        .arg(tail.X)
        .arg(tail.Y)
        .arg(Number(cx), Number(cy), Number(ex), Number(ey));
}

// The arcs drawn: one per undirected edge, from its lower end.
std::vector<std::pair<int, int>> DrawnArcs(const GraphDocument& g)
{
    std::vector<std::pair<int, int>> arcs;
    for (int a = 1; a <= g.VertexCount; ++a)
        for (int b : g.OutArcs(a))
            if (!(IsEdge(g, a, b) && b < a))
                arcs.emplace_back(a, b);
    return arcs;
}

// A label's centre and its estimated extent.
struct Label {
    double x, y, w, h;
};

// Labels that overlap are pushed apart vertically, a little at a time, until none do or the
// rounds run out; crossing arcs then keep both their numbers readable.
void NudgeApart(std::vector<Label>& labels)
{
    if (labels.size() > 2000)
        return;
    for (int round = 0; round < 40; ++round) {
        bool moved = false;
        for (std::size_t i = 0; i < labels.size(); ++i)
            for (std::size_t j = i + 1; j < labels.size(); ++j) {
                Label& p = labels[i];
                Label& q = labels[j];
                const double overlapX = (p.w + q.w) / 2 - std::abs(p.x - q.x);
                const double overlapY = (p.h + q.h) / 2 - std::abs(p.y - q.y);
                if (overlapX <= 0 || overlapY <= 0)
                    continue;
                const double push = overlapY / 2 + 0.5;
                const double direction = p.y <= q.y ? -1 : 1;
                p.y += direction * push;
                q.y -= direction * push;
                moved = true;
            }
        if (!moved)
            break;
    }
}

} // namespace

QString GraphSvg(const GraphDocument& g, const WalkthroughTask& task, const PagePlan& plan,
                 const QString& label)
{
    const std::vector<std::pair<int, int>> arcs = DrawnArcs(g);
    const bool flows = plan.table == TableKind::Flows;

    // Room for every vertex with its caption above and to the right, and every arc's label,
    // plus a vertex and a caption of margin on every side.
    double left = 0, top = 0, right = 1, bottom = 1;
    int largest = 0;
    bool any = false;
    auto include = [&](double x0, double y0, double x1, double y1) {
        if (!any) {
            left = x0, top = y0, right = x1, bottom = y1;
            any = true;
            return;
        }
        left = std::min(left, x0);
        top = std::min(top, y0);
        right = std::max(right, x1);
        bottom = std::max(bottom, y1);
    };
    for (int v = 1; v <= g.VertexCount; ++v) {
        const VertexRecord& p = g.Vertices[v];
        largest = std::max(largest, p.Size);
        include(p.X - p.Size, p.Y - p.Size - 16, p.X + p.Size + 30, p.Y + p.Size);
    }
    std::vector<Label> labels;
    for (const auto& [a, b] : arcs) {
        const ArcRecord& cell = g.Arc(a, b);
        const QString text = flows ? FlowText(cell.Weight, cell.Weight) : QString::number(cell.Weight);
        labels.push_back({double(cell.X()), double(cell.Y()), 7.0 * text.size() + 4, 14});
        include(cell.X() - 10, cell.Y() - 10, cell.X() + 10, cell.Y() + 10);
    }
    if (g.Weighted)
        NudgeApart(labels);
    const double margin = largest + 18;
    const double x0 = std::floor(left - margin), y0 = std::floor(top - margin);
    const double width = std::ceil(right - left + 2 * margin), height = std::ceil(bottom - top + 2 * margin);

    QString svg = QStringLiteral("<svg id=\"graph\" xmlns=\"http://www.w3.org/2000/svg\" role=\"img\" "
                                 "aria-labelledby=\"graph-title\" viewBox=\"%1 %2 %3 %4\">"
                                 "<title id=\"graph-title\">%5</title>")
                      .arg(x0)
                      .arg(y0)
                      .arg(width)
                      .arg(height)
                      .arg(Esc(label));
    for (std::size_t k = 0; k < arcs.size(); ++k) {
        const auto [a, b] = arcs[k];
        svg += QStringLiteral("<path class=\"arc\" id=\"a%1\" d=\"%2\"%3/>")
                   .arg(ArcId(g, a, b), ArcPath(g, a, b),
                        g.Directed ? QStringLiteral(" marker-end=\"url(#head)\"") : QString());
    }
    // Labels over every arc, so that no line crosses a number.
    if (g.Weighted)
        for (std::size_t k = 0; k < arcs.size(); ++k) {
            const auto [a, b] = arcs[k];
            const int cost = g.Arc(a, b).Weight;
            svg += QStringLiteral("<text class=\"weight\" id=\"w%1\" x=\"%2\" y=\"%3\">%4</text>")
                       .arg(ArcId(g, a, b), Number(labels[k].x), Number(labels[k].y),
                            flows ? FlowText(0, cost) : QString::number(cost));
        }
    for (int v = 1; v <= g.VertexCount; ++v) {
        const VertexRecord& p = g.Vertices[v];
        QString marks;
        if (v == task.first)
            marks += QStringLiteral("<circle class=\"mark start\" cx=\"%1\" cy=\"%2\" r=\"%3\"/>")
                         .arg(p.X)
                         .arg(p.Y)
                         .arg(p.Size + 5);
        if (v == task.second)
            marks += QStringLiteral("<circle class=\"mark finish\" cx=\"%1\" cy=\"%2\" r=\"%3\"/>"
                                    "<circle class=\"mark finish\" cx=\"%1\" cy=\"%2\" r=\"%4\"/>")
                         .arg(p.X)
                         .arg(p.Y)
                         .arg(p.Size + 4)
                         .arg(p.Size + 8);
        svg += QStringLiteral("<g class=\"vertex\" id=\"v%1\">%2<circle class=\"body\" cx=\"%3\" cy=\"%4\" "
                              "r=\"%5\"/><text x=\"%3\" y=\"%4\">%6</text>"
                              "<text class=\"caption\" id=\"c%1\" x=\"%7\" y=\"%8\"></text></g>")
                   .arg(v)
                   .arg(marks)
                   .arg(p.X)
                   .arg(p.Y)
                   .arg(p.Size)
                   .arg(Esc(g.VertexName(v)))
                   .arg(p.X + p.Size + 2)
                   .arg(p.Y - p.Size);
    }
    svg += QStringLiteral("</svg>");
    return svg;
}

} // namespace WalkthroughParts
