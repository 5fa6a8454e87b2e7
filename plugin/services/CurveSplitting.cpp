#include "services/CurveSplitting.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ZcDbArc.h"
#include "ZcDbCircle.h"
#include "ZcDbLine.h"
#include "ZcDbObjectPointer.h"
#include "geometry/Arcs.h"
#include "geometry/Lines.h"
#include "geometry/Points.h"
#include "services/DatabaseServices.h"

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// An angle in [0, 2pi).
double Normalized(double a)
{
    a = std::fmod(a, kTwoPi);
    return a < 0.0 ? a + kTwoPi : a;
}

// The signed sweep from a to p about the arc's centre, in the arc's sense.
double SweepTo(ZcGePoint2d a, ZcGePoint2d p, ZcGePoint2d centre, double bulge)
{
    const double turn = Normalized(PointAngle(centre, p) - PointAngle(centre, a));
    return bulge > 0.0 ? turn : -Normalized(-turn);
}

ZcDbPolylineVertex VertexAt(ZcGePoint2d point, double bulge, const ZcDbPolylineVertex& widthsFrom)
{
    return {point, bulge, widthsFrom.startWidth, widthsFrom.endWidth};
}

// The segment of vertices[i] that holds p, or -1.
long SegmentHolding(const PolylineVertexList& vertices, bool closed, ZcGePoint2d p)
{
    const size_t n = vertices.size();
    const size_t segments = closed ? n : (n == 0 ? 0 : n - 1);
    for (size_t i = 0; i < segments; ++i)
        if (PointOnSegment(p, vertices[i].point, vertices[(i + 1) % n].point, vertices[i].bulge))
            return long(i);
    return -1;
}

// Replaces the polyline's vertices (open for write) without moving the
// ones that stay, so that a cut costs one pass over the vertices.
void SetVertices(ZcDbPolyline* polyline, const PolylineVertexList& vertices)
{
    const unsigned int keep = std::min<unsigned int>(polyline->numVerts(), unsigned(vertices.size()));
    TruncatePolyline(polyline, keep);
    for (unsigned int k = 0; k < vertices.size(); ++k) {
        const ZcDbPolylineVertex& v = vertices[k];
        if (k < keep) {
            polyline->setPointAt(k, v.point);
            polyline->setBulgeAt(k, v.bulge);
            polyline->setWidthsAt(k, v.startWidth, v.endWidth);
        } else {
            polyline->addVertexAt(k, v.point, v.bulge, v.startWidth, v.endWidth);
        }
    }
}

PolylineVertexList VerticesOf(const ZcDbPolyline* polyline)
{
    const ZcDbPolylineVertices& list = polyline->vertices();
    return PolylineVertexList(list.begin(), list.end());
}

ZcDbPolyline* PolylineFor(const ZcDbEntity* entity)
{
    auto* polyline = new ZcDbPolyline();
    if (const ZcDbLine* line = ZcDbLine::cast(entity)) {
        polyline->addVertexAt(0, MakePoint2d(line->startPoint()));
        polyline->addVertexAt(1, MakePoint2d(line->endPoint()));
    } else if (const ZcDbArc* arc = ZcDbArc::cast(entity)) {
        const ZcGePoint2d centre = MakePoint2d(arc->center());
        const ZcGePoint2d start = PolarPoint(centre, arc->radius(), arc->startAngle());
        const ZcGePoint2d end = PolarPoint(centre, arc->radius(), arc->endAngle());
        // The clockwise arc from end back to start is this arc reversed.
        polyline->addVertexAt(0, start, -ClockwiseBulge(end, start, centre));
        polyline->addVertexAt(1, end);
    } else if (const ZcDbCircle* circle = ZcDbCircle::cast(entity)) {
        const ZcGePoint2d c = MakePoint2d(circle->center());
        const double r = circle->radius();
        polyline->addVertexAt(0, ZcGePoint2d(c.x + r, c.y), 1.0);
        polyline->addVertexAt(1, ZcGePoint2d(c.x - r, c.y), 1.0);
        polyline->setClosed(true);
    } else {
        delete polyline;
        return nullptr;
    }
    return polyline;
}

}  // namespace

ZcDbObjectId ConvertToPolyline(ZcDbObjectId curveId)
{
    ZcDbObjectPointer<ZcDbEntity> source(curveId, ZcDb::kForWrite);
    if (!source)
        return ZcDbObjectId::kNull;
    if (ZcDbPolyline::cast(source.object()))
        return curveId;
    ZcDbPolyline* made = PolylineFor(source.object());
    if (!made)
        return ZcDbObjectId::kNull;
    CopyEntityProperties(source.object(), made);
    ZcDbObjectPointer<ZcDbPolyline> polyline;
    const bool appended = AppendToModelSpace(made);
    polyline.acquire(made);
    if (!appended)
        return ZcDbObjectId::kNull;
    source->erase();
    return polyline->objectId();
}

