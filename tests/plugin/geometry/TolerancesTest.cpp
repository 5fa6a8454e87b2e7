// Each named tolerance pinned by absolute cases, with the numbers written
// out: one inside it and one ten times outside it. A tolerance loosened or
// tightened more than tenfold changes a case's answer, where a test that
// measures against the constant itself would follow it.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "ZcDbLine.h"
#include "ZcDbPolyline.h"
#include "geometry/EntityQueries.h"
#include "geometry/Lines.h"
#include "markings/CompoundCurve.h"
#include "services/CurveSplitting.h"
#include "tests/support/TestDrawing.h"

namespace {

struct ToleranceCase {
    const char* name;
    bool (*holds)();  // the answer the code gives
    bool expected;
};

// Lines through the origin along (1, 0) and (1, dy): plan determinant dy.
bool linesMeet(double dy) { return IntersectLines({0, 0, 0}, {1, 0, 0}, {0, 0, 0}, {1, dy, 0}).has_value(); }

// The horizontal line y = 10 + dy against the circle of radius 10 about
// the origin: one point when the code takes it as touching.
bool touches(double dy)
{
    return IntersectLineCircle({0, 0, 0}, 10.0, {-20, 10 + dy, 0}, {20, 10 + dy, 0}).length() == 1;
}

bool lineJoins(double dy)
{
    TestDrawing drawing;
    auto* line = new ZcDbLine({0, 0, 0}, {10, 0, 0});
    const bool joins = CurveJoinsPoints(line, {0, dy, 0}, {10, 0, 0});
    delete line;
    return joins;
}

// The corner at the origin, edges through (10, 0) and (10, dy).
CompoundCurveFault curveFault(double dy, double radius)
{
    return BuildCompoundCurve({10, 0, 0}, {0, 0, 0}, {10, dy, 0}, radius).fault;
}

// An open polyline (0,0)-(10,0) cut near its start: two pieces or one.
bool cutsNearEnd(double x)
{
    TestDrawing drawing;
    auto* polyline = new ZcDbPolyline;
    polyline->addVertexAt(0, {0, 0}, 0.0);
    polyline->addVertexAt(1, {10, 0}, 0.0);
    const ZcDbObjectId id = drawing.append(polyline);
    return SplitPolylineAt(id, {x, 0, 0}).length() == 2;
}

// (0,0)-(10,0)-(20,0) cut at 10 + dx: the part before keeps the middle
// vertex apart from the cut only when they are not one vertex.
bool keepsVertexApart(double dx)
{
    const PolylineVertexList vertices = {{{0, 0}}, {{10, 0}}, {{20, 0}}};
    const auto cut = CutVertices(vertices, false, {10 + dx, 0});
    return cut && cut->second.size() == 3;
}

// The half circle from (-10, 0) to (10, 0) through (0, -10).
bool onArc(double y) { return PointOnSegment({0, y}, {-10, 0}, {10, 0}, 1.0); }

bool onLine(double y) { return PointOnSegment({5, y}, {0, 0}, {10, 0}, 0.0); }

const ToleranceCase kCases[] = {
    // kParallelDeterminant, 1e-9
    {"ParallelDeterminantInside", [] { return linesMeet(1e-10); }, false},
    {"ParallelDeterminantOutside", [] { return linesMeet(1e-8); }, true},
    // kTangentTolerance, 1e-4 m
    {"TangentInside", [] { return touches(5e-5); }, true},
    {"TangentOutsideBeyond", [] { return touches(1e-3); }, false},
    {"TangentOutsideWithin", [] { return touches(-1e-3); }, false},
    // kJoinTolerance, 1e-4 m
    {"JoinInside", [] { return lineJoins(5e-5); }, true},
    {"JoinOutside", [] { return lineJoins(1e-3); }, false},
    // kMinSize, 1e-4 m: the smallest radius a compound curve takes
    {"MinSizeInside", [] { return curveFault(10, 1e-3) != CompoundCurveFault::BadRadius; }, true},
    {"MinSizeOutside", [] { return curveFault(10, 5e-5) != CompoundCurveFault::BadRadius; }, false},
    // the compound curve's parallel edges, sine 1e-9
    {"ParallelSineInside", [] { return curveFault(1e-9, 1.0) != CompoundCurveFault::ParallelEdges; }, false},
    {"ParallelSineOutside", [] { return curveFault(1e-7, 1.0) != CompoundCurveFault::ParallelEdges; }, true},
    // kCurveEndTolerance, 1e-3 m
    {"CurveEndInside", [] { return cutsNearEnd(5e-4); }, false},
    {"CurveEndOutside", [] { return cutsNearEnd(1e-2); }, true},
    // kOnArcTolerance, 1e-3 m
    {"OnArcInside", [] { return onArc(-10.0005); }, true},
    {"OnArcOutside", [] { return onArc(-10.01); }, false},
    // kOnLineTolerance, 1e-4 m
    {"OnLineInside", [] { return onLine(5e-5); }, true},
    {"OnLineOutside", [] { return onLine(1e-3); }, false},
    // kSameVertex, 1e-9 m
    {"SameVertexInside", [] { return keepsVertexApart(1e-10); }, false},
    {"SameVertexOutside", [] { return keepsVertexApart(1e-8); }, true},
};

void PrintTo(const ToleranceCase& c, std::ostream* os) { *os << c.name; }

class Tolerance : public testing::TestWithParam<ToleranceCase> {};

}  // namespace

TEST_P(Tolerance, AnswersAsItsAbsoluteCaseSays) { EXPECT_EQ(GetParam().holds(), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Named, Tolerance, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ToleranceCase>& p) { return std::string(p.param.name); });
