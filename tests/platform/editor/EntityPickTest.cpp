// Picking an entity by a point: the nearest within the aperture.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "ZcDbBlockReference.h"
#include "ZcDbCircle.h"
#include "ZcDbLayerTable.h"
#include "ZcDbLine.h"
#include "ZcDbPolyline.h"
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

// A long polyline farther out than floats reach is kept whole in the index
// and found as the scan finds it.
TEST(EntityPick, ALongPolylineBeyondFloatsIsFound)
{
    TestDrawing drawing;
    drawing.append(new ZcDbLine({0, 0, 0}, {10, 0, 0}));
    auto* far = new ZcDbPolyline;
    for (unsigned i = 0; i < 20; ++i)
        far->addVertexAt(i, ZcGePoint2d(1e40 + 2e25 * i, 1e40), 0.1);
    const ZcDbObjectId id = drawing.append(far);
    const ZcGePoint3d on(1e40 + 2e25 * 7, 1e40, 0);
    EXPECT_EQ(pickEntity(drawing.db(), on), pickEntityByScan(drawing.db(), on));
    EXPECT_EQ(pickEntity(drawing.db(), on, 1e30), id);
}

// The index of model space answers every pick as measuring every entity
// does, and lists the picked entity among those near, over random drawings
// of lines, circles and long wavy polylines with arcs (some stacked exactly
// or nearly over each other, as cut road edges and their markings are),
// while entities are appended, erased, restored, moved and whole commands
// undone. The picked entity is also a nearest one by its own closest point.
// About the origin and about a national grid's coordinates, where floats
// keep a metre at best.
class EntityPickRandom : public testing::TestWithParam<ZcGePoint2d> {};

TEST_P(EntityPickRandom, TheIndexAnswersAsTheScanWhateverChanges)
{
    TestDrawing drawing;
    undoHistory().setEnabled(true);
    struct Off {
        ~Off() { undoHistory().setEnabled(false); }
    } off;
    const ZcGePoint2d o = GetParam();
    std::mt19937 random(30);
    const auto coordinate = [&](double span) { return double(random() % 100000) / 100000.0 * span; };
    std::vector<ZcDbObjectId> ids;
    const auto wavy = [&](double x, double y, int vertices, double shift) {
        auto* pline = new ZcDbPolyline;
        for (int i = 0; i < vertices; ++i)
            pline->addVertexAt(unsigned(i), ZcGePoint2d(o.x + x + 2.0 * i, o.y + y + shift + 3.0 * std::sin(i / 7.0)),
                               i % 3 == 0 ? 0.0 : (i % 2 ? 0.05 : -0.3));
        return pline;
    };
    const auto appendRandom = [&]() {
        const double x = coordinate(200), y = coordinate(200);
        switch (random() % 6) {
        case 0:
            ids.push_back(drawing.append(
                new ZcDbLine({o.x + x, o.y + y, 0}, {o.x + x + coordinate(4), o.y + y + coordinate(4), 0})));
            break;
        case 1:
            ids.push_back(
                drawing.append(new ZcDbCircle({o.x + x, o.y + y, 0}, ZcGeVector3d::kZAxis, 0.1 + coordinate(3))));
            break;
        case 2:  // a long road edge across the drawing
            ids.push_back(drawing.append(new ZcDbLine({o.x + x, o.y, 0}, {o.x + 200 - x, o.y + 200, 0})));
            break;
        case 3: {  // a wavy edge, the same again, and one a hair beside it
            const int vertices = 10 + int(random() % 60);
            ids.push_back(drawing.append(wavy(x / 2, y, vertices, 0.0)));
            ids.push_back(drawing.append(wavy(x / 2, y, vertices, 0.0)));
            ids.push_back(drawing.append(wavy(x / 2, y, vertices, 0.24)));
            break;
        }
        case 4:  // a short polyline, measured whole
            ids.push_back(drawing.append(wavy(x, y, 2 + int(random() % 6), 0.0)));
            break;
        default:  // the same line twice: the later one wins the tie
            ids.push_back(drawing.append(new ZcDbLine({o.x + x, o.y + y, 0}, {o.x + x + 1, o.y + y, 0})));
            ids.push_back(drawing.append(new ZcDbLine({o.x + x, o.y + y, 0}, {o.x + x + 1, o.y + y, 0})));
            break;
        }
    };
    const auto planDistance = [](ZcDbObjectId id, const ZcGePoint3d& p) {
        platform::Opened<ZcDbCurve> curve(id, ZcDb::kForRead);
        ZcGePoint3d closest;
        EXPECT_TRUE(curve && curve->getClosestPointTo(p, closest) == Zcad::eOk);
        return std::hypot(closest.x - p.x, closest.y - p.y);
    };
    for (int i = 0; i < 300; ++i)
        appendRandom();
    int found = 0;
    for (int round = 0; round < 60; ++round) {
        const unsigned change = random() % 6;
        if (change == 5) {
            std::string done, error;
            undoHistory().undo(drawing.db(), done, error);
            ASSERT_TRUE(error.empty()) << error;
            ids.clear();
            platform::Opened<ZcDbBlockTableRecord> ms(drawing.db().modelSpaceId(), ZcDb::kForRead);
            ids = ms->entityIds();
        } else {
            undoHistory().beforeCommand(drawing.db());
            for (int k = 0; k < 5; ++k) {
                const ZcDbObjectId id = ids[random() % ids.size()];
                ZcDbObject* object = nullptr;
                if (zcdbOpenZcDbObject(object, id, ZcDb::kForWrite, true) != Zcad::eOk)
                    continue;
                platform::Opened<ZcDbEntity> e(ZcDbEntity::cast(object));
                if (change == 0) {
                    e->erase();
                } else if (change == 1) {
                    e->erase(false);
                } else if (change == 2) {
                    e->transformBy(ZcGeMatrix3d::translation({coordinate(20) - 10, coordinate(20) - 10, 0}));
                } else {
                    e.close();
                    appendRandom();
                }
            }
            undoHistory().afterCommand(drawing.db(), "T");
        }
        for (int pick = 0; pick < 50; ++pick) {
            const ZcGePoint3d p(o.x + coordinate(220) - 10, o.y + coordinate(220) - 10, 0);
            const double aperture = pick % 10 == 0 ? 30.0 : kPickAperture;
            const ZcDbObjectId scan = pickEntityByScan(drawing.db(), p, aperture);
            ASSERT_EQ(pickEntity(drawing.db(), p, aperture), scan) << "round " << round << " at " << p.x << "," << p.y;
            found += !scan.isNull();
            if (scan.isNull())
                continue;
            // What a screen searches for snaps holds whatever a pick finds.
            const std::vector<ZcDbObjectId> near = entitiesNear(drawing.db(), p, aperture);
            ASSERT_NE(std::find(near.begin(), near.end(), scan), near.end()) << "round " << round;
            const double picked = planDistance(scan, p);
            for (const ZcDbObjectId id : near) {
                if (platform::Opened<ZcDbEntity>(id, ZcDb::kForRead)) {
                    ASSERT_GE(planDistance(id, p), picked - 1e-6) << "round " << round;
                }
            }
        }
    }
    EXPECT_GT(found, 300) << "the picks mostly find something";
}

INSTANTIATE_TEST_SUITE_P(Origins, EntityPickRandom,
                         testing::Values(ZcGePoint2d(0, 0), ZcGePoint2d(5'500'000.0, 7'500'000.0)),
                         [](const testing::TestParamInfo<ZcGePoint2d>& origin) {
                             return origin.index == 0 ? "AboutTheOrigin" : "OnANationalGrid";
                         });
