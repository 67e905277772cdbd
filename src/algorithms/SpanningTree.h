#pragma once

#include "algorithms/AlgorithmResult.h"

class GraphDocument;

// Prim's minimum spanning tree of an undirected graph, grown from vertex 1.
// Preconditions: an undirected document (the dispatcher refuses directed ones); every arc of an
// unweighted graph weighs 1.
// Result: the tree's edges in highlightedArcs, in the order they were added (tree end first),
// resultValue the tree's weight, resultCount -1 (no route). A graph that cannot be spanned
// (not connected) gets no highlighting and the verdict that says so.
// Ties: each growth step takes the lightest edge from the tree to the rest; among equal weights
// the first met scanning the tree's vertices in increasing order and each out-list in list
// order (lowest tree vertex, then earliest list entry).
// Output: the verdict (a Text pane line and a bold report line), then the report is shown.
// Steps: every edge added, with the best edge into each vertex outside the tree as the
// candidates it beat; candidates that a lighter edge displaced are marked rejected.
// Time: O(V^2 + E): each vertex outside the tree keeps its best edge, updated as the tree grows.
AlgorithmResult FindMinimumSpanningTree(const GraphDocument& graf, bool recordSteps = false);
