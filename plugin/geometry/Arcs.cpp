#include "geometry/Arcs.h"

#include <cmath>

#include "geometry/Angles.h"
#include "geometry/Points.h"

double BulgeFromAngle(double theta) { return std::tan(theta / 4.0); }

template <PlanePoint P>
double ClockwiseBulge(P start, P end, P centre)
{
    const double t1 = PointAngle(centre, start), t2 = PointAngle(centre, end);
    // Clockwise sweeps are negative: t2 - t1 when end comes first going
    // clockwise from start, otherwise once more round.
    const double theta = t2 < t1 ? t2 - t1 : t2 - t1 - 2.0 * PiValue();
    return BulgeFromAngle(theta);
}

template <PlanePoint P>
double ArcRadius(P p1, P p2, double bulge)
{
    const double half = p1.distanceTo(p2) / 2.0;
    const double sagitta = std::fabs(bulge) * half;
    return (half * half + sagitta * sagitta) / (2.0 * sagitta);
}

template <PlanePoint P>
P ArcCentre(P p1, P p2, double bulge)
{
    const double radius = ArcRadius(p1, p2, bulge);
    const double included = 4.0 * std::atan(std::fabs(bulge));
    const double alpha = (PiValue() - included) / 2.0;
    const double chord = PointAngle(p1, p2);
    return PolarPoint(p1, radius, bulge > 0.0 ? chord + alpha : chord - alpha);
}

// The two forms the toolkit offers.
template double ClockwiseBulge(ZcGePoint2d, ZcGePoint2d, ZcGePoint2d);
template double ClockwiseBulge(ZcGePoint3d, ZcGePoint3d, ZcGePoint3d);
template double ArcRadius(ZcGePoint2d, ZcGePoint2d, double);
template double ArcRadius(ZcGePoint3d, ZcGePoint3d, double);
template ZcGePoint2d ArcCentre(ZcGePoint2d, ZcGePoint2d, double);
template ZcGePoint3d ArcCentre(ZcGePoint3d, ZcGePoint3d, double);
