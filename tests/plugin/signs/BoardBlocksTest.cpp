// The E-sign board blocks: what each board holds, its width from the
// measured text, the arrow boards both ways, the E-18a band, and a block
// built once per name and never rebuilt.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "ZcDbCircle.h"
#include "ZcDbHatch.h"
#include "ZcDbMText.h"
#include "ZcDbSortentsTable.h"
#include "ZcDbTextStyleTable.h"
#include "services/TextStyle.h"
#include "signs/BoardBlocks.h"
#include "tests/plugin/signs/BoardTestSupport.h"

namespace {

// Coordinates computed two ways agree to this, in mm of the sign.
constexpr double kTolerance = 1e-6;

using Builder = void (*)(D_SignBoard&);

struct SignCase {
    const char* name;
    SignKind kind;
    Builder build;
    int outlines;  // and as many fills
    bool band;
};

const SignCase kSigns[] = {
    {"E17a", SignKind::E17a, BuildE17aBlock, 3, false}, {"E18a", SignKind::E18a, BuildE18aBlock, 3, true},
    {"E21", SignKind::E21, BuildE21Block, 2, false},    {"E4", SignKind::E4, BuildE4Block, 3, false},
    {"E5", SignKind::E5, BuildE5Block, 2, false},
};

// A sign built with the text; returns its block name.
std::string build(const SignCase& c, const std::string& text, bool left = false)
{
    D_SignBoard sign(c.kind);
    sign.pointsLeft = left;
    sign.MakeSignBlockName(text);
    c.build(sign);
    EXPECT_EQ(sign.blockDef, nullptr) << "the block is closed";
    return sign.blockName;
}

struct Contents {
    std::vector<ZcDbObjectId> board;  // polylines and fills in the board's colours
    std::vector<ZcDbObjectId> band;   // colour 1
    ZcDbObjectId text;
};

Contents contentsOf(const std::string& block)
{
    Contents c;
    for (const ZcDbObjectId id : blockContents(block)) {
        ZcDbObjectPointer<ZcDbEntity> e(id, ZcDb::kForRead);
        EXPECT_EQ(e->layer(), "0");
        EXPECT_FALSE(e->color().isByLayer() || e->color().isByBlock()) << "explicit colours";
        if (ZcDbMText::cast(e.object()))
            c.text = id;
        else if (e->colorIndex() == 1 && e->color().isByACI())
            c.band.push_back(id);
        else
            c.board.push_back(id);
    }
    return c;
}

int countOf(const std::vector<ZcDbObjectId>& ids, bool fills)
{
    return int(std::count_if(ids.begin(), ids.end(), [&](ZcDbObjectId id) {
        return fills ? bool(ZcDbObjectPointer<ZcDbHatch>(id, ZcDb::kForRead))
                     : bool(ZcDbObjectPointer<ZcDbPolyline>(id, ZcDb::kForRead));
    }));
}

double textWidthOf(const Contents& c) { return extentsOf(c.text).maxPoint().x - extentsOf(c.text).minPoint().x; }

class BoardBlock : public testing::TestWithParam<SignCase> {
protected:
    BoardDrawing drawing;
};

}  // namespace

// Each board: its outlines and fills, the text in the style "Tarvowy" in
// the stripe's colour on top of them, everything on layer "0".
TEST_P(BoardBlock, HoldsItsBoardAndTheTextOnTop)
{
    const SignCase& c = GetParam();
    const std::string name = build(c, "Gdańsk Główny");
    const Contents contents = contentsOf(name);
    EXPECT_EQ(countOf(contents.board, false), c.outlines);
    EXPECT_EQ(countOf(contents.board, true), c.outlines);
    EXPECT_EQ(contents.band.size(), c.band ? 2u : 0u);
    ASSERT_FALSE(contents.text.isNull());
    {
        ZcDbObjectPointer<ZcDbMText> text(contents.text, ZcDb::kForRead);
        EXPECT_EQ(text->contents(), "Gdańsk Główny");
        EXPECT_EQ(text->textStyle(), EnsureTextStyle(kTarvoTextStyle));
        EXPECT_EQ(text->color(), D_SignBoard(c.kind).textColour);
    }
    ZcDbObjectPointer<ZcDbBlockTableRecord> block;
    ZcDbBlockTableRecord* found = FindBlock(name.c_str(), ZcDb::kForRead);
    block.acquire(found);
    ZcDbSortentsTable* order = nullptr;
    ASSERT_EQ(block->getSortentsTable(order, ZcDb::kForRead, false), Zcad::eOk);
    ZcDbObjectIdArray drawn;
    order->getFullDrawOrder(drawn);
    order->close();
    ASSERT_FALSE(drawn.isEmpty());
    // The band crosses the name out; every other board shows it on top.
    const ZcDbObjectId top = drawn[drawn.length() - 1 - (c.band ? 2 : 0)];
    EXPECT_EQ(top, contents.text);
    block.close();
    EXPECT_EQ(drawing.openCount(), 0u);
}

