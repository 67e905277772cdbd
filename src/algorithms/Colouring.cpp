#include "algorithms/Colouring.h"

#include "algorithms/ChromaticNumber.h"
#include "base/TranslationManager.h"
#include "document/GraphDocument.h"
#include "drawing/Colors.h"
#include "report/HTMLReport.h"

#include <QColor>
#include <QDateTime>
#include <QRandomGenerator>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

using Arg = StepTrace::Argument;
using VertexState = StepTrace::VertexState;

// The state of one colouring run: colours, the steps text, the trace.
class Colouring {
  public:
    Colouring(const GraphDocument& graf, bool recordSteps) : g(graf), n(graf.VertexCount)
    {
        colour.fill(0);
        // Read many times while the order is sorted.
        for (int v = 1; v <= n; ++v)
            degree[std::size_t(v)] = g.OutCount(v);
        if (recordSteps)
            result.steps.Start(n);
        steps = HTMLReportManager::Escape(Translate(QStringLiteral("solve_step"))) + QStringLiteral("<br>");
        pointText = HTMLReportManager::Escape(Translate(QStringLiteral("Point__")));
        setColourText = HTMLReportManager::Escape(Translate(QStringLiteral("set_color")));
    }

    int Degree(int v) const { return degree[std::size_t(v)]; }
    bool Coloured(int v) const { return colour[v] > 0; }
    StepTrace& Trace() { return result.steps; }

    // Colours v with c and records the step; the narration's third argument, when it is not
    // negative, is a degree or a count of neighbours.
    void Give(int v, int c, const char* key, int third, const QString& forbidden = QString())
    {
        colour[v] = c;
        maxColour = std::max(maxColour, c);
        steps += pointText + HTMLReportManager::Escape(g.VertexName(v)) + setColourText + QString::number(c) +
                 QStringLiteral(";<br>");
        StepTrace& trace = result.steps;
        if (!trace.Enabled())
            return;
        SettleLast();
        trace.SetVertex(v, VertexState::Current);
        trace.SetCaptionText(v, forbidden.isEmpty() ? QString::number(c)
                                                    : QStringLiteral("≠") + forbidden +
                                                          QStringLiteral(" → ") + QString::number(c));
        if (third >= 0)
            trace.Step(key, {Arg::Vertex(v), Arg::Number(c), Arg::Number(third)});
        else
            trace.Step(key, {Arg::Vertex(v), Arg::Number(c)});
        last = v;
        lastState = VertexState::Finished;
    }

    // The smallest colour none of v's coloured neighbours has.
    void Choose(int v)
    {
        std::array<bool, GraphDocument::MaxVertices + 2> used{};
        int colouredNeighbours = 0;
        for (int w : g.OutArcs(v))
            if (colour[w] > 0) {
                used[std::size_t(colour[w])] = true;
                ++colouredNeighbours;
            }
        int c = 1;
        while (used[std::size_t(c)])
            ++c;
        // The forbidden colours for the caption, runs of three or more written as ranges, so
        // that a dense graph's caption stays short: "1–4,7".
        QString forbidden;
        if (result.steps.Enabled())
            for (int k = 1; k <= maxColour; ++k) {
                if (!used[std::size_t(k)])
                    continue;
                int end = k;
                while (end < maxColour && used[std::size_t(end + 1)])
                    ++end;
                if (!forbidden.isEmpty())
                    forbidden += QLatin1Char(',');
                forbidden += QString::number(k);
                if (end - k >= 2)
                    forbidden += QStringLiteral("–") + QString::number(end);
                else if (end > k)
                    forbidden += QLatin1Char(',') + QString::number(end);
                k = end;
            }
        Give(v, c, "step_colour_vertex", colouredNeighbours, forbidden);
    }

    // The vertex coloured in the previous frame keeps its number as caption and the state the
    // caller gave it.
    void SettleLast()
    {
        if (last == 0)
            return;
        result.steps.SetCaptionNumber(last, colour[last]);
        result.steps.SetVertex(last, lastState);
        last = 0;
    }
    void SetLastState(VertexState state) { lastState = state; }

