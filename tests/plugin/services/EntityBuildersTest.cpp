// The shared entity builders: fills, trimmed lines, and the interactively
// drawn leader and description line.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ZcDbArc.h"
#include "ZcDbCircle.h"
#include "ZcDbLeader.h"
#include "ZcDbPolyline.h"
#include "services/EntityBuilders.h"
#include "tests/support/PlatformInternals.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/TestDrawing.h"

using namespace platform;

namespace {

ZcDbPolyline* square(double x0, double size)
{
    ZcDbPolyline* p = new ZcDbPolyline;
    const ZcGePoint2d corners[] = {{x0, x0}, {x0 + size, x0}, {x0 + size, x0 + size}, {x0, x0 + size}};
    for (unsigned i = 0; i < 4; ++i)
        p->addVertexAt(i, corners[i]);
    p->setClosed(true);
    return p;
}

size_t entityCount(TestDrawing& drawing)
{
    return ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(drawing.db().modelSpaceId())->entityIds().size();
}

}  // namespace

TEST(MakeSolidHatch, AnInnerLoopOnlyWhenGivenAndTheFillEvaluated)
{
    TestDrawing drawing;
    ZcDbObjectIdArray outer, inner;
    outer.append(drawing.append(square(0, 10)));
    ZcDbHatch* plain = MakeSolidHatch(outer, inner);
    EXPECT_EQ(plain->numLoops(), 1);
    EXPECT_TRUE(plain->isSolidFill() && plain->associative());
    plain->close();
    inner.append(drawing.append(square(2, 3)));
    ZcDbHatch* holed = MakeSolidHatch(outer, inner);
    ASSERT_EQ(holed->numLoops(), 2);
    EXPECT_EQ(holed->loopTypeAt(0), ZcDbHatch::kExternal);
    EXPECT_EQ(holed->loopTypeAt(1), ZcDbHatch::kDerived);
    double area = 0;
    ASSERT_EQ(holed->getArea(area), Zcad::eOk);
    EXPECT_NEAR(area, 100.0 - 9.0, 1e-9);
    holed->close();
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST(TrimLineToEntity, EndsMoveToTheFirstTwoCrossingsInTheLinesOwnDirection)
{
    TestDrawing drawing;
    ZcDbCircle* circle = new ZcDbCircle({0, 0, 0}, ZcGeVector3d::kZAxis, 5.0);
    for (double dir : {1.0, -1.0}) {
        ZcDbLine* line = new ZcDbLine({-20 * dir, 3, 0}, {20 * dir, 3, 0});
        ASSERT_TRUE(TrimLineToEntity(line, circle));
        EXPECT_TRUE(line->startPoint().isEqualTo({-4 * dir, 3, 0}, 1e-12)) << dir;
        EXPECT_TRUE(line->endPoint().isEqualTo({4 * dir, 3, 0}, 1e-12)) << dir;
        line->close();
    }
    circle->close();
    // A slot 10 long and 4 wide: straight sides joined by half circles.
    ZcDbPolyline* slot = new ZcDbPolyline;
    slot->addVertexAt(0, {0, 0}, 0.0);
    slot->addVertexAt(1, {10, 0}, 1.0);
    slot->addVertexAt(2, {10, 4}, 0.0);
    slot->addVertexAt(3, {0, 4}, 1.0);
    slot->setClosed(true);
    ZcDbLine* across = new ZcDbLine({-5, 2, 0}, {20, 2, 0});
    ASSERT_TRUE(TrimLineToEntity(across, slot));
    EXPECT_TRUE(across->startPoint().isEqualTo({-2, 2, 0}, 1e-9));
    EXPECT_TRUE(across->endPoint().isEqualTo({12, 2, 0}, 1e-9));
    across->close();
    slot->close();
}

TEST(TrimLineToEntity, NothingIsExtendedAndFewerThanTwoCrossingsLeaveTheLine)
{
    TestDrawing drawing;
    ZcDbCircle* circle = new ZcDbCircle({0, 0, 0}, ZcGeVector3d::kZAxis, 5.0);
    ZcDbLine* inside = new ZcDbLine({-10, 0, 0}, {1, 0, 0});  // ends inside: one crossing
    EXPECT_FALSE(TrimLineToEntity(inside, circle));
    EXPECT_EQ(inside->endPoint(), ZcGePoint3d(1, 0, 0));
    inside->close();
    circle->close();
    ZcDbArc* arc = new ZcDbArc({0, 0, 0}, 5.0, 0.0, 0.5);  // its circle would be crossed twice
    ZcDbLine* below = new ZcDbLine({-10, -1, 0}, {10, -1, 0});
    EXPECT_FALSE(TrimLineToEntity(below, arc));
    EXPECT_EQ(below->startPoint(), ZcGePoint3d(-10, -1, 0));
    below->close();
    arc->close();
}

TEST(DrawLeader, FromTheStartThroughEveryPickUntilOneIsNotGiven)
{
    TestDrawing drawing;
    {
        ScriptedInput input("5,0\n5,5\n10,5\n\n");
        const ZcDbObjectId id = DrawLeader({0, 0, 0});
        const auto* leader = ZcDbObjectAccess::peekAs<ZcDbLeader>(id);
        ASSERT_NE(leader, nullptr);
        ASSERT_EQ(leader->numVertices(), 4);
        EXPECT_EQ(leader->vertexAt(0), ZcGePoint3d(0, 0, 0));
        EXPECT_EQ(leader->vertexAt(3), ZcGePoint3d(10, 5, 0));
    }
    ScriptedInput input("*cancel*\n");
    EXPECT_TRUE(DrawLeader({0, 0, 0}).isNull()) << "no second point, no leader";
    EXPECT_EQ(entityCount(drawing), 1u);
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST(DrawDescriptionLine, OneVertexAPickAndNothingForFewerThanTwo)
{
    TestDrawing drawing;
    {
        ScriptedInput input("1,1\n4,1\n4,6\n\n");
        const auto* line = ZcDbObjectAccess::peekAs<ZcDbPolyline>(DrawDescriptionLine());
        ASSERT_NE(line, nullptr);
        ASSERT_EQ(line->numVerts(), 3u);
        EXPECT_EQ(line->vertices()[2].point, ZcGePoint2d(4, 6));
        EXPECT_LT(line->vertices()[1].startWidth, 0.0) << "the polyline's own width";
    }
    for (const char* answers : {"\n", "1,1\n\n", "1,1\n*cancel*\n"}) {
        ScriptedInput input(answers);
        EXPECT_TRUE(DrawDescriptionLine().isNull()) << answers;
    }
    EXPECT_EQ(entityCount(drawing), 1u);
    EXPECT_EQ(drawing.openCount(), 0u);
}

// Loops the drawing refuses give no fill at all, not a hatch with a loop
// missing: its caller then leaves out the fill, or the whole block.
TEST(MakeSolidHatch, NoFillWhenALoopIsRefused)
{
    TestDrawing drawing;
    ZcDbPolyline* open = square(0, 10);
    open->setClosed(false);
    const ZcDbObjectId openId = drawing.append(open);
    const ZcDbObjectId closedId = drawing.append(square(0, 10));
    const ZcDbObjectId erasedId = drawing.append(square(20, 5));
    {
        ZcDbObject* erased = nullptr;
        ASSERT_EQ(zcdbOpenZcDbObject(erased, erasedId, ZcDb::kForWrite), Zcad::eOk);
        erased->erase();
        erased->close();
    }
    const auto ids = [](std::initializer_list<ZcDbObjectId> list) {
        ZcDbObjectIdArray array;
        for (ZcDbObjectId id : list)
            array.append(id);
        return array;
    };
    const struct {
        const char* name;
        ZcDbObjectIdArray outer, inner;
    } refused[] = {
        {"no outer curve", ids({}), ids({})},
        {"an open outer curve", ids({openId}), ids({})},
        {"an erased outer curve", ids({erasedId}), ids({})},
        {"a null outer id", ids({ZcDbObjectId()}), ids({})},
        {"an open inner curve", ids({closedId}), ids({openId})},
    };
    for (const auto& r : refused)
        EXPECT_EQ(MakeSolidHatch(r.outer, r.inner), nullptr) << r.name;
    EXPECT_EQ(drawing.openCount(), 0u);
}

// A double click gives the same point twice: it adds no vertex, so no
// segment of no length turns what stands at the end.
struct RepeatedPicks {
    const char* name;
    const char* answers;
    std::vector<ZcGePoint2d> vertices;  // after the start (0,0) for a leader; empty: none drawn
};

class RepeatedPick : public testing::TestWithParam<RepeatedPicks> {};

TEST_P(RepeatedPick, AddsNoVertexToALeaderOrADescriptionLine)
{
    const RepeatedPicks& c = GetParam();
    TestDrawing drawing;
    std::vector<ZcGePoint2d> leaderVertices, lineVertices;
    {
        ScriptedInput input(c.answers);
        if (const auto* leader = ZcDbObjectAccess::peekAs<ZcDbLeader>(DrawLeader({0, 0, 0})))
            for (int i = 1; i < leader->numVertices(); ++i)
                leaderVertices.emplace_back(leader->vertexAt(i).x, leader->vertexAt(i).y);
    }
    {
        // The description line's first point is its own pick: the start.
        ScriptedInput input(std::string("0,0\n") + c.answers);
        if (const auto* line = ZcDbObjectAccess::peekAs<ZcDbPolyline>(DrawDescriptionLine()))
            for (unsigned i = 1; i < line->numVerts(); ++i)
                lineVertices.push_back(line->vertices()[i].point);
    }
    EXPECT_EQ(leaderVertices, c.vertices);
    EXPECT_EQ(lineVertices, c.vertices);
    EXPECT_EQ(drawing.openCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Picks, RepeatedPick,
                         testing::Values(RepeatedPicks{"DoubleClickAtTheEnd", "5,0\n5,5\n5,5\n\n", {{5, 0}, {5, 5}}},
                                         RepeatedPicks{"DoubleClickInTheMiddle", "5,0\n5,0\n5,5\n\n", {{5, 0}, {5, 5}}},
                                         RepeatedPicks{"FirstPickAtTheStart", "0,0\n5,5\n\n", {{5, 5}}},
                                         RepeatedPicks{"WithinTheTolerance", "5,0\n5.00005,0\n\n", {{5, 0}}},
                                         RepeatedPicks{"OnlyTheStartAgain", "0,0\n0,0\n\n", {}},
                                         RepeatedPicks{"AnotherHeightSamePlace", "5,0\n5,0,3\n\n", {{5, 0}}}),
                         [](const testing::TestParamInfo<RepeatedPicks>& c) { return std::string(c.param.name); });
