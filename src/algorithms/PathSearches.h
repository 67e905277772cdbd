#pragma once

#include "algorithms/AlgorithmResult.h"

class GraphDocument;

// Path searches that ignore weights and count arcs, over the out-lists in list order.

// The wave front: numbered waves spread from the start until one reaches the finish.
// Preconditions: 1 <= start, finish <= vertexCount <= VertexCount.
// Result: a route with the fewest arcs, resultCount its number of vertices (1 when start and
// finish are one vertex); -1 when the finish is not reached.
// Ties: a vertex's predecessor is the lowest-numbered vertex of the previous wave with an arc
// to it.
// Output: heading and verdict (with the number of vertices on the route), the report shown.
// Steps: the start, then one frame per wave with the vertices it reached, then the route.
// Time: O(V log V + E): every arc once, each wave sorted.
AlgorithmResult WaveFrontPath(const GraphDocument& graf, int start, int finish, int vertexCount,
                              bool recordSteps = false);

// Tarry's search: depth first with backtracking over simple paths, in list order.
// Preconditions: as WaveFrontPath.
// Result: the first simple path from the start that meets the finish in that order,
// resultCount its number of vertices; -1 when there is none.
// Speed: a branch is entered only when the finish can still be reached from it without
// touching the path, which never changes the answer and turns the exponential walk into a
// straight one; the walk keeps its own stack, so paths of 255 vertices are fine.
// Output: heading and verdict, the report shown; the route is only highlighted.
// Steps: one frame per move forward and per branch cut off, then the verdict.
// Time: O(V * (V + E)): a reachability search before each of at most V moves forward.
AlgorithmResult TarryPath(const GraphDocument& graf, int start, int finish, int vertexCount,
                          bool recordSteps = false);
