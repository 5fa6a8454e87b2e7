#include "ZcDbArc.h"
#include "ZcDbAttribute.h"
#include "ZcDbBlockReference.h"
#include "ZcDbCircle.h"
#include "ZcDbLine.h"
#include "ZcDbMText.h"
#include "ZcDbPolyline.h"
#include "tests/platform/entities/EntityTestSupport.h"

using namespace platform;

TEST(EntityClone, CopiesAreIndependentAndOutsideTheDrawing)
{
    TestDrawing d;
    auto* pline = new ZcDbPolyline;
    pline->addVertexAt(0, {0, 0}, 0.5);
    pline->addVertexAt(1, {4, 0});
    pline->setConstantWidth(0.24);
    pline->setColorIndex(1);
    const ZcDbObjectId id = d.append(pline);

    Opened<ZcDbPolyline> original(id, ZcDb::kForRead);
    auto* copy = ZcDbPolyline::cast(original->clone());
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->objectId().isNull());
    EXPECT_TRUE(copy->isWriteEnabled());
    EXPECT_EQ(copy->colorIndex(), 1);
    double w = 0;
    ASSERT_EQ(copy->getConstantWidth(w), Zcad::eOk);
    EXPECT_EQ(w, 0.24);

    copy->setBulgeAt(0, -1);
    copy->addVertexAt(2, {9, 9});
    double bulge = 0;
    original->getBulgeAt(0, bulge);
    EXPECT_EQ(bulge, 0.5);
    EXPECT_EQ(original->numVerts(), 2u);
    copy->close();  // not in a drawing: deleted
}

TEST(EntityClone, ReferenceCopyHasNoAttributes)
{
    TestDrawing d;
    auto* ref = new ZcDbBlockReference({1, 2, 0}, newBlock(d, "B", {0, 0, 0}, {}));
    ref->setRotation(0.5);
    const ZcDbObjectId refId = d.append(ref);
    {
        Opened<ZcDbBlockReference> r(refId, ZcDb::kForWrite);
        auto* attr = new ZcDbAttribute;
        attr->setTag("A");
        ASSERT_EQ(r->appendAttribute(attr), Zcad::eOk);
        attr->close();
    }
    Opened<ZcDbBlockReference> r(refId, ZcDb::kForRead);
    auto* copy = ZcDbBlockReference::cast(r->clone());
    EXPECT_TRUE(copy->attributeIds().empty());
    EXPECT_EQ(copy->blockTableRecord(), r->blockTableRecord());
    EXPECT_EQ(copy->rotation(), 0.5);
    copy->close();
}

TEST(EntityTransform, MirroredArcsTurnTheOtherWay)
{
    // The first quadrant's arc mirrored in the Y axis is the second quadrant's.
    ZcDbArc arc({0, 0, 0}, 2, 0, kPi / 2);
    ASSERT_EQ(arc.transformBy(ZcGeMatrix3d::mirroring({0, 0, 0}, ZcGeVector3d::kXAxis)), Zcad::eOk);
    EXPECT_NEAR(arc.startAngle(), kPi / 2, 1e-12);
    EXPECT_NEAR(arc.endAngle(), kPi, 1e-12);

    // A polyline's bulges change sign; its points and length stay matched.
    ZcDbPolyline p;
    p.addVertexAt(0, {0, 0}, 0.4);
    p.addVertexAt(1, {4, 0}, 0, 0.5, 1.0);
    p.addVertexAt(2, {4, 4});
    double lengthBefore = 0, lengthAfter = 0, end = 0;
    p.getEndParam(end);
    p.getDistAtParam(end, lengthBefore);
    ZcGePoint3d mid;
    p.getPointAtParam(0.5, mid);
    const ZcGeMatrix3d mirror = ZcGeMatrix3d::mirroring({1, 0, 0}, ZcGeVector3d(1, 1, 0));
    ASSERT_EQ(p.transformBy(mirror), Zcad::eOk);
    double bulge = 0;
    p.getBulgeAt(0, bulge);
    EXPECT_EQ(bulge, -0.4);
    p.getDistAtParam(end, lengthAfter);
    EXPECT_NEAR(lengthAfter, lengthBefore, 1e-9);
    ZcGePoint3d mirroredMid;
    p.getPointAtParam(0.5, mirroredMid);
    expectNear(mirroredMid, mirror * mid);
}

TEST(EntityTransform, ScalingAndRefusedStretches)
{
    ZcDbCircle circle({1, 1, 0}, ZcGeVector3d::kZAxis, 2);
    ASSERT_EQ(circle.transformBy(ZcGeMatrix3d::scaling(3, {0, 0, 0})), Zcad::eOk);
    EXPECT_NEAR(circle.radius(), 6, 1e-12);
    expectNear(circle.center(), {3, 3, 0});

    ZcGeMatrix3d stretch;
    stretch.entry[1][1] = 2;
    EXPECT_EQ(circle.transformBy(stretch), Zcad::eNotApplicable);
    EXPECT_NEAR(circle.radius(), 6, 1e-12);
    ZcDbArc arc({0, 0, 0}, 1, 0, 1);
    EXPECT_EQ(arc.transformBy(stretch), Zcad::eNotApplicable);
    EXPECT_EQ(arc.radius(), 1.0);

    ZcDbPolyline p;
    p.addVertexAt(0, {0, 0}, 0, 1, 1);
    p.addVertexAt(1, {1, 0});
    ASSERT_EQ(p.transformBy(ZcGeMatrix3d::scaling(2)), Zcad::eOk);
    double s = 0, e = 0;
    p.getWidthsAt(0, s, e);
    EXPECT_EQ(s, 2.0) << "widths scale with the drawing";
    EXPECT_EQ(p.transformBy(stretch), Zcad::eNotApplicable);

    // Lines take any affine map.
    ZcDbLine line({1, 1, 0}, {2, 2, 0});
    ASSERT_EQ(line.transformBy(stretch), Zcad::eOk);
    expectNear(line.endPoint(), {2, 4, 0});
    ZcGeMatrix3d broken;
    broken.entry[0][3] = kNaN;
    EXPECT_EQ(line.transformBy(broken), Zcad::eInvalidInput);
    expectNear(line.endPoint(), {2, 4, 0});
}

TEST(EntityTransform, TextsMoveTurnAndGrow)
{
    ZcDbMText text;
    text.setLocation({1, 0, 0});
    text.setTextHeight(2.5);
    const ZcGeMatrix3d m = ZcGeMatrix3d::rotation(kPi / 2, ZcGeVector3d::kZAxis) * ZcGeMatrix3d::scaling(2);
    ASSERT_EQ(text.transformBy(m), Zcad::eOk);
    expectNear(text.location(), {0, 2, 0});
    EXPECT_NEAR(text.rotation(), kPi / 2, 1e-12);
    EXPECT_NEAR(text.textHeight(), 5, 1e-12);

    ZcDbExtents ext;
    EXPECT_EQ(text.getGeomExtents(ext), Zcad::eInvalidExtents) << "an empty text shows nothing";
}
