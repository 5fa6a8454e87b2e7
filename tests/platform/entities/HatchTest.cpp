#include <algorithm>

#include "ZcDbArc.h"
#include "ZcDbCircle.h"
#include "ZcDbHatch.h"
#include "ZcDbLine.h"
#include "ZcDbPolyline.h"
#include "platform/db/ObjectAccess.h"
#include "tests/platform/entities/EntityTestSupport.h"

using namespace platform;

namespace {
ZcDbObjectIdArray ids(std::initializer_list<ZcDbObjectId> list)
{
    ZcDbObjectIdArray a;
    for (const ZcDbObjectId& id : list)
        a.append(id);
    return a;
}

ZcDbPolyline* square(double x0, double y0, double size)
{
    auto* p = new ZcDbPolyline;
    p->addVertexAt(0, {x0, y0});
    p->addVertexAt(1, {x0 + size, y0});
    p->addVertexAt(2, {x0 + size, y0 + size});
    p->addVertexAt(3, {x0, y0 + size});
    p->setClosed(true);
    return p;
}

bool reactsTo(ZcDbObjectId source, ZcDbObjectId hatch)
{
    const auto& r = ZcDbObjectAccess::peek(source)->persistentReactors();
    return std::find(r.begin(), r.end(), hatch) != r.end();
}
}  // namespace

TEST(HatchLoops, CircleGivesTwoHalfCircles)
{
    TestDrawing d;
    const ZcDbObjectId circle = d.append(new ZcDbCircle({3, 4, 0}, ZcGeVector3d::kZAxis, 5));
    ZcDbHatch hatch;
    ASSERT_EQ(hatch.appendLoop(ZcDbHatch::kExternal, ids({circle})), Zcad::eOk);
    int type = 0;
    ZcGePoint2dArray vertices;
    ZcGeDoubleArray bulges;
    ASSERT_EQ(hatch.getLoopAt(0, type, vertices, bulges), Zcad::eOk);
    EXPECT_EQ(type, ZcDbHatch::kExternal);
    ASSERT_EQ(vertices.length(), 2);
    EXPECT_EQ(bulges[0], 1.0);
    EXPECT_EQ(bulges[1], 1.0);
    double area = 0;
    ASSERT_EQ(hatch.getArea(area), Zcad::eOk);
    EXPECT_NEAR(area, 25 * kPi, 1e-9);
    ZcDbExtents ext;
    ASSERT_EQ(hatch.getGeomExtents(ext), Zcad::eOk);
    expectNear(ext.minPoint(), {-2, -1, 0});
    expectNear(ext.maxPoint(), {8, 9, 0});
    ZcDbObjectIdArray sources;
    hatch.getAssocObjIdsAt(0, sources);
    ASSERT_EQ(sources.length(), 1);
    EXPECT_EQ(sources[0], circle);
}

TEST(HatchLoops, ClosedPolylineWithAHoleAndAreas)
{
    TestDrawing d;
    const ZcDbObjectId outer = d.append(square(0, 0, 10));
    const ZcDbObjectId hole = d.append(new ZcDbCircle({5, 5, 0}, ZcGeVector3d::kZAxis, 2));
    ZcDbHatch hatch;
    ASSERT_EQ(hatch.appendLoop(ZcDbHatch::kExternal, ids({outer})), Zcad::eOk);
    ASSERT_EQ(hatch.appendLoop(ZcDbHatch::kDerived, ids({hole})), Zcad::eOk);
    EXPECT_EQ(hatch.numLoops(), 2);
    EXPECT_EQ(hatch.loops()[0].vertices.size(), 4u);
    double area = 0;
    ASSERT_EQ(hatch.getArea(area), Zcad::eOk);
    EXPECT_NEAR(area, 100 - 4 * kPi, 1e-9);

    // Whatever order the loops come in, the inner one is the hole.
    ZcDbHatch reversed;
    reversed.appendLoop(ZcDbHatch::kDerived, ids({hole}));
    reversed.appendLoop(ZcDbHatch::kExternal, ids({outer}));
    reversed.getArea(area);
    EXPECT_NEAR(area, 100 - 4 * kPi, 1e-9);

    reversed.setHatchStyle(ZcDbHatch::kIgnore);
    reversed.getArea(area);
    EXPECT_NEAR(area, 100, 1e-9) << "the ignore style fills over holes";
}

