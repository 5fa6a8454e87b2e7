// Placing a sign's board as the user picks: a plain reference, or a board
// on a post standing square to the leader's last segment with its
// description beside it; and the red cross of a sign to be removed.

#include <gtest/gtest.h>

#include <cmath>

#include "ZcDbBlockReference.h"
#include "ZcDbExtents.h"
#include "ZcDbObjectPointer.h"
#include "ZcDbPolyline.h"
#include "frame/ModuleResources.h"
#include "services/Blocks.h"
#include "services/DatabaseServices.h"
#include "signs/SignPlacement.h"
#include "tests/support/DrawingContents.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/TestDrawing.h"

namespace {

constexpr double kPlacementTol = 1e-9;

// A block holding one closed rectangle, standing in for a board.
void makeBoardBlock(const char* name, double x0, double y0, double x1, double y1)
{
    ZcDbBlockTableRecord* block = GetOrCreateBlock(name, ZcDb::kForWrite);
    ASSERT_NE(block, nullptr);
    auto* outline = new ZcDbPolyline;
    outline->addVertexAt(0, ZcGePoint2d(x0, y0));
    outline->addVertexAt(1, ZcGePoint2d(x1, y0));
    outline->addVertexAt(2, ZcGePoint2d(x1, y1));
    outline->addVertexAt(3, ZcGePoint2d(x0, y1));
    outline->setClosed(true);
    AppendToModelSpace(outline, block);
    outline->close();
    block->close();
}

ZcDbExtents extentsOf(ZcDbObjectId id)
{
    ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
    ZcDbExtents extents;
    EXPECT_EQ(entity->getGeomExtents(extents), Zcad::eOk);
    return extents;
}

// The middle of the board's bottom edge, for a board turned square to the
// axes with its top towards up.
ZcGePoint3d bottomMiddle(const ZcDbExtents& e, const ZcGeVector3d& up)
{
    const ZcGePoint3d lo = e.minPoint(), hi = e.maxPoint();
    const double mx = (lo.x + hi.x) / 2, my = (lo.y + hi.y) / 2;
    if (up.y > 0.5)
        return {mx, lo.y, 0};
    if (up.y < -0.5)
        return {mx, hi.y, 0};
    return up.x > 0 ? ZcGePoint3d(lo.x, my, 0) : ZcGePoint3d(hi.x, my, 0);
}

double turn(double angle) { return std::remainder(angle, 2 * M_PI); }

class SignPlacement : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(drawing.addLayer("ZNAKI"));
        makeBoardBlock("Rounded", -500, 0, 500, 530);
        makeBoardBlock("ArrowRight", 0, -175, 1000, 175);
        makeBoardBlock("ArrowLeft", -1000, -175, 0, 175);
        sign.blockName = "Rounded";
        sign.symbol = "E-17a";
        sign.destination = "Projektowany";
        sign.generation = "II Generacja";
        sign.scale = 2.0;
    }
    void TearDown() override { EXPECT_EQ(drawing.openCount(), 0u); }

    ZcDbObjectId place(const std::string& script, bool arrow, ZcDbObjectIdArray& result, std::string* out = nullptr)
    {
        ScriptedInput input(script);
        testing::internal::CaptureStdout();
        const ZcDbObjectId board =
            arrow ? PlaceArrowSign(sign, result, "ZNAKI", 1.5, 3.0) : PlaceSign(sign, result, "ZNAKI", 1.5, 3.0);
        const std::string said = testing::internal::GetCapturedStdout();
        if (out)
            *out = said;
        return board;
    }

    ModuleResourceChain resources;
    TestDrawing drawing;
    D_SignBoard sign{SignKind::E17a};
};

struct StandCase {
    const char* name;
    const char* block;
    bool arrow, pointsLeft;
    const char* picks;  // road, post, leader
    ZcGePoint3d stand;  // where the bottom middle of the board ends
    ZcGeVector3d up;    // the board's top points this way
    double postRotation;
    size_t placed;  // post, [leader], board, description
    friend void PrintTo(const StandCase& c, std::ostream* os) { *os << c.name; }
};

class BoardOnAPost : public SignPlacement, public testing::WithParamInterface<StandCase> {};

