#pragma once

#include "document/GraphDocument.h"

#include <QRandomGenerator>
#include <memory>

// Graphs for the algorithm benchmarks, built the way a user's edits build them.
namespace BenchGraphs {

inline std::unique_ptr<GraphDocument> Empty(bool directed, bool weighted, int n)
{
    auto g = std::make_unique<GraphDocument>();
    g->StartNewGraph(directed, weighted);
    for (int i = 1; i <= n; ++i)
        g->AddVertex(20 * (i % 40), 20 * (i / 40), QString(), g->FreeNameNumber(), 10);
    return g;
}

// Every ordered pair (every pair when undirected) among vertices first..last joined, with
// scattered weights when weighted; `percent` of the pairs when below 100 (a fixed seed).
inline void Join(GraphDocument& g, int first, int last, int percent = 100, quint32 seed = 1)
{
    QRandomGenerator random(seed);
    for (int a = first; a <= last; ++a)
        for (int b = g.Directed ? first : a + 1; b <= last; ++b)
            if (a != b && (percent >= 100 || int(random.bounded(100)) < percent))
                g.AddArc(a, b, g.Weighted ? 1 + (a * 7919 + b * 104729) % GraphDocument::MaxWeight : 1);
}

// The complete graph on all 255 vertices.
inline std::unique_ptr<GraphDocument> Complete(bool directed, bool weighted)
{
    auto g = Empty(directed, weighted, GraphDocument::MaxVertices);
    Join(*g, 1, GraphDocument::MaxVertices);
    return g;
}

} // namespace BenchGraphs
