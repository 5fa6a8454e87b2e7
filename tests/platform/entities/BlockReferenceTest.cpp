#include <string>
#include <vector>

#include "ZcDbAttribute.h"
#include "ZcDbAttributeDefinition.h"
#include "ZcDbBlockReference.h"
#include "ZcDbLine.h"
#include "platform/db/DatabaseImpl.h"
#include "tests/platform/entities/EntityTestSupport.h"

using namespace platform;

namespace {
// A reference in model space of a block holding a line from the block's
// origin to one unit along X from it.
struct ReferencedBlock {
    explicit ReferencedBlock(const ZcGePoint3d& origin = {0, 0, 0})
    {
        block = newBlock(d, "ZNAK", origin, {new ZcDbLine(origin, origin + ZcGeVector3d(1, 0, 0))});
        auto* ref = new ZcDbBlockReference({10, 20, 0}, block);
        ref->setScaleFactors(ZcGeScale3d(2.0));
        ref->setRotation(kPi / 2);
        refId = d.append(ref);
    }
    // Appends an attribute with a tag at a position; the reference must be closed.
    ZcDbObjectId addAttribute(const char* tag, const ZcGePoint3d& at)
    {
        Opened<ZcDbBlockReference> ref(refId, ZcDb::kForWrite);
        auto* attr = new ZcDbAttribute;
        attr->setTag(tag);
        attr->setPosition(at);
        ZcDbObjectId id;
        EXPECT_EQ(ref->appendAttribute(id, attr), Zcad::eOk);
        attr->close();
        return id;
    }

    TestDrawing d;
    ZcDbObjectId block;
    ZcDbObjectId refId;
};
}  // namespace

TEST(BlockReferenceTransform, ScaleAndRotationPlaceTheBlocksContent)
{
    ReferencedBlock b({5, 5, 0});
    {
        Opened<ZcDbBlockReference> ref(b.refId, ZcDb::kForRead);
        // The block's origin goes to the position; one unit along X from it,
        // turned a quarter round and doubled, lands two units up.
        expectNear(ref->blockTransform() * ZcGePoint3d(5, 5, 0), {10, 20, 0});
        expectNear(ref->blockTransform() * ZcGePoint3d(6, 5, 0), {10, 22, 0});
        ZcDbExtents ext;
        ASSERT_EQ(ref->getGeomExtents(ext), Zcad::eOk);
        expectNear(ext.minPoint(), {10, 20, 0});
        expectNear(ext.maxPoint(), {10, 22, 0});
    }
    ZcDbBlockReference ofEmpty({0, 0, 0}, newBlock(b.d, "PUSTY", {0, 0, 0}, {}));
    ZcDbExtents ext;
    EXPECT_EQ(ofEmpty.getGeomExtents(ext), Zcad::eInvalidExtents);
}

TEST(BlockReferenceAttributes, AppendedInOrderAndIterated)
{
    ReferencedBlock b;
    const ZcDbObjectId first = b.addAttribute("NR", {10, 20, 0});
    const ZcDbObjectId second = b.addAttribute("OPIS", {10, 25, 0});

    Opened<ZcDbBlockReference> ref(b.refId, ZcDb::kForRead);
    std::vector<std::string> tags;
    ZcDbObjectIterator* it = ref->attributeIterator();
    for (it->start(); !it->done(); it->step()) {
        Opened<ZcDbAttribute> attr(it->objectId(), ZcDb::kForWrite);
        ASSERT_TRUE(attr);
        EXPECT_EQ(attr->ownerId(), b.refId);
        tags.push_back(attr->tag());
    }
    delete it;
    EXPECT_EQ(tags, (std::vector<std::string>{"NR", "OPIS"}));
    EXPECT_EQ(ref->attributeIds().size(), 2u);
    EXPECT_EQ(ref->attributeIds()[0], first);
    EXPECT_EQ(ref->attributeIds()[1], second);
    EXPECT_EQ(b.d.db().impl()->seqends.count(b.refId.stub()), 1u) << "the sequence end has its handle";
}

TEST(BlockReferenceAttributes, ReferenceMustBeInADrawingAndAttributeNew)
{
    ReferencedBlock b;
    ZcDbBlockReference loose;
    auto* attr = new ZcDbAttribute;
    EXPECT_EQ(loose.appendAttribute(attr), Zcad::eNotInDatabase);
    EXPECT_TRUE(loose.attributeIds().empty());
    attr->close();

    const ZcDbObjectId taken = b.addAttribute("NR", {0, 0, 0});
    Opened<ZcDbBlockReference> ref(b.refId, ZcDb::kForWrite);
    Opened<ZcDbAttribute> again(taken, ZcDb::kForWrite);
    EXPECT_EQ(ref->appendAttribute(again.get()), Zcad::eAlreadyInDb);
    EXPECT_EQ(ref->appendAttribute(nullptr), Zcad::eNullObjectPointer);
    EXPECT_EQ(ref->attributeIds().size(), 1u);
}

TEST(BlockReferenceAttributes, TransformMovesTheAttributesAlong)
{
    ReferencedBlock b;
    const ZcDbObjectId attrId = b.addAttribute("NR", {12, 20, 0});
    const ZcGeMatrix3d turn = ZcGeMatrix3d::rotation(kPi / 2, ZcGeVector3d::kZAxis, {10, 20, 0}) *
                              ZcGeMatrix3d::translation({5, 0, 0});
    ZcGeMatrix3d before;
    {
        Opened<ZcDbBlockReference> ref(b.refId, ZcDb::kForWrite);
        before = ref->blockTransform();
        ASSERT_EQ(ref->transformBy(turn), Zcad::eOk);
        EXPECT_TRUE(ref->blockTransform().isEqualTo(turn * before, 1e-9)) << "the content follows exactly";
        EXPECT_NEAR(ref->rotation(), kPi, 1e-12);
        EXPECT_NEAR(ref->scaleFactors().sx, 2.0, 1e-12);
    }
    {
        Opened<ZcDbAttribute> attr(attrId, ZcDb::kForRead);
        expectNear(attr->position(), turn * ZcGePoint3d(12, 20, 0));
        EXPECT_NEAR(attr->rotation(), kPi / 2, 1e-12);
    }

    // While an attribute is held open for write the reference stays put.
    Opened<ZcDbAttribute> held(attrId, ZcDb::kForWrite);
    Opened<ZcDbBlockReference> ref(b.refId, ZcDb::kForWrite);
    const ZcGePoint3d position = ref->position();
    EXPECT_EQ(ref->transformBy(ZcGeMatrix3d::translation({1, 0, 0})), Zcad::eWasOpenForWrite);
    expectNear(ref->position(), position);
}

TEST(BlockReferenceTransform, MirroringKeepsTheContentInPlace)
{
    ReferencedBlock b;
    Opened<ZcDbBlockReference> ref(b.refId, ZcDb::kForWrite);
    const ZcGeMatrix3d mirror = ZcGeMatrix3d::mirroring({3, 0, 0}, ZcGeVector3d(1, 1, 0));
    const ZcGeMatrix3d before = ref->blockTransform();
    ASSERT_EQ(ref->transformBy(mirror), Zcad::eOk);
    EXPECT_TRUE(ref->blockTransform().isEqualTo(mirror * before, 1e-9));
    EXPECT_GT(ref->scaleFactors().sx, 0.0) << "the X scale keeps its sign";

    ZcGeMatrix3d shear;
    shear.entry[0][1] = 0.5;
    EXPECT_EQ(ref->transformBy(shear), Zcad::eNotApplicable);
}
