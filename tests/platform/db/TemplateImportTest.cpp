// Template drawings: read from the DXF beside the DWG the system names, and
// copied into the working drawing as a block with what it needs.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "ZcDbAttributeDefinition.h"
#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "ZcDbCircle.h"
#include "ZcDbHatch.h"
#include "ZcDbLayerTable.h"
#include "ZcDbPolyline.h"
#include "ZcDbText.h"
#include "ZcDbTextStyleTable.h"
#include "platform/db/DatabaseImpl.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/Opened.h"
#include "platform/dxf/DxfReader.h"
#include "platform/dxf/DxfWriter.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestDrawing.h"

using namespace platform;

namespace {

template <class Table, class Record>
ZcDbObjectId addRecord(ZcDbObjectId tableId, Record* record, const char* name)
{
    Opened<Table> table(tableId, ZcDb::kForWrite);
    Opened<Record> owned(record);
    record->setName(name);
    ZcDbObjectId id;
    table->add(id, record);
    return id;
}

ZcDbObjectId append(ZcDbObjectId block, ZcDbEntity* entity)
{
    Opened<ZcDbBlockTableRecord> record(block, ZcDb::kForWrite);
    Opened<ZcDbEntity> owned(entity);
    ZcDbObjectId id;
    record->appendZcDbEntity(id, entity);
    return id;
}

// A traffic-light symbol as a template holds one: a lamp housing on its
// own layer, a filled lamp, a label in its own style, and a nested post
// block with an attribute definition.
void writeTemplate(const std::string& path, int layerColour)
{
    TestDrawing drawing;
    ZcDbDatabase& db = drawing.db();
    auto* layer = new ZcDbLayerTableRecord;
    ZcCmColor colour;
    colour.setColorIndex(layerColour);
    layer->setColor(colour);
    const ZcDbObjectId layerId = addRecord<ZcDbLayerTable>(db.layerTableId(), layer, "Swiatla");
    auto* style = new ZcDbTextStyleTableRecord;
    style->setFileName("Tarvowa.ttf");
    const ZcDbObjectId styleId = addRecord<ZcDbTextStyleTable>(db.textStyleTableId(), style, "Tarvowy");

    const ZcDbObjectId post = addRecord<ZcDbBlockTable>(db.blockTableId(), new ZcDbBlockTableRecord, "Slupek");
    append(post, new ZcDbCircle({0, 0, 0}, ZcGeVector3d::kZAxis, 0.2));
    auto* def = new ZcDbAttributeDefinition;
    def->setTag("NR");
    def->setTextString("1");
    append(post, def);

    auto* housing = new ZcDbPolyline;
    housing->addVertexAt(0, {0, 0});
    housing->addVertexAt(1, {1, 0});
    housing->addVertexAt(2, {1, 3});
    housing->addVertexAt(3, {0, 3});
    housing->setClosed(true);
    housing->setLayer(layerId);
    const ZcDbObjectId housingId = append(db.modelSpaceId(), housing);
    {
        Opened<ZcDbBlockTableRecord> space(db.modelSpaceId(), ZcDb::kForWrite);
        auto* lamp = new ZcDbHatch;
        Opened<ZcDbHatch> owned(lamp);
        lamp->setDatabaseDefaults(&db);
        space->appendZcDbEntity(lamp);
        lamp->setAssociative(true);
        ZcDbObjectIdArray boundary;
        boundary.append(housingId);
        lamp->appendLoop(ZcDbHatch::kExternal, boundary);
    }
    auto* label = new ZcDbText;
    label->setTextString("S-1");
    label->setTextStyle(styleId);
    append(db.modelSpaceId(), label);
    {
        Opened<ZcDbBlockTableRecord> space(db.modelSpaceId(), ZcDb::kForWrite);
        auto* ref = new ZcDbBlockReference({0.5, -1, 0}, post);
        Opened<ZcDbBlockReference> owned(ref);
        ref->setDatabaseDefaults(&db);
        space->appendZcDbEntity(ref);
    }
    std::string error;
    ASSERT_TRUE(writeDxfFile(db, path, error)) << error;
}

const ZcDbBlockTableRecord* blockNamed(ZcDbDatabase& db, const char* name)
{
    ZcDbObjectId id;
    ZcDbObjectAccess::peekAs<ZcDbBlockTable>(db.blockTableId())->getAt(name, id);
    return ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(id);
}

// The system's import: a block already in the drawing is never imported
// again; otherwise the template is read and inserted.
Zcad::ErrorStatus importBlock(ZcDbDatabase& into, const char* name, const std::string& folder)
{
    if (blockNamed(into, name))
        return Zcad::eOk;
    auto source = std::make_unique<ZcDbDatabase>(false, true);
    source->readDwgFile((folder + name + ".dwg").c_str(), 0x20, false, nullptr);
    ZcDbObjectId id;
    into.insert(id, name, source.get(), true);
    return blockNamed(into, name) ? Zcad::eOk : Zcad::eKeyNotFound;
}

class Template : public ::testing::Test {
protected:
    void SetUp() override { writeTemplate(folder.file("s_a1.dxf"), 1); }

