// The arrow blocks: each outline as the catalogue draws it (its vertices,
// extents and painted area), the mirror pairs, and a block built once and
// never over a block of the same name.

#include <gtest/gtest.h>

#include <cmath>

#include "ZcDbCircle.h"
#include "ZcDbHatch.h"
#include "ZcDbObjectPointer.h"
#include "ZcDbPolyline.h"
#include "markings/ArrowBlocks.h"
#include "services/Blocks.h"
#include "tests/support/DrawingContents.h"
#include "tests/support/TestDrawing.h"

namespace {

// Areas and coordinates agree to rounding of sums of a few dozen terms.
constexpr double kAreaTol = 1e-9;
constexpr double kCoordTol = 1e-12;

struct OutlineCase {
    const char* name;
    unsigned vertices;
    double xMin, xMax, yMin, yMax;
    // Signed area (counter-clockwise positive), computed apart from this
    // code by integrating x dy - y dx along each segment and arc.
    double area;
    int arcs;
    friend void PrintTo(const OutlineCase& c, std::ostream* os) { *os << c.name; }
};

const OutlineCase kCases[] = {
    {"P-8A_D", 7, 0, 7.5, -0.375, 0.375, 1.58625, 0},      {"P-8A_K", 8, 0, 5, -0.375, 0.375, 1.21125, 0},
    {"P-8B_D", 9, 0, 7.5, -0.525, 0.525, -1.95375, 0},     {"P-8B_K", 9, 0, 5, -0.525, 0.525, 1.50375, 0},
    {"P-8C", 14, 0, 5, -0.75, 1.05, 2.86875, 0},           {"P-8D_D", 9, 0, 7.5, -0.525, 0.525, 1.95375, 0},
    {"P-8D_K", 9, 0, 5, -0.525, 0.525, -1.50375, 0},       {"P-8E_D", 16, 0, 7.5, -0.675, 0.675, 2.71125, 0},
    {"P-8E_K", 14, 0, 5, -0.375, 0.975, 2.15625, 0},       {"P-8F_D", 16, 0, 7.5, -0.675, 0.675, -2.71125, 0},
    {"P-8F_K", 14, 0, 5, -0.975, 0.375, -2.15625, 0},      {"P-8G_D", 15, 0, 7.5, -0.975, 0.975, 3.084375, 0},
    {"P-8G_K", 15, 0, 5, -0.975, 0.975, 2.424375, 0},      {"P-8H_D", 21, 0, 7.5, -0.975, 0.975, -3.77625, 0},
    {"P-8H_K", 21, 0, 5, -0.975, 0.975, -3.10125, 0},      {"P-8I", 18, 0, 7.5, -1.05, 1.2, 3.87375, 0},
    {"P-9A", 8, 0, 5, -1.45, 1.45, -4.15321, 0},           {"P-9B", 8, 0, 5, -1.45, 1.45, 4.15321, 0},
    {"P-6A", 7, 0, 6, -0.5, 0.35, -1.5678387324025413, 2},
};

// Shoelace over the chords, plus the circular segment between each arc and
// its chord: an arc of positive bulge (counter-clockwise) lies right of its
// chord, outside a counter-clockwise outline.
double enclosedArea(const ZcDbPolyline& p)
{
    double area = 0.0;
    for (unsigned i = 0; i < p.numVerts(); ++i) {
        ZcGePoint2d a, b;
        double bulge = 0.0;
        p.getPointAt(i, a);
        p.getPointAt((i + 1) % p.numVerts(), b);
        p.getBulgeAt(i, bulge);
        area += (a.x * b.y - b.x * a.y) / 2.0;
        if (bulge != 0.0) {
            const double sweep = 4.0 * std::atan(std::abs(bulge));
            const double radius = a.distanceTo(b) / (2.0 * std::sin(sweep / 2.0));
            area += std::copysign(radius * radius * (sweep - std::sin(sweep)) / 2.0, bulge);
        }
    }
    return area;
}

class ArrowBlockOutline : public testing::TestWithParam<OutlineCase> {
protected:
    void TearDown() override { EXPECT_EQ(drawing.openCount(), 0u); }
    TestDrawing drawing;
};

}  // namespace

