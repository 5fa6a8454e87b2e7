// The triangular island: the worked island with and without a crossing,
// what every island within the limits keeps, and each limit.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>

#include "geometry/Angles.h"
#include "geometry/Points.h"
#include "islands/TriangularIsland.h"
#include "tests/plugin/islands/IslandShapes.h"

using namespace island_test;

TEST(TriangularIsland, WorkedIslandOfTheDefaults)
{
    const TriangularIslandResult r = BuildTriangularIsland(IslandParameters{}, kOrigin, kEast);
    ASSERT_FALSE(r.fault) << IslandFaultMessage(r.fault);
    const TriangularIsland& t = r.island;
    expectAt(t.s3, 20, 0, "S3");
    expectAt(t.konCen, 15, 0, "KonCen");
    expectAt(t.mainRondCenter, -20, 0, "MainRondCenter");
    expectAt(t.swp, 0, 2, "Swp");
    expectAt(t.sup, 0, -2, "Sup");
    EXPECT_NEAR(t.konCen.distanceTo(t.swKp), 5.0 * std::sin(std::atan(0.1)), 1e-12) << "nose radius";
    EXPECT_NEAR(t.konCen.distanceTo(t.suKp), 5.0 * std::sin(std::atan(0.1)), 1e-12);
    expectAt(t.swKp, 15.0495, 0.4950, "SwKp");
    expectAt(t.suKp, 15.0495, -0.4950, "SuKp");
    expectAt(t.swR1Cen, 0.5000, 1.4475, "SwR1Cen");
    expectAt(t.swR1p1, 0.0000, 1.4475, "SwR1p1");
    expectAt(t.swR1p2, 0.5498, 1.9450, "SwR1p2");
    expectAt(t.suR1Cen, 0.5000, -1.4475, "SuR1Cen");
    EXPECT_NEAR(t.cornerBulge, -0.4437, 5e-5);
    EXPECT_NEAR(t.noseBulge, -0.9050, 5e-5);

    const TriangularKerb& k = t.inlet;
    expectAt(k.kerbLine[0], 0.3731, 5.7314, "SwOP23[0]");
    expectAt(k.kerbLine[1], 20.3731, 3.7314, "SwOP23[1]");
    expectAt(k.breakCentre, 25.1808, 53.5000, "Rw1Cen");
    expectAt(k.op1, 25.1808, 3.5000, "SWOp1");
    expectAt(k.op2, 20.2056, 3.7481, "SWOp2");
    EXPECT_NEAR(k.breakBulge, -0.0249, 5e-5);
    expectAt(k.arc.centres[0], 7.0319, 17.1254, "RwCens[0]");
    expectAt(k.arc.centres[1], -43.1054, 22.1391, "RwCens[1]");
    expectAt(k.arc.centre, 7.0319, 17.1254, "RwCen");
    expectAt(k.arc.onKerb, 5.8378, 5.1849, "SwOP3");
    expectAt(k.arc.onCircle, -3.1051, 10.7034, "SwOP4");
    EXPECT_NEAR(k.arc.onCircle.distanceTo(t.mainRondCenter), 20.0, 1e-12);
    EXPECT_NEAR(k.arcBulge, -0.2306, 5e-5);

    // Four polylines of the vertices and bulges named above.
    ASSERT_EQ(r.polylines.size(), 4u);
    const IslandPolyline &island = r.polylines[0], &triangle = r.polylines[1], &inlet = r.polylines[2],
                         &outlet = r.polylines[3];
    EXPECT_TRUE(island.closed);
    ASSERT_EQ(island.vertices.size(), 6u);
    expectVertex(island, 0, t.swR1p1, t.cornerBulge);
    expectVertex(island, 1, t.swR1p2, 0.0);
    expectVertex(island, 2, t.swKp, t.noseBulge);
    expectVertex(island, 3, t.suKp, 0.0);
    expectVertex(island, 4, t.suR1p2, t.cornerBulge);
    expectVertex(island, 5, t.suR1p1, 0.0);
    EXPECT_TRUE(triangle.closed);
    ASSERT_EQ(triangle.vertices.size(), 3u);
    expectVertex(triangle, 0, t.swp, 0.0);
    expectVertex(triangle, 1, t.s3, 0.0);
    expectVertex(triangle, 2, t.sup, 0.0);
    for (const auto& [kerb, side] : {std::pair{&inlet, &t.inlet}, std::pair{&outlet, &t.outlet}}) {
        EXPECT_FALSE(kerb->closed);
        ASSERT_EQ(kerb->vertices.size(), 4u);
        expectVertex(*kerb, 0, side->op1, side->breakBulge);
        expectVertex(*kerb, 1, side->op2, 0.0);
        expectVertex(*kerb, 2, side->arc.onKerb, side->arcBulge);
        expectVertex(*kerb, 3, side->arc.onCircle, 0.0);
    }
    // The outlet bends the other way round.
    EXPECT_GT(t.outlet.breakBulge, 0.0);
    EXPECT_GT(t.outlet.arcBulge, 0.0);
    EXPECT_NEAR(t.outlet.arc.onCircle.distanceTo(t.mainRondCenter), 20.0, 1e-12);
}

