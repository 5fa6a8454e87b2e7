// Bulges of polyline arcs: from centres, and back to centres and radii.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "geometry/Arcs.h"
#include "geometry/Points.h"

using std::numbers::pi;

TEST(ClockwiseBulge, QuarterCircleBothWays)
{
    const ZcGePoint3d centre(3, 4, 0), top(3, 6, 0), right(5, 4, 0);
    EXPECT_NEAR(ClockwiseBulge(top, right, centre), -0.41421, 1e-5);
    // The other way round is the three-quarter clockwise arc.
    EXPECT_NEAR(ClockwiseBulge(right, top, centre), -2.41421, 1e-5);
    EXPECT_NEAR(ClockwiseBulge(ZcGePoint2d(5, 4), ZcGePoint2d(3, 6), ZcGePoint2d(3, 4)), -2.41421, 1e-5);
}

TEST(ArcCentre, HalfCirclesHaveTheirCentreMidChord)
{
    const ZcGePoint3d p1(1, 1, 0), p2(7, 9, 0);
    for (double bulge : {1.0, -1.0}) {
        EXPECT_TRUE(ArcCentre(p1, p2, bulge).isEqualTo({4, 5, 0}, 1e-12)) << bulge;
        EXPECT_NEAR(ArcRadius(p1, p2, bulge), 5.0, 1e-12) << bulge;
    }
}

TEST(Arcs, BulgeCentreAndRadiusOfAnyArcAgree)
{
    std::mt19937 random(13);
    std::uniform_real_distribution<double> angle(0.0, 2.0 * pi), sweep(0.01, 2.0 * pi - 0.01), radius(0.5, 300.0);
    for (int i = 0; i < 1000; ++i) {
        const ZcGePoint3d centre(5500000.0 + radius(random), 7400000.0 - radius(random), 2.5);
        const double r = radius(random), start = angle(random);
        const double turn = i % 2 ? sweep(random) : -sweep(random);  // either way round, across 0 too
        const ZcGePoint3d p1 = PolarPoint(centre, r, start), p2 = PolarPoint(centre, r, start + turn);
        const double bulge = BulgeFromAngle(turn);
        EXPECT_NEAR(ArcRadius(p1, p2, bulge), r, 1e-6 * r) << i;
        EXPECT_TRUE(ArcCentre(p1, p2, bulge).isEqualTo(centre, 1e-6)) << i;
        EXPECT_TRUE(ArcCentre(MakePoint2d(p1), MakePoint2d(p2), bulge).isEqualTo(MakePoint2d(centre), 1e-6)) << i;
        if (turn < 0.0) {
            EXPECT_NEAR(ClockwiseBulge(p1, p2, centre), bulge, 1e-6 * (1.0 + bulge * bulge)) << i;
        }
    }
}
