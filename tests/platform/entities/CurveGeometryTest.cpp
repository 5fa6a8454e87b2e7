#include <random>

#include "ZcDbArc.h"
#include "ZcDbCircle.h"
#include "ZcDbLine.h"
#include "ZcDbPolyline.h"
#include "tests/platform/entities/EntityTestSupport.h"

namespace {
// (0,0) -> (10,0), a half circle bulging right to (10,10) round (10,5) with
// radius 5, then back to (0,10).
void addHook(ZcDbPolyline& p)
{
    p.addVertexAt(0, {0, 0});
    p.addVertexAt(1, {10, 0}, 1.0);
    p.addVertexAt(2, {10, 10});
    p.addVertexAt(3, {0, 10});
}
}  // namespace

TEST(PolylineGeometry, ArcSegmentLengthAndClosestPoint)
{
    ZcDbPolyline p;
    addHook(p);
    EXPECT_FALSE(p.isOnlyLines());

    double end = 0, length = 0, dist = 0;
    ASSERT_EQ(p.getEndParam(end), Zcad::eOk);
    EXPECT_EQ(end, 3.0);
    ASSERT_EQ(p.getDistAtParam(end, length), Zcad::eOk);
    EXPECT_NEAR(length, 20 + 5 * kPi, kGeomTol);

    ZcGePoint3d at;
    ASSERT_EQ(p.getPointAtParam(1.5, at), Zcad::eOk);
    expectNear(at, {15, 5, 0});

    ZcGePoint3d closest;
    ASSERT_EQ(p.getClosestPointTo({20, 5, 0}, closest), Zcad::eOk);
    expectNear(closest, {15, 5, 0});
    ASSERT_EQ(p.getClosestPointTo({10 + 3 * std::cos(0.3), 5 + 3 * std::sin(0.3), 0}, closest), Zcad::eOk);
    expectNear(closest, {10 + 5 * std::cos(0.3), 5 + 5 * std::sin(0.3), 0});
    EXPECT_NEAR(closest.distanceTo({10, 5, 0}), 5.0, kGeomTol) << "the closest point lies on the arc";

    ASSERT_EQ(p.getDistAtPoint(closest, dist), Zcad::eOk);
    EXPECT_NEAR(dist, 10 + 5 * (kPi / 2 + 0.3), 1e-8);
    EXPECT_EQ(p.getDistAtPoint({5, 5, 0}, dist), Zcad::eInvalidInput) << "a point off the polyline";
}

TEST(PolylineGeometry, StartEndPointsAndClosing)
{
    ZcDbPolyline p;
    p.setElevation(2.0);
    addHook(p);
    ZcGePoint3d start, end;
    ASSERT_EQ(p.getStartPoint(start), Zcad::eOk);
    ASSERT_EQ(p.getEndPoint(end), Zcad::eOk);
    expectNear(start, {0, 0, 2});
    expectNear(end, {0, 10, 2});

    // Closed, the last segment runs back to vertex 0.
    p.setClosed(true);
    double endParam = 0, length = 0, dist = 0;
    p.getEndParam(endParam);
    EXPECT_EQ(endParam, 4.0);
    ASSERT_EQ(p.getEndPoint(end), Zcad::eOk);
    expectNear(end, start);
    p.getDistAtParam(endParam, length);
    EXPECT_NEAR(length, 30 + 5 * kPi, kGeomTol);
    ASSERT_EQ(p.getDistAtPoint({0, 5, 2}, dist), Zcad::eOk);
    EXPECT_NEAR(dist, 25 + 5 * kPi, kGeomTol);

    ZcDbPolyline empty;
    EXPECT_NE(empty.getStartPoint(start), Zcad::eOk);
    ZcDbExtents ext;
    EXPECT_EQ(empty.getGeomExtents(ext), Zcad::eInvalidExtents);
}

