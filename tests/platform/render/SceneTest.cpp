// The shapes a drawing turns into, before any picture: which entity each
// belongs to, what is left out and said so.

#include <gtest/gtest.h>

#include "ZcDbLine.h"
#include "bench/NestedBlocks.h"
#include "platform/render/Scene.h"
#include "tests/platform/render/RenderDrawing.h"

using namespace platform;

namespace {

struct Collected : ShapeSink {
    std::vector<Shape> shapes;
    void add(const Shape& s) override { shapes.push_back(s); }
};

ZcDbLine* lineOf(ZcGePoint3d a, ZcGePoint3d b)
{
    auto* l = new ZcDbLine(a, b);
    l->setDatabaseDefaults();
    return l;
}

Collected sceneOf(RenderDrawing& d, std::vector<std::string>& notices, long maxVertices = kMaxDrawnVertices)
{
    SceneSettings s;
    s.maxVertices = maxVertices;
    Collected c;
    buildScene(d.db(), s, c, notices);
    return c;
}

TEST(Scene, BlockContentBelongsToTheModelSpaceReference)
{
    RenderDrawing d;
    const ZcDbObjectId inner = d.block("Wewnetrzny");
    d.appendTo(inner, lineOf({0, 0, 0}, {1, 0, 0}));
    const ZcDbObjectId outer = d.block("Zewnetrzny");
    d.reference(outer, inner, {0, 0, 0});
    d.reference(outer, inner, {0, 2, 0});
    const ZcDbObjectId ref = d.reference(d.db().modelSpaceId(), outer, {10, 10, 0});
    const ZcDbObjectId line = d.append(lineOf({0, 0, 0}, {5, 5, 0}));
    std::vector<std::string> notices;
    const Collected c = sceneOf(d, notices);
    ASSERT_EQ(c.shapes.size(), 3u);
    EXPECT_EQ(c.shapes[0].entity, ref);
    EXPECT_EQ(c.shapes[1].entity, ref);
    EXPECT_EQ(c.shapes[2].entity, line);
    EXPECT_TRUE(notices.empty());
    // The second copy of the inner line lands at (10, 12) in the world.
    const ZcGePoint2d start = c.shapes[1].map.apply(c.shapes[1].contours[0].pieces[0].start);
    EXPECT_TRUE(start.isEqualTo({10, 12}));
}

TEST(Scene, BlocksThatMultiplyWithoutBoundAreCutOffWithANotice)
{
    RenderDrawing d;
    ZcDbObjectId level = d.block("Poziom0");
    d.appendTo(level, lineOf({0, 0, 0}, {1, 0, 0}));
    for (int i = 1; i <= 4; ++i) {
        const ZcDbObjectId next = d.block(("Poziom" + std::to_string(i)).c_str());
        for (int k = 0; k < 10; ++k)
            d.reference(next, level, {double(k), 0, 0});
        level = next;
    }
    d.reference(d.db().modelSpaceId(), level, {0, 0, 0});
    std::vector<std::string> notices;
    // Ten thousand lines behind 11,111 references; only 500 entities drawn.
    const Collected c = sceneOf(d, notices, 500);
    EXPECT_LT(c.shapes.size(), 500u);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("500"), std::string::npos) << notices[0];
    notices.clear();
    EXPECT_EQ(sceneOf(d, notices).shapes.size(), 10000u);
    EXPECT_TRUE(notices.empty());
}

// Shapes and the pieces of their contours, counted and not kept.
struct Counted : ShapeSink {
    size_t shapes = 0;
    size_t pieces = 0;
    void add(const Shape& s) override
    {
        ++shapes;
        for (const Contour& c : s.contours)
            pieces += c.pieces.size();
    }
};

// 100,000 instances of a polyline of 50,000 vertices behind 111,111
// references: the guard weighs the work by vertices, not entities.
TEST(Scene, LargePolylinesInNestedBlocksAreCutOffByTheirVertices)
{
    RenderDrawing d;
    ASSERT_FALSE(bench::buildNestedBlocks(d.db()).isNull());
    for (const long budget : {200'000L, kMaxDrawnVertices}) {
        SceneSettings s;
        s.maxVertices = budget;
        Counted c;
        std::vector<std::string> notices;
        buildScene(d.db(), s, c, notices);
        EXPECT_LE(c.pieces, size_t(budget)) << budget;
        EXPECT_GE(c.shapes, 1u);
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_NE(notices[0].find(std::to_string(budget) + " vertices"), std::string::npos) << notices[0];
    }
}

TEST(Scene, PatternWithoutItsLinesShowsItsBoundaryAndSaysSo)
{
    RenderDrawing d;
    ZcDbHatch* h = solidHatch(1, {box(0, 0, 10, 10), box(2, 2, 4, 4)});
    h->setPattern(ZcDbHatch::kPreDefined, "ANSI31");
    d.append(h);
    std::vector<std::string> notices;
    const Collected c = sceneOf(d, notices);
    ASSERT_EQ(c.shapes.size(), 1u);
    EXPECT_EQ(c.shapes[0].kind, Shape::Kind::Line);
    EXPECT_EQ(c.shapes[0].contours.size(), 2u);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("boundaries"), std::string::npos) << notices[0];
}

TEST(Scene, ErasedAndInvisibleEntitiesGiveNoShapes)
{
    RenderDrawing d;
    const ZcDbObjectId gone = d.append(lineOf({0, 0, 0}, {1, 0, 0}));
    ZcDbLine* hidden = lineOf({0, 1, 0}, {1, 1, 0});
    hidden->setVisibility(ZcDb::kInvisible);
    d.append(hidden);
    {
        ZcDbLine* l = nullptr;
        ASSERT_EQ(zcdbOpenObject(l, gone, ZcDb::kForWrite), Zcad::eOk);
        l->erase();
        l->close();
    }
    std::vector<std::string> notices;
    EXPECT_TRUE(sceneOf(d, notices).shapes.empty());
}

}  // namespace
