#include "commands/GraphGenerators.h"
#include "ScriptedHost.h"
#include "base/TranslationManager.h"
#include "commands/GraphLayouts.h"
#include "commands/GraphSession.h"
#include "document/UndoHistory.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <tuple>

namespace {

using GraphGenerators::Family;
using GraphGenerators::Params;
using GraphGenerators::Weights;

struct Generators : ::testing::Test {
    ScriptedHost host;
    GraphSession session{host};
    GraphDocument* graf = nullptr;

    void SetUp() override
    {
        graf = &session.CreateDocument();
        graf->MeasuresLabels = false;
        graf->StartNewGraph(false, false);
    }

    bool Make(Family family, int first = 0, int second = 0, bool directed = false)
    {
        Params p;
        p.family = family;
        p.first = first;
        p.second = second;
        p.directed = directed;
        return GraphGenerators::GenerateCommand(session, p);
    }

    // Arcs as stored: an undirected edge counts twice.
    int ArcCount() const
    {
        int arcs = 0;
        for (int v = 1; v <= graf->VertexCount; ++v)
            arcs += graf->OutCount(v);
        return arcs;
    }
    std::vector<int> SortedDegrees() const
    {
        std::vector<int> degrees;
        for (int v = 1; v <= graf->VertexCount; ++v)
            degrees.push_back(graf->OutCount(v));
        std::sort(degrees.begin(), degrees.end());
        return degrees;
    }
    std::vector<int> InDegrees() const
    {
        std::vector<int> in(std::size_t(graf->VertexCount + 1), 0);
        for (int v = 1; v <= graf->VertexCount; ++v)
            for (int w : graf->OutArcs(v))
                ++in[std::size_t(w)];
        return in;
    }
    // Vertices reachable from v along arcs.
    std::set<int> Reach(int v, bool backwards = false) const
    {
        std::set<int> seen{v};
        std::vector<int> stack{v};
        while (!stack.empty()) {
            const int u = stack.back();
            stack.pop_back();
            for (int w = 1; w <= graf->VertexCount; ++w)
                if ((backwards ? graf->HasArc(w, u) : graf->HasArc(u, w)) && seen.insert(w).second)
                    stack.push_back(w);
        }
        return seen;
    }
    // Kahn's algorithm: true when every vertex can be ordered, i.e. there is no cycle.
    bool Acyclic() const
    {
        std::vector<int> in = InDegrees();
        std::vector<int> ready;
        for (int v = 1; v <= graf->VertexCount; ++v)
            if (in[std::size_t(v)] == 0)
                ready.push_back(v);
        int ordered = 0;
        while (!ready.empty()) {
            const int v = ready.back();
            ready.pop_back();
            ++ordered;
            for (int w : graf->OutArcs(v))
                if (--in[std::size_t(w)] == 0)
                    ready.push_back(w);
        }
        return ordered == graf->VertexCount;
    }
    // The length of the shortest cycle of an undirected graph (0 without one).
    int Girth() const
    {
        int best = 0;
        for (int s = 1; s <= graf->VertexCount; ++s) {
            std::vector<int> dist(std::size_t(graf->VertexCount + 1), -1), parent(dist);
            std::vector<int> queue{s};
            dist[std::size_t(s)] = 0;
            for (std::size_t h = 0; h < queue.size(); ++h) {
                const int u = queue[h];
                for (int w : graf->OutArcs(u)) {
                    if (dist[std::size_t(w)] < 0) {
                        dist[std::size_t(w)] = dist[std::size_t(u)] + 1;
                        parent[std::size_t(w)] = u;
                        queue.push_back(w);
                    } else if (parent[std::size_t(u)] != w) {
                        const int len = dist[std::size_t(u)] + dist[std::size_t(w)] + 1;
                        best = best == 0 ? len : std::min(best, len);
                    }
                }
            }
        }
        return best;
    }
};

TEST_F(Generators, ClassicFamiliesHaveTheirCountsAndDegrees)
{
    for (int n : {1, 2, 5, 12}) {
        ASSERT_TRUE(Make(Family::Complete, n));
        EXPECT_EQ(graf->VertexCount, n);
        EXPECT_EQ(ArcCount(), n * (n - 1));
        EXPECT_EQ(SortedDegrees(), std::vector<int>(std::size_t(n), n - 1));
    }
    for (int n : {3, 4, 9}) {
        ASSERT_TRUE(Make(Family::Cycle, n));
        EXPECT_EQ(SortedDegrees(), std::vector<int>(std::size_t(n), 2));
        EXPECT_EQ(Reach(1).size(), std::size_t(n));
        EXPECT_EQ(Girth(), n);
    }
    ASSERT_TRUE(Make(Family::Path, 6));
    EXPECT_EQ(SortedDegrees(), (std::vector<int>{1, 1, 2, 2, 2, 2}));
    ASSERT_TRUE(Make(Family::Star, 6));
    EXPECT_EQ(SortedDegrees(), (std::vector<int>{1, 1, 1, 1, 1, 5}));
    EXPECT_EQ(graf->OutCount(1), 5); // the centre is vertex 1
    ASSERT_TRUE(Make(Family::Wheel, 7));
    EXPECT_EQ(SortedDegrees(), (std::vector<int>{3, 3, 3, 3, 3, 3, 6}));

    // K(m, n): every vertex of one part joined to every vertex of the other, none within a part.
    ASSERT_TRUE(Make(Family::CompleteBipartite, 3, 4));
    EXPECT_EQ(graf->VertexCount, 7);
    EXPECT_EQ(SortedDegrees(), (std::vector<int>{3, 3, 3, 3, 4, 4, 4}));
    for (int a = 1; a <= 7; ++a)
        for (int b = 1; b <= 7; ++b)
            EXPECT_EQ(graf->HasArc(a, b), (a <= 3) != (b <= 3)) << a << "-" << b;

    // Q(d): 2^d vertices, d-regular, joined exactly when their numbers differ in one bit.
    for (int d : {0, 1, 3, 5}) {
        ASSERT_TRUE(Make(Family::Hypercube, d));
        EXPECT_EQ(graf->VertexCount, 1 << d);
        EXPECT_EQ(SortedDegrees(), std::vector<int>(std::size_t(1 << d), d));
        for (int a = 1; a <= graf->VertexCount; ++a)
            for (int b = 1; b <= graf->VertexCount; ++b)
                EXPECT_EQ(graf->HasArc(a, b), std::popcount(unsigned((a - 1) ^ (b - 1))) == 1);
    }

    // The m x n grid, numbered row by row: right and down neighbours.
    ASSERT_TRUE(Make(Family::Grid, 4, 5));
    EXPECT_EQ(graf->VertexCount, 20);
    EXPECT_EQ(ArcCount(), 2 * (4 * 4 + 5 * 3));
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 5; ++c) {
            const int v = r * 5 + c + 1;
            EXPECT_EQ(graf->HasArc(v, v + 1), c < 4);
            EXPECT_EQ(v + 5 <= 20 && graf->HasArc(v, v + 5), r < 3);
            const int expected = (c > 0) + (c < 4) + (r > 0) + (r < 3);
            EXPECT_EQ(graf->OutCount(v), expected) << r << "," << c;
            // Rows lie left to right and top to bottom.
            if (c > 0) {
                EXPECT_GT(graf->Vertices[v].X, graf->Vertices[v - 1].X);
            }
            if (r > 0) {
                EXPECT_GT(graf->Vertices[v].Y, graf->Vertices[v - 5].Y);
            }
        }
}

