#include "islands/TriangularIsland.h"

#include <cmath>
#include <optional>

#include "geometry/Arcs.h"
#include "geometry/Lines.h"
#include "geometry/Points.h"
#include "islands/SkewText.h"

namespace {

// The kerb on the side of the island's side from sidePoint (Swp or Sup) to
// the apex; left is the inlet, whose arcs turn clockwise from the road's
// edge to the circle, the outlet's being their mirror.
struct TriangularKerbInput {
    ZcGePoint3d sidePoint;
    double width, radius, breakRadius;
    const char *widthName, *radiusName, *breakName;
    bool left;
};

IslandFault buildTriangularKerb(const IslandParameters& p, const TriangularIsland& t, const TriangularKerbInput& in,
                                TriangularKerb& k)
{
    k.roadEdge = OffsetIslandLine(t.p1, t.p2, in.sidePoint, p.Sd / 2.0);
    k.kerbLine = OffsetIslandLine(in.sidePoint, t.s3, t.p1, -in.width);
    k.movedEdge = OffsetIslandLine(k.roadEdge, t.p1, -in.breakRadius);
    k.movedKerbLine = OffsetIslandLine(k.kerbLine, t.p1, -in.breakRadius);
    const std::optional<ZcGePoint3d> breakCentre =
        IntersectLines(k.movedEdge[0], k.movedEdge[1], k.movedKerbLine[0], k.movedKerbLine[1]);
    if (!breakCentre)
        return {IslandLimit::SkewAngle, "A"};
    k.breakCentre = *breakCentre;
    k.op1 = ProjectToLine(k.breakCentre, k.roadEdge[0], k.roadEdge[1]);
    k.op2 = ProjectToLine(k.breakCentre, k.kerbLine[0], k.kerbLine[1]);
    k.arcKerbLine = OffsetIslandLine(k.kerbLine, t.p1, -in.radius);
    const std::optional<RoundaboutArc> arc =
        ArcToRoundabout(t.mainRondCenter, p.R, in.radius, k.kerbLine, k.arcKerbLine, t.p1);
    if (!arc)
        return {IslandLimit::KerbCircle, in.radiusName};
    k.arc = *arc;
    if (in.left) {
        k.breakBulge = ClockwiseBulge(k.op1, k.op2, k.breakCentre);
        k.arcBulge = ClockwiseBulge(k.arc.onKerb, k.arc.onCircle, k.arc.centre);
    } else {
        k.breakBulge = -ClockwiseBulge(k.op2, k.op1, k.breakCentre);
        k.arcBulge = -ClockwiseBulge(k.arc.onCircle, k.arc.onKerb, k.arc.centre);
    }
    // Beside the island's base the kerb line must lie outside the road
    // beyond it, else going outwards it never comes to the road's edge...
    if (!OnOppositeSides(k.kerbLine[0], t.p1, k.roadEdge))
        return {IslandLimit::KerbInsideRoad, in.widthName};
    // ...and the straight kerb between the two arcs must not run backwards
    // (which also keeps the entry arc outside the road).
    const auto along = [&](ZcGePoint3d q) { return PositionAlong(q, in.sidePoint, t.s3); };
    if (along(k.arc.onKerb) <= along(k.op2))
        return {};
    // Alone, the entry arc may end at the corner the bend rounds, and the
    // bend may begin where the kerb line leaves the circle.
    const std::optional<ZcGePoint3d> corner =
        IntersectLines(k.kerbLine[0], k.kerbLine[1], k.roadEdge[0], k.roadEdge[1]);
    if (!corner)
        return {IslandLimit::SkewAngle, "A"};
    const ZcGePoint3d leaves = KerbLeavesCircle(t.mainRondCenter, p.R, k.kerbLine, t.p1);
    return KerbArcsFault(along(k.arc.onKerb) > along(*corner), along(k.op2) < along(leaves), in.radiusName,
                         in.breakName);
}

IslandFault buildIsland(const IslandParameters& p, double alpha, TriangularIsland& t)
{
    t.alpha = alpha;
    t.p3 = t.p1 + (t.p2 - t.p1).perpVector();
    t.mainDir = UnitVector(t.p1, t.p2);
    t.parpVec = UnitVector(t.p1, t.p3);
    t.swp = PointAlong(t.p1, t.p3, p.S / 2.0);
    t.sup = PointAlong(t.p1, t.p3, -p.S / 2.0);
    t.apexDistance = (p.S / 2.0) / std::tan(alpha);
    if (!(p.L < t.apexDistance))
        return {IslandLimit::IslandLength, "L"};
    t.s3 = PointAlong(t.p1, t.p2, t.apexDistance);
    t.konCen = PointAlong(t.p1, t.p2, p.L);
    t.swKp = ProjectToLine(t.konCen, t.swp, t.s3);
    t.suKp = ProjectToLine(t.konCen, t.sup, t.s3);

    t.swSuInOff = OffsetIslandLine(t.swp, t.sup, t.s3, p.R1);
    t.swKonInOff = OffsetIslandLine(t.swp, t.s3, t.sup, p.R1);
    t.suKonInOff = OffsetIslandLine(t.sup, t.s3, t.swp, p.R1);
    const std::optional<ZcGePoint3d> swR1Cen =
        IntersectLines(t.swSuInOff[0], t.swSuInOff[1], t.swKonInOff[0], t.swKonInOff[1]);
    const std::optional<ZcGePoint3d> suR1Cen =
        IntersectLines(t.swSuInOff[0], t.swSuInOff[1], t.suKonInOff[0], t.suKonInOff[1]);
    if (!swR1Cen || !suR1Cen)
        return {IslandLimit::SkewAngle, "A"};
    t.swR1Cen = *swR1Cen;
    t.suR1Cen = *suR1Cen;
    t.swR1p1 = ProjectToLine(t.swR1Cen, t.swp, t.sup);
    t.swR1p2 = ProjectToLine(t.swR1Cen, t.swp, t.s3);
    t.suR1p1 = ProjectToLine(t.suR1Cen, t.swp, t.sup);
    t.suR1p2 = ProjectToLine(t.suR1Cen, t.sup, t.s3);

    const double cosAlpha = std::fabs(std::cos(alpha));
    const double d1 = (p.L - (p.L1 + p.L2)) / cosAlpha, d2 = (p.L - p.L1) / cosAlpha;
    t.przejP1 = PointAlong(t.swp, t.s3, d1);
    t.przejP2 = PointAlong(t.sup, t.s3, d1);
    t.przejP3 = PointAlong(t.swp, t.s3, d2);
    t.przejP4 = PointAlong(t.sup, t.s3, d2);
    t.mainRondCenter = PointAlong(t.p1, t.p2, -p.R);

    t.cornerBulge = CornerBulge(t.swR1p1, t.swR1p2, t.swR1Cen, p.R1);
    t.noseBulge = ClockwiseBulge(t.swKp, t.suKp, t.konCen);

    // The two corner arcs share the base (they meet on the axis at most),
    // and each ends on its side before the nose arc begins. The island is
    // symmetric: the left half answers for both.
    const double cornerEnd = PositionAlong(t.swR1p2, t.swp, t.s3), noseStart = PositionAlong(t.swKp, t.swp, t.s3);
    if (!((t.swR1p1 - t.p1).dotProduct(t.parpVec) >= 0.0 && cornerEnd <= noseStart))
        return {IslandLimit::CornerRounding, "R1"};
    // A crossing has both edges on the straight part of the sides, the near
    // one first.
    if (p.L1 != 0.0 && !(cornerEnd <= d1 && d1 < d2 && d2 <= noseStart))
        return {IslandLimit::Crossing, p.L2 > 0.0 ? "L1" : "L2"};
    return {};
}

std::vector<IslandPolyline> outlines(const IslandParameters& p, const TriangularIsland& t)
{
    std::vector<IslandPolyline> all;
    const auto add = [&all](bool closed) -> IslandPolyline& {
        all.push_back({{}, closed});
        return all.back();
    };
    if (p.L1 == 0.0) {
        IslandPolyline& island = add(true);
        AddIslandVertex(island, t.swR1p1, t.cornerBulge);
        AddIslandVertex(island, t.swR1p2);
        AddIslandVertex(island, t.swKp, t.noseBulge);
        AddIslandVertex(island, t.suKp);
        AddIslandVertex(island, t.suR1p2, t.cornerBulge);
        AddIslandVertex(island, t.suR1p1);
    } else {
        IslandPolyline& before = add(true);
        AddIslandVertex(before, t.swR1p1, t.cornerBulge);
        AddIslandVertex(before, t.swR1p2);
        AddIslandVertex(before, t.przejP1);
        AddIslandVertex(before, t.przejP2);
        AddIslandVertex(before, t.suR1p2, t.cornerBulge);
        AddIslandVertex(before, t.suR1p1);
        IslandPolyline& nose = add(true);
        AddIslandVertex(nose, t.przejP3);
        AddIslandVertex(nose, t.swKp, t.noseBulge);
        AddIslandVertex(nose, t.suKp);
        AddIslandVertex(nose, t.przejP4);
    }
    IslandPolyline& triangle = add(true);
    AddIslandVertex(triangle, t.swp);
    AddIslandVertex(triangle, t.s3);
    AddIslandVertex(triangle, t.sup);
    for (const TriangularKerb* k : {&t.inlet, &t.outlet}) {
        IslandPolyline& kerb = add(false);
        AddIslandVertex(kerb, k->op1, k->breakBulge);
        AddIslandVertex(kerb, k->op2);
        AddIslandVertex(kerb, k->arc.onKerb, k->arcBulge);
        AddIslandVertex(kerb, k->arc.onCircle);
    }
    for (IslandPolyline& polyline : all)
        FinishIslandPolyline(polyline);
    return all;
}

}  // namespace

