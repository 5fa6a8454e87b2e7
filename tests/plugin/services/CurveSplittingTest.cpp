// Curves turned into polylines and polylines cut at a point: the worked
// cases, then invariants over random polylines with arcs.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "ZcDbArc.h"
#include "ZcDbCircle.h"
#include "ZcDbLine.h"
#include "ZcDbMText.h"
#include "ZcDbPolyline.h"
#include "services/CurveSplitting.h"
#include "tests/support/PlatformInternals.h"
#include "tests/support/TestDrawing.h"

using namespace platform;

namespace {

constexpr double kSplitTol = 1e-9;

const ZcDbPolyline* polylineOf(ZcDbObjectId id) { return ZcDbObjectAccess::peekAs<ZcDbPolyline>(id); }

double lengthOf(const ZcDbPolyline* p)
{
    double end = 0, length = 0;
    p->getEndParam(end);
    p->getDistAtParam(end, length);
    return length;
}

size_t liveEntities(TestDrawing& drawing)
{
    size_t live = 0;
    for (ZcDbObjectId id : ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(drawing.db().modelSpaceId())->entityIds())
        live += ZcDbObjectAccess::peek(id)->isErased() ? 0 : 1;
    return live;
}

struct V {
    double x, y, bulge;
};

ZcDbPolyline* makePolyline(const std::vector<V>& vertices, bool closed = false)
{
    auto* p = new ZcDbPolyline;
    for (unsigned i = 0; i < vertices.size(); ++i)
        p->addVertexAt(i, ZcGePoint2d(vertices[i].x, vertices[i].y), vertices[i].bulge);
    p->setClosed(closed);
    return p;
}

std::vector<V> verticesOf(ZcDbObjectId id)
{
    std::vector<V> out;
    for (const ZcDbPolylineVertex& v : polylineOf(id)->vertices())
        out.push_back({v.point.x, v.point.y, v.bulge});
    return out;
}

void expectVertices(ZcDbObjectId id, const std::vector<V>& expected)
{
    const std::vector<V> got = verticesOf(id);
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_NEAR(got[i].x, expected[i].x, kSplitTol) << "vertex " << i;
        EXPECT_NEAR(got[i].y, expected[i].y, kSplitTol) << "vertex " << i;
        EXPECT_NEAR(got[i].bulge, expected[i].bulge, kSplitTol) << "vertex " << i;
    }
}

}  // namespace

TEST(ConvertToPolyline, ACircleBecomesAClosedTwoArcPolyline)
{
    TestDrawing drawing;
    const ZcDbObjectId circle = drawing.append(new ZcDbCircle({0, 0, 0}, ZcGeVector3d::kZAxis, 5.0));
    const ZcDbObjectId id = ConvertToPolyline(circle);
    ASSERT_FALSE(id.isNull());
    expectVertices(id, {{5, 0, 1.0}, {-5, 0, 1.0}});
    EXPECT_TRUE(polylineOf(id)->isClosed());
    EXPECT_NEAR(lengthOf(polylineOf(id)), 10 * M_PI, 1e-9);
    EXPECT_EQ(liveEntities(drawing), 1u) << "the circle is erased";
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST(ConvertToPolyline, LinesAndArcsKeepTheirPlaceAndLookOtherKindsAreRefused)
{
    TestDrawing drawing;
    auto* line = new ZcDbLine({1, 2, 3}, {4, 6, 3});
    line->setLayer("0");
    line->setColorIndex(3);
    const ZcDbObjectId lineId = ConvertToPolyline(drawing.append(line));
    expectVertices(lineId, {{1, 2, 0}, {4, 6, 0}});
    EXPECT_EQ(polylineOf(lineId)->colorIndex(), 3);
    // A quarter arc counter-clockwise from 90 to 180 degrees.
    const ZcDbObjectId arcId = ConvertToPolyline(drawing.append(new ZcDbArc({0, 0, 0}, 2.0, M_PI / 2, M_PI)));
    expectVertices(arcId, {{0, 2, std::tan(M_PI / 8)}, {-2, 0, 0}});
    const ZcDbObjectId polyline = drawing.append(makePolyline({{0, 0, 0}, {1, 0, 0}}));
    EXPECT_EQ(ConvertToPolyline(polyline), polyline) << "a polyline is itself";
    auto* text = new ZcDbMText;
    text->setContents("x");
    EXPECT_TRUE(ConvertToPolyline(drawing.append(text)).isNull());
    EXPECT_EQ(liveEntities(drawing), 4u) << "the line and the arc are replaced";
    EXPECT_EQ(drawing.openCount(), 0u);
}

struct SplitCase {
    const char* name;
    std::vector<V> polyline;
    ZcGePoint3d at;
    std::vector<V> given;  // after the cut point
    std::vector<V> made;   // before it; empty when nothing was cut
};

class SplitPolylineAtCase : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitPolylineAtCase, GivenKeepsThePartAfterAndTheNewOneThePartBefore)
{
    const SplitCase& c = GetParam();
    TestDrawing drawing;
    const ZcDbObjectId id = drawing.append(makePolyline(c.polyline));
    const ZcDbObjectIdArray pieces = SplitPolylineAt(id, c.at);
    ASSERT_EQ(pieces.length(), c.made.empty() ? 1 : 2);
    EXPECT_EQ(pieces[0], id);
    expectVertices(id, c.given);
    if (!c.made.empty())
        expectVertices(pieces[1], c.made);
    EXPECT_EQ(drawing.openCount(), 0u);
}

