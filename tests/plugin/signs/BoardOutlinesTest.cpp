// Board frames: the outlines and fills of a rounded and of an arrow board,
// their order (the E-18a band relies on it), layer "0" and explicit colours,
// and the fills that add up to the board.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "ZcDbHatch.h"
#include "signs/BoardOutlines.h"
#include "tests/plugin/signs/BoardTestSupport.h"

namespace {

// Areas and coordinates computed two ways agree to this, in mm².
constexpr double kOutlineAreaTol = 1e-6;

const ZcCmColor kSignGreen = trueColour(0, 153, 38);
const ZcCmColor kSignWhite = trueColour(255, 255, 255);

struct Board {
    ZcDbObjectIdArray hatches;
    ZcDbObjectIdArray outlines;
};

// Drawn into a block, as the board builders draw, which is closed after.
Board rounded(double width, double height, double radius, double border, double stripe)
{
    Board board;
    ZcDbObjectPointer<ZcDbBlockTableRecord> block;
    ZcDbBlockTableRecord* made = GetOrCreateBlock("plansza", ZcDb::kForWrite);
    block.acquire(made);
    RoundedBoardArgs args;
    args.corner1 = ZcGePoint3d(-width / 2, 0, 0);
    args.corner2 = ZcGePoint3d(width / 2, height, 0);
    args.cornerRadius = radius;
    args.borderWidth = border;
    args.stripeWidth = stripe;
    args.boardColour = kSignGreen;
    args.stripeColour = kSignWhite;
    args.hatchIds = &board.hatches;
    args.outlineIds = &board.outlines;
    args.owner = block.object();
    DrawRoundedBoard(args);
    return board;
}

Board arrow(double length, double height, double border, double stripe, bool left, const char* blockName)
{
    Board board;
    ZcDbObjectPointer<ZcDbBlockTableRecord> block;
    ZcDbBlockTableRecord* made = GetOrCreateBlock(blockName, ZcDb::kForWrite);
    block.acquire(made);
    DrawArrowBoard(length, height, border, stripe, left, kSignGreen, kSignWhite, &board.hatches, &board.outlines,
                   block.object());
    return board;
}

double areaOf(ZcDbObjectId hatchId)
{
    ZcDbObjectPointer<ZcDbHatch> hatch(hatchId, ZcDb::kForRead);
    double area = 0.0;
    EXPECT_TRUE(hatch && hatch->getArea(area) == Zcad::eOk);
    return area;
}

ZcCmColor colourOf(ZcDbObjectId id)
{
    ZcDbObjectPointer<ZcDbEntity> e(id, ZcDb::kForRead);
    EXPECT_TRUE(e);
    EXPECT_EQ(e->layer(), "0");
    return e ? e->color() : ZcCmColor();
}

// A rounded rectangle's area.
double roundedArea(double w, double h, double r) { return w * h - (4.0 - std::numbers::pi) * r * r; }

struct LayerCase {
    const char* name;
    double border;
    int layers;  // outlines and fills each
};

class RoundedBoardLayers : public testing::TestWithParam<LayerCase> {};

}  // namespace

