#include "ZcDbArc.h"

#include <algorithm>
#include <cmath>

#include "platform/db/entities/CurveMath.h"
#include "platform/db/entities/Finite.h"
#include "platform/db/entities/PlanarTransform.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcDbArc, ZcDbCurve)

namespace {
// The counter-clockwise turn from start to end; equal angles make a full turn.
double sweepOf(double startAngle, double endAngle)
{
    const double s = curve::normalizeAngle(endAngle - startAngle);
    return s > 0.0 ? s : curve::kTwoPi;
}
}  // namespace

// A constructor cannot refuse: non-finite values keep their defaults.
ZcDbArc::ZcDbArc(const ZcGePoint3d& centre, double radius, double startAngle, double endAngle)
{
    if (isFinite(centre))
        m_center = centre;
    if (isFinite(radius) && radius > 0.0)
        m_radius = radius;
    m_startAngle = curve::normalizeAngle(startAngle);
    m_endAngle = curve::normalizeAngle(endAngle);
}

Zcad::ErrorStatus ZcDbArc::setCenter(const ZcGePoint3d& p)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(p))
        return Zcad::eInvalidInput;
    m_center = p;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbArc::setRadius(double r)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(r) || r <= 0.0)
        return Zcad::eInvalidInput;
    m_radius = r;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbArc::setStartAngle(double a)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(a))
        return Zcad::eInvalidInput;
    m_startAngle = curve::normalizeAngle(a);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbArc::setEndAngle(double a)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(a))
        return Zcad::eInvalidInput;
    m_endAngle = curve::normalizeAngle(a);
    return Zcad::eOk;
}

// The parameter is the angle, from startAngle up to startAngle + sweep.
Zcad::ErrorStatus ZcDbArc::getStartParam(double& param) const
{
    param = m_startAngle;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbArc::getEndParam(double& param) const
{
    param = m_startAngle + sweepOf(m_startAngle, m_endAngle);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbArc::getPointAtParam(double param, ZcGePoint3d& point) const
{
    const double slack = curve::kOnCurveTol / m_radius;
    const double sweep = sweepOf(m_startAngle, m_endAngle);
    if (!isFinite(param) || param < m_startAngle - slack || param > m_startAngle + sweep + slack)
        return Zcad::eInvalidInput;
    point = {m_center.x + m_radius * std::cos(param), m_center.y + m_radius * std::sin(param), m_center.z};
    return Zcad::eOk;
}

// Points are taken in plan.
Zcad::ErrorStatus ZcDbArc::getParamAtPoint(const ZcGePoint3d& point, double& param) const
{
    if (!isFinite(point))
        return Zcad::eInvalidInput;
    const curve::Piece arc =
        curve::arcPiece(m_center.convert2d(), m_radius, m_startAngle, sweepOf(m_startAngle, m_endAngle));
    const std::optional<double> t = curve::paramOnPiece(arc, point.convert2d(), false);
    if (!t)
        return Zcad::eInvalidInput;
    param = m_startAngle + *t * arc.sweep;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbArc::getDistAtParam(double param, double& dist) const
{
    const double slack = curve::kOnCurveTol / m_radius;
    const double sweep = sweepOf(m_startAngle, m_endAngle);
    if (!isFinite(param) || param < m_startAngle - slack || param > m_startAngle + sweep + slack)
        return Zcad::eInvalidInput;
    dist = m_radius * std::clamp(param - m_startAngle, 0.0, sweep);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbArc::getClosestPointTo(const ZcGePoint3d& given, ZcGePoint3d& closest, bool) const
{
    if (!isFinite(given))
        return Zcad::eInvalidInput;
    const curve::Piece arc =
        curve::arcPiece(m_center.convert2d(), m_radius, m_startAngle, sweepOf(m_startAngle, m_endAngle));
    const ZcGePoint2d p = curve::closestPoint(arc, given.convert2d(), false).point;
    closest = {p.x, p.y, m_center.z};
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbArc::getOffsetCurves(double distance, ZcDbVoidPtrArray& offsetCurves) const
{
    if (!isFinite(distance))
        return Zcad::eInvalidInput;
    // Counter-clockwise: the right of the direction of travel is outside.
    if (m_radius + distance <= curve::kOnCurveTol)
        return Zcad::eDegenerateGeometry;
    ZcDbArc* copy = static_cast<ZcDbArc*>(clone());
    copy->m_radius = m_radius + distance;
    offsetCurves.append(copy);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbArc::getGeomExtents(ZcDbExtents& extents) const
{
    extents = ZcDbExtents();
    curve::addToExtents(extents,
                        curve::arcPiece(m_center.convert2d(), m_radius, m_startAngle, sweepOf(m_startAngle, m_endAngle)),
                        m_center.z);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbArc::transformBy(const ZcGeMatrix3d& xform)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(xform))
        return Zcad::eInvalidInput;
    const PlanarTransform t = analysePlanar(xform);
    if (!t.keepsPlane || !t.conformal)
        return Zcad::eNotApplicable;  // the image would be part of an ellipse
    const ZcGePoint3d c = xform * m_center;
    const double r = m_radius * t.scale;
    if (!isFinite(c) || !isFinite(r) || r <= 0.0)
        return Zcad::eInvalidInput;
    auto imageAngle = [&](double a) {
        const ZcGeVector3d d = xform * ZcGeVector3d(std::cos(a), std::sin(a), 0.0);
        return curve::normalizeAngle(std::atan2(d.y, d.x));
    };
    double start = imageAngle(m_startAngle), end = imageAngle(m_endAngle);
    // A mirror image runs clockwise: counter-clockwise it runs from the image of the end.
    if (t.mirrored)
        std::swap(start, end);
    m_center = c;
    m_radius = r;
    m_startAngle = start;
    m_endAngle = end;
    return Zcad::eOk;
}

ZcDbObject* ZcDbArc::clone() const
{
    auto* copy = new ZcDbArc(m_center, m_radius, m_startAngle, m_endAngle);
    copyEntityDataTo(copy);
    return copy;
}