const double kHalfOfHalf = std::tan(M_PI / 8);  // the bulge of a quarter circle

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitPolylineAtCase,
    testing::Values(
        SplitCase{"StraightNearestPoint",
                  {{0, 0, 0}, {10, 0, 0}},
                  {4, 3, 0},
                  {{4, 0, 0}, {10, 0, 0}},
                  {{0, 0, 0}, {4, 0, 0}}},
        SplitCase{"WithinTheEndToleranceNoCut", {{0, 0, 0}, {10, 0, 0}}, {0.0005, 1, 0}, {{0, 0, 0}, {10, 0, 0}}, {}},
        SplitCase{"ArcAtItsMidpoint",
                  {{0, 0, 1.0}, {10, 0, 0}},  // half circle below the chord
                  {5, -5, 0},
                  {{5, -5, kHalfOfHalf}, {10, 0, 0}},
                  {{0, 0, kHalfOfHalf}, {5, -5, 0}}},
        SplitCase{"AnEarlierArcsCirclePassesThroughThePoint",
                  {{0, 0, 1.0}, {10, 0, 0}, {6, 8, 0}},  // (8, 4) is on the first arc's circle, above its sweep
                  {8, 4, 0},
                  {{8, 4, 0}, {6, 8, 0}},
                  {{0, 0, 1.0}, {10, 0, 0}, {8, 4, 0}}},
        SplitCase{"AtAnInnerVertexNoSegmentOfNoLength",
                  {{0, 0, 0}, {5, 0, 0}, {5, 5, 0}},
                  {5, 0, 0},
                  {{5, 0, 0}, {5, 5, 0}},
                  {{0, 0, 0}, {5, 0, 0}}}),
    [](const testing::TestParamInfo<SplitCase>& c) { return std::string(c.param.name); });

TEST(SplitPolylineAt, AClosedCurveOpensAtThePointAndRunsOnceRoundInItsOwnDirection)
{
    TestDrawing drawing;
    const ZcDbObjectId id = ConvertToPolyline(drawing.append(new ZcDbCircle({0, 0, 0}, ZcGeVector3d::kZAxis, 5.0)));
    const ZcDbObjectIdArray pieces = SplitPolylineAt(id, {0, 9, 0});
    ASSERT_EQ(pieces.length(), 1);
    const ZcDbPolyline* opened = polylineOf(id);
    EXPECT_FALSE(opened->isClosed());
    expectVertices(id, {{0, 5, kHalfOfHalf}, {-5, 0, 1.0}, {5, 0, kHalfOfHalf}, {0, 5, 0}});
    EXPECT_NEAR(lengthOf(opened), 10 * M_PI, 1e-9);
    // A second cut now gives the two ways round.
    const ZcDbObjectIdArray halves = SplitPolylineAt(id, {0, -9, 0});
    ASSERT_EQ(halves.length(), 2);
    expectVertices(halves[1], {{0, 5, kHalfOfHalf}, {-5, 0, kHalfOfHalf}, {0, -5, 0}});
    expectVertices(halves[0], {{0, -5, kHalfOfHalf}, {5, 0, kHalfOfHalf}, {0, 5, 0}});
    EXPECT_EQ(drawing.openCount(), 0u);
}

