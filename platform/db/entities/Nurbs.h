#pragma once

#include <span>
#include <vector>

#include "ZcGePoint3d.h"

// B-spline and NURBS curves evaluated by de Boor's algorithm (in
// homogeneous coordinates when weighted).
namespace platform::nurbs {

struct Curve {
    int degree = 1;
    std::span<const ZcGePoint3d> points;
    std::span<const double> knots;    // points.size() + degree + 1, never decreasing
    std::span<const double> weights;  // empty, or one per point
};

// Whether the data describes a curve: degree at least 1, enough points,
// the right number of knots, never decreasing, spanning a length in the
// curve's domain, weights positive.
bool isValid(const Curve& c);
// The curve's parameters run from knot[degree] to knot[points - 1 + 1].
double domainStart(const Curve& c);
double domainEnd(const Curve& c);
// The point at u (clamped to the domain).
ZcGePoint3d pointAt(const Curve& c, double u);

struct Sample {
    double u = 0.0;
    ZcGePoint3d point;
};
// Points along the curve, first and last included, such that the curve
// strays from each chord between them by no more than about chordTol.
std::vector<Sample> flatten(const Curve& c, double chordTol);

}  // namespace platform::nurbs