// The same name again finds the block: nothing is added.
TEST_P(BoardBlock, TheSameNameTwiceBuildsOnce)
{
    const std::string first = build(GetParam(), "Łódź");
    const std::vector<ZcDbObjectId> built = blockContents(first);
    EXPECT_EQ(build(GetParam(), "Łódź"), first);
    EXPECT_EQ(blockContents(first), built);
    EXPECT_EQ(drawing.openCount(), 0u);
}

// A block of that name already in the drawing is used as it is.
TEST_P(BoardBlock, ABlockOfThatNameIsLeftAsItIs)
{
    D_SignBoard sign(GetParam().kind);
    sign.MakeSignBlockName("Świnoujście");
    {
        ZcDbObjectPointer<ZcDbBlockTableRecord> own;
        ZcDbBlockTableRecord* made = GetOrCreateBlock(sign.blockName.c_str(), ZcDb::kForWrite);
        own.acquire(made);
        auto* circle = new ZcDbCircle(ZcGePoint3d::kOrigin, ZcGeVector3d::kZAxis, 40.0);
        ZcDbObjectPointer<ZcDbCircle> closer;
        closer.acquire(circle);
        own->appendZcDbEntity(closer.object());
    }
    const std::vector<ZcDbObjectId> before = blockContents(sign.blockName);
    GetParam().build(sign);
    EXPECT_EQ(blockContents(sign.blockName), before);
    EXPECT_EQ(before.size(), 1u);
    EXPECT_EQ(drawing.openCount(), 0u);
}

