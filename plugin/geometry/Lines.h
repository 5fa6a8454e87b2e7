#pragma once

#include <optional>

#include "ZcGeArrays.h"
#include "ZcGePoint3d.h"
#include "geometry/PlanePoint.h"

// Infinite lines, each given by two distinct points on it, and what meets
// them: the perpendicular, a parallel, another line, a circle, a fillet.

// Perpendicular distance of p from the line ab, never negative; exactly 0
// only for a point on the line.
template <PlanePoint P>
double DistanceToLine(P p, P a, P b);

// The foot of the perpendicular from p on the line ab; p itself when p is
// on the line.
template <PlanePoint P>
P ProjectToLine(P p, P a, P b);

// The angle between the lines ab and cd in degrees, 0 to 90, whichever way
// one is turned from the other.
template <PlanePoint P>
double LineAngleDeg(P a, P b, P c, P d);

// [a', b']: a and b moved by d perpendicular to ab towards the side of s
// (away from it for a negative d). s must not lie on the line.
ZcGePoint3dArray OffsetLine(ZcGePoint3d a, ZcGePoint3d b, ZcGePoint3d s, double d);

// The intersection of the lines ab and cd in plan, on ab (z too); none for
// lines parallel in plan (kParallelDeterminant).
std::optional<ZcGePoint3d> IntersectLines(ZcGePoint3d a, ZcGePoint3d b, ZcGePoint3d c, ZcGePoint3d d);

// Where the line ab meets the circle about c of radius r: one point, the
// foot of the perpendicular from c, when the line is within
// kTangentTolerance of touching it; otherwise two points ordered along the
// direction from a to that foot (the first one before it); none when the
// line misses the circle.
ZcGePoint3dArray IntersectLineCircle(ZcGePoint3d c, double r, ZcGePoint3d a, ZcGePoint3d b);

// [centre, tangent point on ab, tangent point on cd] of the arc of radius r
// rounding the corner between the lines ab and cd that holds s; empty when
// the lines are parallel (no corner). s must lie on neither line.
ZcGePoint3dArray FilletLines(ZcGePoint3d a, ZcGePoint3d b, ZcGePoint3d c, ZcGePoint3d d, double r, ZcGePoint3d s);
