#include <gtest/gtest.h>

#include <cmath>

#include "ZcDbArc.h"
#include "ZcDbCircle.h"
#include "ZcDbLine.h"
#include "ZcDbObjectPointer.h"
#include "console/window/ObjectSnap.h"
#include "tests/window/WindowDrawing.h"

namespace {

struct SnapCase {
    const char* name;
    ZcGePoint2d cursor;
    std::optional<SnapKind> kind;  // nothing: no snap
    ZcGePoint2d point;
};

// A line from (0,0) to (10,0), a half arc of radius 5 about (20,0) from
// (25,0) to (15,0), a circle of radius 3 about (40,0), and a short arc of
// radius 50 about (100,0) near (100,50), far from its centre.
class ObjectSnaps : public testing::TestWithParam<SnapCase> {
protected:
    void SetUp() override
    {
        drawing.append(new ZcDbLine({0, 0, 0}, {10, 0, 0}));
        drawing.append(new ZcDbArc({20, 0, 0}, 5.0, 0.0, M_PI));
        drawing.append(new ZcDbCircle({40, 0, 0}, {0, 0, 1}, 3.0));
        drawing.append(new ZcDbArc({100, 0, 0}, 50.0, 1.5, 1.6));
        pieces.rebuild(drawing.db());
    }

    WindowDrawing drawing;
    SnapPieces pieces;
};

}  // namespace

TEST_P(ObjectSnaps, FindTheirPointsWithinTheAperture)
{
    const SnapCase& c = GetParam();
    const auto snap = findSnap(pieces, drawing.db(), c.cursor, 1.0);
    ASSERT_EQ(snap.has_value(), c.kind.has_value());
    if (!snap)
        return;
    EXPECT_EQ(snap->kind, *c.kind);
    EXPECT_NEAR(snap->point.x, c.point.x, 1e-9);
    EXPECT_NEAR(snap->point.y, c.point.y, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    EndMiddleCentreNearest, ObjectSnaps,
    testing::Values(SnapCase{"line_start", {0.2, 0.1}, SnapKind::End, {0, 0}},
                    SnapCase{"line_end", {9.6, -0.5}, SnapKind::End, {10, 0}},
                    SnapCase{"line_middle", {5.1, 0.2}, SnapKind::Middle, {5, 0}},
                    SnapCase{"line_nearest", {7.3, 0.4}, SnapKind::Nearest, {7.3, 0}},
                    SnapCase{"arc_end", {15.3, 0.3}, SnapKind::End, {15, 0}},
                    SnapCase{"arc_middle", {20.2, 5.3}, SnapKind::Middle, {20, 5}},
                    SnapCase{"arc_centre_away_from_the_arc", {20.3, 0.2}, SnapKind::Centre, {20, 0}},
                    SnapCase{"arc_nearest",
                             {20 + 5.4 * std::cos(1.0), 5.4 * std::sin(1.0)},
                             SnapKind::Nearest,
                             {20 + 5 * std::cos(1.0), 5 * std::sin(1.0)}},
                    SnapCase{"circle_centre", {40.5, 0.5}, SnapKind::Centre, {40, 0}},
                    SnapCase{"circle_nearest", {40.0, 3.4}, SnapKind::Nearest, {40, 3}},
                    SnapCase{"short_arc_centre_far_from_its_box", {100.4, -0.3}, SnapKind::Centre, {100, 0}},
                    SnapCase{"nothing_near", {30, 10}, std::nullopt, {0, 0}}),
    [](const auto& test) { return std::string(test.param.name); });

// Wherever the cursor is, a snap is within the aperture of it and lies on
// what is drawn or at an arc's centre.
TEST_F(ObjectSnaps, SnapsAreNeverFartherThanTheAperture)
{
    for (double x = -2; x <= 105; x += 0.37)
        for (double y = -6; y <= 6; y += 0.41) {
            const auto snap = findSnap(pieces, drawing.db(), {x, y}, 1.0);
            if (snap) {
                ASSERT_LE(std::hypot(snap->point.x - x, snap->point.y - y), 1.0 + 1e-12) << x << "," << y;
            }
        }
}

// Snaps follow the drawing as it changes: a moved line snaps where it is
// now, not where it was, once the scene is built again.
TEST_F(ObjectSnaps, FollowAMovedEntity)
{
    const ZcDbObjectId moved = drawing.append(new ZcDbLine({0, 20, 0}, {10, 20, 0}));
    pieces.rebuild(drawing.db());
    ASSERT_TRUE(findSnap(pieces, drawing.db(), {0.1, 20.1}, 1.0));
    {
        ZcDbObjectPointer<ZcDbLine> line(moved, ZcDb::kForWrite);
        ASSERT_EQ(line.openStatus(), Zcad::eOk);
        line->setStartPoint({200, 20, 0});
        line->setEndPoint({210, 20, 0});
    }
    pieces.rebuild(drawing.db());
    EXPECT_FALSE(findSnap(pieces, drawing.db(), {0.1, 20.1}, 1.0));
    const auto snap = findSnap(pieces, drawing.db(), {209.8, 20.3}, 1.0);
    ASSERT_TRUE(snap);
    EXPECT_EQ(snap->kind, SnapKind::End);
    EXPECT_EQ(snap->point.x, 210.0);
}
