// The toolkit's questions to entities: joined ends, merged id lists, widths.

#include <gtest/gtest.h>

#include "ZcDbArc.h"
#include "ZcDbCircle.h"
#include "ZcDbLine.h"
#include "geometry/EntityQueries.h"
#include "geometry/Tolerances.h"
#include "tests/support/TestDrawing.h"

TEST(CurveJoinsPoints, EitherOrderWithinTheJoinToleranceStrictly)
{
    TestDrawing drawing;
    ZcDbLine* line = new ZcDbLine({1, 2, 0}, {11, 2, 0});
    const ZcGePoint3d p(1, 2, 0), q(11, 2, 0);
    const ZcGeVector3d near(0, 0.9 * kJoinTolerance, 0), far(0, kJoinTolerance, 0);
    EXPECT_TRUE(CurveJoinsPoints(line, p + near, q - near));
    EXPECT_TRUE(CurveJoinsPoints(line, q - near, p + near));
    EXPECT_FALSE(CurveJoinsPoints(line, p + far, q));
    EXPECT_FALSE(CurveJoinsPoints(line, q, p + far));
    EXPECT_FALSE(CurveJoinsPoints(line, p, p)) << "both ends must be met";
    line->close();
    ZcDbArc* arc = new ZcDbArc({0, 0, 0}, 5.0, 0.0, 3.141592653589793 / 2.0);
    EXPECT_TRUE(CurveJoinsPoints(arc, {0, 5, 0}, {5, 0, 0}));
    arc->close();
    EXPECT_FALSE(CurveJoinsPoints(nullptr, p, q));
}

TEST(MergeIdArrays, AppendsTheNewIdsInOrderOnce)
{
    TestDrawing drawing;
    ZcDbObjectId ids[4];
    for (int i = 0; i < 4; ++i)
        ids[i] = drawing.append(new ZcDbLine({0, double(i), 0}, {1, double(i), 0}));
    ZcDbObjectIdArray a, b;
    for (int i : {0, 1})
        a.append(ids[i]);
    for (int i : {3, 1, 2, 3})
        b.append(ids[i]);
    const ZcDbObjectIdArray merged = MergeIdArrays(a, b);
    const int order[] = {0, 1, 3, 2};
    ASSERT_EQ(merged.length(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(merged[i], ids[order[i]]) << i;
}

TEST(ExtentsWidth, WidthAlongXOfTheGeometry)
{
    TestDrawing drawing;
    ZcDbCircle* circle = new ZcDbCircle({10, 10, 0}, ZcGeVector3d::kZAxis, 2.5);
    EXPECT_DOUBLE_EQ(ExtentsWidth(circle), 5.0);
    circle->close();
    EXPECT_EQ(ExtentsWidth(nullptr), 0.0);
}