// The ring only with a border; the arrays in the order outer, middle,
// inner; the ring and field in the board colour, the stripe in the other.
TEST_P(RoundedBoardLayers, RingOnlyWithABorderAndTheInnerOutlineLast)
{
    TestDrawing drawing;
    const LayerCase& c = GetParam();
    const Board board = rounded(1000, 530, 30, c.border, 20);
    ASSERT_EQ(board.outlines.length(), c.layers);
    ASSERT_EQ(board.hatches.length(), c.layers);
    std::vector<ZcCmColor> expected = {kSignWhite, kSignGreen};
    if (c.layers == 3)
        expected.insert(expected.begin(), kSignGreen);
    for (int i = 0; i < c.layers; ++i) {
        EXPECT_EQ(colourOf(board.outlines[i]), expected[i]) << "outline " << i;
        EXPECT_EQ(colourOf(board.hatches[i]), expected[i]) << "fill " << i;
    }
    const double inset = std::max(c.border, 0.0) + 20;
    const std::vector<ZcGePoint2d> inner = verticesOf(board.outlines[c.layers - 1]);
    ASSERT_EQ(inner.size(), 8u);
    const double r = 30 - inset;
    EXPECT_EQ(inner[0], ZcGePoint2d(-500 + inset + r, inset)) << "vertex 0 starts the lower-left arc";
    EXPECT_EQ(inner[5], ZcGePoint2d(500 - inset, 530 - inset - r)) << "vertex 5 ends the upper-right arc";
    EXPECT_EQ(drawing.openCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Boards, RoundedBoardLayers,
                         testing::Values(LayerCase{"ZObwodka", 5, 3}, LayerCase{"BezObwodki", 0, 2},
                                         LayerCase{"UjemnaObwodka", -1, 2}),
                         [](const auto& p) { return std::string(p.param.name); });

// The ring, the stripe and the field tile the board: their fills add up to
// the rounded rectangle, each the difference of two nested outlines.
TEST(RoundedBoard, FillsTileTheBoardForAnySize)
{
    std::mt19937 random(13);
    std::uniform_real_distribution<double> width(600, 4000), border(0, 8), stripe(10, 30);
    for (int i = 0; i < 25; ++i) {
        TestDrawing drawing;
        const double w = width(random), c = border(random) < 2 ? 0 : border(random), s = stripe(random);
        const double r = c + s + 5;
        const Board board = rounded(w, 530, r, c, s);
        double total = 0;
        for (const ZcDbObjectId id : board.hatches)
            total += areaOf(id);
        EXPECT_NEAR(total, roundedArea(w, 530, r), kOutlineAreaTol * w) << "width " << w << " border " << c;
        const double inset = c + s;
        EXPECT_NEAR(areaOf(board.hatches[board.hatches.length() - 1]),
                    roundedArea(w - 2 * inset, 530 - 2 * inset, r - inset), kOutlineAreaTol * w);
    }
}

// A left-pointing board is the right-pointing one mirrored about the Y
// axis, its flat end staying there; the point is a right angle.
TEST(ArrowBoard, PointingLeftMirrorsPointingRight)
{
    TestDrawing drawing;
    for (const double border : {5.0, 0.0}) {
        const Board right = arrow(1200, 350, border, 20, false, border > 0 ? "P5" : "P0");
        const Board left = arrow(1200, 350, border, 20, true, border > 0 ? "L5" : "L0");
        ASSERT_EQ(right.outlines.length(), border > 0 ? 3 : 2);
        ASSERT_EQ(left.outlines.length(), right.outlines.length());
        ASSERT_EQ(left.hatches.length(), right.hatches.length());
        for (int i = 0; i < right.outlines.length(); ++i) {
            const std::vector<ZcGePoint2d> r = verticesOf(right.outlines[i]);
            const std::vector<ZcGePoint2d> l = verticesOf(left.outlines[i]);
            ASSERT_EQ(r.size(), 5u);
            ASSERT_EQ(l.size(), 5u);
            for (size_t k = 0; k < 5; ++k)
                EXPECT_EQ(l[k], ZcGePoint2d(-r[k].x, r[k].y)) << "outline " << i << " vertex " << k;
            EXPECT_EQ(colourOf(left.outlines[i]), colourOf(right.outlines[i]));
        }
        // The outermost outline (the stripe's without a ring) spans the board.
        const std::vector<ZcGePoint2d> outer = verticesOf(right.outlines[0]);
        EXPECT_EQ(outer[0], ZcGePoint2d(0, -175)) << "flat end on the Y axis";
        EXPECT_EQ(outer[1], ZcGePoint2d(1200 - 175, -175));
        EXPECT_EQ(outer[2], ZcGePoint2d(1200, 0)) << "the point on the X axis, a right angle";
        for (int i = 0; i < right.hatches.length(); ++i)
            EXPECT_NEAR(areaOf(left.hatches[i]), areaOf(right.hatches[i]), kOutlineAreaTol);
    }
    EXPECT_EQ(drawing.openCount(), 0u);
}

// With no owner the board goes to model space.
TEST(ArrowBoard, WithoutAnOwnerGoesToModelSpace)
{
    TestDrawing drawing;
    Board board;
    DrawArrowBoard(900, 300, 0, 25, false, kSignWhite, trueColour(0, 0, 255), &board.hatches, &board.outlines, nullptr);
    EXPECT_EQ(drawing.entityCount(), 4u);
    EXPECT_EQ(board.outlines.length(), 2);
    EXPECT_EQ(drawing.openCount(), 0u);
}
