// The three-centre kerb curve: the worked corner, invariants over many
// corners, and the picks that admit no curve.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "geometry/Angles.h"
#include "geometry/Arcs.h"
#include "geometry/Lines.h"
#include "geometry/Points.h"
#include "geometry/Tolerances.h"
#include "markings/CompoundCurve.h"

using std::numbers::pi;

namespace {

struct Expected {
    double x, y;
};

void expectAt(const ZcGePoint2d& p, Expected e, const char* what)
{
    EXPECT_NEAR(p.x, e.x, 5e-4) << what;
    EXPECT_NEAR(p.y, e.y, 5e-4) << what;
}

void expectAt(const ZcGePoint3d& p, Expected e, const char* what) { expectAt(MakePoint2d(p), e, what); }

ZcGePoint2d flat(const ZcGePoint3d& p) { return MakePoint2d(p); }

double cross(const ZcGeVector2d& u, const ZcGeVector2d& w) { return u.x * w.y - u.y * w.x; }

}  // namespace

TEST(CompoundCurve, RightAngleCornerOfTheWorkedExampleAndItsMirror)
{
    for (int mirror : {1, -1}) {
        SCOPED_TRACE(mirror == 1 ? "worked corner" : "mirrored corner");
        const CompoundCurveResult r = BuildCompoundCurve({-20, 0, 0}, {0, 0, 0}, {0, -20.0 * mirror, 0}, 10.0);
        ASSERT_EQ(r.fault, CompoundCurveFault::None);
        const CompoundCurve& c = r.curve;
        EXPECT_EQ(c.side, mirror);
        const Expected centres[] = {{-13.270, -20.0}, {-10.681, -10.341}, {-30.0, -15.517}};
        const Expected vertices[] = {{-13.270, 0.0}, {-8.093, -0.681}, {-1.022, -7.753}, {0.0, -15.517}};
        const double bulges[] = {-0.06554, -0.26795, -0.06554, 0.0};  // the middle one a 60 degree arc
        for (int i = 0; i < 3; ++i)
            expectAt(c.centres[i], {centres[i].x, centres[i].y * mirror}, "centre");
        for (int i = 0; i < 4; ++i) {
            expectAt(c.vertices[i], {vertices[i].x, vertices[i].y * mirror}, "vertex");
            EXPECT_NEAR(c.bulges[i], bulges[i] * mirror, 5e-6) << i;
        }
        EXPECT_EQ(c.radii[0], 20.0);
        EXPECT_EQ(c.radii[1], 10.0);
        EXPECT_EQ(c.radii[2], 30.0);
    }
}

