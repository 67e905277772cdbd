#pragma once

#include "algorithms/AlgorithmResult.h"
#include "algorithms/CliqueBitSets.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

class GraphDocument;

// Cliques of an undirected graph.

// The document's adjacency for the clique search: two vertices are adjacent when an arc of
// positive weight joins them (either way, so a directed document is read as its underlying
// undirected graph).
AdjacencySets CliqueAdjacency(const GraphDocument& graf);

// The Bron–Kerbosch search in its first form, without a pivot: the last candidate is tried
// first, so the clique being built holds its vertices in decreasing order and the first
// maximal clique found contains vertex n. Candidates always ascend, so they and the excluded
// vertices are kept as sets; the order of the excluded ones never shows in the result.
// Branches that cannot yield a maximal clique are cut — an excluded vertex adjacent to every
// remaining candidate would extend anything found there — so the maximal cliques come out
// exactly as the full search lists them, in the same order.
class CliqueSearch {
  public:
    CliqueSearch(const AdjacencySets& adjacency, int vertexCount);

    // Called with each maximal clique, in stack order (decreasing), as it is found.
    std::function<void(std::span<const int>)> onMaximal;
    // Frames for each vertex added, each maximal clique and each cut branch; null for none.
    StepTrace* steps = nullptr;
    // Stop once this many maximal cliques are found and no more frames are being recorded;
    // 0 searches to the end.
    std::int64_t stopAfter = 0;

    // Searches from candidates 1..n with nothing excluded. Returns whether the search went
    // to the end. Time: O(3^(n/3)) branches in the worst case, O(n) words each.
    bool Run();

    // The first clique of the greatest size found so far, in stack order.
    const std::vector<int>& Best() const { return best; }
    std::int64_t MaximalCount() const { return maximalCount; }

  private:
    void ExtendClique(VertexSet candidates, VertexSet excluded);
    bool Dominated(const VertexSet& candidates, const VertexSet& excluded) const;
    void CliqueClosed();

    const AdjacencySets& adjacency;
    int vertexCount;
    std::vector<int> clique; // R, the stack
    std::vector<int> best;
    std::int64_t maximalCount = 0;
    bool stopped = false;
};

// How many maximal cliques the report lists before it only counts them.
inline constexpr int ListedCliqueLimit = 1000;

// Every maximal clique of an undirected graph, and the largest one.
// Preconditions: an undirected document (a directed one is read as undirected).
// Result: resultValue is the size of the largest clique; the clique is highlighted (its
// vertices and every arc between them); no route. Ties: among cliques of equal size the first
// found stays best.
// Output: the size as a heading, the members by vertex number in stack order each followed by
// a blank, then in the report alone every maximal clique in the order found — the first
// ListedCliqueLimit of them, then how many were found in all.
// Steps: each vertex added to the clique, each maximal clique (and each new best), each cut.
// The search in the listing order stops once the list is full and the steps are recorded or
// cut; the count and the first largest clique then come from the bit-set searches, which
// give the same answers without visiting every maximal clique in that order.
// Time: O(3^(V/3)) in the worst case, the number of maximal cliques a graph can have.
AlgorithmResult MaximumClique(const GraphDocument& graf, bool recordSteps = false);
