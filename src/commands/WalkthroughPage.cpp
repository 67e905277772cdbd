#include "commands/WalkthroughPage.h"

#include "algorithms/AlgorithmResult.h"
#include "algorithms/RunAlgorithm.h"
#include "algorithms/ShortestPaths.h"
#include "base/TranslateManager.h"
#include "document/AllGrafUnit.h"
#include "report/HTMLReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace {

using Kind = StepTrace::ChangeKind;

QString Esc(const QString& text)
{
    return HTMLReportManager::Escape(text);
}

QString Number(double value)
{
    return QString::number(value, 'f', 1);
}

QString Tr(const char* key)
{
    return Translate(QLatin1String(key));
}

// The values a run keeps, shown in a table beside the drawing.
enum class TableKind { None, Distances, Matrix, Flows, Colours };

TableKind TableOf(const QString& name)
{
    if (name == QLatin1String("FindTraceDekctri") || name == QLatin1String("FindTraceFordBellama"))
        return TableKind::Distances;
    if (name == QLatin1String("FindTraceFloid"))
        return TableKind::Matrix;
    if (name == QLatin1String("FindStreamMax") || name == QLatin1String("FindStreamMaxSuper"))
        return TableKind::Flows;
    if (name == QLatin1String("FindColors") || name == QLatin1String("FindColorsAlternativ"))
        return TableKind::Colours;
    return TableKind::None;
}

// Beyond this the matrix no longer reads as a table beside a drawing.
constexpr int MaxMatrixSide = 40;

// An undirected edge is one element for both of its cells, named by its lower end.
bool IsEdge(const TAllGraf& g, int a, int b)
{
    return g.IsOrint == 0 && g.HasDuga(b, a);
}

QString ArcId(const TAllGraf& g, int a, int b)
{
    if (IsEdge(g, a, b) && b < a)
        std::swap(a, b);
    return QStringLiteral("%1_%2").arg(a).arg(b);
}

