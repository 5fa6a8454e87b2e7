#include <cmath>
#include <memory>

#include "ZcDbArc.h"
#include "ZcDbCircle.h"
#include "ZcDbLine.h"
#include "ZcDbPolyline.h"
#include "tests/platform/entities/EntityTestSupport.h"

using namespace platform;

namespace {
// The one curve an offset gives, owned by the test.
template <class T>
std::unique_ptr<T, void (*)(T*)> offsetOf(const ZcDbCurve& c, double d)
{
    ZcDbVoidPtrArray curves;
    EXPECT_EQ(c.getOffsetCurves(d, curves), Zcad::eOk);
    EXPECT_EQ(curves.length(), 1);
    T* curve = curves.isEmpty() ? nullptr : T::cast(static_cast<ZcDbObject*>(curves[0]));
    return {curve, [](T* p) {
                if (p)
                    p->close();
            }};
}

void expectVertices(const ZcDbPolyline& p, std::initializer_list<ZcGePoint2d> points)
{
    ASSERT_EQ(p.numVerts(), points.size());
    unsigned int i = 0;
    for (const ZcGePoint2d& expected : points) {
        ZcGePoint2d actual;
        p.getPointAt(i++, actual);
        expectNear(actual, expected);
    }
}
}  // namespace

TEST(OffsetCurves, LinesArcsAndCirclesExactly)
{
    ZcDbLine line({0, 0, 0}, {10, 0, 0});
    line.setColorIndex(3);
    auto right = offsetOf<ZcDbLine>(line, 1.0);
    ASSERT_TRUE(right);
    expectNear(right->startPoint(), {0, -1, 0});
    expectNear(right->endPoint(), {10, -1, 0});
    EXPECT_EQ(right->colorIndex(), 3) << "the offset keeps the properties";
    EXPECT_TRUE(right->objectId().isNull());

    ZcDbArc arc({0, 0, 0}, 5, 0, kPi / 2);
    EXPECT_NEAR(offsetOf<ZcDbArc>(arc, 2)->radius(), 7, kGeomTol) << "right of a counter-clockwise arc is outside";
    EXPECT_NEAR(offsetOf<ZcDbArc>(arc, -2)->radius(), 3, kGeomTol);

    ZcDbCircle circle({0, 0, 0}, ZcGeVector3d::kZAxis, 5);
    EXPECT_NEAR(offsetOf<ZcDbCircle>(circle, 0.24)->radius(), 5.24, kGeomTol);
    ZcDbVoidPtrArray none;
    EXPECT_EQ(circle.getOffsetCurves(-5, none), Zcad::eDegenerateGeometry);
    EXPECT_EQ(arc.getOffsetCurves(-6, none), Zcad::eDegenerateGeometry);
    EXPECT_EQ(line.getOffsetCurves(kNaN, none), Zcad::eInvalidInput);
    EXPECT_TRUE(none.isEmpty());
}

TEST(OffsetCurves, PolylineCornersMeetWhereTheOffsetsCross)
{
    ZcDbPolyline square;
    for (const ZcGePoint2d& p : {ZcGePoint2d(0, 0), ZcGePoint2d(10, 0), ZcGePoint2d(10, 10), ZcGePoint2d(0, 10)})
        square.addVertexAt(square.numVerts(), p);
    square.setClosed(true);
    auto outside = offsetOf<ZcDbPolyline>(square, 1.0);
    ASSERT_TRUE(outside);
    EXPECT_TRUE(outside->isClosed());
    expectVertices(*outside, {{-1, -1}, {11, -1}, {11, 11}, {-1, 11}});

    ZcDbPolyline corner;
    corner.addVertexAt(0, {0, 0});
    corner.addVertexAt(1, {10, 0});
    corner.addVertexAt(2, {10, 10});
    expectVertices(*offsetOf<ZcDbPolyline>(corner, 1.0), {{0, -1}, {11, -1}, {11, 10}});
    expectVertices(*offsetOf<ZcDbPolyline>(corner, -1.0), {{0, 1}, {9, 1}, {9, 10}});
}

TEST(OffsetCurves, PolylineArcSegmentsChangeRadiusAndKeepTangency)
{
    ZcDbPolyline hook;
    hook.addVertexAt(0, {0, 0});
    hook.addVertexAt(1, {10, 0}, 1.0);
    hook.addVertexAt(2, {10, 10});
    hook.addVertexAt(3, {0, 10});
    auto inside = offsetOf<ZcDbPolyline>(hook, -1.0);
    ASSERT_TRUE(inside);
    expectVertices(*inside, {{0, 1}, {10, 1}, {10, 9}, {0, 9}});
    double bulge = 0;
    inside->getBulgeAt(1, bulge);
    EXPECT_NEAR(bulge, 1.0, kGeomTol) << "still a half circle, now of radius 4";

    ZcDbVoidPtrArray none;
    EXPECT_EQ(hook.getOffsetCurves(-6, none), Zcad::eDegenerateGeometry) << "nothing is 6 from the hook inside it";
    EXPECT_TRUE(none.isEmpty());
}

TEST(OffsetCurves, PolylineTurningBackIsJoinedRoundItsTip)
{
    // A line, then a clockwise half circle turning back over it: the moved
    // line and arc are joined by a half circle of the offset's radius about
    // the tip, not by a straight piece across the tip itself.
    ZcDbPolyline p;
    p.addVertexAt(0, {0, 0});
    p.addVertexAt(1, {10, 0}, -1.0);
    p.addVertexAt(2, {10, 2});
    auto moved = offsetOf<ZcDbPolyline>(p, 0.5);
    ASSERT_TRUE(moved);
    expectVertices(*moved, {{0, -0.5}, {10, -0.5}, {10, 0.5}, {10, 1.5}});
    double round = 0, arc = 0;
    moved->getBulgeAt(1, round);
    moved->getBulgeAt(2, arc);
    EXPECT_NEAR(round, 1.0, kGeomTol);
    EXPECT_NEAR(arc, -1.0, kGeomTol);
}

TEST(OffsetCurves, OffsetOfASmoothPolylineKeepsItsDistance)
{
    // A line, a quarter circle turning left (radius 5) and a line: tangent
    // throughout, so every point of an offset lies at the distance.
    ZcDbPolyline p;
    p.addVertexAt(0, {0, 0});
    p.addVertexAt(1, {10, 0}, std::tan(kPi / 8));
    p.addVertexAt(2, {15, 5});
    p.addVertexAt(3, {15, 15});
    for (double d : {0.24, -0.24, 1.5, -4.0}) {
        auto off = offsetOf<ZcDbPolyline>(p, d);
        ASSERT_TRUE(off);
        EXPECT_EQ(off->numVerts(), 4u);
        double end = 0;
        off->getEndParam(end);
        for (double t = 0; t <= end; t += 0.125) {
            ZcGePoint3d q, near;
            off->getPointAtParam(t, q);
            p.getClosestPointTo(q, near);
            EXPECT_NEAR(q.distanceTo(near), std::fabs(d), 1e-9) << "d=" << d << " t=" << t;
        }
    }
}
