#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ZcDbDictionary.h"
#include "ZcDbGroup.h"
#include "ZcDbLine.h"
#include "ZcDbSortentsTable.h"
#include "ZcDbXrecord.h"
#include "platform/db/ObjectAccess.h"
#include "tests/support/TestDrawing.h"

using namespace platform;

namespace {
ZcDbObjectId addGroup(ZcDbDatabase& db, const char* name, Zcad::ErrorStatus* status = nullptr)
{
    ZcDbDictionary* groups = nullptr;
    db.getGroupDictionary(groups, ZcDb::kForWrite);
    auto* group = new ZcDbGroup(name, true);
    ZcDbObjectId id;
    const Zcad::ErrorStatus es = groups->setAt(name, group, id);
    if (status)
        *status = es;
    group->close();
    groups->close();
    return id;
}

resbuf* realItem(double v)
{
    resbuf* rb = zcutNewRb(1040);
    rb->resval.rreal = v;
    return rb;
}
}  // namespace

TEST(Dictionary, EntriesAreFoundAddedOnceAndRemoved)
{
    TestDrawing d;
    ZcDbDictionary* nod = nullptr;
    ASSERT_EQ(d.db().getNamedObjectsDictionary(nod, ZcDb::kForWrite), Zcad::eOk);
    ZcDbObject* obj = nullptr;
    EXPECT_EQ(nod->getAt("S_Znaki", obj, ZcDb::kForRead), Zcad::eKeyNotFound);
    auto* dict = new ZcDbDictionary;
    ZcDbObjectId id;
    ASSERT_EQ(nod->setAt("S_Znaki", dict, id), Zcad::eOk);
    dict->close();
    auto* second = new ZcDbDictionary;
    ZcDbObjectId id2;
    EXPECT_EQ(nod->setAt("s_znaki", second, id2), Zcad::eDuplicateKey);
    second->close();
    ASSERT_EQ(nod->getAt("S_ZNAKI", obj, ZcDb::kForRead), Zcad::eOk);
    EXPECT_EQ(obj->objectId(), id);
    EXPECT_EQ(obj->ownerId(), nod->objectId());
    obj->close();
    ZcDbObjectId removed;
    EXPECT_EQ(nod->remove("S_Znaki", removed), Zcad::eOk);
    EXPECT_EQ(removed, id);
    EXPECT_FALSE(nod->has("S_Znaki"));
    nod->close();
    EXPECT_EQ(d.openCount(), 0u);
}

TEST(Groups, StarNamesAreMadeUniqueOnEveryCall)
{
    TestDrawing d;
    const ZcDbObjectId a = addGroup(d.db(), "*");
    const ZcDbObjectId b = addGroup(d.db(), "*");
    ASSERT_FALSE(a.isNull());
    ASSERT_FALSE(b.isNull());
    EXPECT_NE(a, b);
    auto* ga = ZcDbObjectAccess::peekAs<ZcDbGroup>(a);
    auto* gb = ZcDbObjectAccess::peekAs<ZcDbGroup>(b);
    EXPECT_EQ(ga->name(), "*A1");
    EXPECT_EQ(gb->name(), "*A2");
    EXPECT_TRUE(ga->isAnonymous());
    Zcad::ErrorStatus es = Zcad::eOk;
    addGroup(d.db(), "Named", &es);
    EXPECT_EQ(es, Zcad::eOk);
    addGroup(d.db(), "NAMED", &es);
    EXPECT_EQ(es, Zcad::eDuplicateKey);
}

TEST(Groups, TakeLiveEntitiesOfTheDrawingOnce)
{
    TestDrawing d;
    const ZcDbObjectId line = d.append(new ZcDbLine({0, 0, 0}, {1, 0, 0}));
    const ZcDbObjectId gone = d.append(new ZcDbLine({0, 1, 0}, {1, 1, 0}));
    ZcDbEntity* ent = nullptr;
    ASSERT_EQ(zcdbOpenZcDbEntity(ent, gone, ZcDb::kForWrite), Zcad::eOk);
    ent->erase();
    ent->close();

    ZcDbGroup* group = nullptr;
    ASSERT_EQ(zcdbOpenObject(group, addGroup(d.db(), "*"), ZcDb::kForWrite), Zcad::eOk);
    EXPECT_EQ(group->append(line), Zcad::eOk);
    EXPECT_EQ(group->append(line), Zcad::eDuplicateKey);
    EXPECT_EQ(group->append(gone), Zcad::eWasErased);
    EXPECT_EQ(group->append(ZcDbObjectId()), Zcad::eNullObjectId);
    EXPECT_EQ(group->append(d.db().layerTableId()), Zcad::eNotThatKindOfClass);
    TestDrawing other;
    const ZcDbObjectId foreign = other.append(new ZcDbLine({0, 0, 0}, {1, 0, 0}));
    EXPECT_EQ(group->append(foreign), Zcad::eWrongDatabase);
    EXPECT_EQ(group->numEntities(), 1);
    EXPECT_TRUE(group->isSelectable());
    group->close();
    zcdbHostApplicationServices()->setWorkingDatabase(&d.db());
}