TEST(CompoundCurve, InvariantsOverManyCorners)
{
    std::mt19937 random(2024);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double alpha = DegToRad(15.0);
    for (int i = 0; i < 3000; ++i) {
        // Edges 20 to 148 degrees apart (at 150 the end arcs leave the middle one nothing to turn).
        const double cornerAngle = DegToRad(20.0 + 128.0 * unit(random)), rotation = 2.0 * pi * unit(random);
        const int sense = i % 2 ? 1 : -1;
        const double radius = 0.5 + 30.0 * unit(random);
        const double far = i % 3 ? 7.5e6 : 0.0;  // survey coordinates, or near the origin
        const ZcGePoint2d p1(far + 1000.0 * unit(random), far + 1000.0 * unit(random));
        const ZcGePoint2d p2 = PolarPoint(p1, 1.0 + 100.0 * unit(random), rotation);
        const ZcGePoint2d p3 = PolarPoint(p1, 1.0 + 100.0 * unit(random), rotation + sense * cornerAngle);
        const CompoundCurveResult r = BuildCompoundCurve({p2.x, p2.y, 0}, {p1.x, p1.y, 0}, {p3.x, p3.y, 0}, radius);
        ASSERT_EQ(r.fault, CompoundCurveFault::None) << i;
        const CompoundCurve& c = r.curve;
        const ZcGePoint2d* v = c.vertices;
        const double tol = 1e-7 * (1.0 + radius);
        SCOPED_TRACE(::testing::Message() << "corner " << i << ": " << RadToDeg(cornerAngle) << " deg, sense "
                                          << sense << ", R " << radius);

        EXPECT_EQ(c.side, sense) << "clockwise (+1) when the second edge is counter-clockwise of the first";
        EXPECT_DOUBLE_EQ(c.radii[0], 2.0 * radius);
        EXPECT_DOUBLE_EQ(c.radii[1], radius);
        EXPECT_DOUBLE_EQ(c.radii[2], 3.0 * radius);

        // The ends lie on the edges, where the outer arcs touch them.
        EXPECT_NEAR(DistanceToLine(v[0], p1, p2), 0.0, tol);
        EXPECT_NEAR(DistanceToLine(v[3], p1, p3), 0.0, tol);
        EXPECT_GT((v[0] - p1).dotProduct(p2 - p1), 0.0) << "on the edge, not its extension";
        EXPECT_GT((v[3] - p1).dotProduct(p3 - p1), 0.0);
        EXPECT_NEAR(DistanceToLine(flat(c.centres[0]), p1, p2), c.radii[0], tol);
        EXPECT_NEAR(DistanceToLine(flat(c.centres[2]), p1, p3), c.radii[2], tol);

        // Each bulge is the arc about its centre with its radius.
        for (int a = 0; a < 3; ++a) {
            EXPECT_NEAR(ArcRadius(v[a], v[a + 1], c.bulges[a]), c.radii[a], tol) << "arc " << a;
            EXPECT_NEAR(ArcCentre(v[a], v[a + 1], c.bulges[a]).distanceTo(flat(c.centres[a])), 0.0, tol)
                << "arc " << a;
        }
        // The outer arcs turn 15 degrees; the middle one the rest of the turn.
        EXPECT_NEAR(4.0 * std::atan(std::fabs(c.bulges[0])), alpha, 1e-12);
        EXPECT_NEAR(4.0 * std::atan(std::fabs(c.bulges[2])), alpha, 1e-12);
        EXPECT_NEAR(4.0 * std::atan(std::fabs(c.bulges[1])), pi - cornerAngle - 2.0 * alpha, 1e-7);
        for (double b : c.bulges)
            EXPECT_TRUE(b * c.side <= 0.0) << "all arcs turn one way";

        // Tangent joints: each joint is in line with the two centres, on the same side of both.
        for (int j = 1; j <= 2; ++j) {
            const ZcGeVector2d toOuter = flat(c.centres[j == 1 ? 0 : 2]) - v[j];
            const ZcGeVector2d toMiddle = flat(c.centres[1]) - v[j];
            EXPECT_NEAR(cross(toOuter.normal(), toMiddle.normal()), 0.0, 1e-7) << "joint " << j;
            EXPECT_GT(toOuter.dotProduct(toMiddle), 0.0) << "joint " << j;
        }

        // Every point of the curve lies in the corner between the two edges.
        const double turn = cross(p2 - p1, p3 - p1) > 0.0 ? 1.0 : -1.0;
        for (int a = 0; a < 3; ++a) {
            const ZcGePoint2d centre = flat(c.centres[a]);
            const double start = PointAngle(centre, v[a]);
            const double sweep = 4.0 * std::atan(c.bulges[a]);
            for (int k2 = 0; k2 <= 8; ++k2) {
                const ZcGePoint2d q = PolarPoint(centre, c.radii[a], start + sweep * k2 / 8.0);
                EXPECT_GE(turn * cross((p2 - p1).normal(), q - p1), -tol) << "arc " << a;
                EXPECT_GE(turn * cross(q - p1, (p3 - p1).normal()), -tol) << "arc " << a;
            }
        }
    }
}

TEST(CompoundCurve, OnlyTheEdgesInPlanMatterNotWhereOrHowHighPointsArePicked)
{
    const CompoundCurveResult near = BuildCompoundCurve({3, 1, 0}, {1, 1, 0}, {1.5, 3, 0}, 4.0);
    const CompoundCurveResult far = BuildCompoundCurve({301, 1, 40}, {1, 1, -3}, {76, 301, 7}, 4.0);
    ASSERT_EQ(near.fault, CompoundCurveFault::None);
    ASSERT_EQ(far.fault, CompoundCurveFault::None);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(near.curve.vertices[i].distanceTo(far.curve.vertices[i]), 0.0, 1e-9) << i;
        EXPECT_NEAR(near.curve.bulges[i], far.curve.bulges[i], 1e-12) << i;
    }
}

