#pragma once

#include "algorithms/AlgorithmResult.h"

class TAllGraf;

// Shortest paths between two vertices of a weighted graph.

// Dijkstra's method in its array form (quadratic, no heap), over the out-lists in list order.
// Preconditions: 1 <= start, finish <= vertexCount <= PointCount; weights 1..50000.
// Result: the route from start to finish with resultValue its length; resultCount is -1
// (resultValue 0) when start equals finish, which writes nothing, or when the finish is
// unreachable, which writes that verdict.
// Ties: an equal candidate never replaces a predecessor; among equally near unfinished
// vertices the lowest number is finished first.
// Output: heading, verdict, then the distance table from the start ("%3d", "x" when
// unreachable) to the Text pane and the report, then the report is shown.
// Steps: the start, every arc examined (distance lowered or kept), every vertex fixed, the end.
AlgorithmResult DijkstraShortestPath(const TAllGraf& graf, int start, int finish, int vertexCount,
                                     bool recordSteps = false);

// The distance table of a path search: the vertex names over their distances from the start.
void WriteDistanceTable(const TAllGraf& graf, int vertexCount, const int* distance, AlgorithmResult& result);