TEST(ExtendedData, IsKeptPerApplicationAndReplacedWhole)
{
    TestDrawing d;
    auto* rec = new ZcDbXrecord;
    resbuf* list = textItem(1001, "Tarvo");
    list->rbnext = textItem(1000, "Warstwa");
    list->rbnext->rbnext = realItem(0.002);
    ASSERT_EQ(rec->setXData(list), Zcad::eOk);
    zcutRelRb(list);

    resbuf* other = textItem(1001, "Inny");
    other->rbnext = textItem(1000, "x");
    ASSERT_EQ(rec->setXData(other), Zcad::eOk);
    zcutRelRb(other);

    resbuf* got = rec->xData("tarvo");
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(got->restype, 1001);
    EXPECT_STREQ(got->resval.rstring, "Tarvo");
    ASSERT_NE(got->rbnext, nullptr);
    EXPECT_STREQ(got->rbnext->resval.rstring, "Warstwa");
    ASSERT_NE(got->rbnext->rbnext, nullptr);
    EXPECT_DOUBLE_EQ(got->rbnext->rbnext->resval.rreal, 0.002);
    EXPECT_EQ(got->rbnext->rbnext->rbnext, nullptr);
    zcutRelRb(got);

    // An application name alone removes that application's data.
    resbuf* clear = textItem(1001, "Inny");
    ASSERT_EQ(rec->setXData(clear), Zcad::eOk);
    zcutRelRb(clear);
    EXPECT_EQ(rec->xData("Inny"), nullptr);
    EXPECT_EQ(rec->xDataApplications(), std::vector<std::string>{"Tarvo"});
    rec->close();
}

