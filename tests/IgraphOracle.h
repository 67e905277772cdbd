#pragma once

#include "document/AllGrafUnit.h"

#include <igraph.h>
#include <memory>

// The document as an igraph graph, for cross-checks: vertex v is igraph vertex v - 1; arcs are
// added in out-list order (an undirected edge once, from its lower end), with their weights
// alongside in the same order.
struct IgraphCopy {
    igraph_t graph;
    igraph_vector_t weights;

    explicit IgraphCopy(const TAllGraf& g)
    {
        igraph_vector_int_t edges;
        igraph_vector_int_init(&edges, 0);
        igraph_vector_init(&weights, 0);
        for (int a = 1; a <= g.PointCount; ++a)
            for (int b : g.OutArcs(a)) {
                if (g.IsOrint == 0 && b < a)
                    continue;
                igraph_vector_int_push_back(&edges, a - 1);
                igraph_vector_int_push_back(&edges, b - 1);
                igraph_vector_push_back(&weights, g.IsHaveCost ? g.Arc(a, b).Cost : 1);
            }
        igraph_create(&graph, &edges, g.PointCount, g.IsOrint == 2 ? IGRAPH_DIRECTED : IGRAPH_UNDIRECTED);
        igraph_vector_int_destroy(&edges);
    }
    ~IgraphCopy()
    {
        igraph_destroy(&graph);
        igraph_vector_destroy(&weights);
    }
    IgraphCopy(const IgraphCopy&) = delete;
    IgraphCopy& operator=(const IgraphCopy&) = delete;
};
