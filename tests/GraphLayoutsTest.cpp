#include "commands/GraphLayouts.h"
#include "ScriptedHost.h"
#include "base/TranslationManager.h"
#include "commands/GraphGenerators.h"
#include "commands/GraphSession.h"
#include "document/UndoHistory.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

namespace {

using GraphLayouts::Kind;

constexpr Kind kAllKinds[] = {Kind::Circle,      Kind::Grid,     Kind::FruchtermanReingold,
                              Kind::KamadaKawai, Kind::Sugiyama, Kind::Tree};

struct Layouts : ::testing::Test {
    ScriptedHost host;
    GraphSession session{host};
    GraphDocument* graf = nullptr;
    std::mt19937 random{2026};

    void SetUp() override
    {
        graf = &session.CreateDocument();
        graf->MeasuresLabels = false;
        graf->StartNewGraph(false, false);
    }

    // A random graph drawn at random places, some arcs bent, a label or two.
    void RandomGraph(int n, bool directed, double p)
    {
        graf->DeleteAllLabels();
        graf->StartNewGraph(directed, true);
        std::uniform_int_distribution<int> coordinate(0, 900);
        for (int i = 0; i < n; ++i)
            graf->AddVertex(coordinate(random), coordinate(random), QString(), graf->FreeNameNumber(),
                            std::uniform_int_distribution<int>(5, 15)(random));
        std::uniform_real_distribution<double> coin(0, 1);
        for (int a = 1; a <= n; ++a)
            for (int b = 1; b <= n; ++b)
                if (a != b && coin(random) < p && !graf->HasArc(a, b) && (directed ? a < b : true))
                    graf->AddArc(a, b, std::uniform_int_distribution<int>(1, 100)(random));
        for (int a = 1; a <= n; ++a)
            for (int b : graf->OutArcs(a))
                graf->ArcRef(a, b).MoveTextPoint(17, 0); // bent
        graf->AddLabel(QStringLiteral("stays"), 33, 44);
    }

    // How far the text point of arc a-b lies from the straight line through its two vertices.
    double DistanceFromChord(int a, int b) const
    {
        const ArcRecord& arc = graf->Arc(a, b);
        const double dx = graf->Vertices[b].X - graf->Vertices[a].X,
                     dy = graf->Vertices[b].Y - graf->Vertices[a].Y;
        const double cross = (arc.X() - graf->Vertices[a].X) * dy - (arc.Y() - graf->Vertices[a].Y) * dx;
        return std::abs(cross) / std::hypot(dx, dy);
    }

