#include "GraphFixtures.h"
#include "ScriptedHost.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using V = std::vector<int>;

TEST(GraphDocument, DeletingAVertexRenumbersAndKeepsEachArcsWeightAndTextPoint)
{
    auto g = MakeGraf(true, true, 4);
    g->AddArc(1, 4, 5);
    g->AddArc(1, 3, 9);
    g->AddArc(4, 3, 7);
    g->ArcRef(1, 4).SetTextPoint(111, g->ArcRef(1, 4).Y()); // a dragged text point travels with its arc
    g->DeleteVertex(2);
    EXPECT_EQ(g->VertexCount, 3);
    EXPECT_EQ(OutList(*g, 1), (V{3, 2}));
    EXPECT_EQ(g->Arc(1, 3).Weight, 5);
    EXPECT_EQ(g->Arc(1, 3).X(), 111);
    EXPECT_EQ(g->Arc(1, 2).Weight, 9);
    EXPECT_EQ(OutList(*g, 3), (V{2}));
    EXPECT_EQ(g->Arc(3, 2).Weight, 7);
    // names stay with their vertices
    EXPECT_EQ(g->VertexName(2), "3");
    EXPECT_EQ(g->VertexName(3), "4");
    EXPECT_FALSE(g->NameNumberUsed[2]);
}

TEST(GraphDocument, DeletingAllVerticesLeavesWhatDeletingThemOneByOneLeaves)
{
    for (bool directed : {false, true}) {
        VertexNaming names[2];
        std::unique_ptr<GraphDocument> g[2];
        for (int k = 0; k < 2; ++k) {
            names[k].SetKind(VertexNaming::Manual);
            g[k] = MakeGraf(directed, true);
            g[k]->UseNaming(&names[k]);
            for (int v = 1; v <= 12; ++v)
                g[k]->AddVertex(10 * v, 20, QStringLiteral("v%1").arg(v), g[k]->FreeNameNumber(), 10);
            for (int a = 1; a <= 12; ++a)
                for (int b = 1; b <= 12; ++b)
                    if ((a * 7 + b * 3) % 5 == 0)
                        g[k]->AddArc(a, b, a + b);
            g[k]->AddLabel(QStringLiteral("stays"), 5, 5);
        }
        while (g[1]->VertexCount > 0)
            g[1]->DeleteVertex(g[1]->VertexCount > 3 ? 3 : 1);
        g[0]->DeleteAllVertices();
        EXPECT_TRUE(static_cast<const Graph&>(*g[0]) == static_cast<const Graph&>(*g[1])) << directed;
        EXPECT_EQ(g[0]->NameNumberUsed, g[1]->NameNumberUsed);
        EXPECT_EQ(g[0]->FreeNameNumber(), 1);
        EXPECT_TRUE(names[0].SameAs(names[1]));
        EXPECT_EQ(names[0].NameOf(5), QString()); // the manual names went with their vertices
        g[0]->AddVertex(1, 1, QStringLiteral("again"), 1, 10);
        EXPECT_EQ(g[0]->OutCount(1), 0);
        EXPECT_FALSE(g[0]->HasArc(1, 2));
    }
}

TEST(GraphDocument, DeletedNameNumberIsReusedFirst)
{
    auto g = MakeGraf(false, false, 3);
    g->DeleteVertex(2);
    EXPECT_EQ(g->FreeNameNumber(), 2);
    g->AddVertex(10, 10, QString(), g->FreeNameNumber(), 10);
    EXPECT_EQ(g->VertexName(3), "2");
    EXPECT_EQ(g->FreeNameNumber(), 4);
}

TEST(GraphDocument, FreeNameNumberIsMinusOneOnlyWhenAllAreHeld)
{
    auto g = MakeGraf(false, false, 255);
    EXPECT_EQ(g->FreeNameNumber(), -1);
    g->DeleteVertex(100);
    EXPECT_EQ(g->FreeNameNumber(), 100);
    EXPECT_EQ(g->FindVertexByNameNumber(101), 100);
    EXPECT_EQ(g->FindVertexByNameNumber(100), -1);
}