TEST_F(Generators, PetersenGraphsAreCubic)
{
    ASSERT_TRUE(Make(Family::Petersen));
    EXPECT_EQ(graf->VertexCount, 10);
    EXPECT_EQ(ArcCount(), 30);
    EXPECT_EQ(SortedDegrees(), std::vector<int>(10, 3));
    EXPECT_EQ(Girth(), 5);
    for (auto [n, k] : {std::pair{3, 1}, {7, 2}, {8, 3}, {20, 9}, {127, 63}}) {
        ASSERT_TRUE(Make(Family::GeneralizedPetersen, n, k)) << n << "," << k;
        EXPECT_EQ(graf->VertexCount, 2 * n);
        EXPECT_EQ(ArcCount(), 2 * 3 * n);
        EXPECT_EQ(SortedDegrees(), std::vector<int>(std::size_t(2 * n), 3));
    }
}

TEST_F(Generators, DirectedFamiliesStoreOneArcAPair)
{
    ASSERT_TRUE(Make(Family::Complete, 5, 0, true));
    EXPECT_TRUE(graf->Directed);
    EXPECT_EQ(ArcCount(), 20);
    ASSERT_TRUE(Make(Family::Cycle, 6, 0, true));
    EXPECT_EQ(ArcCount(), 6);
    EXPECT_EQ(Reach(1).size(), 6u); // a directed ring
    ASSERT_TRUE(Make(Family::RandomTree, 30, 0, true));
    EXPECT_EQ(ArcCount(), 29);
    EXPECT_EQ(Reach(1).size(), 30u); // every arc points away from vertex 1
}

