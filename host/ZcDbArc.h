#pragma once

#include "ZcDbCurve.h"
#include "ZrxExport.h"

// A counter-clockwise arc from startAngle to endAngle (radians from +X).
class ZRX_EXPORT ZcDbArc : public ZcDbCurve {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbArc)

    ZcDbArc() = default;
    ZcDbArc(const ZcGePoint3d& centre, double radius, double startAngle, double endAngle);

    ZcGePoint3d center() const { return m_center; }
    Zcad::ErrorStatus setCenter(const ZcGePoint3d& p);
    double radius() const { return m_radius; }
    Zcad::ErrorStatus setRadius(double r);
    double startAngle() const { return m_startAngle; }
    double endAngle() const { return m_endAngle; }
    // Angles are kept in [0, 2pi).
    Zcad::ErrorStatus setStartAngle(double a);
    Zcad::ErrorStatus setEndAngle(double a);
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
    ZcGePoint3d m_center;
    double m_radius = 1.0;
    double m_startAngle = 0.0;
    double m_endAngle = 0.0;
};
