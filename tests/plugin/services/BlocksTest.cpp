// Block definitions and their references: attributes placed as their
// definitions show them, templates imported once and never left empty,
// names the table refuses, and nothing left open on any path.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "ZcDbAttribute.h"
#include "ZcDbAttributeDefinition.h"
#include "ZcDbCircle.h"
#include "ZcDbLayerTable.h"
#include "ZcDbObjectPointer.h"
#include "services/Blocks.h"
#include "services/DatabaseServices.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestDrawing.h"

namespace {

constexpr double kBlockTol = 1e-9;

ZcDbAttributeDefinition* definition(const char* tag, ZcGePoint3d at, double height, bool constant = false)
{
    auto* d = new ZcDbAttributeDefinition;
    d->setDatabaseDefaults();
    d->setTag(tag);
    d->setPrompt(tag);
    d->setTextString((std::string(tag) + " default").c_str());
    d->setPosition(at);
    d->setHeight(height);
    d->setConstant(constant);
    return d;
}

ZcDbObjectId FindBlockId(const char* name)
{
    ZcDbObjectPointer<ZcDbBlockTableRecord> block;
    if (ZcDbBlockTableRecord* found = FindBlock(name, ZcDb::kForRead))
        block.acquire(found);
    return block ? block->objectId() : ZcDbObjectId();
}

void appendTo(ZcDbBlockTableRecord* block, ZcDbEntity* entity)
{
    ZcDbObjectPointer<ZcDbEntity> closer;
    closer.acquire(entity);
    AppendToModelSpace(closer.object(), block);
}

// "Tablica": two variable fields, a constant one, a centred field whose
// alignment point carries it, and a nested block that has a field of its own.
void defineBoardBlocks()
{
    {
        ZcDbObjectPointer<ZcDbBlockTableRecord> inner;
        ZcDbBlockTableRecord* record = GetOrCreateBlock("Wewnetrzny", ZcDb::kForWrite);
        inner.acquire(record);
        appendTo(inner.object(), definition("NESTED", ZcGePoint3d(9, 9, 0), 1.0));
    }
    ZcDbObjectPointer<ZcDbBlockTableRecord> block;
    ZcDbBlockTableRecord* record = GetOrCreateBlock("Tablica", ZcDb::kForWrite);
    block.acquire(record);
    appendTo(block.object(), new ZcDbCircle(ZcGePoint3d::kOrigin, ZcGeVector3d::kZAxis, 5.0));
    appendTo(block.object(), definition("SYMBOL", ZcGePoint3d(1, 2, 0), 0.5));
    appendTo(block.object(), definition("STALA", ZcGePoint3d(4, 4, 0), 0.5, true));
    ZcDbAttributeDefinition* centred = definition("OPIS", ZcGePoint3d(0, -3, 0), 0.25);
    centred->setHorizontalMode(ZcDbText::kTextCenter);
    centred->setAlignmentPoint(ZcGePoint3d(3, -1, 0));
    appendTo(block.object(), centred);
    auto* nested = new ZcDbBlockReference(ZcGePoint3d(2, 0, 0), FindBlockId("Wewnetrzny"));
    appendTo(block.object(), nested);
}

struct Placed {
    std::string tag, text;
    ZcGePoint3d position, alignment;
    double height, rotation;
};

std::vector<Placed> attributesOf(ZcDbObjectId referenceId)
{
    std::vector<Placed> placed;
    ZcDbObjectPointer<ZcDbBlockReference> reference(referenceId, ZcDb::kForRead);
    for (ZcDbObjectId id : reference->attributeIds()) {
        ZcDbObjectPointer<ZcDbAttribute> a(id, ZcDb::kForRead);
        placed.push_back({a->tag(), a->textString(), a->position(), a->alignmentPoint(), a->height(), a->rotation()});
    }
    return placed;
}

ZcDbObjectId insert(const char* name, ZcGePoint3d at, double scale, double rotation)
{
    ZcDbObjectPointer<ZcDbBlockReference> reference;
    ZcDbBlockReference* inserted = InsertBlockReference(name, at, ZcGeScale3d(scale), rotation);
    if (!inserted)
        return {};
    reference.acquire(inserted);
    return reference->objectId();
}

void expectNear(ZcGePoint3d actual, ZcGePoint3d expected, const char* what)
{
    EXPECT_NEAR(actual.x, expected.x, kBlockTol) << what;
    EXPECT_NEAR(actual.y, expected.y, kBlockTol) << what;
    EXPECT_NEAR(actual.z, expected.z, kBlockTol) << what;
}

struct Placement {
    double scale, rotation;
};

class BlockReferenceAttributes : public testing::TestWithParam<Placement> {};

}  // namespace