// The program's fill 0x00BBGGRR as a web colour, and the ink that reads on it.
QString WebColour(int fill)
{
    return QStringLiteral("#%1%2%3")
        .arg(fill & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((fill >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((fill >> 16) & 0xFF, 2, 16, QLatin1Char('0'));
}

QString InkOn(int fill)
{
    const double luminance =
        0.299 * (fill & 0xFF) + 0.587 * ((fill >> 8) & 0xFF) + 0.114 * ((fill >> 16) & 0xFF);
    return luminance < 140 ? QStringLiteral("#fff") : QStringLiteral("#000");
}

// The arc as the program draws it: the parabola through tail, text point and head is the
// quadratic curve whose control point lies twice as far from the chord's middle as the text point.
QString ArcPath(const TAllGraf& g, int a, int b)
{
    const TPointRec& tail = g.Points[a];
    const TPointRec& head = g.Points[b];
    const TDugaRec& cell = g.Dugi[a][b];
    const double cx = 2.0 * cell.X - (tail.X + head.X) / 2.0;
    const double cy = 2.0 * cell.Y - (tail.Y + head.Y) / 2.0;
    // The head end stops at the rim of the head vertex, where the arrowhead sits.
    double ex = head.X, ey = head.Y;
    const double dx = head.X - cx, dy = head.Y - cy;
    const double length = std::hypot(dx, dy);
    if (g.IsOrint == 2 && length > head.Size) {
        ex -= dx / length * head.Size;
        ey -= dy / length * head.Size;
    }
    return QStringLiteral("M%1 %2 Q%3 %4 %5 %6")
        .arg(tail.X)
        .arg(tail.Y)
        .arg(Number(cx), Number(cy), Number(ex), Number(ey));
}

// The arcs drawn: one per undirected edge, from its lower end.
std::vector<std::pair<int, int>> DrawnArcs(const TAllGraf& g)
{
    std::vector<std::pair<int, int>> arcs;
    for (int a = 1; a <= g.PointCount; ++a)
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

// What the frames need to know about the run before the drawing is written.
struct PagePlan {
    TableKind table = TableKind::None;
    std::set<int> vertexStates;
    std::set<int> arcStates;
    bool captions = false;
    int colours = 0;                        // the largest colour number given
    std::map<int, int> fillOfColour;        // colour number -> the program's fill
    std::vector<std::pair<int, int>> flows; // arcs in table order
    std::vector<std::vector<int>> matrices; // the distance matrix as filled and after each pass
};

QString Cell(int row, int column)
{
    return QStringLiteral("t%1_%2").arg(row).arg(column);
}

QString DistanceText(int value)
{
    return value >= TAllGraf::Infinity ? QStringLiteral("∞") : QString::number(value);
}

QString FlowText(int flow, int capacity)
{
    return QStringLiteral("%1/%2").arg(flow).arg(capacity);
}

QString GraphSvg(const TAllGraf& g, const WalkthroughTask& task, const PagePlan& plan, const QString& label)
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
    for (int v = 1; v <= g.PointCount; ++v) {
        const TPointRec& p = g.Points[v];
        largest = std::max(largest, p.Size);
        include(p.X - p.Size, p.Y - p.Size - 16, p.X + p.Size + 30, p.Y + p.Size);
    }
    std::vector<Label> labels;
    for (const auto& [a, b] : arcs) {
        const TDugaRec& cell = g.Dugi[a][b];
        const QString text = flows ? FlowText(cell.Cost, cell.Cost) : QString::number(cell.Cost);
        labels.push_back({double(cell.X), double(cell.Y), 7.0 * text.size() + 4, 14});
        include(cell.X - 10, cell.Y - 10, cell.X + 10, cell.Y + 10);
    }
    if (g.IsHaveCost)
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
                        g.IsOrint == 2 ? QStringLiteral(" marker-end=\"url(#head)\"") : QString());
    }
    // Labels over every arc, so that no line crosses a number.
    if (g.IsHaveCost)
        for (std::size_t k = 0; k < arcs.size(); ++k) {
            const auto [a, b] = arcs[k];
            const int cost = g.Dugi[a][b].Cost;
            svg += QStringLiteral("<text class=\"weight\" id=\"w%1\" x=\"%2\" y=\"%3\">%4</text>")
                       .arg(ArcId(g, a, b), Number(labels[k].x), Number(labels[k].y),
                            flows ? FlowText(0, cost) : QString::number(cost));
        }
    for (int v = 1; v <= g.PointCount; ++v) {
        const TPointRec& p = g.Points[v];
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
                   .arg(Esc(g.PointTitle(v)))
                   .arg(p.X + p.Size + 2)
                   .arg(p.Y - p.Size);
    }
    svg += QStringLiteral("</svg>");
    return svg;
}

// Each frame: its narration and its changes as [kind, a, b, value]: 0 a vertex state, 1 the
// state of the arc or edge a_b, 2 a vertex caption, 3 an arc's label, 4 a vertex fill ("fill
// ink"), 5 table cell (a, b).
class FrameWriter {
  public:
    FrameWriter(const TAllGraf& graf, const AlgorithmResult& run, PagePlan& pagePlan)
        : g(graf), result(run), trace(run.steps), plan(pagePlan),
          side(std::size_t(std::max(run.steps.VertexCount(), graf.PointCount)) + 1),
          cells(side * side, StepArcState::None), vertexColour(side, 0)
    {
    }

    QJsonArray Write(const QStringList& answer)
    {
        for (int i = 0; i < trace.FrameCount(); ++i) {
            for (const StepTrace::ChangeRecord& c : trace.ChangesOf(i))
                Apply(c);
            const StepTrace::Frame narration = trace.NarrationOf(i);
            Table(narration);
            Close(StepTrace::Narration(narration, [this](int v) { return g.PointTitle(v); }));
        }
        // A cut trace ends on the result itself, as the run presented it; a run that recorded
        // nothing still gets the frame of its answer.
        if (trace.Cut() || trace.FrameCount() == 0) {
            for (std::size_t k = 0; k < result.route.size(); ++k) {
                SetVertex(result.route[k], StepVertexState::Finished);
                if (k > 0)
                    SetArc(result.route[k - 1], result.route[k], StepArcState::Chosen);
            }
            Close(Tr("step_final_result") + QLatin1Char(' ') + answer.mid(0, 2).join(QLatin1Char(' ')));
        }
        return frames;
    }

  private:
    bool Drawn(int v) const { return v >= 1 && v <= g.PointCount; }

    void SetVertex(int v, StepVertexState state)
    {
        if (!Drawn(v))
            return;
        if (state != StepVertexState::None)
            plan.vertexStates.insert(int(state));
        changes.append(QJsonArray{0, v, 0, int(state)});
    }

    // The element shows the stronger state of its two cells when it is an undirected edge.
    void SetArc(int a, int b, StepArcState state)
    {
        cells[std::size_t(a) * side + std::size_t(b)] = state;
        if (!Drawn(a) || !Drawn(b) || !g.HasDuga(a, b))
            return;
        StepArcState shown = state;
        if (IsEdge(g, a, b)) {
            const StepArcState back = cells[std::size_t(b) * side + std::size_t(a)];
            if (StepArcStrength(back) > StepArcStrength(shown))
                shown = back;
        }
        if (shown != StepArcState::None)
            plan.arcStates.insert(int(shown));
        const int low = IsEdge(g, a, b) ? std::min(a, b) : a;
        const int high = IsEdge(g, a, b) ? std::max(a, b) : b;
        changes.append(QJsonArray{1, low, high, int(shown)});
    }

    void SetCaption(int v, const QString& text)
    {
        if (!Drawn(v))
            return;
        plan.captions = plan.captions || !text.isEmpty();
        changes.append(QJsonArray{2, v, 0, text});
    }

    void SetCell(int row, int column, const QString& text)
    {
        changes.append(QJsonArray{5, row, column, text});
    }

    void Apply(const StepTrace::ChangeRecord& c)
    {
        switch (c.kind) {
        case Kind::Vertex:
            SetVertex(c.a, StepVertexState(c.value));
            break;
        case Kind::Arc:
            SetArc(c.a, c.b, StepArcState(c.value));
            break;
        case Kind::CaptionNumber:
            SetCaption(c.a, QString::number(c.value));
            Recolour(c.a, c.value);
            if (plan.table == TableKind::Distances && Drawn(c.a))
                SetCell(c.a, 1, QString::number(c.value));
            break;
        case Kind::CaptionInfinity:
            SetCaption(c.a, QStringLiteral("∞"));
            if (plan.table == TableKind::Distances && Drawn(c.a))
                SetCell(c.a, 1, QStringLiteral("∞"));
            break;
        case Kind::CaptionText:
            SetCaption(c.a, trace.CaptionText(c.value));
            break;
        }
    }

    // A colouring gives each vertex its number once; the vertex takes the program's fill for
    // it and the table's row of that colour gains the vertex.
    void Recolour(int v, int colour)
    {
        if (plan.table != TableKind::Colours || !Drawn(v) || colour < 1 ||
            vertexColour[std::size_t(v)] == colour)
            return;
        vertexColour[std::size_t(v)] = colour;
        const auto fill = plan.fillOfColour.find(colour);
        if (fill != plan.fillOfColour.end())
            changes.append(
                QJsonArray{4, v, 0, WebColour(fill->second) + QLatin1Char(' ') + InkOn(fill->second)});
        QStringList names;
        for (int w = 1; w <= g.PointCount; ++w)
            if (vertexColour[std::size_t(w)] == colour)
                names.append(g.PointTitle(w));
        SetCell(colour, 1, names.join(QStringLiteral(", ")));
    }

    // The changes a frame's narration carries beyond its picture: a flow, a pass of the matrix.
    void Table(const StepTrace::Frame& narration)
    {
        if (plan.table == TableKind::Flows && narration.key == QLatin1String("step_flow_arc") &&
            narration.arguments.size() == 4) {
            const int a = narration.arguments[0].value, b = narration.arguments[1].value;
            if (!Drawn(a) || !Drawn(b) || !g.HasDuga(a, b))
                return;
            const QString text = FlowText(narration.arguments[2].value, narration.arguments[3].value);
            changes.append(QJsonArray{3, a, b, text});
            const auto row = std::find(plan.flows.begin(), plan.flows.end(), std::pair{a, b});
            if (row != plan.flows.end())
                SetCell(int(row - plan.flows.begin()) + 1, 1, text);
        }
        if (plan.table == TableKind::Matrix && !plan.matrices.empty() &&
            (narration.key == QLatin1String("step_floyd_start") ||
             narration.key == QLatin1String("step_floyd_through"))) {
            const std::size_t pass = std::min(passes++, plan.matrices.size() - 1);
            if (pass == 0)
                return;
            const std::vector<int>& before = plan.matrices[pass - 1];
            const std::vector<int>& after = plan.matrices[pass];
            const int n = int(std::lround(std::sqrt(double(after.size())))) - 1;
            for (int i = 1; i <= n; ++i)
                for (int j = 1; j <= n; ++j) {
                    const std::size_t k = std::size_t(i) * std::size_t(n + 1) + std::size_t(j);
                    if (before[k] != after[k])
                        SetCell(i, j, DistanceText(after[k]));
                }
        }
    }

    void Close(const QString& narration)
    {
        frames.append(QJsonArray{narration, changes});
        changes = QJsonArray();
    }

    const TAllGraf& g;
    const AlgorithmResult& result;
    const StepTrace& trace;
    PagePlan& plan;
    std::size_t side;
    std::vector<StepArcState> cells;
    std::vector<int> vertexColour;
    std::size_t passes = 0;
    QJsonArray changes;
    QJsonArray frames;
};

void PlanTable(const TAllGraf& g, const AlgorithmResult& result, const WalkthroughTask& task, PagePlan& plan)
{
    plan.table = TableOf(task.name);
    const StepTrace& trace = result.steps;
    switch (plan.table) {
    case TableKind::None:
    case TableKind::Distances:
        break;
    case TableKind::Matrix: {
        const int n = g.PointCount;
        if (n > MaxMatrixSide || trace.FrameCount() == 0) {
            plan.table = TableKind::None;
            break;
        }
        AllPairsDistances(g, n, nullptr, [&plan](const std::vector<int>& d) { plan.matrices.push_back(d); });
        break;
    }
    case TableKind::Flows:
        for (int a = 1; a <= g.PointCount; ++a)
            for (int b : g.OutArcs(a))
                plan.flows.emplace_back(a, b);
        break;
    case TableKind::Colours:
        // The colour numbers as the trace gives them, the fills as the result draws them.
        for (int i = 0; i < trace.FrameCount(); ++i)
            for (const StepTrace::ChangeRecord& c : trace.ChangesOf(i))
                if (c.kind == Kind::CaptionNumber && c.a >= 1 && c.a <= g.PointCount && c.value >= 1) {
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

QString TableHtml(const TAllGraf& g, const WalkthroughTask& task, const PagePlan& plan)
{
    QString html;
    auto head = [](const QString& caption) {
        return QStringLiteral("<table id=\"values\"><caption>%1</caption>").arg(Esc(caption));
    };
    switch (plan.table) {
    case TableKind::None:
        return QString();
    case TableKind::Distances:
        html = head(task.first >= 1 && task.first <= g.PointCount
                        ? Tr("Page_distances").arg(g.PointTitle(task.first))
                        : QString());
        html += QStringLiteral("<tr><th>%1</th><th>%2</th></tr>")
                    .arg(Esc(Tr("Page_vertex")), Esc(Tr("Page_distance")));
        for (int v = 1; v <= g.PointCount; ++v)
            html += QStringLiteral("<tr><th>%1</th><td class=\"cell\" id=\"%2\"></td></tr>")
                        .arg(Esc(g.PointTitle(v)), Cell(v, 1));
        break;
    case TableKind::Matrix: {
        const std::vector<int>& first = plan.matrices.front();
        const int n = g.PointCount;
        html = head(Tr("Page_matrix"));
        html += QStringLiteral("<tr><th></th>");
        for (int j = 1; j <= n; ++j)
            html += QStringLiteral("<th>%1</th>").arg(Esc(g.PointTitle(j)));
        html += QStringLiteral("</tr>");
        for (int i = 1; i <= n; ++i) {
            html += QStringLiteral("<tr><th>%1</th>").arg(Esc(g.PointTitle(i)));
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
                        .arg(Esc(g.PointTitle(a)), Esc(g.PointTitle(b)), Cell(int(k) + 1, 1),
                             FlowText(0, g.Dugi[a][b].Cost));
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

QString TaskLine(const TAllGraf& g, const WalkthroughTask& task)
{
    int arcs = 0;
    for (int a = 1; a <= g.PointCount; ++a)
        for (int b : g.OutArcs(a))
            arcs += IsEdge(g, a, b) && b < a ? 0 : 1;
    QString line = task.graphName.isEmpty()
                       ? Tr("Page_task_graph_unnamed").arg(g.PointCount).arg(arcs)
                       : Tr("Page_task_graph").arg(task.graphName).arg(g.PointCount).arg(arcs);
    const bool valid = task.first >= 1 && task.first <= g.PointCount;
    if (valid && task.second >= 1 && task.second <= g.PointCount)
        line += QStringLiteral(", ") +
                Tr("Page_task_from_to").arg(g.PointTitle(task.first), g.PointTitle(task.second));
    else if (valid)
        line += QStringLiteral(", ") + Tr("Page_task_vertex").arg(g.PointTitle(task.first));
    return line;
}

// A button's picture: drawn, so no font has to hold a media symbol.
QString Button(const char* id, const char* key, const char* path)
{
    const QString label = Esc(Tr(key));
    return QStringLiteral("<button id=\"%1\" type=\"button\" title=\"%2\"><svg viewBox=\"0 0 16 16\" "
                          "aria-hidden=\"true\" focusable=\"false\"><path d=\"%3\"/></svg>"
                          "<span class=\"sr\">%2</span></button>")
        .arg(QLatin1String(id), label, QLatin1String(path));
}

const char* PageScript = R"(
const frames = JSON.parse(document.getElementById('frames').textContent);
const text = JSON.parse(document.getElementById('texts').textContent);
const vertexClass = ['', 'current', 'visited', 'frontier', 'finished'];
const arcClass = ['', 'examined', 'chosen', 'rejected'];
const graph = document.getElementById('graph');
const slider = document.getElementById('slider');
const line = document.getElementById('narration');
const initial = new Map();
for (const e of document.querySelectorAll('#graph .weight, td.cell')) initial.set(e, e.textContent);
let shown = -1, timer = null;
slider.max = Math.max(frames.length - 1, 0);
function byId(id) { return document.getElementById(id); }
function arcElement(kind, a, b) { return byId(kind + a + '_' + b) || byId(kind + b + '_' + a); }
function reset() {
  for (const e of document.querySelectorAll('#graph .vertex')) {
    e.setAttribute('class', 'vertex');
    e.style.removeProperty('--fill');
    e.style.removeProperty('--ink');
  }
  for (const e of document.querySelectorAll('#graph .arc')) e.setAttribute('class', 'arc');
  for (const e of document.querySelectorAll('#graph .caption')) e.textContent = '';
  for (const [e, value] of initial) e.textContent = value;
  shown = -1;
}
function apply(frame, mark) {
  for (const [kind, a, b, value] of frame[1]) {
    if (kind === 0) {
      const e = byId('v' + a);
      if (e) e.setAttribute('class', 'vertex ' + vertexClass[value]);
    } else if (kind === 1) {
      const e = arcElement('a', a, b);
      if (e) e.setAttribute('class', 'arc ' + arcClass[value]);
    } else if (kind === 2) {
      const e = byId('c' + a);
      if (e) e.textContent = value;
    } else if (kind === 3) {
      const e = arcElement('w', a, b);
      if (e) e.textContent = value;
    } else if (kind === 4) {
      const e = byId('v' + a);
      const [fill, ink] = value.split(' ');
      if (e) { e.style.setProperty('--fill', fill); e.style.setProperty('--ink', ink); }
    } else {
      const e = byId('t' + a + '_' + b);
      if (e) { e.textContent = value; if (mark) e.classList.add('changed'); }
    }
  }
}
function show(i) {
  if (frames.length === 0) return;
  i = Math.max(0, Math.min(frames.length - 1, i));
  // The marks say what the frame shown changed, so they stay when it is shown again.
  if (i !== shown) {
    if (i < shown) reset();
    for (const e of document.querySelectorAll('td.changed')) e.classList.remove('changed');
    while (shown < i) { ++shown; apply(frames[shown], shown === i); }
  }
  slider.value = i;
  line.textContent = text.frame.replace('%1', i + 1).replace('%2', frames.length) + ' — ' + frames[i][0];
}
function play() {
  if (timer) { clearInterval(timer); timer = null; return; }
  if (shown >= frames.length - 1) show(0);
  timer = setInterval(() => {
    if (shown >= frames.length - 1) { clearInterval(timer); timer = null; return; }
    show(shown + 1);
  }, Number(byId('speed').value));
}
// Labels keep a readable size however small the drawing is shown.
function fit() {
  const box = graph.viewBox.baseVal, area = graph.getBoundingClientRect();
  if (!box || !box.width || !area.width) return;
  const scale = Math.min(area.width / box.width, area.height > 0 ? area.height / box.height : Infinity);
  graph.style.setProperty('--fs', Math.max(12, 11 / scale).toFixed(1) + 'px');
}
// The handout: every frame as a small copy of the drawing with its narration.
function handout() {
  const box = byId('handout');
  if (box.childElementCount > 0 || frames.length === 0) return;
  const keep = Math.max(shown, 0);
  for (let i = 0; i < frames.length; ++i) {
    show(i);
    const copy = graph.cloneNode(true);
    copy.removeAttribute('id');
    for (const e of copy.querySelectorAll('[id]')) e.removeAttribute('id');
    const panel = document.createElement('figure');
    panel.className = 'panel';
    const caption = document.createElement('figcaption');
    caption.textContent = text.panel.replace('%1', i + 1) + ' — ' + frames[i][0];
    panel.append(copy, caption);
    box.append(panel);
  }
  show(keep);
}
byId('first').onclick = () => show(0);
byId('back').onclick = () => show(shown - 1);
byId('play').onclick = play;
byId('forward').onclick = () => show(shown + 1);
byId('last').onclick = () => show(frames.length - 1);
slider.oninput = () => show(Number(slider.value));
document.addEventListener('keydown', (event) => {
  if (event.target instanceof HTMLSelectElement || event.target instanceof HTMLInputElement) return;
  const keys = {ArrowLeft: () => show(shown - 1), ArrowRight: () => show(shown + 1),
                Home: () => show(0), End: () => show(frames.length - 1), ' ': play};
  if (keys[event.key]) { keys[event.key](); event.preventDefault(); }
});
window.addEventListener('resize', fit);
window.addEventListener('beforeprint', handout);
fit();
if (frames.length <= 400) handout();
// "page.html#12" opens at frame 12, so a teacher can link to one step.
const asked = /^#(\d+)$/.exec(location.hash);
show(asked ? Number(asked[1]) - 1 : 0);
)";

const char* PageStyle = R"(
html, body { margin: 0; }
body { font-family: sans-serif; display: flex; flex-direction: column; height: 100vh; box-sizing: border-box;
       padding: 6px 10px; }
h1 { font-size: 1.15rem; margin: 0; }
h2 { font-size: 1rem; margin: .4em 0 .2em; }
#task { margin: 2px 0 6px; }
#stage { flex: 1 1 auto; min-height: 0; display: flex; gap: 10px; }
#drawing { flex: 1 1 auto; min-width: 0; min-height: 0; margin: 0; border: 1px solid #ccc; }
#graph { display: block; width: 100%; height: 100%; }
#side { flex: 0 1 22rem; min-width: 14rem; overflow: auto; font-size: .9rem; }
#side.wide { flex-basis: auto; max-width: 55%; }
#side.wide table { font-size: .75rem; }
#side.wide th, #side.wide td { padding: 1px 3px; }
#answer pre { white-space: pre-wrap; margin: 0; padding: 4px 6px; border: 2px solid #0072B2; background: #f3f8fc;
              font-size: .85rem; max-height: 12em; overflow: auto; }
#legend ul { list-style: none; margin: 0; padding: 0; }
#legend li { display: flex; align-items: center; gap: 6px; margin: 2px 0; }
svg.key { width: 44px; height: 24px; flex: none; }
table { border-collapse: collapse; font-size: .85rem; }
caption { font-weight: bold; text-align: left; padding: 2px 0; white-space: nowrap; }
th, td { border: 1px solid #bbb; padding: 1px 5px; text-align: right; }
th { background: #f4f4f4; }
.changed { background: #ffe08a; font-weight: bold; outline: 2px solid #D55E00; }
.sample { padding: 0 4px; }
.swatch { display: inline-block; width: .9em; height: .9em; border: 1px solid #000; margin-right: 4px;
          vertical-align: middle; }
footer { flex: none; }
#narration { margin: 6px 0 4px; min-height: 2.5em; }
#bar { display: flex; flex-wrap: wrap; align-items: center; gap: 4px 6px; }
#bar button { width: 2.6em; height: 2.2em; display: inline-flex; align-items: center; justify-content: center; }
#bar button svg { width: 16px; height: 16px; fill: currentColor; }
#slider { flex: 1 1 10em; min-width: 8em; }
.sr { position: absolute; width: 1px; height: 1px; overflow: hidden; clip: rect(0 0 0 0); white-space: nowrap; }
.arc { fill: none; stroke: #444; stroke-width: 2; }
.arc.examined { stroke: #E69F00; stroke-width: 3; stroke-dasharray: 8 4; }
.arc.chosen { stroke: #0072B2; stroke-width: 4; }
.arc.rejected { stroke: #999; stroke-width: 1.5; stroke-dasharray: 2 4; }
.weight { font-size: var(--fs, 12px); fill: #222; text-anchor: middle; dominant-baseline: central;
          paint-order: stroke; stroke: #fff; stroke-width: 3px; }
.mark { fill: none; stroke: #000; stroke-width: 2; }
.vertex circle.body, circle.plain { fill: var(--fill, #fff); stroke: #000; stroke-width: 1; }
.vertex text { font-size: min(var(--fs, 12px), 18px); text-anchor: middle; dominant-baseline: central;
               fill: var(--ink, #00f); }
.vertex.current circle.body { fill: var(--fill, #D55E00); stroke-width: 4; }
.vertex.visited circle.body { fill: var(--fill, #56B4E9); stroke-width: 2; stroke-dasharray: 2 2; }
.vertex.frontier circle.body { fill: var(--fill, #E69F00); stroke-width: 2; stroke-dasharray: 5 3; }
.vertex.finished circle.body { fill: var(--fill, #009E73); stroke-width: 3; }
.vertex.current text, .vertex.finished text { fill: var(--ink, #fff); }
.vertex text.caption, text.caption { font-size: var(--fs, 12px); fill: #000; font-weight: bold; text-anchor: start;
                                     dominant-baseline: auto; paint-order: stroke; stroke: #fff; stroke-width: 3px; }
#handout { display: none; }
@media (max-width: 700px) {
  body { height: auto; min-height: 100vh; }
  #stage { flex-direction: column; }
  #drawing { flex: none; }
  #graph { height: auto; }
  #side, #side.wide { flex: none; max-width: none; min-width: 0; }
  footer { position: sticky; bottom: 0; background: #fff; border-top: 1px solid #ccc; padding-bottom: 4px; }
}
@media print {
  body { display: block; height: auto; padding: 0; }
  #drawing, #values, footer { display: none; }
  #stage, #side { display: block; overflow: visible; max-width: none; }
  #answer pre { max-height: none; }
  #handout { display: grid; grid-template-columns: repeat(3, 1fr); gap: 3mm; margin-top: 3mm; }
  .panel { margin: 0; padding: 1mm; border: 1px solid #999; break-inside: avoid; }
  .panel svg { display: block; width: 100%; height: auto; }
  .panel figcaption { font-size: 8pt; }
}
)";

} // namespace

QString WalkthroughTitle(const QString& name)
{
    const AlgorithmInfo* info = FindAlgorithm(name);
    if (!info || !info->captionKey)
        return name;
    QString title = TranslatePlain(QLatin1String(info->captionKey));
    // The Euler and Hamilton rows share their captions; their menu says which walk is meant.
    if (info->menu == AlgorithmMenu::Euler)
        title = TranslatePlain(QStringLiteral("ElerTrace")) + QStringLiteral(": ") + title;
    else if (info->menu == AlgorithmMenu::Hamilton)
        title = TranslatePlain(QStringLiteral("GameltonTrace")) + QStringLiteral(": ") + title;
    return title;
}

namespace {

// A network's one source and one sink are the ends of its task, marked like a path's.
WalkthroughTask WithNetworkEnds(const TAllGraf& g, WalkthroughTask task)
{
    if (TableOf(task.name) != TableKind::Flows || task.first != 0 || task.second != 0)
        return task;
    std::vector<int> into(std::size_t(g.PointCount) + 1, 0);
    for (int a = 1; a <= g.PointCount; ++a)
        for (int b : g.OutArcs(a))
            ++into[std::size_t(b)];
    int sources = 0, sinks = 0, source = 0, sink = 0;
    for (int v = 1; v <= g.PointCount; ++v) {
        if (into[std::size_t(v)] == 0 && g.DugaCount[v] > 0)
            ++sources, source = v;
        if (into[std::size_t(v)] > 0 && g.DugaCount[v] == 0)
            ++sinks, sink = v;
    }
    if (sources == 1 && sinks == 1) {
        task.first = source;
        task.second = sink;
    }
    return task;
}

} // namespace

QByteArray WalkthroughPage(const TAllGraf& g, const AlgorithmResult& result, const WalkthroughTask& asked)
{
    const WalkthroughTask task = WithNetworkEnds(g, asked);
    QStringList answer = result.PaneLines();
    if (answer.isEmpty())
        answer = result.Messages();
    if (answer.isEmpty())
        answer = task.messages;

    PagePlan plan;
    PlanTable(g, result, task, plan);
    FrameWriter writer(g, result, plan);
    const QJsonArray frames = writer.Write(answer);

    QJsonObject texts;
    texts.insert(QStringLiteral("frame"), Tr("Playback_frame"));
    texts.insert(QStringLiteral("panel"), Tr("Page_frame_panel"));
    const QString title = task.title.isEmpty() ? task.name : task.title;
    const QString taskLine = TaskLine(g, task);
    QString page = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
                                  "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
                                  "<title>%1</title><style>%2</style></head><body>")
                       .arg(Esc(title), QLatin1String(PageStyle));
    // The arrowhead lives outside the drawing so that the handout's copies can use it; it keeps
    // one size whatever the width of the line it ends.
    page += QStringLiteral(
        "<svg width=\"0\" height=\"0\" style=\"position:absolute\" aria-hidden=\"true\"><defs>"
        "<marker id=\"head\" viewBox=\"0 0 10 10\" refX=\"10\" refY=\"5\" markerUnits=\"userSpaceOnUse\" "
        "markerWidth=\"12\" markerHeight=\"12\" orient=\"auto-start-reverse\"><path d=\"M0 0 L10 5 L0 10 z\" "
        "fill=\"#333\"/></marker></defs></svg>");
    page += QStringLiteral("<header><h1>%1</h1><p id=\"task\"><b>%2:</b> %3</p></header>")
                .arg(Esc(title), Esc(Tr("Page_task")), Esc(taskLine));
    const QString table = TableHtml(g, task, plan);
    page += QStringLiteral("<main id=\"stage\"><figure id=\"drawing\">") +
            GraphSvg(g, task, plan, title + QStringLiteral(" — ") + taskLine) + QStringLiteral("</figure>");
    page += QStringLiteral("<aside id=\"side\"%1>%2")
                .arg(plan.table == TableKind::Matrix ? QStringLiteral(" class=\"wide\"") : QString(), table);
    page += LegendHtml(task, plan);
    page += QStringLiteral("<section id=\"answer\"><h2>%1</h2><pre>%2</pre></section></aside></main>")
                .arg(Esc(Tr("Page_answer")), Esc(answer.join(QLatin1Char('\n'))));
    page += QStringLiteral(
        "<footer><div id=\"narration\" role=\"status\" aria-live=\"polite\"></div><div id=\"bar\">");
    page += Button("first", "Playback_first", "M2 2h2v12H2zM14 2v12L5 8z");
    page += Button("back", "Playback_back", "M12 2v12L3 8z");
    page += Button("play", "Playback_play", "M1 2v12l7-6zM10 2h2v12h-2zM13.5 2h2v12h-2z");
    page += Button("forward", "Playback_forward", "M4 2v12l9-6z");
    page += Button("last", "Playback_last", "M12 2h2v12h-2zM2 2v12l9-6z");
    page += QStringLiteral("<input id=\"slider\" type=\"range\" min=\"0\" value=\"0\" aria-label=\"%1\">"
                           "<label>%2 <select id=\"speed\"><option value=\"1500\">0.5×</option>"
                           "<option value=\"800\" selected>1×</option><option value=\"400\">2×</option>"
                           "<option value=\"150\">5×</option></select></label></div></footer>")
                .arg(Esc(Tr("Playback_frame").arg(QStringLiteral("…"), QString::number(frames.size()))),
                     Esc(Tr("Playback_speed")));
    page += QStringLiteral("<section id=\"handout\"></section>");
    // JSON inside a script element: "<" and ">" could open a comment or a tag that swallows the
    // rest of the page, "&" starts nothing today but costs nothing to hide, and the line and
    // paragraph separators end a line in older script engines. They only ever stand inside
    // JSON strings, where their escapes mean the same.
    auto scriptJson = [](const QJsonDocument& json) {
        QString text = QString::fromUtf8(json.toJson(QJsonDocument::Compact));
        for (const char16_t c : {u'<', u'>', u'&', u'\u2028', u'\u2029'})
            text.replace(QChar(c), QStringLiteral("\\u%1").arg(int(c), 4, 16, QLatin1Char('0')));
        return text;
    };
    page += QStringLiteral("<script id=\"frames\" type=\"application/json\">") +
            scriptJson(QJsonDocument(frames)) + QStringLiteral("</script>");
    page += QStringLiteral("<script id=\"texts\" type=\"application/json\">") +
            scriptJson(QJsonDocument(texts)) + QStringLiteral("</script>");
    page += QStringLiteral("<script>") + QString::fromUtf8(PageScript) +
            QStringLiteral("</script></body></html>\n");
    return page.toUtf8();
}