TEST(HatchLoops, CurvesAreChainedIntoOneOutline)
{
    TestDrawing d;
    // A square with its right side replaced by a half circle; the top line
    // runs the other way and the ids come in no particular order.
    const ZcDbObjectId bottom = d.append(new ZcDbLine({0, 0, 0}, {10, 0, 0}));
    const ZcDbObjectId bulge = d.append(new ZcDbArc({10, 5, 0}, 5, -kPi / 2, kPi / 2));
    const ZcDbObjectId top = d.append(new ZcDbLine({0, 10, 0}, {10, 10, 0}));
    const ZcDbObjectId left = d.append(new ZcDbLine({0, 0, 0}, {0, 10, 0}));
    ZcDbHatch hatch;
    ASSERT_EQ(hatch.appendLoop(ZcDbHatch::kExternal, ids({top, bottom, left, bulge})), Zcad::eOk);
    EXPECT_EQ(hatch.loops()[0].vertices.size(), 4u);
    double area = 0;
    hatch.getArea(area);
    EXPECT_NEAR(area, 100 + 12.5 * kPi, 1e-9);

    // Without the left side the outline cannot close: nothing is added.
    EXPECT_EQ(hatch.appendLoop(ZcDbHatch::kExternal, ids({top, bottom, bulge})), Zcad::eInvalidInput);
    EXPECT_EQ(hatch.numLoops(), 1);
}

TEST(HatchLoops, SourcesMustBeLiveCurvesOfOneDrawing)
{
    TestDrawing d, other;
    const ZcDbObjectId circle = d.append(new ZcDbCircle({0, 0, 0}, ZcGeVector3d::kZAxis, 1));
    const ZcDbObjectId foreign = other.append(new ZcDbCircle({0, 0, 0}, ZcGeVector3d::kZAxis, 1));
    const ZcDbObjectId gone = d.append(new ZcDbCircle({0, 0, 0}, ZcGeVector3d::kZAxis, 1));
    Opened<ZcDbCircle>(gone, ZcDb::kForWrite)->erase();
    const ZcDbObjectId hatchId = d.append(new ZcDbHatch);
    Opened<ZcDbHatch> h(hatchId, ZcDb::kForWrite);
    EXPECT_EQ(h->appendLoop(1, ids({ZcDbObjectId()})), Zcad::eNullObjectId);
    EXPECT_EQ(h->appendLoop(1, ids({gone})), Zcad::eWasErased);
    EXPECT_EQ(h->appendLoop(1, ids({d.db().clayer()})), Zcad::eNotThatKindOfClass);
    EXPECT_EQ(h->appendLoop(1, ids({foreign})), Zcad::eWrongDatabase);
    EXPECT_EQ(h->appendLoop(1, ids({circle, circle})), Zcad::eInvalidInput) << "two closed curves in one loop";
    EXPECT_EQ(h->numLoops(), 0);
    EXPECT_EQ(h->appendLoop(1, ids({circle})), Zcad::eOk);
}

