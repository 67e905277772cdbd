#include "algorithms/CliqueBitSets.h"

#include "algorithms/MaximalCliqueCounter.h"

namespace {

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

} // namespace

std::int64_t CountMaximalCliques(const AdjacencySets& adjacency, int vertexCount)
{
#if defined(__x86_64__) || defined(__i386__)
    // The count is mostly population counts; the instruction makes it about a fifth faster
    // on the processors that have it, and the build's target does not assume it.
    static const bool popcount = __builtin_cpu_supports("popcnt");
    if (popcount)
        return CountMaximalCliquesWithPopcount(adjacency, vertexCount);
#endif
    return CountMaximalCliquesPortably(adjacency, vertexCount);
}

std::int64_t CountMaximalCliquesPortably(const AdjacencySets& adjacency, int vertexCount)
{
    return CountMaximalCliquesOnRows(adjacency, vertexCount);
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
