#include <cmath>

#include "ZcDbArc.h"
#include "ZcDbCircle.h"
#include "ZcDbLine.h"
#include "ZcDbPolyline.h"
#include "tests/platform/entities/EntityTestSupport.h"

namespace {
ZcGePoint3dArray meet(const ZcDbEntity& a, const ZcDbEntity& b, ZcDb::Intersect mode = ZcDb::kOnBothOperands)
{
    ZcGePoint3dArray pts;
    EXPECT_EQ(a.intersectWith(&b, mode, pts), Zcad::eOk);
    return pts;
}
}  // namespace

TEST(IntersectLines, CrossingParallelAndExtendModes)
{
    const ZcDbLine diagonal({0, 0, 0}, {10, 10, 0});
    const ZcDbLine cross({0, 10, 0}, {10, 0, 0});
    ZcGePoint3dArray pts = meet(diagonal, cross);
    ASSERT_EQ(pts.length(), 1);
    expectNear(pts[0], {5, 5, 0});

    EXPECT_EQ(meet(diagonal, ZcDbLine({0, 1, 0}, {10, 11, 0}), ZcDb::kExtendBoth).length(), 0) << "parallel";

    // The short one stops before the diagonal.
    const ZcDbLine stub({0, 10, 0}, {1, 9, 0});
    EXPECT_EQ(meet(diagonal, stub).length(), 0);
    EXPECT_EQ(meet(diagonal, stub, ZcDb::kExtendThis).length(), 0);
    pts = meet(diagonal, stub, ZcDb::kExtendArg);
    ASSERT_EQ(pts.length(), 1);
    expectNear(pts[0], {5, 5, 0});
    EXPECT_EQ(meet(stub, diagonal, ZcDb::kExtendThis).length(), 1);

    // Lines meeting end to end do meet.
    EXPECT_EQ(meet(diagonal, ZcDbLine({10, 10, 0}, {20, 0, 0})).length(), 1);
}

TEST(IntersectLineCircle, TwoPointsInOrderTangencyAndMiss)
{
    const ZcDbCircle circle({0, 0, 0}, ZcGeVector3d::kZAxis, 5);
    ZcGePoint3dArray pts = meet(ZcDbLine({-10, 0, 0}, {10, 0, 0}), circle);
    ASSERT_EQ(pts.length(), 2);
    expectNear(pts[0], {-5, 0, 0});
    expectNear(pts[1], {5, 0, 0});

    pts = meet(ZcDbLine({10, 0, 0}, {-10, 0, 0}), circle);
    ASSERT_EQ(pts.length(), 2);
    expectNear(pts[0], {5, 0, 0});  // points follow the direction of this entity

    pts = meet(ZcDbLine({-10, 5, 0}, {10, 5, 0}), circle);
    ASSERT_EQ(pts.length(), 1) << "a tangent touches once";
    expectNear(pts[0], {0, 5, 0});

    EXPECT_EQ(meet(ZcDbLine({-10, 5.001, 0}, {10, 5.001, 0}), circle).length(), 0);
    EXPECT_EQ(meet(ZcDbLine({-1, 0, 0}, {1, 0, 0}), circle).length(), 0) << "inside, not reaching";
    EXPECT_EQ(meet(ZcDbLine({-1, 0, 0}, {1, 0, 0}), circle, ZcDb::kExtendThis).length(), 2);

    // Points on the circle come in the circle's own order too.
    pts = meet(circle, ZcDbLine({-10, 0, 0}, {10, 0, 0}));
    ASSERT_EQ(pts.length(), 2);
    expectNear(pts[0], {5, 0, 0});
}

TEST(IntersectLineArc, ArcRangeAndExtensionToItsCircle)
{
    const ZcDbArc upper({0, 0, 0}, 5, 0, kPi);
    const ZcDbLine above({-10, 3, 0}, {10, 3, 0});
    const ZcDbLine below({-10, -3, 0}, {10, -3, 0});
    ZcGePoint3dArray pts = meet(above, upper);
    ASSERT_EQ(pts.length(), 2);
    expectNear(pts[0], {-4, 3, 0});
    expectNear(pts[1], {4, 3, 0});
    EXPECT_EQ(meet(below, upper).length(), 0);
    EXPECT_EQ(meet(below, upper, ZcDb::kExtendArg).length(), 2);

    // From the arc's side, points run counter-clockwise from its start.
    pts = meet(upper, above);
    ASSERT_EQ(pts.length(), 2);
    expectNear(pts[0], {4, 3, 0});
    pts = meet(upper, below, ZcDb::kExtendThis);
    ASSERT_EQ(pts.length(), 2);
    expectNear(pts[0], {-4, -3, 0});
}