TEST(PolylineGeometry, ExtentsIncludeTheArcsBulge)
{
    ZcDbPolyline p;
    addHook(p);
    ZcDbExtents ext;
    ASSERT_EQ(p.getGeomExtents(ext), Zcad::eOk);
    expectNear(ext.minPoint(), {0, 0, 0});
    expectNear(ext.maxPoint(), {15, 10, 0});
}

TEST(PolylineGeometry, ExtentsAreTheTightBoxOfRandomArcsAndLines)
{
    // Every point of the curve lies in the box, and each side of the box
    // is reached by the curve: sampled densely, the curve comes within the
    // sampling's reach of every side.
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> coordinate(-50.0, 50.0), bulge(-3.0, 3.0);
    for (int trial = 0; trial < 100; ++trial) {
        ZcDbPolyline p;
        const int n = 2 + trial % 6;
        for (int i = 0; i < n; ++i)
            p.addVertexAt(i, {coordinate(random), coordinate(random)}, trial % 4 == 0 ? 0.0 : bulge(random));
        p.setClosed(trial % 3 == 0);
        ZcDbExtents ext;
        ASSERT_EQ(p.getGeomExtents(ext), Zcad::eOk);
        double end = 0.0;
        ASSERT_EQ(p.getEndParam(end), Zcad::eOk);
        // Each segment sampled from end to end, so that corners are hit exactly.
        constexpr int kPerSegment = 2000;
        double lo[2] = {1e300, 1e300}, hi[2] = {-1e300, -1e300};
        for (int k = 0; k <= kPerSegment * int(end); ++k) {
            ZcGePoint3d q;
            ASSERT_EQ(p.getPointAtParam(double(k) / kPerSegment, q), Zcad::eOk);
            EXPECT_GE(q.x, ext.minPoint().x - 1e-9);
            EXPECT_LE(q.x, ext.maxPoint().x + 1e-9);
            EXPECT_GE(q.y, ext.minPoint().y - 1e-9);
            EXPECT_LE(q.y, ext.maxPoint().y + 1e-9);
            lo[0] = std::min(lo[0], q.x), lo[1] = std::min(lo[1], q.y);
            hi[0] = std::max(hi[0], q.x), hi[1] = std::max(hi[1], q.y);
        }
        // Between two samples an arc departs from its chord by a sagitta
        // far below this.
        const double reach = 0.01;
        EXPECT_NEAR(lo[0], ext.minPoint().x, reach) << trial;
        EXPECT_NEAR(lo[1], ext.minPoint().y, reach) << trial;
        EXPECT_NEAR(hi[0], ext.maxPoint().x, reach) << trial;
        EXPECT_NEAR(hi[1], ext.maxPoint().y, reach) << trial;
    }
}

TEST(PolylineWidths, DefaultWidthsReadAsTheConstantWidth)
{
    ZcDbPolyline p;
    p.addVertexAt(0, {0, 0});
    p.addVertexAt(1, {1, 0}, 0, 0.5, 0.5);
    p.addVertexAt(2, {2, 0});
    double w = -7, s = 0, e = 0;
    EXPECT_EQ(p.getConstantWidth(w), Zcad::eInvalidInput) << "segments of different widths";

    ASSERT_EQ(p.setConstantWidth(0.24), Zcad::eOk);
    ASSERT_EQ(p.getConstantWidth(w), Zcad::eOk);
    EXPECT_EQ(w, 0.24);
    p.getWidthsAt(1, s, e);
    EXPECT_EQ(s, 0.24);
    EXPECT_EQ(e, 0.24);

    p.setWidthsAt(0, 0.1, 0.24);
    EXPECT_EQ(p.getConstantWidth(w), Zcad::eInvalidInput) << "a tapering segment";
}

