#pragma once

#include <vector>

#include "ZcDbCurve.h"
#include "ZrxExport.h"

// A B-spline or NURBS curve given by its control points, knots and (when
// rational) weights. The fit data a drawing program made it from is kept
// with it, but the curve is always the one its control points give.
class ZRX_EXPORT ZcDbSpline : public ZcDbCurve {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbSpline)

    ZcDbSpline() = default;

    int degree() const { return m_degree; }
    bool isRational() const { return !m_weights.empty(); }
    bool isPeriodic() const { return m_periodic; }
    bool isPlanar() const { return m_planar; }
    int numControlPoints() const { return int(m_controlPoints.size()); }
    Zcad::ErrorStatus getControlPointAt(int index, ZcGePoint3d& point) const;
    // 1 for every control point of a spline that is not rational.
    double weightAt(int index) const;
    int numFitPoints() const { return int(m_fitPoints.size()); }
    Zcad::ErrorStatus getFitPointAt(int index, ZcGePoint3d& point) const;
    ZcGeVector3d normal() const { return m_normal; }

    Zcad::ErrorStatus getNurbsData(int& degree, bool& rational, bool& closed, bool& periodic,
                                   ZcGePoint3dArray& controlPoints, ZcGeDoubleArray& knots, ZcGeDoubleArray& weights,
                                   double& controlPtTol, double& knotTol) const;
    // Degree 1 to 25 (as other programs hold), at least degree + 1 control
    // points, as many knots as control points plus degree plus one, never
    // decreasing and spanning a length; weights empty or one per control
    // point and positive. Anything else: eInvalidInput, nothing changed.
    Zcad::ErrorStatus setNurbsData(int degree, bool rational, bool closed, bool periodic,
                                   const ZcGePoint3dArray& controlPoints, const ZcGeDoubleArray& knots,
                                   const ZcGeDoubleArray& weights, double controlPtTol = 0.0, double knotTol = 0.0);
    // The points and tangents the spline was fitted through (kept, not used
    // for its shape).
    Zcad::ErrorStatus getFitData(ZcGePoint3dArray& fitPoints, double& fitTolerance, bool& tangentsExist,
                                 ZcGeVector3d& startTangent, ZcGeVector3d& endTangent) const;
    Zcad::ErrorStatus setFitData(const ZcGePoint3dArray& fitPoints, double fitTolerance, bool tangentsExist,
                                 const ZcGeVector3d& startTangent, const ZcGeVector3d& endTangent);
    // The plane a planar spline lies in (kept as given; the control points are world points).
    Zcad::ErrorStatus setPlanar(bool planar, const ZcGeVector3d& normal);

    bool isClosed() const override { return m_closed; }
    Zcad::ErrorStatus getStartParam(double& param) const override;
    Zcad::ErrorStatus getEndParam(double& param) const override;
    Zcad::ErrorStatus getPointAtParam(double param, ZcGePoint3d& point) const override;
    Zcad::ErrorStatus getParamAtPoint(const ZcGePoint3d& point, double& param) const override;
    Zcad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Zcad::ErrorStatus getClosestPointTo(const ZcGePoint3d& given, ZcGePoint3d& closest,
                                        bool extend = false) const override;
    // Offsets of a spline are no splines of the same kind: eNotApplicable.
    Zcad::ErrorStatus getOffsetCurves(double distance, ZcDbVoidPtrArray& offsetCurves) const override;
    // The box of the control points, which holds the curve.
    Zcad::ErrorStatus getGeomExtents(ZcDbExtents& extents) const override;
    Zcad::ErrorStatus transformBy(const ZcGeMatrix3d& xform) override;
    ZcDbObject* clone() const override;

private:
    int m_degree = 1;
    bool m_closed = false, m_periodic = false, m_planar = false;
    ZcGeVector3d m_normal = ZcGeVector3d::kZAxis;
    std::vector<ZcGePoint3d> m_controlPoints;
    std::vector<double> m_knots;
    std::vector<double> m_weights;
    double m_controlPtTol = 0.0, m_knotTol = 0.0;
    std::vector<ZcGePoint3d> m_fitPoints;
    double m_fitTolerance = 0.0;
    bool m_tangentsExist = false;
    ZcGeVector3d m_startTangent, m_endTangent;
};
