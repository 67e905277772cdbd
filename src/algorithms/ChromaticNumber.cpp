#include "algorithms/ChromaticNumber.h"

#include "document/GraphDocument.h"

#include <algorithm>
#include <bitset>

namespace {

using Bits = std::bitset<GraphDocument::MaxVertices + 1>;

// A large clique, greedily: from every vertex, add the candidate with the most neighbours among
// the candidates left; a clique of `enough` vertices ends the search (no bound can be higher).
// O(n^2) words per start vertex over bit sets.
int GreedyClique(const std::vector<Bits>& adjacent, int n, int enough)
{
    int best = n > 0 ? 1 : 0;
    for (int start = 1; start <= n && best < enough; ++start) {
        Bits candidates = adjacent[std::size_t(start)];
        // No clique through a vertex is larger than its neighbourhood and itself.
        if (int(candidates.count()) + 1 <= best)
            continue;
        int size = 1;
        while (candidates.any()) {
            int pick = 0;
            std::size_t most = 0;
            for (int v = 1; v <= n; ++v)
                if (candidates[std::size_t(v)]) {
                    const std::size_t common = (adjacent[std::size_t(v)] & candidates).count();
                    if (pick == 0 || common > most) {
                        pick = v;
                        most = common;
                    }
                }
            candidates &= adjacent[std::size_t(pick)];
            ++size;
        }
        best = std::max(best, size);
    }
    return best;
}

class DsaturSearch {
  public:
    DsaturSearch(const GraphDocument& g, ChromaticBounds& bounds, long long budget)
        : n(g.VertexCount), bounds(bounds), budget(budget), adjacent(std::size_t(n) + 1),
          colour(std::size_t(n) + 1, 0), saturation(std::size_t(n) + 1, 0),
          seen((std::size_t(n) + 1) * (std::size_t(n) + 2), 0)
    {
        for (int a = 1; a <= n; ++a)
            for (int b : g.OutArcs(a)) {
                adjacent[std::size_t(a)][std::size_t(b)] = true;
                adjacent[std::size_t(b)][std::size_t(a)] = true;
            }
        neighbours.resize(std::size_t(n) + 1);
        for (int a = 1; a <= n; ++a)
            for (int b = 1; b <= n; ++b)
                if (adjacent[std::size_t(a)][std::size_t(b)])
                    neighbours[std::size_t(a)].push_back(b);
    }

    const std::vector<Bits>& Adjacency() const { return adjacent; }

    // True when the whole search ran: the best colouring found is then optimal.
    bool Run()
    {
        for (int v = 1; v <= n; ++v)
            uncoloured[std::size_t(v)] = true;
        Extend(0, 0);
        return budget > 0;
    }

  private:
    int Pick() const
    {
        int pick = 0, pickSaturation = -1, pickDegree = -1;
        for (int v = 1; v <= n; ++v) {
            if (colour[std::size_t(v)] != 0)
                continue;
            const int s = saturation[std::size_t(v)];
            if (s < pickSaturation)
                continue;
            const int degree = int((adjacent[std::size_t(v)] & uncoloured).count());
            if (s > pickSaturation || degree > pickDegree) {
                pick = v;
                pickSaturation = s;
                pickDegree = degree;
            }
        }
        return pick;
    }

    void Paint(int v, int c, int delta)
    {
        colour[std::size_t(v)] = delta > 0 ? c : 0;
        uncoloured[std::size_t(v)] = delta < 0;
        for (int w : neighbours[std::size_t(v)]) {
            int& count = Seen(w, c);
            if (delta > 0 && count++ == 0)
                ++saturation[std::size_t(w)];
            else if (delta < 0 && --count == 0)
                --saturation[std::size_t(w)];
        }
    }

    void Extend(int coloured, int used)
    {
        if (bounds.exact() || budget <= 0)
            return;
        // Each step costs about a pass over the vertices.
        budget -= n + 16;
        if (coloured == n) {
            if (used < bounds.upper) {
                bounds.upper = used;
                bounds.colouring = colour;
            }
            return;
        }
        const int v = Pick();
        // A colour beyond the best found so far, less one, cannot improve on it; the best
        // may improve inside the loop.
        for (int c = 1; c <= std::min(used + 1, bounds.upper - 1) && !bounds.exact() && budget > 0; ++c) {
            if (Seen(v, c) != 0)
                continue;
            Paint(v, c, +1);
            Extend(coloured + 1, std::max(used, c));
            Paint(v, c, -1);
        }
    }

    const int n;
    ChromaticBounds& bounds;
    long long budget;
    std::vector<Bits> adjacent;
    std::vector<std::vector<int>> neighbours;
    Bits uncoloured;
    std::vector<int> colour, saturation;
    // How many neighbours of w have colour c: one block, row w, column c.
    int& Seen(int w, int c) { return seen[std::size_t(w) * (std::size_t(n) + 2) + std::size_t(c)]; }
    std::vector<int> seen;
};

} // namespace

ChromaticBounds FindChromaticBounds(const GraphDocument& g, const std::vector<int>& greedy, long long budget)
{
    ChromaticBounds bounds;
    bounds.colouring = greedy;
    bounds.colouring.resize(std::size_t(g.VertexCount) + 1, 0);
    for (int v = 1; v <= g.VertexCount; ++v)
        bounds.upper = std::max(bounds.upper, bounds.colouring[std::size_t(v)]);
    DsaturSearch search(g, bounds, budget);
    bounds.lower = std::min(GreedyClique(search.Adjacency(), g.VertexCount, bounds.upper), bounds.upper);
    if (search.Run())
        bounds.lower = bounds.upper;
    return bounds;
}
