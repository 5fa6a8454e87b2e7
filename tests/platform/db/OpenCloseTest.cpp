#include <gtest/gtest.h>

#include "ZcDbDictionary.h"
#include "ZcDbLayerTable.h"
#include "ZcDbLine.h"
#include "platform/db/ObjectAccess.h"
#include "tests/support/TestDrawing.h"

using namespace platform;

namespace {
ZcDbObjectId newLayer(TestDrawing& d, const char* name)
{
    ZcDbLayerTable* table = nullptr;
    EXPECT_EQ(d.db().getLayerTable(table, ZcDb::kForWrite), Zcad::eOk);
    auto* layer = new ZcDbLayerTableRecord;
    layer->setName(name);
    ZcDbObjectId id;
    EXPECT_EQ(table->add(id, layer), Zcad::eOk);
    layer->close();
    table->close();
    return id;
}
}  // namespace

TEST(OpenClose, ReadersShareAndWriterIsAlone)
{
    TestDrawing d;
    const ZcDbObjectId id = newLayer(d, "A");
    ZcDbObject *r1 = nullptr, *r2 = nullptr, *w = nullptr;
    ASSERT_EQ(zcdbOpenZcDbObject(r1, id, ZcDb::kForRead), Zcad::eOk);
    ASSERT_EQ(zcdbOpenZcDbObject(r2, id, ZcDb::kForRead), Zcad::eOk);
    EXPECT_EQ(r1, r2);
    EXPECT_EQ(zcdbOpenZcDbObject(w, id, ZcDb::kForWrite), Zcad::eWasOpenForRead);
    EXPECT_EQ(w, nullptr);
    EXPECT_EQ(r1->upgradeOpen(), Zcad::eHadMultipleReaders);
    r2->close();
    ASSERT_EQ(r1->upgradeOpen(), Zcad::eOk);
    EXPECT_EQ(zcdbOpenZcDbObject(w, id, ZcDb::kForRead), Zcad::eWasOpenForWrite);
    EXPECT_EQ(zcdbOpenZcDbObject(w, id, ZcDb::kForWrite), Zcad::eWasOpenForWrite);
    r1->close();
    EXPECT_EQ(d.openCount(), 0u);
}

TEST(OpenClose, SettersNeedWriteAndOpenObjectsAreListed)
{
    TestDrawing d;
    const ZcDbObjectId id = newLayer(d, "A");
    ZcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(zcdbOpenObject(layer, id, ZcDb::kForRead), Zcad::eOk);
    EXPECT_EQ(layer->setIsOff(true), Zcad::eNotOpenForWrite);
    EXPECT_FALSE(layer->isOff());
    const auto open = openObjects(&d.db());
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0], id);
    layer->close();
    EXPECT_EQ(layer->close(), Zcad::eInvalidOpenState) << "a second close is refused, not counted";
    EXPECT_TRUE(openObjects(&d.db()).empty());
}

TEST(OpenClose, BadIdsAreRefusedWithTheHostStatuses)
{
    TestDrawing d;
    ZcDbObject* obj = nullptr;
    EXPECT_EQ(zcdbOpenZcDbObject(obj, ZcDbObjectId(), ZcDb::kForRead), Zcad::eNullObjectId);
    ZcDbDictionary* dict = nullptr;
    // A layer is not a dictionary: the open is undone.
    EXPECT_EQ(zcdbOpenObject(dict, d.db().layerTableId(), ZcDb::kForRead), Zcad::eNotThatKindOfClass);
    EXPECT_EQ(d.openCount(), 0u);
    ZcDbObjectId unknown;
    EXPECT_EQ(d.db().getZcDbObjectId(unknown, false, ZcDbHandle(0xFFFFFF)), Zcad::eKeyNotFound);
}

