// The document's picture: what lands where on the surface, the arc scan and the canvas helpers.
#include "ScriptedHost.h"
#include "document/GraphDocument.h"
#include "drawing/Canvas.h"
#include "drawing/Colors.h"
#include "drawing/DocumentDrawing.h"
#include "drawing/ResultPicture.h"
#include "drawing/Surface.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace {

constexpr int Green = 0x00FF00, Blue = 0xFF0000, Yellow = 0x00FFFF;

std::unique_ptr<GraphDocument> TwoVertices(bool directed, bool weighted, int radius = 20)
{
    auto graf = std::make_unique<GraphDocument>();
    graf->StartNewGraph(directed, weighted);
    graf->AddVertex(60, 100, QString(), 1, radius);
    graf->AddVertex(300, 100, QString(), 2, radius);
    graf->AddArc(1, 2, 7);
    return graf;
}

QImage Draw(GraphDocument& graf, int width = 400, int height = 300)
{
    QImage surface(width, height, QImage::Format_RGB32);
    DrawAll(graf, surface);
    return surface;
}

int At(const QImage& image, int x, int y)
{
    return ColorToInt(image.pixelColor(x, y));
}

// Whether any pixel of rows y-1..y+1 between x0 and x1 has the colour.
bool RowHas(const QImage& image, int x0, int x1, int y, int color)
{
    for (int x = x0; x <= x1; ++x)
        for (int dy = -1; dy <= 1; ++dy)
            if (At(image, x, y + dy) == color)
                return true;
    return false;
}

} // namespace

