#include "algorithms/MaxFlow.h"
#include "AlgorithmFixture.h"
#include "GraphFixtures.h"
#include "ScriptedHost.h"
#include "TestFolders.h"
#include "algorithms/RunAlgorithm.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"
#include "files/IgraphAdapter.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Captions = std::vector<std::tuple<int, int, QString, bool>>;
constexpr int Missing = GraphDocument::Infinity;

struct MaxFlows : AlgorithmFixture {
    AlgorithmRun run;

    void Make(int n, std::initializer_list<std::tuple<int, int, int>> arcs)
    {
        g = MakeGraf(true, true, n);
        for (auto [a, b, c] : arcs)
            g->AddArc(a, b, c);
    }
    static Captions CaptionsOf(const AlgorithmResult& result)
    {
        Captions captions;
        for (const auto& arc : result.picture.arcs)
            captions.emplace_back(arc.from, arc.to, arc.caption, arc.highlighted);
        return captions;
    }
};

// The augmenting path search word for word: a full Floyd-Warshall over a copy of the residual
// matrix, then the walk back over every vertex number. Keeps its own matrix.
struct LiteralFlow {
    int n;
    std::vector<std::vector<int>> r;

    std::vector<int> Path(int source, int sink, int& bottleneck) const
    {
        std::vector<std::vector<int>> d = r;
        for (int k = 1; k <= n; ++k)
            for (int i = 1; i <= n; ++i)
                for (int j = 1; j <= n; ++j) {
                    if (d[j][k] + d[k][i] < d[j][i])
                        d[j][i] = d[j][k] + d[k][i];
                    else if (j == i)
                        d[j][i] = 0;
                }
        bottleneck = -1;
        if (d[source][sink] == Missing)
            return {};
        std::vector<int> path{sink};
        for (int o = sink; o != source;) {
            int j = 1;
            while (j <= n &&
                   !(j != o && r[j][o] + d[source][j] == d[source][o] && d[source][o] != d[source][j]))
                ++j;
            if (j > n)
                return {};
            path.push_back(j);
            o = j;
        }
        std::reverse(path.begin(), path.end());
        bottleneck = Missing;
        for (size_t k = 1; k < path.size(); ++k)
            bottleneck = std::min(bottleneck, r[path[k - 1]][path[k]]);
        return path;
    }
    void Augment(const std::vector<int>& path, int c)
    {
        for (size_t k = 1; k < path.size(); ++k) {
            int& forward = r[path[k - 1]][path[k]];
            int& backward = r[path[k]][path[k - 1]];
            forward -= c;
            if (forward == 0)
                forward = Missing;
            backward = backward == Missing ? c : backward + c;
        }
    }
};

// igraph's maximum flow of the arcs given, vertices 1..n.
int IgraphMaxFlow(int n, const std::vector<std::tuple<int, int, int>>& arcs, int source, int sink)
{
    Igraph::IntVector edges(0);
    Igraph::Vector capacity(0);
    for (auto [a, b, c] : arcs) {
        igraph_vector_int_push_back(edges.Get(), a - 1);
        igraph_vector_int_push_back(edges.Get(), b - 1);
        igraph_vector_push_back(capacity.Get(), c);
    }
    Igraph::Graph graph;
    if (igraph_create(graph.Get(), edges.Get(), n, IGRAPH_DIRECTED) == IGRAPH_SUCCESS)
        graph.Own();
    igraph_real_t value = 0;
    igraph_maxflow_value(graph.Get(), &value, source - 1, sink - 1, capacity.Get(), nullptr);
    return int(value);
}

// Flows read back from the captions: within capacity, highlighted exactly when positive, and
// conserved at every vertex that is neither a source nor a sink. Returns the inflow of each
// vertex less its outflow.
std::vector<int> CheckCaptions(const GraphDocument& g, const AlgorithmResult& result)
{
    std::vector<int> balance(g.VertexCount + 1, 0);
    size_t index = 0;
    for (int u = 1; u <= g.VertexCount; ++u)
        for (int v : g.OutArcs(u)) {
            EXPECT_LT(index, result.picture.arcs.size());
            if (index >= result.picture.arcs.size())
                return balance;
            const auto& arc = result.picture.arcs[index++];
            EXPECT_EQ(arc.from, u);
            EXPECT_EQ(arc.to, v);
            const QStringList parts = arc.caption.split('/');
            EXPECT_EQ(parts.size(), 2);
            const int flow = parts.value(0).toInt();
            EXPECT_EQ(parts.value(1).toInt(), g.Arc(u, v).Weight);
            EXPECT_GE(flow, 0);
            EXPECT_LE(flow, g.Arc(u, v).Weight);
            EXPECT_EQ(arc.highlighted, flow > 0);
            balance[v] += flow;
            balance[u] -= flow;
        }
    EXPECT_EQ(index, result.picture.arcs.size());
    return balance;
}

} // namespace

