#include "ZcDbEllipse.h"

#include <algorithm>
#include <cmath>

#include "platform/db/entities/CurveMath.h"
#include "platform/db/entities/Finite.h"
#include "platform/db/entities/PlanarTransform.h"

using namespace platform;

ZCRX_DEFINE_MEMBERS(ZcDbEllipse, ZcDbCurve)

namespace {

// Unit vectors a caller gives differ from the exact ones by rounding only.
constexpr double kUnitTol = 1e-12;
// Samples of the parameter range before the nearest point is polished by
// Newton's method: enough that the nearest sample lies in the basin of the
// true nearest point even on a flat ellipse.
constexpr int kClosestSamples = 64;
constexpr int kNewtonSteps = 8;
// Gauss-Legendre nodes and weights on [-1, 1] (8 points) for arc lengths;
// each sixteenth of a turn is integrated on its own, far below a
// micrometre of error on any ellipse a drawing holds.
constexpr double kGaussNodes[4] = {0.1834346424956498, 0.5255324099163290, 0.7966664774136267, 0.9602898564975363};
constexpr double kGaussWeights[4] = {0.3626837833783620, 0.3137066458778873, 0.2223810344533745, 0.1012285362903763};
constexpr double kLengthPiece = curve::kTwoPi / 16.0;

// Files round 2pi to a dozen digits, some of them up ("6.28318530718"): a
// parameter this little beyond 0 or 2pi is taken as that end, not as a
// whole turn away.
constexpr double kParamRoundingTol = 1e-9;

// A parameter kept as given within [0, 2pi], else brought into it.
double keptParam(double p)
{
    if (p > curve::kTwoPi && p <= curve::kTwoPi + kParamRoundingTol)
        return curve::kTwoPi;
    if (p < 0.0 && p >= -kParamRoundingTol)
        return 0.0;
    return p >= 0.0 && p <= curve::kTwoPi ? p : curve::normalizeAngle(p);
}

bool isPlanAxis(const ZcGeVector3d& v) { return std::fabs(v.z) <= kUnitTol * v.length() && std::hypot(v.x, v.y) > 0.0; }

}  // namespace

ZcDbEllipse::ZcDbEllipse(const ZcGePoint3d& center, const ZcGeVector3d& unitNormal, const ZcGeVector3d& majorAxis,
                         double radiusRatio, double startParam, double endParam)
{
    set(center, unitNormal, majorAxis, radiusRatio, startParam, endParam);
}

ZcGeVector3d ZcDbEllipse::minorAxis() const { return ZcGeVector3d(-m_majorAxis.y, m_majorAxis.x, 0.0) * m_radiusRatio; }

Zcad::ErrorStatus ZcDbEllipse::set(const ZcGePoint3d& center, const ZcGeVector3d& unitNormal,
                                   const ZcGeVector3d& majorAxis, double radiusRatio, double startParam,
                                   double endParam)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(center) || !isFinite(majorAxis) || !isFinite(radiusRatio) || !isFinite(startParam) ||
        !isFinite(endParam) || !(radiusRatio > 0.0 && radiusRatio <= 1.0) || !isPlanAxis(majorAxis) ||
        (unitNormal - ZcGeVector3d::kZAxis).length() > kUnitTol)
        return Zcad::eInvalidInput;
    m_center = center;
    m_majorAxis = {majorAxis.x, majorAxis.y, 0.0};
    m_radiusRatio = radiusRatio;
    m_startParam = keptParam(startParam);
    m_endParam = keptParam(endParam);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEllipse::setCenter(const ZcGePoint3d& p)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(p))
        return Zcad::eInvalidInput;
    m_center = p;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEllipse::setStartParam(double param)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(param))
        return Zcad::eInvalidInput;
    m_startParam = keptParam(param);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEllipse::setEndParam(double param)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(param))
        return Zcad::eInvalidInput;
    m_endParam = keptParam(param);
    return Zcad::eOk;
}

bool ZcDbEllipse::isClosed() const { return curve::normalizeAngle(m_endParam - m_startParam) == 0.0; }

