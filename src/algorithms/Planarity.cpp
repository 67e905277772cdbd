#include "algorithms/Planarity.h"

#include "algorithms/CliqueBitSets.h"
#include "algorithms/KuratowskiSubdivision.h"
#include "base/TranslateManager.h"
#include "document/AllGrafUnit.h"

#include <optional>
#include <utility>

namespace {

using Arg = StepTrace::Argument;
using VertexState = StepTrace::VertexState;
using ArcState = StepTrace::ArcState;
using Pair = std::pair<int, int>;

// The graph as the configuration search sees it after its contractions: vertices 1..n, each
// adjacency entry standing for an arc of the document.
struct ReducedGraph {
    int n = 0;
    AdjacencySets adjacency;
    std::vector<std::vector<Pair>> arcOf; // [a][b]: the document's arc the entry stands for
    std::vector<int> origin;              // the document vertex whose row this was

    explicit ReducedGraph(const TAllGraf& g) : n(g.PointCount)
    {
        adjacency.resize(std::size_t(n) + 1);
        arcOf.assign(std::size_t(n) + 1, std::vector<Pair>(std::size_t(n) + 1));
        origin.resize(std::size_t(n) + 1);
        for (int v = 1; v <= n; ++v)
            origin[v] = v;
        for (int u = 1; u <= n; ++u)
            for (int v : g.OutArcs(u))
                if (v != u) {
                    adjacency[u].Insert(v);
                    adjacency[v].Insert(u);
                    arcOf[u][v] = {u, v};
                    arcOf[v][u] = {v, u};
                }
    }

    VertexSet Below(int v) const
    {
        VertexSet set;
        for (int u = 1; u < v; ++u)
            set.Insert(u);
        return set;
    }

    // The first K5 among the 5-subsets in colexicographic order: the subsets are ordered by
    // their highest member, then the next, so nested loops over growing members find it
    // without listing them all.
    std::optional<SubsetRow> FirstK5() const
    {
        for (int e5 = 5; e5 <= n; ++e5) {
            const VertexSet n5 = adjacency[e5] & Below(e5);
            for (int e4 : n5) {
                const VertexSet n4 = n5 & adjacency[e4] & Below(e4);
                for (int e3 : n4) {
                    const VertexSet n3 = n4 & adjacency[e3] & Below(e3);
                    for (int e2 : n3) {
                        const VertexSet n2 = n3 & adjacency[e2] & Below(e2);
                        if (!n2.Empty())
                            return SubsetRow{n2.Lowest(), e2, e3, e4, e5};
                    }
                }
            }
        }
        return std::nullopt;
    }

    // The first pair of triples (s outer, t inner, both in colexicographic order) with every
    // vertex of s joined to every vertex of t: for each s, the first fitting t is made of the
    // three lowest vertices joined to all of s.
    std::optional<std::pair<SubsetRow, SubsetRow>> FirstK33() const
    {
        std::vector<SubsetRow> triples;
        EnumerateSubsets(3, n, triples);
        for (const SubsetRow& s : triples) {
            const VertexSet common = adjacency[s[0]] & adjacency[s[1]] & adjacency[s[2]];
            if (common.Count() < 3)
                continue;
            SubsetRow t{};
            int k = 0;
            for (int b : common) {
                t[k++] = b;
                if (k == 3)
                    break;
            }
            return std::make_pair(s, t);
        }
        return std::nullopt;
    }

