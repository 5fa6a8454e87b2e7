#pragma once

#include "ZcDbCurve.h"
#include "ZrxExport.h"

class ZRX_EXPORT ZcDbCircle : public ZcDbCurve {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbCircle)

    ZcDbCircle() = default;
    ZcDbCircle(const ZcGePoint3d& centre, const ZcGeVector3d& normal, double radius);

    ZcGePoint3d center() const { return m_center; }
    Zcad::ErrorStatus setCenter(const ZcGePoint3d& p);
    double radius() const { return m_radius; }
    // A radius must be positive and finite.
    Zcad::ErrorStatus setRadius(double r);
    ZcGeVector3d normal() const { return ZcGeVector3d::kZAxis; }

    bool isClosed() const override { return true; }
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
    ZcGePoint3d m_center;
    double m_radius = 1.0;
};
