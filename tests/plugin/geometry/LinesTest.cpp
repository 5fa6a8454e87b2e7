// Perpendiculars, angles and intersections of lines and circles.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <utility>

#include "geometry/Angles.h"
#include "geometry/Lines.h"
#include "geometry/Points.h"
#include "geometry/Tolerances.h"

TEST(DistanceToLine, PointsCloseToALongLineAreNotRoundedToIt)
{
    // 10 m along a 10 m line, millimetres off it: kerb offsets of this size matter.
    const ZcGePoint3d a(0, 0, 0), b(10, 0, 0);
    for (double off : {0.014, 0.005, 0.001, -1e-6})
        EXPECT_NEAR(DistanceToLine(ZcGePoint3d(10, off, 0), a, b), std::fabs(off), 1e-12) << off;
    EXPECT_EQ(DistanceToLine(ZcGePoint3d(-7, 0, 0), a, b), 0.0);
}

TEST(DistanceToLine, AgreesWithTheLawOfCosinesForPointsWellOffTheLine)
{
    std::mt19937 random(5);
    std::uniform_real_distribution<double> coord(-500.0, 500.0);
    for (int i = 0; i < 1000; ++i) {
        const ZcGePoint2d a(coord(random), coord(random)), b(coord(random), coord(random));
        const ZcGePoint2d p(coord(random), coord(random));
        const double pa = p.distanceTo(a), pb = p.distanceTo(b), ab = a.distanceTo(b);
        const double x = std::fabs((ab * ab + pa * pa - pb * pb) / (2.0 * ab));
        const double reference = std::sqrt(pa * pa - x * x);
        if (reference > 1.0 && ab > 1.0) {  // where cancellation does not spoil the reference itself
            EXPECT_NEAR(DistanceToLine(p, a, b), reference, 1e-9 * reference);
        }
    }
}

TEST(ProjectToLine, TheFootIsOnTheLineSquareToThePointOnEitherSideOfA)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coord(-1000.0, 1000.0), along(-3.0, 3.0), off(-1e-3, 1e-3);
    for (int i = 0; i < 2000; ++i) {
        const ZcGePoint3d a(5500000 + coord(random), 7500000 + coord(random), 0);
        const ZcGePoint3d b = a + ZcGeVector3d(coord(random), coord(random), 0);
        if (a.distanceTo(b) < 1.0)
            continue;
        // Near the line as often as far from it, before a as well as past b.
        const double t = along(random) * a.distanceTo(b), h = i % 2 ? off(random) : coord(random);
        const ZcGePoint3d foot = a + UnitVector(a, b) * t;
        const ZcGePoint3d p = foot + PerpUnitVector(a, b) * h;
        EXPECT_TRUE(ProjectToLine(p, a, b).isEqualTo(foot, 1e-6)) << i;
        EXPECT_NEAR(DistanceToLine(p, a, b), std::fabs(h), 1e-6) << i;
    }
    EXPECT_TRUE(ProjectToLine(ZcGePoint3d(5, 3, 5), {0, 0, 0}, {10, 0, 10}).isEqualTo({5, 0, 5}, 1e-12))
        << "along a climbing line";
}

TEST(LineAngleDeg, ZeroToNinetyWhicheverWayTheLinesRun)
{
    const ZcGePoint2d o(0, 0), x(5, 0);
    EXPECT_EQ(LineAngleDeg(o, x, ZcGePoint2d(0, 3), ZcGePoint2d(-8, 3)), 0.0);
    EXPECT_DOUBLE_EQ(LineAngleDeg(o, x, ZcGePoint2d(2, 2), ZcGePoint2d(2, 9)), 90.0);
    for (double deg : {1e-7, 30.0, 60.0, 89.9999999}) {
        const double r = DegToRad(deg);
        const ZcGePoint2d ccw(std::cos(r), std::sin(r)), cw(std::cos(r), -std::sin(r));
        EXPECT_NEAR(LineAngleDeg(o, x, o, ccw), deg, 1e-9) << deg;
        EXPECT_NEAR(LineAngleDeg(o, x, ccw, o), deg, 1e-9) << deg;
        EXPECT_NEAR(LineAngleDeg(o, x, o, cw), deg, 1e-9) << deg;
    }
}

