// A small weighted digraph with a found path, labels and a background picture: the picture a
// person looks at. Set NODELOOM_SAMPLE_PICTURE to a file name to keep it as PNG.
#include "document/GraphDocument.h"
#include "drawing/Canvas.h"
#include "drawing/Colors.h"
#include "drawing/DocumentDrawing.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <memory>

namespace {

QImage MapBackground(int width, int height)
{
    QImage map(width, height, QImage::Format_RGB32);
    map.fill(QColor(244, 248, 252));
    QPainter painter(&map);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(222, 230, 240), 1));
    for (int x = 0; x < width; x += 40)
        painter.drawLine(x, 0, x, height);
    for (int y = 0; y < height; y += 40)
        painter.drawLine(0, y, width, y);
    painter.setPen(QPen(QColor(170, 205, 235), 14, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(0, height * 0.8), QPointF(width * 0.45, height * 0.62));
    painter.drawLine(QPointF(width * 0.45, height * 0.62), QPointF(width, height * 0.9));
    return map;
}

} // namespace

TEST(DrawingSample, FoundPathStandsOutOverTheBackground)
{
    auto graf = std::make_unique<GraphDocument>();
    graf->StartNewGraph(true, true);
    graf->NormalLabelStyle.Face = graf->ActiveLabelStyle.Face = QStringLiteral("DejaVu Sans");
    graf->NormalLabelStyle.Size = graf->ActiveLabelStyle.Size = 9;
    graf->ActiveLabelStyle.Style = TextStyle::Bold;
    graf->ActiveLabelStyle.Color = 0x008000;
    graf->ActiveLabelStyle.ColorBackground = 0xE0FFE0;
    const QPoint places[] = {{70, 90}, {250, 60}, {450, 100}, {580, 230}, {400, 300}, {190, 250}, {330, 170}};
    for (int v = 1; v <= 7; ++v)
        graf->AddVertex(places[v - 1].x(), places[v - 1].y(), QString(), v, 14);
    const int arcs[][3] = {{1, 2, 4},  {2, 3, 5}, {3, 4, 7}, {4, 5, 3}, {5, 6, 6}, {6, 1, 9},
                           {1, 7, 12}, {7, 3, 2}, {2, 7, 8}, {7, 5, 4}, {6, 7, 5}, {5, 4, 11}};
    for (const auto& arc : arcs)
        graf->AddArc(arc[0], arc[1], arc[2]);
    graf->ArcRef(1, 2).MoveTextPoint(0, -30); // bent arcs
    graf->ArcRef(4, 5).MoveTextPoint(40, 0);
    graf->ArcRef(4, 5).MoveTextPoint(0, 30);
    graf->ArcRef(6, 1).MoveTextPoint(-45, 0);
    graf->ArcRef(5, 4).MoveTextPoint(-20, 0);
    graf->ArcRef(5, 4).MoveTextPoint(0, -25);
    graf->ArcRef(3, 4).MoveTextPoint(30, 0);
    graf->ArcRef(3, 4).MoveTextPoint(0, -20);
    graf->AddLabel(QStringLiteral("Depot"), 30, 125);
    graf->AddLabel(QStringLiteral("Shortest route 1 \u2192 7 \u2192 3 \u2192 4: 21"), 20, 380);
    graf->Labels[2].Active = 1;
    graf->MeasureLabel(graf->Labels[2]);
    graf->BackgroundFile = QStringLiteral("map.bmp");
    graf->BackgroundBitmap = MapBackground(640, 420);

    graf->MarkPath(std::vector<int>{1, 7, 3, 4});

    QImage picture(640, 420, QImage::Format_RGB32);
    DrawAll(*graf, picture);

    auto at = [&](int x, int y) { return ColorToInt(picture.pixelColor(x, y)); };
    for (int v : {1, 7, 3, 4})
        EXPECT_EQ(at(places[v - 1].x(), places[v - 1].y() - 11), graf->Style().ActiveVertex.BrushColor) << v;
    for (int v : {2, 5, 6})
        EXPECT_EQ(at(places[v - 1].x(), places[v - 1].y() - 11), graf->Style().NormalVertex.BrushColor) << v;
    EXPECT_EQ(at(610, 20), ColorToInt(QColor(244, 248, 252))) << "background shows where nothing is drawn";
    // The direction triangle of 1->7 behind its text point (toward 1), beside the line.
    const QPointF mark(graf->Arc(1, 7).X(), graf->Arc(1, 7).Y());
    const QPointF direction = QPointF(places[6] - mark.toPoint()) / QLineF(mark, places[6]).length();
    const QPointF normal(-direction.y(), direction.x());
    const QPoint wing = (mark - 12 * direction + 2 * normal).toPoint();
    const QPoint ahead = (mark + 12 * direction + 2 * normal).toPoint();
    EXPECT_EQ(at(wing.x(), wing.y()), graf->Style().ActiveArc.PenColor);
    EXPECT_NE(at(ahead.x(), ahead.y()), graf->Style().ActiveArc.PenColor);

    const QString keep = qEnvironmentVariable("NODELOOM_SAMPLE_PICTURE");
    if (!keep.isEmpty()) {
        QString error;
        EXPECT_TRUE(SaveCanvasImage(picture, keep, &error)) << error.toStdString();
    }
}