    TempDir folder{"templates"};
    std::string dir() const { return folder.path().string() + "/"; }
};

}  // namespace

TEST_F(Template, ADwgThatIsNotThereIsReadFromTheDxfBesideIt)
{
    ZcDbDatabase db(false, true);
    ASSERT_EQ(db.readDwgFile((dir() + "s_a1.dwg").c_str()), Zcad::eOk) << db.impl()->readError;
    ASSERT_NE(blockNamed(db, "Slupek"), nullptr);
    EXPECT_EQ(ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(db.modelSpaceId())->entityIds().size(), 4u);
    EXPECT_EQ(db.modelSpaceId().database(), &db);
}

TEST_F(Template, AWindowsPathInAnotherCaseFindsTheFile)
{
    ZcDbDatabase db(false, true);
    std::string path = dir() + "S_A1.DWG";
    std::replace(path.begin(), path.end(), '/', '\\');
    EXPECT_EQ(db.readDwgFile(path.c_str()), Zcad::eOk) << db.impl()->readError;
}

TEST_F(Template, FailuresGiveTheHostsStatusesAndLeaveTheDrawingEmpty)
{
    ZcDbDatabase missing(false, true);
    EXPECT_EQ(missing.readDwgFile((dir() + "s_z9.dwg").c_str()), Zcad::eFileNotFound);
    EXPECT_NE(missing.impl()->readError.find("s_z9.dxf"), std::string::npos) << missing.impl()->readError;
    EXPECT_TRUE(missing.impl()->stubs.empty());

    std::ofstream(folder.file("real.dwg")) << "AC1032 binary";
    ZcDbDatabase dwg(false, true);
    EXPECT_EQ(dwg.readDwgFile((dir() + "real.dwg").c_str()), Zcad::eInvalidDwgVersion);

    std::ofstream(folder.file("broken.dxf")) << "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\nabc\n";
    ZcDbDatabase broken(false, true);
    EXPECT_EQ(broken.readDwgFile((dir() + "broken.dwg").c_str()), Zcad::eDwgNotRecoverable);
    EXPECT_NE(broken.impl()->readError.find("line 8"), std::string::npos) << broken.impl()->readError;
    EXPECT_TRUE(broken.impl()->stubs.empty());
}

