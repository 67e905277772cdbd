#pragma once

#include <array>

class TAllGraf;

// Shortest paths between two vertices of a weighted graph.

// Dijkstra's method in its array form (quadratic, no heap), over the out-lists in list order.
// Preconditions: 1 <= start, finish <= vertexCount <= PointCount; weights 1..50000.
// Result: path[0..resultCount-1] runs from start to finish and resultValue is its length;
// resultCount is -1 (resultValue 0) when start equals finish, which writes nothing, or when
// the finish is unreachable, which writes that verdict.
// Ties: an equal candidate never replaces a predecessor; among equally near unfinished
// vertices the lowest number is finished first.
// Output: heading, verdict, then the distance table from the start ("%3d", "x" when
// unreachable) to the Text pane and the report; the report is shown.
void DijkstraShortestPath(TAllGraf& graf, int start, int finish, int vertexCount, std::array<int, 255>& path,
                          int& resultCount, int& resultValue);
