#include "algorithms/Planarity.h"
#include "AlgorithmFixture.h"
#include "GraphFixtures.h"
#include "LiteralCliqueSearch.h"
#include "ScriptedHost.h"
#include "TestFolders.h"
#include "algorithms/KuratowskiSubdivision.h"
#include "algorithms/RunAlgorithm.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <numeric>
#include <random>
#include <set>

using Pair = std::pair<int, int>;
using Pairs = std::vector<Pair>;

namespace {

struct Planarity : AlgorithmFixture {
    AlgorithmRun run;

    void Make(int n, const Pairs& edges)
    {
        g = MakeGraf(false, false, n);
        for (const auto& [a, b] : edges)
            g->AddArc(a, b, 1);
    }
    void Run() { RunAlgorithm(*g, host, host.panes, "IsPlanar", 0, 0, &run); }
    QStringList Lines() const { return host.panes.Text.Lines(); }
};

Pairs Complete(int n)
{
    Pairs edges;
    for (int a = 1; a <= n; ++a)
        for (int b = a + 1; b <= n; ++b)
            edges.emplace_back(a, b);
    return edges;
}

Pairs Cycle(int n)
{
    Pairs edges;
    for (int v = 1; v <= n; ++v)
        edges.emplace_back(v, v % n + 1);
    return edges;
}

Pairs Petersen()
{
    Pairs edges;
    for (int i = 0; i < 5; ++i) {
        edges.emplace_back(1 + i, 1 + (i + 1) % 5); // outer cycle
        edges.emplace_back(1 + i, 6 + i);           // spokes
        edges.emplace_back(6 + i, 6 + (i + 2) % 5); // inner star
    }
    return edges;
}

Pairs FiveCube()
{
    Pairs edges;
    for (int v = 0; v < 32; ++v)
        for (int bit = 1; bit < 32; bit <<= 1)
            if ((v ^ bit) > v)
                edges.emplace_back(v + 1, (v ^ bit) + 1);
    return edges;
}

// K3,3 on {1,2,3} and {4,5,6} with every edge split by a vertex of its own (7..15).
Pairs SubdividedK33()
{
    Pairs edges;
    int middle = 7;
    for (int a = 1; a <= 3; ++a)
        for (int b = 4; b <= 6; ++b) {
            edges.emplace_back(a, middle);
            edges.emplace_back(middle, b);
            ++middle;
        }
    return edges;
}

Pairs RandomEdges(QRandomGenerator& random, int n, int percent)
{
    Pairs edges;
    for (int a = 1; a <= n; ++a)
        for (int b = a + 1; b <= n; ++b)
            if (int(random.bounded(100)) < percent)
                edges.emplace_back(a, b);
    return edges;
}

// Whether the graph has K5 or K3,3 as a minor (Wagner: exactly when it is not planar): every
// way of putting vertices into up to six connected branch sets, up to renaming the sets.
bool HasKuratowskiMinor(int n, const Pairs& edges)
{
    std::vector<unsigned> neighbours(n, 0);
    for (const auto& [a, b] : edges) {
        neighbours[a - 1] |= 1u << (b - 1);
        neighbours[b - 1] |= 1u << (a - 1);
    }
    auto connected = [&](unsigned set) {
        unsigned reached = set & (~set + 1);
        for (unsigned grown = reached;; reached = grown) {
            for (int v = 0; v < n; ++v)
                if (reached >> v & 1)
                    grown |= neighbours[v] & set;
            if (grown == reached)
                return reached == set;
        }
    };
    std::vector<int> label(n, 0);
    std::function<bool(int, int)> assign = [&](int v, int used) -> bool {
        if (v == n) {
            if (used < 5)
                return false;
            std::vector<unsigned> sets(used, 0), touches(used, 0);
            for (int u = 0; u < n; ++u)
                if (label[u] > 0) {
                    sets[label[u] - 1] |= 1u << u;
                    touches[label[u] - 1] |= neighbours[u];
                }
            for (unsigned set : sets)
                if (!connected(set))
                    return false;
            auto joined = [&](int i, int j) { return (touches[i] & sets[j]) != 0; };
            if (used == 5) {
                for (int i = 0; i < 5; ++i)
                    for (int j = i + 1; j < 5; ++j)
                        if (!joined(i, j))
                            return false;
                return true;
            }
            // Six sets: some three of them (with the first) each joined to the other three.
            for (int x = 1; x < 6; ++x)
                for (int y = x + 1; y < 6; ++y) {
                    const std::set<int> side{0, x, y};
                    bool all = true;
                    for (int i : side)
                        for (int j = 0; j < 6; ++j)
                            if (!side.count(j) && !joined(i, j))
                                all = false;
                    if (all)
                        return true;
                }
            return false;
        }
        for (int l = 0; l <= std::min(used + 1, 6); ++l) {
            label[v] = l;
            if (assign(v + 1, std::max(used, l)))
                return true;
        }
        return false;
    };
    return assign(0, 0);
}

// Whether the edges form a subdivided K5 or K3,3: branch vertices of degree 4 (five) or 3 (six),
// every other vertex on exactly one path between two branch vertices, the paths joining the
// branch vertices as K5 or K3,3 does, once each.
bool IsKuratowskiSubdivision(const Pairs& edges)
{
    std::map<int, std::vector<int>> around;
    for (const auto& [a, b] : edges) {
        around[a].push_back(b);
        around[b].push_back(a);
    }
    std::vector<int> branch;
    for (const auto& [v, list] : around) {
        if (list.size() >= 3)
            branch.push_back(v);
        else if (list.size() != 2)
            return false;
    }
    const bool k5 = branch.size() == 5;
    if (!k5 && branch.size() != 6)
        return false;
    std::set<Pair> joins;
    std::set<int> inner;
    for (int start : branch) {
        if (around[start].size() != (k5 ? 4u : 3u))
            return false;
        for (int next : around[start]) {
            int previous = start;
            int v = next;
            while (around[v].size() == 2) {
                inner.insert(v);
                const int after = around[v][0] == previous ? around[v][1] : around[v][0];
                previous = v;
                v = after;
                if (v == start)
                    return false;
            }
            if (start < v && !joins.insert({start, v}).second)
                return false;
        }
    }
    if (inner.size() + branch.size() != around.size())
        return false;
    if (k5)
        return joins.size() == 10;
    if (joins.size() != 9)
        return false;
    // Bipartite with sides of three: the first branch vertex's partners form one side.
    std::set<int> other;
    for (const auto& [a, b] : joins) {
        if (a == branch[0])
            other.insert(b);
        if (b == branch[0])
            other.insert(a);
    }
    for (const auto& [a, b] : joins)
        if (other.count(a) == other.count(b))
            return false;
    return other.size() == 3;
}

// The configuration search as written: matrices with their diagonal, tables of all subsets,
// the plain clique search and the contraction entry by entry. The document arcs it would list.
Pairs LiteralConfigurationSearch(const GraphDocument& doc)
{
    int n = doc.VertexCount;
    std::vector<std::vector<int>> w(n + 1, std::vector<int>(n + 1, 0));
    std::vector<std::vector<Pair>> o(n + 1, std::vector<Pair>(n + 1));
    for (int v = 1; v <= n; ++v)
        w[v][v] = 1;
    for (int u = 1; u <= n; ++u)
        for (int v : doc.OutArcs(u)) {
            w[u][v] = w[v][u] = 1;
            o[u][v] = {u, v};
            o[v][u] = {v, u};
        }
    Pairs recorded;
    std::vector<SubsetRow> table;
    while (n >= 5) {
        int c4 = 0, c3 = 0;
        for (int v = 1; v <= n; ++v) {
            const int entries =
                int(std::count_if(w[v].begin() + 1, w[v].begin() + n + 1, [](int x) { return x; }));
            c4 += entries >= 4;
            c3 += entries >= 3;
        }
        const bool enough = c4 >= 5 || c3 >= 6;
        if (enough) {
            EnumerateSubsets(5, n, table);
            for (const SubsetRow& row : table) {
                bool all = true;
                for (int a : row)
                    for (int b : row)
                        all = all && w[a][b] != 0;
                if (all) {
                    for (int i = 0; i < 5; ++i)
                        for (int j = i + 1; j < 5; ++j)
                            recorded.emplace_back(row[i], row[j]);
                    break;
                }
            }
        }
        if (recorded.empty() && n >= 6 && enough) {
            EnumerateSubsets(3, n, table);
            for (std::size_t s = 0; s < table.size() && recorded.empty(); ++s)
                for (std::size_t t = 0; t < table.size(); ++t) {
                    bool all = t != s;
                    for (int i = 0; i < 3; ++i)
                        for (int j = 0; j < 3; ++j)
                            all = all && w[table[s][i]][table[t][j]] != 0 && table[s][i] != table[t][j];
                    if (all) {
                        for (int j = 0; j < 3; ++j)
                            for (int i = 0; i < 3; ++i)
                                recorded.emplace_back(table[s][i], table[t][j]);
                        break;
                    }
                }
        }
        if (!recorded.empty() || doc.VertexCount < 6 || !enough)
            break;
        std::vector<std::vector<bool>> adjacent(n + 1, std::vector<bool>(n + 1));
        for (int a = 1; a <= n; ++a)
            for (int b = 1; b <= n; ++b)
                adjacent[a][b] = w[a][b] != 0;
        LiteralCliqueSearch search{adjacent, {}, {}, {}};
        search.Run(n);
        if (search.best.size() < 2)
            break;
        const int r = search.best[0];
        std::vector<bool> removed(n + 1, false);
        for (std::size_t k = 1; k < search.best.size(); ++k) {
            const int m = search.best[k];
            removed[m] = true;
            for (int x = 1; x <= n; ++x) {
                if (x == r)
                    continue;
                w[r][x] = std::max(w[m][x], w[r][x]);
                if (w[m][x] > 0)
                    o[r][x] = o[m][x];
                w[x][r] = std::max(w[x][m], w[x][r]);
                if (w[x][m] > 0)
                    o[x][r] = o[x][m];
            }
        }
        std::vector<int> kept;
        for (int v = 1; v <= n; ++v)
            if (!removed[v])
                kept.push_back(v);
        const int next = int(kept.size());
        std::vector<std::vector<int>> w2(next + 1, std::vector<int>(next + 1, 0));
        std::vector<std::vector<Pair>> o2(next + 1, std::vector<Pair>(next + 1));
        for (int a = 1; a <= next; ++a)
            for (int b = 1; b <= next; ++b) {
                w2[a][b] = w[kept[a - 1]][kept[b - 1]];
                o2[a][b] = o[kept[a - 1]][kept[b - 1]];
            }
        n = next;
        w = std::move(w2);
        o = std::move(o2);
    }
    Pairs arcs;
    for (const auto& [a, b] : recorded)
        arcs.push_back(o[a][b]);
    return arcs;
}

bool SaysPlanar(const AlgorithmResult& result)
{
    return result.PaneLines().value(0) == Translate("Graf_is_planar");
}

// The Text pane of a graph found not planar (vertices named by number): what the configuration
// is, its chains, and the arcs to delete one of (single) or all of.
struct Answer {
    QString kind;
    std::vector<std::vector<int>> chains;
    bool single = false;
    Pairs toDelete;
    // The arcs of the chains, each once, as the chains pass them.
    Pairs Listed() const
    {
        Pairs listed;
        for (const auto& chain : chains)
            for (std::size_t k = 1; k < chain.size(); ++k)
                if (std::find(listed.begin(), listed.end(), Pair{chain[k - 1], chain[k]}) == listed.end() &&
                    std::find(listed.begin(), listed.end(), Pair{chain[k], chain[k - 1]}) == listed.end())
                    listed.emplace_back(chain[k - 1], chain[k]);
        return listed;
    }
};

Answer Parse(const AlgorithmResult& result)
{
    Answer answer;
    const QStringList lines = result.PaneLines();
    answer.kind = lines.value(1);
    int i = 2;
    for (; i < lines.size(); ++i) {
        if (lines[i] == Translate("Do_planar_delete") || lines[i] == Translate("Planar_no_single_arc"))
            break;
        std::vector<int> chain;
        for (const QString& name : lines[i].split(" - "))
            chain.push_back(name.toInt());
        answer.chains.push_back(chain);
    }
    answer.single = lines.value(i) == Translate("Do_planar_delete");
    i += answer.single ? 1 : 2;
    for (; i < lines.size(); ++i) {
        const QStringList ends = lines[i].split(" - ");
        answer.toDelete.emplace_back(ends.value(0).toInt(), ends.value(1).toInt());
    }
    return answer;
}

Pairs Without(Pairs edges, const Pairs& removed)
{
    for (const Pair& arc : removed)
        std::erase_if(edges, [&arc](const Pair& e) { return e == arc || e == Pair{arc.second, arc.first}; });
    return edges;
}

} // namespace

