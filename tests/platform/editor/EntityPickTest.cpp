// Picking an entity by a point: the nearest within the aperture.

#include <gtest/gtest.h>

#include "ZcDbBlockReference.h"
#include "ZcDbCircle.h"
#include "ZcDbLayerTable.h"
#include "ZcDbLine.h"
#include "platform/editor/EntityPick.h"
#include "tests/platform/entities/EntityTestSupport.h"
#include "tests/support/TestDrawing.h"

using namespace platform;

TEST(EntityPick, TheNearestCurveWithinTheAperture)
{
    TestDrawing drawing;
    const ZcDbObjectId line = drawing.append(new ZcDbLine({0, 0, 0}, {10, 0, 0}));
    const ZcDbObjectId circle = drawing.append(new ZcDbCircle({20, 0, 0}, ZcGeVector3d::kZAxis, 2));
    EXPECT_EQ(pickEntity(drawing.db(), {5, 0.3, 0}), line);
    EXPECT_EQ(pickEntity(drawing.db(), {20, 2.2, 0}), circle) << "near the circle's edge";
    EXPECT_TRUE(pickEntity(drawing.db(), {20, 0, 0}).isNull()) << "a circle's centre is far from its curve";
    EXPECT_TRUE(pickEntity(drawing.db(), {5, kPickAperture + 0.01, 0}).isNull());
    EXPECT_TRUE(pickEntity(drawing.db(), {10 + kPickAperture * 0.8, kPickAperture * 0.8, 0}).isNull())
        << "past the end the distance is to the end point";
    EXPECT_EQ(pickEntity(drawing.db(), {5, 0.3, 7}), line) << "picked in plan";
}

TEST(EntityPick, TheLastAppendedWinsATie)
{
    TestDrawing drawing;
    drawing.append(new ZcDbLine({0, 0, 0}, {10, 0, 0}));
    const ZcDbObjectId second = drawing.append(new ZcDbLine({0, 0, 0}, {10, 0, 0}));
    EXPECT_EQ(pickEntity(drawing.db(), {5, 0.1, 0}), second);
}

TEST(EntityPick, HiddenAndErasedEntitiesAreNotFound)
{
    TestDrawing drawing;
    const ZcDbObjectId line = drawing.append(new ZcDbLine({0, 0, 0}, {10, 0, 0}));

    ZcDbEntity* entity = nullptr;
    ASSERT_EQ(zcdbOpenZcDbEntity(entity, line, ZcDb::kForWrite), Zcad::eOk);
    entity->setVisibility(ZcDb::kInvisible);
    entity->close();
    EXPECT_TRUE(pickEntity(drawing.db(), {5, 0, 0}).isNull());

    ZcDbLayerTable* table = nullptr;
    ASSERT_EQ(drawing.db().getLayerTable(table, ZcDb::kForWrite), Zcad::eOk);
    auto* off = new ZcDbLayerTableRecord;
    off->setName("Wyłączona");
    off->setIsOff(true);
    ASSERT_EQ(table->add(off), Zcad::eOk);
    off->close();
    table->close();
    auto* onOffLayer = new ZcDbLine({0, 0, 0}, {10, 0, 0});
    ASSERT_EQ(onOffLayer->setLayer("Wyłączona"), Zcad::eOk);
    drawing.append(onOffLayer);
    EXPECT_TRUE(pickEntity(drawing.db(), {5, 0, 0}).isNull());

    const ZcDbObjectId erased = drawing.append(new ZcDbLine({0, 0, 0}, {10, 0, 0}));
    ASSERT_EQ(zcdbOpenZcDbEntity(entity, erased, ZcDb::kForWrite), Zcad::eOk);
    entity->erase();
    entity->close();
    EXPECT_TRUE(pickEntity(drawing.db(), {5, 0, 0}).isNull());
}

// Picks keep each entity's box until something its extents depend on
// changes: a curve moved, or the content of a referenced block.
TEST(EntityPick, AMovedCurveOrBlockIsFoundWhereItNowLies)
{
    TestDrawing drawing;
    const ZcDbObjectId line = drawing.append(new ZcDbLine({0, 0, 0}, {10, 0, 0}));
    const ZcGeMatrix3d away = ZcGeMatrix3d::translation({0, 100, 0});
    EXPECT_EQ(pickEntity(drawing.db(), {5, 0, 0}), line);
    ZcDbEntity* entity = nullptr;
    ASSERT_EQ(zcdbOpenZcDbEntity(entity, line, ZcDb::kForWrite), Zcad::eOk);
    entity->transformBy(away);
    EXPECT_EQ(pickEntity(drawing.db(), {5, 100, 0}), line) << "still open for write";
    entity->close();
    EXPECT_TRUE(pickEntity(drawing.db(), {5, 0, 0}).isNull());
    EXPECT_EQ(pickEntity(drawing.db(), {5, 100, 0}), line);

    auto* inBlock = new ZcDbLine({0, 0, 0}, {0, 10, 0});
    const ZcDbObjectId block = newBlock(drawing, "Słupek", {0, 0, 0}, {inBlock});
    const ZcDbObjectId reference = drawing.append(new ZcDbBlockReference({50, 0, 0}, block));
    EXPECT_EQ(pickEntity(drawing.db(), {50, 5, 0}), reference);
    ASSERT_EQ(zcdbOpenZcDbEntity(entity, inBlock->objectId(), ZcDb::kForWrite), Zcad::eOk);
    entity->transformBy(ZcGeMatrix3d::translation({20, 0, 0}));
    entity->close();
    EXPECT_TRUE(pickEntity(drawing.db(), {50, 5, 0}).isNull());
    EXPECT_EQ(pickEntity(drawing.db(), {70, 5, 0}), reference);
}
