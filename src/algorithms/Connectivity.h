#pragma once

#include "algorithms/AlgorithmResult.h"

class GraphDocument;

// Connectivity, eccentricity, radius and diameter, and the tree test.

// Whether a depth-first search from vertex 1 along the out-lists reaches every vertex. Vertex 1
// counts only when a neighbour leads back to it, so an isolated vertex 1 among others makes a
// graph not connected; a graph of one vertex or none is connected. Meant for undirected graphs.
bool IsConnected(const GraphDocument& graf);

// The connectivity verdict as a heading, the report shown.
// Steps: one frame per vertex the search reaches, then the verdict.
// Time: O(V + E).
AlgorithmResult ConnectivityTest(const GraphDocument& graf, bool recordSteps = false);

// The greatest number of arcs on a shortest route from the vertex to any vertex, weights
// ignored, in resultCount. An undirected graph that is not connected is refused with an error
// message and -1. In a directed graph routes follow the arcs: when some vertex cannot be reached
// the eccentricity is infinite (-1), said with the first such vertex. Output: the line naming
// the vertex and saying the distance is counted in arcs, bold in a report of its own, shown.
// Steps: one frame per vertex taken from the breadth-first queue, then the value.
// Time: O(V + E).
AlgorithmResult Eccentricity(const GraphDocument& graf, int vertex, bool recordSteps = false);

// Radius and diameter over the arcs' weights: resultValue the radius, resultCount the
// diameter. A graph that is not connected writes that verdict (both -1).
// Output: the line with both numbers and a note that they add weights, bold in a report of its own, shown.
// Steps: one frame per vertex with its greatest distance, then the result.
// Time: O(V^3) (all-pairs distances); memory O(V^2).
AlgorithmResult RadiusAndDiameter(const GraphDocument& graf, bool recordSteps = false);

// Whether the graph is a tree, by a breadth-first search from vertex 1 that stops at the first
// arc closing a cycle. A cycle in vertex 1's part makes it no tree even when other parts
// exist; without one, a vertex left unreached makes it not connected. No vertices: nothing.
// Output: the verdict as a heading, the report shown.
// Steps: one frame per vertex taken from the queue, the cycle's arc if any, the verdict.
// Time: O(V + E).
AlgorithmResult TreeTest(const GraphDocument& graf, bool recordSteps = false);
