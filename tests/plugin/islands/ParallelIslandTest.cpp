// The parallel island: the worked island with its crossing, what every
// island within the limits keeps, and the limits of its own.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geometry/Angles.h"
#include "geometry/Points.h"
#include "islands/ParallelIsland.h"
#include "tests/plugin/islands/IslandShapes.h"

using namespace island_test;

namespace {

IslandParameters parallelDefaults()
{
    IslandParameters p;
    applyKindValues(p, IslandKind::kParallel);
    return p;
}

}  // namespace

TEST(ParallelIsland, WorkedIslandOfTheParallelKind)
{
    const ParallelIslandResult r = BuildParallelIsland(parallelDefaults(), kOrigin, kEast);
    ASSERT_FALSE(r.fault) << IslandFaultMessage(r.fault);
    const ParallelIsland& t = r.island;
    expectAt(t.s3, 27.5, 0, "S3");
    expectAt(t.swSP, 0, 1.25, "SwSP");
    expectAt(t.suSP, 0, -1.25, "SuSP");
    expectAt(t.swEP, 15, 1.25, "SwEP");
    expectAt(t.suEP, 15, -1.25, "SuEP");
    expectAt(t.swSP1, 0, 0.75, "SwSP1");
    expectAt(t.swSP2, 0.5, 1.25, "SwSP2");
    expectAt(t.sRwCen, 0.5, 0.75, "SRwCen");
    expectAt(t.swEP1, 15, 0.75, "SwEP1");
    expectAt(t.swEP2, 14.5, 1.25, "SwEP2");
    expectAt(t.eRwCen, 14.5, 0.75, "ERwCen");
    expectAt(t.suEP1, 15, -0.75, "SuEP1");
    expectAt(t.suEP2, 14.5, -1.25, "SuEP2");
    expectAt(t.suSP1, 0, -0.75, "SuSP1");
    expectAt(t.suSP2, 0.5, -1.25, "SuSP2");
    expectAt(t.mainRondCenter, -20, 0, "MainRondCenter");
    for (double b : {t.sRwBulge, t.eRwBulge, t.eRuBulge, t.sRuBulge})
        EXPECT_NEAR(b, std::tan(-PiValue() / 8.0), 1e-12) << "quarter circles clockwise";
    expectAt(t.swCrossNear, 8.5, 1.25, "crossing");
    expectAt(t.swCrossFar, 12.5, 1.25, "crossing");

    const ParallelKerb& k = t.inlet;
    EXPECT_NEAR(k.alongIsland[0].y, 4.75, 1e-12);
    EXPECT_NEAR(k.alongIsland[1].y, 4.75, 1e-12);
    expectAt(k.alongTaper[0], 15.3483, 4.7326, "SwOP34[0]");
    expectAt(k.alongTaper[1], 27.8483, 3.4826, "SwOP34[1]");
    EXPECT_NEAR(k.roadEdge[0].y, 3.5, 1e-12);
    EXPECT_NEAR(k.roadEdge[1].y, 3.5, 1e-12);
    expectAt(k.arc.centre, 4.9286, 12.75, "RwCen");
    expectAt(k.arc.onCircle, -2.1938, 9.1071, "SwP0");
    EXPECT_NEAR(k.arcBulge, 0.2816, 5e-5);
    expectAt(k.arc.onKerb, 4.9286, 4.75, "SwP1");
    expectAt(k.taperBreak[0], 12.6808, -45.25, "SwRw2[0]");
    expectAt(k.taperBreak[1], 12.6808, 4.75, "SwRw2[1]");
    expectAt(k.taperBreak[2], 17.6560, 4.5019, "SwRw2[2]");
    EXPECT_NEAR(k.taperBreakBulge, -0.0249, 5e-5);
    expectAt(k.edgeBreak[0], 30.1683, 53.5, "SwRw3[0]");
    expectAt(k.edgeBreak[1], 25.1932, 3.7481, "SwRw3[1]");
    expectAt(k.edgeBreak[2], 30.1683, 3.5, "SwRw3[2]");
    EXPECT_NEAR(k.edgeBreakBulge, 0.0249, 5e-5);

    // Taper, inlet, outlet, the island before the crossing and beyond it.
    ASSERT_EQ(r.polylines.size(), 5u);
    const IslandPolyline& taper = r.polylines[0];
    EXPECT_FALSE(taper.closed);
    ASSERT_EQ(taper.vertices.size(), 3u);
    expectVertex(taper, 0, t.suEP2, 0.0);
    expectVertex(taper, 1, t.s3, 0.0);
    expectVertex(taper, 2, t.swEP2, 0.0);
    for (size_t i = 0; i < 2; ++i) {
        const IslandPolyline& kerb = r.polylines[1 + i];
        const ParallelKerb& side = i == 0 ? t.inlet : t.outlet;
        EXPECT_FALSE(kerb.closed);
        ASSERT_EQ(kerb.vertices.size(), 6u);
        expectVertex(kerb, 0, side.arc.onCircle, side.arcBulge);
        expectVertex(kerb, 1, side.arc.onKerb, 0.0);
        expectVertex(kerb, 2, side.taperBreak[1], side.taperBreakBulge);
        expectVertex(kerb, 3, side.taperBreak[2], 0.0);
        expectVertex(kerb, 4, side.edgeBreak[1], side.edgeBreakBulge);
        expectVertex(kerb, 5, side.edgeBreak[2], 0.0);
    }
    EXPECT_LT(t.outlet.arcBulge, 0.0) << "the outlet turns the other way";
    EXPECT_GT(t.outlet.taperBreakBulge, 0.0);
    EXPECT_LT(t.outlet.edgeBreakBulge, 0.0);
    const IslandPolyline &before = r.polylines[3], &nose = r.polylines[4];
    EXPECT_TRUE(before.closed);
    ASSERT_EQ(before.vertices.size(), 6u);
    expectVertex(before, 0, t.swSP1, t.sRwBulge);
    expectVertex(before, 1, t.swSP2, 0.0);
    expectVertex(before, 2, t.swCrossNear, 0.0);
    expectVertex(before, 3, t.suCrossNear, 0.0);
    expectVertex(before, 4, t.suSP2, t.sRuBulge);
    expectVertex(before, 5, t.suSP1, 0.0);
    EXPECT_TRUE(nose.closed);
    ASSERT_EQ(nose.vertices.size(), 6u);
    expectVertex(nose, 0, t.swCrossFar, 0.0);
    expectVertex(nose, 1, t.swEP2, t.eRwBulge);
    expectVertex(nose, 2, t.swEP1, 0.0);
    expectVertex(nose, 3, t.suEP1, t.eRuBulge);
    expectVertex(nose, 4, t.suEP2, 0.0);
    expectVertex(nose, 5, t.suCrossFar, 0.0);
}

