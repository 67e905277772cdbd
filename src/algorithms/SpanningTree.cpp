#include "algorithms/SpanningTree.h"

#include "base/TranslationManager.h"
#include "document/GraphDocument.h"

#include <climits>

namespace {

using Arg = StepTrace::Argument;
using VertexState = StepTrace::VertexState;
using ArcState = StepTrace::ArcState;

// The best edge from the tree into one outside vertex. Ordered as the full scan meets edges:
// by weight, then tree end, then place in its out-list; so the least candidate over all
// outside vertices is the edge the scan of every tree list would pick.
struct Candidate {
    int weight = INT_MAX; // none: the scan's starting best is never replaced by an equal weight
    int tail = 0;
    int position = 0;

    bool Exists() const { return tail != 0; }
    bool Before(const Candidate& other) const
    {
        if (weight != other.weight)
            return weight < other.weight;
        if (tail != other.tail)
            return tail < other.tail;
        return position < other.position;
    }
};

void MarkEdge(StepTrace& trace, int a, int b, ArcState state)
{
    trace.SetArc(a, b, state);
    trace.SetArc(b, a, state);
}

} // namespace

AlgorithmResult FindMinimumSpanningTree(const GraphDocument& g, bool recordSteps)
{
    AlgorithmResult result;
    result.resultCount = -1;
    const int n = g.VertexCount;
    StepTrace& steps = result.steps;
    if (recordSteps)
        steps.Start(n);

    // Instead of scanning every list of every tree vertex at each step, each outside vertex
    // keeps its best edge from the tree, updated as the tree grows.
    GraphDocument::VertexArray<quint8> inTree{};
    GraphDocument::VertexArray<Candidate> best{};
    const bool weighted = g.Weighted;
    const auto offerEdgesOf = [&](int c) {
        // Taken once: the writes below could alias the graph as far as the compiler knows.
        const std::span<const int> heads = g.OutArcs(c);
        const std::span<const ArcRecord> records = g.OutRecords(c);
        for (int k = 0; k < int(heads.size()); ++k) {
            const int w = heads[std::size_t(k)];
            if (inTree[w])
                continue;
            const Candidate offer{weighted ? records[std::size_t(k)].Weight : 1, c, k};
            if (offer.weight < INT_MAX && offer.Before(best[w])) {
                if (steps.Enabled()) {
                    if (best[w].Exists())
                        MarkEdge(steps, best[w].tail, w, ArcState::Rejected);
                    MarkEdge(steps, c, w, ArcState::Examined);
                }
                best[w] = offer;
            }
        }
    };

    inTree[1] = 1;
    int treeSize = 1;
    steps.SetVertex(1, VertexState::Finished);
    steps.Step("step_mst_start", {Arg::Vertex(1)});
    offerEdgesOf(1);
    std::vector<std::pair<int, int>> edges;
    while (treeSize != n) {
        int next = 0;
        int candidates = 0;
        for (int w = 1; w <= n; ++w)
            if (!inTree[w] && best[w].Exists()) {
                ++candidates;
                if (next == 0 || best[w].Before(best[next]))
                    next = w;
            }
        if (next == 0) {
            steps.Step("step_mst_disconnected");
            result.Clear();
            result.Heading(Translate(QStringLiteral("Cannot_find_min_base")));
            result.ShowReport();
            return result;
        }
        const Candidate chosen = best[next];
        result.resultValue += chosen.weight;
        inTree[next] = 1;
        ++treeSize;
        edges.emplace_back(chosen.tail, next);
        if (steps.Enabled()) {
            MarkEdge(steps, chosen.tail, next, ArcState::Chosen);
            steps.SetVertex(next, VertexState::Finished);
            steps.Step("step_mst_add", {Arg::Vertex(chosen.tail), Arg::Vertex(next),
                                        Arg::Number(chosen.weight), Arg::Number(candidates)});
        }
        offerEdgesOf(next);
    }
    if (steps.Enabled()) {
        // Every edge left out ends in one style, whether or not it was ever a candidate.
        std::vector<quint8> inTreeEdge(std::size_t(n + 1) * std::size_t(n + 1), 0);
        for (const auto& [a, b] : edges) {
            inTreeEdge[std::size_t(a) * std::size_t(n + 1) + std::size_t(b)] = 1;
            inTreeEdge[std::size_t(b) * std::size_t(n + 1) + std::size_t(a)] = 1;
        }
        for (int a = 1; a <= n; ++a)
            for (int b : g.OutArcs(a))
                if (a < b && !inTreeEdge[std::size_t(a) * std::size_t(n + 1) + std::size_t(b)])
                    MarkEdge(steps, a, b, ArcState::Rejected);
    }
    steps.Step("step_mst_done", {Arg::Number(result.resultValue)});
    result.Clear();
    result.Heading(Translate(QStringLiteral("Graf_have_min")) + QString::number(result.resultValue));
    result.ShowReport();
    // An undirected edge is two arc cells: both are highlighted.
    for (const auto& [a, b] : edges) {
        result.HighlightArc(a, b);
        result.HighlightArc(b, a);
    }
    return result;
}