// The curve's parameter runs from the start up to start + sweep, so that it
// grows along the curve even where the stored end is below the start.
Zcad::ErrorStatus ZcDbEllipse::getStartParam(double& param) const
{
    param = m_startParam;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEllipse::getEndParam(double& param) const
{
    const double sweep = curve::normalizeAngle(m_endParam - m_startParam);
    param = m_startParam + (sweep > 0.0 ? sweep : curve::kTwoPi);
    return Zcad::eOk;
}

namespace {

struct Frame2 {
    double a = 1.0, b = 1.0;  // semi-axes
    ZcGeVector3d u, v;        // unit major and minor directions
};

Frame2 frameOf(const ZcGeVector3d& major, double ratio)
{
    Frame2 f;
    f.a = major.length();
    f.b = f.a * ratio;
    f.u = major / f.a;
    f.v = ZcGeVector3d(-f.u.y, f.u.x, 0.0);
    return f;
}

}  // namespace

Zcad::ErrorStatus ZcDbEllipse::getPointAtParam(double param, ZcGePoint3d& point) const
{
    double start = 0.0, end = 0.0;
    getStartParam(start);
    getEndParam(end);
    const double slack = curve::kOnCurveTol / m_majorAxis.length();
    if (!isFinite(param) || param < start - slack || param > end + slack)
        return Zcad::eInvalidInput;
    point = m_center + m_majorAxis * std::cos(param) + minorAxis() * std::sin(param);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEllipse::getParamAtPoint(const ZcGePoint3d& point, double& param) const
{
    if (!isFinite(point))
        return Zcad::eInvalidInput;
    const Frame2 f = frameOf(m_majorAxis, m_radiusRatio);
    const ZcGeVector3d d(point.x - m_center.x, point.y - m_center.y, 0.0);
    const double t = curve::normalizeAngle(std::atan2(d.dotProduct(f.v) / f.b, d.dotProduct(f.u) / f.a));
    const ZcGePoint3d on = m_center + m_majorAxis * std::cos(t) + minorAxis() * std::sin(t);
    if (std::hypot(on.x - point.x, on.y - point.y) > curve::kOnCurveTol)
        return Zcad::eInvalidInput;
    double start = 0.0, end = 0.0;
    getStartParam(start);
    getEndParam(end);
    // Into the range [start, end], allowing the tolerance at both ends.
    double p = start + curve::normalizeAngle(t - start);
    const double slack = curve::kOnCurveTol / f.b;
    if (p > end + slack && p - curve::kTwoPi >= start - slack)
        p -= curve::kTwoPi;
    if (p > end + slack) {
        if (curve::kTwoPi - (p - start) <= slack)
            p = start;
        else
            return Zcad::eInvalidInput;
    }
    param = std::clamp(p, start, end);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEllipse::getDistAtParam(double param, double& dist) const
{
    double start = 0.0, end = 0.0;
    getStartParam(start);
    getEndParam(end);
    const Frame2 f = frameOf(m_majorAxis, m_radiusRatio);
    const double slack = curve::kOnCurveTol / f.b;
    if (!isFinite(param) || param < start - slack || param > end + slack)
        return Zcad::eInvalidInput;
    const double to = std::clamp(param, start, end);
    const auto speed = [&](double t) { return std::hypot(f.a * std::sin(t), f.b * std::cos(t)); };
    dist = 0.0;
    for (double t0 = start; t0 < to; t0 += kLengthPiece) {
        const double t1 = std::min(t0 + kLengthPiece, to);
        const double mid = 0.5 * (t0 + t1), half = 0.5 * (t1 - t0);
        for (int i = 0; i < 4; ++i)
            dist += half * kGaussWeights[i] * (speed(mid - half * kGaussNodes[i]) + speed(mid + half * kGaussNodes[i]));
    }
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEllipse::getClosestPointTo(const ZcGePoint3d& given, ZcGePoint3d& closest, bool) const
{
    if (!isFinite(given))
        return Zcad::eInvalidInput;
    const Frame2 f = frameOf(m_majorAxis, m_radiusRatio);
    const ZcGeVector3d d(given.x - m_center.x, given.y - m_center.y, 0.0);
    const double x = d.dotProduct(f.u), y = d.dotProduct(f.v);
    double start = 0.0, end = 0.0;
    getStartParam(start);
    getEndParam(end);
    const auto dist2 = [&](double t) {
        const double dx = f.a * std::cos(t) - x, dy = f.b * std::sin(t) - y;
        return dx * dx + dy * dy;
    };
    double best = start;
    for (int i = 0; i <= kClosestSamples; ++i) {
        const double t = start + (end - start) * i / kClosestSamples;
        if (dist2(t) < dist2(best))
            best = t;
    }
    // Newton's method on the derivative of half the squared distance.
    const double c = f.a * f.a - f.b * f.b;
    double t = best;
    for (int i = 0; i < kNewtonSteps; ++i) {
        const double s = std::sin(t), co = std::cos(t);
        const double g = -c * s * co + x * f.a * s - y * f.b * co;
        const double h = -c * (co * co - s * s) + x * f.a * co + y * f.b * s;
        if (h <= 0.0)
            break;  // not a minimum here: keep the best sample
        t = std::clamp(t - g / h, start, end);
    }
    if (dist2(t) < dist2(best))
        best = t;
    closest = m_center + m_majorAxis * std::cos(best) + minorAxis() * std::sin(best);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEllipse::getOffsetCurves(double, ZcDbVoidPtrArray&) const { return Zcad::eNotApplicable; }

Zcad::ErrorStatus ZcDbEllipse::getGeomExtents(ZcDbExtents& extents) const
{
    double start = 0.0, end = 0.0;
    getStartParam(start);
    getEndParam(end);
    const ZcGeVector3d major = m_majorAxis, minor = minorAxis();
    const auto at = [&](double t) { return m_center + major * std::cos(t) + minor * std::sin(t); };
    extents = ZcDbExtents(at(start), at(end));
    // Where x and y turn: the extreme points within the range.
    for (const double base : {std::atan2(minor.x, major.x), std::atan2(minor.y, major.y)})
        for (const double t0 : {base, base + curve::kPi}) {
            const double t = start + curve::normalizeAngle(t0 - start);
            if (t <= end)
                extents.addPoint(at(t));
        }
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEllipse::transformBy(const ZcGeMatrix3d& xform)
{
    if (Zcad::ErrorStatus es = assertWriteEnabled(); es != Zcad::eOk)
        return es;
    if (!isFinite(xform))
        return Zcad::eInvalidInput;
    const PlanarTransform t = analysePlanar(xform);
    if (!t.keepsPlane || !t.conformal)
        return Zcad::eNotApplicable;  // the axes would no longer be the image's axes
    const ZcGePoint3d c = xform * m_center;
    const ZcGeVector3d major = xform * m_majorAxis;
    if (!isFinite(c) || !isFinite(major) || !isPlanAxis(major))
        return Zcad::eInvalidInput;
    // A mirror image turns the minor axis round: the parameters change sign.
    if (t.mirrored) {
        const double start = m_startParam, end = m_endParam;
        m_startParam = keptParam(-end);
        m_endParam = keptParam(-start);
        if (isClosed() && start == 0.0 && end == curve::kTwoPi) {
            m_startParam = 0.0;
            m_endParam = curve::kTwoPi;
        }
    }
    m_center = c;
    m_majorAxis = {major.x, major.y, 0.0};
    return Zcad::eOk;
}

ZcDbObject* ZcDbEllipse::clone() const
{
    auto* copy = new ZcDbEllipse;
    copy->m_center = m_center;
    copy->m_majorAxis = m_majorAxis;
    copy->m_radiusRatio = m_radiusRatio;
    copy->m_startParam = m_startParam;
    copy->m_endParam = m_endParam;
    copyEntityDataTo(copy);
    return copy;
}