TEST_F(MaxFlows, WorkedExampleCaptionsEveryArc)
{
    Make(3, {{1, 2, 3}, {2, 3, 2}, {1, 3, 4}});
    const AlgorithmResult result = MaxFlow(*g, true);
    EXPECT_EQ(CaptionsOf(result), (Captions{{1, 2, "2/3", true}, {1, 3, "4/4", true}, {2, 3, "2/2", true}}));
    EXPECT_EQ(result.PaneLines(), QStringList{"Максимальный поток равен 6"});
    EXPECT_EQ(result.resultCount, -1);
    EXPECT_EQ(result.resultValue, 0);
    EXPECT_TRUE(result.drawsPicture);

    // The trace: the direct arc first (4 is less than 3 + 2), then the way through 2.
    QStringList narration;
    for (int i = 0; i < result.steps.FrameCount(); ++i)
        narration.append(
            StepTrace::Narration(result.steps.NarrationOf(i), [&](int v) { return g->VertexName(v); }));
    EXPECT_EQ(narration,
              QStringList({Translate("step_flow_start").arg(1).arg(3),
                           "Увеличивающий путь от 1 до 3 из 1 дуг: его узкое место 4, поток теперь 4",
                           "Поток по дуге 1 → 3 теперь 4 из 4",
                           "Увеличивающий путь от 1 до 3 из 2 дуг: его узкое место 2, поток теперь 6",
                           "Поток по дуге 1 → 2 теперь 2 из 3", "Поток по дуге 2 → 3 теперь 2 из 2",
                           "Увеличивающих путей больше нет: максимальный поток 6"}));
    EXPECT_EQ(result.steps.FrameAt(3).Arc(1, 2), StepTrace::ArcState::Examined);
    EXPECT_EQ(result.steps.FrameAt(6).Arc(1, 2), StepTrace::ArcState::Chosen);
}

TEST_F(MaxFlows, ArcWithoutFlowIsCaptionedZeroAndDrawnPlain)
{
    // 3->2 only ever sees flow cancelled against it.
    Make(3, {{1, 2, 1}, {2, 3, 1}, {3, 2, 7}});
    // 2 has an incoming arc from 3, 3 an outgoing one: no sink.
    EXPECT_EQ(MaxFlow(*g).Messages(), QStringList{Translate("Orgraf_must_have_stok")});
    Make(4, {{1, 2, 1}, {2, 3, 1}, {3, 2, 7}, {3, 4, 5}});
    const AlgorithmResult result = MaxFlow(*g);
    EXPECT_EQ(
        CaptionsOf(result),
        (Captions{{1, 2, "1/1", true}, {2, 3, "1/1", true}, {3, 2, "0/7", false}, {3, 4, "1/5", true}}));
}

TEST_F(MaxFlows, RefusalsOfSourcesAndSinks)
{
    const auto refusal = [&](const AlgorithmResult& result) {
        EXPECT_TRUE(result.refused);
        EXPECT_FALSE(result.drawsPicture);
        EXPECT_TRUE(result.PaneLines().isEmpty());
        return result.Messages();
    };
    Make(3, {{1, 2, 3}, {1, 3, 4}}); // two sinks
    EXPECT_EQ(refusal(MaxFlow(*g)), QStringList{Translate("Orgraf_have_more_2stok")});
    const AlgorithmResult both = MaxFlowMulti(*g);
    EXPECT_EQ(both.PaneLines(), QStringList{"Максимальный поток равен 7"});
    EXPECT_EQ(CaptionsOf(both), (Captions{{1, 2, "3/3", true}, {1, 3, "4/4", true}}));
    EXPECT_EQ(both.picture.vertexCount, 3);

    Make(3, {{1, 3, 3}, {2, 3, 4}}); // two sources
    EXPECT_EQ(refusal(MaxFlow(*g)), QStringList{Translate("Orgraf_has_2istok")});
    Make(4, {{1, 3, 3}, {2, 4, 4}}); // two of each: sinks come first
    EXPECT_EQ(refusal(MaxFlow(*g)), QStringList{Translate("Orgraf_have_more_2stok")});
    Make(3, {{1, 2, 3}, {2, 3, 3}, {3, 1, 3}}); // a cycle has no sink
    EXPECT_EQ(refusal(MaxFlow(*g)), QStringList{"У орграфа должен быть сток"});
    EXPECT_EQ(refusal(MaxFlowMulti(*g)), QStringList{"У орграфа должен быть сток"});
    Make(3, {{1, 2, 3}, {2, 1, 3}, {2, 3, 3}}); // a sink but no source
    EXPECT_EQ(refusal(MaxFlow(*g)), QStringList{"У орграфа должен быть сток"});
    EXPECT_EQ(refusal(MaxFlowMulti(*g)), QStringList{"У орграфа должен быть сток"});
}

