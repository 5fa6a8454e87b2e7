#include "ZcDbPolyline.h"

#include <algorithm>
#include <cmath>

#include "platform/db/entities/CurveMath.h"
#include "platform/db/entities/CurveOffset.h"
#include "platform/db/entities/CurvePieces.h"
#include "platform/db/entities/Finite.h"
#include "platform/db/entities/PlanarTransform.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcDbPolyline, ZcDbCurve)

namespace {
// Parameters this close beyond the ends (rounding of sums of segment
// counts) still name the end points.
constexpr double kParamSlack = 1e-9;

// Widths below 0 are kept as -1: "the polyline's constant width".
double storedWidth(double w) { return w < 0.0 ? -1.0 : w; }
}  // namespace

ZcDbPolyline::ZcDbPolyline(unsigned int numVerts) { m_vertices.reserve(numVerts); }

Zcad::ErrorStatus ZcDbPolyline::addVertexAt(unsigned int index, const ZcGePoint2d& pt, double bulge,
                                            double startWidth, double endWidth)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (index > m_vertices.size())
        return Zcad::eInvalidIndex;
    if (!isFinite(pt) || !isFinite(bulge) || !isFinite(startWidth) || !isFinite(endWidth))
        return Zcad::eInvalidInput;
    if (!m_vertices.insert(index, Vertex{pt, bulge, storedWidth(startWidth), storedWidth(endWidth)}))
        return Zcad::eOutOfMemory;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::removeVertexAt(unsigned int index)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (index >= m_vertices.size())
        return Zcad::eInvalidIndex;
    m_vertices.erase(index);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getPointAt(unsigned int index, ZcGePoint2d& pt) const
{
    if (index >= m_vertices.size())
        return Zcad::eInvalidIndex;
    pt = m_vertices.point(index);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getPointAt(unsigned int index, ZcGePoint3d& pt) const
{
    if (index >= m_vertices.size())
        return Zcad::eInvalidIndex;
    pt = {m_vertices.point(index).x, m_vertices.point(index).y, m_vertices.elevation()};
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::setPointAt(unsigned int index, const ZcGePoint2d& pt)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (index >= m_vertices.size())
        return Zcad::eInvalidIndex;
    if (!isFinite(pt))
        return Zcad::eInvalidInput;
    m_vertices.setPoint(index, pt);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getBulgeAt(unsigned int index, double& bulge) const
{
    if (index >= m_vertices.size())
        return Zcad::eInvalidIndex;
    bulge = m_vertices.bulge(index);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::setBulgeAt(unsigned int index, double bulge)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (index >= m_vertices.size())
        return Zcad::eInvalidIndex;
    if (!isFinite(bulge))
        return Zcad::eInvalidInput;
    m_vertices.setBulge(index, bulge);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const
{
    if (index >= m_vertices.size())
        return Zcad::eInvalidIndex;
    const Vertex v = m_vertices[index];
    startWidth = v.startWidth < 0.0 ? m_vertices.constantWidth() : v.startWidth;
    endWidth = v.endWidth < 0.0 ? m_vertices.constantWidth() : v.endWidth;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::setWidthsAt(unsigned int index, double startWidth, double endWidth)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (index >= m_vertices.size())
        return Zcad::eInvalidIndex;
    if (!isFinite(startWidth) || !isFinite(endWidth))
        return Zcad::eInvalidInput;
    m_vertices.setWidths(index, storedWidth(startWidth), storedWidth(endWidth));
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::setClosed(bool closed)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    m_closed = closed;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::setPlinegen(bool on)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    m_plinegen = on;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::setConstantWidth(double width)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(width) || width < 0.0)
        return Zcad::eInvalidInput;
    m_vertices.setConstantWidth(width);
    for (size_t i = 0; i < m_vertices.size(); ++i)
        m_vertices.setWidths(i, -1.0, -1.0);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getConstantWidth(double& width) const
{
    const size_t n = polylineSegmentCount(m_vertices, m_closed);
    double common = m_vertices.constantWidth();
    for (size_t i = 0; i < n; ++i) {
        double s = 0.0, e = 0.0;
        getWidthsAt(static_cast<unsigned int>(i), s, e);
        if (i == 0)
            common = s;
        if (s != common || e != common)
            return Zcad::eInvalidInput;
    }
    width = common;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::setElevation(double z)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(z))
        return Zcad::eInvalidInput;
    m_vertices.setElevation(z);
    return Zcad::eOk;
}

bool ZcDbPolyline::isOnlyLines() const
{
    const size_t n = polylineSegmentCount(m_vertices, m_closed);
    for (size_t i = 0; i < n; ++i)
        if (polylineSegment(m_vertices, i).arc)
            return false;
    return true;
}

// Vertex i is at parameter i; within a segment the parameter runs
// linearly with length (with angle on arcs).
Zcad::ErrorStatus ZcDbPolyline::getStartParam(double& param) const
{
    if (m_vertices.empty())
        return Zcad::eDegenerateGeometry;
    param = 0.0;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getEndParam(double& param) const
{
    if (m_vertices.empty())
        return Zcad::eDegenerateGeometry;
    param = static_cast<double>(polylineSegmentCount(m_vertices, m_closed));
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getPointAtParam(double param, ZcGePoint3d& point) const
{
    if (m_vertices.empty())
        return Zcad::eDegenerateGeometry;
    const size_t n = polylineSegmentCount(m_vertices, m_closed);
    if (!isFinite(param) || param < -kParamSlack || param > static_cast<double>(n) + kParamSlack)
        return Zcad::eInvalidInput;
    if (n == 0) {
        point = {m_vertices.point(0).x, m_vertices.point(0).y, m_vertices.elevation()};
        return Zcad::eOk;
    }
    param = std::clamp(param, 0.0, static_cast<double>(n));
    const size_t i = std::min(static_cast<size_t>(param), n - 1);
    const ZcGePoint2d p = curve::pointAt(polylineSegment(m_vertices, i), param - static_cast<double>(i));
    point = {p.x, p.y, m_vertices.elevation()};
    return Zcad::eOk;
}

// Points are taken in plan.
Zcad::ErrorStatus ZcDbPolyline::getParamAtPoint(const ZcGePoint3d& point, double& param) const
{
    if (m_vertices.empty())
        return Zcad::eDegenerateGeometry;
    if (!isFinite(point))
        return Zcad::eInvalidInput;
    const ZcGePoint2d p = point.convert2d();
    const size_t n = polylineSegmentCount(m_vertices, m_closed);
    if (n == 0) {
        if (p.distanceTo(m_vertices.point(0)) > curve::kOnCurveTol)
            return Zcad::eInvalidInput;
        param = 0.0;
        return Zcad::eOk;
    }
    for (size_t i = 0; i < n; ++i) {
        if (const std::optional<double> t = curve::paramOnPiece(polylineSegment(m_vertices, i), p, false)) {
            param = static_cast<double>(i) + *t;
            return Zcad::eOk;
        }
    }
    return Zcad::eInvalidInput;
}

Zcad::ErrorStatus ZcDbPolyline::getDistAtParam(double param, double& dist) const
{
    if (m_vertices.empty())
        return Zcad::eDegenerateGeometry;
    const size_t n = polylineSegmentCount(m_vertices, m_closed);
    if (!isFinite(param) || param < -kParamSlack || param > static_cast<double>(n) + kParamSlack)
        return Zcad::eInvalidInput;
    param = std::clamp(param, 0.0, static_cast<double>(n));
    dist = 0.0;
    for (size_t i = 0; i < n && static_cast<double>(i) < param; ++i) {
        const double part = std::min(1.0, param - static_cast<double>(i));
        dist += part * curve::length(polylineSegment(m_vertices, i));
    }
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getClosestPointTo(const ZcGePoint3d& given, ZcGePoint3d& closest, bool) const
{
    if (m_vertices.empty())
        return Zcad::eDegenerateGeometry;
    if (!isFinite(given))
        return Zcad::eInvalidInput;
    const ZcGePoint2d q = given.convert2d();
    ZcGePoint2d best = m_vertices.point(0);
    double bestDist = q.distanceTo(best);
    for (const curve::Piece& piece : polylinePieces(*this)) {
        const ZcGePoint2d p = curve::closestPoint(piece, q, false).point;
        if (const double d = q.distanceTo(p); d < bestDist) {
            best = p;
            bestDist = d;
        }
    }
    closest = {best.x, best.y, m_vertices.elevation()};
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getOffsetCurves(double distance, ZcDbVoidPtrArray& offsetCurves) const
{
    if (!isFinite(distance))
        return Zcad::eInvalidInput;

    // Segments of no length have no side to move to.
    std::vector<curve::Piece> pieces;
    std::vector<size_t> vertexOf;
    const size_t n = polylineSegmentCount(m_vertices, m_closed);
    for (size_t i = 0; i < n; ++i) {
        const curve::Piece piece = polylineSegment(m_vertices, i);
        if (curve::length(piece) <= curve::kOnCurveTol)
            continue;
        pieces.push_back(piece);
        vertexOf.push_back(i);
    }

    // One polyline per chain that is left, the longest first; a moved
    // segment keeps its widths, a join at a corner takes the constant one.
    std::vector<ZcDbPolyline*> made;
    for (const curve::OffsetChain& chain : curve::offsetChain(pieces, m_closed, distance)) {
        std::vector<Vertex> vertices;
        for (const curve::OffsetPiece& p : chain.pieces) {
            const Vertex source = p.source >= 0 ? m_vertices[vertexOf[static_cast<size_t>(p.source)]] : Vertex{};
            vertices.push_back({p.piece.start, curve::bulgeOf(p.piece), p.source >= 0 ? source.startWidth : -1.0,
                                p.source >= 0 ? source.endWidth : -1.0});
        }
        if (!chain.closed)
            vertices.push_back({chain.pieces.back().piece.end, 0.0, -1.0, -1.0});
        if (!std::all_of(vertices.begin(), vertices.end(),
                         [](const Vertex& v) { return isFinite(v.point) && isFinite(v.bulge); }))
            continue;
        auto* copy = static_cast<ZcDbPolyline*>(clone());
        copy->m_closed = chain.closed;
        if (!copy->m_vertices.assign(vertices)) {
            delete copy;
            for (ZcDbPolyline* p : made)
                delete p;
            return Zcad::eOutOfMemory;
        }
        made.push_back(copy);
    }
    if (made.empty())
        return Zcad::eDegenerateGeometry;  // nothing is left at that distance
    for (ZcDbPolyline* p : made)
        offsetCurves.append(p);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getGeomExtents(ZcDbExtents& extents) const
{
    // The centre line's extents; widths are not included.
    if (m_vertices.empty())
        return Zcad::eInvalidExtents;
    extents = ZcDbExtents();
    extents.addPoint({m_vertices.point(0).x, m_vertices.point(0).y, m_vertices.elevation()});
    const size_t n = polylineSegmentCount(m_vertices, isClosed());
    for (size_t i = 0; i < n; ++i)
        curve::addSegmentToExtents(extents, m_vertices.point(i), m_vertices.point((i + 1) % m_vertices.size()),
                                   m_vertices.bulge(i), m_vertices.elevation());
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::transformBy(const ZcGeMatrix3d& xform)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(xform))
        return Zcad::eInvalidInput;
    const PlanarTransform t = analysePlanar(xform);
    if (!t.keepsPlane || !t.conformal)
        return Zcad::eNotApplicable;  // arcs and widths would not stay arcs and widths
    std::vector<Vertex> vertices(m_vertices.begin(), m_vertices.end());
    const double z = m_vertices.elevation();
    for (Vertex& v : vertices) {
        const ZcGePoint3d p = xform * ZcGePoint3d(v.point.x, v.point.y, z);
        v.point = p.convert2d();
        if (t.mirrored)
            v.bulge = -v.bulge;
        if (v.startWidth > 0.0)
            v.startWidth *= t.scale;
        if (v.endWidth > 0.0)
            v.endWidth *= t.scale;
        if (!isFinite(v.point) || !isFinite(v.startWidth) || !isFinite(v.endWidth))
            return Zcad::eInvalidInput;
    }
    const double elevation = (xform * ZcGePoint3d(0.0, 0.0, z)).z;
    const double constantWidth = m_vertices.constantWidth() * t.scale;
    if (!isFinite(elevation) || !isFinite(constantWidth))
        return Zcad::eInvalidInput;
    ZcDbPolylineVertices moved;
    if (!moved.assign(vertices))
        return Zcad::eOutOfMemory;
    moved.setElevation(elevation);
    moved.setConstantWidth(constantWidth);
    m_vertices = std::move(moved);
    return Zcad::eOk;
}

ZcDbObject* ZcDbPolyline::clone() const
{
    auto* copy = new ZcDbPolyline();
    copy->m_vertices = m_vertices;
    copy->m_closed = m_closed;
    copy->m_plinegen = m_plinegen;
    copyEntityDataTo(copy);
    return copy;
}
