#include "ZcDbLine.h"

#include <algorithm>
#include <cmath>

#include "platform/db/entities/CurveMath.h"
#include "platform/db/entities/Finite.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcDbLine, ZcDbCurve)

// A constructor cannot refuse: a non-finite end is left at the origin.
ZcDbLine::ZcDbLine(const ZcGePoint3d& start, const ZcGePoint3d& end)
{
    if (isFinite(start))
        m_start = start;
    if (isFinite(end))
        m_end = end;
}

Zcad::ErrorStatus ZcDbLine::setStartPoint(const ZcGePoint3d& p)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(p))
        return Zcad::eInvalidInput;
    m_start = p;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLine::setEndPoint(const ZcGePoint3d& p)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(p))
        return Zcad::eInvalidInput;
    m_end = p;
    return Zcad::eOk;
}

// The parameter is the distance from the start.
Zcad::ErrorStatus ZcDbLine::getStartParam(double& param) const
{
    param = 0.0;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLine::getEndParam(double& param) const
{
    param = m_start.distanceTo(m_end);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLine::getPointAtParam(double param, ZcGePoint3d& point) const
{
    const double len = m_start.distanceTo(m_end);
    if (!isFinite(param) || param < -curve::kOnCurveTol || param > len + curve::kOnCurveTol)
        return Zcad::eInvalidInput;
    param = std::clamp(param, 0.0, len);
    point = len == 0.0 ? m_start : m_start + (m_end - m_start) * (param / len);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLine::getParamAtPoint(const ZcGePoint3d& point, double& param) const
{
    if (!isFinite(point))
        return Zcad::eInvalidInput;
    ZcGePoint3d closest;
    getClosestPointTo(point, closest, false);
    if (closest.distanceTo(point) > curve::kOnCurveTol)
        return Zcad::eInvalidInput;
    param = m_start.distanceTo(closest);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLine::getDistAtParam(double param, double& dist) const
{
    const double len = m_start.distanceTo(m_end);
    if (!isFinite(param) || param < -curve::kOnCurveTol || param > len + curve::kOnCurveTol)
        return Zcad::eInvalidInput;
    dist = std::clamp(param, 0.0, len);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLine::getClosestPointTo(const ZcGePoint3d& given, ZcGePoint3d& closest, bool extend) const
{
    if (!isFinite(given))
        return Zcad::eInvalidInput;
    const ZcGeVector3d u = m_end - m_start;
    const double len2 = u.dotProduct(u);
    if (len2 == 0.0) {
        closest = m_start;
        return Zcad::eOk;
    }
    double t = (given - m_start).dotProduct(u) / len2;
    if (!extend)
        t = std::clamp(t, 0.0, 1.0);
    closest = m_start + u * t;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLine::getOffsetCurves(double distance, ZcDbVoidPtrArray& offsetCurves) const
{
    if (!isFinite(distance))
        return Zcad::eInvalidInput;
    const ZcGeVector3d u = m_end - m_start;
    const double planLength = std::hypot(u.x, u.y);
    if (planLength == 0.0)
        return Zcad::eDegenerateGeometry;
    const ZcGeVector3d right = ZcGeVector3d(u.y, -u.x, 0.0) * (distance / planLength);
    ZcDbLine* copy = static_cast<ZcDbLine*>(clone());
    copy->m_start = m_start + right;
    copy->m_end = m_end + right;
    offsetCurves.append(copy);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLine::getGeomExtents(ZcDbExtents& extents) const
{
    extents = ZcDbExtents(m_start, m_end);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLine::transformBy(const ZcGeMatrix3d& xform)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(xform))
        return Zcad::eInvalidInput;
    const ZcGePoint3d s = xform * m_start, e = xform * m_end;
    if (!isFinite(s) || !isFinite(e))
        return Zcad::eInvalidInput;
    m_start = s;
    m_end = e;
    return Zcad::eOk;
}

ZcDbObject* ZcDbLine::clone() const
{
    auto* copy = new ZcDbLine(m_start, m_end);
    copyEntityDataTo(copy);
    return copy;
}
