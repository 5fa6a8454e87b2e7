#pragma once

#include "ZcDbEntity.h"
#include "ZrxExport.h"

// A single point of the drawing (a survey mark, a node of a base map).
class ZRX_EXPORT ZcDbPoint : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbPoint)

    ZcDbPoint() = default;
    explicit ZcDbPoint(const ZcGePoint3d& position);

    ZcGePoint3d position() const { return m_position; }
    Zcad::ErrorStatus setPosition(const ZcGePoint3d& p);

    Zcad::ErrorStatus getGeomExtents(ZcDbExtents& extents) const override;
    Zcad::ErrorStatus transformBy(const ZcGeMatrix3d& xform) override;
    ZcDbObject* clone() const override;

private:
    ZcGePoint3d m_position;
};
