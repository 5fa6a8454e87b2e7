// AppendToModelSpace and MoveToTop: who opens and closes what.

#include <gtest/gtest.h>

#include "ZcDbLine.h"
#include "ZcDbSortentsTable.h"
#include "services/DatabaseServices.h"
#include "tests/support/PlatformInternals.h"
#include "tests/support/TestDrawing.h"

using namespace platform;

namespace {

ZcDbLine* newLine(double y) { return new ZcDbLine({0, y, 0}, {10, y, 0}); }

}  // namespace

TEST(AppendToModelSpace, WithoutAnOwnerModelSpaceIsOpenedAndClosedAroundEachAppend)
{
    TestDrawing drawing;
    for (int i = 0; i < 2; ++i) {
        ZcDbLine* line = newLine(i);
        ASSERT_TRUE(AppendToModelSpace(line));
        EXPECT_FALSE(line->objectId().isNull());
        EXPECT_EQ(line->ownerId(), drawing.db().modelSpaceId());
        // Only the entity is open: the caller closes it.
        EXPECT_EQ(openObjects(&drawing.db()), std::vector<ZcDbObjectId>{line->objectId()});
        line->close();
    }
    EXPECT_EQ(drawing.openCount(), 0u);
    EXPECT_EQ(ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(drawing.db().modelSpaceId())->entityIds().size(), 2u);
}

TEST(AppendToModelSpace, AGivenOwnerStaysOpenForFurtherAppends)
{
    TestDrawing drawing;
    ZcDbBlockTableRecord* owner = nullptr;
    ASSERT_EQ(zcdbOpenObject(owner, drawing.db().modelSpaceId(), ZcDb::kForWrite), Zcad::eOk);
    for (int i = 0; i < 3; ++i) {
        ZcDbLine* line = newLine(i);
        ASSERT_TRUE(AppendToModelSpace(line, owner));
        EXPECT_TRUE(owner->isWriteEnabled());
        line->close();
    }
    EXPECT_EQ(owner->entityIds().size(), 3u);
    EXPECT_EQ(drawing.openCount(), 1u);
    owner->close();
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST(AppendToModelSpace, FailsWithoutLeavingAnythingOpen)
{
    TestDrawing drawing;
    EXPECT_FALSE(AppendToModelSpace(nullptr));

    // Model space already open for write elsewhere: it cannot be opened again.
    ZcDbBlockTableRecord* holder = nullptr;
    ASSERT_EQ(zcdbOpenObject(holder, drawing.db().modelSpaceId(), ZcDb::kForWrite), Zcad::eOk);
    ZcDbLine* line = newLine(0);
    EXPECT_FALSE(AppendToModelSpace(line));
    EXPECT_TRUE(line->objectId().isNull());
    EXPECT_EQ(drawing.openCount(), 1u) << "the block table was closed again";
    holder->close();
    line->close();  // never added: close deletes it

    zcdbHostApplicationServices()->setWorkingDatabase(nullptr);
    ZcDbLine* orphan = newLine(1);
    EXPECT_FALSE(AppendToModelSpace(orphan));
    orphan->close();
}

TEST(MoveToTop, PutsTheEntityLastInTheDrawOrder)
{
    TestDrawing drawing;
    const ZcDbObjectId first = drawing.append(newLine(0));
    const ZcDbObjectId second = drawing.append(newLine(1));
    ZcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(zcdbOpenObject(ms, drawing.db().modelSpaceId(), ZcDb::kForWrite), Zcad::eOk);
    MoveToTop(ms, first);
    ZcDbSortentsTable* sortents = nullptr;
    ASSERT_EQ(ms->getSortentsTable(sortents, ZcDb::kForRead), Zcad::eOk);
    ZcDbObjectIdArray order;
    sortents->getFullDrawOrder(order);
    sortents->close();
    ms->close();
    ASSERT_EQ(order.length(), 2);
    EXPECT_EQ(order[0], second);
    EXPECT_EQ(order[1], first);
    EXPECT_EQ(drawing.openCount(), 0u);
}
