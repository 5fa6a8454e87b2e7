// Patterned hatches drawn: each family of lines inside the loops (holes
// left empty), dashed from each line's own origin, and nothing outside;
// patterns that cannot be laid out fall back to the boundary, say so once
// and never hang.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <random>

#include "platform/db/ObjectAccess.h"
#include "platform/render/HatchPattern.h"
#include "tests/platform/render/RenderDrawing.h"

using namespace platform;

namespace {

constexpr double kHatchRes = 10.0;  // pixels per unit: half a unit is five pixels

// A square of 10 with a hole of 2 in its middle, in red.
ZcDbHatch* squareWithHole()
{
    ZcDbHatch* h = solidHatch(1, {box(0, 0, 10, 10), box(4, 4, 6, 6)});
    EXPECT_EQ(h->setPattern(ZcDbHatch::kUserDefined, "_USER"), Zcad::eOk);
    return h;
}

ZcDbHatch::PatternLine lineOf(double degrees, ZcGePoint2d base, ZcGeVector2d offset, std::vector<double> dashes = {})
{
    return {degrees * std::numbers::pi / 180.0, base, offset, std::move(dashes)};
}

std::optional<RasterPicture> pictureOf(RenderDrawing& d, std::vector<std::string>& notices)
{
    PictureSettings settings;
    settings.resolution = kHatchRes;
    std::string error;
    std::optional<RasterPicture> p = rasterPicture(d.db(), settings, error, &notices);
    EXPECT_TRUE(p) << error;
    return p;
}

struct PatternCase {
    const char* name;
    std::function<void(ZcDbHatch*)> make;
    std::vector<ZcGePoint2d> onLines;   // inside the area, on a line or dash
    std::vector<ZcGePoint2d> offLines;  // inside the area between lines or in a gap
};

const PatternCase kPatterns[] = {
    {"Horizontal",
     [](ZcDbHatch* h) { EXPECT_EQ(h->setPatternScale(1.0), Zcad::eOk); },
     {{2, 3}, {8, 7}, {5, 3}},
     {{2, 3.5}, {8, 6.5}}},
    // Like ANSI31: one family at 45 degrees.
    {"Diagonal",
     [](ZcDbHatch* h) {
         EXPECT_EQ(h->setPatternAngle(std::numbers::pi / 4.0), Zcad::eOk);
         EXPECT_EQ(h->setPatternScale(1.0), Zcad::eOk);
     },
     {{3, 3}, {1, 1 + std::sqrt(2.0)}},
     {{3, 3 + std::sqrt(2.0) / 2.0}}},
    {"Cross",
     [](ZcDbHatch* h) {
         EXPECT_EQ(h->setPatternScale(2.0), Zcad::eOk);
         EXPECT_EQ(h->setPatternDouble(true), Zcad::eOk);
     },
     {{1, 2}, {2, 1}, {8, 7}},
     {{1, 1}, {3, 3}}},
    // Dash 1, gap 1, each line's origin half a unit along from the last one's.
    {"DashedAndShifted",
     [](ZcDbHatch* h) {
         ZcDbObjectAccess::hatchPatternLines(h) = {lineOf(0, {0, 0}, {0.5, 1}, {1, -1})};
     },
     {{2, 3}, {1.5, 2}, {1, 1}},
     {{3, 3}, {0.5, 2}, {2, 1}}},
};

class PatternPicture : public ::testing::TestWithParam<PatternCase> {};

}  // namespace