TEST(TriangularIsland, CrossingCutsTheIslandInTwo)
{
    IslandParameters p;
    p.L1 = 2.5;
    p.L2 = 4.0;
    const TriangularIslandResult r = BuildTriangularIsland(p, kOrigin, kEast);
    ASSERT_FALSE(r.fault) << IslandFaultMessage(r.fault);
    const TriangularIsland& t = r.island;
    expectAt(t.przejP1, 8.5, 1.15, "PrzejP1");
    expectAt(t.przejP2, 8.5, -1.15, "PrzejP2");
    expectAt(t.przejP3, 12.5, 0.75, "PrzejP3");
    expectAt(t.przejP4, 12.5, -0.75, "PrzejP4");
    ASSERT_EQ(r.polylines.size(), 5u);
    const IslandPolyline &before = r.polylines[0], &nose = r.polylines[1];
    EXPECT_TRUE(before.closed);
    ASSERT_EQ(before.vertices.size(), 6u);
    expectVertex(before, 0, t.swR1p1, t.cornerBulge);
    expectVertex(before, 1, t.swR1p2, 0.0);
    expectVertex(before, 2, t.przejP1, 0.0);
    expectVertex(before, 3, t.przejP2, 0.0);
    expectVertex(before, 4, t.suR1p2, t.cornerBulge);
    expectVertex(before, 5, t.suR1p1, 0.0);
    EXPECT_TRUE(nose.closed);
    ASSERT_EQ(nose.vertices.size(), 4u);
    expectVertex(nose, 0, t.przejP3, 0.0);
    expectVertex(nose, 1, t.swKp, t.noseBulge);
    expectVertex(nose, 2, t.suKp, 0.0);
    expectVertex(nose, 3, t.przejP4, 0.0);
    EXPECT_EQ(r.polylines[2].vertices.size(), 3u) << "then the triangle";
    EXPECT_LT(signedArea(before), 0.0);
    EXPECT_LT(signedArea(nose), 0.0);
}

TEST(TriangularIsland, SharpCornersWithoutRounding)
{
    IslandParameters p;
    p.R1 = 0.0;
    const TriangularIslandResult r = BuildTriangularIsland(p, kOrigin, kEast);
    ASSERT_FALSE(r.fault) << IslandFaultMessage(r.fault);
    const IslandPolyline& island = r.polylines[0];
    ASSERT_EQ(island.vertices.size(), 4u) << "each corner one vertex";
    expectVertex(island, 0, r.island.swp, 0.0);
    expectVertex(island, 1, r.island.swKp, r.island.noseBulge);
    expectVertex(island, 2, r.island.suKp, 0.0);
    expectVertex(island, 3, r.island.sup, 0.0);
}

