#include "islands/ParallelIsland.h"

#include <cmath>
#include <optional>

#include "geometry/Arcs.h"
#include "geometry/Lines.h"
#include "geometry/Points.h"
#include "islands/SkewText.h"

namespace {

std::optional<std::array<ZcGePoint3d, 3>> fillet(const IslandLine& first, const IslandLine& second, double r,
                                                 ZcGePoint3d side)
{
    const ZcGePoint3dArray f = FilletLines(first[0], first[1], second[0], second[1], r, side);
    if (f.length() != 3)
        return std::nullopt;
    return std::array<ZcGePoint3d, 3>{f[0], f[1], f[2]};
}

// The kerb beside the island's side from start to end (SwSP to SwEP, or
// the outlet's); left is the inlet, whose entry arc turns counter-clockwise
// going outwards, the outlet being its mirror.
struct ParallelKerbInput {
    ZcGePoint3d start, end;
    double width, radius, breakRadius;
    const char *widthName, *radiusName, *breakName;
    bool left;
};

IslandFault buildParallelKerb(const IslandParameters& p, const ParallelIsland& t, const ParallelKerbInput& in,
                              ParallelKerb& k)
{
    k.alongIsland = OffsetIslandLine(in.start, in.end, t.p1, -in.width);
    k.alongTaper = OffsetIslandLine(in.end, t.s3, t.p1, -in.width);
    k.roadEdge = OffsetIslandLine(t.p1, t.p2, in.start, p.Sd / 2.0);
    k.arcKerbLine = OffsetIslandLine(k.alongIsland, t.p1, -in.radius);
    const std::optional<RoundaboutArc> arc =
        ArcToRoundabout(t.mainRondCenter, p.R, in.radius, k.alongIsland, k.arcKerbLine, t.p1);
    if (!arc)
        return {IslandLimit::KerbCircle, in.radiusName};
    k.arc = *arc;
    const auto taperBreak = fillet(k.alongIsland, k.alongTaper, in.breakRadius, t.p1);
    // The edge break rounds the corner that holds the entry arc's centre,
    // away from the island; the check below refuses any other corner.
    const auto edgeBreak = fillet(k.alongTaper, k.roadEdge, in.breakRadius, k.arc.centre);
    if (!taperBreak || !edgeBreak)
        return {IslandLimit::SkewAngle, "A"};
    k.taperBreak = *taperBreak;
    k.edgeBreak = *edgeBreak;
    const std::array<ZcGePoint3d, 3>&f2 = k.taperBreak, &f3 = k.edgeBreak;
    if (in.left) {
        k.arcBulge = -ClockwiseBulge(k.arc.onKerb, k.arc.onCircle, k.arc.centre);
        k.taperBreakBulge = ClockwiseBulge(f2[1], f2[2], f2[0]);
        k.edgeBreakBulge = -ClockwiseBulge(f3[2], f3[1], f3[0]);
    } else {
        k.arcBulge = ClockwiseBulge(k.arc.onCircle, k.arc.onKerb, k.arc.centre);
        k.taperBreakBulge = -ClockwiseBulge(f2[2], f2[1], f2[0]);
        k.edgeBreakBulge = ClockwiseBulge(f3[1], f3[2], f3[0]);
    }

    // Beside the island the kerb must lie outside the road beyond it, else
    // going outwards down the taper it never comes to the road's edge...
    if (!OnOppositeSides(k.alongIsland[0], t.p1, k.roadEdge))
        return {IslandLimit::KerbInsideRoad, in.widthName};
    // ...the straight runs between the arcs do not run backwards, and the
    // last arc turns back onto the edge away from the island.
    const auto along = [&](ZcGePoint3d q) { return PositionAlong(q, in.start, in.end); };
    const bool entryFits = along(k.arc.onKerb) <= along(f2[1]);
    const bool bendsShareTaper = PositionAlong(f2[2], in.end, t.s3) <= PositionAlong(f3[1], in.end, t.s3);
    const bool edgeBendOutside = OnOppositeSides(f3[0], t.p1, k.alongTaper) && OnOppositeSides(f3[0], t.p1, k.roadEdge);
    if (entryFits && bendsShareTaper && edgeBendOutside)
        return {};
    // Alone, the entry arc may end at the taper's corner, and the bends may
    // take the taper and run back to where the kerb leaves the circle. An
    // entry arc past the corner also moves the centre the edge bend is
    // chosen by, so the bend's side is its own fault only otherwise.
    const std::optional<ZcGePoint3d> corner =
        IntersectLines(k.alongIsland[0], k.alongIsland[1], k.alongTaper[0], k.alongTaper[1]);
    if (!corner)
        return {IslandLimit::SkewAngle, "A"};
    const ZcGePoint3d leaves = KerbLeavesCircle(t.mainRondCenter, p.R, k.alongIsland, t.p1);
    const bool entryAlone = along(k.arc.onKerb) > along(*corner);
    const bool breakAlone = !bendsShareTaper || (!entryAlone && !edgeBendOutside) || along(f2[1]) < along(leaves);
    return KerbArcsFault(entryAlone, breakAlone, in.radiusName, in.breakName);
}

IslandFault buildIsland(const IslandParameters& p, double alpha, ParallelIsland& t)
{
    t.alpha = alpha;
    t.dirVec = UnitVector(t.p1, t.p2);
    t.parpVec = t.dirVec.perpVector();
    const double halfS = p.S / 2.0, r1 = p.R1;
    t.swSP = t.p1 + t.parpVec * halfS;
    t.suSP = t.p1 + t.parpVec * (p.S / -2.0);
    const ZcGePoint3d end = PointAlong(t.p1, t.p2, p.L);
    t.swEP = end + t.parpVec * halfS;
    t.suEP = end + t.parpVec * (p.S / -2.0);

    t.swSP1 = t.swSP - t.parpVec * r1;
    t.swSP2 = t.swSP + t.dirVec * r1;
    t.sRwCen = t.swSP + t.dirVec * r1 - t.parpVec * r1;
    t.swEP1 = t.swEP - t.parpVec * r1;
    t.swEP2 = t.swEP - t.dirVec * r1;
    t.eRwCen = t.swEP - t.dirVec * r1 - t.parpVec * r1;
    t.suEP1 = t.suEP + t.parpVec * r1;
    t.suEP2 = t.suEP - t.dirVec * r1;
    t.eRuCen = t.suEP - t.dirVec * r1 + t.parpVec * r1;
    t.suSP1 = t.suSP + t.parpVec * r1;
    t.suSP2 = t.suSP + t.dirVec * r1;
    t.sRuCen = t.suSP + t.parpVec * r1 + t.dirVec * r1;

    t.apexDistance = halfS / std::tan(alpha);
    t.s3 = PointAlong(t.p1, t.p2, p.L + t.apexDistance);
    t.mainRondCenter = PointAlong(t.p1, t.p2, -p.R);

    t.sRwBulge = CornerBulge(t.swSP1, t.swSP2, t.sRwCen, r1);
    t.eRwBulge = CornerBulge(t.swEP2, t.swEP1, t.eRwCen, r1);
    t.eRuBulge = CornerBulge(t.suEP1, t.suEP2, t.eRuCen, r1);
    t.sRuBulge = CornerBulge(t.suSP2, t.suSP1, t.sRuCen, r1);

    const double c1 = p.L - (p.L1 + p.L2), c2 = p.L - p.L1;
    t.swCrossNear = PointAlong(t.swSP, t.swEP, c1);
    t.suCrossNear = PointAlong(t.suSP, t.suEP, c1);
    t.swCrossFar = PointAlong(t.swSP, t.swEP, c2);
    t.suCrossFar = PointAlong(t.suSP, t.suEP, c2);

    // Opposite corners' roundings meet at most.
    if (!(2.0 * r1 <= p.S && 2.0 * r1 <= p.L))
        return {IslandLimit::CornerRounding, "R1"};
    // A crossing lies between the roundings, the near edge first.
    if (p.L1 != 0.0 && !(r1 <= c1 && c1 < c2 && c2 <= p.L - r1))
        return {IslandLimit::Crossing, p.L2 > 0.0 ? "L1" : "L2"};
    return {};
}

std::vector<IslandPolyline> outlines(const IslandParameters& p, const ParallelIsland& t)
{
    std::vector<IslandPolyline> all;
    const auto add = [&all](bool closed) -> IslandPolyline& {
        all.push_back({{}, closed});
        return all.back();
    };
    IslandPolyline& taper = add(false);
    AddIslandVertex(taper, t.suEP2);
    AddIslandVertex(taper, t.s3);
    AddIslandVertex(taper, t.swEP2);
    for (const ParallelKerb* k : {&t.inlet, &t.outlet}) {
        IslandPolyline& kerb = add(false);
        AddIslandVertex(kerb, k->arc.onCircle, k->arcBulge);
        AddIslandVertex(kerb, k->arc.onKerb);
        AddIslandVertex(kerb, k->taperBreak[1], k->taperBreakBulge);
        AddIslandVertex(kerb, k->taperBreak[2]);
        AddIslandVertex(kerb, k->edgeBreak[1], k->edgeBreakBulge);
        AddIslandVertex(kerb, k->edgeBreak[2]);
    }
    if (p.L1 == 0.0) {
        IslandPolyline& island = add(true);
        AddIslandVertex(island, t.swSP1, t.sRwBulge);
        AddIslandVertex(island, t.swSP2);
        AddIslandVertex(island, t.swEP2, t.eRwBulge);
        AddIslandVertex(island, t.swEP1);
        AddIslandVertex(island, t.suEP1, t.eRuBulge);
        AddIslandVertex(island, t.suEP2);
        AddIslandVertex(island, t.suSP2, t.sRuBulge);
        AddIslandVertex(island, t.suSP1);
    } else {
        IslandPolyline& before = add(true);
        AddIslandVertex(before, t.swSP1, t.sRwBulge);
        AddIslandVertex(before, t.swSP2);
        AddIslandVertex(before, t.swCrossNear);
        AddIslandVertex(before, t.suCrossNear);
        AddIslandVertex(before, t.suSP2, t.sRuBulge);
        AddIslandVertex(before, t.suSP1);
        IslandPolyline& nose = add(true);
        AddIslandVertex(nose, t.swCrossFar);
        AddIslandVertex(nose, t.swEP2, t.eRwBulge);
        AddIslandVertex(nose, t.swEP1);
        AddIslandVertex(nose, t.suEP1, t.eRuBulge);
        AddIslandVertex(nose, t.suEP2);
        AddIslandVertex(nose, t.suCrossFar);
    }
    for (IslandPolyline& polyline : all)
        FinishIslandPolyline(polyline);
    return all;
}

}  // namespace

