#include "algorithms/PathSearches.h"

#include "base/TranslationManager.h"
#include "document/GraphDocument.h"

#include <algorithm>
#include <limits>

namespace {

using Arg = StepTrace::Argument;
using VertexState = StepTrace::VertexState;
using ArcState = StepTrace::ArcState;

bool EndsExist(int start, int finish, int vertexCount)
{
    return start >= 1 && finish >= 1 && start <= vertexCount && finish <= vertexCount;
}

// "Вершина <finish> " and what follows it.
QString VerdictStart(const GraphDocument& g, int finish)
{
    return Translate(QStringLiteral("Graf__")) + g.VertexName(finish) + QLatin1Char(' ');
}

// Whether the finish can still be reached from a vertex through vertices off the path. A
// vertex found unable to stays unable for good, since the path only grows while the search
// goes forward, so each vertex's arcs are scanned in a failed search at most once.
class FinishReach {
  public:
    FinishReach(const GraphDocument& g, int vertexCount, int finish)
        : g(g), vertexCount(vertexCount), finish(finish), mark(std::size_t(vertexCount) + 1, 0)
    {
        queue.reserve(std::size_t(vertexCount));
    }

    bool Dead(int v) const { return mark[std::size_t(v)] == DeadMark; }

    bool From(int v, const std::vector<quint8>& onPath)
    {
        if (v == finish)
            return true;
        const int now = ++stamp;
        queue.clear();
        queue.push_back(v);
        // Plain pointers and copies: the stores into the marks then leave every other value in
        // registers.
        int* const marks = mark.data();
        const quint8* const onThePath = onPath.data();
        const int limit = vertexCount, target = finish;
        marks[v] = now;
        for (std::size_t head = 0; head < queue.size(); ++head)
            for (const int w : g.OutArcs(queue[head])) {
                // One comparison for both: reached in this search, or dead.
                if (w > limit || onThePath[w] || marks[w] >= now)
                    continue;
                if (w == target)
                    return true;
                marks[w] = now;
                queue.push_back(w);
            }
        for (int w : queue)
            mark[std::size_t(w)] = DeadMark;
        return false;
    }

  private:
    const GraphDocument& g;
    int vertexCount;
    int finish;
    // Per vertex: the number of the last search that reached it, or DeadMark once a search
    // from it failed (it never reaches the finish while the path only grows).
    static constexpr int DeadMark = std::numeric_limits<int>::max();
    std::vector<int> mark;
    int stamp = 0;
    std::vector<int> queue;
};

} // namespace

AlgorithmResult WaveFrontPath(const GraphDocument& g, int start, int finish, int vertexCount,
                              bool recordSteps)
{
    AlgorithmResult result;
    result.resultCount = -1;
    const int n = std::clamp(vertexCount, 0, g.VertexCount);
    if (!EndsExist(start, finish, n))
        return result;
    StepTrace& steps = result.steps;
    if (recordSteps) {
        steps.Start(n);
        steps.SetVertex(start, VertexState::Current);
        steps.SetCaptionNumber(start, 1);
        steps.Step("step_wave_start", {Arg::Vertex(start)});
    }

    GraphDocument::VertexArray<int> wave{};
    GraphDocument::VertexArray<int> predecessor{};
    wave[start] = 1;
    int w = 1;
    // The start is its own one-vertex route.
    bool found = start == finish;
    // The vertices of the current wave in increasing order: the order a scan of all vertices
    // for the wave's number meets them.
    std::vector<int> current{start};
    std::vector<int> next;
    while (!found && w <= n && !current.empty()) {
        next.clear();
        for (int u : current) {
            for (int e : g.OutArcs(u)) {
                if (e > n || wave[e] != 0)
                    continue;
                predecessor[e] = u;
                wave[e] = w + 1;
                next.push_back(e);
                if (e == finish) {
                    found = true;
                    break;
                }
            }
        }
        ++w;
        std::sort(next.begin(), next.end());
        if (steps.Enabled()) {
            for (int u : current)
                steps.SetVertex(u, VertexState::Visited);
            for (int e : next) {
                steps.SetVertex(e, VertexState::Frontier);
                steps.SetCaptionNumber(e, w);
                steps.SetArc(predecessor[e], e, ArcState::Examined);
            }
            steps.Step("step_wave", {Arg::Number(w), Arg::Number(int(next.size()))});
        }
        current.swap(next);
    }

    result.Clear();
    result.Heading(Translate(QStringLiteral("Wave_algol")));
    if (!found) {
        result.Line(VerdictStart(g, finish) + Translate(QStringLiteral("Not_reach")) + g.VertexName(start) +
                    QLatin1Char('.'));
        result.ShowReport();
        steps.Step("step_path_unreached", {Arg::Vertex(finish), Arg::Vertex(start)});
        return result;
    }
    std::vector<int> route(std::size_t(wave[finish]), 0);
    for (int k = wave[finish] - 1, v = finish; k >= 0; --k, v = predecessor[v])
        route[std::size_t(k)] = v;
    result.Line(VerdictStart(g, finish) + Translate(QStringLiteral("reach")) + g.VertexName(start) +
                Translate(QStringLiteral("_over_")) + QString::number(route.size()) +
                Translate(QStringLiteral("_Graf")) + QLatin1Char('.'));
    result.ShowReport();
    if (steps.Enabled()) {
        for (std::size_t k = 1; k < route.size(); ++k)
            steps.SetArc(route[k - 1], route[k], ArcState::Chosen);
        steps.Step("step_wave_found", {Arg::Vertex(finish), Arg::Number(int(route.size()))});
    }
    result.SetRoute(std::move(route));
    return result;
}

