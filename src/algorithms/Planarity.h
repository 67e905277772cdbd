#pragma once

#include "algorithms/AlgorithmResult.h"

#include <array>
#include <vector>

class GraphDocument;

// Planarity of an undirected graph.

// A subset of at most five vertex numbers in increasing order; unused places hold 0.
using SubsetRow = std::array<int, 5>;

// Every k-subset of 1..n (1 <= k <= 5) into table, in colexicographic order ({1,2}, {1,3},
// {2,3} for k = 2, n = 3), each row ascending. Returns the number of rows; none for k outside
// 1..5 or above n.
int EnumerateSubsets(int k, int n, std::vector<SubsetRow>& table);

// How many vertices the search for K5 and K3,3 among contracted cliques handles; larger graphs
// are answered by the complete test alone.
inline constexpr int ConfigurationSearchLimit = 32;

// Whether an undirected graph is planar. Up to ConfigurationSearchLimit vertices, a K5 or
// K3,3 is sought among the vertices (the first in colexicographic order of the subsets), and
// while none is found and enough vertices of degree 3 (or 2) remain, the largest clique is
// contracted into its highest vertex and the search repeated; what it finds is a minor of the
// graph, so the graph is not planar. Each pair of the configuration is listed as the chain of
// document arcs it stands for: from a vertex of the contracted tree it belongs to, through the
// arc carried over by the contractions, to a vertex of the other's tree (one arc where nothing
// was contracted). When it finds nothing — or the graph is larger — the complete planarity
// test decides, and for a graph that is not planar the arcs of a subdivided K5 or K3,3 are
// listed instead, lower end first.
// Each listed arc is then checked with the complete test; the arcs whose deletion alone makes
// the graph planar are listed as those to delete one of. When there is none, no arc of the
// graph does it (it would have to lie in every non-planar part), and — up to
// ConfigurationSearchLimit vertices — a set to delete together is given instead: no arc of it
// can be put back alone.
// Preconditions: an undirected document (a directed one is read as undirected).
// Output: the verdict as a heading; when not planar, what the configuration is and its chains
// "p - x - q" by display name, then the line asking to delete one of the arcs that work and
// those arcs "p - q", or the line that no single arc works, the line asking to delete all of a
// set and its arcs; then the report is shown. No route; the arcs of the chains (and of the
// set) are highlighted; the set's arcs are marked "×" in a picture of the result.
// Steps: each degree test, each K5 or K3,3 found, each contraction, the complete test's answer
// with its subdivision, the check of the listed arcs, the set to delete.
// Time: O(V + E) for the complete test; finding and checking the configuration repeats it
// once per listed arc, O(E * (V + E)) in all, and the set to delete together is an exponential
// search held to ConfigurationSearchLimit vertices.
AlgorithmResult PlanarityTest(const GraphDocument& graf, bool recordSteps = false);