TEST_F(MaxFlows, DispatcherRowsDrawTheirPictureAndLeaveTheDocumentAsItWas)
{
    Make(5, {{1, 3, 5}, {2, 3, 4}, {3, 4, 6}, {3, 5, 2}});
    RunAlgorithm(*g, host, host.panes, "FindStreamMax", 0, 0, &run);
    EXPECT_FALSE(run.ran);
    EXPECT_EQ(host.MessageTexts(), QStringList{Translate("Orgraf_have_more_2stok")});
    EXPECT_TRUE(host.shownReport.isEmpty());

    host.messages.clear();
    const std::vector<std::vector<int>> lists = {OutList(*g, 1), OutList(*g, 2), OutList(*g, 3),
                                                 OutList(*g, 4), OutList(*g, 5)};
    RunAlgorithm(*g, host, host.panes, "FindStreamMaxSuper", 0, 0, &run, {.recordSteps = true});
    EXPECT_TRUE(run.ran);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.redraws, 0);
    EXPECT_EQ(host.panes.Text.Lines(), QStringList{"Максимальный поток равен 8"});
    EXPECT_EQ(host.panes.Report.GetContent(), "<b>Максимальный поток равен 8</b><br>");
    EXPECT_EQ(host.shownReport, host.panes.Report.GetFileName());
    EXPECT_EQ(g->VertexCount, 5);
    for (int v = 1; v <= 5; ++v)
        EXPECT_EQ(OutList(*g, v), lists[v - 1]);
    for (int v = 1; v <= GraphDocument::MaxVertices; ++v)
        EXPECT_FALSE(g->HasArc(v, 6) || g->HasArc(v, 7)) << v;
    EXPECT_EQ(run.result.steps.FrameAt(0).key, "step_flow_start_multi");
    EXPECT_FALSE(RenderResultPicture(*g, run.result.picture, g->CanvasSize(host.DrawingArea())).isNull());

    Make(2, {{1, 2, 3}});
    g->Directed = false;
    RunAlgorithm(*g, host, host.panes, "FindStreamMax", 0, 0, &run);
    g->Directed = true;
    g->Weighted = false;
    RunAlgorithm(*g, host, host.panes, "FindStreamMaxSuper", 0, 0, &run);
    EXPECT_EQ(host.MessageTexts(), QStringList({Translate("algoritm_not_for_load_orgraf"),
                                                Translate("algoritm_not_for_load_orgraf")}));
}

TEST_F(MaxFlows, FullDocumentAndDamagedCapacities)
{
    // 255 vertices: the auxiliary vertices still find room. Sources 1 and 2, sinks 254 and 255.
    g = MakeGraf(true, true, GraphDocument::MaxVertices);
    for (int v = 3; v <= 253; ++v)
        g->AddArc(v, v + 1, 10);
    g->AddArc(1, 3, 4);
    g->AddArc(2, 3, 3);
    g->AddArc(253, 255, 2);
    EXPECT_EQ(MaxFlowMulti(*g).PaneLines(), QStringList{"Максимальный поток равен 7"});

    // A capacity of 0 (only a damaged file holds one) carries nothing, and the run ends.
    Make(3, {{1, 2, 3}, {2, 3, 2}, {1, 3, 4}});
    g->ArcRef(1, 3).Weight = 0;
    const AlgorithmResult result = MaxFlow(*g);
    EXPECT_EQ(result.PaneLines(), QStringList{"Максимальный поток равен 2"});
    EXPECT_EQ(std::get<2>(CaptionsOf(result)[1]), "0/0");
}

