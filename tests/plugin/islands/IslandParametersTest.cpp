// The island's parameters: the dialog's starting values, what a change of
// kind writes, and how the skew text reads.

#include <gtest/gtest.h>

#include <cmath>

#include "islands/IslandParameters.h"
#include "islands/SkewText.h"

TEST(IslandParameters, StartWithTheDialogsDefaults)
{
    const IslandParameters p;
    const double values[] = {p.R, p.S, p.L, p.Sw, p.Su, p.Sd, p.R1, p.R3, p.Ru, p.Rw, p.Ru1, p.Rw1, p.L1, p.L2};
    const double expected[] = {20.0, 4.0, 15.0, 3.75, 4.5, 7.0, 0.5, 0.5, 15.0, 12.0, 80.0, 50.0, 0.0, 0.0};
    for (size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(values[i], expected[i]) << i;
    EXPECT_EQ(p.A, "1:10");
}

TEST(IslandParameters, KindChangesWriteTheirValuesAndLeaveTheRest)
{
    IslandParameters p;
    p.R = 33.0;
    p.A = "1:7";
    applyKindValues(p, IslandKind::kParallel);
    EXPECT_EQ(p.S, 2.5);
    EXPECT_EQ(p.Sw, 3.5);
    EXPECT_EQ(p.Su, 4.0);
    EXPECT_EQ(p.Rw, 8.0);
    EXPECT_EQ(p.Ru, 10.0);
    EXPECT_EQ(p.Rw1, 50.0);
    EXPECT_EQ(p.Ru1, 50.0);
    EXPECT_EQ(p.L1, 2.5);
    EXPECT_EQ(p.L2, 4.0);
    EXPECT_EQ(p.R, 33.0);
    EXPECT_EQ(p.A, "1:7");

    // Back to triangular: the break radii stay at the parallel kind's 50.
    applyKindValues(p, IslandKind::kTriangular);
    EXPECT_EQ(p.S, 4.0);
    EXPECT_EQ(p.Sw, 3.75);
    EXPECT_EQ(p.Su, 4.5);
    EXPECT_EQ(p.Rw, 12.0);
    EXPECT_EQ(p.Ru, 15.0);
    EXPECT_EQ(p.L1, 0.0);
    EXPECT_EQ(p.L2, 0.0);
    EXPECT_EQ(p.Rw1, 50.0);
    EXPECT_EQ(p.Ru1, 50.0);
    EXPECT_EQ(p.R, 33.0);
}

TEST(SkewText, ReadsEachSideAsAtofDoes)
{
    EXPECT_NEAR(*ReadSkewAngle("1:10"), std::atan(0.1), 1e-15);
    EXPECT_NEAR(*ReadSkewAngle("  1.5 :\t10m"), std::atan(0.15), 1e-15) << "blanks skipped, stops at the first stranger";
    EXPECT_NEAR(*ReadSkewAngle("1:1e1"), std::atan(0.1), 1e-15);
    EXPECT_NEAR(*ReadSkewAngle("+2x:-8"), std::atan(-0.25), 1e-15);
    EXPECT_EQ(*ReadSkewAngle("abc:10"), 0.0) << "no number reads 0";
    EXPECT_NEAR(*ReadSkewAngle("1:0"), std::atan(HUGE_VAL), 1e-15);
    EXPECT_TRUE(std::isnan(*ReadSkewAngle("0:0")));
    EXPECT_NEAR(*ReadSkewAngle("1:10:3"), std::atan(0.1), 1e-15) << "the first colon counts";
    EXPECT_EQ(LeadingNumber(""), 0.0);
    EXPECT_EQ(LeadingNumber(" -0.25e1x"), -2.5);
}

TEST(SkewText, NoColonOrALeadingOneIsNoSkew)
{
    for (const char* text : {"10", ":10", "", "1;10", ": 1:10"})
        EXPECT_FALSE(ReadSkewAngle(text).has_value()) << text;
}
