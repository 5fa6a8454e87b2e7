#include "ZcDbSpline.h"

#include <algorithm>
#include <cmath>

#include "platform/db/entities/CurveMath.h"
#include "platform/db/entities/Finite.h"
#include "platform/db/entities/Nurbs.h"
#include "platform/db/entities/SplineGeometry.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcDbSpline, ZcDbCurve)

namespace {

template <class T>
std::vector<T> toVector(const ZcArray<T>& a)
{
    std::vector<T> v;
    v.reserve(size_t(a.length()));
    for (int i = 0; i < a.length(); ++i)
        v.push_back(a[i]);
    return v;
}

template <class T>
ZcArray<T> toArray(const std::vector<T>& v)
{
    ZcArray<T> a(int(v.size()));
    for (const T& x : v)
        a.append(x);
    return a;
}

}  // namespace

Zcad::ErrorStatus ZcDbSpline::getControlPointAt(int index, ZcGePoint3d& point) const
{
    if (index < 0 || index >= numControlPoints())
        return Zcad::eInvalidIndex;
    point = m_controlPoints[size_t(index)];
    return Zcad::eOk;
}

double ZcDbSpline::weightAt(int index) const
{
    if (index < 0 || size_t(index) >= m_weights.size())
        return 1.0;
    return m_weights[size_t(index)];
}