TEST(EnumerateSubsets, ColexicographicRowsOfEverySubset)
{
    std::vector<SubsetRow> table;
    ASSERT_EQ(EnumerateSubsets(2, 3, table), 3);
    EXPECT_EQ(table, (std::vector<SubsetRow>{{1, 2, 0, 0, 0}, {1, 3, 0, 0, 0}, {2, 3, 0, 0, 0}}));
    ASSERT_EQ(EnumerateSubsets(3, 5, table), 10);
    EXPECT_EQ(table[3], (SubsetRow{2, 3, 4, 0, 0}));
    EXPECT_EQ(table[4], (SubsetRow{1, 2, 5, 0, 0}));
    EXPECT_EQ(table[9], (SubsetRow{3, 4, 5, 0, 0}));
    EXPECT_EQ(EnumerateSubsets(5, 32, table), 201376);
    // Colexicographic: compared from the highest member down, every row after the one before.
    auto key = [](const SubsetRow& row) { return std::vector<int>(row.rbegin(), row.rend()); };
    for (std::size_t i = 1; i < table.size(); ++i)
        ASSERT_LT(key(table[i - 1]), key(table[i]));
    EXPECT_EQ(EnumerateSubsets(1, 4, table), 4);
    EXPECT_EQ(EnumerateSubsets(4, 3, table), 0);
    EXPECT_TRUE(table.empty());
    EXPECT_EQ(EnumerateSubsets(6, 9, table), 0);
}