TEST(CompoundCurve, AcuteCornersAreRoundedBetweenTheEdgesWhicheverWayTheyTurn)
{
    // At 45 degrees both pick orders give the curve in the corner between the
    // edges: the second edge's side of the first decides, not its distance.
    for (double far : {30.0, 1000.0}) {
        for (int sense : {1, -1}) {
            const ZcGePoint3d p3(far * std::cos(DegToRad(45)), sense * far * std::sin(DegToRad(45)), 0);
            const CompoundCurveResult r = BuildCompoundCurve({40, 0, 0}, {0, 0, 0}, p3, 5.0);
            ASSERT_EQ(r.fault, CompoundCurveFault::None);
            EXPECT_EQ(r.curve.side, sense);
            EXPECT_GT(r.curve.vertices[0].x, 0.0);
            EXPECT_GT(r.curve.centres[1].y * sense, 0.0) << "the middle centre is inside the corner";
            EXPECT_NEAR(4.0 * std::atan(std::fabs(r.curve.bulges[1])), DegToRad(105), 1e-9);
        }
    }
}

TEST(CompoundCurve, PicksThatAdmitNoCurve)
{
    const ZcGePoint3d o(0, 0, 0), east(20, 0, 0);
    EXPECT_EQ(BuildCompoundCurve(east, o, {50, 0, 0}, 5).fault, CompoundCurveFault::ParallelEdges)
        << "both edges the same way";
    EXPECT_EQ(BuildCompoundCurve(east, o, {-50, 0, 0}, 5).fault, CompoundCurveFault::ParallelEdges)
        << "one straight edge";
    EXPECT_EQ(BuildCompoundCurve(east, o, {-50, 1e-12, 0}, 5).fault, CompoundCurveFault::ParallelEdges);
    EXPECT_EQ(BuildCompoundCurve(east, o, o, 5).fault, CompoundCurveFault::SamePoints);
    EXPECT_EQ(BuildCompoundCurve(o, o, {0, 5, 0}, 5).fault, CompoundCurveFault::SamePoints);
    // A radius below the join tolerance is no curve (1e-300 once gave a
    // drawing whose picture failed).
    for (double radius : {0.0, -1.0, std::nan(""), HUGE_VAL, 1e-300, kMinSize / 2})
        EXPECT_EQ(BuildCompoundCurve(east, o, {0, 5, 0}, radius).fault, CompoundCurveFault::BadRadius) << radius;
    EXPECT_EQ(BuildCompoundCurve(east, o, {0, 5, 0}, kMinSize).fault, CompoundCurveFault::None);
    EXPECT_EQ(BuildCompoundCurve(east, o, {0, 5, 0}, 1e300).fault, CompoundCurveFault::OutOfRange);
    // Finite, but beyond what a drawing holds: no polyline rather than one missing vertices.
    const CompoundCurveResult vast = BuildCompoundCurve(east, o, {0, 5, 0}, 1e150);
    ASSERT_EQ(vast.fault, CompoundCurveFault::None);
    EXPECT_EQ(MakeCompoundCurvePolyline(vast.curve), nullptr);
}

TEST(CompoundCurve, TheEdgesMustTurnMoreThanTheTwoEndArcs)
{
    const auto at = [](double degrees) {
        return ZcGePoint3d(10 * std::cos(DegToRad(degrees)), 10 * std::sin(DegToRad(degrees)), 0);
    };
    const ZcGePoint3d o(0, 0, 0), east(10, 0, 0);
    for (double corner : {150.0, 155.0, 160.0, 179.0, -150.0, -170.0})
        EXPECT_EQ(BuildCompoundCurve(east, o, at(corner), 5).fault, CompoundCurveFault::EdgesTooStraight) << corner;
    for (double corner : {149.9, -149.9}) {
        const CompoundCurveResult r = BuildCompoundCurve(east, o, at(corner), 5);
        ASSERT_EQ(r.fault, CompoundCurveFault::None) << corner;
        EXPECT_NEAR(4.0 * std::atan(std::fabs(r.curve.bulges[1])), DegToRad(0.1), 1e-9)
            << "a short middle arc, not a loop";
    }
    for (CompoundCurveFault f : {CompoundCurveFault::BadRadius, CompoundCurveFault::SamePoints,
                                 CompoundCurveFault::ParallelEdges, CompoundCurveFault::EdgesTooStraight,
                                 CompoundCurveFault::OutOfRange}) {
        const std::string message = CompoundCurveFaultMessage(f);
        EXPECT_EQ(message.front(), '\n');
        EXPECT_EQ(message.find('\n', 1), std::string::npos) << "one line";
    }
}