TEST(GraphDocument, UndirectedArcOperationsActOnBothCells)
{
    auto g = MakeGraf(false, true, 3);
    g->AddArc(1, 2, 6);
    EXPECT_EQ(OutList(*g, 1), (V{2}));
    EXPECT_EQ(OutList(*g, 2), (V{1}));
    EXPECT_EQ(g->MatrixEntry(2, 1), 6);
    g->SetArcWeight(2, 1, 8);
    EXPECT_EQ(g->Arc(1, 2).Weight, 8);
    EXPECT_EQ(g->Arc(2, 1).Weight, 8);
    g->DeleteArc(1, 2);
    EXPECT_EQ(g->OutCount(1), 0);
    EXPECT_EQ(g->OutCount(2), 0);
}

TEST(GraphDocument, AddingAnArcTwiceKeepsOneEntryAndTheSecondWeight)
{
    auto g = MakeGraf(true, true, 2);
    g->AddArc(1, 2, 3);
    g->AddArc(1, 2, 4);
    EXPECT_EQ(OutList(*g, 1), (V{2}));
    EXPECT_EQ(g->Arc(1, 2).Weight, 4);
    g->AddArc(1, 1, 4); // loops are never stored
    EXPECT_EQ(OutList(*g, 1), (V{2}));
}

TEST(GraphDocument, MatrixToMemoWritesOnesForUnweightedGraphs)
{
    auto g = MakeGraf(true, true, 3);
    g->AddArc(1, 2, 7);
    g->AddArc(3, 1, 2);
    EXPECT_EQ(g->MatrixToMemo(), (QStringList{"0,7,0", "0,0,0", "2,0,0"}));
    g->Weighted = false;
    EXPECT_EQ(g->MatrixToMemo(), (QStringList{"0,1,0", "0,0,0", "1,0,0"}));
}

TEST(GraphDocument, HitTestsUseTheirExtents)
{
    auto g = MakeGraf(false, false);
    g->AddVertex(100, 100, QString(), 1, 10);
    int v = 0;
    EXPECT_TRUE(g->FindVertexAt(111, 100, v)); // radius 10 plus pen 1, inclusive
    EXPECT_EQ(v, 1);
    EXPECT_FALSE(g->FindVertexAt(112, 100, v));

    g->NormalLabelStyle.Size = 8;
    g->ActiveLabelStyle.Size = 30;
    ASSERT_TRUE(g->AddLabel("a long label", 10, 10));
    const LabelRecord& label = g->Labels[1];
    ASSERT_GT(label.ActiveWidth, label.Width);
    const int x = 10 + label.Width + 2;
    EXPECT_EQ(g->FindLabelAt(x, 12, 0), 0);
    EXPECT_EQ(g->FindLabelAt(x, 12, 1), 1); // the selected label is easier to hit
    // the extents are not measured again after an edit
    g->EditLabelText(1, "x");
    EXPECT_EQ(g->FindLabelAt(x, 12, 1), 1);
}

TEST(GraphDocument, LabelsAreBoundedAndDeletedByIndex)
{
    auto g = MakeGraf(false, false);
    for (int i = 0; i < GraphDocument::MaxLabels; ++i)
        ASSERT_TRUE(g->AddLabel(QString::number(i), i, 0));
    EXPECT_FALSE(g->AddLabel("one too many", 0, 0));
    g->DeleteLabel(0);
    g->DeleteLabel(GraphDocument::MaxLabels + 1);
    EXPECT_EQ(g->LabelCount, GraphDocument::MaxLabels);
    g->DeleteLabel(1);
    EXPECT_EQ(g->LabelCount, GraphDocument::MaxLabels - 1);
    EXPECT_EQ(g->Labels[1].Text, "1");
}

