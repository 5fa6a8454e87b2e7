// The post and description blocks: built once per drawing with their
// fields where the descriptions need them, and a block of the same name
// already in the drawing used as it is.

#include <gtest/gtest.h>

#include <cmath>

#include "ZcDbAttributeDefinition.h"
#include "ZcDbCircle.h"
#include "ZcDbHatch.h"
#include "ZcDbObjectPointer.h"
#include "ZcDbPolyline.h"
#include "services/Blocks.h"
#include "services/DescriptionBlocks.h"
#include "tests/support/DrawingContents.h"
#include "tests/support/TestDrawing.h"

namespace {

struct Field {
    std::string tag;
    double x, y, height;
    bool visible;
    // Positions as the rows add up, to the last bit or so.
    bool operator==(const Field& o) const
    {
        return tag == o.tag && std::abs(x - o.x) < 1e-9 && std::abs(y - o.y) < 1e-9 && height == o.height &&
               visible == o.visible;
    }
    friend void PrintTo(const Field& f, std::ostream* os)
    {
        *os << f.tag << " (" << f.x << ", " << f.y << ") h " << f.height << (f.visible ? "" : " invisible");
    }
};

std::vector<Field> fieldsOf(const char* name)
{
    std::vector<Field> fields;
    for (ZcDbObjectId id : BlockContents(name)) {
        ZcDbObjectPointer<ZcDbAttributeDefinition> d(id, ZcDb::kForRead);
        if (!d)
            continue;
        EXPECT_EQ(d->layer(), "0");
        EXPECT_FALSE(d->isConstant() || d->isPreset() || d->isVerifiable());
        EXPECT_EQ(d->textString(), "");
        EXPECT_EQ(d->prompt(), d->tag());
        fields.push_back({d->tag(), d->position().x, d->position().y, d->height(), !d->isInvisible()});
    }
    return fields;
}

struct DescCase {
    const char* name;
    std::string (*get)();
    std::vector<Field> fields;
};

class DescriptionBlock : public testing::TestWithParam<DescCase> {};

}  // namespace

TEST_P(DescriptionBlock, IsBuiltOnceWithItsFieldsInPlace)
{
    TestDrawing drawing;
    const DescCase& c = GetParam();
    EXPECT_EQ(c.get(), c.name);
    const std::vector<ZcDbObjectId> first = BlockContents(c.name);
    EXPECT_EQ(c.get(), c.name);
    EXPECT_EQ(BlockContents(c.name), first) << "the second call reuses the block";
    EXPECT_EQ(fieldsOf(c.name), c.fields);
    EXPECT_EQ(drawing.openCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Descriptions, DescriptionBlock,
                         testing::Values(DescCase{kVerticalDescBlock,
                                                  GetVerticalDescBlock,
                                                  {{"Symbol", 0, 0, 150, true},
                                                   {"Przeznaczenie", 750, 0, 150, true},
                                                   {"Wielkość", 0, -180, 150, false},
                                                   {"Odblaskowość", 0, -360, 150, false}}},
                                         DescCase{kHorizontalDescBlock,
                                                  GetHorizontalDescBlock,
                                                  {{"Symbol", 0, 0, 1, true},
                                                   {"Powierzchnia", 0, -1.2, 1, true},
                                                   {"Długość", 0, -2.4, 1, false},
                                                   {"Przeznaczenie", 0, -3.6, 1, false},
                                                   {"Powierzchnia_na_mb", 0, -4.8, 1, false}}}));

TEST(PostBlock, ACircleAndAFilledBarColouredByBlock)
{
    TestDrawing drawing;
    ASSERT_EQ(GetPostBlock(), kPostBlock);
    const std::vector<ZcDbObjectId> ids = BlockContents(kPostBlock);
    ASSERT_EQ(ids.size(), 3u);
    ZcDbObjectPointer<ZcDbCircle> circle(ids[0], ZcDb::kForRead);
    ZcDbObjectPointer<ZcDbPolyline> bar(ids[1], ZcDb::kForRead);
    ZcDbObjectPointer<ZcDbHatch> fill(ids[2], ZcDb::kForRead);
    ASSERT_TRUE(circle && bar && fill);
    EXPECT_EQ(circle->radius(), 5.0);
    EXPECT_TRUE(bar->isClosed());
    const std::vector<ZcGePoint2d> corners = {{50, -10}, {-50, -10}, {-50, -5}, {50, -5}};
    ASSERT_EQ(bar->numVerts(), corners.size());
    for (unsigned i = 0; i < corners.size(); ++i) {
        ZcGePoint2d p;
        bar->getPointAt(i, p);
        EXPECT_EQ(p, corners[i]) << "vertex " << i;
    }
    for (const ZcDbEntity* e : {static_cast<ZcDbEntity*>(circle.object()), static_cast<ZcDbEntity*>(bar.object()),
                                static_cast<ZcDbEntity*>(fill.object())}) {
        EXPECT_EQ(e->colorIndex(), 0);
        EXPECT_EQ(e->layer(), "0");
    }
}

TEST(PostBlock, ABlockOfThatNameIsUsedAsItIs)
{
    TestDrawing drawing;
    {
        ZcDbObjectPointer<ZcDbBlockTableRecord> own;
        ZcDbBlockTableRecord* made = GetOrCreateBlock("slupek1", ZcDb::kForWrite);
        own.acquire(made);
        ZcDbObjectPointer<ZcDbCircle> circle;
        auto* c = new ZcDbCircle(ZcGePoint3d::kOrigin, ZcGeVector3d::kZAxis, 40.0);
        circle.acquire(c);
        own->appendZcDbEntity(circle.object());
    }
    const std::vector<ZcDbObjectId> before = BlockContents(kPostBlock);
    EXPECT_EQ(GetPostBlock(), kPostBlock);
    EXPECT_EQ(BlockContents(kPostBlock), before);
    EXPECT_EQ(before.size(), 1u);
    EXPECT_EQ(drawing.openCount(), 0u);
}
