#include "markings/CompoundCurve.h"

#include <cmath>
#include <optional>

#include "geometry/Angles.h"
#include "geometry/Arcs.h"
#include "geometry/Lines.h"
#include "geometry/Points.h"
#include "geometry/Tolerances.h"

namespace {

// Each end arc turns this much, in degrees.
constexpr double kEndArcTurnDeg = 15.0;

// Edge directions whose sine is at most this are parallel: picks in drawing
// units cannot tell them apart, and the centres would lie a billion radii away.
constexpr double kParallelSine = 1e-9;

// The middle arc must turn at least this much (radians); below it its ends
// are one point within the picks' precision and its bulge has no sense.
constexpr double kMinMiddleTurn = 1e-6;

ZcGePoint3d flat(ZcGePoint3d p) { return {p.x, p.y, 0.0}; }

bool finite(const CompoundCurve& c)
{
    for (int i = 0; i < 4; ++i)
        if (!std::isfinite(c.vertices[i].x) || !std::isfinite(c.vertices[i].y) || !std::isfinite(c.bulges[i]))
            return false;
    for (const ZcGePoint3d& p : c.centres)
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            return false;
    return true;
}

}  // namespace

CompoundCurveResult BuildCompoundCurve(ZcGePoint3d firstEdgePoint, ZcGePoint3d corner, ZcGePoint3d secondEdgePoint,
                                       double radius)
{
    CompoundCurveResult result;
    if (!std::isfinite(radius) || radius < kMinSize) {
        result.fault = CompoundCurveFault::BadRadius;
        return result;
    }
    // The curve is drawn in plan.
    const ZcGePoint3d p1 = flat(corner);
    ZcGePoint3d p2 = flat(firstEdgePoint), p3 = flat(secondEdgePoint);
    if (p1.distanceTo(p2) <= kZcGeEqualPoint || p1.distanceTo(p3) <= kZcGeEqualPoint) {
        result.fault = CompoundCurveFault::SamePoints;
        return result;
    }
    const ZcGeVector3d edge1 = UnitVector(p1, p2), edge3 = UnitVector(p1, p3);
    const double sine = edge1.x * edge3.y - edge1.y * edge3.x;
    if (std::fabs(sine) <= kParallelSine) {
        result.fault = CompoundCurveFault::ParallelEdges;
        return result;
    }
    const double alpha = DegToRad(kEndArcTurnDeg);
    const double cornerAngle = std::atan2(std::fabs(sine), edge1.dotProduct(edge3));
    if (PiValue() - cornerAngle - 2.0 * alpha < kMinMiddleTurn) {
        result.fault = CompoundCurveFault::EdgesTooStraight;
        return result;
    }

    const double r1 = 2.0 * radius, r3 = 3.0 * radius;
    const ZcGeVector3d cir1CenVec = PerpUnitVector(p1, p2);
    // Away from the corner along the edges, so the provisional centres are clear of it.
    p2 += edge1 * 2.0 * r1;
    p3 += edge3 * 2.0 * r3;
    // The centres lie in the corner between the edges: on the side of the
    // first edge where the second one runs.
    const int s = sine > 0.0 ? 1 : -1;

    ZcGePoint3d cir1Cen = p2 + cir1CenVec * (s * r1);
    const ZcGeVector3d cir3CenVec = PerpUnitVector(p1, p3);
    ZcGePoint3d cir3Cen = p3 - cir3CenVec * (s * r3);

    const double theta1 = PointAngle(cir1Cen, p2);
    const double phi1 = theta1 - s * alpha;
    const double theta3 = PointAngle(cir3Cen, p3);
    const double phi3 = theta3 + s * alpha;

    // The middle centre lies R inside both outer arcs' ends: on the parallel
    // to each edge through the point R1 - R (R3 - R) from its centre.
    const ZcGePoint3d arc1EP = PolarPoint(cir1Cen, r1 - radius, phi1);
    const ZcGePoint3d arc3EP = PolarPoint(cir3Cen, r3 - radius, phi3);
    const ZcGePoint3d arc1EPParr = arc1EP + VectorBetween(p1, p2);
    const ZcGePoint3d arc3EPParr = arc3EP + VectorBetween(p1, p3);
    const std::optional<ZcGePoint3d> middle = IntersectLines(arc1EP, arc1EPParr, arc3EP, arc3EPParr);
    if (!middle) {
        result.fault = CompoundCurveFault::ParallelEdges;
        return result;
    }
    const ZcGePoint3d cir2Cen = *middle;

    // Slide the outer centres along their edges until their arcs meet the middle one.
    const ZcGePoint3d arc1SP = PolarPoint(cir1Cen, r1, phi1);
    const ZcGePoint3d arc3End = PolarPoint(cir3Cen, r3, phi3);
    cir1Cen += VectorBetween(arc1SP, PolarPoint(cir2Cen, radius, phi1));
    cir3Cen += VectorBetween(arc3End, PolarPoint(cir2Cen, radius, phi3));

    CompoundCurve& c = result.curve;
    c.side = s;
    c.centres[0] = cir1Cen;
    c.centres[1] = cir2Cen;
    c.centres[2] = cir3Cen;
    c.radii[0] = r1;
    c.radii[1] = radius;
    c.radii[2] = r3;
    c.vertices[0] = MakePoint2d(PolarPoint(cir1Cen, r1, theta1));
    c.vertices[1] = MakePoint2d(PolarPoint(cir2Cen, radius, phi1));
    c.vertices[2] = MakePoint2d(PolarPoint(cir2Cen, radius, phi3));
    c.vertices[3] = MakePoint2d(PolarPoint(cir3Cen, r3, theta3));
    c.bulges[0] = BulgeFromAngle(-s * alpha);
    c.bulges[1] = s > 0 ? ClockwiseBulge(c.vertices[1], c.vertices[2], MakePoint2d(cir2Cen))
                        : -ClockwiseBulge(c.vertices[2], c.vertices[1], MakePoint2d(cir2Cen));
    c.bulges[2] = BulgeFromAngle(-s * alpha);
    c.bulges[3] = 0.0;
    if (!finite(c))
        result.fault = CompoundCurveFault::OutOfRange;
    return result;
}

const char* CompoundCurveFaultMessage(CompoundCurveFault fault)
{
    switch (fault) {
    case CompoundCurveFault::None:
        return "";
    case CompoundCurveFault::BadRadius:
        return "\nPromień musi być liczbą nie mniejszą niż 0,0001 m; krzywej nie narysowano.";
    case CompoundCurveFault::SamePoints:
        return "\nPunkt na krawędzi drogi jest punktem przecięcia krawędzi; krzywej nie narysowano.";
    case CompoundCurveFault::ParallelEdges:
        return "\nKrawędzie dróg są równoległe; krzywej nie narysowano.";
    case CompoundCurveFault::EdgesTooStraight:
        return "\nKrawędzie dróg zmieniają kierunek o 30° lub mniej, za mało dla krzywej; krzywej nie narysowano.";
    case CompoundCurveFault::OutOfRange:
        return "\nKrzywa wychodzi poza zakres rysunku; krzywej nie narysowano.";
    }
    return "";
}

ZcDbPolyline* MakeCompoundCurvePolyline(const CompoundCurve& curve)
{
    ZcDbPolyline* polyline = new ZcDbPolyline;
    for (unsigned i = 0; i < 4; ++i)
        if (polyline->addVertexAt(i, curve.vertices[i], curve.bulges[i], -1.0, -1.0) != Zcad::eOk) {
            delete polyline;
            return nullptr;
        }
    return polyline;
}