TEST(GraphDocument, MarkPathHighlightsTravelDirectionOnly)
{
    auto g = MakeGraf(false, false, 3);
    g->AddArc(1, 2, 1);
    g->AddArc(2, 3, 1);
    g->MarkPath(std::vector<int>{1, 2, 3});
    EXPECT_TRUE(g->Vertices[1].Active && g->Vertices[2].Active && g->Vertices[3].Active);
    EXPECT_EQ(g->Arc(1, 2).Marker, 1);
    EXPECT_EQ(g->Arc(2, 1).Marker, 0);
    EXPECT_EQ(g->Arc(2, 1).Active, 1);
    g->ClearActive();
    EXPECT_FALSE(g->Vertices[2].Active);
    EXPECT_EQ(g->Arc(1, 2).Marker, 0);
    EXPECT_EQ(g->ActiveVertex, -1);
    // a path with a vertex outside the graph is not followed past it
    g->MarkPath(std::vector<int>{1, 77, 3});
    EXPECT_TRUE(g->Vertices[1].Active);
    EXPECT_FALSE(g->Vertices[3].Active);
}

TEST(GraphDocument, CanvasIsAtLeastTheDrawingArea)
{
    const QSize area(600, 400);
    auto g = MakeGraf(false, false);
    EXPECT_EQ(g->CanvasSize(area), area);
    EXPECT_EQ(g->CanvasSize(QSize()), QSize(0, 0));
    g->AddVertex(900, 30, QString(), 1, 10);
    EXPECT_EQ(g->CanvasSize(area), QSize(910, 400));
    g->ExtentHeight = 700; // a stored extent beyond the area counts too
    EXPECT_EQ(g->CanvasSize(area), QSize(910, 700));
}

TEST(GraphDocument, UnreadableBackgroundKeepsThePreviousNameAndSaysSo)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath("river.png");
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(picture));
    const QString broken = dir.filePath("broken.bmp");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();

    ScriptedHost host;
    auto g = MakeGraf(false, false);
    g->LoadBackground(picture, host);
    EXPECT_EQ(g->BackgroundFile, picture);
    EXPECT_FALSE(g->BackgroundBitmap.isNull());
    g->LoadBackground(broken, host);
    EXPECT_EQ(g->BackgroundFile, picture);
    EXPECT_TRUE(g->BackgroundBitmap.isNull());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].text.endsWith(broken));
    g->LoadBackground(dir.filePath("missing.bmp"), host); // a missing file forgets the name silently
    EXPECT_TRUE(g->BackgroundFile.isEmpty());
    EXPECT_EQ(host.messages.size(), 1u);
}

// An arc keeps its text point in 16 bits: a point at the model's edge is kept, and one beyond
// it (a long drag, a far vertex's middle) is held at the edge instead of wrapping round.
TEST(GraphDocument, ArcTextPointsStayWithinTheModelsCoordinatesAndWeightsKeepTheirRange)
{
    auto g = MakeGraf(true, true, 2);
    g->AddArc(1, 2, GraphDocument::MaxWeight);
    ArcRecord& arc = g->ArcRef(1, 2);
    const int edge = GraphDocument::MaxTextCoordinate;
    arc.SetTextPoint(edge, -edge);
    EXPECT_EQ(QPoint(arc.X(), arc.Y()), QPoint(edge, -edge));
    arc.SetTextPoint(edge + 1, -edge - 1);
    EXPECT_EQ(QPoint(arc.X(), arc.Y()), QPoint(edge, -edge));
    arc.MoveTextPoint(100000, 0);
    EXPECT_EQ(arc.X(), edge);
    g->Vertices[1].X = 70000; // the middle of a far arc
    g->CenterArcText(1, 2);
    EXPECT_EQ(g->Arc(1, 2).X(), edge);
    EXPECT_EQ(g->Arc(1, 2).Weight, GraphDocument::MaxWeight);
}
