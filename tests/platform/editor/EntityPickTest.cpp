// Picking an entity by a point: the nearest within the aperture.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "ZcDbBlockReference.h"
#include "ZcDbCircle.h"
#include "ZcDbLayerTable.h"
#include "ZcDbLine.h"
#include "ZcGeMatrix3d.h"
#include "platform/db/Opened.h"
#include "platform/editor/EntityPick.h"
#include "platform/editor/UndoHistory.h"
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

// The index of model space answers every pick as measuring every entity
// does, and lists the picked entity among those near, over random drawings
// of lines, circles and polylines of all sizes, while entities are
// appended, erased, moved and whole commands undone.
TEST(EntityPick, TheIndexAnswersAsTheScanWhateverChanges)
{
    TestDrawing drawing;
    undoHistory().setEnabled(true);
    struct Off {
        ~Off() { undoHistory().setEnabled(false); }
    } off;
    std::mt19937 random(30);
    const auto coordinate = [&](double span) { return double(random() % 100000) / 100000.0 * span; };
    std::vector<ZcDbObjectId> ids;
    const auto appendRandom = [&]() {
        const double x = coordinate(200), y = coordinate(200);
        switch (random() % 4) {
        case 0:
            ids.push_back(drawing.append(new ZcDbLine({x, y, 0}, {x + coordinate(4), y + coordinate(4), 0})));
            break;
        case 1:
            ids.push_back(drawing.append(new ZcDbCircle({x, y, 0}, ZcGeVector3d::kZAxis, 0.1 + coordinate(3))));
            break;
        case 2:  // a long road edge across the drawing
            ids.push_back(drawing.append(new ZcDbLine({x, 0, 0}, {200 - x, 200, 0})));
            break;
        default:  // the same line twice: the later one wins the tie
            ids.push_back(drawing.append(new ZcDbLine({x, y, 0}, {x + 1, y, 0})));
            ids.push_back(drawing.append(new ZcDbLine({x, y, 0}, {x + 1, y, 0})));
            break;
        }
    };
    for (int i = 0; i < 400; ++i)
        appendRandom();
    int found = 0;
    for (int round = 0; round < 60; ++round) {
        const unsigned change = random() % 5;
        if (change == 4) {
            std::string done, error;
            undoHistory().undo(drawing.db(), done, error);
            ASSERT_TRUE(error.empty()) << error;
            ids.clear();
            platform::Opened<ZcDbBlockTableRecord> ms(drawing.db().modelSpaceId(), ZcDb::kForRead);
            ids = ms->entityIds();
        } else {
            undoHistory().beforeCommand(drawing.db());
            for (int k = 0; k < 5; ++k) {
                platform::Opened<ZcDbEntity> e(ids[random() % ids.size()], ZcDb::kForWrite);
                if (!e)
                    continue;
                if (change == 0) {
                    e->erase();
                } else if (change == 1) {
                    e->transformBy(ZcGeMatrix3d::translation({coordinate(20) - 10, coordinate(20) - 10, 0}));
                } else {
                    e.close();
                    appendRandom();
                }
            }
            undoHistory().afterCommand(drawing.db(), "T");
        }
        for (int pick = 0; pick < 50; ++pick) {
            const ZcGePoint3d p(coordinate(220) - 10, coordinate(220) - 10, 0);
            const double aperture = pick % 10 == 0 ? 30.0 : kPickAperture;
            const ZcDbObjectId scan = pickEntityByScan(drawing.db(), p, aperture);
            ASSERT_EQ(pickEntity(drawing.db(), p, aperture), scan) << "round " << round << " at " << p.x << "," << p.y;
            found += !scan.isNull();
            // What a screen searches for snaps holds whatever a pick finds.
            if (!scan.isNull()) {
                const std::vector<ZcDbObjectId> near = entitiesNear(drawing.db(), p, aperture);
                ASSERT_NE(std::find(near.begin(), near.end(), scan), near.end()) << "round " << round;
            }
        }
    }
    EXPECT_GT(found, 300) << "the picks mostly find something";
}
