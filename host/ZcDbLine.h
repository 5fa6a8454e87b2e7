#pragma once

#include "ZcDbCurve.h"
#include "ZrxExport.h"

class ZRX_EXPORT ZcDbLine : public ZcDbCurve {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbLine)

    ZcDbLine() = default;
    ZcDbLine(const ZcGePoint3d& start, const ZcGePoint3d& end);

    ZcGePoint3d startPoint() const { return m_start; }
    ZcGePoint3d endPoint() const { return m_end; }
    Zcad::ErrorStatus setStartPoint(const ZcGePoint3d& p);
    Zcad::ErrorStatus setEndPoint(const ZcGePoint3d& p);
    ZcGeVector3d normal() const { return ZcGeVector3d::kZAxis; }

    Zcad::ErrorStatus getStartParam(double& param) const override;
    Zcad::ErrorStatus getEndParam(double& param) const override;
    Zcad::ErrorStatus getPointAtParam(double param, ZcGePoint3d& point) const override;
    Zcad::ErrorStatus getParamAtPoint(const ZcGePoint3d& point, double& param) const override;
    Zcad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Zcad::ErrorStatus getClosestPointTo(const ZcGePoint3d& given, ZcGePoint3d& closest,
                                        bool extend = false) const override;
    Zcad::ErrorStatus getOffsetCurves(double distance, ZcDbVoidPtrArray& offsetCurves) const override;
    Zcad::ErrorStatus getGeomExtents(ZcDbExtents& extents) const override;
    Zcad::ErrorStatus transformBy(const ZcGeMatrix3d& xform) override;
    ZcDbObject* clone() const override;

private:
    ZcGePoint3d m_start;
    ZcGePoint3d m_end;
};