    double ClosestPair() const
    {
        double best = 1e18;
        for (int a = 1; a <= graf->VertexCount; ++a)
            for (int b = a + 1; b <= graf->VertexCount; ++b)
                best = std::min(best, std::hypot(graf->Vertices[a].X - graf->Vertices[b].X,
                                                 graf->Vertices[a].Y - graf->Vertices[b].Y));
        return best;
    }
};

TEST_F(Layouts, EveryLayoutKeepsVerticesInsideTheVisibleArea)
{
    host.scroll = QPoint(150, 70);
    const QRect area = GraphLayouts::VisibleArea(*graf, host);
    // Inside the view, clear of its left edge and a caption's height below its top.
    const int caption = QFontMetrics(graf->NormalLabelStyle.Font()).height();
    EXPECT_GE(area.left(), 150 + 4);
    EXPECT_GE(area.top(), 70 + caption);
    EXPECT_EQ(area.right(), 150 + 600 - 1);
    EXPECT_EQ(area.bottom(), 70 + 400 - 1);
    for (int round = 0; round < 40; ++round) {
        RandomGraph(std::uniform_int_distribution<int>(1, 30)(random), round % 2 == 0, 0.15);
        const int margin = GraphLayouts::VertexMargin(*graf);
        for (Kind kind : kAllKinds) {
            ASSERT_TRUE(GraphLayouts::LayoutCommand(session, kind));
            for (int v = 1; v <= graf->VertexCount; ++v) {
                const VertexRecord& p = graf->Vertices[v];
                EXPECT_GE(p.X - margin, area.left()) << int(kind) << " vertex " << v;
                EXPECT_LE(p.X + margin, area.right() + 1) << int(kind) << " vertex " << v;
                EXPECT_GE(p.Y - margin, area.top()) << int(kind) << " vertex " << v;
                EXPECT_LE(p.Y + margin, area.bottom() + 1) << int(kind) << " vertex " << v;
            }
        }
    }
}

TEST_F(Layouts, CircleAndGridNeverOverlapVertices)
{
    for (int n : {2, 3, 7, 40, 120, 255}) {
        RandomGraph(n, false, 0.02);
        const int margin = GraphLayouts::VertexMargin(*graf);
        for (Kind kind : {Kind::Circle, Kind::Grid}) {
            ASSERT_TRUE(GraphLayouts::LayoutCommand(session, kind));
            EXPECT_GE(ClosestPair(), 2 * margin) << n << " " << int(kind);
            for (int v = 1; v <= n; ++v) {
                // Too many to fit: the drawing grows to the right and down, never up or left.
                EXPECT_GE(graf->Vertices[v].X, margin);
                EXPECT_GE(graf->Vertices[v].Y, margin);
                EXPECT_LE(graf->Vertices[v].X + graf->Vertices[v].Size,
                          graf->CanvasSize(host.DrawingArea()).width());
                EXPECT_LE(graf->Vertices[v].Y + graf->Vertices[v].Size,
                          graf->CanvasSize(host.DrawingArea()).height());
            }
        }
    }
    // A circle of equal neighbours: every vertex as far from the centre.
    RandomGraph(12, false, 0);
    ASSERT_TRUE(GraphLayouts::LayoutCommand(session, Kind::Circle));
    double cx = 0, cy = 0;
    for (int v = 1; v <= 12; ++v) {
        cx += graf->Vertices[v].X / 12.0;
        cy += graf->Vertices[v].Y / 12.0;
    }
    for (int v = 2; v <= 12; ++v)
        EXPECT_NEAR(std::hypot(graf->Vertices[v].X - cx, graf->Vertices[v].Y - cy),
                    std::hypot(graf->Vertices[1].X - cx, graf->Vertices[1].Y - cy), 1.5);
    EXPECT_LT(graf->Vertices[1].Y, graf->Vertices[2].Y); // vertex 1 at the top
}

// The diameters of a circle of an even number of vertices all cross at the centre: their
// weights must not print one over another, and each arc must stay a straight line.
TEST_F(Layouts, WeightsOfCrossingStraightArcsDoNotShareAPoint)
{
    for (const bool directed : {false, true}) {
        graf->StartNewGraph(directed, true);
        for (int i = 0; i < 8; ++i)
            graf->AddVertex(100 + 40 * i, 100, QString(), graf->FreeNameNumber(), 10);
        for (int a = 1; a <= 8; ++a)
            for (int b = 1; b <= 8; ++b)
                if (a != b && (directed || a < b))
                    graf->AddArc(a, b, 10 * a + b);
        ASSERT_TRUE(GraphLayouts::LayoutCommand(session, Kind::Circle));
        std::vector<std::pair<int, int>> arcs;
        for (int a = 1; a <= 8; ++a)
            for (int b : graf->OutArcs(a))
                if (directed || a < b)
                    arcs.emplace_back(a, b);
        ASSERT_EQ(arcs.size(), directed ? 56u : 28u);
        for (std::size_t i = 0; i < arcs.size(); ++i) {
            const auto [a, b] = arcs[i];
            const ArcRecord& arc = graf->Arc(a, b);
            if (!directed) { // one edge, one text, whichever way it is looked up
                EXPECT_EQ(QPoint(arc.X(), arc.Y()), QPoint(graf->Arc(b, a).X(), graf->Arc(b, a).Y()));
            }
            // On the segment between the two vertices, within a pixel.
            const double dx = graf->Vertices[b].X - graf->Vertices[a].X,
                         dy = graf->Vertices[b].Y - graf->Vertices[a].Y;
            EXPECT_LE(DistanceFromChord(a, b), 1.0) << a << "-" << b;
            const double along =
                ((arc.X() - graf->Vertices[a].X) * dx + (arc.Y() - graf->Vertices[a].Y) * dy) /
                (dx * dx + dy * dy);
            EXPECT_GT(along, 0.2);
            EXPECT_LT(along, 0.8);
            for (std::size_t j = 0; j < i; ++j) {
                const ArcRecord& other = graf->Arc(arcs[j].first, arcs[j].second);
                EXPECT_TRUE(std::abs(other.X() - arc.X()) >= 10 || std::abs(other.Y() - arc.Y()) >= 10)
                    << a << "-" << b << " and " << arcs[j].first << "-" << arcs[j].second;
            }
        }
    }
}

TEST_F(Layouts, LayeredLayoutsPutEveryHeadBelowItsTail)
{
    for (int round = 0; round < 40; ++round) {
        GraphGenerators::Params p;
        p.family = GraphGenerators::Family::RandomDag;
        p.first = std::uniform_int_distribution<int>(2, 60)(random);
        p.probability = std::uniform_real_distribution<double>(0.02, 0.5)(random);
        p.seed = random();
        p.layout = Kind::Sugiyama;
        ASSERT_TRUE(GraphGenerators::GenerateCommand(session, p));
        for (int a = 1; a <= graf->VertexCount; ++a)
            for (int b : graf->OutArcs(a))
                EXPECT_GT(graf->Vertices[b].Y, graf->Vertices[a].Y)
                    << "seed " << p.seed << ": " << a << "->" << b;
        // The same from the menu, whatever the places were before.
        ASSERT_TRUE(GraphLayouts::LayoutCommand(session, Kind::Circle));
        ASSERT_TRUE(GraphLayouts::LayoutCommand(session, Kind::Sugiyama));
        for (int a = 1; a <= graf->VertexCount; ++a)
            for (int b : graf->OutArcs(a))
                EXPECT_GT(graf->Vertices[b].Y, graf->Vertices[a].Y);
    }
}

TEST_F(Layouts, TreeLayoutHangsTheTreeFromTheSelectedVertex)
{
    for (int round = 0; round < 30; ++round) {
        GraphGenerators::Params p;
        p.family = GraphGenerators::Family::RandomTree;
        p.first = std::uniform_int_distribution<int>(2, 80)(random);
        p.seed = random();
        ASSERT_TRUE(GraphGenerators::GenerateCommand(session, p));
        const int root = std::uniform_int_distribution<int>(1, p.first)(random);
        graf->ActiveVertex = root;
        ASSERT_TRUE(GraphLayouts::LayoutCommand(session, Kind::Tree));
        // Depth by breadth-first search from the root decides the height, level by level.
        std::vector<int> depth(std::size_t(p.first + 1), -1);
        std::vector<int> queue{root};
        depth[std::size_t(root)] = 0;
        for (std::size_t h = 0; h < queue.size(); ++h)
            for (int w : graf->OutArcs(queue[h]))
                if (depth[std::size_t(w)] < 0) {
                    depth[std::size_t(w)] = depth[std::size_t(queue[h])] + 1;
                    queue.push_back(w);
                }
        for (int a = 1; a <= p.first; ++a)
            for (int b = 1; b <= p.first; ++b)
                if (depth[std::size_t(a)] < depth[std::size_t(b)]) {
                    EXPECT_LT(graf->Vertices[a].Y, graf->Vertices[b].Y);
                } else if (depth[std::size_t(a)] == depth[std::size_t(b)]) {
                    EXPECT_EQ(graf->Vertices[a].Y, graf->Vertices[b].Y);
                }
    }
    // A forest: every part is placed, each from its lowest vertex.
    RandomGraph(9, false, 0);
    graf->AddArc(1, 2, 1);
    graf->AddArc(5, 6, 1);
    graf->ActiveVertex = 0;
    ASSERT_TRUE(GraphLayouts::LayoutCommand(session, Kind::Tree));
    EXPECT_LT(graf->Vertices[1].Y, graf->Vertices[2].Y);
    EXPECT_LT(graf->Vertices[5].Y, graf->Vertices[6].Y);
}

TEST_F(Layouts, ALayoutMovesVerticesOnlyAndUndoesInOneStep)
{
    for (Kind kind : kAllKinds) {
        RandomGraph(25, kind == Kind::Sugiyama, 0.2);
        graf->ActiveVertex = 3;
        const auto before = UndoHistory::TakeSnapshot(*graf);
        ASSERT_TRUE(GraphLayouts::LayoutCommand(session, kind));
        Graph after = static_cast<const Graph&>(*graf);
        // Everything but the places of vertices and arc texts is as it was.
        for (int v = 1; v <= graf->VertexCount; ++v) {
            after.Vertices[v].X = before->Unpacked().Vertices[v].X;
            after.Vertices[v].Y = before->Unpacked().Vertices[v].Y;
            for (int w : graf->OutArcs(v)) {
                // Arcs are straight again: their text on the line between the two vertices.
                EXPECT_LE(DistanceFromChord(v, w), 1.0) << v << "-" << w;
                after.ArcRef(v, w).SetTextPoint(before->Unpacked().Arc(v, w).X(),
                                                before->Unpacked().Arc(v, w).Y());
            }
        }
        EXPECT_TRUE(after == before->Unpacked()) << int(kind);
        EXPECT_TRUE(graf->Naming().SameAs(before->Naming));

        session.Undo();
        EXPECT_TRUE(*before == *UndoHistory::TakeSnapshot(*graf)) << int(kind);
        session.Redo();
        EXPECT_FALSE(*before == *UndoHistory::TakeSnapshot(*graf)) << int(kind);
    }
}

TEST_F(Layouts, NothingToPlaceRecordsNothing)
{
    EXPECT_FALSE(GraphLayouts::LayoutCommand(session, Kind::FruchtermanReingold));
    EXPECT_FALSE(session.History().CanUndo());
    EXPECT_TRUE(host.messages.empty());
    // One vertex goes to the middle of the area, halves rounded to even (the area's top
    // follows the font's height, so either parity occurs).
    graf->AddVertex(5, 5, QString(), 1, 10);
    ASSERT_TRUE(GraphLayouts::LayoutCommand(session, Kind::KamadaKawai));
    const QRect area = GraphLayouts::VisibleArea(*graf, host);
    EXPECT_EQ(graf->Vertices[1].X, int(std::nearbyint(area.left() + area.width() / 2.0)));
    EXPECT_EQ(graf->Vertices[1].Y, int(std::nearbyint(area.top() + area.height() / 2.0)));
}

TEST_F(Layouts, ForceDirectedSeedsReproduce)
{
    RandomGraph(50, false, 0.08);
    GraphLayouts::Options options;
    options.seed = 77;
    const auto a = GraphLayouts::Compute(*graf, Kind::FruchtermanReingold,
                                         GraphLayouts::VisibleArea(*graf, host), options);
    const auto b = GraphLayouts::Compute(*graf, Kind::FruchtermanReingold,
                                         GraphLayouts::VisibleArea(*graf, host), options);
    options.seed = 78;
    const auto c = GraphLayouts::Compute(*graf, Kind::FruchtermanReingold,
                                         GraphLayouts::VisibleArea(*graf, host), options);
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(*a, *b);
    EXPECT_NE(*a, *c);
}

TEST(LayoutCatalogue, NamesAndCaptions)
{
    std::set<QString> names;
    for (const auto& info : GraphLayouts::Kinds()) {
        EXPECT_TRUE(names.insert(QLatin1String(info.name)).second);
        EXPECT_TRUE(names.insert(QLatin1String(info.alias)).second || QLatin1String(info.alias) == info.name);
        EXPECT_EQ(GraphLayouts::KindNamed(QLatin1String(info.alias)), info.kind);
        EXPECT_FALSE(Translate(QLatin1String(info.captionKey)).isEmpty());
    }
    EXPECT_FALSE(GraphLayouts::KindNamed(QStringLiteral("spiral")));
}

} // namespace