ParallelIslandResult BuildParallelIsland(const IslandParameters& parameters, ZcGePoint3d p1, ZcGePoint3d p2)
{
    ParallelIslandResult result;
    const std::optional<double> alpha = ReadSkewAngle(parameters.A);
    if (!alpha) {
        result.fault = {IslandLimit::NoSkew, "A"};
        return result;
    }
    ParallelIsland& t = result.island;
    t.p1 = OnPlane(p1);
    t.p2 = OnPlane(p2);
    result.fault = CheckCommonLimits(parameters, t.p1, t.p2, *alpha);
    if (!result.fault)
        result.fault = buildIsland(parameters, *alpha, t);
    if (!result.fault)
        result.fault = buildParallelKerb(
            parameters, t, {t.swSP, t.swEP, parameters.Sw, parameters.Rw, parameters.Rw1, "Sw", "Rw", "Rw1", true},
            t.inlet);
    if (!result.fault)
        result.fault = buildParallelKerb(
            parameters, t, {t.suSP, t.suEP, parameters.Su, parameters.Ru, parameters.Ru1, "Su", "Ru", "Ru1", false},
            t.outlet);
    if (result.fault)
        return result;
    result.polylines = outlines(parameters, t);
    if (!IslandPolylinesFinite(result.polylines)) {
        result.polylines.clear();
        result.fault = {IslandLimit::OutOfRange, ""};
    }
    return result;
}

ZcDbObjectIdArray DrawParallelIsland(const IslandParameters& parameters, ZcGePoint3d p1, ZcGePoint3d p2)
{
    const ParallelIslandResult built = BuildParallelIsland(parameters, p1, p2);
    return DrawIslandPolylines(built.fault, built.polylines);
}