TEST_F(Planarity, K5ListsItsTenArcsAndHighlightsThem)
{
    Make(5, Complete(5));
    Run();
    ASSERT_TRUE(run.ran);
    const QStringList arcs{"1 - 2", "1 - 3", "1 - 4", "1 - 5", "2 - 3",
                           "2 - 4", "2 - 5", "3 - 4", "3 - 5", "4 - 5"};
    // Every arc of K5 itself makes it planar when deleted.
    EXPECT_EQ(Lines(), QStringList{Translate("Graf_is_not_planar")} << Translate("Planar_subdivision_k5")
                                                                    << arcs << Translate("Do_planar_delete")
                                                                    << arcs);
    EXPECT_TRUE(host.panes.Report.GetContent().startsWith("<b>" + Translate("Graf_is_not_planar") +
                                                          "</b><br>" + Translate("Planar_subdivision_k5") +
                                                          "<br>1 - 2<br>"));
    EXPECT_EQ(host.shownReport, host.panes.Report.GetFileName());
    EXPECT_EQ(host.redraws, 1);
    EXPECT_FALSE(run.result.drawsPicture);
    for (const auto& [a, b] : Complete(5)) {
        EXPECT_EQ(g->Arc(a, b).Active, 1);
        EXPECT_EQ(g->Arc(b, a).Active, 1);
    }
    EXPECT_EQ(g->Vertices[1].Active, 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Planarity, K33ListsTheFirstPairOfTriples)
{
    Pairs edges;
    for (int a = 1; a <= 3; ++a)
        for (int b = 4; b <= 6; ++b)
            edges.emplace_back(a, b);
    Make(6, edges);
    Run();
    EXPECT_EQ(Lines().value(1), Translate("Planar_subdivision_k33"));
    EXPECT_EQ(Lines().mid(2, 9),
              QStringList({"1 - 4", "2 - 4", "3 - 4", "1 - 5", "2 - 5", "3 - 5", "1 - 6", "2 - 6", "3 - 6"}));
    EXPECT_EQ(g->Arc(6, 3).Active, 1);

    // Steps: the degree test, the configuration with its arcs, the check of its arcs.
    const AlgorithmResult result = PlanarityTest(*g, true);
    ASSERT_EQ(result.steps.FrameCount(), 3);
    EXPECT_EQ(QString(result.steps.NarrationOf(0).key), "step_planar_degree");
    const StepTrace::Frame found = result.steps.FrameAt(1);
    EXPECT_EQ(QString(found.key), "step_planar_k33");
    EXPECT_EQ(found.Arc(1, 4), StepTrace::ArcState::Chosen);
    EXPECT_EQ(found.arguments[3].value, 4);
    const StepTrace::Frame checked = result.steps.FrameAt(2);
    EXPECT_EQ(QString(checked.key), "step_planar_checked");
    EXPECT_EQ(checked.arguments[0].value, 9);
    EXPECT_EQ(checked.arguments[1].value, 9);
}

TEST_F(Planarity, ContractedArcsAreListedWithTheWholeChainTheyStandFor)
{
    // No K5 or K3,3 at first; the first largest clique is {7, 5}, and 5 merges into 7, which
    // inherits the arc 5-6. Renumbered (6 becomes 5, 7 becomes 6), s = {2, 3, 5} and
    // t = {1, 4, 6} form a K3,3 whose pair (5, 6) stands for the arc 6 - 5, and through the
    // contracted arc 5 - 7 for the chain 6 - 5 - 7.
    Make(7, {{1, 2}, {1, 3}, {1, 6}, {2, 4}, {2, 7}, {3, 4}, {3, 7}, {4, 6}, {5, 6}, {5, 7}});
    Run();
    const QStringList chains{"2 - 1", "3 - 1", "6 - 1", "2 - 4",    "3 - 4",
                             "6 - 4", "2 - 7", "3 - 7", "6 - 5 - 7"};
    // The graph is that subdivision, so each of its arcs alone makes it planar.
    EXPECT_EQ(Lines(), QStringList{Translate("Graf_is_not_planar")}
                           << Translate("Planar_subdivision_k33") << chains << Translate("Do_planar_delete")
                           << QStringList(chains.begin(), chains.end() - 1) << "6 - 5"
                           << "5 - 7");
    EXPECT_EQ(g->Arc(5, 6).Active, 1);
    EXPECT_EQ(g->Arc(5, 7).Active, 1);
    EXPECT_EQ(g->Arc(7, 5).Active, 1);
    const AlgorithmResult result = PlanarityTest(*g, true);
    QStringList keys;
    for (int i = 0; i < result.steps.FrameCount(); ++i)
        keys.append(result.steps.NarrationOf(i).key);
    EXPECT_EQ(keys, QStringList({"step_planar_degree", "step_planar_contract", "step_planar_degree",
                                 "step_planar_k33", "step_planar_checked"}));
    // The last frame shows the whole chain.
    EXPECT_EQ(result.steps.FrameAt(result.steps.FrameCount() - 1).Arc(5, 7), StepTrace::ArcState::Chosen);
}

TEST_F(Planarity, CyclesAndSmallGraphsArePlanarWithoutHighlighting)
{
    for (int n : {3, 4, 5, 6, 17, 32}) {
        Make(n, Cycle(n));
        Run();
        EXPECT_EQ(Lines(), QStringList{"Граф планарный"}) << n;
        EXPECT_EQ(host.panes.Report.GetContent(), "<b>Граф планарный</b><br>");
    }
    Make(4, Complete(4));
    Run();
    EXPECT_EQ(Lines(), QStringList{"Граф планарный"});
    // No highlighting, so nothing to redraw; and no message.
    EXPECT_EQ(host.redraws, 0);
    EXPECT_TRUE(host.messages.empty());

    const AlgorithmResult result = PlanarityTest(*g, true);
    ASSERT_EQ(result.steps.FrameCount(), 2);
    EXPECT_EQ(QString(result.steps.NarrationOf(0).key), "step_planar_few");
    EXPECT_EQ(QString(result.steps.NarrationOf(1).key), "step_planar_planar");
}

TEST_F(Planarity, GraphsTheConfigurationSearchMissesAreFoundNotPlanar)
{
    struct Case {
        const char* name;
        int n;
        Pairs edges;
    };
    for (const Case& c : {Case{"Petersen", 10, Petersen()}, Case{"5-cube", 32, FiveCube()},
                          Case{"subdivided K3,3", 15, SubdividedK33()}}) {
        Make(c.n, c.edges);
        // The search among vertices and contracted cliques finds nothing in these.
        EXPECT_TRUE(LiteralConfigurationSearch(*g).empty()) << c.name;
        Run();
        ASSERT_EQ(Lines().value(0), Translate("Graf_is_not_planar")) << c.name;
        const Pairs arcs = Parse(run.result).Listed();
        EXPECT_TRUE(IsKuratowskiSubdivision(arcs)) << c.name;
        for (const auto& [p, q] : arcs) {
            EXPECT_TRUE(g->HasArc(p, q)) << c.name;
            EXPECT_EQ(g->Arc(p, q).Active, 1);
            EXPECT_EQ(g->Arc(q, p).Active, 1);
        }
        EXPECT_TRUE(std::is_sorted(arcs.begin(), arcs.end()));
    }
    EXPECT_TRUE(HasKuratowskiMinor(10, Petersen()));
    // The subdivision of K3,3 is the whole graph.
    EXPECT_EQ(Parse(run.result).Listed().size(), 18u);
    EXPECT_EQ(Parse(run.result).toDelete.size(), 18u);

    const AlgorithmResult result = PlanarityTest(*g, true);
    EXPECT_EQ(QString(result.steps.NarrationOf(result.steps.FrameCount() - 2).key),
              "step_planar_subdivision_k33");
    EXPECT_EQ(QString(result.steps.NarrationOf(result.steps.FrameCount() - 1).key), "step_planar_checked");
}

TEST_F(Planarity, AboveThirtyTwoVerticesTheCompleteTestAnswers)
{
    Pairs edges = Complete(5);
    for (int v = 6; v <= 33; ++v)
        edges.emplace_back(v - 1, v); // a tail hanging off the K5
    Make(33, edges);
    Run();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(Lines().mid(2, 10), QStringList({"1 - 2", "1 - 3", "1 - 4", "1 - 5", "2 - 3", "2 - 4", "2 - 5",
                                               "3 - 4", "3 - 5", "4 - 5"}));
    EXPECT_EQ(g->Arc(5, 6).Active, 0);

    Make(255, Cycle(255));
    Run();
    EXPECT_EQ(Lines(), QStringList{"Граф планарный"});
    const AlgorithmResult result = PlanarityTest(*g, true);
    EXPECT_EQ(QString(result.steps.NarrationOf(0).key), "step_planar_large");
}

TEST(PlanarityProperty, VerdictMatchesTheMinorCheckOnSmallGraphs)
{
    QRandomGenerator random(4242);
    int notPlanar = 0;
    for (int round = 0; round < 300; ++round) {
        const int n = int(random.bounded(1, 9));
        const Pairs edges = RandomEdges(random, n, int(random.bounded(20, 100)));
        auto g = MakeGraf(false, false, n);
        for (const auto& [a, b] : edges)
            g->AddArc(a, b, 1);
        const AlgorithmResult result = PlanarityTest(*g);
        const bool minor = HasKuratowskiMinor(n, edges);
        ASSERT_EQ(SaysPlanar(result), !minor) << "round " << round;
        notPlanar += minor;
        for (const auto& [p, q] : Parse(result).Listed())
            EXPECT_TRUE(g->HasArc(p, q)) << "round " << round;
    }
    EXPECT_GT(notPlanar, 30); // both answers were exercised
}

TEST(PlanarityProperty, ConfigurationsAreThoseTheWrittenSearchFinds)
{
    QRandomGenerator random(1313);
    int found = 0;
    for (int round = 0; round < 400; ++round) {
        // Sparse enough that configurations often appear only after contractions.
        const int n = int(random.bounded(5, 16));
        auto g = MakeGraf(false, false, n);
        for (const auto& [a, b] : RandomEdges(random, n, int(random.bounded(15, 55))))
            g->AddArc(round % 2 ? a : b, round % 2 ? b : a, 1);
        Pairs expected = LiteralConfigurationSearch(*g);
        const AlgorithmResult result = PlanarityTest(*g);
        if (expected.empty()) {
            // Nothing found: the complete test's subdivision, or nothing for a planar graph.
            Pairs edges;
            for (int a = 1; a <= n; ++a)
                for (int b : g->OutArcs(a))
                    edges.emplace_back(a, b);
            expected = TestPlanarityCompletely(n, edges).kuratowski;
        } else {
            ++found;
        }
        // Each chain passes the arc its pair stands for, in that direction; the complete test's
        // arcs are chains of one arc.
        const Answer answer = Parse(result);
        ASSERT_EQ(answer.chains.size(), expected.size()) << "round " << round;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const std::vector<int>& chain = answer.chains[i];
            bool passes = false;
            for (std::size_t k = 1; k < chain.size(); ++k)
                passes = passes || Pair{chain[k - 1], chain[k]} == expected[i];
            EXPECT_TRUE(passes) << "round " << round << " chain " << i;
        }
    }
    EXPECT_GT(found, 100);
}

