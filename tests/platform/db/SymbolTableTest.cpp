#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ZcDbBlockTable.h"
#include "ZcDbDictionary.h"
#include "ZcDbLayerTable.h"
#include "ZcDbLinetypeTable.h"
#include "ZcDbRegAppTable.h"
#include "ZcDbTextStyleTable.h"
#include "tests/support/TestDrawing.h"

namespace {
template <class TABLE>
std::vector<std::string> names(ZcDbObjectId tableId)
{
    TABLE* table = nullptr;
    std::vector<std::string> out;
    if (zcdbOpenObject(table, tableId, ZcDb::kForRead) != Zcad::eOk)
        return out;
    ZcDbSymbolTableIterator* it = nullptr;
    table->newIterator(it);
    for (; !it->done(); it->step()) {
        ZcDbSymbolTableRecord* rec = nullptr;
        if (it->getRecord(rec, ZcDb::kForRead) == Zcad::eOk) {
            out.push_back(rec->name());
            rec->close();
        }
    }
    delete it;
    table->close();
    return out;
}

std::string addBlock(ZcDbDatabase& db, const char* name, Zcad::ErrorStatus* status = nullptr)
{
    ZcDbBlockTable* table = nullptr;
    db.getBlockTable(table, ZcDb::kForWrite);
    auto* rec = new ZcDbBlockTableRecord;
    rec->setName(name);
    const Zcad::ErrorStatus es = table->add(rec);
    if (status)
        *status = es;
    std::string result = es == Zcad::eOk ? rec->name() : std::string();
    rec->close();  // deletes it when the add failed
    table->close();
    return result;
}
}  // namespace

TEST(NewDrawing, HoldsTheHostsStandardContent)
{
    TestDrawing d;
    EXPECT_EQ(names<ZcDbLayerTable>(d.db().layerTableId()), std::vector<std::string>{"0"});
    EXPECT_EQ(names<ZcDbLinetypeTable>(d.db().linetypeTableId()),
              (std::vector<std::string>{"ByBlock", "ByLayer", "Continuous"}));
    EXPECT_EQ(names<ZcDbTextStyleTable>(d.db().textStyleTableId()), std::vector<std::string>{"Standard"});
    EXPECT_EQ(names<ZcDbBlockTable>(d.db().blockTableId()),
              (std::vector<std::string>{"*Model_Space", "*Paper_Space"}));
    ZcDbDictionary* groups = nullptr;
    ASSERT_EQ(d.db().getGroupDictionary(groups, ZcDb::kForRead), Zcad::eOk);
    EXPECT_EQ(groups->numEntries(), 0);
    groups->close();
    EXPECT_EQ(d.openCount(), 0u);
}

TEST(NewDrawing, HandlesAreTheSameEveryTime)
{
    TestDrawing a;
    TestDrawing b;
    EXPECT_EQ(a.db().modelSpaceId().handle(), b.db().modelSpaceId().handle());
    EXPECT_EQ(a.db().handseed(), b.db().handseed());
    EXPECT_GT(a.db().handseed(), a.db().groupDictionaryId().handle());
}

TEST(SymbolTable, NamesAreUniqueWithoutRegardToCase)
{
    TestDrawing d;
    ZcDbLayerTable* table = nullptr;
    ASSERT_EQ(d.db().getLayerTable(table, ZcDb::kForWrite), Zcad::eOk);
    auto* a = new ZcDbLayerTableRecord;
    ASSERT_EQ(a->setName("Oznakowanie"), Zcad::eOk);
    ASSERT_EQ(table->add(a), Zcad::eOk);
    a->close();
    auto* b = new ZcDbLayerTableRecord;
    b->setName("OZNAKOWANIE");
    EXPECT_EQ(table->add(b), Zcad::eDuplicateKey);
    b->close();
    ZcDbObjectId found;
    EXPECT_EQ(table->getAt("oznakowanie", found), Zcad::eOk);
    EXPECT_EQ(table->getAt("missing", found), Zcad::eKeyNotFound);
    EXPECT_TRUE(found.isNull());
    // Polish capitals are the same letters too.
    auto* polish = new ZcDbLayerTableRecord;
    ASSERT_EQ(polish->setName("Zażółć gęślą jaźń"), Zcad::eOk);
    ASSERT_EQ(table->add(polish), Zcad::eOk);
    polish->close();
    auto* shouted = new ZcDbLayerTableRecord;
    ASSERT_EQ(shouted->setName("ZAŻÓŁĆ GĘŚLĄ JAŹŃ"), Zcad::eOk);
    EXPECT_EQ(table->add(shouted), Zcad::eDuplicateKey);
    shouted->close();
    EXPECT_EQ(table->getAt("zAżÓłĆ gĘśLą JaŹń", found), Zcad::eOk);
    EXPECT_EQ(table->getAt("Zazolc gesla jazn", found), Zcad::eKeyNotFound) << "letters keep their marks";
    table->close();

    ZcDbLayerTableRecord* rec = nullptr;
    ASSERT_EQ(zcdbOpenObject(rec, d.db().layerTableId(), ZcDb::kForRead), Zcad::eNotThatKindOfClass);
}

