#pragma once

#include "document/GraphDocument.h"
#include "files/IgraphAdapter.h"

#include <gtest/gtest.h>

// The document as an igraph graph, for cross-checks, through the program's own adapter: vertex
// v is igraph vertex v - 1; arcs in out-list order (an undirected edge once, from its lower
// end), with their weights alongside in the same order.
struct IgraphCopy {
    Igraph::Graph graph;
    Igraph::Vector weights{0};

    explicit IgraphCopy(const GraphDocument& g) { EXPECT_TRUE(Igraph::FromDocument(g, graph, &weights)); }
};