namespace {

// Parameters drawn widely around the dialog's; many are outside the limits.
IslandParameters randomTriangularParameters(std::mt19937& random)
{
    std::uniform_real_distribution<double> u(0.0, 1.0);
    IslandParameters p;
    p.R = 8.0 + 60.0 * u(random);
    p.S = 1.0 + 6.0 * u(random);
    p.L = 2.0 + 18.0 * u(random);
    p.A = "1:" + std::to_string(3.0 + 17.0 * u(random));
    p.Sw = 2.5 + 3.0 * u(random);
    p.Su = 2.5 + 3.0 * u(random);
    p.Sd = 5.0 + 5.0 * u(random);
    p.R1 = 1.5 * u(random);
    p.Rw = 5.0 + 25.0 * u(random);
    p.Ru = 5.0 + 25.0 * u(random);
    p.Rw1 = 10.0 + 100.0 * u(random);
    p.Ru1 = 10.0 + 100.0 * u(random);
    if (u(random) < 0.5) {
        p.L1 = 0.5 + 3.0 * u(random);
        p.L2 = 2.0 + 3.0 * u(random);
    }
    return p;
}

}  // namespace

TEST(TriangularIsland, EveryIslandWithinTheLimitsKeepsItsShape)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    int drawn = 0;
    for (int i = 0; i < 4000; ++i) {
        const IslandParameters p = randomTriangularParameters(random);
        const double far = i % 3 ? 0.0 : 5.0e5;  // near the origin, or at survey coordinates
        const ZcGePoint3d p1(far + 200.0 * u(random) - 100.0, far + 200.0 * u(random) - 100.0, 0.0);
        const double direction = 2.0 * PiValue() * u(random);
        const ZcGePoint3d p2 = PolarPoint(p1, 0.5 + 50.0 * u(random), direction);
        const TriangularIslandResult r = BuildTriangularIsland(p, p1, p2);
        SCOPED_TRACE(::testing::Message() << "island " << i);
        if (r.fault) {
            EXPECT_TRUE(r.polylines.empty());
            EXPECT_FALSE(IslandFaultMessage(r.fault).empty());
            continue;
        }
        ++drawn;
        const TriangularIsland& t = r.island;
        const double tol = 1e-9 * (1.0 + far);
        const size_t islandParts = p.L1 == 0.0 ? 1 : 2;
        ASSERT_EQ(r.polylines.size(), islandParts + 3);

        // The island: symmetric about the axis, clockwise, smooth where it
        // is rounded.
        const ZcGeVector2d axis(t.mainDir.x, t.mainDir.y);
        for (size_t k = 0; k < islandParts; ++k) {
            const IslandPolyline& outline = r.polylines[k];
            EXPECT_TRUE(sameOutline(outline, mirroredReversed(outline, MakePoint2d(p1), axis), tol));
            EXPECT_LT(signedArea(outline), 0.0);
            for (const IslandVertex& v : outline.vertices)
                EXPECT_LE(v.bulge, 0.0);
        }
        if (islandParts == 1) {
            EXPECT_LT(worstJoint(r.polylines[0]), 1e-7);
        }

        // The kerbs: smooth, arcs under a half turn, from the road's edge
        // (running away from the roundabout) to the circle, met at a tangent.
        for (size_t k = islandParts + 1; k < r.polylines.size(); ++k) {
            const IslandPolyline& kerb = r.polylines[k];
            EXPECT_LT(worstJoint(kerb), 1e-7);
            for (const IslandVertex& v : kerb.vertices)
                EXPECT_LT(std::fabs(v.bulge), 1.0);
            const ZcGeVector2d leaving = segmentDirection(kerb, 0, false);
            EXPECT_NEAR(leaving.dotProduct(-axis), 1.0, 1e-9) << "along the road's edge, towards the roundabout";
            const ZcGePoint2d end = kerb.vertices.back().point, centre = MakePoint2d(t.mainRondCenter);
            EXPECT_NEAR(end.distanceTo(centre), p.R, tol);
            const ZcGeVector2d arriving = segmentDirection(kerb, kerb.vertices.size() - 2, true);
            EXPECT_NEAR(arriving.dotProduct((end - centre) / p.R), 0.0, 1e-7) << "tangent to the circle";
        }
        // The kerbs' named points lie where they say.
        for (const TriangularKerb* k : {&t.inlet, &t.outlet}) {
            EXPECT_NEAR(k->arc.onCircle.distanceTo(t.mainRondCenter), p.R, tol);
            EXPECT_NEAR(k->arc.centre.distanceTo(t.mainRondCenter) - k->arc.centre.distanceTo(k->arc.onKerb), p.R,
                        tol);
        }
    }
    EXPECT_GT(drawn, 1000) << "enough islands within the limits";
    EXPECT_LT(drawn, 4000) << "and some outside them";
}

