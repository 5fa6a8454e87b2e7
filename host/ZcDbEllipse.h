#pragma once

#include "ZcDbCurve.h"
#include "ZrxExport.h"

// An ellipse, or part of one, in a plane parallel to XY. The parameter t
// gives the point center + majorAxis cos t + minorAxis sin t, the minor axis
// being the major one turned a quarter counter-clockwise and scaled by the
// radius ratio; the ellipse runs counter-clockwise from the start parameter
// to the end parameter (0 and 2pi for a full one).
class ZRX_EXPORT ZcDbEllipse : public ZcDbCurve {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbEllipse)

    ZcDbEllipse() = default;
    // Invalid values keep the defaults (a unit circle).
    ZcDbEllipse(const ZcGePoint3d& center, const ZcGeVector3d& unitNormal, const ZcGeVector3d& majorAxis,
                double radiusRatio, double startParam = 0.0, double endParam = 6.28318530717958647692);

    ZcGePoint3d center() const { return m_center; }
    ZcGeVector3d normal() const { return ZcGeVector3d::kZAxis; }
    ZcGeVector3d majorAxis() const { return m_majorAxis; }
    ZcGeVector3d minorAxis() const;
    double radiusRatio() const { return m_radiusRatio; }

    // The major axis must lie in the XY plane and not be zero; the ratio is
    // in (0, 1]; the normal must be the Z axis.
    Zcad::ErrorStatus set(const ZcGePoint3d& center, const ZcGeVector3d& unitNormal, const ZcGeVector3d& majorAxis,
                          double radiusRatio, double startParam = 0.0, double endParam = 6.28318530717958647692);
    Zcad::ErrorStatus setCenter(const ZcGePoint3d& p);
    // Parameters are kept in [0, 2pi]; equal ones make the whole ellipse.
    // The end may be below the start: the curve then runs past 2pi.
    double startParam() const { return m_startParam; }
    double endParam() const { return m_endParam; }
    Zcad::ErrorStatus setStartParam(double param);
    Zcad::ErrorStatus setEndParam(double param);

    bool isClosed() const override;
    Zcad::ErrorStatus getStartParam(double& param) const override;
    Zcad::ErrorStatus getEndParam(double& param) const override;
    Zcad::ErrorStatus getPointAtParam(double param, ZcGePoint3d& point) const override;
    Zcad::ErrorStatus getParamAtPoint(const ZcGePoint3d& point, double& param) const override;
    Zcad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Zcad::ErrorStatus getClosestPointTo(const ZcGePoint3d& given, ZcGePoint3d& closest,
                                        bool extend = false) const override;
    // Offsets of an ellipse are no ellipses: eNotApplicable.
    Zcad::ErrorStatus getOffsetCurves(double distance, ZcDbVoidPtrArray& offsetCurves) const override;
    Zcad::ErrorStatus getGeomExtents(ZcDbExtents& extents) const override;
    Zcad::ErrorStatus transformBy(const ZcGeMatrix3d& xform) override;
    ZcDbObject* clone() const override;

private:
    ZcGePoint3d m_center;
    ZcGeVector3d m_majorAxis{1.0, 0.0, 0.0};
    double m_radiusRatio = 1.0;
    double m_startParam = 0.0;
    double m_endParam = 6.28318530717958647692;
};