TEST_F(Generators, RandomModelsKeepTheirPromisesAndSeedsReproduce)
{
    std::mt19937 pick(19);
    for (int round = 0; round < 60; ++round) {
        Params p;
        p.seed = pick();
        p.first = std::uniform_int_distribution<int>(1, 60)(pick);
        p.probability = std::uniform_real_distribution<double>(0, 1)(pick);

        p.family = Family::RandomDag;
        ASSERT_TRUE(GraphGenerators::GenerateCommand(session, p));
        EXPECT_TRUE(graf->Directed);
        EXPECT_TRUE(Acyclic()) << "seed " << p.seed;

        p.family = Family::RandomTree;
        ASSERT_TRUE(GraphGenerators::GenerateCommand(session, p));
        EXPECT_EQ(ArcCount(), 2 * (p.first - 1));
        EXPECT_EQ(Reach(1).size(), std::size_t(p.first));

        p.family = Family::RandomGnm;
        p.directed = round % 2 == 1;
        const int pairs = p.first * (p.first - 1) / (p.directed ? 1 : 2);
        p.second = std::uniform_int_distribution<int>(0, pairs)(pick);
        ASSERT_TRUE(GraphGenerators::GenerateCommand(session, p));
        EXPECT_EQ(ArcCount(), p.directed ? p.second : 2 * p.second);

        // A flow network: one source (vertex 1), one sink (the last), everything between them
        // on some route from the one to the other, capacities in the range.
        p.family = Family::FlowNetwork;
        p.first = std::uniform_int_distribution<int>(1, 6)(pick);
        p.second = std::uniform_int_distribution<int>(1, 6)(pick);
        p.minWeight = std::uniform_int_distribution<int>(1, 50)(pick);
        p.maxWeight = p.minWeight + std::uniform_int_distribution<int>(0, 50)(pick);
        ASSERT_TRUE(GraphGenerators::GenerateCommand(session, p));
        const int n = graf->VertexCount;
        ASSERT_EQ(n, p.first * p.second + 2);
        EXPECT_TRUE(graf->Weighted);
        EXPECT_TRUE(Acyclic());
        const std::vector<int> in = InDegrees();
        for (int v = 1; v <= n; ++v) {
            EXPECT_EQ(in[std::size_t(v)] == 0, v == 1) << v;
            EXPECT_EQ(graf->OutCount(v) == 0, v == n) << v;
            for (int w : graf->OutArcs(v)) {
                EXPECT_GE(graf->Arc(v, w).Weight, p.minWeight);
                EXPECT_LE(graf->Arc(v, w).Weight, p.maxWeight);
            }
        }
        EXPECT_EQ(Reach(1).size(), std::size_t(n));
        EXPECT_EQ(Reach(n, true).size(), std::size_t(n));
    }

    // The same parameters and seed give the same graph, drawing included; another seed another.
    Params p;
    p.family = Family::RandomGnp;
    p.first = 40;
    p.probability = 0.2;
    p.weights = Weights::Random;
    p.minWeight = 1;
    p.maxWeight = 99;
    p.seed = 12345;
    ASSERT_TRUE(GraphGenerators::GenerateCommand(session, p));
    const auto first = UndoHistory::TakeSnapshot(*graf);
    ASSERT_TRUE(Make(Family::Cycle, 5));
    ASSERT_TRUE(GraphGenerators::GenerateCommand(session, p));
    EXPECT_TRUE(*first == *UndoHistory::TakeSnapshot(*graf));
    p.seed = 54321;
    ASSERT_TRUE(GraphGenerators::GenerateCommand(session, p));
    EXPECT_FALSE(first->Unpacked().AllOutLists() == graf->AllOutLists());
}

