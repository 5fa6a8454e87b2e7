#include "ZcDbCircle.h"

#include <algorithm>
#include <cmath>

#include "platform/db/entities/CurveMath.h"
#include "platform/db/entities/Finite.h"
#include "platform/db/entities/PlanarTransform.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcDbCircle, ZcDbCurve)

// A constructor cannot refuse: a non-finite centre stays at the origin and
// an invalid radius at 1. The normal is always Z.
ZcDbCircle::ZcDbCircle(const ZcGePoint3d& centre, const ZcGeVector3d&, double radius)
{
    if (isFinite(centre))
        m_center = centre;
    if (isFinite(radius) && radius > 0.0)
        m_radius = radius;
}

Zcad::ErrorStatus ZcDbCircle::setCenter(const ZcGePoint3d& p)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(p))
        return Zcad::eInvalidInput;
    m_center = p;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCircle::setRadius(double r)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(r) || r <= 0.0)
        return Zcad::eInvalidInput;
    m_radius = r;
    return Zcad::eOk;
}

// The parameter is the angle from +X, 0 to 2pi.
Zcad::ErrorStatus ZcDbCircle::getStartParam(double& param) const
{
    param = 0.0;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCircle::getEndParam(double& param) const
{
    param = curve::kTwoPi;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCircle::getPointAtParam(double param, ZcGePoint3d& point) const
{
    const double slack = curve::kOnCurveTol / m_radius;
    if (!isFinite(param) || param < -slack || param > curve::kTwoPi + slack)
        return Zcad::eInvalidInput;
    point = {m_center.x + m_radius * std::cos(param), m_center.y + m_radius * std::sin(param), m_center.z};
    return Zcad::eOk;
}

// Points are taken in plan.
Zcad::ErrorStatus ZcDbCircle::getParamAtPoint(const ZcGePoint3d& point, double& param) const
{
    if (!isFinite(point))
        return Zcad::eInvalidInput;
    const double dx = point.x - m_center.x, dy = point.y - m_center.y;
    if (std::fabs(std::hypot(dx, dy) - m_radius) > curve::kOnCurveTol)
        return Zcad::eInvalidInput;
    param = curve::normalizeAngle(std::atan2(dy, dx));
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCircle::getDistAtParam(double param, double& dist) const
{
    const double slack = curve::kOnCurveTol / m_radius;
    if (!isFinite(param) || param < -slack || param > curve::kTwoPi + slack)
        return Zcad::eInvalidInput;
    dist = m_radius * std::clamp(param, 0.0, curve::kTwoPi);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCircle::getClosestPointTo(const ZcGePoint3d& given, ZcGePoint3d& closest, bool) const
{
    if (!isFinite(given))
        return Zcad::eInvalidInput;
    const curve::Piece circle = curve::arcPiece(m_center.convert2d(), m_radius, 0.0, curve::kTwoPi);
    const ZcGePoint2d p = curve::closestPoint(circle, given.convert2d(), false).point;
    closest = {p.x, p.y, m_center.z};
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCircle::getOffsetCurves(double distance, ZcDbVoidPtrArray& offsetCurves) const
{
    if (!isFinite(distance))
        return Zcad::eInvalidInput;
    if (m_radius + distance <= curve::kOnCurveTol)
        return Zcad::eDegenerateGeometry;
    ZcDbCircle* copy = static_cast<ZcDbCircle*>(clone());
    copy->m_radius = m_radius + distance;
    offsetCurves.append(copy);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCircle::getGeomExtents(ZcDbExtents& extents) const
{
    extents = ZcDbExtents({m_center.x - m_radius, m_center.y - m_radius, m_center.z},
                          {m_center.x + m_radius, m_center.y + m_radius, m_center.z});
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCircle::transformBy(const ZcGeMatrix3d& xform)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(xform))
        return Zcad::eInvalidInput;
    const PlanarTransform t = analysePlanar(xform);
    if (!t.keepsPlane || !t.conformal)
        return Zcad::eNotApplicable;  // the image would be an ellipse
    const ZcGePoint3d c = xform * m_center;
    const double r = m_radius * t.scale;
    if (!isFinite(c) || !isFinite(r) || r <= 0.0)
        return Zcad::eInvalidInput;
    m_center = c;
    m_radius = r;
    return Zcad::eOk;
}

ZcDbObject* ZcDbCircle::clone() const
{
    auto* copy = new ZcDbCircle(m_center, ZcGeVector3d::kZAxis, m_radius);
    copyEntityDataTo(copy);
    return copy;
}