TEST_P(BoardOnAPost, StandsOnTheLeadersEndSquareToItsLastSegment)
{
    const StandCase& c = GetParam();
    sign.blockName = c.block;
    sign.pointsLeft = c.pointsLeft;
    ZcDbObjectIdArray result;
    const ZcDbObjectId board = place(c.picks, c.arrow, result);
    ASSERT_FALSE(board.isNull());
    ASSERT_EQ(size_t(result.length()), c.placed);
    EXPECT_EQ(result[c.placed - 2], board);

    const ZcGePoint3d middle = bottomMiddle(extentsOf(board), c.up);
    EXPECT_NEAR(middle.x, c.stand.x, kPlacementTol);
    EXPECT_NEAR(middle.y, c.stand.y, kPlacementTol);
    const std::vector<PlacedReference> refs = ReferencesIn(drawing.db());
    ASSERT_EQ(refs.size(), 3u);  // post, board, description
    EXPECT_EQ(refs[0].block, "Slupek1");
    EXPECT_NEAR(turn(refs[0].rotation - c.postRotation), 0.0, kPlacementTol) << "the post stands across the road";
    EXPECT_NEAR(refs[0].scale, 2.0 * 1.5 * 0.02, kPlacementTol);
    EXPECT_NEAR(turn(refs[1].rotation - std::atan2(-c.up.x, c.up.y)), 0.0, kPlacementTol);
    EXPECT_NEAR(refs[1].scale, 2.0 * 1.5 * 0.005, kPlacementTol);
    EXPECT_NEAR(refs[2].scale, 2.0 * 3.0 * 0.01, kPlacementTol);
    EXPECT_NEAR(turn(refs[2].rotation - refs[1].rotation), 0.0, kPlacementTol)
        << "the description reads along the board";
    for (const PlacedReference& r : refs)
        EXPECT_EQ(r.layer, "ZNAKI");
}

const ZcGeVector3d kUpDir(0, 1, 0), kRightDir(1, 0, 0), kDownDir(0, -1, 0);

INSTANTIATE_TEST_SUITE_P(
    Signs, BoardOnAPost,
    testing::Values(
        StandCase{
            "LeaderStraightUp", "Rounded", false, false, "0,0\n10,0\n5,-3\n5,5\n\n", {5, 5, 0}, kUpDir, -M_PI / 2, 4},
        StandCase{"RoadPickedRightToLeft",
                  "Rounded",
                  false,
                  false,
                  "10,0\n0,0\n5,-3\n5,5\n\n",
                  {5, 5, 0},
                  kUpDir,
                  M_PI / 2,
                  4},
        StandCase{"LeaderBendingRight",
                  "Rounded",
                  false,
                  false,
                  "0,0\n10,0\n0,0\n0,5\n6,5\n\n",
                  {6, 5, 0},
                  kRightDir,
                  -M_PI / 2,
                  4},
        StandCase{
            "LeaderDown", "Rounded", false, false, "0,0\n10,0\n0,0\n0,-5\n\n", {0, -5, 0}, kDownDir, -M_PI / 2, 4},
        StandCase{"ArrowRight", "ArrowRight", true, false, "0,0\n10,0\n5,-3\n5,5\n\n", {5, 5, 0}, kUpDir, -M_PI / 2, 4},
        StandCase{"ArrowLeftEndsLikeTheRightOne",
                  "ArrowLeft",
                  true,
                  true,
                  "0,0\n10,0\n5,-3\n5,5\n\n",
                  {5, 5, 0},
                  kUpDir,
                  -M_PI / 2,
                  4},
        StandCase{"ArrowLeftKeepsTheRoadAsPicked",
                  "ArrowLeft",
                  true,
                  true,
                  "10,0\n0,0\n5,-3\n5,5\n\n",
                  {5, 5, 0},
                  kUpDir,
                  M_PI / 2,
                  4},
        // No leader point after the post: the board stands at the post,
        // read along the road.
        StandCase{
            "NoLeaderAlongTheRoad", "Rounded", false, false, "0,0\n10,0\n5,-3\n\n", {5, -3, 0}, kUpDir, -M_PI / 2, 3},
        // A double click, or a leader point on the post, draws no segment
        // of no length: the board takes the last real segment's direction,
        // or stands as with no leader point at all.
        StandCase{"DoubleClickAtTheLeadersEnd",
                  "Rounded",
                  false,
                  false,
                  "0,0\n10,0\n5,-3\n5,5\n5,5\n\n",
                  {5, 5, 0},
                  kUpDir,
                  -M_PI / 2,
                  4},
        StandCase{"LeaderPointOnThePostThenUp",
                  "ArrowRight",
                  true,
                  false,
                  "0,0\n10,0\n5,-3\n5,-3\n5,5\n\n",
                  {5, 5, 0},
                  kUpDir,
                  -M_PI / 2,
                  4},
        StandCase{"SecondRoadPointRepeated",
                  "Rounded",
                  false,
                  false,
                  "10,0\n10,0\n0,0\n5,-3\n5,5\n\n",
                  {5, 5, 0},
                  kUpDir,
                  M_PI / 2,
                  4},
        StandCase{"OnlyALeaderPointOnThePost",
                  "Rounded",
                  false,
                  false,
                  "0,0\n10,0\n5,-3\n5,-3\n\n",
                  {5, -3, 0},
                  kUpDir,
                  -M_PI / 2,
                  3},
        StandCase{"NoLeaderRoadNorthwards",
                  "ArrowRight",
                  true,
                  false,
                  "0,0\n0,10\n5,-3\n\n",
                  {5, -3, 0},
                  {-1, 0, 0},
                  0.0,
                  3}),
    [](const testing::TestParamInfo<StandCase>& param) { return std::string(param.param.name); });

