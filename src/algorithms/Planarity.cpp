#include "algorithms/Planarity.h"

#include "algorithms/CliqueBitSets.h"
#include "algorithms/KuratowskiSubdivision.h"
#include "base/TranslationManager.h"
#include "document/GraphDocument.h"

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

namespace {

using Arg = StepTrace::Argument;
using VertexState = StepTrace::VertexState;
using ArcState = StepTrace::ArcState;
using Pair = std::pair<int, int>;

// The caption of an arc to delete, in place of its weight (weights play no part here).
const QString DeletedArcMark = QStringLiteral("\u00D7");

// The graph as the configuration search sees it after its contractions: vertices 1..n, each
// adjacency entry standing for an arc of the document.
struct ReducedGraph {
    int n = 0;
    AdjacencySets adjacency;
    std::vector<std::vector<Pair>> arcOf; // [a][b]: the document's arc the entry stands for
    std::vector<int> origin;              // the document vertex whose row this was
    std::vector<int> groupOf;             // [document vertex]: the vertex it was merged into
    std::vector<Pair> contracted;         // the document arcs that joined merged vertices

    explicit ReducedGraph(const GraphDocument& g) : n(g.VertexCount)
    {
        adjacency.resize(std::size_t(n) + 1);
        arcOf.assign(std::size_t(n) + 1, std::vector<Pair>(std::size_t(n) + 1));
        origin.resize(std::size_t(n) + 1);
        for (int v = 1; v <= n; ++v)
            origin[v] = v;
        groupOf = origin;
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
    // entries stand for, then drops their rows and columns. The arc that joins each member to
    // what r holds so far is kept, so every merged vertex stands for a tree of document arcs.
    void Contract(const std::vector<int>& clique)
    {
        const int r = clique.front();
        std::vector<bool> removed(std::size_t(n) + 1, false);
        for (std::size_t k = 1; k < clique.size(); ++k) {
            const int m = clique[k];
            removed[m] = true;
            contracted.push_back(arcOf[r][m]);
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
        for (int& group : groupOf)
            group = renumbered[removed[group] ? r : group];
        n = kept;
        adjacency = std::move(nextAdjacency);
        arcOf = std::move(nextArcOf);
        origin = std::move(nextOrigin);
    }
};

// A K5 or K3,3 in the document: one chain of document vertices for each of its pairs, in the
// order the pairs were recorded. A subdivision when the chains meet only at their ends;
// otherwise (a K5 whose contracted part has no vertex the chains can leave from apart) the
// chains show the configuration as a minor of the graph.
struct Configuration {
    std::vector<std::vector<int>> chains;
    int branchVertices = 0; // 5 or 6
    bool subdivision = true;
};

// The chains of the pairs found in the reduced graph. Each reduced vertex stands for a tree of
// contracted document arcs; its chains leave from one vertex of that tree — the vertex it was
// kept as, or else the lowest from which the tree paths to the chains' arcs part at once — and
// run through the tree to the arc the pair stands for.
Configuration ExpandChains(const ReducedGraph& graph, const std::vector<Pair>& pairs, int branchVertices)
{
    const int documentCount = int(graph.groupOf.size()) - 1;
    std::vector<std::vector<int>> tree(std::size_t(documentCount) + 1);
    for (const auto& [p, q] : graph.contracted) {
        tree[p].push_back(q);
        tree[q].push_back(p);
    }
    // Parents towards the root within its tree; the root is its own parent.
    auto rootedAt = [&](int root) {
        std::vector<int> parent(std::size_t(documentCount) + 1, 0);
        parent[root] = root;
        std::vector<int> queue{root};
        for (std::size_t i = 0; i < queue.size(); ++i)
            for (int w : tree[queue[i]])
                if (parent[w] == 0) {
                    parent[w] = queue[i];
                    queue.push_back(w);
                }
        return parent;
    };
    // Whether the tree paths from the root to the points share nothing but the root.
    auto partsAtRoot = [](const std::vector<int>& parent, int root, const std::vector<int>& points) {
        std::vector<int> firstSteps;
        for (int t : points) {
            if (t == root)
                continue;
            while (parent[t] != root)
                t = parent[t];
            if (std::find(firstSteps.begin(), firstSteps.end(), t) != firstSteps.end())
                return false;
            firstSteps.push_back(t);
        }
        return true;
    };

    Configuration found;
    found.branchVertices = branchVertices;
    std::map<int, std::vector<int>> attached; // reduced vertex -> the ends of its pairs' arcs
    for (const auto& [a, b] : pairs) {
        const auto& [p, q] = graph.arcOf[a][b];
        attached[a].push_back(p);
        attached[b].push_back(q);
    }
    std::map<int, std::vector<int>> parentOf;
    for (const auto& [a, points] : attached) {
        std::vector<int> candidates{graph.origin[a]};
        for (int v = 1; v <= documentCount; ++v)
            if (graph.groupOf[v] == a && v != graph.origin[a])
                candidates.push_back(v);
        bool parted = false;
        for (int root : candidates) {
            std::vector<int> parent = rootedAt(root);
            if (partsAtRoot(parent, root, points)) {
                parentOf[a] = std::move(parent);
                parted = true;
                break;
            }
        }
        if (!parted) {
            found.subdivision = false;
            parentOf[a] = rootedAt(graph.origin[a]);
        }
    }
    for (const auto& [a, b] : pairs) {
        const auto& [p, q] = graph.arcOf[a][b];
        std::vector<int> chain;
        const std::vector<int>& fromParent = parentOf[a];
        for (int v = p;; v = fromParent[v]) {
            chain.push_back(v);
            if (fromParent[v] == v)
                break;
        }
        std::reverse(chain.begin(), chain.end());
        const std::vector<int>& toParent = parentOf[b];
        for (int v = q;; v = toParent[v]) {
            chain.push_back(v);
            if (toParent[v] == v)
                break;
        }
        found.chains.push_back(std::move(chain));
    }
    return found;
}

// The configuration search among vertices and contracted cliques: the configuration found,
// or one without chains.
Configuration SearchConfiguration(const GraphDocument& g, StepTrace& steps)
{
    ReducedGraph graph(g);
    std::vector<Pair> pairs; // of reduced vertices
    auto record = [&](int a, int b) { pairs.emplace_back(a, b); };
    auto showArcs = [&] {
        for (const auto& [a, b] : pairs)
            steps.SetArc(graph.arcOf[a][b].first, graph.arcOf[a][b].second, ArcState::Chosen);
    };
    int branchVertices = 0;

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
            branchVertices = 5;
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
                branchVertices = 6;
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
        if (g.VertexCount < 6)
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
    if (pairs.empty()) {
        if (graph.n < 5)
            steps.Step("step_planar_few");
        return {};
    }
    return ExpandChains(graph, pairs, branchVertices);
}

// A small set of arcs whose deletion makes the graph planar: arcs of the subdivision the
// complete test finds are deleted (of each, the one with the most arcs at its ends) until the
// rest is planar; then every deleted arc that can go back alone goes back. What is left is a
// set of which no arc can be put back without losing planarity. Arcs lower end first, sorted.
std::vector<Pair> DeletionSet(int n, std::vector<Pair> remaining)
{
    std::vector<Pair> deleted;
    // More than 3n - 6 edges are never planar: down to that many, arcs between the busiest
    // vertices go first without asking the test for a subdivision each time.
    if (int(remaining.size()) > 3 * n - 6) {
        std::vector<int> degree(std::size_t(n) + 1, 0);
        for (const auto& [a, b] : remaining) {
            ++degree[a];
            ++degree[b];
        }
        std::stable_sort(remaining.begin(), remaining.end(), [&degree](const Pair& x, const Pair& y) {
            return degree[x.first] + degree[x.second] > degree[y.first] + degree[y.second];
        });
        const std::size_t excess = remaining.size() - std::size_t(3 * n - 6);
        deleted.assign(remaining.begin(), remaining.begin() + std::ptrdiff_t(excess));
        remaining.erase(remaining.begin(), remaining.begin() + std::ptrdiff_t(excess));
    }
    while (true) {
        const CompletePlanarity verdict = TestPlanarityCompletely(n, remaining);
        if (verdict.planar)
            break;
        std::vector<int> degree(std::size_t(n) + 1, 0);
        for (const auto& [a, b] : remaining) {
            ++degree[a];
            ++degree[b];
        }
        Pair chosen = verdict.kuratowski.front();
        for (const auto& [a, b] : verdict.kuratowski)
            if (degree[a] + degree[b] > degree[chosen.first] + degree[chosen.second])
                chosen = {a, b};
        remaining.erase(std::find(remaining.begin(), remaining.end(), chosen));
        deleted.push_back(chosen);
    }
    std::vector<Pair> kept;
    for (const Pair& arc : deleted) {
        remaining.push_back(arc);
        // More than 3n - 6 edges are never planar: no test needed.
        if (int(remaining.size()) <= 3 * n - 6 && IsPlanarCompletely(n, remaining))
            continue;
        remaining.pop_back();
        kept.push_back(arc);
    }
    std::sort(kept.begin(), kept.end());
    return kept;
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

AlgorithmResult PlanarityTest(const GraphDocument& g, bool recordSteps)
{
    AlgorithmResult result;
    StepTrace& steps = result.steps;
    const int n = g.VertexCount;
    if (recordSteps)
        steps.Start(n);

    Configuration found;
    if (n <= ConfigurationSearchLimit) {
        found = SearchConfiguration(g, steps);
    } else {
        steps.Step("step_planar_large", {Arg::Number(ConfigurationSearchLimit)});
    }

    std::vector<Pair> edges;
    for (int u = 1; u <= n; ++u)
        for (int v : g.OutArcs(u))
            if (u < v || !g.HasArc(v, u))
                edges.emplace_back(std::min(u, v), std::max(u, v));
    if (found.chains.empty()) {
        // The search above only ever proves a graph not planar; the complete test decides the rest.
        const CompletePlanarity verdict = TestPlanarityCompletely(n, edges);
        if (steps.Enabled())
            for (int v = 1; v <= n; ++v)
                steps.SetVertex(v, VertexState::None);
        if (verdict.planar) {
            steps.Step("step_planar_planar");
        } else {
            for (const auto& [p, q] : verdict.kuratowski)
                found.chains.push_back({p, q});
            found.branchVertices = verdict.branchVertices;
            if (steps.Enabled()) {
                for (const auto& [p, q] : verdict.kuratowski)
                    steps.SetArc(p, q, ArcState::Chosen);
                steps.Step(verdict.branchVertices == 5 ? "step_planar_subdivision_k5"
                                                       : "step_planar_subdivision_k33",
                           {Arg::Number(int(verdict.kuratowski.size()))});
            }
        }
    }

    result.Clear();
    if (found.chains.empty()) {
        result.Heading(Translate(QStringLiteral("Graf_is_planar")));
        result.ShowReport();
        return result;
    }

    // The arcs of the chains, each once, as the chains pass them.
    std::vector<Pair> listed;
    for (const std::vector<int>& chain : found.chains)
        for (std::size_t k = 1; k < chain.size(); ++k) {
            const Pair arc{chain[k - 1], chain[k]};
            if (std::find_if(listed.begin(), listed.end(), [&arc](const Pair& e) {
                    return e == arc || e == Pair{arc.second, arc.first};
                }) == listed.end())
                listed.push_back(arc);
        }
    // Only an arc of every non-planar part of the graph can make it planar alone, so the arcs
    // of this configuration are the only candidates.
    std::vector<Pair> planarising;
    for (const auto& [p, q] : listed) {
        std::vector<Pair> without;
        for (const Pair& e : edges)
            if (e != Pair{std::min(p, q), std::max(p, q)})
                without.push_back(e);
        if (IsPlanarCompletely(n, without))
            planarising.emplace_back(p, q);
    }
    // The set takes a complete test for about every arc; above the configuration search's size
    // that is too slow (and a dense graph's set too long to be of use), so only the fact is given.
    const std::vector<Pair> deletion =
        planarising.empty() && n <= ConfigurationSearchLimit ? DeletionSet(n, edges) : std::vector<Pair>();
    if (steps.Enabled()) {
        for (const auto& [p, q] : listed)
            steps.SetArc(p, q, ArcState::Chosen);
        steps.Step("step_planar_checked",
                   {Arg::Number(int(listed.size())), Arg::Number(int(planarising.size()))});
        if (!deletion.empty()) {
            for (const auto& [p, q] : deletion)
                steps.SetArc(p, q, ArcState::Rejected);
            steps.Step("step_planar_deletion", {Arg::Number(int(deletion.size()))});
        }
    }

    auto arcLine = [&g](int p, int q) { return g.VertexName(p) + QStringLiteral(" - ") + g.VertexName(q); };
    result.Heading(Translate(QStringLiteral("Graf_is_not_planar")));
    result.Line(Translate(QLatin1String(!found.subdivision          ? "Planar_minor_k5"
                                        : found.branchVertices == 5 ? "Planar_subdivision_k5"
                                                                    : "Planar_subdivision_k33")));
    for (const std::vector<int>& chain : found.chains) {
        QStringList names;
        for (int v : chain)
            names.append(g.VertexName(v));
        result.Line(names.join(QStringLiteral(" - ")));
    }
    for (const auto& [p, q] : listed) {
        result.HighlightArc(p, q);
        result.HighlightArc(q, p);
    }
    if (!planarising.empty()) {
        result.Line(Translate(QStringLiteral("Do_planar_delete")));
        for (const auto& [p, q] : planarising)
            result.Line(arcLine(p, q));
    } else {
        result.Line(Translate(QStringLiteral("Planar_no_single_arc")));
    }
    if (!deletion.empty()) {
        result.Line(Translate(QStringLiteral("Planar_delete_set")));
        for (const auto& [p, q] : deletion) {
            result.Line(arcLine(p, q));
            result.HighlightArc(p, q);
            result.HighlightArc(q, p);
        }
        // The arcs to delete are marked on the highlighted drawing; the marks go with the
        // next redraw, the highlighting stays.
        result.drawsPicture = true;
        for (int u = 1; u <= n; ++u)
            for (int v : g.OutArcs(u)) {
                const Pair edge{std::min(u, v), std::max(u, v)};
                const bool deleted = std::find(deletion.begin(), deletion.end(), edge) != deletion.end();
                const bool shown =
                    deleted ||
                    std::find_if(listed.begin(), listed.end(), [&edge](const Pair& e) {
                        return Pair{std::min(e.first, e.second), std::max(e.first, e.second)} == edge;
                    }) != listed.end();
                result.picture.arcs.push_back({u, v, deleted ? DeletedArcMark : QString(), shown, deleted});
            }
    }
    result.ShowReport();
    return result;
}