TEST(ExtendedData, BadListsChangeNothing)
{
    TestDrawing d;
    auto* rec = new ZcDbXrecord;
    resbuf* good = textItem(1001, "Tarvo");
    good->rbnext = realItem(1.0);
    ASSERT_EQ(rec->setXData(good), Zcad::eOk);
    zcutRelRb(good);

    resbuf* nan = textItem(1001, "Tarvo");
    nan->rbnext = realItem(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(rec->setXData(nan), Zcad::eInvalidInput);
    zcutRelRb(nan);
    resbuf* orphan = realItem(2.0);
    EXPECT_EQ(rec->setXData(orphan), Zcad::eInvalidInput) << "items need an application first";
    zcutRelRb(orphan);
    resbuf* foreignCode = textItem(1001, "Tarvo");
    foreignCode->rbnext = textItem(8, "layer");
    EXPECT_EQ(rec->setXData(foreignCode), Zcad::eInvalidInput);
    zcutRelRb(foreignCode);

    resbuf* kept = rec->xData("Tarvo");
    ASSERT_NE(kept, nullptr);
    ASSERT_NE(kept->rbnext, nullptr);
    EXPECT_DOUBLE_EQ(kept->rbnext->resval.rreal, 1.0);
    zcutRelRb(kept);
    rec->close();
}

TEST(DrawOrder, MoveToTopPutsTheEntityLast)
{
    TestDrawing d;
    const ZcDbObjectId a = d.append(new ZcDbLine({0, 0, 0}, {1, 0, 0}));
    const ZcDbObjectId b = d.append(new ZcDbLine({0, 1, 0}, {1, 1, 0}));
    const ZcDbObjectId c = d.append(new ZcDbLine({0, 2, 0}, {1, 2, 0}));
    ZcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(zcdbOpenObject(ms, d.db().modelSpaceId(), ZcDb::kForWrite), Zcad::eOk);
    ZcDbSortentsTable* order = nullptr;
    EXPECT_EQ(ms->getSortentsTable(order, ZcDb::kForWrite, false), Zcad::eKeyNotFound);
    ASSERT_EQ(ms->getSortentsTable(order, ZcDb::kForWrite, true), Zcad::eOk);
    ZcDbObjectIdArray ids;
    ids.append(a);
    ASSERT_EQ(order->moveToTop(ids), Zcad::eOk);
    ZcDbObjectIdArray full;
    order->getFullDrawOrder(full);
    ASSERT_EQ(full.length(), 3);
    EXPECT_EQ(full[0], b);
    EXPECT_EQ(full[1], c);
    EXPECT_EQ(full[2], a);
    // Sort keys stay below the handle seed, so a file written now is valid.
    for (const auto& e : order->entries())
        EXPECT_LT(e.second, d.db().handseed());

    ZcDbObjectIdArray bottom;
    bottom.append(c);
    ASSERT_EQ(order->moveToBottom(bottom), Zcad::eOk);
    full.removeAll();
    order->getFullDrawOrder(full);
    EXPECT_EQ(full[0], c);
    EXPECT_EQ(full[1], b);
    EXPECT_EQ(full[2], a);

    ZcDbObjectIdArray foreign;
    foreign.append(d.db().layerTableId());
    EXPECT_EQ(order->moveToTop(foreign), Zcad::eInvalidInput);
    order->close();
    ms->close();

    // A second request finds the same table.
    ASSERT_EQ(zcdbOpenObject(ms, d.db().modelSpaceId(), ZcDb::kForRead), Zcad::eOk);
    ZcDbSortentsTable* again = nullptr;
    ASSERT_EQ(ms->getSortentsTable(again, ZcDb::kForRead), Zcad::eOk);
    EXPECT_EQ(again->entries().size(), order->entries().size());
    again->close();
    ms->close();
    EXPECT_EQ(d.openCount(), 0u);
}

TEST(BlockRecord, AppendNeedsWriteAndNewEntities)
{
    TestDrawing d;
    ZcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(zcdbOpenObject(ms, d.db().modelSpaceId(), ZcDb::kForRead), Zcad::eOk);
    auto* line = new ZcDbLine({0, 0, 0}, {1, 0, 0});
    EXPECT_EQ(ms->appendZcDbEntity(line), Zcad::eNotOpenForWrite);
    ASSERT_EQ(ms->upgradeOpen(), Zcad::eOk);
    ZcDbObjectId id;
    ASSERT_EQ(ms->appendZcDbEntity(id, line), Zcad::eOk);
    EXPECT_EQ(ms->appendZcDbEntity(line), Zcad::eAlreadyInDb);
    EXPECT_EQ(line->layer(), "0");
    EXPECT_EQ(line->ownerId(), ms->objectId());
    EXPECT_EQ(d.openCount(), 2u) << "the new entity stays open for its creator";
    line->close();
    ms->close();
    EXPECT_EQ(d.openCount(), 0u);
}

TEST(BlockRecord, IteratorsPassOverErasedEntitiesBothWays)
{
    TestDrawing d;
    const ZcDbObjectId a = d.append(new ZcDbLine({0, 0, 0}, {1, 0, 0}));
    const ZcDbObjectId b = d.append(new ZcDbLine({0, 1, 0}, {1, 1, 0}));
    const ZcDbObjectId c = d.append(new ZcDbLine({0, 2, 0}, {1, 2, 0}));
    ZcDbEntity* ent = nullptr;
    ASSERT_EQ(zcdbOpenZcDbEntity(ent, c, ZcDb::kForWrite), Zcad::eOk);
    ent->erase();
    ent->close();
    ZcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(zcdbOpenObject(ms, d.db().modelSpaceId(), ZcDb::kForRead), Zcad::eOk);
    ZcDbBlockTableRecordIterator* it = nullptr;
    ms->newIterator(it, false);
    std::vector<ZcDbObjectId> seen;
    for (; !it->done(); it->step(false)) {
        ZcDbObjectId id;
        it->getEntityId(id);
        seen.push_back(id);
    }
    EXPECT_EQ(seen, (std::vector<ZcDbObjectId>{b, a}));
    it->start(true, false);
    int all = 0;
    for (; !it->done(); it->step(true, false))
        ++all;
    EXPECT_EQ(all, 3) << "erased entities are walked when asked for";
    delete it;
    ms->close();
}