    // Merges the clique's other members into its first one, r, carrying over the arcs their
    // entries stand for, then drops their rows and columns.
    void Contract(const std::vector<int>& clique)
    {
        const int r = clique.front();
        std::vector<bool> removed(std::size_t(n) + 1, false);
        for (std::size_t k = 1; k < clique.size(); ++k) {
            const int m = clique[k];
            removed[m] = true;
            for (int x : adjacency[m]) {
                if (x == r)
                    continue;
                adjacency[r].Insert(x);
                adjacency[x].Insert(r);
                arcOf[r][x] = arcOf[m][x];
                arcOf[x][r] = arcOf[x][m];
            }
        }
        std::vector<int> renumbered(std::size_t(n) + 1, 0);
        int kept = 0;
        for (int v = 1; v <= n; ++v)
            if (!removed[v])
                renumbered[v] = ++kept;
        AdjacencySets nextAdjacency(std::size_t(kept) + 1);
        std::vector<std::vector<Pair>> nextArcOf(std::size_t(kept) + 1,
                                                 std::vector<Pair>(std::size_t(kept) + 1));
        std::vector<int> nextOrigin(std::size_t(kept) + 1);
        for (int u = 1; u <= n; ++u) {
            if (removed[u])
                continue;
            const int nu = renumbered[u];
            nextOrigin[nu] = origin[u];
            for (int w : adjacency[u])
                if (!removed[w]) {
                    nextAdjacency[nu].Insert(renumbered[w]);
                    nextArcOf[nu][renumbered[w]] = arcOf[u][w];
                }
        }
        n = kept;
        adjacency = std::move(nextAdjacency);
        arcOf = std::move(nextArcOf);
        origin = std::move(nextOrigin);
    }
};

// The configuration search among vertices and contracted cliques. Returns the pairs of the
// configuration found as arcs of the document, or nothing.
std::vector<Pair> SearchConfiguration(const TAllGraf& g, StepTrace& steps)
{
    ReducedGraph graph(g);
    std::vector<Pair> found;
    auto record = [&](int a, int b) { found.push_back(graph.arcOf[a][b]); };
    auto showArcs = [&] {
        for (const auto& [p, q] : found)
            steps.SetArc(p, q, ArcState::Chosen);
    };

    while (graph.n >= 5) {
        int atLeast3 = 0; // vertices of degree 3 or more
        int atLeast2 = 0;
        for (int v = 1; v <= graph.n; ++v) {
            const int degree = graph.adjacency[v].Count();
            atLeast3 += degree >= 3;
            atLeast2 += degree >= 2;
        }
        steps.Step("step_planar_degree",
                   {Arg::Number(graph.n), Arg::Number(atLeast3), Arg::Number(atLeast2)});
        const bool enoughDegree = atLeast3 >= 5 || atLeast2 >= 6;
        if (!enoughDegree) {
            steps.Step("step_planar_degree_stop");
            break;
        }
        if (const auto k5 = graph.FirstK5()) {
            const SubsetRow& row = *k5;
            for (int i = 0; i < 5; ++i)
                for (int j = i + 1; j < 5; ++j)
                    record(row[i], row[j]);
            if (steps.Enabled()) {
                showArcs();
                steps.Step("step_planar_k5",
                           {Arg::Vertex(graph.origin[row[0]]), Arg::Vertex(graph.origin[row[1]]),
                            Arg::Vertex(graph.origin[row[2]]), Arg::Vertex(graph.origin[row[3]]),
                            Arg::Vertex(graph.origin[row[4]])});
            }
            break;
        }
        if (graph.n >= 6) {
            if (const auto k33 = graph.FirstK33()) {
                const auto& [s, t] = *k33;
                for (int j = 0; j < 3; ++j)
                    for (int i = 0; i < 3; ++i)
                        record(s[i], t[j]);
                if (steps.Enabled()) {
                    showArcs();
                    steps.Step("step_planar_k33",
                               {Arg::Vertex(graph.origin[s[0]]), Arg::Vertex(graph.origin[s[1]]),
                                Arg::Vertex(graph.origin[s[2]]), Arg::Vertex(graph.origin[t[0]]),
                                Arg::Vertex(graph.origin[t[1]]), Arg::Vertex(graph.origin[t[2]])});
                }
                break;
            }
        }
        if (g.PointCount < 6)
            break;

        const std::vector<int> clique = FirstLargestClique(graph.adjacency, graph.n);
        if (clique.size() < 2)
            break;
        if (steps.Enabled()) {
            for (std::size_t k = 1; k < clique.size(); ++k)
                steps.SetVertex(graph.origin[clique[k]], VertexState::Finished);
            steps.SetVertex(graph.origin[clique.front()], VertexState::Current);
            steps.Step("step_planar_contract",
                       {Arg::Number(int(clique.size())), Arg::Vertex(graph.origin[clique.front()])});
        }
        graph.Contract(clique);
    }
    if (found.empty() && graph.n < 5)
        steps.Step("step_planar_few");
    return found;
}

} // namespace

int EnumerateSubsets(int k, int n, std::vector<SubsetRow>& table)
{
    table.clear();
    if (k < 1 || k > 5 || k > n)
        return 0;
    std::vector<bool> marks(std::size_t(n), false);
    for (int i = 0; i < k; ++i)
        marks[std::size_t(i)] = true;
    while (true) {
        SubsetRow row{};
        int placed = 0;
        for (int i = 0; i < n; ++i)
            if (marks[std::size_t(i)])
                row[std::size_t(placed++)] = i + 1;
        table.push_back(row);

        // The first unset mark after a set one moves up; the set marks before it go back to
        // the front, one fewer.
        int before = 0;
        int i = 0;
        while (i < n && !(before > 0 && !marks[std::size_t(i)])) {
            before += marks[std::size_t(i)];
            ++i;
        }
        if (i == n)
            break;
        marks[std::size_t(i)] = true;
        for (int j = 0; j < i; ++j)
            marks[std::size_t(j)] = j < before - 1;
    }
    return int(table.size());
}

AlgorithmResult PlanarityTest(const TAllGraf& g, bool recordSteps)
{
    AlgorithmResult result;
    StepTrace& steps = result.steps;
    const int n = g.PointCount;
    if (recordSteps)
        steps.Start(n);

    std::vector<Pair> arcs;
    if (n <= ConfigurationSearchLimit) {
        arcs = SearchConfiguration(g, steps);
    } else {
        steps.Step("step_planar_large", {Arg::Number(ConfigurationSearchLimit)});
    }

    if (arcs.empty()) {
        // The search above only ever proves a graph not planar; the complete test decides the rest.
        std::vector<Pair> edges;
        for (int u = 1; u <= n; ++u)
            for (int v : g.OutArcs(u))
                edges.emplace_back(u, v);
        const CompletePlanarity verdict = TestPlanarityCompletely(n, edges);
        if (steps.Enabled())
            for (int v = 1; v <= n; ++v)
                steps.SetVertex(v, VertexState::None);
        if (verdict.planar) {
            steps.Step("step_planar_planar");
        } else {
            arcs = verdict.kuratowski;
            if (steps.Enabled()) {
                for (const auto& [p, q] : arcs)
                    steps.SetArc(p, q, ArcState::Chosen);
                steps.Step(verdict.branchVertices == 5 ? "step_planar_subdivision_k5"
                                                       : "step_planar_subdivision_k33",
                           {Arg::Number(int(arcs.size()))});
            }
        }
    }

    result.Clear();
    if (arcs.empty()) {
        result.Heading(Translate(QStringLiteral("Graf_is_planar")));
    } else {
        result.Heading(Translate(QStringLiteral("Graf_is_not_planar")));
        result.Line(Translate(QStringLiteral("Do_planar_delete")));
        for (const auto& [p, q] : arcs) {
            result.Line(g.PointTitle(p) + QStringLiteral(" - ") + g.PointTitle(q));
            result.HighlightArc(p, q);
            result.HighlightArc(q, p);
        }
    }
    result.ShowReport();
    return result;
}
