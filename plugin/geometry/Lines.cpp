#include "geometry/Lines.h"

#include <cmath>

#include "geometry/Angles.h"
#include "geometry/Points.h"
#include "geometry/Tolerances.h"

// Distance and foot come from the cross and dot products with the line's
// direction: exact for points on or near the line, on either side of a.

template <PlanePoint P>
double DistanceToLine(P p, P a, P b)
{
    const VectorOf<P> u = b - a;
    return CrossLength(u, p - a) / u.length();
}

template <PlanePoint P>
P ProjectToLine(P p, P a, P b)
{
    const VectorOf<P> u = b - a;
    return a + u * ((p - a).dotProduct(u) / u.dotProduct(u));
}

template <PlanePoint P>
double LineAngleDeg(P a, P b, P c, P d)
{
    const VectorOf<P> u = b - a, w = d - c;
    // atan2 keeps full precision near 0 and 90 degrees, where asin does not.
    return RadToDeg(std::atan2(CrossLength(u, w), std::fabs(u.dotProduct(w))));
}

ZcGePoint3dArray OffsetLine(ZcGePoint3d a, ZcGePoint3d b, ZcGePoint3d s, double d)
{
    const ZcGeVector3d towardsSide = s - ProjectToLine(s, a, b);
    ZcGePoint3dArray result;
    result.append(PointAlong(a, a + towardsSide, d));
    result.append(PointAlong(b, b + towardsSide, d));
    return result;
}

namespace {

double planDeterminant(const ZcGeVector3d& u, const ZcGeVector3d& w) { return u.x * w.y - w.x * u.y; }

}  // namespace

std::optional<ZcGePoint3d> IntersectLines(ZcGePoint3d a, ZcGePoint3d b, ZcGePoint3d c, ZcGePoint3d d)
{
    const ZcGeVector3d u = b - a, w = d - c;
    const double det = planDeterminant(u, w);
    if (std::fabs(det) <= kParallelDeterminant)
        return std::nullopt;
    const double n = (c.x - a.x) * w.y - w.x * (c.y - a.y);
    return a + u * (n / det);
}

ZcGePoint3dArray IntersectLineCircle(ZcGePoint3d c, double r, ZcGePoint3d a, ZcGePoint3d b)
{
    ZcGePoint3dArray result;
    const double h = DistanceToLine(c, a, b);
    const ZcGePoint3d foot = ProjectToLine(c, a, b);
    if (std::fabs(h - r) < kTangentTolerance) {
        result.append(foot);
        return result;
    }
    if (h > r)
        return result;
    const double half = std::sqrt(r * r - h * h);
    // Seen from a, towards the foot; along ab when a is the foot itself.
    const ZcGeVector3d u = UnitVector(a, b);
    const ZcGeVector3d ahead = (foot - a).dotProduct(u) < 0.0 ? -u : u;
    result.append(foot - ahead * half);
    result.append(foot + ahead * half);
    return result;
}

ZcGePoint3dArray FilletLines(ZcGePoint3d a, ZcGePoint3d b, ZcGePoint3d c, ZcGePoint3d d, double r, ZcGePoint3d s)
{
    const ZcGePoint3dArray first = OffsetLine(a, b, s, r);
    const ZcGePoint3dArray second = OffsetLine(c, d, s, r);
    const std::optional<ZcGePoint3d> centre = IntersectLines(first[0], first[1], second[0], second[1]);
    ZcGePoint3dArray result;
    if (!centre)
        return result;
    result.append(*centre);
    result.append(ProjectToLine(*centre, a, b));
    result.append(ProjectToLine(*centre, c, d));
    return result;
}

// The two forms the toolkit offers.
template double DistanceToLine(ZcGePoint2d, ZcGePoint2d, ZcGePoint2d);
template double DistanceToLine(ZcGePoint3d, ZcGePoint3d, ZcGePoint3d);
template ZcGePoint2d ProjectToLine(ZcGePoint2d, ZcGePoint2d, ZcGePoint2d);
template ZcGePoint3d ProjectToLine(ZcGePoint3d, ZcGePoint3d, ZcGePoint3d);
template double LineAngleDeg(ZcGePoint2d, ZcGePoint2d, ZcGePoint2d, ZcGePoint2d);
template double LineAngleDeg(ZcGePoint3d, ZcGePoint3d, ZcGePoint3d, ZcGePoint3d);