TEST(HatchAssociativity, SourcesGetTheHatchAsReactor)
{
    TestDrawing d;
    const ZcDbObjectId outer = d.append(square(0, 0, 10));
    const ZcDbObjectId hole = d.append(new ZcDbCircle({5, 5, 0}, ZcGeVector3d::kZAxis, 2));
    auto* hatch = new ZcDbHatch;
    hatch->setDatabaseDefaults();
    hatch->setPattern(ZcDbHatch::kPreDefined, "SOLID");
    hatch->setAssociative(true);
    hatch->appendLoop(ZcDbHatch::kExternal, ids({outer}));
    EXPECT_TRUE(ZcDbObjectAccess::peek(outer)->persistentReactors().empty()) << "not before the hatch is in the drawing";
    const ZcDbObjectId hatchId = d.append(hatch);
    EXPECT_TRUE(reactsTo(outer, hatchId));

    {
        Opened<ZcDbHatch> h(hatchId, ZcDb::kForWrite);
        ASSERT_EQ(h->appendLoop(ZcDbHatch::kDerived, ids({hole})), Zcad::eOk);
        EXPECT_TRUE(reactsTo(hole, hatchId)) << "a loop added in the drawing links at once";
        ASSERT_EQ(h->setAssociative(false), Zcad::eOk);
        EXPECT_FALSE(reactsTo(outer, hatchId));
        EXPECT_FALSE(reactsTo(hole, hatchId));
        ASSERT_EQ(h->setAssociative(true), Zcad::eOk);
        EXPECT_TRUE(reactsTo(outer, hatchId));
        ASSERT_EQ(h->removeLoopAt(1), Zcad::eOk);
        EXPECT_FALSE(reactsTo(hole, hatchId));
        EXPECT_EQ(ZcDbObjectAccess::peek(outer)->persistentReactors().size(), 1u);
    }
    EXPECT_EQ(d.openCount(), 0u);
}

TEST(HatchAssociativity, EvaluateFollowsTheBoundary)
{
    TestDrawing d;
    const ZcDbObjectId circle = d.append(new ZcDbCircle({0, 0, 0}, ZcGeVector3d::kZAxis, 1));
    auto* hatch = new ZcDbHatch;
    hatch->setAssociative(true);
    hatch->appendLoop(ZcDbHatch::kExternal, ids({circle}));
    const ZcDbObjectId hatchId = d.append(hatch);
    {
        Opened<ZcDbCircle> c(circle, ZcDb::kForWrite);
        c->setRadius(2);
    }
    Opened<ZcDbHatch> h(hatchId, ZcDb::kForWrite);
    ASSERT_EQ(h->evaluateHatch(), Zcad::eOk);
    double area = 0;
    h->getArea(area);
    EXPECT_NEAR(area, 4 * kPi, 1e-9);
}

TEST(HatchLoops, AreaIsExactFarFromTheOrigin)
{
    // The same loop near the origin and at national-grid coordinates.
    ZcDbHatch near, far;
    ZcGePoint2dArray a, b;
    ZcGeDoubleArray bulges;
    for (const ZcGePoint2d& p : {ZcGePoint2d(0, 0), ZcGePoint2d(3, 0), ZcGePoint2d(3, 2), ZcGePoint2d(0, 2)}) {
        a.append(p);
        b.append({p.x + 7500123.25, p.y + 5500456.75});
        bulges.append(0.25);
    }
    near.appendLoop(ZcDbHatch::kExternal, a, bulges);
    far.appendLoop(ZcDbHatch::kExternal, b, bulges);
    double nearArea = 0, farArea = 0;
    near.getArea(nearArea);
    far.getArea(farArea);
    EXPECT_NEAR(farArea, nearArea, 1e-6);
}

TEST(HatchTransform, OutlinesMoveAndMirrorKeepsArea)
{
    ZcDbHatch hatch;
    ZcGePoint2dArray v;
    ZcGeDoubleArray b;
    v.append({0, 0});
    b.append(0);
    v.append({10, 0});
    b.append(1);  // half circle bulging out of the square's right side
    v.append({10, 10});
    b.append(0);
    v.append({0, 10});
    b.append(0);
    ASSERT_EQ(hatch.appendLoop(ZcDbHatch::kExternal, v, b), Zcad::eOk);
    double before = 0, after = 0;
    hatch.getArea(before);
    ASSERT_EQ(hatch.transformBy(ZcGeMatrix3d::mirroring({0, 0, 0}, ZcGeVector3d::kXAxis)), Zcad::eOk);
    hatch.getArea(after);
    EXPECT_NEAR(after, before, 1e-9);
    ZcDbExtents ext;
    hatch.getGeomExtents(ext);
    expectNear(ext.minPoint(), {-15, 0, 0});
    expectNear(ext.maxPoint(), {0, 10, 0});

    ZcGeMatrix3d stretch;
    stretch.entry[0][0] = 2;
    EXPECT_EQ(hatch.transformBy(stretch), Zcad::eNotApplicable);
}
