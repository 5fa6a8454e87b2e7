#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "ZcArray.h"
#include "ZcCmColor.h"
#include "ZcGeMatrix3d.h"
#include "ZcGeVector2d.h"
#include "resbuf.h"
#include "tests/platform/entities/EntityTestSupport.h"

TEST(Matrix, RotationAboutAPointKeepsThePointAndTurnsOthers)
{
    const ZcGePoint3d centre(10, 5, 0);
    const ZcGeMatrix3d r = ZcGeMatrix3d::rotation(std::numbers::pi / 2, ZcGeVector3d::kZAxis, centre);
    expectNear(r * centre, centre);
    expectNear(r * ZcGePoint3d(11, 5, 0), ZcGePoint3d(10, 6, 0));
    // Vectors turn but do not move.
    const ZcGeVector3d v = r * ZcGeVector3d(1, 0, 0);
    EXPECT_NEAR(v.x, 0, kGeomTol);
    EXPECT_NEAR(v.y, 1, kGeomTol);
}

TEST(Matrix, CompositionAppliesTheRightFactorFirst)
{
    const ZcGeMatrix3d t = ZcGeMatrix3d::translation({5, 0, 0});
    const ZcGeMatrix3d r = ZcGeMatrix3d::rotation(std::numbers::pi / 2, ZcGeVector3d::kZAxis);
    expectNear((t * r) * ZcGePoint3d(1, 0, 0), ZcGePoint3d(5, 1, 0));
    expectNear((r * t) * ZcGePoint3d(1, 0, 0), ZcGePoint3d(0, 6, 0));
    ZcGeMatrix3d m = r;
    m.preMultBy(t);
    EXPECT_TRUE(m.isEqualTo(t * r));
    m = r;
    m.postMultBy(t);
    EXPECT_TRUE(m.isEqualTo(r * t));
}

TEST(Matrix, ScalingAndMirroringShowInTheDeterminant)
{
    const ZcGeMatrix3d s = ZcGeMatrix3d::scaling(2.0, {1, 1, 0});
    expectNear(s * ZcGePoint3d(2, 1, 0), ZcGePoint3d(3, 1, 0));
    EXPECT_NEAR(s.scale(), 2.0, kGeomTol);
    EXPECT_TRUE(s.isUniScaledOrtho());
    const ZcGeMatrix3d m = ZcGeMatrix3d::mirroring({0, 0, 0}, ZcGeVector3d::kXAxis);
    expectNear(m * ZcGePoint3d(3, 4, 0), ZcGePoint3d(-3, 4, 0));
    EXPECT_LT(m.det(), 0.0);
}

TEST(Vectors, PerpendicularTurnsAPlaneDirectionLeft)
{
    const ZcGeVector3d u(0.6, 0.8, 0);
    const ZcGeVector3d p = u.perpVector();
    EXPECT_NEAR(p.x, -0.8, kGeomTol);
    EXPECT_NEAR(p.y, 0.6, kGeomTol);
    EXPECT_NEAR(u.dotProduct(p), 0.0, kGeomTol);
    ZcGePoint3d q(2, 0, 0);
    q.rotateBy(std::numbers::pi, ZcGeVector3d::kZAxis, {1, 0, 0});
    expectNear(q, ZcGePoint3d(0, 0, 0));
    EXPECT_TRUE(ZcGeVector3d().normal().isZeroLength()) << "a zero vector stays zero, never NaN";
}

TEST(Array, GrowsInsertsAndRemovesInOrder)
{
    ZcArray<int> a;
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(a.append(i), i);
    a.insertAt(0, -1).removeAt(50);
    EXPECT_EQ(a.length(), 100);
    EXPECT_EQ(a.first(), -1);
    EXPECT_EQ(a[50], 50);
    EXPECT_EQ(a.last(), 99);
    a.append(a[0]);  // an element of the array itself, while it grows
    EXPECT_EQ(a.last(), -1);
    ZcArray<int> b = a;
    b.removeAll();
    EXPECT_EQ(a.length(), 101);
    EXPECT_EQ(a.find(42), 43);
    EXPECT_EQ(a.find(49), -1) << "removed";
    a.insertAt(500, 7);  // out of range: nothing happens
    EXPECT_EQ(a.length(), 101);
}

TEST(Colour, IndexesAndTrueColours)
{
    ZcCmColor c;
    EXPECT_TRUE(c.isByLayer());
    EXPECT_EQ(c.colorIndex(), 256);
    EXPECT_TRUE(c.setColorIndex(0));
    EXPECT_TRUE(c.isByBlock());
    EXPECT_TRUE(c.setColorIndex(1));
    EXPECT_EQ(c.rgb(), 0xFF0000u);
    EXPECT_FALSE(c.setColorIndex(300));
    EXPECT_EQ(c.colorIndex(), 1) << "a refused index changes nothing";
    c.setRGB(250, 2, 3);
    EXPECT_TRUE(c.isByColor());
    EXPECT_EQ(c.colorIndex(), 1);
    EXPECT_EQ(c.red(), 250);
}

TEST(ResultBuffers, ListsAreReleasedWithTheirStrings)
{
    resbuf* head = zcutNewRb(1001);
    head->resval.rstring = zcutNewString("Tarvo");
    head->rbnext = zcutNewRb(1000);
    head->rbnext->resval.rstring = zcutNewString("Długość");
    head->rbnext->rbnext = zcutNewRb(1040);
    EXPECT_EQ(zcutRelRb(head), RTNORM);  // the leak checker watches this
    EXPECT_EQ(zcutRelRb(nullptr), RTNORM);
}
