// Geometry of arcs: the curve, the arrowhead and the hit tests, without painting.
#include "document/ElementStyles.h"
#include "drawing/CurveFrame.h"

#include <gtest/gtest.h>

namespace {

ArcStyle Arc(int x1, int y1, int x2, int y2, int textX, int textY, int headSize = 10, int penSize = 2)
{
    ArcStyle arc;
    arc.PenSize = penSize;
    arc.SetGeometry(x1, y1, x2, y2, headSize, textX, textY, 1, 2, 1);
    return arc;
}

} // namespace

TEST(CurvePoint, StraightArcFollowsTheChord)
{
    const ArcStyle arc = Arc(100, 100, 300, 100, 200, 100);
    EXPECT_EQ(arc.CurvePoint(false, 150), QPoint(150, 100));
    EXPECT_EQ(arc.CurvePoint(true, 150, 130), QPoint(150, 100));

    // A text point on the truncated midpoint of a slanted chord still draws as one line.
    const ArcStyle slanted = Arc(1250, 650, 1249, 679, 1249, 664);
    EXPECT_TRUE(CurveFrame(slanted).IsStraight());
}

TEST(CurvePoint, BentArcPassesThroughTextPointAndBothEnds)
{
    const ArcStyle arc = Arc(100, 100, 300, 100, 200, 60);
    EXPECT_EQ(arc.CurvePoint(false, 150), QPoint(150, 70));
    EXPECT_EQ(arc.CurvePoint(false, 200), QPoint(200, 60));
    EXPECT_EQ(arc.CurvePoint(false, 250), QPoint(250, 70));
    EXPECT_FALSE(CurveFrame(arc).IsStraight());

    // A slanted chord: the frame turns with it, and the curve is the same from either end.
    for (const ArcStyle& slanted : {Arc(100, 300, 400, 100, 300, 260), Arc(400, 100, 100, 300, 300, 260)}) {
        EXPECT_EQ(slanted.CurvePoint(true, 300, 260), QPoint(300, 260));
        EXPECT_EQ(slanted.CurvePoint(true, 100, 300), QPoint(100, 300));
        EXPECT_EQ(slanted.CurvePoint(true, 400, 100), QPoint(400, 100));
    }
}

TEST(CurvePoint, TextPointOverAnEndLeavesTheChord)
{
    // On the left end, and straight above it: the text node shares an abscissa with the end,
    // and the curve stays the chord instead of jumping by the ordinate.
    EXPECT_EQ(Arc(100, 200, 300, 200, 100, 200).CurvePoint(false, 200), QPoint(200, 200));
    EXPECT_EQ(Arc(100, 200, 300, 200, 100, 150).CurvePoint(false, 200), QPoint(200, 200));
    EXPECT_EQ(Arc(100, 200, 300, 200, 300, 150).CurvePoint(false, 100), QPoint(100, 200));
}

TEST(CurvePoint, ZeroLengthChordGivesThePointItself)
{
    const ArcStyle arc = Arc(50, 80, 50, 80, 50, 80);
    EXPECT_EQ(arc.CurvePoint(false, 50), QPoint(50, 80));
    EXPECT_EQ(arc.CurvePoint(true, 90, 120), QPoint(90, 80)); // along the frame's x axis
    EXPECT_FALSE(arc.HitTest(50, 80));
    EXPECT_EQ(CurveFrame(arc).ChordLength(), 0.0);
}

TEST(CurvePoint, VerticalArcRunsFromTheTail)
{
    const ArcStyle down = Arc(200, 100, 200, 300, 200, 200);
    EXPECT_EQ(down.CurvePoint(false, 250), QPoint(200, 150));
    EXPECT_EQ(down.CurvePoint(true, 210, 180), QPoint(200, 180));
    const ArcStyle up = Arc(200, 300, 200, 100, 200, 200);
    EXPECT_EQ(up.CurvePoint(false, 250), QPoint(200, 250));
}

TEST(ArrowHead, ApexSitsOnTheRimOfTheHead)
{
    EXPECT_EQ(Arc(200, 100, 200, 300, 200, 200).ArrowApex(), QPoint(200, 290));
    EXPECT_EQ(Arc(200, 300, 200, 100, 200, 200).ArrowApex(), QPoint(200, 110));
    EXPECT_EQ(Arc(100, 100, 300, 100, 200, 100).ArrowApex(), QPoint(290, 100));
    EXPECT_EQ(Arc(300, 100, 100, 100, 200, 100).ArrowApex(), QPoint(110, 100));
    // On a bent arc the apex lies on the curve, HeadSize before the head along the chord.
    EXPECT_EQ(Arc(100, 100, 300, 100, 200, 60).ArrowApex(),
              Arc(100, 100, 300, 100, 200, 60).CurvePoint(false, 290));
}

