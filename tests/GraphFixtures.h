#pragma once

#include "document/GraphDocument.h"

#include <memory>
#include <utility>
#include <vector>

// A fresh document of the given kind with n vertices laid out on a row, numbered from 1.
inline std::unique_ptr<GraphDocument> MakeGraf(bool directed, bool weighted, int n = 0)
{
    auto g = std::make_unique<GraphDocument>();
    g->StartNewGraph(directed, weighted);
    for (int i = 1; i <= n; ++i)
        g->AddVertex(40 * i, 50 + 10 * (i % 3), QString(), g->FreeNameNumber(), g->VertexSize);
    return g;
}

// The out-list of a vertex as a vector, in list order.
inline std::vector<int> OutList(const GraphDocument& g, int v)
{
    return std::vector<int>(g.OutArcs(v).begin(), g.OutArcs(v).end());
}

// An undirected graph of 8 vertices with several Kuratowski subgraphs, on which greedy
// colourings use 4 colours though 3 suffice ({1,3,8}, {2,4,5}, {6,7}).
inline const std::vector<std::pair<int, int>> EightVertexKuratowskiEdges = {
    {1, 4}, {1, 5}, {1, 6}, {1, 7}, {2, 3}, {2, 6}, {2, 7}, {3, 5},
    {3, 6}, {3, 7}, {4, 7}, {4, 8}, {5, 7}, {5, 8}, {6, 8}};

// The arcs of a graph in numbers, and whether some vertex has no arc in or out.
struct ArcCensus {
    int arcs = 0;
    bool isolated = false;
};
inline ArcCensus CountArcs(const GraphDocument& g)
{
    ArcCensus census;
    for (int v = 1; v <= g.VertexCount; ++v) {
        int touching = g.OutCount(v);
        for (int w = 1; w <= g.VertexCount; ++w)
            touching += g.HasArc(w, v) ? 1 : 0;
        census.arcs += g.OutCount(v);
        census.isolated |= touching == 0;
    }
    return census;
}