TEST(SymbolTable, RefusesBadNamesWrongRecordsAndReadOnlyTables)
{
    TestDrawing d;
    auto* rec = new ZcDbLayerTableRecord;
    EXPECT_EQ(rec->setName(""), Zcad::eInvalidSymbolTableName);
    EXPECT_EQ(rec->setName("a<b"), Zcad::eInvalidSymbolTableName);
    EXPECT_EQ(rec->setName("a*b"), Zcad::eInvalidSymbolTableName);
    EXPECT_EQ(rec->setName("Za\xBF\xF3\xB3\xE6"), Zcad::eInvalidInput) << "code page 1250 bytes are not UTF-8";
    ZcDbLayerTable* layers = nullptr;
    d.db().getLayerTable(layers, ZcDb::kForRead);
    rec->setName("Ok");
    EXPECT_EQ(layers->add(rec), Zcad::eNotOpenForWrite);
    layers->close();
    ZcDbBlockTable* blocks = nullptr;
    d.db().getBlockTable(blocks, ZcDb::kForWrite);
    EXPECT_EQ(blocks->add(reinterpret_cast<ZcDbSymbolTableRecord*>(rec)), Zcad::eWrongObjectType);
    blocks->close();
    rec->close();
    EXPECT_EQ(d.openCount(), 0u);
}

TEST(AnonymousBlocks, EachStarUGetsTheNextNumber)
{
    TestDrawing d;
    EXPECT_EQ(addBlock(d.db(), "*U"), "*U1");
    EXPECT_EQ(addBlock(d.db(), "*U"), "*U2");
    EXPECT_EQ(addBlock(d.db(), "*u"), "*U3");
    EXPECT_EQ(addBlock(d.db(), "Slupek1"), "Slupek1");
    Zcad::ErrorStatus es = Zcad::eOk;
    EXPECT_EQ(addBlock(d.db(), "slupek1", &es), "");
    EXPECT_EQ(es, Zcad::eDuplicateKey);
    ZcDbBlockTableRecord* rec = nullptr;
    ZcDbBlockTable* table = nullptr;
    d.db().getBlockTable(table, ZcDb::kForRead);
    ASSERT_EQ(table->getAt("*U2", rec, ZcDb::kForRead), Zcad::eOk);
    EXPECT_TRUE(rec->isAnonymous());
    rec->close();
    table->close();
}

TEST(RegisteredApplications, ExtendedDataRegistersItsApplication)
{
    TestDrawing d;
    ZcDbRegAppTable* apps = nullptr;
    d.db().getRegAppTable(apps, ZcDb::kForRead);
    EXPECT_FALSE(apps->has("Tarvo"));
    apps->close();

    ZcDbDictionary* nod = nullptr;
    d.db().getNamedObjectsDictionary(nod, ZcDb::kForWrite);
    resbuf* rb = zcutNewRb(1001);
    rb->resval.rstring = zcutNewString("Tarvo");
    rb->rbnext = zcutNewRb(1000);
    rb->rbnext->resval.rstring = zcutNewString("x");
    EXPECT_EQ(nod->setXData(rb), Zcad::eOk);
    zcutRelRb(rb);
    nod->close();

    d.db().getRegAppTable(apps, ZcDb::kForRead);
    EXPECT_TRUE(apps->has("TARVO"));
    apps->close();
}
