#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "console/window/ViewMapping.h"

using platform::UserCoordinateSystem;

namespace {

struct MappingCase {
    const char* name;
    double scale;
    ZcGePoint2d centre;
    ZcGePoint3d ucsOrigin;
    double ucsDegrees;
    ZcGePoint3d userPoint;  // a point of the user system
    QPointF pixel;          // where it shows in an 800 x 600 view
};

class PixelMapping : public testing::TestWithParam<MappingCase> {};

ViewMapping viewOf(const MappingCase& c)
{
    ViewMapping view;
    view.scale = c.scale;
    view.centre = c.centre;
    view.width = 800;
    view.height = 600;
    return view;
}

UserCoordinateSystem ucsOf(const MappingCase& c) { return {c.ucsOrigin, c.ucsDegrees * M_PI / 180.0}; }

}  // namespace

// Worked cases: the view's centre is the middle pixel, y grows upwards in
// the drawing and downwards on screen, and the user system turns with it.
TEST_P(PixelMapping, PointShowsAtItsPixelAndAClickThereGivesItBack)
{
    const MappingCase& c = GetParam();
    const QPointF pixel = pixelOfUserPoint(viewOf(c), ucsOf(c), c.userPoint);
    EXPECT_NEAR(pixel.x(), c.pixel.x(), 1e-9);
    EXPECT_NEAR(pixel.y(), c.pixel.y(), 1e-9);
    const ZcGePoint3d back = clickedPoint(viewOf(c), ucsOf(c), pixel);
    EXPECT_EQ(back.x, c.userPoint.x);
    EXPECT_EQ(back.y, c.userPoint.y);
}

INSTANTIATE_TEST_SUITE_P(
    ZoomsAndUserSystems, PixelMapping,
    testing::Values(
        MappingCase{"world_1px", 1.0, {0, 0}, {0, 0, 0}, 0.0, {10, 20, 0}, {410, 280}},
        MappingCase{"world_zoomed_in", 50.0, {100, 40}, {0, 0, 0}, 0.0, {101, 39.5, 0}, {450, 325}},
        MappingCase{"world_zoomed_out", 0.01, {5000, 5000}, {0, 0, 0}, 0.0, {0, 0, 0}, {350, 350}},
        MappingCase{"ucs_moved", 2.0, {0, 0}, {100, 50, 0}, 0.0, {-100, -50, 0}, {400, 300}},
        MappingCase{"ucs_turned_90", 10.0, {0, 0}, {0, 0, 0}, 90.0, {1, 0, 0}, {400, 290}},
        MappingCase{"ucs_moved_and_turned", 4.0, {125.5, 40}, {125.5, 40, 0}, 30.0, {0, 0, 0}, {400, 300}},
        MappingCase{
            "national_grid", 20.0, {5560000.25, 7480000.5}, {5560000, 7480000, 0}, 0.0, {0.25, 0.5, 0}, {400, 300}}),
    [](const auto& test) { return std::string(test.param.name); });

// Over random views and user systems: a point with no more decimals than
// the click grid holds comes back exactly from the pixel it shows at, and
// zooming keeps the point under the cursor where it was.
TEST(PixelMappingInvariants, RandomViewsGiveClickedPointsBackAndZoomAboutTheCursor)
{
    std::mt19937 random(28);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < 2000; ++i) {
        ViewMapping view;
        view.scale = std::pow(10.0, -2.0 + 5.0 * unit(random));
        view.centre = {(unit(random) - 0.5) * 2e6, (unit(random) - 0.5) * 2e6};
        view.width = 640 + int(unit(random) * 1000);
        view.height = 480 + int(unit(random) * 600);
        const UserCoordinateSystem ucs{{(unit(random) - 0.5) * 1e4, (unit(random) - 0.5) * 1e4, 0.0},
                                       unit(random) * 2 * M_PI};
        const QPointF pixel(unit(random) * view.width, unit(random) * view.height);

        const ZcGePoint3d clicked = clickedPoint(view, ucs, pixel);
        ASSERT_EQ(clickedPoint(view, ucs, pixelOfUserPoint(view, ucs, clicked)).x, clicked.x) << i;
        ASSERT_EQ(clickedPoint(view, ucs, pixelOfUserPoint(view, ucs, clicked)).y, clicked.y) << i;
        // The grid is finer than a pixel: the click lands within it.
        const QPointF shown = pixelOfUserPoint(view, ucs, clicked);
        ASSERT_LT(std::hypot(shown.x() - pixel.x(), shown.y() - pixel.y()), 0.01) << i;

        const ZcGePoint2d under = view.toWorld(pixel);
        const ViewMapping zoomed = view.zoomedAbout(pixel, 0.5 + 3.0 * unit(random));
        const ZcGePoint2d stillUnder = zoomed.toWorld(pixel);
        ASSERT_NEAR(stillUnder.x, under.x, 1e-6 / view.scale + 1e-9 * std::abs(under.x)) << i;
        ASSERT_NEAR(stillUnder.y, under.y, 1e-6 / view.scale + 1e-9 * std::abs(under.y)) << i;

        const QPointF move(unit(random) * 100 - 50, unit(random) * 100 - 50);
        const ZcGePoint2d dragged = view.panned(move).toWorld(pixel + move);
        ASSERT_NEAR(dragged.x, under.x, 1e-6 / view.scale + 1e-9 * std::abs(under.x)) << i;
        ASSERT_NEAR(dragged.y, under.y, 1e-6 / view.scale + 1e-9 * std::abs(under.y)) << i;
    }
}

TEST(PixelMappingInvariants, ExtentsFitInsideTheView)
{
    ZcDbExtents extents({-10, 5, 0}, {290, 25, 0});
    const ViewMapping view = ViewMapping::fitting(extents, 800, 600);
    for (const ZcGePoint3d& corner : {extents.minPoint(), extents.maxPoint()}) {
        const QPointF pixel = view.toPixel({corner.x, corner.y});
        EXPECT_GE(pixel.x(), 0.0);
        EXPECT_LE(pixel.x(), 800.0);
        EXPECT_GE(pixel.y(), 0.0);
        EXPECT_LE(pixel.y(), 600.0);
    }
    // An empty drawing and a single point still get a finite view.
    for (const ZcDbExtents& degenerate : {ZcDbExtents(), ZcDbExtents({3, 3, 0}, {3, 3, 0})}) {
        const ViewMapping fitted = ViewMapping::fitting(degenerate, 800, 600);
        EXPECT_TRUE(std::isfinite(fitted.scale));
        EXPECT_GE(fitted.scale, kMinViewScale);
        EXPECT_LE(fitted.scale, kMaxViewScale);
    }
}
