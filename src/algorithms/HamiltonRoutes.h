#pragma once

#include "algorithms/AlgorithmResult.h"

class GraphDocument;

// Routes that visit every vertex exactly once, in undirected graphs: Hamilton cycles (back to
// the first vertex; the route has VertexCount + 1 entries) and chains (VertexCount entries).
//
// The answer is the first route of a depth-first search that tries start vertices 1, 2, ...
// and the neighbours of each vertex in list order. A cycle may close over the edge it has just
// walked, so two joined vertices give 1 - 2 - 1.
// Branches that provably fail are cut, which leaves the route found unchanged: a step after
// which the unvisited vertices no longer hang together, some of them have too few neighbours
// left, or (when they form a bipartite graph) their two sides cannot alternate between the
// route's ends; and, on graphs of up to 64 vertices, a position (vertex, visited set) already
// searched to the end. A cycle passes vertex 1, so only the search from vertex 1 is needed.
// Output: the verdict, "Trace" and the route, then the report is shown.
// Steps: every vertex added to or taken off the route, every branch cut; the trace is capped.
// Time: exponential in the worst case (the problem is NP-complete); each step of the search
// and its cuts costs O(V + E).
AlgorithmResult FindHamiltonCycle(const GraphDocument& graf, bool recordSteps = false);
AlgorithmResult FindHamiltonChain(const GraphDocument& graf, bool recordSteps = false);
