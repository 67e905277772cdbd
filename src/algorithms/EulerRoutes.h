#pragma once

#include "algorithms/AlgorithmResult.h"

class GraphDocument;

// Walks that use every arc exactly once: Euler cycles (back to the first vertex) and chains.
// Each writes its verdict and the walk to the Text pane and the report, then shows the report;
// the walk, of any length, is the result's route (resultCount its number of entries; a walk
// over k arcs has k + 1 entries).

// Undirected graphs, by splicing closed walks (Hierholzer) on copies of the out-lists: the
// walk starts at the highest-numbered vertex with an edge and always leaves a vertex by the
// last unused edge of its list.
// Refusals, in this order: a vertex of odd degree; no edge at all; a vertex not reached from
// vertex 1 (an isolated vertex counts).
// Steps: every edge taken, every vertex that runs out of edges and joins the walk, every
// splice of a detour.
// Time: O(V + E) on the copies of the out-lists.
AlgorithmResult FindEulerCycle(const GraphDocument& graf, bool recordSteps = false);

// As the cycle, but up to two odd vertices are allowed: an added vertex joined to both makes
// every degree even, and the cycle found is turned at it into a chain from one odd vertex to
// the other. With no odd vertex the chain written is a closed walk.
AlgorithmResult FindEulerChain(const GraphDocument& graf, bool recordSteps = false);

// Directed graphs: the first walk of a depth-first search over the arcs in list order, trying
// start vertices 1, 2, ... in turn; a cycle must end at its start. A graph without arcs gives
// the walk of vertex 1 alone. Branches after which the unused arcs could not all be walked
// (wrong in/out balance, or arcs cut off from the walk's end) are skipped, which leaves the
// walk found unchanged.
// Steps: every arc taken, every arc skipped as a dead end, every start vertex given up.
// Time: O(V + E) when no branch is skipped; each skip is found by a check of O(V + E), and
// a walk can meet at most E of them.
AlgorithmResult FindEulerCycleDirected(const GraphDocument& graf, bool recordSteps = false);
AlgorithmResult FindEulerChainDirected(const GraphDocument& graf, bool recordSteps = false);
