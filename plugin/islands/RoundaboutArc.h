#pragma once

#include <array>
#include <optional>

#include "ZcGePoint3d.h"
#include "islands/IslandLine.h"

// The kerb arc of radius r that leaves the roundabout's circle and runs
// into a straight kerb line, tangent to both.
struct RoundaboutArc {
    // Where the kerb line moved outwards by r cuts the circle of radius R + r
    // about the roundabout's centre: the two candidate centres.
    std::array<ZcGePoint3d, 2> centres;
    ZcGePoint3d centre;    // the candidate nearer the island's base point
    ZcGePoint3d onKerb;    // the arc's end on the kerb line
    ZcGePoint3d onCircle;  // its end on the roundabout's circle
};

// The arc for the kerb line and that line moved outwards by r. The nearer
// candidate to base is taken (the second on a tie). None when the moved
// line only touches or misses the circle: there is no such arc.
std::optional<RoundaboutArc> ArcToRoundabout(ZcGePoint3d roundaboutCentre, double R, double r, const IslandLine& kerb,
                                             const IslandLine& movedKerb, ZcGePoint3d base);

// Where the kerb line cuts the roundabout's circle (the cut nearer base):
// the end of such an arc as its radius shrinks to nothing. Base's foot on
// the line when the line misses the circle.
ZcGePoint3d KerbLeavesCircle(ZcGePoint3d roundaboutCentre, double R, const IslandLine& kerb, ZcGePoint3d base);
