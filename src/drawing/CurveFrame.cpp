#include "drawing/CurveFrame.h"

#include "document/ElementStyles.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

int RoundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= double(INT_MAX))
        return INT_MAX;
    if (value <= double(INT_MIN))
        return INT_MIN;
    // The default floating-point rounding mode is to nearest, ties to even.
    return int(std::nearbyint(value));
}

std::array<QPoint, 3> PointerTriangle(QPoint apex, QPoint target, int wing)
{
    const double psi = std::atan2(double(target.y() - apex.y()), double(target.x() - apex.x()));
    constexpr double spread = std::numbers::pi / 12;
    auto wingPoint = [&](double angle) {
        return apex - QPoint(RoundHalfEven(wing * std::cos(angle)), RoundHalfEven(wing * std::sin(angle)));
    };
    return {apex, wingPoint(psi + spread), wingPoint(psi - spread)};
}

namespace {
// Interpolation nodes closer than this along the chord count as one.
constexpr double coincidence = 1e-9;
} // namespace

CurveFrame::CurveFrame(const ArcStyle& arc)
{
    int rx = arc.X2, ry = arc.Y2;
    lx = arc.X1;
    ly = arc.Y1;
    if (arc.X2 < arc.X1) {
        std::swap(lx, rx);
        std::swap(ly, ry);
    }
    theta = std::atan2(double(ry - ly), double(rx - lx));
    cosTheta = std::cos(theta);
    sinTheta = std::sin(theta);
    length = std::hypot(double(rx - lx), double(ry - ly));
    const double v = std::hypot(double(arc.TextX - lx), double(arc.TextY - ly));
    const double phi = std::atan2(double(arc.TextY - ly), double(arc.TextX - lx)) - theta;

    const std::array<double, 3> xs{double(lx), lx + v * std::cos(phi), lx + length};
    const std::array<double, 3> ys{double(ly), ly + v * std::sin(phi), double(ly)};
    // A node that shares its abscissa with one already taken is dropped: a curve that is a
    // function of t cannot pass through both, and summing their basis polynomials would move
    // the curve by the absolute ordinate. The ends go first so the curve stays on the vertices.
    for (int i : {0, 2, 1}) {
        bool repeated = false;
        for (int j = 0; j < nodes; ++j)
            repeated = repeated || std::abs(xs[i] - nodeX[j]) <= coincidence;
        if (!repeated) {
            nodeX[nodes] = xs[i];
            nodeY[nodes] = ys[i];
            ++nodes;
        }
    }
}

double CurveFrame::Ordinate(double t) const
{
    double sum = 0;
    for (int i = 0; i < nodes; ++i) {
        double term = nodeY[i];
        for (int j = 0; j < nodes; ++j)
            if (j != i)
                term *= (t - nodeX[j]) / (nodeX[i] - nodeX[j]);
        sum += term;
    }
    return sum;
}

double CurveFrame::ProjectedAbscissa(int x, int y) const
{
    const double d = std::hypot(double(x - lx), double(y - ly));
    const double alpha = std::atan2(double(y - ly), double(x - lx));
    return lx + d * std::cos(alpha - theta);
}

QPoint CurveFrame::CurvePoint(double t) const
{
    const double s = Ordinate(t);
    const double beta = std::atan2(s - ly, t - lx) + theta;
    const double r = std::hypot(t - lx, s - ly);
    return QPoint(RoundHalfEven(r * std::cos(beta) + lx), RoundHalfEven(r * std::sin(beta) + ly));
}

QPoint CurveFrame::PixelPoint(double t, QSize surface, bool& clamped) const
{
    // Turning back by theta as a rotation: the same point as the polar form, without the
    // per-pixel arc tangent.
    const double dt = t - lx;
    const double ds = Ordinate(t) - ly;
    const long long x = lx + (long long)RoundHalfEven(dt * cosTheta - ds * sinTheta);
    const long long y = ly + (long long)RoundHalfEven(dt * sinTheta + ds * cosTheta);
    const long long cx = std::clamp<long long>(x, 0, surface.width());
    const long long cy = std::clamp<long long>(y, 0, surface.height());
    clamped = cx != x || cy != y;
    return QPoint(int(cx), int(cy));
}

bool CurveFrame::IsStraight() const
{
    if (nodes < 3)
        return true;
    // The parabola vanishes at both ends of the chord; its largest offset is at the middle.
    const double a = nodeX[2] - lx; // the text point, taken last
    const double h = nodeY[2] - ly;
    const double deviation = std::abs(h) * length * length / (4 * std::abs(a * (length - a)));
    return deviation <= 1.0;
}

double CurveFrame::Curvature() const
{
    if (nodes < 3)
        return 0;
    double sum = 0;
    for (int i = 0; i < 3; ++i) {
        double denominator = 1;
        for (int j = 0; j < 3; ++j)
            if (j != i)
                denominator *= nodeX[i] - nodeX[j];
        sum += nodeY[i] / denominator;
    }
    return sum;
}