TEST(IntersectLinePolyline, ArcSegmentsVerticesAndOrder)
{
    ZcDbPolyline hook;
    hook.addVertexAt(0, {0, 0});
    hook.addVertexAt(1, {10, 0}, 1.0);  // half circle round (10,5) through (15,5)
    hook.addVertexAt(2, {10, 10});
    hook.addVertexAt(3, {0, 10});
    hook.setElevation(1.5);

    const double h = std::sqrt(25.0 - 4.0);
    const ZcDbLine vertical({12, 20, 0}, {12, -5, 0});
    ZcGePoint3dArray pts = meet(vertical, hook);
    ASSERT_EQ(pts.length(), 2);
    expectNear(pts[0], {12, 5 + h, 0});
    expectNear(pts[1], {12, 5 - h, 0});

    pts = meet(hook, vertical);
    ASSERT_EQ(pts.length(), 2);
    expectNear(pts[0], {12, 5 - h, 1.5});  // along the polyline, at its elevation

    // Through two vertices, each shared by two segments: each reported once.
    pts = meet(ZcDbLine({10, -5, 0}, {10, 20, 0}), hook);
    ASSERT_EQ(pts.length(), 2);
    expectNear(pts[0], {10, 0, 0});
    expectNear(pts[1], {10, 10, 0});

    // A line touching the arc's far side.
    pts = meet(ZcDbLine({15, -5, 0}, {15, 20, 0}), hook);
    ASSERT_EQ(pts.length(), 1);
    expectNear(pts[0], {15, 5, 0});

    EXPECT_EQ(meet(ZcDbLine({16, -5, 0}, {16, 20, 0}), hook).length(), 0);
    EXPECT_EQ(meet(ZcDbLine({16, -5, 0}, {16, 20, 0}), hook, ZcDb::kExtendArg).length(), 0)
        << "polylines are not extended";
}

TEST(IntersectCurves, ArcCircleAndUnsupportedKinds)
{
    const ZcDbCircle a({0, 0, 0}, ZcGeVector3d::kZAxis, 5);
    const ZcDbCircle b({8, 0, 0}, ZcGeVector3d::kZAxis, 5);
    ZcGePoint3dArray pts = meet(a, b);
    ASSERT_EQ(pts.length(), 2);
    for (const ZcGePoint3d& p : pts) {
        EXPECT_NEAR(p.distanceTo({0, 0, 0}), 5, kGeomTol);
        EXPECT_NEAR(p.distanceTo({8, 0, 0}), 5, kGeomTol);
    }
    EXPECT_EQ(meet(a, ZcDbCircle({10, 0, 0}, ZcGeVector3d::kZAxis, 5)).length(), 1) << "circles touching";
    EXPECT_EQ(meet(a, ZcDbCircle({0, 0, 0}, ZcGeVector3d::kZAxis, 5)).length(), 0) << "the same circle";

    const ZcDbArc lowerRight({8, 0, 0}, 5, kPi, 1.5 * kPi);
    pts = meet(a, lowerRight);
    ASSERT_EQ(pts.length(), 1);
    expectNear(pts[0], {4, -3, 0});

    ZcGePoint3dArray none;
    EXPECT_EQ(a.intersectWith(nullptr, ZcDb::kOnBothOperands, none), Zcad::eNullEntityPointer);
}

TEST(IntersectLineCircle, NationalGridCoordinatesKeepTangency)
{
    // Road drawings sit some 7.5e6 m east and 5.5e6 m north of the origin.
    const ZcGePoint3d c(7500123.25, 5500456.75, 0);
    const ZcDbCircle circle(c, ZcGeVector3d::kZAxis, 5);
    ZcGePoint3dArray pts = meet(ZcDbLine(c + ZcGeVector3d(-10, 5, 0), c + ZcGeVector3d(10, 5, 0)), circle);
    ASSERT_EQ(pts.length(), 1);
    expectNear(pts[0], c + ZcGeVector3d(0, 5, 0), 1e-6);
    pts = meet(ZcDbLine(c + ZcGeVector3d(-10, 3, 0), c + ZcGeVector3d(10, 3, 0)), circle);
    ASSERT_EQ(pts.length(), 2);
    expectNear(pts[0], c + ZcGeVector3d(-4, 3, 0), 1e-6);
}
