// Where a linetype's pattern puts ink along a curve, and the area a wide
// polyline covers: the geometry pictures are made of.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "platform/render/DashPattern.h"
#include "platform/render/WideOutline.h"

using namespace platform;

namespace {

using Runs = std::vector<std::pair<double, double>>;

Runs runsOf(double length, std::vector<double> elements, double minPattern = 0.0)
{
    Runs out;
    for (const DashRun& r : dashRuns(length, DashPattern{std::move(elements)}, minPattern))
        out.emplace_back(r.from, r.to);
    return out;
}

double area(const Contour& c)
{
    const ZcGePoint2d ref = c.pieces.front().start;
    double a = 0.0;
    for (const curve::Piece& p : c.pieces)
        a += curve::areaTerm(p, ref);
    return a;
}

double totalArea(const std::vector<Contour>& contours)
{
    double a = 0.0;
    for (const Contour& c : contours)
        a += area(c);
    return a;
}

TEST(DashRuns, PatternRepeatsFromTheStartAndIsCutAtTheEnd)
{
    EXPECT_EQ(runsOf(10, {2, -1}), (Runs{{0, 2}, {3, 5}, {6, 8}, {9, 10}}));
    // A pattern that opens with a gap.
    EXPECT_EQ(runsOf(7, {-1, 2}), (Runs{{1, 3}, {4, 6}}));
}

TEST(DashRuns, DashesThatTouchAreOneAndDotsArePoints)
{
    // The last dash of one repetition runs into the first of the next.
    EXPECT_EQ(runsOf(7, {1, -1, 1}), (Runs{{0, 1}, {2, 4}, {5, 7}}));
    EXPECT_EQ(runsOf(3.5, {0, -1}), (Runs{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
    // A dot straight after a dash belongs to it.
    EXPECT_EQ(runsOf(5, {2, 0, -1}), (Runs{{0, 2}, {3, 5}}));
}

TEST(DashRuns, ContinuousWhenTooShortTooFineOrWithoutGaps)
{
    EXPECT_EQ(runsOf(2.5, {2, -1}), (Runs{{0, 2.5}})) << "shorter than one repetition";
    EXPECT_EQ(runsOf(10, {2, -1}, 5.0), (Runs{{0, 10}})) << "finer than the picture shows";
    EXPECT_EQ(runsOf(10, {2, 0}), (Runs{{0, 10}})) << "no gaps";
    EXPECT_EQ(runsOf(10, {}), (Runs{{0, 10}}));
    EXPECT_EQ(runsOf(kMaxDashRepeats * 3.0 + 3.0, {2, -1}).size(), 1u) << "too many repetitions";
}

TEST(DashRuns, InkAddsUpToTheDashShareOfTheLength)
{
    // Whole repetitions: two thirds ink.
    double ink = 0.0;
    for (const auto& [from, to] : runsOf(300, {1.5, -0.25, 0.5, -0.75}))
        ink += to - from;
    EXPECT_NEAR(ink, 300.0 * 2.0 / 3.0, 1e-9);
}

TEST(DashRuns, PiecesBetweenDistancesFollowTheCurve)
{
    const std::vector<curve::Piece> pieces = {
        curve::linePiece({0, 0}, {4, 0}),
        curve::arcPiece({4, 2}, 2.0, -std::numbers::pi / 2, std::numbers::pi),  // half circle up to (4, 4)
    };
    const std::vector<double> at = cumulativeLengths(pieces);
    ASSERT_EQ(at.size(), 3u);
    EXPECT_NEAR(at[2], 4.0 + 2.0 * std::numbers::pi, 1e-12);
    // From 3 (on the line) to 4 + pi (the top of the half circle's middle).
    const std::vector<curve::Piece> part = piecesBetween(pieces, at, 3.0, 4.0 + std::numbers::pi);
    ASSERT_EQ(part.size(), 2u);
    EXPECT_TRUE(part[0].start.isEqualTo({3, 0}));
    EXPECT_TRUE(part[0].end.isEqualTo({4, 0}));
    EXPECT_TRUE(part[1].arc);
    EXPECT_TRUE(part[1].end.isEqualTo({6, 2}, 1e-12));
    EXPECT_NEAR(part[1].sweep, std::numbers::pi / 2, 1e-12);
    // A dot is one point.
    const std::vector<curve::Piece> dot = piecesBetween(pieces, at, 1.0, 1.0);
    ASSERT_EQ(dot.size(), 1u);
    EXPECT_TRUE(dot[0].start.isEqualTo({1, 0}));
    EXPECT_TRUE(dot[0].end.isEqualTo({1, 0}));
}

TEST(WideOutline, StraightAndTaperedSegmentsCoverLengthTimesMeanWidth)
{
    const WideSegment constant{curve::linePiece({0, 0}, {10, 0}), 2.0, 2.0};
    EXPECT_NEAR(totalArea(wideOutline({constant}, false)), 20.0, 1e-9);
    const WideSegment taper{curve::linePiece({0, 0}, {0, 10}), 0.0, 4.0};
    EXPECT_NEAR(totalArea(wideOutline({taper}, false)), 20.0, 1e-9);
}

TEST(WideOutline, ArcSegmentIsARingSector)
{
    const double r = 5.0, w = 1.0, sweep = -std::numbers::pi / 3;
    const WideSegment arc{curve::arcPiece({0, 0}, r, 1.0, sweep), w, w};
    const std::vector<Contour> ring = wideOutline({arc}, false);
    ASSERT_EQ(ring.size(), 1u);
    EXPECT_NEAR(area(ring[0]), std::fabs(sweep) * r * w, 1e-9);
    // Tapered, it is sampled: close to the mean width.
    const WideSegment tapered{curve::arcPiece({0, 0}, r, 0.0, std::numbers::pi), 0.0, 2.0};
    EXPECT_NEAR(totalArea(wideOutline({tapered}, false)), std::numbers::pi * r * 1.0, 0.01);
}

TEST(WideOutline, EveryOutlineTurnsCounterClockwiseSoOverlapsNeverCancel)
{
    // Clockwise square, turning right at each corner.
    std::vector<WideSegment> chain;
    const ZcGePoint2d corners[] = {{0, 0}, {0, 10}, {10, 10}, {10, 0}};
    for (int i = 0; i < 4; ++i)
        chain.push_back({curve::linePiece(corners[i], corners[(i + 1) % 4]), 1.0, 1.0});
    const std::vector<Contour> outline = wideOutline(chain, true);
    ASSERT_EQ(outline.size(), 8u) << "four segments and four corner wedges";
    for (const Contour& c : outline)
        EXPECT_GT(area(c), 0.0);
    // The corner wedges are the squares of half the width outside each corner.
    for (size_t i = 4; i < 8; ++i)
        EXPECT_NEAR(area(outline[i]), 0.25, 1e-9);
}

TEST(WideOutline, SharpTurnIsBevelledNotSpiked)
{
    // Nearly doubling back: a mitre would reach far beyond the line.
    const std::vector<WideSegment> chain = {
        {curve::linePiece({0, 0}, {10, 0}), 1.0, 1.0},
        {curve::linePiece({10, 0}, {0, 0.2}), 1.0, 1.0},
    };
    const std::vector<Contour> outline = wideOutline(chain, false);
    ASSERT_EQ(outline.size(), 3u);
    for (const curve::Piece& p : outline[2].pieces)
        EXPECT_LT(p.start.distanceTo({10, 0}), kMitreLimit * 0.5 + 1e-9);
    EXPECT_EQ(outline[2].pieces.size(), 3u) << "a triangle: the bevel";
}

TEST(WideOutline, ZeroLengthSegmentsAreSkippedAndTheirNeighboursJoined)
{
    const std::vector<WideSegment> chain = {
        {curve::linePiece({0, 0}, {10, 0}), 1.0, 1.0},
        {curve::linePiece({10, 0}, {10, 0}), 1.0, 1.0},
        {curve::linePiece({10, 0}, {10, 10}), 1.0, 1.0},
    };
    const std::vector<Contour> outline = wideOutline(chain, false);
    ASSERT_EQ(outline.size(), 3u);
    EXPECT_NEAR(area(outline[2]), 0.25, 1e-9);
}

}  // namespace