TEST(PlanarityProperty, CompleteTestWitnessesAreSubdivisionsOfTheGraph)
{
    QRandomGenerator random(777);
    int witnesses = 0;
    for (int round = 0; round < 200; ++round) {
        const int n = int(random.bounded(5, 41));
        // Sparse enough that many are planar and the non-planar ones need long paths.
        const Pairs edges = RandomEdges(random, n, int(random.bounded(200, 700)) / n);
        const CompletePlanarity verdict = TestPlanarityCompletely(n, edges);
        if (verdict.planar) {
            EXPECT_TRUE(verdict.kuratowski.empty());
            continue;
        }
        ++witnesses;
        EXPECT_TRUE(IsKuratowskiSubdivision(verdict.kuratowski)) << "round " << round;
        for (const Pair& e : verdict.kuratowski)
            EXPECT_TRUE(std::find(edges.begin(), edges.end(), e) != edges.end()) << "round " << round;
        std::map<int, int> degree;
        for (const auto& [a, b] : verdict.kuratowski) {
            ++degree[a];
            ++degree[b];
        }
        const int branch =
            int(std::count_if(degree.begin(), degree.end(), [](auto d) { return d.second >= 3; }));
        EXPECT_EQ(verdict.branchVertices, branch);
    }
    EXPECT_GT(witnesses, 40);
    // A dense graph is tested on part of its edges; the witness still comes from the graph.
    const CompletePlanarity dense = TestPlanarityCompletely(40, Complete(40));
    EXPECT_FALSE(dense.planar);
    EXPECT_TRUE(IsKuratowskiSubdivision(dense.kuratowski));
}

