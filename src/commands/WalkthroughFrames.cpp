#include "commands/WalkthroughPageParts.h"

#include "algorithms/AlgorithmResult.h"
#include "document/GraphDocument.h"

#include <algorithm>
#include <cmath>

namespace WalkthroughParts {

namespace {

using Kind = StepTrace::ChangeKind;

class FrameWriter {
  public:
    FrameWriter(const GraphDocument& graf, const AlgorithmResult& run, PagePlan& pagePlan)
        : g(graf), result(run), trace(run.steps), plan(pagePlan),
          side(std::size_t(std::max(run.steps.VertexCount(), graf.VertexCount)) + 1),
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
            Close(StepTrace::Narration(narration, [this](int v) { return g.VertexName(v); }));
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
    bool Drawn(int v) const { return v >= 1 && v <= g.VertexCount; }

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
        if (!Drawn(a) || !Drawn(b) || !g.HasArc(a, b))
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
        for (int w = 1; w <= g.VertexCount; ++w)
            if (vertexColour[std::size_t(w)] == colour)
                names.append(g.VertexName(w));
        SetCell(colour, 1, names.join(QStringLiteral(", ")));
    }

    // The changes a frame's narration carries beyond its picture: a flow, a pass of the matrix.
    void Table(const StepTrace::Frame& narration)
    {
        if (plan.table == TableKind::Flows && narration.key == QLatin1String("step_flow_arc") &&
            narration.arguments.size() == 4) {
            const int a = narration.arguments[0].value, b = narration.arguments[1].value;
            if (!Drawn(a) || !Drawn(b) || !g.HasArc(a, b))
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

    const GraphDocument& g;
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

} // namespace

QJsonArray WriteFrames(const GraphDocument& g, const AlgorithmResult& result, PagePlan& plan,
                       const QStringList& answer)
{
    return FrameWriter(g, result, plan).Write(answer);
}

} // namespace WalkthroughParts