TEST(CurveParameters, LineArcAndCircle)
{
    ZcDbLine line({1, 1, 0}, {4, 5, 0});
    double param = 0, dist = 0;
    ASSERT_EQ(line.getParamAtPoint({2.5, 3, 0}, param), Zcad::eOk);
    EXPECT_NEAR(param, 2.5, kGeomTol);
    EXPECT_EQ(line.getParamAtPoint({7, 9, 0}, param), Zcad::eInvalidInput) << "on the line's extension";
    ZcGePoint3d p;
    ASSERT_EQ(line.getClosestPointTo({7, 9, 0}, p, true), Zcad::eOk);
    expectNear(p, {7, 9, 0});
    ASSERT_EQ(line.getClosestPointTo({7, 9, 0}, p, false), Zcad::eOk);
    expectNear(p, {4, 5, 0});

    // Counter-clockwise from 350 to 10 degrees: crosses 0.
    ZcDbArc arc({0, 0, 0}, 2, -10 * kPi / 180, 10 * kPi / 180);
    EXPECT_NEAR(arc.startAngle(), 350 * kPi / 180, kGeomTol) << "angles are kept in [0, 2pi)";
    ASSERT_EQ(arc.getDistAtPoint({2, 0, 0}, dist), Zcad::eOk);
    EXPECT_NEAR(dist, 2 * 10 * kPi / 180, kGeomTol);
    EXPECT_EQ(arc.getDistAtPoint({-2, 0, 0}, dist), Zcad::eInvalidInput) << "on the circle, off the arc";
    ASSERT_EQ(arc.getClosestPointTo({-1, -0.1, 0}, p), Zcad::eOk);
    ZcGePoint3d start;
    arc.getStartPoint(start);
    expectNear(p, start);

    ZcDbCircle circle({0, 0, 1}, ZcGeVector3d::kZAxis, 3);
    ASSERT_EQ(circle.getDistAtPoint({0, -3, 1}, dist), Zcad::eOk);
    EXPECT_NEAR(dist, 3 * 1.5 * kPi, kGeomTol);
}

// Bulges and widths are stored only once some vertex has one: inserting,
// removing and copying must keep every vertex's own values, whichever
// vertex brought them in first.
TEST(PolylineVertices, BulgesAndWidthsStayWithTheirVerticesThroughEdits)
{
    ZcDbPolyline p;
    for (unsigned i = 0; i < 5; ++i)
        ASSERT_EQ(p.addVertexAt(i, {double(i), 0}), Zcad::eOk);
    ASSERT_EQ(p.addVertexAt(2, {1.5, 1}, 0.25), Zcad::eOk);
    ASSERT_EQ(p.addVertexAt(0, {-1, 0}, 0, 0.3, 0.4), Zcad::eOk);
    ASSERT_EQ(p.removeVertexAt(1), Zcad::eOk);
    ASSERT_EQ(p.setElevation(2.5), Zcad::eOk);

    // Left: (-1,0) w 0.3/0.4, (1,0), (1.5,1) bulge 0.25, (2,0), (3,0), (4,0).
    const double xs[] = {-1, 1, 1.5, 2, 3, 4};
    const double bulges[] = {0, 0, 0.25, 0, 0, 0};
    ASSERT_EQ(p.numVerts(), 6u);
    auto check = [&](const ZcDbPolyline& q) {
        for (unsigned i = 0; i < 6; ++i) {
            ZcGePoint3d pt;
            double b = 9, s = 9, e = 9;
            ASSERT_EQ(q.getPointAt(i, pt), Zcad::eOk);
            q.getBulgeAt(i, b);
            q.getWidthsAt(i, s, e);
            EXPECT_EQ(pt.x, xs[i]) << i;
            EXPECT_EQ(pt.z, 2.5) << i;
            EXPECT_EQ(b, bulges[i]) << i;
            EXPECT_EQ(s, i == 0 ? 0.3 : 0.0) << i;
            EXPECT_EQ(e, i == 0 ? 0.4 : 0.0) << i;
        }
    };
    check(p);
    ZcDbObject* copy = p.clone();
    check(*ZcDbPolyline::cast(copy));
    copy->close();
    EXPECT_EQ(p.addVertexAt(7, {0, 0}), Zcad::eInvalidIndex);
    EXPECT_EQ(p.removeVertexAt(6), Zcad::eInvalidIndex);
    check(p);
}