TriangularIslandResult BuildTriangularIsland(const IslandParameters& parameters, ZcGePoint3d p1, ZcGePoint3d p2)
{
    TriangularIslandResult result;
    const std::optional<double> alpha = ReadSkewAngle(parameters.A);
    if (!alpha) {
        result.fault = {IslandLimit::NoSkew, "A"};
        return result;
    }
    TriangularIsland& t = result.island;
    t.p1 = OnPlane(p1);
    t.p2 = OnPlane(p2);
    result.fault = CheckCommonLimits(parameters, t.p1, t.p2, *alpha);
    if (!result.fault)
        result.fault = buildIsland(parameters, *alpha, t);
    if (!result.fault)
        result.fault = buildTriangularKerb(
            parameters, t, {t.swp, parameters.Sw, parameters.Rw, parameters.Rw1, "Sw", "Rw", "Rw1", true}, t.inlet);
    if (!result.fault)
        result.fault = buildTriangularKerb(
            parameters, t, {t.sup, parameters.Su, parameters.Ru, parameters.Ru1, "Su", "Ru", "Ru1", false}, t.outlet);
    if (result.fault)
        return result;
    result.polylines = outlines(parameters, t);
    if (!IslandPolylinesFinite(result.polylines)) {
        result.polylines.clear();
        result.fault = {IslandLimit::OutOfRange, ""};
    }
    return result;
}

ZcDbObjectIdArray DrawTriangularIsland(const IslandParameters& parameters, ZcGePoint3d p1, ZcGePoint3d p2)
{
    const TriangularIslandResult built = BuildTriangularIsland(parameters, p1, p2);
    return DrawIslandPolylines(built.fault, built.polylines);
}