bool IsConvertibleEdge(const ZcDbEntity* entity)
{
    return ZcDbPolyline::cast(entity) || ZcDbLine::cast(entity) || ZcDbArc::cast(entity) || ZcDbCircle::cast(entity);
}

bool PointOnSegment(ZcGePoint2d p, ZcGePoint2d a, ZcGePoint2d b, double bulge)
{
    const double chord = a.distanceTo(b);
    if (bulge == 0.0)
        return chord > 0.0 && DistanceToLine(p, a, b) < kOnLineTolerance && p.distanceTo(a) < chord &&
               p.distanceTo(b) <= chord;
    const double r = ArcRadius(a, b, bulge);
    const ZcGePoint2d c = ArcCentre(a, b, bulge);
    if (std::fabs(c.distanceTo(p) - r) >= kOnArcTolerance)
        return false;
    // P's angle from a, turning the arc's way, within the arc's sweep; a
    // point just short of either end (by the tolerance along the arc)
    // still counts, as it does for a straight segment.
    const double sweep = std::fabs(4.0 * std::atan(bulge));
    const double slack = kOnArcTolerance / r;
    const double turn = std::fabs(SweepTo(a, p, c, bulge));
    return turn <= sweep + slack || turn >= kTwoPi - slack;
}

void TruncatePolyline(ZcDbPolyline* polyline, unsigned int n)
{
    // From the back: each removal is then a constant step.
    while (polyline->numVerts() > n)
        polyline->removeVertexAt(polyline->numVerts() - 1);
}

std::optional<std::pair<PolylineVertexList, PolylineVertexList>> CutVertices(const PolylineVertexList& vertices,
                                                                             bool closed, ZcGePoint2d p)
{
    const long found = SegmentHolding(vertices, closed, p);
    if (found < 0)
        return std::nullopt;
    const size_t n = vertices.size();
    const size_t i = size_t(found);
    const ZcDbPolylineVertex& a = vertices[i];
    const ZcGePoint2d b = vertices[(i + 1) % n].point;
    double first = 0.0, second = 0.0;
    if (a.bulge != 0.0) {
        const ZcGePoint2d c = ArcCentre(a.point, b, a.bulge);
        const double whole = 4.0 * std::atan(a.bulge);
        const double upTo = std::clamp(SweepTo(a.point, p, c, a.bulge), std::min(0.0, whole), std::max(0.0, whole));
        first = std::tan(upTo / 4.0);
        second = std::tan((whole - upTo) / 4.0);
    }
    // after: p, then the vertices after the segment; before: the vertices
    // up to the segment's start, then p. A cut at a vertex adds no segment
    // of no length.
    PolylineVertexList after, before;
    if (p.distanceTo(b) > kSameVertex)
        after.push_back(VertexAt(p, second, a));
    after.insert(after.end(), vertices.begin() + long(i) + 1, vertices.end());
    before.assign(vertices.begin(), vertices.begin() + long(i));
    if (p.distanceTo(a.point) > kSameVertex)
        before.push_back(VertexAt(a.point, first, a));
    before.push_back(VertexAt(p, 0.0, a));
    if (closed) {
        // Once round from p, through the closing vertex, back to p.
        after.insert(after.end(), before.begin(), before.end());
        return std::pair{after, PolylineVertexList{}};
    }
    if (after.size() < 2 || before.size() < 2)
        return std::nullopt;
    return std::pair{after, before};
}

ZcDbObjectIdArray SplitPolylineAt(ZcDbObjectId polylineId, ZcGePoint3d q)
{
    ZcDbObjectIdArray pieces;
    pieces.append(polylineId);
    ZcDbObjectPointer<ZcDbPolyline> polyline(polylineId, ZcDb::kForWrite);
    if (!polyline)
        return pieces;
    ZcGePoint3d nearest;
    if (polyline->getClosestPointTo(q, nearest) != Zcad::eOk)
        return pieces;
    ZcGePoint3d start, end;
    polyline->getStartPoint(start);
    polyline->getEndPoint(end);
    const bool closed = polyline->isClosed();
    if (!closed && (nearest.distanceTo(start) < kCurveEndTolerance || nearest.distanceTo(end) < kCurveEndTolerance))
        return pieces;
    const auto cut = CutVertices(VerticesOf(polyline.object()), closed, MakePoint2d(nearest));
    if (!cut)
        return pieces;
    if (closed) {
        polyline->setClosed(false);
        SetVertices(polyline.object(), cut->first);
        return pieces;
    }
    auto* copy = static_cast<ZcDbPolyline*>(polyline->clone());
    SetVertices(copy, cut->second);
    ZcDbObjectPointer<ZcDbPolyline> before;
    const bool appended = AppendToModelSpace(copy);
    before.acquire(copy);
    if (!appended)
        return pieces;
    SetVertices(polyline.object(), cut->first);
    pieces.append(before->objectId());
    return pieces;
}
