#include "algorithms/KuratowskiSubdivision.h"

#include <algorithm>
#include <iterator>

// GCC's flow analysis sees variables of the Kuratowski extraction as possibly unset; they are
// set on every path that reads them.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <boost/graph/adjacency_list.hpp>
#include <boost/graph/boyer_myrvold_planar_test.hpp>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

namespace {

using Pair = std::pair<int, int>;
using Graph = boost::adjacency_list<boost::vecS, boost::vecS, boost::undirectedS,
                                    boost::property<boost::vertex_index_t, int>,
                                    boost::property<boost::edge_index_t, int>>;

// Boyer and Myrvold's test on the given edges of vertices 1..vertexCount; witness, when given,
// receives the edges Boost extracts from a graph that is not planar.
bool IsPlanar(int vertexCount, const std::vector<Pair>& edges, std::vector<Pair>* witness)
{
    Graph graph{std::size_t(vertexCount)};
    int index = 0;
    for (const auto& [a, b] : edges) {
        const auto added = boost::add_edge(std::size_t(a - 1), std::size_t(b - 1), graph);
        boost::put(boost::edge_index, graph, added.first, index++);
    }
    if (!witness)
        return boost::boyer_myrvold_planarity_test(graph);
    std::vector<boost::graph_traits<Graph>::edge_descriptor> found;
    const bool planar = boost::boyer_myrvold_planarity_test(boost::boyer_myrvold_params::graph = graph,
                                                            boost::boyer_myrvold_params::kuratowski_subgraph =
                                                                std::back_inserter(found));
    for (const auto& e : found) {
        const int a = int(boost::source(e, graph)) + 1;
        const int b = int(boost::target(e, graph)) + 1;
        witness->emplace_back(std::min(a, b), std::max(a, b));
    }
    return planar;
}

// Boost's extracted subgraph can carry edges beyond the subdivision (a pendant edge, say).
// Dropping every edge whose removal leaves the rest non-planar leaves a minimal non-planar
// graph, which is exactly a subdivided K5 or K3,3. The test runs on the witness alone, its
// vertices renumbered, so each check is as small as the witness.
std::vector<Pair> MinimalWitness(std::vector<Pair> witness)
{
    std::sort(witness.begin(), witness.end());
    witness.erase(std::unique(witness.begin(), witness.end()), witness.end());
    std::vector<int> ends;
    for (const auto& [a, b] : witness) {
        ends.push_back(a);
        ends.push_back(b);
    }
    std::sort(ends.begin(), ends.end());
    ends.erase(std::unique(ends.begin(), ends.end()), ends.end());
    auto local = [&ends](int v) {
        return int(std::lower_bound(ends.begin(), ends.end(), v) - ends.begin()) + 1;
    };

    std::vector<Pair> kept;
    for (const auto& [a, b] : witness)
        kept.emplace_back(local(a), local(b));
    std::vector<bool> needed(kept.size(), true);
    std::vector<Pair> without;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        without.clear();
        for (std::size_t j = 0; j < kept.size(); ++j)
            if (j != i && needed[j])
                without.push_back(kept[j]);
        if (!IsPlanar(int(ends.size()), without, nullptr))
            needed[i] = false;
    }
    std::vector<Pair> minimal;
    for (std::size_t i = 0; i < witness.size(); ++i)
        if (needed[i])
            minimal.push_back(witness[i]);
    return minimal;
}

// The edges as one simple graph, lower end first, in increasing order; of a graph denser than
// a planar one can be, only the first 3n - 5: any 3n - 5 edges already hold a subdivision, and
// testing only those keeps a dense graph as fast as a sparse one.
std::vector<Pair> SimpleEdges(int vertexCount, const std::vector<Pair>& edges)
{
    std::vector<Pair> simple;
    simple.reserve(edges.size());
    for (const auto& [a, b] : edges)
        if (a != b && a >= 1 && b >= 1 && a <= vertexCount && b <= vertexCount)
            simple.emplace_back(std::min(a, b), std::max(a, b));
    std::sort(simple.begin(), simple.end());
    simple.erase(std::unique(simple.begin(), simple.end()), simple.end());
    if (vertexCount >= 3 && simple.size() > std::size_t(3 * vertexCount - 5))
        simple.resize(std::size_t(3 * vertexCount - 5));
    return simple;
}

} // namespace

bool IsPlanarCompletely(int vertexCount, const std::vector<std::pair<int, int>>& edges)
{
    return IsPlanar(vertexCount, SimpleEdges(vertexCount, edges), nullptr);
}

CompletePlanarity TestPlanarityCompletely(int vertexCount, const std::vector<std::pair<int, int>>& edges)
{
    CompletePlanarity verdict;
    const std::vector<Pair> simple = SimpleEdges(vertexCount, edges);
    std::vector<Pair> witness;
    verdict.planar = IsPlanar(vertexCount, simple, &witness);
    if (verdict.planar)
        return verdict;

    verdict.kuratowski = MinimalWitness(std::move(witness));
    std::vector<int> degree(std::size_t(vertexCount) + 1, 0);
    for (const auto& [a, b] : verdict.kuratowski) {
        ++degree[std::size_t(a)];
        ++degree[std::size_t(b)];
    }
    // A subdivided K5 branches at five vertices of degree 4, a subdivided K3,3 at six of degree 3.
    verdict.branchVertices = int(std::count_if(degree.begin(), degree.end(), [](int d) { return d >= 3; }));
    return verdict;
}
