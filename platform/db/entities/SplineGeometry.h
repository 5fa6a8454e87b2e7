#pragma once

#include <vector>

#include "ZcDbSpline.h"
#include "platform/db/entities/Nurbs.h"

namespace platform {

// A spline's curve data held for evaluation (the entity hands out copies).
struct SplineData {
    int degree = 1;
    std::vector<ZcGePoint3d> points;
    std::vector<double> knots;
    std::vector<double> weights;
    nurbs::Curve curve() const { return {degree, points, knots, weights}; }
};
SplineData splineData(const ZcDbSpline& spline);

// How far a drawn spline may stray from its chords: a ten-thousandth of
// its control points' box, finer than a picture of the spline shows.
double splineChordTolerance(const SplineData& data);
// Points along the spline for drawing and measuring.
std::vector<nurbs::Sample> splineSamples(const SplineData& data);

struct SplineNearest {
    double param = 0.0;
    ZcGePoint3d point;
};
// The spline's point nearest in plan to a given one.
SplineNearest nearestOnSpline(const ZcDbSpline& spline, const ZcGePoint3d& given);
// Length along the spline from its start to a parameter.
double splineLengthTo(const ZcDbSpline& spline, double param);

}  // namespace platform