TEST_F(Generators, ExtremeProbabilitiesGiveEmptyAndCompleteGraphs)
{
    Params p;
    p.family = Family::RandomGnp;
    p.first = 15;
    p.probability = 0;
    ASSERT_TRUE(GraphGenerators::GenerateCommand(session, p));
    EXPECT_EQ(ArcCount(), 0);
    p.probability = 1;
    ASSERT_TRUE(GraphGenerators::GenerateCommand(session, p));
    EXPECT_EQ(ArcCount(), 15 * 14);
    p.family = Family::RandomDag;
    ASSERT_TRUE(GraphGenerators::GenerateCommand(session, p));
    EXPECT_EQ(ArcCount(), 15 * 14 / 2);
    EXPECT_TRUE(Acyclic());
}

TEST_F(Generators, WeightsNamesAndStylesFollowTheOptions)
{
    graf->Style().NormalVertex.BrushColor = 0x123456;
    graf->AddLabel(QStringLiteral("old"), 5, 5);
    Params p;
    p.family = Family::Complete;
    p.first = 30;
    p.weights = Weights::Constant;
    p.constantWeight = 7;
    p.namingKind = VertexNaming::Letters;
    p.namingStart = QStringLiteral("C");
    ASSERT_TRUE(GraphGenerators::GenerateCommand(session, p));
    EXPECT_TRUE(graf->Weighted);
    EXPECT_EQ(graf->LabelCount, 0);
    EXPECT_EQ(graf->Style().NormalVertex.BrushColor, 0x123456);
    EXPECT_EQ(graf->VertexName(1), "C");
    EXPECT_EQ(graf->VertexName(25), "BA");
    for (int a = 1; a <= 30; ++a)
        for (int b : graf->OutArcs(a))
            EXPECT_EQ(graf->Arc(a, b).Weight, 7);

    p.weights = Weights::Random;
    p.minWeight = 3;
    p.maxWeight = 5;
    p.namingKind = VertexNaming::Numbers;
    p.namingStart = QStringLiteral("0");
    ASSERT_TRUE(GraphGenerators::GenerateCommand(session, p));
    EXPECT_EQ(graf->VertexName(1), "0");
    std::set<int> seen;
    for (int a = 1; a <= 30; ++a)
        for (int b : graf->OutArcs(a)) {
            seen.insert(graf->Arc(a, b).Weight);
            EXPECT_EQ(graf->Arc(a, b).Weight, graf->Arc(b, a).Weight); // an edge has one weight
        }
    EXPECT_EQ(seen, (std::set<int>{3, 4, 5}));

    p.namingKind = VertexNaming::Manual;
    ASSERT_TRUE(GraphGenerators::GenerateCommand(session, p));
    EXPECT_TRUE(graf->IsManualNaming());
    EXPECT_EQ(graf->VertexName(30), "30");
}

