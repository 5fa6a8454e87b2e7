#pragma once

#include "ZcDbPolyline.h"
#include "ZcGePoint2d.h"
#include "ZcGePoint3d.h"

// The three-centre kerb curve rounding the corner between the edges of two
// roads: arcs of radii 2R, R and 3R, tangent to each other, the first
// tangent to the first edge and the last to the second; the first and the
// last turn 15 degrees each and the middle one the rest.

struct CompoundCurve {
    // +1 when the curve turns clockwise from the first edge to the second,
    // -1 when counter-clockwise.
    int side = 1;
    ZcGePoint3d centres[3];  // of the arcs of radius 2R, R, 3R
    double radii[3] = {0.0, 0.0, 0.0};
    // The polyline: the first vertex on the first edge, the last on the
    // second; each bulge is that of the arc starting at its vertex.
    ZcGePoint2d vertices[4];
    double bulges[4] = {0.0, 0.0, 0.0, 0.0};
};

// Why picks give no curve.
enum class CompoundCurveFault {
    None,
    BadRadius,         // not a finite number of at least kMinSize
    SamePoints,        // an edge point is the corner itself: no edge
    ParallelEdges,     // the edges never meet
    EdgesTooStraight,  // they turn by 30 degrees or less: the end arcs alone turn that much
    OutOfRange,        // the numbers overflow
};

struct CompoundCurveResult {
    CompoundCurveFault fault = CompoundCurveFault::None;
    CompoundCurve curve;  // when there is no fault
};

// The curve in the corner between the edge from corner through
// firstEdgePoint and the edge from corner through secondEdgePoint (world
// coordinates, in plan: z is not looked at), with middle radius R. It
// always lies in the corner between the two edges, whichever way they turn.
CompoundCurveResult BuildCompoundCurve(ZcGePoint3d firstEdgePoint, ZcGePoint3d corner, ZcGePoint3d secondEdgePoint,
                                       double radius);

// One line for the command line saying why there is no curve ("\n" first).
const char* CompoundCurveFaultMessage(CompoundCurveFault fault);

// The curve as a new open polyline with default widths and the drawing's
// current properties, open and not in any drawing; null when the drawing
// refuses a vertex (numbers beyond its range).
ZcDbPolyline* MakeCompoundCurvePolyline(const CompoundCurve& curve);