TEST_P(ArrowBlockOutline, IsAFilledClosedOutlineOfItsSizeAndArea)
{
    const OutlineCase& c = GetParam();
    ASSERT_TRUE(GetArrowBlock(c.name));
    const std::vector<ZcDbObjectId> contents = BlockContents(c.name);
    ASSERT_EQ(contents.size(), 2u) << "an outline and its fill";
    ZcDbObjectPointer<ZcDbPolyline> outline(contents[0], ZcDb::kForRead);
    ZcDbObjectPointer<ZcDbHatch> fill(contents[1], ZcDb::kForRead);
    ASSERT_TRUE(outline && fill);
    for (const ZcDbEntity* e :
         {static_cast<const ZcDbEntity*>(outline.object()), static_cast<const ZcDbEntity*>(fill.object())}) {
        EXPECT_EQ(e->layer(), "0");
        EXPECT_EQ(e->colorIndex(), 0) << "coloured by block";
    }
    EXPECT_TRUE(outline->isClosed());
    ASSERT_EQ(outline->numVerts(), c.vertices);
    double xMin = INFINITY, xMax = -INFINITY, yMin = INFINITY, yMax = -INFINITY;
    int arcs = 0;
    for (unsigned i = 0; i < outline->numVerts(); ++i) {
        ZcGePoint2d p;
        double bulge = 0.0;
        outline->getPointAt(i, p);
        outline->getBulgeAt(i, bulge);
        xMin = std::min(xMin, p.x), xMax = std::max(xMax, p.x);
        yMin = std::min(yMin, p.y), yMax = std::max(yMax, p.y);
        arcs += bulge != 0.0;
    }
    EXPECT_NEAR(xMin, c.xMin, kCoordTol);
    EXPECT_NEAR(xMax, c.xMax, kCoordTol);
    EXPECT_NEAR(yMin, c.yMin, kCoordTol);
    EXPECT_NEAR(yMax, c.yMax, kCoordTol);
    EXPECT_EQ(arcs, c.arcs);
    EXPECT_NEAR(enclosedArea(*outline.object()), c.area, kAreaTol);
    double filled = 0.0;
    ASSERT_EQ(fill->getArea(filled), Zcad::eOk);
    EXPECT_NEAR(filled, std::abs(c.area), 1e-6) << "the fill covers the outline";
}

INSTANTIATE_TEST_SUITE_P(Nineteen, ArrowBlockOutline, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<OutlineCase>& param) {
                             std::string name = param.param.name;
                             std::erase(name, '-');
                             return name;
                         });

TEST(ArrowOutlines, AreTheNineteenOfTheCatalogue)
{
    ASSERT_EQ(ArrowOutlines().size(), std::size(kCases));
    for (const OutlineCase& c : kCases)
        EXPECT_NE(FindArrowOutline(c.name), nullptr) << c.name;
}

TEST(ArrowOutlines, LeftAndRightArrowsAreMirrorImages)
{
    const std::pair<const char*, const char*> pairs[] = {
        {"P-8B_D", "P-8D_D"}, {"P-8B_K", "P-8D_K"}, {"P-8E_D", "P-8F_D"}, {"P-8E_K", "P-8F_K"}, {"P-9A", "P-9B"},
    };
    for (const auto& [left, right] : pairs) {
        const auto a = FindArrowOutline(left)->vertices;
        const auto b = FindArrowOutline(right)->vertices;
        ASSERT_EQ(a.size(), b.size()) << left;
        for (size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i].x, b[i].x) << left << " vertex " << i;
            EXPECT_EQ(a[i].y, -b[i].y) << left << " vertex " << i;
            EXPECT_EQ(a[i].bulge, -b[i].bulge) << left << " vertex " << i;
        }
    }
}

TEST(ArrowBlock, IsBuiltOnceAndABlockOfItsNameIsKeptAsItIs)
{
    TestDrawing drawing;
    ASSERT_TRUE(GetArrowBlock("P-8A_K"));
    const std::vector<ZcDbObjectId> first = BlockContents("P-8A_K");
    ASSERT_TRUE(GetArrowBlock("P-8A_K"));
    EXPECT_EQ(BlockContents("P-8A_K"), first);

    {
        ZcDbObjectPointer<ZcDbBlockTableRecord> own;
        ZcDbBlockTableRecord* made = GetOrCreateBlock("P-8A_D", ZcDb::kForWrite);
        ASSERT_NE(made, nullptr);
        own.acquire(made);
        ZcDbObjectPointer<ZcDbCircle> circle;
        ZcDbCircle* c = new ZcDbCircle(ZcGePoint3d::kOrigin, ZcGeVector3d::kZAxis, 1.0);
        circle.acquire(c);
        ASSERT_EQ(own->appendZcDbEntity(circle.object()), Zcad::eOk);
    }
    const std::vector<ZcDbObjectId> own = BlockContents("P-8A_D");
    ASSERT_TRUE(GetArrowBlock("P-8A_D"));
    EXPECT_EQ(BlockContents("P-8A_D"), own) << "the drawing's own block is used as it is";
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST(ArrowBlock, ANameNoArrowHasDefinesNothing)
{
    TestDrawing drawing;
    for (const char* name : {"P-8A", "P-8C_D", "", "p-8a_d"})
        EXPECT_FALSE(GetArrowBlock(name)) << name;
    ZcDbBlockTableRecord* found = FindBlock("P-8A", ZcDb::kForRead);
    EXPECT_EQ(found, nullptr);
    if (found)
        found->close();
    EXPECT_EQ(drawing.openCount(), 0u);
}
