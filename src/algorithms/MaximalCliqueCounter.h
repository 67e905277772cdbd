#pragma once

// The count of maximal cliques on bit sets, compiled twice: as is, and with the processor's
// population-count instruction for the machines that have one (see CliqueBitSets.cpp).

#include "algorithms/CliqueBitRows.h"

namespace {

// The pivoting search for maximal cliques, counting them.
template <int W> class MaximalCliqueCounter {
  public:
    // adjacency[v] for every vertex index v of the sets counted.
    explicit MaximalCliqueCounter(const Bits<W>* adjacency) : adjacency(adjacency) {}

    // The maximal cliques made of candidates and adjacent to no excluded vertex as a whole.
    // Time: O(3^(n/3)) in the worst case.
    std::int64_t Count(const Bits<W>& candidates, const Bits<W>& excluded)
    {
        count = 0;
        const int size = candidates.Count();
        if (size <= 3)
            return FewCandidates(candidates, size, excluded);
        Expand(candidates, size, excluded);
        return count;
    }

  private:
    // The vertex of candidates and excluded with the most candidates among its neighbours,
    // or -1 when an excluded one is adjacent to every candidate (nothing here is maximal).
    // Time: O(n) words.
    int Pivot(const Bits<W>& candidates, int size, const Bits<W>& excluded) const
    {
        int pivot = -1;
        int most = -1;
        bool dominated = false;
        excluded.ForEach([&](int x) {
            const int common = candidates.CountCommon(adjacency[std::size_t(x)]);
            if (common > most) {
                most = common;
                pivot = x;
            }
            dominated = dominated || common == size;
        });
        if (dominated)
            return -1;
        // A candidate adjacent to all the others leaves only itself to try.
        if (most < size - 1)
            candidates.ForEach([&](int v) {
                if (most == size - 1)
                    return;
                const int common = candidates.CountCommon(adjacency[std::size_t(v)]);
                if (common > most) {
                    most = common;
                    pivot = v;
                }
            });
        return pivot;
    }

    // Counts the maximal cliques that extend the current clique (implicit) by candidates and
    // no excluded vertex. Time: O(n) words per branch.
    void Expand(Bits<W> candidates, int size, Bits<W> excluded)
    {
        if constexpr (W > 1) {
            // Fewer words for the same vertices make every intersection below cheaper.
            const Bits<W> involved = candidates | excluded;
            const int involvedCount = involved.Count();
            if (involvedCount <= 64 * (W - 1)) {
                count += CountInFewerWords(involved, involvedCount, candidates);
                return;
            }
        }
        const int pivot = Pivot(candidates, size, excluded);
        if (pivot < 0)
            return;
        const Bits<W> branches = candidates.Without(adjacency[std::size_t(pivot)]);
        branches.ForEach([&](int v) {
            const Bits<W>& neighbours = adjacency[std::size_t(v)];
            const Bits<W> nextCandidates = candidates & neighbours;
            const Bits<W> nextExcluded = excluded & neighbours;
            const int nextSize = nextCandidates.Count();
            if (nextSize <= 3)
                count += FewCandidates(nextCandidates, nextSize, nextExcluded);
            else
                Expand(nextCandidates, nextSize, nextExcluded);
            candidates.Erase(v);
            excluded.Insert(v);
        });
    }

    // The count below this branch with its candidates and excluded vertices renumbered into
    // as few words as they need, so that every intersection further down costs less.
    std::int64_t CountInFewerWords(const Bits<W>& involved, int involvedCount,
                                   const Bits<W>& candidates) const
    {
        if (involvedCount <= 64)
            return CountRenumbered<1>(involved, candidates);
        if constexpr (W > 2) {
            if (involvedCount <= 128)
                return CountRenumbered<2>(involved, candidates);
        }
        if constexpr (W > 3) {
            if (involvedCount <= 192)
                return CountRenumbered<3>(involved, candidates);
        }
        return 0; // not reached: the caller asks only for fewer words than W
    }

    // The same with the involved vertices numbered 0..k-1 in V words. Time: O(k^2) for its
    // k vertices.
    template <int V> std::int64_t CountRenumbered(const Bits<W>& involved, const Bits<W>& candidates) const
    {
        std::array<std::uint8_t, VertexSet::Capacity> local;
        std::array<int, 64 * V> vertices;
        int k = 0;
        involved.ForEach([&](int v) {
            local[std::size_t(v)] = std::uint8_t(k);
            vertices[std::size_t(k++)] = v;
        });
        std::array<Bits<V>, 64 * V> rows;
        Bits<V> localCandidates;
        Bits<V> localExcluded;
        for (int i = 0; i < k; ++i) {
            const int v = vertices[std::size_t(i)];
            (adjacency[std::size_t(v)] & involved).ForEach([&](int w) {
                rows[std::size_t(i)].Insert(local[std::size_t(w)]);
            });
            if (candidates.Contains(v))
                localCandidates.Insert(i);
            else
                localExcluded.Insert(i);
        }
        return MaximalCliqueCounter<V>(rows.data()).Count(localCandidates, localExcluded);
    }

    // The maximal cliques from at most three candidates, without a search: most branches
    // end this way, and a pivot would cost a pass over all the excluded vertices.
    // Time: O(1) words.
    int FewCandidates(const Bits<W>& candidates, int size, const Bits<W>& excluded) const
    {
        // A clique of the candidates counts when no excluded vertex is adjacent to all of it.
        const auto counts = [&](const Bits<W>& commonNeighbours) {
            return excluded.Intersects(commonNeighbours) ? 0 : 1;
        };
        if (size == 0)
            return excluded.Empty() ? 1 : 0;
        const int a = candidates.Lowest();
        const Bits<W>& nearA = adjacency[std::size_t(a)];
        if (size == 1)
            return counts(nearA);
        const int c = candidates.Highest();
        const Bits<W>& nearC = adjacency[std::size_t(c)];
        if (size == 2)
            return nearA.Contains(c) ? counts(nearA & nearC) : counts(nearA) + counts(nearC);
        Bits<W> middle = candidates;
        middle.Erase(a);
        middle.Erase(c);
        const int b = middle.Lowest();
        const Bits<W>& nearB = adjacency[std::size_t(b)];
        const bool ab = nearA.Contains(b);
        const bool ac = nearA.Contains(c);
        const bool bc = nearB.Contains(c);
        switch (int(ab) + int(ac) + int(bc)) {
        case 3:
            return counts(nearA & nearB & nearC);
        case 0:
            return counts(nearA) + counts(nearB) + counts(nearC);
        case 1: // one edge and a vertex alone
            return ab ? counts(nearA & nearB) + counts(nearC)
                      : (ac ? counts(nearA & nearC) + counts(nearB) : counts(nearB & nearC) + counts(nearA));
        default: // a path: two edges through its middle vertex
        {
            const Bits<W>& centre = !bc ? nearA : (!ac ? nearB : nearC);
            const Bits<W>& end1 = !bc ? nearB : nearA;
            const Bits<W>& end2 = !ac ? nearC : (!bc ? nearC : nearB);
            return counts(centre & end1) + counts(centre & end2);
        }
        }
    }

    const Bits<W>* adjacency;
    std::int64_t count = 0;
};

// The count on the fewest words that hold the graph.
std::int64_t CountMaximalCliquesOnRows(const AdjacencySets& adjacency, int vertexCount)
{
    if (vertexCount <= 0)
        return 0;
    return WithWords(vertexCount, [&](auto words) {
        constexpr int W = decltype(words)::value;
        const Rows<W> rows = RowsInOrder<W>(adjacency, NumberOrder(vertexCount));
        return MaximalCliqueCounter<W>(rows.data()).Count(FirstIndices<W>(vertexCount), Bits<W>());
    });
}

} // namespace
