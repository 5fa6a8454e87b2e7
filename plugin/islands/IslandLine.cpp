#include "islands/IslandLine.h"

#include "geometry/Arcs.h"
#include "geometry/Lines.h"
#include "geometry/Points.h"

IslandLine OffsetIslandLine(ZcGePoint3d a, ZcGePoint3d b, ZcGePoint3d s, double d)
{
    const ZcGePoint3dArray moved = OffsetLine(a, b, s, d);
    return {moved[0], moved[1]};
}

double PositionAlong(ZcGePoint3d p, ZcGePoint3d from, ZcGePoint3d to)
{
    return (p - from).dotProduct(UnitVector(from, to));
}

namespace {

// Which side of the line p lies on: the sign of the plan cross product.
double side(ZcGePoint3d p, const IslandLine& line)
{
    const ZcGeVector3d u = line[1] - line[0], w = p - line[0];
    return u.x * w.y - u.y * w.x;
}

}  // namespace

bool OnOppositeSides(ZcGePoint3d p, ZcGePoint3d q, const IslandLine& line)
{
    return side(p, line) * side(q, line) < 0.0;
}

double CornerBulge(ZcGePoint3d start, ZcGePoint3d end, ZcGePoint3d centre, double radius)
{
    return radius > 0.0 ? ClockwiseBulge(start, end, centre) : 0.0;
}