TEST(TriangularIsland, TurningTheDirectionHalfRoundTurnsTheDrawing)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    int compared = 0;
    for (int i = 0; i < 300; ++i) {
        const IslandParameters p = randomTriangularParameters(random);
        const ZcGePoint3d p1(100.0 * u(random), 100.0 * u(random), 0.0);
        const ZcGeVector3d towards = PolarPoint(ZcGePoint3d::kOrigin, 1.0 + 30.0 * u(random), 2.0 * PiValue() * u(random)) -
                                     ZcGePoint3d::kOrigin;
        const TriangularIslandResult a = BuildTriangularIsland(p, p1, p1 + towards);
        const TriangularIslandResult b = BuildTriangularIsland(p, p1, p1 - towards);
        ASSERT_EQ(a.fault.limit, b.fault.limit) << i;
        if (a.fault)
            continue;
        ++compared;
        expectTurnedHalfRound(a.polylines, b.polylines, MakePoint2d(p1));
    }
    EXPECT_GT(compared, 50);
}

TEST(TriangularIsland, EachLimitNamesItsParameter)
{
    struct Case {
        const char* what;
        void (*change)(IslandParameters&);
        ZcGePoint3d p2;
        IslandLimit limit;
        const char* parameter;
    };
    const Case cases[] = {
        {"P2 on P1", [](IslandParameters&) {}, kOrigin, IslandLimit::SamePoints, "P2"},
        {"R of 0", [](IslandParameters& p) { p.R = 0.0; }, kEast, IslandLimit::NotPositive, "R"},
        {"S of 1e-300", [](IslandParameters& p) { p.S = 1e-300; }, kEast, IslandLimit::NotPositive, "S"},
        {"S NaN", [](IslandParameters& p) { p.S = NAN; }, kEast, IslandLimit::NotPositive, "S"},
        {"negative Sd", [](IslandParameters& p) { p.Sd = -7.0; }, kEast, IslandLimit::NotPositive, "Sd"},
        {"negative R1", [](IslandParameters& p) { p.R1 = -0.5; }, kEast, IslandLimit::Negative, "R1"},
        {"Rw1 of 0", [](IslandParameters& p) { p.Rw1 = 0.0; }, kEast, IslandLimit::NotPositive, "Rw1"},
        {"infinite L2", [](IslandParameters& p) { p.L2 = INFINITY; }, kEast, IslandLimit::NotANumber, "L2"},
        {"skew 0", [](IslandParameters& p) { p.A = "0:10"; }, kEast, IslandLimit::SkewAngle, "A"},
        {"skew 90", [](IslandParameters& p) { p.A = "1:0"; }, kEast, IslandLimit::SkewAngle, "A"},
        {"skew negative", [](IslandParameters& p) { p.A = "-1:10"; }, kEast, IslandLimit::SkewAngle, "A"},
        {"skew 0:0", [](IslandParameters& p) { p.A = "0:0"; }, kEast, IslandLimit::SkewAngle, "A"},
        {"L at the apex", [](IslandParameters& p) { p.L = 20.0; }, kEast, IslandLimit::IslandLength, "L"},
        {"R1 wider than the base", [](IslandParameters& p) { p.R1 = 2.0; }, kEast, IslandLimit::CornerRounding, "R1"},
        {"R1 into the nose",
         [](IslandParameters& p) {
             p.L = 1.0;
             p.R1 = 1.5;
         },
         kEast, IslandLimit::CornerRounding, "R1"},
        {"crossing beyond the nose",
         [](IslandParameters& p) {
             p.L1 = -0.5;
             p.L2 = 4.0;
         },
         kEast, IslandLimit::Crossing, "L1"},
        {"crossing behind the base",
         [](IslandParameters& p) {
             p.L1 = 5.0;
             p.L2 = 10.0;
         },
         kEast, IslandLimit::Crossing, "L1"},
        {"crossing of no width",
         [](IslandParameters& p) {
             p.L1 = 2.5;
             p.L2 = 0.0;
         },
         kEast, IslandLimit::Crossing, "L2"},
        {"inlet misses its circle", [](IslandParameters& p) { p.Sw = 60.0; }, kEast, IslandLimit::KerbCircle, "Rw"},
        {"outlet misses its circle", [](IslandParameters& p) { p.Su = 60.0; }, kEast, IslandLimit::KerbCircle, "Ru"},
        {"road wider than the inlet", [](IslandParameters& p) { p.Sd = 12.0; }, kEast, IslandLimit::KerbInsideRoad,
         "Sw"},
        {"inlet break too big", [](IslandParameters& p) { p.Rw1 = 500.0; }, kEast, IslandLimit::KerbBreak, "Rw1"},
        {"outlet break too big", [](IslandParameters& p) { p.Ru1 = 1000.0; }, kEast, IslandLimit::KerbBreak, "Ru1"},
    };
    for (const Case& c : cases) {
        IslandParameters p;
        c.change(p);
        const TriangularIslandResult r = BuildTriangularIsland(p, kOrigin, c.p2);
        EXPECT_EQ(r.fault.limit, c.limit) << c.what << ": " << IslandFaultMessage(r.fault);
        EXPECT_STREQ(r.fault.parameter, c.parameter) << c.what;
        EXPECT_TRUE(r.polylines.empty()) << c.what;
    }
}