// A blank text is the dialog's to refuse; given one, a builder makes
// nothing. A name the block table refuses leaves no block either.
TEST_P(BoardBlock, NothingForABlankTextOrARefusedName)
{
    for (const char* text : {"", "   ", " \t "}) {
        const std::string name = build(GetParam(), text);
        EXPECT_EQ(FindBlock(name.c_str(), ZcDb::kForRead), nullptr) << "\"" << text << "\"";
        EXPECT_EQ(drawing.openCount(), 0u);
    }
    D_SignBoard sign(GetParam().kind);
    sign.MakeSignBlockName("Kraków");
    sign.blockName = "E|zła*nazwa";
    testing::internal::CaptureStdout();
    GetParam().build(sign);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(FindBlock(sign.blockName.c_str(), ZcDb::kForRead), nullptr);
    EXPECT_EQ(sign.blockDef, nullptr);
    EXPECT_EQ(drawing.openCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Signs, BoardBlock, testing::ValuesIn(kSigns),
                         [](const auto& p) { return std::string(p.param.name); });

namespace {

// The style "Tarvowy" made beforehand with a width factor that gives the
// text exactly the width wanted (the builders keep a style they find).
void styleForWidth(ZcDbDatabase& db, const std::string& text, double wanted)
{
    const ZcDbObjectId style = EnsureTextStyle(kTarvoTextStyle);
    ZcDbMText* probe = new ZcDbMText;
    probe->setContents(text.c_str());
    probe->setTextHeight(162);
    probe->setTextStyle(style);
    ZcDbExtents natural;
    probe->getGeomExtents(natural);
    delete probe;
    const double width = natural.maxPoint().x - natural.minPoint().x;
    ASSERT_GT(width, 0.0);
    ZcDbObjectPointer<ZcDbTextStyleTableRecord> record(style, ZcDb::kForWrite);
    record->setXScale(wanted / width);
    (void)db;
}

struct WidthCase {
    double text;
    double board;
};

class RoundedBoardWidth : public testing::TestWithParam<WidthCase> {};

}  // namespace

// Up to 800 wide a text stands on a 1000-wide board; a wider one gets 100
// either side (ring, stripe and clearance).
TEST_P(RoundedBoardWidth, FollowsTheMeasuredText)
{
    for (const SignCase& c : {kSigns[0], kSigns[1], kSigns[2]}) {
        BoardDrawing drawing;
        styleForWidth(drawing.db(), "Szczebrzeszyn", GetParam().text);
        const Contents contents = contentsOf(build(c, "Szczebrzeszyn"));
        EXPECT_NEAR(textWidthOf(contents), GetParam().text, kTolerance);
        const ZcDbExtents board = extentsOf(contents.board[0]);
        EXPECT_NEAR(board.maxPoint().x - board.minPoint().x, GetParam().board, kTolerance) << c.name;
        EXPECT_NEAR(board.maxPoint().x + board.minPoint().x, 0.0, kTolerance) << "centred";
        EXPECT_NEAR(board.minPoint().y, 0.0, kTolerance);
        EXPECT_NEAR(board.maxPoint().y, 530.0, kTolerance);
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, RoundedBoardWidth,
                         testing::Values(WidthCase{300, 1000}, WidthCase{800, 1000}, WidthCase{800.5, 1000.5},
                                         WidthCase{1234, 1434}, WidthCase{3000, 3200}));

namespace {

struct ArrowCase {
    const char* name;
    const SignCase* sign;
    char size;
    double height;
    double margin;
};

class ArrowBoardBlock : public testing::TestWithParam<ArrowCase> {
protected:
    BoardDrawing drawing;
};

std::string buildArrow(const ArrowCase& c, bool left)
{
    D_SignBoard sign(c.sign->kind);
    if (c.size != ' ')
        sign.SetSizeClass(c.size);
    sign.pointsLeft = left;
    sign.MakeSignBlockName("Łódź Kaliska");
    c.sign->build(sign);
    return sign.blockName;
}

}  // namespace

// Pointing right the board runs from the flat end at x = 0 to its point at
// margin + t + H/2 + margin, the text a margin in; pointing left the board
// is the mirror image and the text goes with it, between −(t + margin) and
// −margin.
TEST_P(ArrowBoardBlock, PointingLeftIsTheMirrorImage)
{
    const ArrowCase& c = GetParam();
    const Contents right = contentsOf(buildArrow(c, false));
    const std::string leftName = buildArrow(c, true);
    EXPECT_EQ(leftName.back(), '_');
    const Contents left = contentsOf(leftName);
    const double t = textWidthOf(right);
    ASSERT_GT(t, 0.0);
    EXPECT_NEAR(textWidthOf(left), t, kTolerance);

    const double length = c.margin + t + c.height / 2 + c.margin;
    const ZcDbExtents r = extentsOf(right.board[0]);
    EXPECT_NEAR(r.minPoint().x, 0.0, kTolerance);
    EXPECT_NEAR(r.maxPoint().x, length, kTolerance);
    EXPECT_NEAR(r.maxPoint().y - r.minPoint().y, c.height, kTolerance);
    const ZcDbExtents rightText = extentsOf(right.text);
    EXPECT_NEAR(rightText.minPoint().x, c.margin, kTolerance);

    const ZcDbExtents l = extentsOf(left.board[0]);
    EXPECT_NEAR(l.minPoint().x, -length, kTolerance) << "the point at negative x";
    EXPECT_NEAR(l.maxPoint().x, 0.0, kTolerance);
    const ZcDbExtents leftText = extentsOf(left.text);
    EXPECT_NEAR(leftText.minPoint().x, -(t + c.margin), kTolerance);
    EXPECT_NEAR(leftText.maxPoint().x, -c.margin, kTolerance);

    ASSERT_EQ(left.board.size(), right.board.size());
    for (size_t i = 0; i < right.board.size(); ++i) {
        const std::vector<ZcGePoint2d> rv = verticesOf(right.board[i]);
        const std::vector<ZcGePoint2d> lv = verticesOf(left.board[i]);
        ASSERT_EQ(rv.size(), lv.size());
        for (size_t k = 0; k < rv.size(); ++k)
            EXPECT_EQ(lv[k], ZcGePoint2d(-rv[k].x, rv[k].y)) << "entity " << i << " vertex " << k;
    }
    EXPECT_EQ(drawing.openCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Arrows, ArrowBoardBlock,
                         testing::Values(ArrowCase{"E4", &kSigns[3], ' ', 350, 100},
                                         ArrowCase{"E5Wielkie", &kSigns[4], 'W', 650, 120},
                                         ArrowCase{"E5Duze", &kSigns[4], 'D', 450, 100},
                                         ArrowCase{"E5Male", &kSigns[4], 'm', 300, 100}),
                         [](const auto& p) { return std::string(p.param.name); });

// "Średnie" and "Małe" share a board but not a block.
TEST(ArrowBoardSizes, MediumAndSmallGiveTheSameBoardUnderTwoNames)
{
    BoardDrawing drawing;
    const std::string medium = buildArrow({"S", &kSigns[4], 'S', 300, 100}, false);
    const std::string small = buildArrow({"M", &kSigns[4], 'M', 300, 100}, false);
    EXPECT_NE(medium, small);
    const Contents a = contentsOf(medium), b = contentsOf(small);
    ASSERT_EQ(a.board.size(), b.board.size());
    for (size_t i = 0; i < a.board.size(); ++i)
        EXPECT_EQ(verticesOf(a.board[i]), verticesOf(b.board[i]));
}

namespace {

double cross(ZcGeVector3d a, ZcGeVector3d b) { return a.x * b.y - a.y * b.x; }

// The field's corner radius: the board's 30 less the ring and stripe.
constexpr double kFieldRadius = 5.0;

// Whether p lies on a rounded rectangle of that box and corner radius.
bool onRoundedOutline(ZcGePoint3d p, const ZcDbExtents& box, double r)
{
    const ZcGePoint3d lo = box.minPoint(), hi = box.maxPoint();
    const bool inX = p.x >= lo.x + r - kTolerance && p.x <= hi.x - r + kTolerance;
    const bool inY = p.y >= lo.y + r - kTolerance && p.y <= hi.y - r + kTolerance;
    if ((inX && (std::abs(p.y - lo.y) < kTolerance || std::abs(p.y - hi.y) < kTolerance)) ||
        (inY && (std::abs(p.x - lo.x) < kTolerance || std::abs(p.x - hi.x) < kTolerance)))
        return true;
    for (const double cx : {lo.x + r, hi.x - r})
        for (const double cy : {lo.y + r, hi.y - r})
            if (std::abs(std::hypot(p.x - cx, p.y - cy) - r) < kTolerance)
                return true;
    return false;
}

// Signed distance from the line a→b, positive on its left.
double sideOf(ZcGePoint3d p, ZcGePoint3d a, ZcGePoint3d b) { return cross(b - a, p - a) / (b - a).length(); }

}  // namespace

// The band covers the field between the lines 25 either side of the
// diagonal: its corners lie on the field's outline, the four where it
// crosses the outline on those lines, the other four are the field's own
// lower-left and upper-right arcs. It holds the diagonal's middle and is
// red over the field.
TEST(DiagonalBand, LiesInTheFieldBetweenTheLinesAlongTheDiagonal)
{
    for (const char* text : {"Ryn", "Konstantynów Łódzki", "Szczebrzeszyn nad Wieprzem Dolnym"}) {
        BoardDrawing drawing;
        const Contents c = contentsOf(build(kSigns[1], text));
        ASSERT_EQ(c.band.size(), 2u);
        const ZcDbExtents board = extentsOf(c.board[0]);
        const ZcGePoint3d c1 = board.minPoint(), c2 = board.maxPoint();
        std::vector<ZcDbObjectId> outlines;
        for (const ZcDbObjectId id : c.board)
            if (ZcDbObjectPointer<ZcDbPolyline>(id, ZcDb::kForRead))
                outlines.push_back(id);
        ASSERT_EQ(outlines.size(), 3u);
        const std::vector<ZcGePoint2d> field = verticesOf(outlines[2]);
        const ZcDbExtents fieldBox = extentsOf(outlines[2]);
        const std::vector<ZcGePoint2d> band = verticesOf(c.band[0]);
        ASSERT_EQ(band.size(), 8u);
        for (const size_t k : {0u, 1u})
            EXPECT_EQ(band[k], field[k]) << "the lower-left arc";
        for (const size_t k : {4u, 5u})
            EXPECT_EQ(band[k], field[k]) << "the upper-right arc";
        for (size_t k = 0; k < 8; ++k) {
            const ZcGePoint3d p(band[k].x, band[k].y, 0);
            EXPECT_TRUE(onRoundedOutline(p, fieldBox, kFieldRadius)) << text << ": vertex " << k;
            const double side = sideOf(p, c1, c2);
            if (k == 2 || k == 3) {
                EXPECT_NEAR(side, 25.0, kTolerance) << "vertex " << k << " on the upper-left line";
            } else if (k == 6 || k == 7) {
                EXPECT_NEAR(side, -25.0, kTolerance) << "vertex " << k << " on the lower-right line";
            }
        }
        EXPECT_LT(band[2].x, band[3].x) << "from the end nearer the lower-left corner";
        EXPECT_GT(band[6].x, band[7].x) << "from the end nearer the upper-right corner";
        double area = 0;
        {
            ZcDbObjectPointer<ZcDbHatch> fill(c.band[1], ZcDb::kForRead);
            ASSERT_TRUE(fill);
            fill->getArea(area);
        }
        // About 50 wide along the field's diagonal: a fill of the band, not
        // of the field or of a sliver.
        const double strip = 50.0 * (fieldBox.maxPoint() - fieldBox.minPoint()).length();
        EXPECT_GT(area, 0.8 * strip) << text;
        EXPECT_LT(area, 1.2 * strip) << text;
        EXPECT_EQ(drawing.openCount(), 0u);
    }
}