Zcad::ErrorStatus ZcDbSpline::getFitPointAt(int index, ZcGePoint3d& point) const
{
    if (index < 0 || index >= numFitPoints())
        return Zcad::eInvalidIndex;
    point = m_fitPoints[size_t(index)];
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpline::getNurbsData(int& degree, bool& rational, bool& closed, bool& periodic,
                                           ZcGePoint3dArray& controlPoints, ZcGeDoubleArray& knots,
                                           ZcGeDoubleArray& weights, double& controlPtTol, double& knotTol) const
{
    degree = m_degree;
    rational = isRational();
    closed = m_closed;
    periodic = m_periodic;
    controlPoints = toArray(m_controlPoints);
    knots = toArray(m_knots);
    weights = toArray(m_weights);
    controlPtTol = m_controlPtTol;
    knotTol = m_knotTol;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpline::setNurbsData(int degree, bool rational, bool closed, bool periodic,
                                           const ZcGePoint3dArray& controlPoints, const ZcGeDoubleArray& knots,
                                           const ZcGeDoubleArray& weights, double controlPtTol, double knotTol)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    std::vector<ZcGePoint3d> points = toVector(controlPoints);
    std::vector<double> k = toVector(knots), w = rational ? toVector(weights) : std::vector<double>{};
    if (rational && w.empty())
        return Zcad::eInvalidInput;
    const nurbs::Curve c{degree, points, k, w};
    if (!nurbs::isValid(c) || !isFinite(controlPtTol) || !isFinite(knotTol) ||
        std::any_of(points.begin(), points.end(), [](const ZcGePoint3d& p) { return !isFinite(p); }) ||
        std::any_of(k.begin(), k.end(), [](double v) { return !isFinite(v); }) ||
        std::any_of(w.begin(), w.end(), [](double v) { return !isFinite(v); }))
        return Zcad::eInvalidInput;
    m_degree = degree;
    m_closed = closed;
    m_periodic = periodic;
    m_controlPoints = std::move(points);
    m_knots = std::move(k);
    m_weights = std::move(w);
    m_controlPtTol = controlPtTol;
    m_knotTol = knotTol;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpline::getFitData(ZcGePoint3dArray& fitPoints, double& fitTolerance, bool& tangentsExist,
                                         ZcGeVector3d& startTangent, ZcGeVector3d& endTangent) const
{
    fitPoints = toArray(m_fitPoints);
    fitTolerance = m_fitTolerance;
    tangentsExist = m_tangentsExist;
    startTangent = m_startTangent;
    endTangent = m_endTangent;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpline::setFitData(const ZcGePoint3dArray& fitPoints, double fitTolerance, bool tangentsExist,
                                         const ZcGeVector3d& startTangent, const ZcGeVector3d& endTangent)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    std::vector<ZcGePoint3d> points = toVector(fitPoints);
    if (!isFinite(fitTolerance) || !isFinite(startTangent) || !isFinite(endTangent) ||
        std::any_of(points.begin(), points.end(), [](const ZcGePoint3d& p) { return !isFinite(p); }))
        return Zcad::eInvalidInput;
    m_fitPoints = std::move(points);
    m_fitTolerance = fitTolerance;
    m_tangentsExist = tangentsExist;
    m_startTangent = startTangent;
    m_endTangent = endTangent;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpline::setPlanar(bool planar, const ZcGeVector3d& normal)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(normal))
        return Zcad::eInvalidInput;
    m_planar = planar;
    m_normal = normal;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpline::getStartParam(double& param) const
{
    if (m_knots.empty())
        return Zcad::eDegenerateGeometry;
    param = m_knots[size_t(m_degree)];
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpline::getEndParam(double& param) const
{
    if (m_knots.empty())
        return Zcad::eDegenerateGeometry;
    param = m_knots[m_controlPoints.size()];
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpline::getPointAtParam(double param, ZcGePoint3d& point) const
{
    double start = 0.0, end = 0.0;
    if (getStartParam(start) != Zcad::eOk || getEndParam(end) != Zcad::eOk)
        return Zcad::eDegenerateGeometry;
    if (!isFinite(param) || param < start || param > end)
        return Zcad::eInvalidInput;
    point = nurbs::pointAt({m_degree, m_controlPoints, m_knots, m_weights}, param);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpline::getParamAtPoint(const ZcGePoint3d& point, double& param) const
{
    if (!isFinite(point))
        return Zcad::eInvalidInput;
    if (m_knots.empty())
        return Zcad::eDegenerateGeometry;
    const SplineNearest near = nearestOnSpline(*this, point);
    if (std::hypot(near.point.x - point.x, near.point.y - point.y) > curve::kOnCurveTol)
        return Zcad::eInvalidInput;
    param = near.param;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpline::getDistAtParam(double param, double& dist) const
{
    double start = 0.0, end = 0.0;
    if (getStartParam(start) != Zcad::eOk || getEndParam(end) != Zcad::eOk)
        return Zcad::eDegenerateGeometry;
    if (!isFinite(param) || param < start || param > end)
        return Zcad::eInvalidInput;
    dist = splineLengthTo(*this, param);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpline::getClosestPointTo(const ZcGePoint3d& given, ZcGePoint3d& closest, bool) const
{
    if (!isFinite(given))
        return Zcad::eInvalidInput;
    if (m_knots.empty())
        return Zcad::eDegenerateGeometry;
    closest = nearestOnSpline(*this, given).point;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpline::getOffsetCurves(double, ZcDbVoidPtrArray&) const { return Zcad::eNotApplicable; }

Zcad::ErrorStatus ZcDbSpline::getGeomExtents(ZcDbExtents& extents) const
{
    if (m_controlPoints.empty())
        return Zcad::eDegenerateGeometry;
    extents = ZcDbExtents();
    for (const ZcGePoint3d& p : m_controlPoints)
        extents.addPoint(p);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpline::transformBy(const ZcGeMatrix3d& xform)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(xform))
        return Zcad::eInvalidInput;
    // An affine map of the control points maps the curve (and its fit data) alike.
    std::vector<ZcGePoint3d> points = m_controlPoints, fit = m_fitPoints;
    for (ZcGePoint3d& p : points)
        p = xform * p;
    for (ZcGePoint3d& p : fit)
        p = xform * p;
    const ZcGeVector3d s = xform * m_startTangent, e = xform * m_endTangent;
    if (!std::all_of(points.begin(), points.end(), [](const ZcGePoint3d& p) { return isFinite(p); }) ||
        !std::all_of(fit.begin(), fit.end(), [](const ZcGePoint3d& p) { return isFinite(p); }) || !isFinite(s) ||
        !isFinite(e))
        return Zcad::eInvalidInput;
    ZcGeVector3d normal = m_normal;
    if (m_planar) {
        // The plane's image: the images of two directions in it span it.
        const ZcGeVector3d a = m_normal.perpVector(), b = m_normal.crossProduct(a);
        const ZcGeVector3d n = (xform * a).crossProduct(xform * b);
        if (!(n.length() > 0.0) || !isFinite(n))
            return Zcad::eInvalidInput;
        normal = n.normal();
    }
    m_normal = normal;
    m_controlPoints = std::move(points);
    m_fitPoints = std::move(fit);
    m_startTangent = s;
    m_endTangent = e;
    return Zcad::eOk;
}

ZcDbObject* ZcDbSpline::clone() const
{
    auto* copy = new ZcDbSpline;
    copy->m_degree = m_degree;
    copy->m_closed = m_closed;
    copy->m_periodic = m_periodic;
    copy->m_planar = m_planar;
    copy->m_normal = m_normal;
    copy->m_controlPoints = m_controlPoints;
    copy->m_knots = m_knots;
    copy->m_weights = m_weights;
    copy->m_controlPtTol = m_controlPtTol;
    copy->m_knotTol = m_knotTol;
    copy->m_fitPoints = m_fitPoints;
    copy->m_fitTolerance = m_fitTolerance;
    copy->m_tangentsExist = m_tangentsExist;
    copy->m_startTangent = m_startTangent;
    copy->m_endTangent = m_endTangent;
    copyEntityDataTo(copy);
    return copy;
}