TEST_F(Template, InsertCopiesModelSpaceWithWhatItNeeds)
{
    TestDrawing working;
    ZcDbDatabase& db = working.db();
    ZcDbDatabase source(false, true);
    ASSERT_EQ(source.readDwgFile((dir() + "s_a1.dwg").c_str()), Zcad::eOk);
    const std::string sourceBefore = dxfToString(source);

    ZcDbObjectId blockId;
    ASSERT_EQ(db.insert(blockId, "s_a1", &source), Zcad::eOk);
    EXPECT_EQ(dxfToString(source), sourceBefore);
    const auto* block = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(blockId);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->name(), "s_a1");
    ASSERT_EQ(block->entityIds().size(), 4u);
    for (const ZcDbObjectId& id : block->entityIds()) {
        EXPECT_EQ(id.database(), &db);
        EXPECT_EQ(ZcDbObjectAccess::peek(id)->ownerId(), blockId);
    }
    const auto* housing = ZcDbObjectAccess::peekAs<ZcDbPolyline>(block->entityIds()[0]);
    ASSERT_NE(housing, nullptr);
    EXPECT_EQ(housing->layer(), "Swiatla");
    EXPECT_EQ(housing->layerId().database(), &db);
    const auto* lamp = ZcDbObjectAccess::peekAs<ZcDbHatch>(block->entityIds()[1]);
    ASSERT_NE(lamp, nullptr);
    ASSERT_EQ(lamp->loops()[0].sourceIds.size(), 1u);
    EXPECT_EQ(lamp->loops()[0].sourceIds[0], block->entityIds()[0]);
    EXPECT_EQ(housing->persistentReactors(), std::vector<ZcDbObjectId>{block->entityIds()[1]});
    const auto* label = ZcDbObjectAccess::peekAs<ZcDbText>(block->entityIds()[2]);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->textStyle().database(), &db);
    EXPECT_EQ(ZcDbObjectAccess::peekAs<ZcDbTextStyleTableRecord>(label->textStyle())->fileName(), "Tarvowa.ttf");
    const auto* post = ZcDbObjectAccess::peekAs<ZcDbBlockReference>(block->entityIds()[3]);
    ASSERT_NE(post, nullptr);
    EXPECT_EQ(post->blockTableRecord(), blockNamed(db, "Slupek")->objectId());
    EXPECT_TRUE(blockNamed(db, "Slupek")->hasAttributeDefinitions());
    EXPECT_EQ(working.openCount(), 0u);

    // The drawing writes and reads back whole.
    std::string error;
    const std::string text = dxfToString(db, &error);
    ASSERT_EQ(error, "");
    ZcDbDatabase again(false);
    ASSERT_TRUE(readDxf(text, again, error)) << error;
}

TEST_F(Template, DefinitionsOfTheSameNameInTheDrawingAreKept)
{
    TestDrawing working;
    ZcDbDatabase& db = working.db();
    auto* layer = new ZcDbLayerTableRecord;
    ZcCmColor blue;
    blue.setColorIndex(5);
    layer->setColor(blue);
    const ZcDbObjectId ownLayer = addRecord<ZcDbLayerTable>(db.layerTableId(), layer, "Swiatla");
    const ZcDbObjectId ownPost = addRecord<ZcDbBlockTable>(db.blockTableId(), new ZcDbBlockTableRecord, "Slupek");

    ZcDbDatabase source(false, true);
    ASSERT_EQ(source.readDwgFile((dir() + "s_a1.dwg").c_str()), Zcad::eOk);
    ZcDbObjectId blockId;
    ASSERT_EQ(db.insert(blockId, "s_a1", &source), Zcad::eOk);
    const auto* block = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(blockId);
    EXPECT_EQ(ZcDbObjectAccess::peekAs<ZcDbEntity>(block->entityIds()[0])->layerId(), ownLayer);
    EXPECT_EQ(ZcDbObjectAccess::peekAs<ZcDbLayerTableRecord>(ownLayer)->color().colorIndex(), 5);
    EXPECT_EQ(ZcDbObjectAccess::peekAs<ZcDbBlockReference>(block->entityIds()[3])->blockTableRecord(), ownPost);
    EXPECT_TRUE(ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(ownPost)->entityIds().empty());

    // A block of the name itself is kept as it is.
    const std::string before = dxfToString(db);
    ZcDbObjectId again;
    EXPECT_EQ(db.insert(again, "s_a1", &source), Zcad::eDuplicateKey);
    EXPECT_EQ(again, blockId);
    EXPECT_EQ(dxfToString(db), before);
}

TEST_F(Template, ImportingTwiceReadsTheFileOnce)
{
    TestDrawing working;
    ASSERT_EQ(importBlock(working.db(), "s_a1", dir()), Zcad::eOk);
    const std::string before = dxfToString(working.db());
    // Gone or changed, the file is not looked at again.
    std::filesystem::remove(folder.file("s_a1.dxf"));
    EXPECT_EQ(importBlock(working.db(), "s_a1", dir()), Zcad::eOk);
    EXPECT_EQ(dxfToString(working.db()), before);
}