TEST(Colors, IntegersAreBlueGreenRed)
{
    EXPECT_EQ(ColorFromInt(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ColorFromInt(0x804020), QColor(0x20, 0x40, 0x80));
    EXPECT_EQ(ColorToInt(QColor(0x20, 0x40, 0x80)), 0x804020);
}

TEST(DrawAll, PutsVertexArcArrowAndLabelWhereTheyBelong)
{
    auto graf = TwoVertices(true, true);
    graf->Style().NormalVertex.BrushColor = Green;
    graf->Style().NormalArc.PenColor = Blue;
    graf->NormalLabelStyle.ColorBackground = Yellow;
    graf->AddLabel(QStringLiteral("Note"), 50, 200);
    const QImage picture = Draw(*graf);

    EXPECT_EQ(At(picture, 60, 84), Green) << "vertex fill";
    EXPECT_EQ(At(picture, 42, 100), Green);
    EXPECT_TRUE(RowHas(picture, 150, 150, 100, Blue)) << "arc";
    EXPECT_EQ(At(picture, 272, 102), Blue) << "arrowhead beside the line";
    EXPECT_EQ(At(picture, 51, 201), Yellow) << "label background";
    EXPECT_EQ(At(picture, 150, 130), 0xFFFFFF) << "nothing below the arc";
    EXPECT_EQ(At(picture, 380, 280), 0xFFFFFF);

    // Undirected: the same arc without a head.
    auto undirected = TwoVertices(false, true);
    undirected->Style().NormalArc.PenColor = Blue;
    EXPECT_EQ(At(Draw(*undirected), 272, 102), 0xFFFFFF);
}

TEST(DrawAll, DirectionTriangleOnlyOnMarkedActiveArcs)
{
    auto graf = TwoVertices(true, false);
    graf->Style().ActiveArc.PenColor = Green;
    const QPoint beside(graf->Arc(1, 2).X() - 10, graf->Arc(1, 2).Y() + 2);
    graf->ArcRef(1, 2).Active = 1;
    EXPECT_EQ(At(Draw(*graf), beside.x(), beside.y()), 0xFFFFFF);
    graf->ArcRef(1, 2).Marker = 1;
    EXPECT_EQ(At(Draw(*graf), beside.x(), beside.y()), Green);
    graf->ArcRef(1, 2).Active = 0; // a marker without the highlight is not drawn
    EXPECT_EQ(At(Draw(*graf), beside.x(), beside.y()), 0xFFFFFF);
}

TEST(DrawAll, WeightTextOnlyWhenWeightedOrGiven)
{
    auto graf = TwoVertices(false, true);
    const QPoint text(graf->Arc(1, 2).X(), graf->Arc(1, 2).Y());
    // The weight's opaque box interrupts the line; unweighted, the line runs through.
    auto lineUnbroken = [&](const QImage& image) {
        for (int x = text.x() - 3; x <= text.x() + 3; ++x)
            if (!RowHas(image, x, x, text.y(), 0))
                return false;
        return true;
    };
    EXPECT_FALSE(lineUnbroken(Draw(*graf)));
    graf->Weighted = false;
    EXPECT_TRUE(lineUnbroken(Draw(*graf)));

    // A caller's text is drawn whatever the flag, over the surface's brush.
    QImage surface(400, 300, QImage::Format_RGB32);
    QPainter painter;
    BeginSurface(painter, &surface);
    DrawBackground(*graf, painter);
    DrawArc(*graf, painter, 1, 2, QStringLiteral("    "));
    painter.end();
    EXPECT_EQ(At(surface, text.x(), text.y()), 0xFFFFFF);
}

TEST(DrawAll, LaterCellOfAnUndirectedEdgeWins)
{
    auto graf = TwoVertices(false, false);
    graf->Style().ActiveArc.PenColor = Green;
    graf->Style().ActiveArc.PenStyle = 0;
    graf->ArcRef(2, 1).Active = 1; // drawn after 1->2
    EXPECT_TRUE(RowHas(Draw(*graf), 120, 160, 100, Green));
    graf->ArcRef(2, 1).Active = 0;
    graf->ArcRef(1, 2).Active = 1; // covered by the normal 2->1
    EXPECT_FALSE(RowHas(Draw(*graf), 120, 160, 100, Green));
}

TEST(DrawAll, SkippingCoveredCellsKeepsThePicture)
{
    auto graf = std::make_unique<GraphDocument>();
    graf->StartNewGraph(false, true);
    const QPoint places[] = {{60, 60}, {300, 80}, {180, 250}, {60, 200}, {330, 260}};
    for (int v = 1; v <= 5; ++v)
        graf->AddVertex(places[v - 1].x(), places[v - 1].y(), QString(), v, 12);
    for (int a = 1; a <= 5; ++a)
        for (int b = a + 1; b <= 5; ++b)
            graf->AddArc(a, b, a * 10 + b);
    for (int cell : {0, 1}) { // one edge bent through both cells, one through a single cell
        graf->ArcRef(1, 2).MoveTextPoint(0, 40);
        graf->ArcRef(2, 1).MoveTextPoint(0, 40 * cell);
    }
    graf->ArcRef(3, 5).Active = graf->ArcRef(5, 3).Active = 1;
    graf->ArcRef(3, 5).Marker = 1;
    graf->ArcRef(2, 4).Active = 1; // dashed, over the solid 4->2 drawn later
    graf->ArcRef(5, 1).Active = 1; // dashed, over the solid 1->5 drawn earlier

    // On the plain path: smoothed, a cell drawn twice would darken the rim the skip spares.
    QImage drawn(400, 300, QImage::Format_RGB32);
    QPainter painter;
    BeginSurface(painter, &drawn);
    DrawAll(*graf, painter);
    painter.end();
    QImage everyCell(400, 300, QImage::Format_RGB32);
    BeginSurface(painter, &everyCell);
    DrawBackground(*graf, painter);
    for (int a = 1; a <= 5; ++a)
        for (int k = 0; k < graf->OutCount(a); ++k)
            DrawArc(*graf, painter, a, graf->OutArcs(a)[k]);
    for (int v = 1; v <= 5; ++v)
        DrawVertex(*graf, painter, v, graf->VertexName(v));
    painter.end();
    EXPECT_EQ(drawn, everyCell);
}

TEST(DrawAll, ClampsVertexPositionsAgainstTheSurfaceAndKeepsThem)
{
    auto graf = std::make_unique<GraphDocument>();
    graf->StartNewGraph(false, false);
    graf->AddVertex(395, 295, QString(), 1, 10);
    graf->AddVertex(5, 5, QString(), 2, 10);
    graf->AddVertex(500, 100, QString(), 3, 30); // drawn by its own radius, stored by VertexSize
    graf->Style().NormalVertex.BrushColor = Green;
    const QImage picture = Draw(*graf);
    EXPECT_EQ(graf->Vertices[1].X, 390);
    EXPECT_EQ(graf->Vertices[1].Y, 290);
    EXPECT_EQ(graf->Vertices[2].X, 5);
    EXPECT_EQ(graf->Vertices[2].Y, 5);
    EXPECT_EQ(graf->Vertices[3].X, 390);
    EXPECT_EQ(At(picture, 370 - 20, 100 - 20), Green) << "third vertex pulled in by its radius 30";
    EXPECT_EQ(At(picture, 0, 0), Green) << "second vertex cut off at the corner, not pulled in";
}

TEST(Colors, NamesOnAResultsFillStayReadable)
{
    // The default name colour (blue) on the colouring's first six fills: kept where it reads,
    // black on red, white on blue and on black.
    const int blue = 0xFF0000;
    EXPECT_EQ(ReadableTextColor(blue, 0x0000FF), 0x000000) << "red";
    EXPECT_EQ(ReadableTextColor(blue, 0x00FFFF), blue) << "yellow";
    EXPECT_EQ(ReadableTextColor(blue, 0xFFFFFF), blue) << "white";
    EXPECT_EQ(ReadableTextColor(blue, 0xFF0000), 0xFFFFFF) << "blue";
    EXPECT_EQ(ReadableTextColor(blue, 0x000000), 0xFFFFFF) << "black";
    EXPECT_EQ(ReadableTextColor(0x000000, 0x008000), 0x000000) << "black on green reads";

    // Any fill, any text: the result reads (3:1), and a text that already read is kept.
    std::mt19937 random(7);
    for (int i = 0; i < 5000; ++i) {
        const int text = int(random() & 0xFFFFFF), fill = int(random() & 0xFFFFFF);
        const int shown = ReadableTextColor(text, fill);
        const double fillLuminance = Luminance(ColorFromInt(fill));
        EXPECT_GE(Contrast(Luminance(ColorFromInt(shown)), fillLuminance), 3.0);
        if (Contrast(Luminance(ColorFromInt(text)), fillLuminance) >= 3.0)
            EXPECT_EQ(shown, text);
        else
            EXPECT_TRUE(shown == 0 || shown == 0xFFFFFF);
    }
}

TEST(DrawAll, VertexOverrideFillsWithTheCallersColour)
{
    auto graf = TwoVertices(false, false);
    QImage surface(400, 300, QImage::Format_RGB32);
    QPainter painter;
    BeginSurface(painter, &surface);
    DrawBackground(*graf, painter);
    DrawVertex(*graf, painter, 1, QString(), true, Yellow);
    DrawVertex(*graf, painter, 2, QString());
    painter.end();
    EXPECT_EQ(At(surface, 60, 84), Yellow);
    EXPECT_EQ(At(surface, 300, 84), graf->Style().NormalVertex.BrushColor);
    EXPECT_EQ(graf->Style().NormalVertex.BrushColor, 0xFFFFFF);
}

TEST(DrawBackground, PictureOnlyWhileItHasAName)
{
    auto graf = TwoVertices(false, false);
    graf->BackgroundBitmap = QImage(30, 30, QImage::Format_RGB32);
    graf->BackgroundBitmap.fill(ColorFromInt(Yellow));
    EXPECT_EQ(At(Draw(*graf), 5, 5), 0xFFFFFF);
    graf->BackgroundFile = QStringLiteral("map.bmp");
    const QImage picture = Draw(*graf);
    EXPECT_EQ(At(picture, 5, 5), Yellow);
    EXPECT_EQ(At(picture, 35, 5), 0xFFFFFF) << "drawn at its own size";
}

TEST(FindArcAt, HighestTailWins)
{
    auto undirected = TwoVertices(false, false);
    int tail = 0, head = 0;
    ASSERT_TRUE(FindArcAt(*undirected, 180, 101, tail, head));
    EXPECT_EQ(tail, 2);
    EXPECT_EQ(head, 1);

    // Directed: 1->2 and 3->4 cross at (180, 100); within tail 1 the list order decides.
    auto graf = TwoVertices(true, false);
    graf->AddVertex(180, 40, QString(), 3, 10);
    graf->AddVertex(180, 160, QString(), 4, 10);
    graf->AddVertex(250, 100, QString(), 5, 10);
    graf->AddArc(1, 5, 1);
    graf->AddArc(4, 5, 1);
    graf->AddArc(3, 2, 1);
    ASSERT_TRUE(FindArcAt(*graf, 120, 100, tail, head));
    EXPECT_EQ(tail, 1);
    EXPECT_EQ(head, 2);

    tail = head = -7;
    EXPECT_FALSE(FindArcAt(*graf, 120, 130, tail, head));
    EXPECT_EQ(tail, -7);
}

TEST(Canvas, RedrawMakesASurfaceOfTheCanvasSize)
{
    const QSize area(320, 200);
    auto graf = TwoVertices(false, false);
    EXPECT_EQ(RenderCanvas(*graf, graf->CanvasSize(area)).size(), QSize(320, 200));
    graf->AddVertex(500, 50, QString(), 3, 10);
    EXPECT_EQ(RenderCanvas(*graf, graf->CanvasSize(area)).size(), QSize(510, 200));

    auto empty = std::make_unique<GraphDocument>();
    empty->StartNewGraph(false, false);
    EXPECT_TRUE(RenderCanvas(*empty, empty->CanvasSize(QSize())).isNull());
}

TEST(Canvas, MapModeWeight)
{
    EXPECT_EQ(MapModeWeight(57, 10), 57);
    EXPECT_EQ(MapModeWeight(3, 1), 1);
    EXPECT_EQ(MapModeWeight(25, 1), 2); // 2.5 rounds to even
    EXPECT_EQ(MapModeWeight(1e7, 10), 50000);
    EXPECT_EQ(MapModeWeight(100, 0), 1);
    EXPECT_EQ(MapModeWeight(100, -5), 1);
}

TEST(Canvas, SavesBitmapPngAndSvg)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto graf = TwoVertices(true, true);
    const QImage picture = Draw(*graf);
    QString error;

    const QString chosen = dir.filePath(QStringLiteral("picture.bmp"));
    ASSERT_TRUE(SaveCanvasBitmap(picture, chosen, &error)) << error.toStdString();
    QImageReader bmp(chosen + QStringLiteral(".bmp"));
    EXPECT_EQ(bmp.format(), "bmp");
    EXPECT_EQ(bmp.read(), picture);
    EXPECT_FALSE(QFile::exists(chosen));

    const QString png = dir.filePath(QStringLiteral("picture.png"));
    ASSERT_TRUE(SaveCanvasImage(picture, png, &error));
    QImageReader pngReader(png);
    EXPECT_EQ(pngReader.format(), "png");
    EXPECT_EQ(pngReader.read().convertToFormat(QImage::Format_RGB32), picture);

    const QString svg = dir.filePath(QStringLiteral("picture.svg"));
    ASSERT_TRUE(SaveDocumentSvg(*graf, graf->CanvasSize(QSize(600, 400)), svg, &error));
    QFile svgFile(svg);
    ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
    const QByteArray content = svgFile.readAll();
    EXPECT_TRUE(content.contains("<svg"));
    EXPECT_TRUE(content.contains("width=\"600"));

    error.clear();
    EXPECT_FALSE(SaveCanvasImage(picture, dir.filePath(QStringLiteral("missing/picture.png")), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(DrawAll, ArrowheadsStayWiderThanWideArcs)
{
    // Near its base the head shows two pixels beyond either edge of a wide line; at the
    // default width the head is as it always was (see above).
    for (int width : {4, 6, 10}) {
        auto graf = TwoVertices(true, false);
        graf->Style().NormalArc.PenColor = Blue;
        graf->Style().NormalArc.PenSize = width;
        const QImage picture = Draw(*graf);
        auto blue = [&](int x, int y) {
            const QColor c = picture.pixelColor(x, y);
            return c.blue() > 200 && c.red() < 60 && c.green() < 60;
        };
        const int apex = 300 - 20;
        const int nearBase = apex - 2 * width - 8;
        const int above = 100 - width / 2 - 2, below = 100 + (width + 1) / 2 + 1;
        SCOPED_TRACE(width);
        EXPECT_FALSE(blue(150, above)) << "the line alone";
        EXPECT_FALSE(blue(150, below)) << "the line alone";
        EXPECT_TRUE(blue(nearBase, above));
        EXPECT_TRUE(blue(nearBase, below));
    }
}

TEST(ResultPicture, APartOfTheCanvasIsThatPartOfTheWholePicture)
{
    auto graf = TwoVertices(true, true);
    graf->AddVertex(700, 500, QString(), 3, 20);
    graf->AddArc(2, 3, 4);
    graf->ArcRef(2, 3).MoveTextPoint(60, 0); // a bent arc crossing the part's edge
    graf->AddLabel(QStringLiteral("Note"), 280, 150);
    // Solid: Qt restarts a dash pattern where a part's edge cuts the line.
    graf->Style().ActiveArc.PenStyle = 0;
    ResultPictureSpec spec;
    spec.vertexFills = {-1, Green, -1, Yellow};
    spec.arcs = {{2, 3, QStringLiteral("4/9"), true}, {1, 2, QString(), false}};
    const QSize canvas = graf->CanvasSize(QSize());
    const QImage whole = RenderResultPicture(*graf, spec, canvas);
    ASSERT_EQ(whole.size(), canvas);
    for (const QRect view : {QRect(0, 0, 200, 150), QRect(250, 80, 300, 260), QRect(480, 280, 230, 230)}) {
        const QImage part = RenderResultPicture(*graf, spec, canvas, view);
        EXPECT_EQ(part.offset(), view.topLeft());
        // Smoothed lines cut at the part's edge may differ by a shade; a misplaced part would
        // differ by whole colours.
        const QImage expected = whole.copy(view);
        int worst = 0;
        for (int y = 0; y < view.height(); ++y)
            for (int x = 0; x < view.width(); ++x) {
                const QColor a = part.pixelColor(x, y), b = expected.pixelColor(x, y);
                worst = std::max({worst, std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                                  std::abs(a.blue() - b.blue())});
            }
        EXPECT_LE(worst, 48) << view.x() << "," << view.y();
    }
}