// Each variable field lands where its definition stands in the block,
// scaled and turned with the reference about the insertion point.
TEST_P(BlockReferenceAttributes, LandWhereTheDefinitionShowsThem)
{
    TestDrawing drawing;
    defineBoardBlocks();
    const double scale = GetParam().scale, rotation = GetParam().rotation;
    const ZcGePoint3d at(100, 50, 0);
    const ZcDbObjectId id = insert("Tablica", at, scale, rotation);
    ASSERT_FALSE(id.isNull());
    const auto place = [&](ZcGePoint3d p) {
        const double x = p.x * scale, y = p.y * scale;
        return ZcGePoint3d(at.x + x * std::cos(rotation) - y * std::sin(rotation),
                           at.y + x * std::sin(rotation) + y * std::cos(rotation), 0);
    };
    const std::vector<Placed> placed = attributesOf(id);
    ASSERT_EQ(placed.size(), 2u) << "the constant field and the nested block's field give none";
    EXPECT_EQ(placed[0].tag, "SYMBOL");
    EXPECT_EQ(placed[0].text, "SYMBOL default");
    expectNear(placed[0].position, place(ZcGePoint3d(1, 2, 0)), "left aligned position");
    EXPECT_NEAR(placed[0].height, 0.5 * scale, kBlockTol);
    EXPECT_NEAR(std::remainder(placed[0].rotation - rotation, 2 * M_PI), 0.0, kBlockTol);
    EXPECT_EQ(placed[1].tag, "OPIS");
    expectNear(placed[1].alignment, place(ZcGePoint3d(3, -1, 0)), "centred text's alignment point");
    EXPECT_EQ(drawing.openCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(ScaleAndRotation, BlockReferenceAttributes,
                         testing::Values(Placement{1, 0}, Placement{2, 0}, Placement{0.005, M_PI / 2},
                                         Placement{2, 3 * M_PI / 4}));

// The texts of a reference freeze and thaw with it: they are inserted on
// its layer (the current one), and follow it when it is put on another.
TEST(BlockServices, AttributesAreOnTheirReferencesLayer)
{
    TestDrawing drawing;
    defineBoardBlocks();
    ASSERT_TRUE(drawing.addLayer("Biezaca") && drawing.addLayer("Projektowane"));
    ZcDbObjectId current;
    {
        ZcDbLayerTable* table = nullptr;
        ASSERT_EQ(drawing.db().getLayerTable(table, ZcDb::kForRead), Zcad::eOk);
        table->getAt("Biezaca", current);
        table->close();
    }
    ASSERT_EQ(drawing.db().setClayer(current), Zcad::eOk);
    const auto layersOf = [](ZcDbObjectId referenceId) {
        ZcDbObjectPointer<ZcDbBlockReference> reference(referenceId, ZcDb::kForRead);
        std::vector<std::string> layers = {reference->layer()};
        for (ZcDbObjectId id : reference->attributeIds())
            layers.push_back(ZcDbObjectPointer<ZcDbAttribute>(id, ZcDb::kForRead)->layer());
        return layers;
    };
    const ZcDbObjectId id = insert("Tablica", ZcGePoint3d::kOrigin, 1.0, 0.0);
    EXPECT_EQ(layersOf(id), (std::vector<std::string>{"Biezaca", "Biezaca", "Biezaca"}));
    {
        ZcDbObjectPointer<ZcDbBlockReference> reference(id, ZcDb::kForWrite);
        EXPECT_EQ(SetReferenceLayer(reference.object(), "Projektowane"), Zcad::eOk);
        EXPECT_EQ(SetReferenceLayer(reference.object(), "Brak"), Zcad::eKeyNotFound) << "no such layer: nothing moves";
    }
    EXPECT_EQ(layersOf(id), (std::vector<std::string>{"Projektowane", "Projektowane", "Projektowane"}));
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST(BlockServices, AMissingBlockOrARefusedNameAddsNothing)
{
    TestDrawing drawing;
    EXPECT_EQ(InsertBlockReference("Brak", ZcGePoint3d::kOrigin, ZcGeScale3d(1), 0), nullptr);
    testing::internal::CaptureStdout();
    EXPECT_EQ(GetOrCreateBlock("Zły|blok", ZcDb::kForWrite), nullptr);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Zły|blok"), std::string::npos);
    EXPECT_TRUE(FindBlockId("Zły|blok").isNull());
    EXPECT_EQ(drawing.entityCount(), 0u);

    // A name is found again whatever its case; anonymous blocks are new each time.
    ZcDbBlockTableRecord* made = GetOrCreateBlock("Znak", ZcDb::kForWrite);
    ASSERT_NE(made, nullptr);
    const ZcDbObjectId first = made->objectId();
    made->close();
    EXPECT_EQ(FindBlockId("ZNAK"), first);
    ZcDbBlockTableRecord* a = CreateAnonymousBlock(ZcDb::kForRead);
    ZcDbBlockTableRecord* b = CreateAnonymousBlock(ZcDb::kForRead);
    ASSERT_TRUE(a && b);
    EXPECT_NE(a->name(), b->name());
    EXPECT_TRUE(a->isAnonymous());
    a->close();
    b->close();
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST(TemplateImport, ReadsOnceAndNeverLeavesAnEmptyBlock)
{
    TempDir folder("block-templates");
    const std::string templates = folder.path().string() + "/";
    TestDrawing drawing;

    // Missing file: a message, nothing defined, a failure.
    testing::internal::CaptureStdout();
    EXPECT_NE(ImportBlockFromTemplate("s_x1", templates), Zcad::eOk);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Error reading a dwg-file."), std::string::npos);
    EXPECT_TRUE(FindBlockId("s_x1").isNull());
    EXPECT_EQ(InsertBlockReference("s_x1", ZcGePoint3d::kOrigin, ZcGeScale3d(1), 0), nullptr);

    // No name (no symbol chosen) reads no file.
    testing::internal::CaptureStdout();
    EXPECT_NE(ImportBlockFromTemplate("", templates), Zcad::eOk);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Error reading a dwg-file."), std::string::npos);

    // The file arrives: imported now, with its contents.
    std::string error;
    ASSERT_TRUE(writeTemplateDrawing(templates + "s_x1.dxf",
                                     new ZcDbCircle(ZcGePoint3d(0, -100, 0), ZcGeVector3d::kZAxis, 200.0), error))
        << error;
    testing::internal::CaptureStdout();
    EXPECT_EQ(ImportBlockFromTemplate("s_x1", templates), Zcad::eOk);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    ZcDbObjectId imported = FindBlockId("s_x1");
    ASSERT_FALSE(imported.isNull());
    size_t contents = 0;
    {
        ZcDbObjectPointer<ZcDbBlockTableRecord> block(imported, ZcDb::kForRead);
        contents = block->entityIds().size();
    }
    EXPECT_EQ(contents, 1u);

    // A second import keeps the block and does not read the file, which is gone.
    std::filesystem::remove(templates + "s_x1.dxf");
    EXPECT_EQ(ImportBlockFromTemplate("s_x1", templates), Zcad::eOk);
    EXPECT_EQ(FindBlockId("s_x1"), imported);
    EXPECT_EQ(drawing.openCount(), 0u);
}
