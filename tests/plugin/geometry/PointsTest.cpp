// Polar points, angles and directions, in both point forms.

#include <gtest/gtest.h>

#include <numbers>

#include "geometry/Points.h"

using std::numbers::pi;

template <class P>
class PlanePoints : public ::testing::Test {
protected:
    static P at(double x, double y)
    {
        if constexpr (std::same_as<P, ZcGePoint3d>)
            return {x, y, 0.0};
        else
            return {x, y};
    }
};
using PointKinds = ::testing::Types<ZcGePoint2d, ZcGePoint3d>;
TYPED_TEST_SUITE(PlanePoints, PointKinds);

TYPED_TEST(PlanePoints, PolarPointAndPointAngleAreInverse)
{
    const TypeParam base = this->at(5300000.25, 7400000.75);
    for (int k = 0; k < 16; ++k) {
        const TypeParam p = PolarPoint(base, 12.5, k * pi / 8.0);
        EXPECT_NEAR(p.distanceTo(base), 12.5, 1e-8);
        EXPECT_NEAR(PointAngle(base, p), k * pi / 8.0, 1e-9) << "0 to 2pi, as the host gives it";
    }
}

TYPED_TEST(PlanePoints, PointAlongBySignedDistanceAndExactlyTheFirstPointForNone)
{
    const TypeParam p1 = this->at(1, 1), p2 = this->at(4, 5);
    EXPECT_TRUE(PointAlong(p1, p2, 10.0).isEqualTo(this->at(7, 9), 1e-12));
    EXPECT_TRUE(PointAlong(p1, p2, -5.0).isEqualTo(this->at(-2, -3), 1e-12));
    const TypeParam odd = this->at(1.0 / 3.0, 2.0 / 7.0);
    const TypeParam same = PointAlong(odd, odd, 0.0);  // no direction to compute
    EXPECT_EQ(same.x, odd.x);
    EXPECT_EQ(same.y, odd.y);
}

TEST(Points3d, HeightsAreKeptFollowedOrIgnoredAsEachOperationSays)
{
    EXPECT_EQ(PolarPoint(ZcGePoint3d(1, 2, 7.5), 2.0, pi / 2.0).z, 7.5);
    EXPECT_DOUBLE_EQ(PointAngle(ZcGePoint3d(0, 0, -50), ZcGePoint3d(1, 1, 80)), pi / 4.0);
    EXPECT_TRUE(PointAlong(ZcGePoint3d(0, 0, 0), ZcGePoint3d(0, 3, 4), 10.0).isEqualTo({0, 6, 8}, 1e-12));
}

TEST(Points3d, PerpUnitVectorTurnsCounterClockwise)
{
    EXPECT_TRUE(PerpUnitVector({1, 1, 0}, {1, 11, 0}).isEqualTo({-1, 0, 0}, 1e-15));
    EXPECT_TRUE(PerpUnitVector({0, 0, 0}, {3, -4, 0}).isEqualTo({0.8, 0.6, 0}, 1e-15));
}

TEST(Points3d, IsBetweenPointsWhenTheOuterPairIsFarthestApart)
{
    const ZcGePoint3d a(0, 0, 0), b(10, 0, 0);
    EXPECT_TRUE(IsBetweenPoints({5, 3, 0}, a, b)) << "off the segment but nearer both ends";
    EXPECT_TRUE(IsBetweenPoints(a, a, b)) << "an end counts";
    EXPECT_FALSE(IsBetweenPoints({11, 0, 0}, a, b));
    EXPECT_FALSE(IsBetweenPoints({5, 9, 0}, a, b));
}