TEST_F(Planarity, OnlyTheArcsThatMakeTheGraphPlanarArePromised)
{
    // The contractions find nothing; the complete test finds a subdivided K3,3 (6 - 2 - 7 is
    // one of its branches). Deleting 1-4, 2-6, 2-7 or 5-7 leaves other subdivisions, so only
    // the other six are promised.
    Make(8, EightVertexKuratowskiEdges);
    Run();
    const QStringList subdivision{"1 - 4", "1 - 5", "1 - 6", "2 - 6", "2 - 7",
                                  "4 - 7", "4 - 8", "5 - 7", "5 - 8", "6 - 8"};
    const QStringList promised{"1 - 5", "1 - 6", "4 - 7", "4 - 8", "5 - 8", "6 - 8"};
    EXPECT_EQ(Lines(), QStringList{Translate("Graf_is_not_planar")}
                           << Translate("Planar_subdivision_k33") << subdivision
                           << Translate("Do_planar_delete") << promised);
    for (const auto& [p, q] : Parse(run.result).Listed())
        EXPECT_EQ(g->Arc(p, q).Active + g->Arc(q, p).Active, 2);
    EXPECT_FALSE(run.result.drawsPicture);
}

TEST_F(Planarity, WithoutASingleArcASetToDeleteIsMarkedApart)
{
    // The Petersen graph stays non-planar with any one edge deleted.
    Make(10, Petersen());
    Run();
    const Answer answer = Parse(run.result);
    EXPECT_EQ(answer.kind, Translate("Planar_subdivision_k33"));
    EXPECT_FALSE(answer.single);
    EXPECT_EQ(Lines().value(int(answer.chains.size()) + 2), Translate("Planar_no_single_arc"));
    EXPECT_EQ(Lines().value(int(answer.chains.size()) + 3), Translate("Planar_delete_set"));
    EXPECT_EQ(answer.toDelete.size(), 2u);
    EXPECT_TRUE(IsPlanarCompletely(10, Without(Petersen(), answer.toDelete)));
    // The set's arcs are drawn struck and marked; the configuration's highlighted only;
    // the document keeps the highlighting of both once the picture is gone.
    ASSERT_TRUE(run.result.drawsPicture);
    EXPECT_FALSE(host.presented.isNull());
    const Pairs listed = answer.Listed();
    for (const ResultPictureSpec::Arc& arc : run.result.picture.arcs) {
        const Pair edge{std::min(arc.from, arc.to), std::max(arc.from, arc.to)};
        const bool deleted = std::count(answer.toDelete.begin(), answer.toDelete.end(), edge) == 1;
        const bool inChains = Without(listed, {edge}).size() < listed.size();
        EXPECT_EQ(arc.caption, deleted ? QString("×") : QString());
        EXPECT_EQ(arc.highlighted, deleted || inChains);
        EXPECT_EQ(arc.struck, deleted);
        EXPECT_EQ(g->Arc(arc.from, arc.to).Active, int(deleted || inChains));
    }
    EXPECT_EQ(run.result.picture.arcs.size(), 30u);
    // The struck arcs have a colour of their own on the picture shown.
    const QImage shown = host.presented.convertToFormat(QImage::Format_RGB32);
    int struckPixels = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            struckPixels += shown.pixel(x, y) == qRgb(0xD5, 0x5E, 0x00);
    EXPECT_GT(struckPixels, 20);
}