TEST(ArrowHead, WingsOpenFifteenDegreesBehindTheApex)
{
    const auto triangle = PointerTriangle(QPoint(290, 100), QPoint(300, 100), 10);
    EXPECT_EQ(triangle[0], QPoint(290, 100));
    EXPECT_EQ(triangle[1], QPoint(280, 97));
    EXPECT_EQ(triangle[2], QPoint(280, 103));
    const auto down = PointerTriangle(QPoint(200, 200), QPoint(200, 300), 15);
    EXPECT_EQ(down[1], QPoint(204, 186));
    EXPECT_EQ(down[2], QPoint(196, 186));
}

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour)
{
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.6), 3);
    EXPECT_EQ(RoundHalfEven(1e300), INT_MAX);
}

TEST(HitTest, ArcToleranceIsThePenSizeAlongEachAxis)
{
    const ArcStyle straight = Arc(100, 100, 300, 100, 200, 100);
    EXPECT_TRUE(straight.HitTest(200, 102));
    EXPECT_TRUE(straight.HitTest(200, 98));
    EXPECT_FALSE(straight.HitTest(200, 103));
    // x strictly between the ends.
    EXPECT_FALSE(straight.HitTest(100, 100));
    EXPECT_TRUE(straight.HitTest(101, 100));
    EXPECT_FALSE(straight.HitTest(300, 100));

    // Per axis, not by distance: 2.8 pixels off a diagonal still hits with PenSize 2.
    const ArcStyle diagonal = Arc(100, 100, 300, 300, 200, 200);
    EXPECT_TRUE(diagonal.HitTest(202, 198));
    EXPECT_FALSE(diagonal.HitTest(203, 197));

    const ArcStyle bent = Arc(100, 100, 300, 100, 200, 60);
    EXPECT_TRUE(bent.HitTest(150, 71));
    EXPECT_FALSE(bent.HitTest(150, 100));
}

TEST(HitTest, AnArcIsHitAlikeInEveryDirection)
{
    // The horizontal arc's hits and misses, turned a quarter: the same along the chord.
    for (const ArcStyle& vertical : {Arc(200, 100, 200, 300, 200, 200), Arc(200, 300, 200, 100, 200, 200)}) {
        EXPECT_TRUE(vertical.HitTest(200, 200));
        EXPECT_TRUE(vertical.HitTest(202, 150));
        EXPECT_TRUE(vertical.HitTest(198, 250));
        EXPECT_FALSE(vertical.HitTest(203, 200));
        EXPECT_FALSE(vertical.HitTest(200, 100));
        EXPECT_TRUE(vertical.HitTest(200, 101));
        EXPECT_FALSE(vertical.HitTest(200, 300));
        EXPECT_FALSE(vertical.HitTest(200, 320)) << "beyond the end";
    }
    // Steep but not vertical, once a chord of two pixels' width left no column to click in.
    const ArcStyle steep = Arc(200, 100, 201, 300, 200, 200);
    EXPECT_TRUE(steep.HitTest(200, 180));
    EXPECT_TRUE(steep.HitTest(201, 250));

    // A bent vertical arc is hit on its bulge, where it is drawn, and not on its chord.
    const ArcStyle bent = Arc(200, 100, 200, 300, 240, 200);
    const QPoint top = bent.CurvePoint(true, 240, 200);
    EXPECT_EQ(top, QPoint(240, 200));
    EXPECT_TRUE(bent.HitTest(239, 200));
    EXPECT_FALSE(bent.HitTest(200, 200));
    // Every point the curve passes through is a hit, whichever way the chord points.
    for (const ArcStyle& arc : {bent, Arc(100, 300, 400, 100, 300, 260), Arc(300, 100, 290, 400, 250, 250)})
        for (double t = 0.05; t < 1; t += 0.05) {
            const CurveFrame frame(arc);
            const QPoint p = frame.CurvePoint(frame.LeftX() + t * frame.ChordLength());
            EXPECT_TRUE(arc.HitTest(p.x(), p.y())) << p.x() << ',' << p.y();
        }
}

TEST(HitTest, VertexReachIncludesItsPen)
{
    VertexStyle vertex;
    vertex.PenSize = 1;
    vertex.SetPoint(100, 100, QString(), 10);
    EXPECT_TRUE(vertex.HitTest(111, 100));
    EXPECT_FALSE(vertex.HitTest(112, 100));
    EXPECT_TRUE(vertex.HitTest(107, 107)); // 9.9 from the centre
    EXPECT_FALSE(vertex.HitTest(108, 108));
}