TEST_F(Template, AMissingTemplateLeavesTheWorkingDrawingAsItWas)
{
    TestDrawing working;
    const std::string before = dxfToString(working.db());
    EXPECT_EQ(importBlock(working.db(), "s_z9", dir()), Zcad::eKeyNotFound);
    EXPECT_EQ(dxfToString(working.db()), before);
    ZcDbDatabase empty(false, true);
    ZcDbObjectId id;
    EXPECT_EQ(working.db().insert(id, "s_z9", &empty), Zcad::eInvalidInput);
    EXPECT_EQ(dxfToString(working.db()), before);
    EXPECT_EQ(working.openCount(), 0u);
}

namespace {

// A template whose model space references the first of a chain of blocks,
// each holding a circle and a reference to the next; spare is a block
// defined but referenced by nothing.
struct NestedTemplate {
    const char* name;
    std::vector<const char*> chain;
    const char* spare;
    Zcad::ErrorStatus expected;
};

void writeNestedTemplate(const std::string& path, const NestedTemplate& t)
{
    TestDrawing drawing;
    ZcDbDatabase& db = drawing.db();
    ZcDbObjectId holder = db.modelSpaceId();
    for (const char* name : t.chain) {
        const ZcDbObjectId block = addRecord<ZcDbBlockTable>(db.blockTableId(), new ZcDbBlockTableRecord, name);
        append(block, new ZcDbCircle({0, 0, 0}, ZcGeVector3d::kZAxis, 1.0));
        auto* ref = new ZcDbBlockReference({1, 1, 0}, block);
        ref->setDatabaseDefaults(&db);
        append(holder, ref);
        holder = block;
    }
    if (t.spare)
        append(addRecord<ZcDbBlockTable>(db.blockTableId(), new ZcDbBlockTableRecord, t.spare),
               new ZcDbCircle({0, 0, 0}, ZcGeVector3d::kZAxis, 2.0));
    std::string error;
    ASSERT_TRUE(writeDxfFile(db, path, error)) << error;
}

class NestedTemplateImport : public testing::TestWithParam<NestedTemplate> {
protected:
    TempDir folder{"nested-templates"};
};

}  // namespace

// A block of the template named as the block being made would become that
// block itself: it would hold a reference to itself. Such a template is
// refused and the drawing stays as it was; any other is copied, and what
// is written reads back (the reader refuses blocks nested in themselves).
TEST_P(NestedTemplateImport, NeverMakesABlockHoldItself)
{
    const NestedTemplate& t = GetParam();
    writeNestedTemplate(folder.file("s_a1.dxf"), t);
    TestDrawing working;
    ZcDbDatabase& db = working.db();
    const std::string before = dxfToString(db);

    ZcDbDatabase source(false, true);
    ASSERT_EQ(source.readDwgFile(folder.file("s_a1.dwg").c_str()), Zcad::eOk) << source.impl()->readError;
    ZcDbObjectId blockId;
    EXPECT_EQ(db.insert(blockId, "s_a1", &source), t.expected);
    EXPECT_EQ(working.openCount(), 0u);
    if (t.expected != Zcad::eOk) {
        EXPECT_TRUE(blockId.isNull());
        EXPECT_EQ(dxfToString(db), before) << "nothing changes";
        return;
    }
    for (const char* name : t.chain)
        EXPECT_NE(blockNamed(db, name), nullptr) << name;
    std::string error;
    const std::string text = dxfToString(db, &error);
    ASSERT_EQ(error, "");
    ZcDbDatabase again(false);
    EXPECT_TRUE(readDxf(text, again, error)) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Templates, NestedTemplateImport,
    testing::Values(NestedTemplate{"OwnNameInModelSpace", {"s_a1"}, nullptr, Zcad::eSelfReference},
                    NestedTemplate{"OwnNameInAnotherCase", {"S_A1"}, nullptr, Zcad::eSelfReference},
                    NestedTemplate{"OwnNameOneBlockDown", {"Oprawa", "s_a1"}, nullptr, Zcad::eSelfReference},
                    NestedTemplate{"OwnNameTwoBlocksDown", {"Oprawa", "Lampa", "S_a1"}, nullptr, Zcad::eSelfReference},
                    NestedTemplate{"OwnNameReferencedByNothing", {"Oprawa"}, "s_a1", Zcad::eOk},
                    NestedTemplate{"OtherNamesOnly", {"Oprawa", "Lampa"}, nullptr, Zcad::eOk}),
    [](const testing::TestParamInfo<NestedTemplate>& p) { return p.param.name; });
