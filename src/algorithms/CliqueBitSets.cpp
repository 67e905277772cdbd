#include "algorithms/CliqueBitSets.h"

#include <algorithm>
#include <array>
#include <bit>
#include <type_traits>

namespace {

// The number of set bits. Without the processor's own instruction in the build's target,
// std::popcount is a library call, several times slower than these few operations.
inline int Population(std::uint64_t word)
{
#ifdef __POPCNT__
    return std::popcount(word);
#else
    word = word - ((word >> 1) & 0x5555555555555555u);
    word = (word & 0x3333333333333333u) + ((word >> 2) & 0x3333333333333333u);
    word = (word + (word >> 4)) & 0x0f0f0f0f0f0f0f0fu;
    return int((word * 0x0101010101010101u) >> 56);
#endif
}

// A set of vertex indices 0..64W-1 in W words; the searches below take W as small as the
// graph allows, so a 128-vertex graph intersects two words, not four.
template <int W> struct Bits {
    std::array<std::uint64_t, W> words{};

    void Insert(int v) { words[std::size_t(v >> 6)] |= Bit(v); }
    void Erase(int v) { words[std::size_t(v >> 6)] &= ~Bit(v); }
    bool Contains(int v) const { return (words[std::size_t(v >> 6)] & Bit(v)) != 0; }
    bool Empty() const
    {
        std::uint64_t any = 0;
        for (std::uint64_t word : words)
            any |= word;
        return any == 0;
    }
    int Count() const
    {
        int count = 0;
        for (std::uint64_t word : words)
            count += Population(word);
        return count;
    }
    // The lowest member; the set must not be empty.
    int Lowest() const
    {
        int w = 0;
        while (words[std::size_t(w)] == 0)
            ++w;
        return w * 64 + std::countr_zero(words[std::size_t(w)]);
    }
    // The highest member, or -1 when empty.
    int Highest() const
    {
        for (int w = W - 1; w >= 0; --w)
            if (words[std::size_t(w)] != 0)
                return w * 64 + 63 - std::countl_zero(words[std::size_t(w)]);
        return -1;
    }
    Bits operator&(const Bits& other) const
    {
        Bits result;
        for (std::size_t w = 0; w < W; ++w)
            result.words[w] = words[w] & other.words[w];
        return result;
    }
    Bits operator|(const Bits& other) const
    {
        Bits result;
        for (std::size_t w = 0; w < W; ++w)
            result.words[w] = words[w] | other.words[w];
        return result;
    }
    Bits Without(const Bits& other) const
    {
        Bits result;
        for (std::size_t w = 0; w < W; ++w)
            result.words[w] = words[w] & ~other.words[w];
        return result;
    }
    bool Intersects(const Bits& other) const
    {
        std::uint64_t any = 0;
        for (std::size_t w = 0; w < W; ++w)
            any |= words[w] & other.words[w];
        return any != 0;
    }
    // The number of members also in `other`, without building the intersection.
    int CountCommon(const Bits& other) const
    {
        int count = 0;
        for (std::size_t w = 0; w < W; ++w)
            count += Population(words[w] & other.words[w]);
        return count;
    }
    // Calls visit(v) for each member in increasing order.
    template <typename Visit> void ForEach(Visit visit) const
    {
        for (int w = 0; w < W; ++w)
            for (std::uint64_t word = words[std::size_t(w)]; word != 0; word &= word - 1)
                visit(w * 64 + std::countr_zero(word));
    }

  private:
    static std::uint64_t Bit(int v) { return std::uint64_t(1) << (v & 63); }
};

template <int W> using Rows = std::vector<Bits<W>>;

// The adjacency with vertex order[i] as index i. Time: O(n^2).
template <int W> Rows<W> RowsInOrder(const AdjacencySets& adjacency, const std::vector<int>& order)
{
    std::vector<int> index(adjacency.size(), -1);
    for (std::size_t i = 0; i < order.size(); ++i)
        index[std::size_t(order[i])] = int(i);
    Rows<W> rows(order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        for (int v : adjacency[std::size_t(order[i])])
            rows[i].Insert(index[std::size_t(v)]);
    return rows;
}

// Vertices 1..n in their own order.
std::vector<int> NumberOrder(int vertexCount)
{
    std::vector<int> order(static_cast<std::size_t>(vertexCount));
    for (int i = 0; i < vertexCount; ++i)
        order[std::size_t(i)] = i + 1;
    return order;
}

// Runs run(std::integral_constant<int, W>) with the fewest words that hold vertexCount bits.
template <typename Run> auto WithWords(int vertexCount, Run run)
{
    if (vertexCount <= 64)
        return run(std::integral_constant<int, 1>());
    if (vertexCount <= 128)
        return run(std::integral_constant<int, 2>());
    if (vertexCount <= 192)
        return run(std::integral_constant<int, 3>());
    return run(std::integral_constant<int, 4>());
}

// Colours the candidates greedily one class at a time, each class taking the lowest vertices
// that fit, and writes the vertices in order of colour with their colours. Colours below
// `fromColour` are not written: their vertices cannot matter to the caller. Returns how many
// were written. Time: O(n) words per class.
template <int W>
int ColourClasses(const Rows<W>& adjacency, Bits<W> candidates, int fromColour,
                  std::array<std::uint8_t, VertexSet::Capacity>& vertices,
                  std::array<std::uint8_t, VertexSet::Capacity>& colours)
{
    int written = 0;
    for (int colour = 1; !candidates.Empty(); ++colour) {
        for (Bits<W> fits = candidates; !fits.Empty();) {
            const int v = fits.Lowest();
            fits = fits.Without(adjacency[std::size_t(v)]);
            fits.Erase(v);
            candidates.Erase(v);
            if (colour >= fromColour) {
                vertices[std::size_t(written)] = std::uint8_t(v);
                colours[std::size_t(written)] = std::uint8_t(colour);
                ++written;
            }
        }
    }
    return written;
}

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
            const Bits<W> involved = candidates | excluded;
            if (involved.Count() <= 64) {
                count += CountInOneWord(involved, candidates);
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
    // one word, so that every intersection further down is a single instruction.
    // Time: O(k^2) for its k vertices.
    std::int64_t CountInOneWord(const Bits<W>& involved, const Bits<W>& candidates) const
    {
        std::array<std::uint8_t, VertexSet::Capacity> local;
        std::array<int, 64> vertices;
        int k = 0;
        involved.ForEach([&](int v) {
            local[std::size_t(v)] = std::uint8_t(k);
            vertices[std::size_t(k++)] = v;
        });
        std::array<Bits<1>, 64> rows;
        Bits<1> localCandidates;
        Bits<1> localExcluded;
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
        return MaximalCliqueCounter<1>(rows.data()).Count(localCandidates, localExcluded);
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

// Branch and bound for the size of the largest clique.
template <int W> class LargestCliqueSearch {
  public:
    LargestCliqueSearch(const Rows<W>& adjacency, int atLeast) : adjacency(adjacency), best(atLeast) {}

    // Time: exponential in the worst case.
    int Run(Bits<W> candidates)
    {
        Expand(0, candidates);
        return best;
    }

  private:
    // Tries the candidates of the highest colours first; the rest cannot beat the best.
    // Time: O(n^2) words for the colouring.
    void Expand(int size, Bits<W> candidates)
    {
        std::array<std::uint8_t, VertexSet::Capacity> vertices;
        std::array<std::uint8_t, VertexSet::Capacity> colours;
        const int count = ColourClasses(adjacency, candidates, best - size + 1, vertices, colours);
        for (int i = count - 1; i >= 0; --i) {
            if (size + colours[std::size_t(i)] <= best)
                return;
            const int v = vertices[std::size_t(i)];
            const Bits<W> next = candidates & adjacency[std::size_t(v)];
            if (next.Empty())
                best = std::max(best, size + 1);
            else
                Expand(size + 1, next);
            candidates.Erase(v);
        }
    }

    const Rows<W>& adjacency;
    int best;
};

// The listing search's order (the highest candidate first) cut to cliques that can still
// reach a given size.
template <int W> class FirstCliqueSearch {
  public:
    FirstCliqueSearch(const Rows<W>& adjacency, int size) : adjacency(adjacency), size(size) {}

    // Vertex numbers (index + 1) in the search's order, or empty. Time: exponential.
    std::vector<int> Run(Bits<W> candidates)
    {
        clique.clear();
        if (!Extend(candidates))
            clique.clear();
        return clique;
    }

  private:
    // Colours the candidates, lowest vertices first, so that those up to v use no colour
    // above the greatest among them: at most that many of them can join the clique.
    // Time: O(n^2) words.
    void Reach(const Bits<W>& candidates, std::array<std::uint8_t, VertexSet::Capacity>& reach) const
    {
        std::array<std::uint8_t, VertexSet::Capacity> vertices;
        std::array<std::uint8_t, VertexSet::Capacity> colours;
        const int count = ColourClasses(adjacency, candidates, 1, vertices, colours);
        for (int i = 0; i < count; ++i)
            reach[vertices[std::size_t(i)]] = colours[std::size_t(i)];
        std::uint8_t most = 0;
        candidates.ForEach([&](int v) {
            most = std::max(most, reach[std::size_t(v)]);
            reach[std::size_t(v)] = most;
        });
    }

    // Extends the clique from the candidates, the highest first, until it has `size`
    // vertices. Time: exponential in the worst case.
    bool Extend(Bits<W> candidates)
    {
        std::array<std::uint8_t, VertexSet::Capacity> reach;
        Reach(candidates, reach);
        for (int v = candidates.Highest(); v >= 0; v = candidates.Highest()) {
            // Only candidates up to v are left, and their colours only fall as v does.
            if (int(clique.size()) + reach[std::size_t(v)] < size)
                return false;
            clique.push_back(v + 1);
            if (int(clique.size()) == size)
                return true;
            const Bits<W> next = candidates & adjacency[std::size_t(v)];
            if (!next.Empty() && Extend(next))
                return true;
            clique.pop_back();
            candidates.Erase(v);
        }
        return false;
    }

    const Rows<W>& adjacency;
    int size;
    std::vector<int> clique;
};

// Indices 0..count-1.
template <int W> Bits<W> FirstIndices(int count)
{
    Bits<W> all;
    for (int i = 0; i < count; ++i)
        all.Insert(i);
    return all;
}

} // namespace

std::int64_t CountMaximalCliques(const AdjacencySets& adjacency, int vertexCount)
{
    if (vertexCount <= 0)
        return 0;
    return WithWords(vertexCount, [&](auto words) {
        constexpr int W = decltype(words)::value;
        const Rows<W> rows = RowsInOrder<W>(adjacency, NumberOrder(vertexCount));
        return MaximalCliqueCounter<W>(rows.data()).Count(FirstIndices<W>(vertexCount), Bits<W>());
    });
}

int LargestCliqueSize(const AdjacencySets& adjacency, int vertexCount, int atLeast)
{
    if (vertexCount <= 0)
        return 0;
    // Decreasing degree: the colourings then put the well-connected vertices into the first
    // classes, which are tried last.
    std::vector<int> order = NumberOrder(vertexCount);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return adjacency[std::size_t(a)].Count() > adjacency[std::size_t(b)].Count();
    });
    return WithWords(vertexCount, [&](auto words) {
        constexpr int W = decltype(words)::value;
        const Rows<W> rows = RowsInOrder<W>(adjacency, order);
        return LargestCliqueSearch<W>(rows, atLeast).Run(FirstIndices<W>(vertexCount));
    });
}

std::vector<int> FirstCliqueOfSize(const AdjacencySets& adjacency, int vertexCount, int size)
{
    if (size <= 0 || size > vertexCount)
        return {};
    return WithWords(vertexCount, [&](auto words) {
        constexpr int W = decltype(words)::value;
        const Rows<W> rows = RowsInOrder<W>(adjacency, NumberOrder(vertexCount));
        return FirstCliqueSearch<W>(rows, size).Run(FirstIndices<W>(vertexCount));
    });
}

std::vector<int> FirstLargestClique(const AdjacencySets& adjacency, int vertexCount, int atLeast)
{
    return FirstCliqueOfSize(adjacency, vertexCount, LargestCliqueSize(adjacency, vertexCount, atLeast));
}