TEST_P(PatternPicture, InkAlongTheLinesInsideAndNoneOutsideOrInTheHole)
{
    RenderDrawing d;
    // The frame decides the picture's framing, well away from the hatch.
    d.append(polylineThrough({{-5, -5}, {15, -5}, {15, 15}, {-5, 15}}, true));
    ZcDbHatch* h = squareWithHole();
    GetParam().make(h);
    d.append(h);
    std::vector<std::string> notices;
    const std::optional<RasterPicture> p = pictureOf(d, notices);
    ASSERT_TRUE(p);
    EXPECT_TRUE(notices.empty()) << notices.front();
    for (const ZcGePoint2d& at : GetParam().onLines)
        EXPECT_TRUE(showsInk(*p, at.x, at.y, kRed, kWhite)) << "no line at " << at.x << "," << at.y;
    for (const ZcGePoint2d& at : GetParam().offLines)
        EXPECT_TRUE(blankAround(*p, at.x, at.y, kWhite)) << "ink at " << at.x << "," << at.y;
    // Nothing in the hole, nothing outside the square, no boundary drawn.
    const ZcDbExtents hole = inkBox(*p, kWhite, 4.3, 4.3, 5.7, 5.7);
    EXPECT_TRUE(hole.isEmpty()) << "ink in the hole";
    for (const auto& [x0, y0, x1, y1] : {std::array{0.3, 10.3, 14.5, 14.5}, std::array{10.3, -4.5, 14.5, 14.5},
                                         std::array{-4.5, -4.5, -0.3, 14.5}, std::array{-4.5, -4.5, 14.5, -0.3}})
        EXPECT_TRUE(inkBox(*p, kWhite, x0, y0, x1, y1).isEmpty()) << "ink outside near " << x0 << "," << y0;
}

INSTANTIATE_TEST_SUITE_P(Patterns, PatternPicture, ::testing::ValuesIn(kPatterns),
                         [](const auto& named) { return std::string(named.param.name); });

namespace {

struct BadCase {
    const char* name;
    std::vector<ZcDbHatch::PatternLine> lines;
    const char* notice;  // a word of the one notice
};

const BadCase kBad[] = {
    {"ZeroOffset", {lineOf(0, {0, 0}, {0, 0})}, "no spacing"},
    {"OffsetAlongTheLine",
     {lineOf(30, {0, 0}, {std::cos(std::numbers::pi / 6), std::sin(std::numbers::pi / 6)})},
     "no spacing"},
    {"MicronSpacing", {lineOf(0, {0, 0}, {0, 1e-6})}, "too fine"},
    {"FarOriginTinySpacing", {lineOf(0, {0, 1e90}, {0, 1e-80})}, "too fine"},
};

class BadPattern : public ::testing::TestWithParam<BadCase> {};

}  // namespace

TEST_P(BadPattern, DrawsTheBoundaryOnceSaidAndNothingElse)
{
    RenderDrawing d;
    for (double x : {0.0, 20.0}) {
        ZcDbHatch* h = solidHatch(1, {box(x, 0, x + 10, 10)});
        ASSERT_EQ(h->setPattern(ZcDbHatch::kCustomDefined, "ODD"), Zcad::eOk);
        ZcDbObjectAccess::hatchPatternLines(h) = GetParam().lines;
        d.append(h);
    }
    std::vector<std::string> notices;
    const std::optional<RasterPicture> p = pictureOf(d, notices);
    ASSERT_TRUE(p);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find(GetParam().notice), std::string::npos) << notices[0];
    EXPECT_TRUE(showsInk(*p, 0, 5, kRed, kWhite)) << "the boundary";
    EXPECT_TRUE(blankAround(*p, 5, 5, kWhite)) << "nothing inside";
}

INSTANTIATE_TEST_SUITE_P(Patterns, BadPattern, ::testing::ValuesIn(kBad),
                         [](const auto& named) { return std::string(named.param.name); });

// Dashes finer than the picture shows are drawn whole; counted without that
// limit, too many of them are refused before they are made.
TEST(HatchPatternModel, DustDashesAreRefusedBeforeTheyAreMade)
{
    ZcDbHatch* h = solidHatch(1, {box(0, 0.5, 10, 10)});
    ZcDbObjectAccess::hatchPatternLines(h) = {lineOf(0, {0, 0}, {0, 1}, {1e-6, -1e-6})};
    EXPECT_EQ(patternStrokes(h->patternLines(), hatchArea(*h), 0.0).outcome, PatternStrokes::Outcome::TooMany);
    const PatternStrokes whole = patternStrokes(h->patternLines(), hatchArea(*h), 0.01);
    EXPECT_EQ(whole.outcome, PatternStrokes::Outcome::Drawn);
    EXPECT_EQ(whole.strokes.size(), 9u) << "lines y = 1 ... 9, each one stroke; y = 10 runs along the boundary";
    delete h;
}

