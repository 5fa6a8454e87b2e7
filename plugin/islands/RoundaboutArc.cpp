#include "islands/RoundaboutArc.h"

#include "geometry/Lines.h"
#include "geometry/Points.h"

std::optional<RoundaboutArc> ArcToRoundabout(ZcGePoint3d roundaboutCentre, double R, double r, const IslandLine& kerb,
                                             const IslandLine& movedKerb, ZcGePoint3d base)
{
    const ZcGePoint3dArray cuts = IntersectLineCircle(roundaboutCentre, R + r, movedKerb[0], movedKerb[1]);
    if (cuts.length() != 2)
        return std::nullopt;
    RoundaboutArc arc;
    arc.centres = {cuts[0], cuts[1]};
    arc.centre = base.distanceTo(cuts[1]) <= base.distanceTo(cuts[0]) ? cuts[1] : cuts[0];
    arc.onKerb = ProjectToLine(arc.centre, kerb[0], kerb[1]);
    arc.onCircle = PointAlong(arc.centre, roundaboutCentre, r);
    return arc;
}

ZcGePoint3d KerbLeavesCircle(ZcGePoint3d roundaboutCentre, double R, const IslandLine& kerb, ZcGePoint3d base)
{
    const ZcGePoint3dArray cuts = IntersectLineCircle(roundaboutCentre, R, kerb[0], kerb[1]);
    if (cuts.length() == 0)
        return ProjectToLine(base, kerb[0], kerb[1]);
    if (cuts.length() == 1)
        return cuts[0];
    return base.distanceTo(cuts[1]) <= base.distanceTo(cuts[0]) ? cuts[1] : cuts[0];
}