TEST(ParallelIsland, WithoutCrossingTheIslandIsOneOutlineOfEightVertices)
{
    IslandParameters p = parallelDefaults();
    p.L1 = 0.0;
    const ParallelIslandResult r = BuildParallelIsland(p, kOrigin, kEast);
    ASSERT_FALSE(r.fault) << IslandFaultMessage(r.fault);
    ASSERT_EQ(r.polylines.size(), 4u);
    const ParallelIsland& t = r.island;
    const IslandPolyline& island = r.polylines[3];
    EXPECT_TRUE(island.closed);
    ASSERT_EQ(island.vertices.size(), 8u);
    expectVertex(island, 0, t.swSP1, t.sRwBulge);
    expectVertex(island, 1, t.swSP2, 0.0);
    expectVertex(island, 2, t.swEP2, t.eRwBulge);
    expectVertex(island, 3, t.swEP1, 0.0);
    expectVertex(island, 4, t.suEP1, t.eRuBulge);
    expectVertex(island, 5, t.suEP2, 0.0);
    expectVertex(island, 6, t.suSP2, t.sRuBulge);
    expectVertex(island, 7, t.suSP1, 0.0);
    EXPECT_NEAR(signedArea(island), -(15.0 * 2.5 - (4.0 - PiValue()) * 0.25), 1e-9);

    p.R1 = 0.0;
    const ParallelIslandResult sharp = BuildParallelIsland(p, kOrigin, kEast);
    ASSERT_FALSE(sharp.fault);
    EXPECT_EQ(sharp.polylines[3].vertices.size(), 4u) << "sharp corners, one vertex each";
    EXPECT_NEAR(signedArea(sharp.polylines[3]), -37.5, 1e-9);
}