TEST(AugmentingPath, SingleSourceSearchMatchesFloydWarshallOnRandomNetworks)
{
    QRandomGenerator random(4242);
    int augmentations = 0;
    for (int round = 0; round < 300; ++round) {
        const int n = int(random.bounded(2, 10));
        ResidualNetwork network(n);
        LiteralFlow literal{n, std::vector<std::vector<int>>(n + 1, std::vector<int>(n + 1, Missing))};
        // Small capacities make equal path lengths, and so the predecessor rule, matter.
        const int maxCapacity = round % 3 == 0 ? 50000 : 4;
        for (int a = 1; a <= n; ++a)
            for (int b = 1; b <= n; ++b)
                if (a != b && random.bounded(3) == 0) {
                    const int c = int(random.bounded(1, maxCapacity + 1));
                    network.AddArc(a, b, c);
                    literal.r[a][b] = c;
                }
        const int source = int(random.bounded(1, n + 1));
        const int sink = source % n + 1;
        for (;;) {
            int bottleneck = 0;
            const std::vector<int> expected = literal.Path(source, sink, bottleneck);
            const AugmentingPath path = FindAugmentingPath(network, source, sink);
            ASSERT_EQ(path.vertices, expected) << "round " << round;
            ASSERT_EQ(path.bottleneck, bottleneck);
            if (expected.empty())
                break;
            literal.Augment(expected, bottleneck);
            network.Augment(path.vertices, path.bottleneck);
            ++augmentations;
        }
        for (int a = 1; a <= n; ++a)
            for (int b = 1; b <= n; ++b)
                ASSERT_EQ(network.At(a, b), literal.r[a][b]) << "round " << round << ": " << a << "->" << b;
    }
    EXPECT_GT(augmentations, 300);
}

TEST_F(MaxFlows, FlowValuesMatchIgraphAndFlowsAreConserved)
{
    QRandomGenerator random(99);
    int single = 0, multi = 0;
    for (int round = 0; round < 300; ++round) {
        const int n = int(random.bounded(2, 11));
        g = MakeGraf(true, true, n);
        std::vector<std::tuple<int, int, int>> arcs;
        const int maxCapacity = round % 2 ? 20 : 50000;
        const auto add = [&](int a, int b) {
            if (a == b || g->HasArc(a, b))
                return;
            const int c = int(random.bounded(1, maxCapacity + 1));
            g->AddArc(a, b, c);
            arcs.emplace_back(a, b, c);
        };
        // Half the networks have 1 as their only source and n as their only sink.
        const bool chain = round % 4 < 2;
        if (chain)
            for (int v = 1; v < n; ++v)
                add(v, v + 1);
        for (int a = 1; a <= n; ++a)
            for (int b = 1; b <= n; ++b)
                if (random.bounded(4) == 0 && !(chain && (b == 1 || a == n)))
                    add(a, b);

        std::vector<int> in(n + 1, 0), out(n + 1, 0), sources, sinks;
        for (auto [a, b, c] : arcs) {
            ++out[a];
            ++in[b];
        }
        for (int v = 1; v <= n; ++v) {
            if (in[v] == 0 && out[v] > 0)
                sources.push_back(v);
            if (out[v] == 0 && in[v] > 0)
                sinks.push_back(v);
        }

        const AlgorithmResult one = MaxFlow(*g);
        if (sinks.size() == 1 && sources.size() == 1) {
            ++single;
            ASSERT_FALSE(one.refused) << round;
            const int expected = IgraphMaxFlow(n, arcs, sources[0], sinks[0]);
            EXPECT_EQ(one.PaneLines(), QStringList{Translate("Max_stream_is") + QString::number(expected)})
                << round;
            const std::vector<int> balance = CheckCaptions(*g, one);
            for (int v = 1; v <= n; ++v)
                EXPECT_EQ(balance[v], v == sinks[0] ? expected : v == sources[0] ? -expected : 0) << round;
        } else {
            EXPECT_TRUE(one.refused) << round;
        }

        const AlgorithmResult all = MaxFlowMulti(*g);
        if (sinks.empty() || sources.empty()) {
            EXPECT_TRUE(all.refused) << round;
            continue;
        }
        ++multi;
        std::vector<std::tuple<int, int, int>> joined = arcs;
        for (int x : sources)
            joined.emplace_back(n + 1, x, 30000);
        for (int y : sinks)
            joined.emplace_back(y, n + 2, 30000);
        const int expected = IgraphMaxFlow(n + 2, joined, n + 1, n + 2);
        EXPECT_EQ(all.PaneLines(), QStringList{Translate("Max_stream_is") + QString::number(expected)})
            << round;
        const std::vector<int> balance = CheckCaptions(*g, all);
        int intoSinks = 0;
        for (int v = 1; v <= n; ++v) {
            const bool end =
                std::count(sources.begin(), sources.end(), v) || std::count(sinks.begin(), sinks.end(), v);
            if (!end) {
                EXPECT_EQ(balance[v], 0) << round << " " << v;
            }
            if (std::count(sinks.begin(), sinks.end(), v))
                intoSinks += balance[v];
        }
        EXPECT_EQ(intoSinks, expected) << round;
    }
    EXPECT_GT(single, 60);
    EXPECT_GT(multi, 150);
}