TEST_F(Generators, RefusalsNameTheRangeAndChangeNothing)
{
    ASSERT_TRUE(Make(Family::Cycle, 5));
    const auto before = UndoHistory::TakeSnapshot(*graf);
    const bool couldUndo = session.History().CanUndo();
    // Over 255 vertices: the parameter that alone sets the count names its range, else the
    // count the parameters give is named with the range.
    auto range = [](const char* what, int min, int max) {
        return Translate(QStringLiteral("Generate_range"))
            .arg(Translate(QLatin1String(what)))
            .arg(min)
            .arg(max);
    };
    auto tooMany = [](int count) {
        return Translate(QStringLiteral("Generate_range"))
            .arg(Translate(QStringLiteral("Generate_vertex_count")).arg(count))
            .arg(1)
            .arg(255);
    };
    struct Case {
        Family family;
        int first, second;
        double p;
        QString expected;
    };
    const std::vector<Case> cases = {
        {Family::Complete, 256, 0, 0, range("Generate_param_n", 1, 255)},
        {Family::Grid, 16, 16, 0, tooMany(256)},
        {Family::CompleteBipartite, 128, 128, 0, tooMany(256)},
        {Family::Hypercube, 8, 0, 0, range("Generate_param_d", 0, 7)},
        {Family::Hypercube, 1000, 0, 0, range("Generate_param_d", 0, 7)},
        {Family::GeneralizedPetersen, 128, 1, 0, range("Generate_param_ring", 3, 127)},
        {Family::FlowNetwork, 127, 2, 0, tooMany(256)},
        {Family::Cycle, 2, 0, 0, "n (вершин): допустимо от 3 до 255"},
        {Family::Wheel, 3, 0, 0, "n (вершин): допустимо от 4 до 255"},
        {Family::Complete, 0, 0, 0, "n (вершин): допустимо от 1 до 255"},
        {Family::Grid, -1, 5, 0, "m (строк): допустимо от 1 до 255"},
        {Family::GeneralizedPetersen, 7, 4, 0, "k (шаг): допустимо от 1 до 3"},
        {Family::GeneralizedPetersen, 7, 0, 0, "k (шаг): допустимо от 1 до 3"},
        {Family::RandomGnm, 5, 11, 0, "m (дуг): допустимо от 0 до 10"},
        {Family::RandomGnp, 5, 0, 1.5, "p (вероятность дуги): допустимо от 0 до 1"},
        {Family::RandomDag, 5, 0, -0.1, "p (вероятность дуги): допустимо от 0 до 1"},
    };
    for (const Case& c : cases) {
        host.messages.clear();
        Params p;
        p.family = c.family;
        p.first = c.first;
        p.second = c.second;
        p.probability = c.p;
        EXPECT_FALSE(GraphGenerators::GenerateCommand(session, p));
        EXPECT_EQ(host.MessageTexts(), QStringList{c.expected}) << c.first << "," << c.second;
        EXPECT_FALSE(GraphGenerators::Build(p).ok);
    }
    Params weights;
    weights.family = Family::Path;
    weights.weights = Weights::Random;
    weights.minWeight = 10;
    weights.maxWeight = 9;
    host.messages.clear();
    EXPECT_FALSE(GraphGenerators::GenerateCommand(session, weights));
    EXPECT_EQ(host.MessageTexts(), QStringList{"Вес дуги: допустимо от 10 до 50000"});
    weights.weights = Weights::Constant;
    weights.constantWeight = 50001;
    host.messages.clear();
    EXPECT_FALSE(GraphGenerators::GenerateCommand(session, weights));
    EXPECT_EQ(host.MessageTexts(), QStringList{"Вес дуги: допустимо от 1 до 50000"});

    EXPECT_TRUE(*before == *UndoHistory::TakeSnapshot(*graf));
    EXPECT_EQ(session.History().CanUndo(), couldUndo);
    EXPECT_FALSE(session.History().CanRedo());

    // Exactly 255 vertices from two parameters is accepted.
    host.messages.clear();
    for (auto [family, first, second] :
         {std::tuple{Family::Grid, 15, 17}, std::tuple{Family::FlowNetwork, 1, 253},
          std::tuple{Family::CompleteBipartite, 1, 254}}) {
        Params p;
        p.family = family;
        p.first = first;
        p.second = second;
        ASSERT_TRUE(GraphGenerators::GenerateCommand(session, p)) << first << "," << second;
        EXPECT_EQ(graf->VertexCount, 255);
    }
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(session.HasUnsavedChanges());
}