TEST(Erase, ErasedObjectsOpenOnlyOnRequestAndLeaveLookups)
{
    TestDrawing d;
    const ZcDbObjectId id = newLayer(d, "Old");
    ZcDbObject* obj = nullptr;
    ASSERT_EQ(zcdbOpenZcDbObject(obj, id, ZcDb::kForRead), Zcad::eOk);
    EXPECT_EQ(obj->erase(), Zcad::eNotOpenForWrite);
    ASSERT_EQ(obj->upgradeOpen(), Zcad::eOk);
    ASSERT_EQ(obj->erase(), Zcad::eOk);
    EXPECT_EQ(obj->erase(), Zcad::eWasErased);
    obj->close();

    EXPECT_TRUE(id.isErased());
    EXPECT_EQ(zcdbOpenZcDbObject(obj, id, ZcDb::kForRead), Zcad::eWasErased);
    ZcDbLayerTable* table = nullptr;
    ASSERT_EQ(d.db().getLayerTable(table, ZcDb::kForWrite), Zcad::eOk);
    EXPECT_FALSE(table->has("Old"));
    // The name is free again.
    auto* again = new ZcDbLayerTableRecord;
    again->setName("OLD");
    EXPECT_EQ(table->add(again), Zcad::eOk);
    again->close();
    table->close();

    ASSERT_EQ(zcdbOpenZcDbObject(obj, id, ZcDb::kForWrite, true), Zcad::eOk);
    EXPECT_EQ(obj->erase(false), Zcad::eOk);
    obj->close();
    EXPECT_FALSE(id.isErased());
}

TEST(Erase, ObjectsOutsideADrawingCannotBeErased)
{
    TestDrawing d;
    auto* layer = new ZcDbLayerTableRecord;
    EXPECT_EQ(layer->erase(), Zcad::eNotInDatabase);
    EXPECT_EQ(layer->close(), Zcad::eOk);  // deletes it: the sanitizers watch this
}

// As the host does: an entity drawn on a locked layer opens for reading
// only; the layer's own record, and entities inside block definitions on
// that layer, stay writable; unlocking lets it be changed again.
TEST(OpenClose, AnEntityOnALockedLayerIsNotOpenedForWrite)
{
    TestDrawing d;
    const ZcDbObjectId layerId = newLayer(d, "ZAMKNIETA");
    auto* line = new ZcDbLine({0, 0, 0}, {10, 0, 0});
    line->setLayer(layerId);
    const ZcDbObjectId lineId = d.append(line);
    ZcDbBlockTable* table = nullptr;
    ASSERT_EQ(d.db().getBlockTable(table, ZcDb::kForWrite), Zcad::eOk);
    auto* block = new ZcDbBlockTableRecord;
    block->setName("W_BLOKU");
    ZcDbObjectId blockId;
    ASSERT_EQ(table->add(blockId, block), Zcad::eOk);
    table->close();
    auto* inner = new ZcDbLine({0, 0, 0}, {1, 0, 0});
    inner->setLayer(layerId);
    ZcDbObjectId innerId;
    ASSERT_EQ(block->appendZcDbEntity(innerId, inner), Zcad::eOk);
    inner->close();
    block->close();

    const auto lock = [&](bool on) {
        ZcDbLayerTableRecord* layer = nullptr;
        ASSERT_EQ(zcdbOpenObject(layer, layerId, ZcDb::kForWrite), Zcad::eOk) << "the record itself is writable";
        layer->setIsLocked(on);
        layer->close();
    };
    lock(true);
    ZcDbObject* opened = nullptr;
    EXPECT_EQ(zcdbOpenZcDbObject(opened, lineId, ZcDb::kForWrite), Zcad::eOnLockedLayer);
    EXPECT_EQ(opened, nullptr);
    ASSERT_EQ(zcdbOpenZcDbObject(opened, lineId, ZcDb::kForRead), Zcad::eOk);
    EXPECT_EQ(opened->upgradeOpen(), Zcad::eOnLockedLayer);
    opened->close();
    ASSERT_EQ(zcdbOpenZcDbObject(opened, innerId, ZcDb::kForWrite), Zcad::eOk) << "block contents are not drawn";
    opened->close();
    EXPECT_STREQ(Zcad::errorStatusName(Zcad::eOnLockedLayer), "eOnLockedLayer");
    lock(false);
    ASSERT_EQ(zcdbOpenZcDbObject(opened, lineId, ZcDb::kForWrite), Zcad::eOk);
    opened->close();
    EXPECT_EQ(d.openCount(), 0u);
}