    AlgorithmResult Finish(QRandomGenerator* random)
    {
        if (result.steps.Enabled()) {
            SettleLast();
            result.steps.Step("step_colour_done", {Arg::Number(maxColour)});
        }
        // The greedy count is only a bound: the verdict says so, and the search says what it can.
        result.Clear();
        result.Heading(Translate(QStringLiteral("Greedy_colours_used")).arg(maxColour));
        const ChromaticBounds bounds =
            FindChromaticBounds(g, std::vector<int>(colour.begin(), colour.begin() + n + 1));
        if (bounds.exact()) {
            result.Line(Translate(QStringLiteral("Hrom_number")) + QString::number(bounds.upper) +
                        QLatin1Char('.'));
            if (bounds.upper < maxColour) {
                QStringList fewer;
                for (int v = 1; v <= n; ++v)
                    fewer.append(g.VertexName(v) + QStringLiteral(" \u2192 ") +
                                 QString::number(bounds.colouring[std::size_t(v)]));
                result.Line(Translate(QStringLiteral("Optimal_colouring")).arg(bounds.upper) +
                            fewer.join(QStringLiteral(", ")));
            }
        } else {
            result.Line(Translate(QStringLiteral("Hrom_number_between")).arg(bounds.lower).arg(bounds.upper));
        }
        result.resultValue = bounds.exact() ? bounds.upper : 0;
        result.ReportRaw(steps + QStringLiteral("<br>"));
        result.ShowReport();

        QRandomGenerator clockSeeded{quint32(QDateTime::currentMSecsSinceEpoch())};
        const std::vector<int> palette =
            ColourPalette(maxColour, random ? *random : clockSeeded, g.Style().NormalVertex.TextColor);
        result.drawsPicture = true;
        result.picture.vertexFills.assign(std::size_t(n) + 1, -1);
        for (int v = 1; v <= n; ++v)
            if (colour[v] > 0)
                result.picture.vertexFills[std::size_t(v)] = palette[std::size_t(colour[v])];
        return std::move(result);
    }

  private:
    const GraphDocument& g;
    const int n;
    GraphDocument::VertexArray<int> colour;
    GraphDocument::VertexArray<int> degree{};
    int maxColour = 1;
    QString steps;
    QString pointText;
    QString setColourText;
    AlgorithmResult result;
    int last = 0;
    VertexState lastState = VertexState::Finished;
};

} // namespace

std::vector<int> ColourPalette(int count, QRandomGenerator& random, int textColor)
{
    // The fifth is purple, not white: a white fill looks like a vertex left uncoloured.
    static constexpr std::array<int, 6> fixed = {255, 32768, 16711680, 65535, 0x800080, 0};
    std::vector<int> palette(std::size_t(std::max(count, 0)) + 1, 0);
    for (int k = 1; k <= std::min(count, int(fixed.size())); ++k)
        palette[std::size_t(k)] = fixed[std::size_t(k - 1)];
    const int needed = count - int(fixed.size());
    if (needed <= 0)
        return palette;

    // Random readable candidates: light fills under dark text, dark fills under light text, each
    // pushed lighter (darker) until the text stands out on it.
    const double textLuminance = Luminance(ColorFromInt(textColor));
    const bool light = textLuminance < 0.3;
    std::vector<QColor> pool(std::size_t(needed + 48));
    for (QColor& candidate : pool) {
        const double hue = random.generateDouble();
        const double saturation = 0.45 + 0.55 * random.generateDouble();
        double lightness =
            light ? 0.45 + 0.4 * random.generateDouble() : 0.15 + 0.3 * random.generateDouble();
        for (;;) {
            // Measured as it will be stored, 8 bits a channel.
            candidate = ColorFromInt(
                ColorToInt(QColor::fromHslF(float(hue), float(saturation), float(lightness)).toRgb()));
            if (Contrast(Luminance(candidate), textLuminance) >= 3.0 || lightness <= 0.02 ||
                lightness >= 0.98)
                break;
            lightness += light ? 0.03 : -0.03;
        }
    }
    // Farthest first: each colour is the candidate farthest from every colour already taken.
    struct Rgb {
        int r, g, b;
    };
    const auto rgbOf = [](const QColor& c) { return Rgb{c.red(), c.green(), c.blue()}; };
    const auto distance = [](const Rgb& a, const Rgb& b) {
        // The "redmean" weighting, in integers: cheap and close enough to how far apart colours
        // look.
        const int mean = (a.r + b.r) / 2;
        const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
        return (((512 + mean) * dr * dr) >> 8) + 4 * dg * dg + (((767 - mean) * db * db) >> 8);
    };
    std::vector<Rgb> candidates;
    candidates.reserve(pool.size());
    for (const QColor& candidate : pool)
        candidates.push_back(rgbOf(candidate));
    std::vector<int> nearest(pool.size(), std::numeric_limits<int>::max());
    // Kept apart from the first six and from white, the fill of an uncoloured vertex.
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        for (int colour : fixed)
            nearest[i] = std::min(nearest[i], distance(candidates[i], rgbOf(ColorFromInt(colour))));
        nearest[i] = std::min(nearest[i], distance(candidates[i], Rgb{255, 255, 255}));
    }
    // Beyond some sixty colours no choice keeps them apart by eye; the rest of the pool follows
    // in the order drawn, which keeps the whole palette linear in its size.
    constexpr int spread = 64;
    int k = int(fixed.size()) + 1;
    for (; k <= std::min(count, spread); ++k) {
        const std::size_t pick =
            std::size_t(std::max_element(nearest.begin(), nearest.end()) - nearest.begin());
        palette[std::size_t(k)] = ColorToInt(pool[pick]);
        nearest[pick] = -1;
        for (std::size_t i = 0; i < candidates.size(); ++i)
            if (nearest[i] >= 0)
                nearest[i] = std::min(nearest[i], distance(candidates[i], candidates[pick]));
    }
    for (std::size_t i = 0; k <= count && i < pool.size(); ++i)
        if (nearest[i] >= 0)
            palette[std::size_t(k++)] = ColorToInt(pool[i]);
    return palette;
}

