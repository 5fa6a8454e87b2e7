#include "ZcDbPoint.h"

#include "platform/db/entities/Finite.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcDbPoint, ZcDbEntity)

// A constructor cannot refuse: a non-finite position stays at the origin.
ZcDbPoint::ZcDbPoint(const ZcGePoint3d& position)
{
    if (isFinite(position))
        m_position = position;
}

Zcad::ErrorStatus ZcDbPoint::setPosition(const ZcGePoint3d& p)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(p))
        return Zcad::eInvalidInput;
    m_position = p;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPoint::getGeomExtents(ZcDbExtents& extents) const
{
    extents = ZcDbExtents(m_position, m_position);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPoint::transformBy(const ZcGeMatrix3d& xform)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(xform))
        return Zcad::eInvalidInput;
    const ZcGePoint3d p = xform * m_position;
    if (!isFinite(p))
        return Zcad::eInvalidInput;
    m_position = p;
    return Zcad::eOk;
}

ZcDbObject* ZcDbPoint::clone() const
{
    auto* copy = new ZcDbPoint(m_position);
    copyEntityDataTo(copy);
    return copy;
}