TEST(PointOnSegment, AnArcHoldsOnlyThePointsOfItsSweep)
{
    const ZcGePoint2d a(5, 0), b(0, 5);  // quarter circle about the origin, counter-clockwise
    const double ccw = kHalfOfHalf;
    EXPECT_TRUE(PointOnSegment({5 * M_SQRT1_2, 5 * M_SQRT1_2}, a, b, ccw));
    EXPECT_FALSE(PointOnSegment({-5 * M_SQRT1_2, -5 * M_SQRT1_2}, a, b, ccw)) << "same circle, outside the sweep";
    EXPECT_FALSE(PointOnSegment({5 * M_SQRT1_2, 5 * M_SQRT1_2}, a, b, -ccw)) << "the clockwise arc goes the other way";
    EXPECT_TRUE(PointOnSegment({-5 * M_SQRT1_2, -5 * M_SQRT1_2}, a, b, -1.0 / ccw));
    EXPECT_FALSE(PointOnSegment({5 * M_SQRT1_2 + 0.002, 5 * M_SQRT1_2}, a, b, ccw)) << "off the circle";
    EXPECT_TRUE(PointOnSegment({2, 0.00005}, {0, 0}, {10, 0}, 0));
    EXPECT_FALSE(PointOnSegment({2, 0.0002}, {0, 0}, {10, 0}, 0));
    EXPECT_FALSE(PointOnSegment({12, 0}, {0, 0}, {10, 0}, 0));
}

// Random open polylines of lines and arcs cut at a random point of them:
// the two parts add up to the whole and meet at the point.
TEST(SplitPolylineAt, PartsAddUpToTheWholeAndMeetAtTheCut)
{
    std::mt19937 random(16);
    std::uniform_real_distribution<double> coordinate(-50, 50), bulge(-2.5, 2.5), where(0.02, 0.98);
    for (int round = 0; round < 300; ++round) {
        TestDrawing drawing;
        std::vector<V> vertices;
        const int n = 2 + int(random() % 12);
        for (int i = 0; i < n; ++i)
            vertices.push_back({coordinate(random), coordinate(random), random() % 3 == 0 ? 0.0 : bulge(random)});
        const bool closed = round % 4 == 0;
        const ZcDbObjectId id = drawing.append(makePolyline(vertices, closed));
        const double whole = lengthOf(polylineOf(id));
        ZcGePoint3d start, end, at;
        polylineOf(id)->getStartPoint(start);
        polylineOf(id)->getEndPoint(end);
        double endParam = 0;
        polylineOf(id)->getEndParam(endParam);
        polylineOf(id)->getPointAtParam(where(random) * endParam, at);
        const ZcDbObjectIdArray pieces = SplitPolylineAt(id, at);
        ASSERT_EQ(drawing.openCount(), 0u);
        if (closed) {
            ASSERT_EQ(pieces.length(), 1);
            const ZcDbPolyline* opened = polylineOf(id);
            ZcGePoint3d s, e;
            opened->getStartPoint(s);
            opened->getEndPoint(e);
            EXPECT_NEAR(lengthOf(opened), whole, 1e-7 * whole) << "round " << round;
            EXPECT_LT(s.distanceTo(e), 1e-9);
            continue;
        }
        if (at.distanceTo(start) < kCurveEndTolerance || at.distanceTo(end) < kCurveEndTolerance)
            continue;
        ASSERT_EQ(pieces.length(), 2) << "round " << round;
        const ZcDbPolyline* after = polylineOf(pieces[0]);
        const ZcDbPolyline* before = polylineOf(pieces[1]);
        EXPECT_NEAR(lengthOf(after) + lengthOf(before), whole, 1e-7 * whole) << "round " << round;
        ZcGePoint3d bs, be, as, ae;
        before->getStartPoint(bs);
        before->getEndPoint(be);
        after->getStartPoint(as);
        after->getEndPoint(ae);
        EXPECT_LT(bs.distanceTo(start), 1e-9);
        EXPECT_LT(be.distanceTo(as), 1e-9) << "the parts meet";
        EXPECT_LT(as.distanceTo(at), 1e-6) << "at the cut";
        EXPECT_LT(ae.distanceTo(end), 1e-9);
    }
}