TEST(TriangularIsland, ExtremeNumbersGiveAFaultOrFiniteOutlines)
{
    const double extremes[] = {1e300, -1e300, 1e-300, 1e154, 1e-12, DBL_MAX, DBL_MIN};
    double IslandParameters::* const lengths[] = {&IslandParameters::R,  &IslandParameters::S,   &IslandParameters::L,
                                                   &IslandParameters::Sw, &IslandParameters::Su,  &IslandParameters::Sd,
                                                   &IslandParameters::R1, &IslandParameters::Ru,  &IslandParameters::Rw,
                                                   &IslandParameters::Ru1, &IslandParameters::Rw1, &IslandParameters::L1,
                                                   &IslandParameters::L2};
    for (double IslandParameters::* length : lengths) {
        for (double value : extremes) {
            IslandParameters p;
            p.*length = value;
            for (const ZcGePoint3d& p2 : {kEast, ZcGePoint3d(1e-300, 0, 0), ZcGePoint3d(1e300, 1e300, 0)}) {
                const TriangularIslandResult r = BuildTriangularIsland(p, kOrigin, p2);
                if (r.fault)
                    EXPECT_TRUE(r.polylines.empty());
                else
                    EXPECT_TRUE(IslandPolylinesFinite(r.polylines)) << value;
            }
        }
    }
}