TEST_F(SignPlacement, APlainReferenceAtOnePointUnturned)
{
    sign.asSign = false;
    ZcDbObjectIdArray result;
    place("3,4\n", false, result);
    const std::vector<PlacedReference> refs = ReferencesIn(drawing.db());
    ASSERT_EQ(refs.size(), 1u);
    ASSERT_EQ(result.length(), 1);
    EXPECT_EQ(result[0], refs[0].id);
    EXPECT_EQ(refs[0].position, ZcGePoint3d(3, 4, 0));
    EXPECT_EQ(refs[0].rotation, 0.0);
    EXPECT_NEAR(refs[0].scale, 2.0 * 1.5 * 0.002, kPlacementTol);
    EXPECT_EQ(drawing.entityCount(), 1u) << "no post, leader or description";
}

TEST_F(SignPlacement, TheDescriptionCarriesTheSignsQuantities)
{
    sign.destination = "Istniejący";
    ZcDbObjectIdArray result;
    place("0,0\n10,0\n5,-3\n5,5\n\n", false, result);
    sign.blockName = "ArrowRight";
    sign.symbol = "E-5";
    sign.sizeClass = 'D';
    sign.destination = "Projektowany";
    place("0,0\n10,0\n5,-3\n5,5\n\n", true, result);
    const std::vector<PlacedReference> refs = ReferencesIn(drawing.db());
    ASSERT_EQ(refs.size(), 6u);
    using Fields = std::map<std::string, std::string>;
    EXPECT_EQ(
        refs[2].attributes,
        (Fields{{"Symbol", "E-17a"}, {"Przeznaczenie", "Istn"}, {"Wielkość", ""}, {"Odblaskowość", "II Generacja"}}));
    EXPECT_EQ(
        refs[5].attributes,
        (Fields{{"Symbol", "E-5"}, {"Przeznaczenie", "Proj"}, {"Wielkość", "D"}, {"Odblaskowość", "II Generacja"}}));
}

TEST_F(SignPlacement, ADescriptionCanBeLeftOut)
{
    sign.withDescription = false;
    ZcDbObjectIdArray result;
    place("0,0\n10,0\n5,-3\n5,5\n\n", false, result);
    EXPECT_EQ(result.length(), 3);
    EXPECT_EQ(ReferencesIn(drawing.db()).size(), 2u);
}

TEST_F(SignPlacement, ACancelledPickEndsTheSignQuietly)
{
    for (const char* script : {"*cancel*\n", "0,0\n*cancel*\n", "0,0\n1,0\n\n"}) {
        ZcDbObjectIdArray result;
        EXPECT_TRUE(place(script, false, result).isNull()) << script;
        EXPECT_EQ(result.length(), 0) << script;
    }
    EXPECT_EQ(drawing.entityCount(), 0u);
}

TEST_F(SignPlacement, NoBoardBlockIsSaidBeforeAnythingIsAsked)
{
    sign.blockName = "E-17a_Nigdzie_ ";
    ZcDbObjectIdArray result;
    std::string out;
    EXPECT_TRUE(place("0,0\n10,0\n5,-3\n5,5\n\n", false, result, &out).isNull());
    EXPECT_NE(out.find("E-17a_Nigdzie_ "), std::string::npos) << out;
    EXPECT_EQ(out.find("Wskaż"), std::string::npos) << "nothing asked: " << out;
    EXPECT_EQ(drawing.entityCount(), 0u);
}

TEST_F(SignPlacement, ARemovedSignIsCrossedCornerToCorner)
{
    sign.asSign = false;
    ZcDbObjectIdArray result;
    const ZcDbObjectId board = place("3,4\n", false, result);
    CrossOutEntity(sign, board);
    const ZcDbExtents e = extentsOf(board);
    const std::vector<const ZcDbPolyline*> lines = drawing.polylines();
    ASSERT_EQ(lines.size(), 2u);
    const ZcGePoint3d ends[2][2] = {{e.maxPoint(), e.minPoint()},
                                    {{e.maxPoint().x, e.minPoint().y, 0}, {e.minPoint().x, e.maxPoint().y, 0}}};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(lines[i]->colorIndex(), 1);
        EXPECT_EQ(lines[i]->numVerts(), 2u);
        double width = 0;
        EXPECT_EQ(lines[i]->getConstantWidth(width), Zcad::eOk);
        EXPECT_EQ(width, 0.5);
        for (int k = 0; k < 2; ++k) {
            ZcGePoint3d p;
            lines[i]->getPointAt(k, p);
            EXPECT_NEAR(p.distanceTo(ends[i][k]), 0.0, kPlacementTol);
        }
    }
}

TEST(FirstCharacters, NeverCutsACharacterInTwo)
{
    const struct {
        const char *text, *expected;
        size_t n;
    } cases[] = {{"Projektowany", "Proj", 4},
                 {"Świnoujście", "Świn", 4},
                 {"Ąę", "Ą", 1},
                 {"ab", "ab", 4},
                 {"", "", 4},
                 {"Łódź", "", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(FirstCharacters(c.text, c.n), c.expected) << c.text;
}

}  // namespace
