// A block's extents are worked out once per change of the drawing, however
// many references nest it: the drawing of five levels of ten copies over a
// polyline of 50,000 vertices costs six measurements, not 100,000.

#include <string>

#include "ZcDbBlockReference.h"
#include "ZcDbLine.h"
#include "ZcDbPolyline.h"
#include "bench/NestedBlocks.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/entities/BlockExtents.h"
#include "platform/dxf/DxfReader.h"
#include "platform/dxf/DxfWriter.h"
#include "tests/platform/entities/EntityTestSupport.h"

using namespace platform;

namespace {

constexpr uint64_t kBlocks = bench::kNestedLevels + 1;

// The world box of the nested drawing: the polyline's box shifted by the
// last copy of every level.
ZcDbExtents nestedBox(unsigned vertices)
{
    ZcGePoint3d far(double(vertices - 1) / double(vertices), 0.1, 0.0);
    for (int level = 1; level <= bench::kNestedLevels; ++level)
        far += bench::nestedCopyAt(level, bench::kNestedCopies - 1).asVector();
    return ZcDbExtents(ZcGePoint3d::kOrigin, far);
}

struct NestedDrawing {
    NestedDrawing() : ref(bench::buildNestedBlocks(d.db())) {}

    // The model-space reference's extents; fails the test when it has none.
    ZcDbExtents extents()
    {
        Opened<ZcDbBlockReference> r(ref, ZcDb::kForRead);
        ZcDbExtents e;
        EXPECT_EQ(r->getGeomExtents(e), Zcad::eOk);
        return e;
    }
    uint64_t measured() { return blockExtentsMeasured(d.db()); }
    ZcDbObjectId block(const char* name)
    {
        ZcDbBlockTable* table = nullptr;
        EXPECT_EQ(d.db().getBlockTable(table, ZcDb::kForRead), Zcad::eOk);
        ZcDbObjectId id;
        EXPECT_EQ(table->getAt(name, id), Zcad::eOk);
        table->close();
        return id;
    }
    ZcDbObjectId polyline() { return ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(block("P0"))->entityIds().front(); }

    TestDrawing d;
    ZcDbObjectId ref;
};

void expectBox(const ZcDbExtents& actual, const ZcDbExtents& expected)
{
    ASSERT_FALSE(actual.isEmpty());
    expectNear(actual.minPoint(), expected.minPoint());
    expectNear(actual.maxPoint(), expected.maxPoint());
}

}  // namespace

TEST(BlockExtents, NestedBlocksAreMeasuredOnceEach)
{
    NestedDrawing n;
    ASSERT_FALSE(n.ref.isNull());
    const uint64_t before = n.measured();
    expectBox(n.extents(), nestedBox(bench::kNestedPolylineVertices));
    EXPECT_EQ(n.measured() - before, kBlocks);
    // Asked again, nothing is measured.
    expectBox(n.extents(), nestedBox(bench::kNestedPolylineVertices));
    EXPECT_EQ(n.measured() - before, kBlocks);
}

TEST(BlockExtents, WritingAndReadingMeasureEachBlockOnce)
{
    NestedDrawing n;
    std::string error;
    const uint64_t before = n.measured();
    const std::string text = dxfToString(n.d.db(), &error);
    ASSERT_FALSE(text.empty()) << error;
    EXPECT_LE(n.measured() - before, kBlocks);

    ZcDbDatabase read(false);
    ASSERT_TRUE(readDxf(text, read, error)) << error;
    EXPECT_LE(blockExtentsMeasured(read), kBlocks);
    EXPECT_EQ(dxfToString(read), text);
    EXPECT_LE(blockExtentsMeasured(read), 2 * kBlocks);
}

// Whatever changes in the drawing, the next extents are those of the
// drawing as it is: edits deep down reach the references above, also while
// the edited entity is still open.
TEST(BlockExtents, FollowEveryChangeBelow)
{
    NestedDrawing n;
    const ZcDbExtents whole = nestedBox(bench::kNestedPolylineVertices);
    n.extents();
    {
        Opened<ZcDbPolyline> p(n.polyline(), ZcDb::kForWrite);
        ASSERT_EQ(p->addVertexAt(0, {-5.0, -7.0}), Zcad::eOk);
        // Nothing is kept while it is open, but each block is still measured once per question.
        const uint64_t before = n.measured();
        expectBox(n.extents(), ZcDbExtents({-5.0, -7.0, 0.0}, whole.maxPoint()));
        EXPECT_EQ(n.measured() - before, kBlocks);
        ASSERT_EQ(p->removeVertexAt(0), Zcad::eOk);
    }
    expectBox(n.extents(), whole);

    // An entity added to a block in the middle.
    {
        Opened<ZcDbBlockTableRecord> p3(n.block("P3"), ZcDb::kForWrite);
        auto* line = new ZcDbLine({0, 0, 0}, {0, 1000, 0});
        ASSERT_EQ(p3->appendZcDbEntity(line), Zcad::eOk);
        line->close();
    }
    EXPECT_NEAR(n.extents().maxPoint().y, 1000.0 + 15.5 * (bench::kNestedCopies - 1), kGeomTol);

    // The polyline erased: the line alone is left.
    {
        Opened<ZcDbPolyline> p(n.polyline(), ZcDb::kForWrite);
        ASSERT_EQ(p->erase(), Zcad::eOk);
    }
    EXPECT_NEAR(n.extents().minPoint().x, 0.0, kGeomTol);
    EXPECT_NEAR(n.extents().maxPoint().x, 11.5 * (bench::kNestedCopies - 1), kGeomTol);
}

// A block holding (through another) a reference to itself has the extents
// of the rest of its content: the reference back adds nothing.
TEST(BlockExtents, BlockInsideItselfAddsNothingMore)
{
    TestDrawing d;
    const ZcDbObjectId a = newBlock(d, "A", {0, 0, 0}, {new ZcDbLine({0, 0, 0}, {1, 0, 0})});
    const ZcDbObjectId b =
        newBlock(d, "B", {0, 0, 0}, {new ZcDbLine({0, 0, 0}, {0, 2, 0}), new ZcDbBlockReference({10, 0, 0}, a)});
    {
        Opened<ZcDbBlockTableRecord> rec(a, ZcDb::kForWrite);
        auto* back = new ZcDbBlockReference({0, 10, 0}, b);
        ASSERT_EQ(rec->appendZcDbEntity(back), Zcad::eOk);
        back->close();
    }
    const ZcDbObjectId ref = d.append(new ZcDbBlockReference({0, 0, 0}, a));
    Opened<ZcDbBlockReference> r(ref, ZcDb::kForRead);
    ZcDbExtents e;
    ASSERT_EQ(r->getGeomExtents(e), Zcad::eOk);
    expectNear(e.minPoint(), {0, 0, 0});
    expectNear(e.maxPoint(), {1, 12, 0});
}
