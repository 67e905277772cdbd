#pragma once

#include "algorithms/VertexSet.h"

#include <cstdint>
#include <vector>

// Clique searches on bit sets, for the answers that do not depend on the order of the
// listing search: how many maximal cliques there are, how large the largest is, and which
// clique of a given size that search would meet first. Each one works on as many 64-bit
// words as the vertex count needs, so n in the complexities below also stands for the
// words' worth of vertices an intersection costs (at most four words).

// The neighbours of every vertex 1..n (index 0 unused, no vertex its own neighbour).
using AdjacencySets = std::vector<VertexSet>;

// The number of maximal cliques of the graph on vertices 1..vertexCount, by the pivoting
// search (the pivot leaves the most candidates untried) that visits each maximal clique once.
// Time: O(3^(n/3)) in the worst case, and in practice a few intersections per maximal clique.
std::int64_t CountMaximalCliques(const AdjacencySets& adjacency, int vertexCount);
// The same count by each of its two builds, which CountMaximalCliques chooses between: the
// portable one, and the one with the processor's population-count instruction (to be called
// only on a processor that has it).
std::int64_t CountMaximalCliquesPortably(const AdjacencySets& adjacency, int vertexCount);
std::int64_t CountMaximalCliquesWithPopcount(const AdjacencySets& adjacency, int vertexCount);

// The size of the largest clique, at least `atLeast` (a size known to be reached), by
// branch and bound: the candidates are coloured greedily and a branch is cut when the clique
// so far and the colours left cannot beat the best size found. Vertices are taken by
// decreasing degree, which keeps the colourings tight.
// Time: exponential in the worst case; O(n^2) words for each branch.
int LargestCliqueSize(const AdjacencySets& adjacency, int vertexCount, int atLeast = 0);

// The first clique of exactly `size` vertices in the order of the listing search (the last
// candidate first, so the clique comes in decreasing order and the one with the greatest
// vertices wins), or an empty list when there is none. Branches whose clique so far and
// greedy colouring of the candidates left cannot reach `size` are cut; with `size` the
// largest clique's size this is the first largest clique that search finds.
// Time: exponential in the worst case; O(n^2) words for each branch.
std::vector<int> FirstCliqueOfSize(const AdjacencySets& adjacency, int vertexCount, int size);

// The first largest clique in the order of the listing search, in decreasing order; a
// clique of `atLeast` vertices is known to exist. Time: that of the two searches above.
std::vector<int> FirstLargestClique(const AdjacencySets& adjacency, int vertexCount, int atLeast = 0);
