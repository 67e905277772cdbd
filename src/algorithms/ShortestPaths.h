#pragma once

#include "algorithms/AlgorithmResult.h"

#include <functional>
#include <vector>

class GraphDocument;

// Shortest paths between two vertices of a weighted graph.

// Dijkstra's method in its array form (quadratic, no heap), over the out-lists in list order.
// Preconditions: 1 <= start, finish <= vertexCount <= VertexCount; weights 1..50000.
// Result: the route from start to finish with resultValue its length; resultCount is -1
// (resultValue 0) when start equals finish, which writes nothing, or when the finish is
// unreachable, which writes that verdict.
// Ties: an equal candidate never replaces a predecessor; among equally near unfinished
// vertices the lowest number is finished first.
// Output: heading, verdict, then the distance table from the start ("%3d", "x" when
// unreachable) to the Text pane and the report, then the report is shown.
// Steps: the start, every arc examined (distance lowered or kept), every vertex fixed, the end.
// Time: O(V^2 + E) for V vertices and E arcs; memory O(V).
AlgorithmResult DijkstraShortestPath(const GraphDocument& graf, int start, int finish, int vertexCount,
                                     bool recordSteps = false);

// The distance table of a path search: the vertex names over their distances from the start.
void WriteDistanceTable(const GraphDocument& graf, int vertexCount, const int* distance,
                        AlgorithmResult& result);

// Shortest distances between all pairs of vertices 1..vertexCount, Floyd–Warshall over the
// out-lists' weights: d[i * (vertexCount + 1) + j] is the distance from i to j, 0 on the
// diagonal, GraphDocument::Infinity where j cannot be reached. With a trace, one frame per
// intermediate vertex names the cells it improved. afterPass, when given, sees the matrix as
// first filled and after each intermediate vertex.
std::vector<int> AllPairsDistances(const GraphDocument& graf, int vertexCount, StepTrace* steps = nullptr,
                                   const std::function<void(const std::vector<int>&)>& afterPass = {});

// Floyd–Warshall between two vertices of a weighted graph.
// Preconditions: as DijkstraShortestPath.
// Result: the route from start to finish with resultValue its length; start equal to finish
// writes nothing (resultCount -1, resultValue 0); an unreachable finish writes that verdict
// with the matrix (resultCount and resultValue -1).
// Ties: walking back from the finish, the lowest-numbered predecessor that explains the
// distance is taken.
// Output: heading, verdict, the whole distance matrix ("%3d", "x" when unreachable), the report
// shown.
// Steps: one frame per intermediate vertex with the cells it improved, then the verdict.
// Time: O(V^3); memory O(V^2).
AlgorithmResult FloydWarshallPath(const GraphDocument& graf, int start, int finish, int vertexCount,
                                  bool recordSteps = false);

// Ford–Bellman in its table form: pass c gives the best lengths over at most c arcs.
// Preconditions: as DijkstraShortestPath.
// Result: as FloydWarshallPath; an unreachable finish writes the verdict alone.
// Ties: walking back from the finish, the pass in which a vertex's estimate last fell and the
// lowest-numbered predecessor that explains the new value.
// Output: heading, verdict and, when reached, the table of passes 1..vertexCount per vertex.
// Steps: one frame per pass with the vertices it improved, until a pass improves nothing.
// Time: O(V * E), a pass over every arc for each of at most V passes; memory O(V^2) for the
// table.
AlgorithmResult BellmanFordPath(const GraphDocument& graf, int start, int finish, int vertexCount,
                                bool recordSteps = false);
