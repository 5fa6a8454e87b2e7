#include "platform/db/entities/SplineGeometry.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// Relative chord tolerance of drawing and measuring (see splineChordTolerance).
constexpr double kRelativeChordTol = 1e-4;
// Steps of the golden-section search that polishes the nearest point within
// the parameter range of the nearest chord: 60 steps shrink it by 1e-12.
constexpr int kNearestSteps = 60;

double planDistance(const ZcGePoint3d& a, const ZcGePoint3d& b) { return std::hypot(a.x - b.x, a.y - b.y); }

}  // namespace

SplineData splineData(const ZcDbSpline& spline)
{
    SplineData d;
    bool rational = false, closed = false, periodic = false;
    ZcGePoint3dArray points;
    ZcGeDoubleArray knots, weights;
    double controlTol = 0.0, knotTol = 0.0;
    spline.getNurbsData(d.degree, rational, closed, periodic, points, knots, weights, controlTol, knotTol);
    d.points.assign(points.begin(), points.end());
    d.knots.assign(knots.begin(), knots.end());
    d.weights.assign(weights.begin(), weights.end());
    return d;
}

double splineChordTolerance(const SplineData& data)
{
    ZcDbExtents box;
    for (const ZcGePoint3d& p : data.points)
        box.addPoint(p);
    const double size = box.isEmpty() ? 0.0 : (box.maxPoint() - box.minPoint()).length();
    return std::max(size * kRelativeChordTol, 1e-300);
}

std::vector<nurbs::Sample> splineSamples(const SplineData& data)
{
    if (!nurbs::isValid(data.curve()))
        return {};
    return nurbs::flatten(data.curve(), splineChordTolerance(data));
}

SplineNearest nearestOnSpline(const ZcDbSpline& spline, const ZcGePoint3d& given)
{
    const SplineData data = splineData(spline);
    const std::vector<nurbs::Sample> samples = splineSamples(data);
    if (samples.empty())
        return {};
    // The nearest chord, then the curve between its ends.
    size_t best = 0;
    double bestDistance = planDistance(samples[0].point, given);
    for (size_t i = 0; i + 1 < samples.size(); ++i) {
        const ZcGePoint3d& a = samples[i].point;
        const ZcGePoint3d& b = samples[i + 1].point;
        const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
        const double t = len2 > 0.0 ? std::clamp(((given.x - a.x) * dx + (given.y - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
        const double d = std::hypot(a.x + dx * t - given.x, a.y + dy * t - given.y);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    const nurbs::Curve c = data.curve();
    double lo = samples[best].u, hi = samples[std::min(best + 1, samples.size() - 1)].u;
    const auto dist = [&](double u) { return planDistance(nurbs::pointAt(c, u), given); };
    constexpr double kGolden = 0.6180339887498949;
    for (int i = 0; i < kNearestSteps && hi > lo; ++i) {
        const double m1 = hi - kGolden * (hi - lo), m2 = lo + kGolden * (hi - lo);
        if (dist(m1) < dist(m2))
            hi = m2;
        else
            lo = m1;
    }
    double u = 0.5 * (lo + hi);
    // The ends of the chord may be nearer than anything inside it.
    for (const double end : {samples[best].u, samples[std::min(best + 1, samples.size() - 1)].u})
        if (dist(end) < dist(u))
            u = end;
    return {u, nurbs::pointAt(c, u)};
}

double splineLengthTo(const ZcDbSpline& spline, double param)
{
    const SplineData data = splineData(spline);
    const std::vector<nurbs::Sample> samples = splineSamples(data);
    double length = 0.0;
    for (size_t i = 0; i + 1 < samples.size(); ++i) {
        if (samples[i + 1].u >= param) {
            length += (nurbs::pointAt(data.curve(), param) - samples[i].point).length();
            break;
        }
        length += (samples[i + 1].point - samples[i].point).length();
    }
    return length;
}

}  // namespace platform
