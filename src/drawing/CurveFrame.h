#pragma once

#include <QPoint>
#include <QSize>
#include <array>

class ArcStyle;

// Rounding to the nearest integer with halves to even, saturated to the int range.
int RoundHalfEven(double value);

// A small filled triangle with its apex at `apex` pointing toward `target`: two wings of
// `wing` pixels opening 15 degrees to either side. Returns apex, first wing, second wing.
std::array<QPoint, 3> PointerTriangle(QPoint apex, QPoint target, int wing);

// The frame in which an arc's curve is a function: origin at the left end, x axis along the
// chord. The curve is the parabola through the left end, the text point and the right end.
class CurveFrame {
  public:
    explicit CurveFrame(const ArcStyle& arc);

    int LeftX() const { return lx; }
    int LeftY() const { return ly; }
    double ChordLength() const { return length; }

    // Frame ordinate over frame abscissa t (both absolute, origin at the left end).
    double Ordinate(double t) const;
    // Frame abscissa of the projection of (x, y) onto the chord.
    double ProjectedAbscissa(int x, int y) const;
    // The curve point over t turned back onto the surface, rounded as a whole.
    QPoint CurvePoint(double t) const;
    // The curve point over t as the drawing places it: offsets from the left end rounded,
    // then clamped to [0, surface width] x [0, surface height]. `clamped` tells whether it moved.
    QPoint PixelPoint(double t, QSize surface, bool& clamped) const;
    // No point of the curve over the chord strays more than a pixel from it, as with a text point
    // on the truncated midpoint: one line draws it.
    bool IsStraight() const;
    // Coefficient of t squared of the ordinate: the curve strays at most |c| d^2 / 4 from the
    // chord of any stretch d long.
    double Curvature() const;

  private:
    int lx = 0, ly = 0;
    double theta = 0, cosTheta = 1, sinTheta = 0, length = 0;
    std::array<double, 3> nodeX{}, nodeY{};
    int nodes = 0;
};
