#include <gtest/gtest.h>

#include "ZcDbLine.h"
#include "platform/db/ObjectAccess.h"
#include "tests/support/TestDrawing.h"

using namespace platform;

// Objects read from a file arrive with their own handles, out of order, and
// references may name a handle before its object arrives.
TEST(Handles, FileHandlesAreKeptAndFoundInAnyOrder)
{
    ZcDbDatabase db(false);
    const uint64_t handles[] = {0x40, 0x12, 0x7F, 0x13, 0x2A};
    std::vector<ZcDbObjectId> ids;
    for (uint64_t h : handles) {
        auto* line = new ZcDbLine({0, 0, 0}, {double(h), 0, 0});
        ZcDbObjectId id;
        ASSERT_EQ(ZcDbObjectAccess::addToDatabaseWithHandle(&db, line, {}, ZcDbHandle(h), id), Zcad::eOk);
        line->close();
        ids.push_back(id);
    }
    for (size_t i = 0; i < ids.size(); ++i) {
        ZcDbObjectId found;
        ASSERT_EQ(db.getZcDbObjectId(found, false, ZcDbHandle(handles[i])), Zcad::eOk);
        EXPECT_EQ(found, ids[i]);
    }
    EXPECT_EQ(db.handseed(), ZcDbHandle(0x80));
    auto* again = new ZcDbLine({0, 0, 0}, {1, 0, 0});
    ZcDbObjectId dup;
    EXPECT_EQ(ZcDbObjectAccess::addToDatabaseWithHandle(&db, again, {}, ZcDbHandle(0x12), dup), Zcad::eDuplicateKey);
    again->close();
}

TEST(Handles, AnnouncedHandleTakesItsObjectLater)
{
    ZcDbDatabase db(false);
    ZcDbObjectId announced;
    ASSERT_EQ(db.getZcDbObjectId(announced, true, ZcDbHandle(0x99)), Zcad::eOk);
    EXPECT_EQ(ZcDbObjectAccess::peek(announced), nullptr);
    auto* line = new ZcDbLine({0, 0, 0}, {1, 0, 0});
    ZcDbObjectId id;
    ASSERT_EQ(ZcDbObjectAccess::addToDatabaseWithHandle(&db, line, {}, ZcDbHandle(0x99), id), Zcad::eOk);
    line->close();
    EXPECT_EQ(id, announced);
    EXPECT_EQ(ZcDbObjectAccess::peek(announced), line);
    // New objects are numbered above everything the file used.
    auto* next = new ZcDbLine({0, 0, 0}, {1, 0, 0});
    ZcDbObjectId nextId;
    ASSERT_EQ(db.addZcDbObject(nextId, next), Zcad::eOk);
    next->close();
    EXPECT_EQ(nextId.handle(), ZcDbHandle(0x9A));
}
