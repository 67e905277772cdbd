#pragma once

#include "algorithms/AlgorithmResult.h"

#include <vector>

class GraphDocument;

// Maximum flow in a weighted directed graph whose weights are capacities, by augmenting paths:
// each augmenting path is the one of least total residual capacity, its vertices found walking
// back from the sink to the lowest-numbered fitting predecessor.
//
// A source has no incoming arc and at least one outgoing one; a sink no outgoing arc and at
// least one incoming one. Arcs of capacity 0 or less (only damaged files hold them) carry
// nothing, so every augmentation adds at least 1 and the loop ends.
//
// Result: resultCount -1, resultValue 0; the picture draws every arc of the graph captioned
// "flow/capacity", highlighted when it carries flow ("0/capacity" and plain otherwise), and the
// vertices in their normal style.
// Output: the verdict with the total flow (a Text pane line and a bold report line), then the
// report is shown. Refusals are a message and nothing else.
// Steps: every augmenting path with its bottleneck and the total after it, then the new flow of
// every arc the path changed.

// One source and one sink: the total is the flow into the sink. Refused with
// "Orgraf_have_more_2stok" for a second sink, "Orgraf_has_2istok" for a second source and
// "Orgraf_must_have_stok" when either is missing (sinks are checked first).
// Time: O(F * E log V), F the flow's value: every augmenting path adds at least 1 and is found
// by a heap search over the residual network.
AlgorithmResult MaxFlow(const GraphDocument& graf, bool recordSteps = false);

// Any number of sources and sinks, joined through a super-source before vertex 1's place
// (arcs of capacity 30000 to every source, in increasing order) and a super-sink (arcs of
// capacity 30000 from every sink). Both live in the run's own network, so a full document has
// room for them and the document never changes; neither they nor their arcs are drawn.
// Refused with "Orgraf_must_have_stok" when there is no sink or no source.
AlgorithmResult MaxFlowMulti(const GraphDocument& graf, bool recordSteps = false);

// The residual capacities of a flow computation on vertices 1..count: At(u, v) is what is left
// to send from u to v, GraphDocument::Infinity when nothing is.
class ResidualNetwork {
  public:
    explicit ResidualNetwork(int count);

    int Count() const { return count; }
    int At(int u, int v) const { return residual[Index(u, v)]; }
    // An arc u->v of the given capacity; capacities below 1 are left out.
    void AddArc(int u, int v, int capacity);
    // The vertices joined to v by an arc either way, ascending: the only ones a residual
    // capacity can ever appear between.
    const std::vector<int>& Neighbours(int v) const { return neighbours[std::size_t(v)]; }
    // Sends bottleneck along the path: the forward capacities shrink (a pair left with 0
    // becomes Infinity), the backward ones grow.
    void Augment(const std::vector<int>& path, int bottleneck);

  private:
    std::size_t Index(int u, int v) const { return std::size_t(u) * std::size_t(count + 1) + std::size_t(v); }
    void Join(int u, int v);

    int count;
    std::vector<int> residual;
    std::vector<std::vector<int>> neighbours;
};

struct AugmentingPath {
    std::vector<int> vertices; // source first; empty when the sink cannot be reached
    int bottleneck = -1;
};

// The augmenting path of least total residual capacity from source to sink. Walking back from
// the sink, the predecessor of o is the lowest-numbered j with At(j, o) + d(j) = d(o) and
// d(j) != d(o), where d is the distance from the source; a single-source search gives d, the
// same as an all-pairs one would.
AugmentingPath FindAugmentingPath(const ResidualNetwork& network, int source, int sink);