TEST(PlanarityProperty, PromisesAndDeletionSetsHoldByTheCompleteTest)
{
    QRandomGenerator random(2024);
    int single = 0, sets = 0, chained = 0;
    for (int round = 0; round < 300; ++round) {
        int n = 0;
        Pairs edges;
        if (round % 2 == 0) {
            n = int(random.bounded(5, 13));
            edges = RandomEdges(random, n, int(random.bounded(30, 80)));
        } else {
            // K5 or K3,3 with each edge split into up to three, a few edges more, vertices shuffled.
            Pairs core;
            if (round % 4 == 1) {
                n = 5;
                core = Complete(5);
            } else {
                n = 6;
                for (int a = 1; a <= 3; ++a)
                    for (int b = 4; b <= 6; ++b)
                        core.emplace_back(a, b);
            }
            for (const auto& [a, b] : core) {
                int from = a;
                for (int split = int(random.bounded(3)); split > 0; --split) {
                    edges.emplace_back(from, ++n);
                    from = n;
                }
                edges.emplace_back(from, b);
            }
            for (int extra = int(random.bounded(4)); extra > 0; --extra) {
                const int a = int(random.bounded(1, n + 1));
                const int b = int(random.bounded(1, n + 1));
                if (a != b && std::count(edges.begin(), edges.end(), Pair{a, b}) +
                                      std::count(edges.begin(), edges.end(), Pair{b, a}) ==
                                  0)
                    edges.emplace_back(a, b);
            }
            std::vector<int> name(n + 1);
            std::iota(name.begin(), name.end(), 0);
            std::shuffle(name.begin() + 1, name.end(), std::mt19937(round));
            for (auto& [a, b] : edges)
                std::tie(a, b) = Pair{name[a], name[b]};
        }
        if (IsPlanarCompletely(n, edges))
            continue;
        auto g = MakeGraf(false, false, n);
        for (const auto& [a, b] : edges)
            g->AddArc(a, b, 1);
        const AlgorithmResult result = PlanarityTest(*g);
        ASSERT_FALSE(SaysPlanar(result)) << "round " << round;
        const Answer answer = Parse(result);
        const Pairs listed = answer.Listed();

        for (const std::vector<int>& chain : answer.chains) {
            ASSERT_GE(chain.size(), 2u) << "round " << round;
            for (std::size_t k = 1; k < chain.size(); ++k)
                EXPECT_TRUE(g->HasArc(chain[k - 1], chain[k])) << "round " << round;
            EXPECT_EQ(std::set<int>(chain.begin(), chain.end()).size(), chain.size()) << "round " << round;
            chained += chain.size() > 2;
        }
        Pairs lowFirst;
        for (const auto& [p, q] : listed)
            lowFirst.emplace_back(std::min(p, q), std::max(p, q));
        if (answer.kind == Translate("Planar_minor_k5")) {
            EXPECT_FALSE(IsPlanarCompletely(n, lowFirst)) << "round " << round;
        } else {
            ASSERT_TRUE(answer.kind == Translate("Planar_subdivision_k5") ||
                        answer.kind == Translate("Planar_subdivision_k33"))
                << "round " << round;
            EXPECT_TRUE(IsKuratowskiSubdivision(lowFirst)) << "round " << round;
            std::map<int, int> degree;
            for (const auto& [p, q] : lowFirst) {
                ++degree[p];
                ++degree[q];
            }
            EXPECT_EQ(std::count_if(degree.begin(), degree.end(), [](auto d) { return d.second >= 3; }),
                      answer.kind == Translate("Planar_subdivision_k5") ? 5 : 6)
                << "round " << round;
        }

        if (answer.single) {
            ++single;
            for (const Pair& arc : listed) {
                const bool promised = std::count(answer.toDelete.begin(), answer.toDelete.end(), arc) == 1;
                EXPECT_EQ(IsPlanarCompletely(n, Without(edges, {arc})), promised) << "round " << round;
            }
            for (const Pair& arc : answer.toDelete)
                EXPECT_EQ(std::count(listed.begin(), listed.end(), arc), 1) << "round " << round;
        } else {
            ++sets;
            // No arc of the graph is enough; the set is, and none of it can go back alone.
            for (const Pair& arc : edges)
                EXPECT_FALSE(IsPlanarCompletely(n, Without(edges, {arc}))) << "round " << round;
            EXPECT_TRUE(IsPlanarCompletely(n, Without(edges, answer.toDelete))) << "round " << round;
            for (const Pair& arc : answer.toDelete) {
                Pairs rest = answer.toDelete;
                std::erase(rest, arc);
                EXPECT_FALSE(IsPlanarCompletely(n, Without(edges, rest))) << "round " << round;
            }
        }
    }
    EXPECT_GT(single, 50);
    EXPECT_GT(sets, 30);
    EXPECT_GT(chained, 0);
}
