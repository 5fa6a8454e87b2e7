#pragma once

#include <array>

#include "ZcGePoint3d.h"

// A straight line of an island construction: two distinct points on it, in
// the order the toolkit's operations return them.
using IslandLine = std::array<ZcGePoint3d, 2>;

// OffsetLine(a, b, s, d) as a line: a b moved by d towards s (away for d < 0).
IslandLine OffsetIslandLine(ZcGePoint3d a, ZcGePoint3d b, ZcGePoint3d s, double d);
inline IslandLine OffsetIslandLine(const IslandLine& line, ZcGePoint3d s, double d)
{
    return OffsetIslandLine(line[0], line[1], s, d);
}

// The signed distance of p's foot along the direction from -> to, from
// `from`: where p lies along a line running that way.
double PositionAlong(ZcGePoint3d p, ZcGePoint3d from, ZcGePoint3d to);

// Whether p and q lie strictly on opposite sides of the line.
bool OnOppositeSides(ZcGePoint3d p, ZcGePoint3d q, const IslandLine& line);

// The point on the drawing's plane: islands are built flat whatever the
// picked points' elevation.
inline ZcGePoint3d OnPlane(ZcGePoint3d p) { return {p.x, p.y, 0.0}; }

// The bulge of a rounded corner of the island's outline from start to end
// about centre; sharp corners (radius 0) have no arc.
double CornerBulge(ZcGePoint3d start, ZcGePoint3d end, ZcGePoint3d centre, double radius);
