#include "geometry/Points.h"

#include <cmath>

#include "zcut.h"

ZcGePoint2d MakePoint2d(ZcGePoint3d p) { return {p.x, p.y}; }

template <PlanePoint P>
P PolarPoint(P base, double d, double a)
{
    return WithXY(base, base.x + d * std::cos(a), base.y + d * std::sin(a));
}

template <PlanePoint P>
double PointAngle(P p1, P p2)
{
    // Heights set to 0, as the angle is one in plan.
    const ads_point from = {p1.x, p1.y, 0.0}, to = {p2.x, p2.y, 0.0};
    return zcutAngle(from, to);
}

template <PlanePoint P>
P PointAlong(P p1, P p2, double d)
{
    if (d == 0.0)
        return p1;
    return p1 + UnitVector(p1, p2) * d;
}

template <PlanePoint P>
VectorOf<P> VectorBetween(P p1, P p2)
{
    return p2 - p1;
}

template <PlanePoint P>
VectorOf<P> UnitVector(P p1, P p2)
{
    const VectorOf<P> v = p2 - p1;
    return v / v.length();
}

ZcGeVector3d PerpUnitVector(ZcGePoint3d p1, ZcGePoint3d p2) { return UnitVector(p1, p2).perpVector(); }

bool IsBetweenPoints(ZcGePoint3d p, ZcGePoint3d a, ZcGePoint3d b)
{
    const double ab = a.distanceTo(b);
    return ab >= p.distanceTo(a) && ab >= p.distanceTo(b);
}

// The two forms the toolkit offers.
template ZcGePoint2d PolarPoint(ZcGePoint2d, double, double);
template ZcGePoint3d PolarPoint(ZcGePoint3d, double, double);
template double PointAngle(ZcGePoint2d, ZcGePoint2d);
template double PointAngle(ZcGePoint3d, ZcGePoint3d);
template ZcGePoint2d PointAlong(ZcGePoint2d, ZcGePoint2d, double);
template ZcGePoint3d PointAlong(ZcGePoint3d, ZcGePoint3d, double);
template ZcGeVector2d VectorBetween(ZcGePoint2d, ZcGePoint2d);
template ZcGeVector3d VectorBetween(ZcGePoint3d, ZcGePoint3d);
template ZcGeVector2d UnitVector(ZcGePoint2d, ZcGePoint2d);
template ZcGeVector3d UnitVector(ZcGePoint3d, ZcGePoint3d);