TEST_F(Generators, AGeneratedGraphIsOneUndoStep)
{
    graf->AddVertex(100, 100, QString(), graf->FreeNameNumber(), 10);
    graf->AddVertex(200, 100, QString(), graf->FreeNameNumber(), 10);
    graf->AddArc(1, 2, 1);
    graf->AddLabel(QStringLiteral("kept by undo"), 10, 10);
    const auto before = UndoHistory::TakeSnapshot(*graf);
    ASSERT_TRUE(Make(Family::Petersen));
    EXPECT_TRUE(session.HasUnsavedChanges()) << "a generated graph is in no file yet";
    EXPECT_TRUE(session.FileName().isEmpty());
    session.Undo();
    EXPECT_TRUE(*before == *UndoHistory::TakeSnapshot(*graf));
    EXPECT_EQ(graf->Labels[1].Text, "kept by undo");
    session.Redo();
    EXPECT_EQ(graf->VertexCount, 10);
    session.Undo();
    EXPECT_FALSE(session.History().CanUndo());
}

TEST(GeneratorCatalogue, NamesAreUniqueAndFound)
{
    std::set<QString> names;
    for (const auto& info : GraphGenerators::Families()) {
        EXPECT_TRUE(names.insert(QLatin1String(info.name)).second);
        EXPECT_EQ(GraphGenerators::FamilyNamed(QString::fromLatin1(info.name).toUpper()), &info);
        EXPECT_FALSE(Translate(QLatin1String(info.captionKey)).isEmpty());
    }
    EXPECT_EQ(names.size(), 15u);
    EXPECT_EQ(GraphGenerators::FamilyNamed(QStringLiteral("nonsense")), nullptr);
}

} // namespace

TEST_F(Generators, EveryVertexNameShowsWholeClearOfTheEdgesAndOfOtherNames)
{
    // Three-digit names in small circles, on a grid and on a circle.
    graf->NormalLabelStyle.Size = 11;
    const QFontMetrics metrics(graf->NormalLabelStyle.Font());
    for (auto [family, first, second] :
         {std::tuple{Family::Grid, 15, 17}, std::tuple{Family::Cycle, 255, 0}}) {
        ASSERT_TRUE(Make(family, first, second)) << first << "," << second;
        const QRect area = GraphLayouts::VisibleArea(*graf, host);
        std::vector<QRect> captions;
        for (int v = 1; v <= graf->VertexCount; ++v) {
            const QString title = graf->VertexName(v);
            const QSize size(metrics.horizontalAdvance(title), metrics.height());
            const QRect caption(
                QPoint(graf->Vertices[v].X - size.width() / 2, graf->Vertices[v].Y - size.height() / 2),
                size);
            EXPECT_GE(caption.left(), area.left()) << first << " vertex " << v;
            EXPECT_GE(caption.top(), area.top()) << first << " vertex " << v;
            EXPECT_LE(caption.right(), graf->CanvasSize(host.DrawingArea()).width())
                << first << " vertex " << v;
            EXPECT_LE(caption.bottom(), graf->CanvasSize(host.DrawingArea()).height())
                << first << " vertex " << v;
            captions.push_back(caption);
        }
        for (std::size_t a = 0; a < captions.size(); ++a)
            for (std::size_t b = a + 1; b < captions.size(); ++b)
                ASSERT_FALSE(captions[a].intersects(captions[b]))
                    << first << ": " << a + 1 << " and " << b + 1;
    }
}