TEST(HatchPatternModel, NumbersADrawingCannotHoldAreRefusedAndChangeNothing)
{
    ZcDbHatch* h = squareWithHole();
    ASSERT_EQ(h->setPatternScale(2.0), Zcad::eOk);
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(h->setPatternAngle(nan), Zcad::eInvalidInput);
    EXPECT_EQ(h->setPatternAngle(inf), Zcad::eInvalidInput);
    for (double scale : {nan, inf, 0.0, -1.0})
        EXPECT_EQ(h->setPatternScale(scale), Zcad::eInvalidInput) << scale;
    EXPECT_EQ(h->appendSeedPoint({nan, 0}), Zcad::eInvalidInput);
    EXPECT_EQ(h->patternScale(), 2.0);
    EXPECT_EQ(h->patternAngle(), 0.0);
    EXPECT_EQ(h->numSeedPoints(), 0);
    double angle = 0, bx = 0, by = 0, ox = 0, oy = 0;
    ZcGeDoubleArray dashes;
    ASSERT_EQ(h->numPatternDefinitions(), 1);
    ASSERT_EQ(h->getPatternDefinitionAt(0, angle, bx, by, ox, oy, dashes), Zcad::eOk);
    EXPECT_EQ(oy, 2.0);
    EXPECT_EQ(h->getPatternDefinitionAt(1, angle, bx, by, ox, oy, dashes), Zcad::eInvalidIndex);
    delete h;
}

// Turning, scaling and moving a hatch moves its pattern with it: the
// strokes of the moved hatch are the moved strokes of the original.
TEST(HatchPatternModel, StrokesFollowTheHatchThroughAnyConformalMove)
{
    std::mt19937 random(19);
    std::uniform_real_distribution<double> any(-1.0, 1.0);
    for (int trial = 0; trial < 20; ++trial) {
        ZcDbHatch* h = solidHatch(1, {box(0, 0, 10, 10), box(4, 4, 6, 6)});
        ASSERT_EQ(h->setPattern(ZcDbHatch::kCustomDefined, "MIX"), Zcad::eOk);
        ZcDbObjectAccess::hatchPatternLines(h) = {lineOf(30, {0.2137, 0.1173}, {-0.3, 0.9}, {0.7, -0.2, 0, -0.2}),
                                                  lineOf(-60, {0.0517, 0.0311}, {0.8, 0.6})};
        const double turn = 3.0 * any(random), scale = 1.0 + 0.9 * any(random);
        ZcGeMatrix3d move = ZcGeMatrix3d::translation({40 * any(random), 40 * any(random), 0}) *
                            ZcGeMatrix3d::rotation(turn, ZcGeVector3d::kZAxis, ZcGePoint3d::kOrigin) *
                            ZcGeMatrix3d::scaling(scale, ZcGePoint3d::kOrigin);
        if (trial % 2 == 1)
            move = move * ZcGeMatrix3d::mirroring(ZcGePoint3d::kOrigin, ZcGeVector3d::kXAxis);
        const PatternStrokes before = patternStrokes(h->patternLines(), hatchArea(*h), 0.0);
        ASSERT_EQ(h->transformBy(move), Zcad::eOk);
        const PatternStrokes after = patternStrokes(h->patternLines(), hatchArea(*h), 0.0);
        ASSERT_EQ(before.outcome, PatternStrokes::Outcome::Drawn);
        ASSERT_GT(before.strokes.size(), 100u);
        // The bases keep dots and line ends off the corners, where rounding decides.
        const auto total = [](const PatternStrokes& s) {
            double sum = 0.0;
            for (const Contour& c : s.strokes)
                sum += curve::length(c.pieces.front());
            return sum;
        };
        EXPECT_NEAR(total(after), total(before) * scale, 1e-6 * total(before) * scale) << trial;
        EXPECT_EQ(after.strokes.size(), before.strokes.size()) << trial;
        for (size_t i = 0; i < before.strokes.size(); i += 7) {
            const ZcGePoint3d moved = move * ZcGePoint3d(before.strokes[i].pieces.front().start.x,
                                                         before.strokes[i].pieces.front().start.y, 0.0);
            const bool found = std::any_of(after.strokes.begin(), after.strokes.end(), [&](const Contour& c) {
                return c.pieces.front().start.distanceTo(moved.convert2d()) < 1e-6 ||
                       c.pieces.front().end.distanceTo(moved.convert2d()) < 1e-6;
            });
            EXPECT_TRUE(found) << "trial " << trial << " stroke " << i;
        }
        delete h;
    }
}