AlgorithmResult ColourByDegree(const GraphDocument& g, bool recordSteps, QRandomGenerator* random)
{
    Colouring run(g, recordSteps);
    const int n = g.VertexCount;
    if (n < 1)
        return run.Finish(random);
    std::vector<int> order(std::size_t(n) + 1);
    for (int i = 1; i <= n; ++i)
        order[std::size_t(i)] = i;
    for (int i = 1; i < n; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (run.Degree(order[std::size_t(i)]) < run.Degree(order[std::size_t(j)]))
                std::swap(order[std::size_t(i)], order[std::size_t(j)]);

    const int first = order[1];
    run.Give(first, 1, "step_colour_first", run.Degree(first));
    for (int i = 2; i <= n; ++i)
        run.Choose(order[std::size_t(i)]);
    return run.Finish(random);
}

AlgorithmResult ColourBreadthFirst(const GraphDocument& g, bool recordSteps, QRandomGenerator* random)
{
    Colouring run(g, recordSteps);
    const int n = g.VertexCount;
    if (n < 1)
        return run.Finish(random);
    StepTrace& trace = run.Trace();

    int start = 1;
    for (int v = 2; v <= n; ++v)
        if (run.Degree(v) > run.Degree(start))
            start = v;
    run.Give(start, 1, "step_colour_start", run.Degree(start));
    run.SetLastState(VertexState::Frontier);

    // Every vertex enters the queue when it is coloured, and a root of a further component once
    // more before: 2n places are enough.
    std::vector<int> queue;
    queue.reserve(std::size_t(2 * n));
    queue.push_back(start);
    for (std::size_t head = 0;;) {
        if (head == queue.size()) {
            int root = 0;
            for (int v = 1; v <= n && root == 0; ++v)
                if (!run.Coloured(v))
                    root = v;
            if (root == 0)
                break;
            queue.push_back(root);
            if (trace.Enabled()) {
                run.SettleLast();
                trace.Step("step_colour_component", {Arg::Vertex(root)});
            }
        }
        const int w = queue[head++];
        if (trace.Enabled()) {
            run.SettleLast();
            trace.SetVertex(w, VertexState::Visited);
            trace.Step("step_colour_take", {Arg::Vertex(w)});
        }
        for (int u : g.OutArcs(w))
            if (!run.Coloured(u)) {
                run.Choose(u);
                run.SetLastState(VertexState::Frontier);
                queue.push_back(u);
            }
        if (run.Degree(w) == 0)
            run.Give(w, 1, "step_colour_isolated", -1);
        if (trace.Enabled()) {
            run.SettleLast();
            trace.SetVertex(w, run.Coloured(w) ? VertexState::Finished : VertexState::None);
        }
    }
    return run.Finish(random);
}