AlgorithmResult TarryPath(const GraphDocument& g, int start, int finish, int vertexCount, bool recordSteps)
{
    AlgorithmResult result;
    result.resultCount = -1;
    const int n = std::clamp(vertexCount, 0, g.VertexCount);
    if (!EndsExist(start, finish, n))
        return result;
    StepTrace& steps = result.steps;
    if (recordSteps) {
        steps.Start(n);
        steps.SetVertex(start, VertexState::Current);
        steps.Step("step_tarry_start", {Arg::Vertex(start)});
    }

    // The walk goes forward only: every branch it enters leads to the finish (a vertex next to
    // one that can reach the finish off the path can too), and the ones it passes over are
    // exactly those the full search would have entered and left without finding it.
    std::vector<quint8> onPath(std::size_t(n) + 1, 0);
    std::vector<int> path{start};
    onPath[std::size_t(start)] = 1;
    FinishReach reach(g, n, finish);
    for (int a = start; a != finish;) {
        int next = 0;
        for (int e : g.OutArcs(a)) {
            if (e > n || onPath[std::size_t(e)])
                continue;
            if (!reach.Dead(e) && reach.From(e, onPath)) {
                next = e;
                break;
            }
            if (steps.Enabled()) {
                steps.SetArc(a, e, ArcState::Rejected);
                steps.Step("step_tarry_cut", {Arg::Vertex(a), Arg::Vertex(e), Arg::Vertex(finish)});
            }
        }
        if (next == 0)
            break; // only at the start: the finish cannot be reached at all
        if (steps.Enabled()) {
            steps.SetVertex(a, VertexState::Visited);
            steps.SetArc(a, next, ArcState::Chosen);
            steps.SetVertex(next, VertexState::Current);
            steps.Step("step_tarry_forward", {Arg::Vertex(a), Arg::Vertex(next)});
        }
        onPath[std::size_t(next)] = 1;
        path.push_back(next);
        a = next;
    }
    const bool found = path.back() == finish;

    result.Clear();
    result.Heading(Translate(QStringLiteral("Alg_terry")));
    result.Line(VerdictStart(g, finish) + (found ? QString() : Translate(QStringLiteral("Not_"))) +
                Translate(QStringLiteral("reach")) + g.VertexName(start) + QLatin1Char('.'));
    result.ShowReport();
    if (!found) {
        steps.Step("step_path_unreached", {Arg::Vertex(finish), Arg::Vertex(start)});
        return result;
    }
    steps.Step("step_tarry_found", {Arg::Vertex(finish), Arg::Number(int(path.size()))});
    result.SetRoute(std::move(path));
    return result;
}