namespace {

IslandParameters randomParameters(std::mt19937& random)
{
    std::uniform_real_distribution<double> u(0.0, 1.0);
    IslandParameters p = parallelDefaults();
    p.R = 8.0 + 60.0 * u(random);
    p.S = 1.0 + 5.0 * u(random);
    p.L = 3.0 + 17.0 * u(random);
    p.A = std::to_string(0.5 + u(random)) + ":" + std::to_string(4.0 + 16.0 * u(random));
    p.Sw = 2.5 + 3.0 * u(random);
    p.Su = 2.5 + 3.0 * u(random);
    p.Sd = 4.0 + 6.0 * u(random);
    p.R1 = 1.2 * u(random);
    p.Rw = 4.0 + 20.0 * u(random);
    p.Ru = 4.0 + 20.0 * u(random);
    p.Rw1 = 10.0 + 60.0 * u(random);
    p.Ru1 = 10.0 + 60.0 * u(random);
    p.L1 = u(random) < 0.5 ? 0.0 : 0.5 + 2.0 * u(random);
    p.L2 = 1.0 + 3.0 * u(random);
    return p;
}

}  // namespace

TEST(ParallelIsland, EveryIslandWithinTheLimitsKeepsItsShape)
{
    std::mt19937 random(5);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    int drawn = 0;
    for (int i = 0; i < 4000; ++i) {
        const IslandParameters p = randomParameters(random);
        const double far = i % 3 ? 0.0 : 5.0e5;
        const ZcGePoint3d p1(far + 200.0 * u(random) - 100.0, far + 200.0 * u(random) - 100.0, 0.0);
        const ZcGePoint3d p2 = PolarPoint(p1, 0.5 + 50.0 * u(random), 2.0 * PiValue() * u(random));
        const ParallelIslandResult r = BuildParallelIsland(p, p1, p2);
        SCOPED_TRACE(::testing::Message() << "island " << i);
        if (r.fault) {
            EXPECT_TRUE(r.polylines.empty());
            EXPECT_FALSE(IslandFaultMessage(r.fault).empty());
            continue;
        }
        ++drawn;
        const ParallelIsland& t = r.island;
        const double tol = 1e-9 * (1.0 + far);
        const size_t islandParts = p.L1 == 0.0 ? 1 : 2;
        ASSERT_EQ(r.polylines.size(), 3 + islandParts);
        const ZcGeVector2d axis(t.dirVec.x, t.dirVec.y);

        // The taper is symmetric, the island too, clockwise and smooth.
        const IslandPolyline& taper = r.polylines[0];
        EXPECT_NEAR(MakePoint2d(t.p1).distanceTo(taper.vertices[0].point),
                    MakePoint2d(t.p1).distanceTo(taper.vertices[2].point), tol);
        for (size_t k = 3; k < r.polylines.size(); ++k) {
            const IslandPolyline& outline = r.polylines[k];
            EXPECT_TRUE(sameOutline(outline, mirroredReversed(outline, MakePoint2d(t.p1), axis), tol));
            EXPECT_LT(signedArea(outline), 0.0);
            for (const IslandVertex& v : outline.vertices)
                EXPECT_LE(v.bulge, 0.0);
        }
        if (islandParts == 1) {
            EXPECT_LT(worstJoint(r.polylines[3]), 1e-7);
        }

        // The kerbs: from the circle, left at a tangent, smooth, with arcs
        // under a half turn, ending along the road's edge away from the
        // roundabout.
        for (size_t k = 1; k <= 2; ++k) {
            const IslandPolyline& kerb = r.polylines[k];
            EXPECT_LT(worstJoint(kerb), 1e-7);
            for (const IslandVertex& v : kerb.vertices)
                EXPECT_LT(std::fabs(v.bulge), 1.0);
            const ZcGePoint2d start = kerb.vertices[0].point, centre = MakePoint2d(t.mainRondCenter);
            EXPECT_NEAR(start.distanceTo(centre), p.R, tol);
            EXPECT_NEAR(segmentDirection(kerb, 0, false).dotProduct((start - centre) / p.R), 0.0, 1e-7);
            const ZcGeVector2d last = segmentDirection(kerb, kerb.vertices.size() - 2, true);
            EXPECT_NEAR(last.dotProduct(axis), 1.0, 1e-9);
            const ZcGeVector2d out = kerb.vertices.back().point - MakePoint2d(t.p1);
            EXPECT_NEAR(std::fabs(cross(axis, out)), p.Sd / 2.0, tol) << "on the road's edge";
        }
    }
    EXPECT_GT(drawn, 1000);
    EXPECT_LT(drawn, 4000);
}

