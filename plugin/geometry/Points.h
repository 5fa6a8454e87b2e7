#pragma once

#include "ZcGePoint2d.h"
#include "ZcGePoint3d.h"
#include "ZcGeVector3d.h"
#include "geometry/PlanePoint.h"

// Points and directions in the plane of the drawing. The 3D forms carry z
// along as each says; the commands use z = 0.

// (x, y) of a 3D point; z is dropped.
ZcGePoint2d MakePoint2d(ZcGePoint3d p);

// The point at distance d from base in the direction of angle a; the 3D
// form keeps base.z.
template <PlanePoint P>
P PolarPoint(P base, double d, double a);

// The angle of the direction p1 -> p2 in the XY plane, 0 to 2pi, as the
// host's zcutAngle gives it (z is not looked at).
template <PlanePoint P>
double PointAngle(P p1, P p2);

// The point at signed distance d from p1 towards p2 (all coordinates).
// With d exactly 0 it is p1 itself, even when p1 = p2; otherwise p1 and p2
// must differ.
template <PlanePoint P>
P PointAlong(P p1, P p2, double d);

// p2 - p1.
template <PlanePoint P>
VectorOf<P> VectorBetween(P p1, P p2);

// The unit direction p1 -> p2 (p1 and p2 must differ).
template <PlanePoint P>
VectorOf<P> UnitVector(P p1, P p2);

// The unit direction p1 -> p2 turned by +90 degrees (counter-clockwise) in
// the XY plane: (-u.y, u.x, 0).
ZcGeVector3d PerpUnitVector(ZcGePoint3d p1, ZcGePoint3d p2);

// Whether a and b are the farthest-apart pair of the three points:
// |ab| >= |pa| and |ab| >= |pb|.
bool IsBetweenPoints(ZcGePoint3d p, ZcGePoint3d a, ZcGePoint3d b);