TEST(IntersectLines, KeepsDoublePrecisionFarFromTheOrigin)
{
    // Survey coordinates and long edges: a determinant rounded to single
    // precision would put this point hundredths of a millimetre out.
    const ZcGePoint3d x(7500123.456789, 5500987.654321, 0);
    const ZcGeVector3d u(999.7, 3.1, 0), w(-987.3, 41.9, 0);
    const ZcGePoint3d a = x - u * 0.3, b = x + u * 0.7, c = x - w * 1.7, d = x - w * 0.2;
    ASSERT_TRUE(IntersectLines(a, b, c, d));
    EXPECT_TRUE(IntersectLines(a, b, c, d)->isEqualTo(x, 2e-6));
    EXPECT_TRUE(IntersectLines({0, 0, 0}, {10, 0, 10}, {4, -5, 99}, {4, 5, 99})->isEqualTo({4, 0, 4}, 1e-12))
        << "the height along the first line";
}

TEST(IntersectLines, ParallelLinesHaveNone)
{
    const ZcGePoint3d a(100, 100, 0), b(110, 105, 0), c(100, 200, 0), d(120, 210, 0);
    EXPECT_FALSE(IntersectLines(a, b, c, d));
    EXPECT_FALSE(IntersectLines(a, b, b, a)) << "the same line";
    EXPECT_EQ(FilletLines(a, b, c, d, 1.0, {0, 0, 0}).length(), 0) << "parallel lines have no corner to round";
}

TEST(IntersectLineCircle, TwoPointsOrderedFromTheFirstLinePointEvenWhenItIsTheFoot)
{
    const ZcGePoint3d c(0, 3, 0);
    // a before the foot, at it, past it; the foot is (0, 0).
    const std::pair<double, double> cases[] = {{-20.0, -4.0}, {0.0, -4.0}, {20.0, 4.0}};
    for (const auto& [ax, first] : cases) {
        const ZcGePoint3dArray points = IntersectLineCircle(c, 5.0, {ax, 0, 0}, {ax == 20.0 ? 30.0 : ax + 10.0, 0, 0});
        ASSERT_EQ(points.length(), 2) << ax;
        EXPECT_TRUE(points[0].isEqualTo({first, 0, 0}, 1e-12)) << ax;
        EXPECT_TRUE(points[1].isEqualTo({-first, 0, 0}, 1e-12)) << ax;
    }
}

TEST(IntersectLineCircle, TouchingGivesTheFootOnceAndAMissNothing)
{
    const ZcGePoint3d c(2, 5, 0), a(-10, 0, 0), b(10, 0, 0);
    for (double r : {5.0, 5.0 + 0.9 * kTangentTolerance, 5.0 - 0.9 * kTangentTolerance}) {
        const ZcGePoint3dArray points = IntersectLineCircle(c, r, a, b);
        ASSERT_EQ(points.length(), 1) << r;
        EXPECT_TRUE(points[0].isEqualTo({2, 0, 0}, 1e-12));
    }
    EXPECT_EQ(IntersectLineCircle(c, 5.0 + 1.1 * kTangentTolerance, a, b).length(), 2);
    EXPECT_TRUE(IntersectLineCircle(c, 5.0 - 1.1 * kTangentTolerance, a, b).isEmpty());
    EXPECT_TRUE(IntersectLineCircle(c, 1.0, a, b).isEmpty());
}

TEST(FilletLines, RoundsTheCornerThatHoldsTheSidePoint)
{
    // Lines crossing at (10, 20) at 70 degrees; a side point in each of the four corners.
    const ZcGePoint3d x(10, 20, 0), a = x - ZcGeVector3d(5, 0, 0), b = x + ZcGeVector3d(7, 0, 0);
    const ZcGeVector3d dir(std::cos(DegToRad(70)), std::sin(DegToRad(70)), 0), east(1, 0, 0);
    const ZcGePoint3d c = x - dir * 4.0, d = x + dir * 9.0;
    const auto sideOf = [](ZcGePoint3d p, ZcGePoint3d l1, ZcGePoint3d l2) {
        return (l2 - l1).crossProduct(p - l1).z > 0.0;
    };
    for (const ZcGeVector3d& towards : {dir + east, dir - east, -dir - east, -dir + east}) {
        const ZcGePoint3d s = x + towards * 0.5;
        const ZcGePoint3dArray f = FilletLines(a, b, c, d, 3.0, s);
        ASSERT_EQ(f.length(), 3);
        EXPECT_TRUE(f[1].isEqualTo(ProjectToLine(f[0], a, b), 1e-12));
        EXPECT_TRUE(f[2].isEqualTo(ProjectToLine(f[0], c, d), 1e-12));
        EXPECT_NEAR(f[0].distanceTo(f[1]), 3.0, 1e-12);
        EXPECT_NEAR(f[0].distanceTo(f[2]), 3.0, 1e-12);
        EXPECT_EQ(sideOf(f[0], a, b), sideOf(s, a, b));
        EXPECT_EQ(sideOf(f[0], c, d), sideOf(s, c, d));
    }
}
