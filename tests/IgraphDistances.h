#pragma once

#include "IgraphOracle.h"

#include <vector>

// Distances of the document computed by igraph, indexed by vertex numbers: [a][b] is the
// distance from a to b, -1 where b cannot be reached. Weighted adds the arcs' weights;
// otherwise every arc counts 1.
inline std::vector<std::vector<long>> IgraphDistances(const GraphDocument& g, bool weighted)
{
    IgraphCopy copy(g);
    const int n = g.VertexCount;
    std::vector<std::vector<long>> result(std::size_t(n) + 1, std::vector<long>(std::size_t(n) + 1, -1));
    if (n == 0)
        return result;
    Igraph::Matrix matrix(0, 0);
    igraph_distances_dijkstra(copy.graph.Get(), matrix.Get(), igraph_vss_all(), igraph_vss_all(),
                              weighted ? copy.weights.Get() : nullptr, IGRAPH_OUT);
    for (int a = 1; a <= n; ++a)
        for (int b = 1; b <= n; ++b) {
            const double d = MATRIX(*matrix.Get(), a - 1, b - 1);
            result[a][b] = d == IGRAPH_INFINITY ? -1 : long(d);
        }
    return result;
}

// A random document on n vertices: each ordered pair (each pair when undirected) gets an arc
// with the given chance in percent, weights 1..maxWeight in a shuffled insertion order.
template <typename Random>
std::unique_ptr<GraphDocument> RandomGraf(Random& random, int n, bool directed, bool weighted, int percent,
                                          int maxWeight = 20)
{
    auto g = std::make_unique<GraphDocument>();
    g->StartNewGraph(directed, weighted);
    for (int i = 1; i <= n; ++i)
        g->AddVertex(40 * i, 50, QString(), g->FreeNameNumber(), 10);
    std::vector<std::pair<int, int>> pairs;
    for (int a = 1; a <= n; ++a)
        for (int b = directed ? 1 : a + 1; b <= n; ++b)
            if (a != b && int(random.bounded(100)) < percent)
                pairs.emplace_back(a, b);
    for (std::size_t k = pairs.size(); k > 1; --k)
        std::swap(pairs[k - 1], pairs[random.bounded(quint32(k))]);
    for (const auto& [a, b] : pairs)
        g->AddArc(a, b, weighted ? int(random.bounded(1, maxWeight + 1)) : 1);
    return g;
}