TEST(ParallelIsland, TurningTheDirectionHalfRoundTurnsTheDrawing)
{
    std::mt19937 random(3);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    int compared = 0;
    for (int i = 0; i < 300; ++i) {
        const IslandParameters p = randomParameters(random);
        const ZcGePoint3d p1(100.0 * u(random), 100.0 * u(random), 0.0);
        const ZcGeVector3d towards(std::cos(7.0 * i), std::sin(7.0 * i), 0.0);
        const ParallelIslandResult a = BuildParallelIsland(p, p1, p1 + towards * 12.0);
        const ParallelIslandResult b = BuildParallelIsland(p, p1, p1 - towards * 12.0);
        ASSERT_EQ(a.fault.limit, b.fault.limit) << i;
        if (a.fault)
            continue;
        ++compared;
        expectTurnedHalfRound(a.polylines, b.polylines, MakePoint2d(p1));
    }
    EXPECT_GT(compared, 50);
}

TEST(ParallelIsland, EachLimitOfItsOwnNamesItsParameter)
{
    struct Case {
        const char* what;
        void (*change)(IslandParameters&);
        IslandLimit limit;
        const char* parameter;
    };
    const Case cases[] = {
        {"L of 0", [](IslandParameters& p) { p.L = 0.0; }, IslandLimit::NotPositive, "L"},
        {"skew 90", [](IslandParameters& p) { p.A = "5:0"; }, IslandLimit::SkewAngle, "A"},
        {"R1 over half S", [](IslandParameters& p) { p.R1 = 1.3; }, IslandLimit::CornerRounding, "R1"},
        {"R1 over half L",
         [](IslandParameters& p) {
             p.S = 6.0;
             p.L = 2.0;
             p.L1 = 0.0;
             p.R1 = 1.1;
         },
         IslandLimit::CornerRounding, "R1"},
        {"crossing into the end corners", [](IslandParameters& p) { p.L1 = 0.2; }, IslandLimit::Crossing, "L1"},
        {"crossing into the start corners", [](IslandParameters& p) { p.L2 = 12.4; }, IslandLimit::Crossing, "L1"},
        {"crossing of negative width", [](IslandParameters& p) { p.L2 = -1.0; }, IslandLimit::Crossing, "L2"},
        {"inlet misses its circle", [](IslandParameters& p) { p.Sw = 40.0; }, IslandLimit::KerbCircle, "Rw"},
        {"outlet misses its circle", [](IslandParameters& p) { p.Su = 40.0; }, IslandLimit::KerbCircle, "Ru"},
        {"road wider than the outlet",
         [](IslandParameters& p) {
             p.Sw = 5.0;
             p.Sd = 10.5;
         },
         IslandLimit::KerbInsideRoad, "Su"},
        {"inlet breaks too big", [](IslandParameters& p) { p.Rw1 = 500.0; }, IslandLimit::KerbBreak, "Rw1"},
        {"outlet breaks too big", [](IslandParameters& p) { p.Ru1 = 500.0; }, IslandLimit::KerbBreak, "Ru1"},
    };
    for (const Case& c : cases) {
        IslandParameters p = parallelDefaults();
        c.change(p);
        const ParallelIslandResult r = BuildParallelIsland(p, kOrigin, kEast);
        EXPECT_EQ(r.fault.limit, c.limit) << c.what << ": " << IslandFaultMessage(r.fault);
        EXPECT_STREQ(r.fault.parameter, c.parameter) << c.what;
        EXPECT_TRUE(r.polylines.empty()) << c.what;
    }
}
