// Ellipses and splines: points agree with ezdxf's evaluation of the same
// file, extents hold the curve, nearest points and parameters come back
// to the curve, and a pick finds a point, an ellipse and a spline.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <numbers>
#include <random>

#include "ZcDbEllipse.h"
#include "ZcDbPoint.h"
#include "ZcDbSpline.h"
#include "platform/db/ObjectAccess.h"
#include "platform/dxf/DxfWriter.h"
#include "tests/platform/dxf/Json.h"
#include "tests/support/ExternalTool.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestDrawing.h"
#include "zcdbAdsName.h"
#include "zced.h"

using namespace platform;

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
// Agreement with ezdxf, relative to the size of the coordinates.
constexpr double kAgreement = 1e-9;
constexpr int kCurves = 40;

double within(std::mt19937& rng, double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }

ZcDbEllipse* randomEllipse(std::mt19937& rng)
{
    const double angle = within(rng, 0.0, kTwoPi), length = std::exp(within(rng, std::log(0.1), std::log(1000.0)));
    const bool whole = within(rng, 0.0, 1.0) < 0.3;
    return new ZcDbEllipse({within(rng, -1e4, 1e4), within(rng, -1e4, 1e4), 0.0}, ZcGeVector3d::kZAxis,
                           {length * std::cos(angle), length * std::sin(angle), 0.0}, within(rng, 0.05, 1.0),
                           whole ? 0.0 : within(rng, 0.0, kTwoPi), whole ? kTwoPi : within(rng, 0.0, kTwoPi));
}

// Clamped knots with random inner ones (some repeated), random weights for half of them.
ZcDbSpline* randomSpline(std::mt19937& rng)
{
    const int degree = int(within(rng, 1.0, 5.99));
    const int n = degree + 1 + int(within(rng, 0.0, 8.99));
    ZcGePoint3dArray points;
    ZcGeDoubleArray knots, weights;
    for (int i = 0; i < n; ++i)
        points.append({within(rng, -500.0, 500.0), within(rng, -500.0, 500.0), 0.0});
    std::vector<double> inner;
    for (int i = 0; i < n - degree - 1; ++i)
        inner.push_back(within(rng, 0.0, 10.0));
    if (inner.size() >= 2)
        inner[1] = inner[0];
    std::sort(inner.begin(), inner.end());
    for (int i = 0; i <= degree; ++i)
        knots.append(0.0);
    for (const double k : inner)
        knots.append(k);
    for (int i = 0; i <= degree; ++i)
        knots.append(10.0);
    const bool rational = within(rng, 0.0, 1.0) < 0.5;
    if (rational)
        for (int i = 0; i < n; ++i)
            weights.append(within(rng, 0.2, 5.0));
    auto* s = new ZcDbSpline;
    EXPECT_EQ(s->setNurbsData(degree, rational, false, false, points, knots, weights), Zcad::eOk);
    return s;
}

bool inside(const ZcDbExtents& box, const ZcGePoint3d& p)
{
    const double slack = 1e-9 * (1.0 + (box.maxPoint() - box.minPoint()).length());
    return p.x >= box.minPoint().x - slack && p.x <= box.maxPoint().x + slack && p.y >= box.minPoint().y - slack &&
           p.y <= box.maxPoint().y + slack;
}

}  // namespace

TEST(EllipseAndSpline, PointsAgreeWithEzdxfAndLieInTheExtents)
{
    if (const std::string missing = ezdxfMissing(); !missing.empty())
        GTEST_SKIP() << missing;
    TestDrawing drawing;
    std::mt19937 rng(19);
    std::vector<ZcDbObjectId> curves;
    for (int i = 0; i < kCurves; ++i)
        curves.push_back(drawing.append(i % 2 ? static_cast<ZcDbEntity*>(randomSpline(rng)) : randomEllipse(rng)));
    TempDir folder("ellipse-spline");
    const std::string path = folder.file("curves.dxf");
    std::string error;
    ASSERT_TRUE(writeDxfFile(drawing.db(), path, error)) << error;
    const auto [output, status] =
        runCommand(std::string(kSystemPython) + " " + shellQuoted(testScript("ezdxf_curve_points.py")) + " " +
                   shellQuoted(path) + " 101 2>&1");
    ASSERT_EQ(status, 0) << output;
    const Json points = Json::parse(output);
    for (const ZcDbObjectId& id : curves) {
        const auto* curve = ZcDbObjectAccess::peekAs<ZcDbCurve>(id);
        char handle[32];
        id.handle().getIntoAsciiBuffer(handle, sizeof handle);
        ASSERT_TRUE(points.has(handle)) << curve->isA()->name() << " " << handle;
        ZcDbExtents box;
        ASSERT_EQ(curve->getGeomExtents(box), Zcad::eOk);
        for (const Json& row : points[handle].array()) {
            const double t = row[0].number();
            ZcGePoint3d ours;
            ASSERT_EQ(curve->getPointAtParam(t, ours), Zcad::eOk) << handle << " at " << t;
            const ZcGePoint3d theirs(row[1].number(), row[2].number(), row[3].number());
            const double scale = std::max({1.0, std::fabs(theirs.x), std::fabs(theirs.y)});
            EXPECT_LE((ours - theirs).length(), kAgreement * scale)
                << curve->isA()->name() << " " << handle << " at " << t;
            EXPECT_TRUE(inside(box, ours)) << curve->isA()->name() << " " << handle << " at " << t;
        }
    }
}

TEST(EllipseAndSpline, TheNearestPointOfAPointOnTheCurveIsItself)
{
    std::mt19937 rng(7);
    for (int i = 0; i < kCurves; ++i) {
        std::unique_ptr<ZcDbCurve> curve(i % 2 ? static_cast<ZcDbCurve*>(randomSpline(rng)) : randomEllipse(rng));
        double start = 0.0, end = 0.0;
        ASSERT_EQ(curve->getStartParam(start), Zcad::eOk);
        ASSERT_EQ(curve->getEndParam(end), Zcad::eOk);
        for (int k = 0; k <= 20; ++k) {
            const double t = start + (end - start) * k / 20.0;
            ZcGePoint3d on, nearest;
            ASSERT_EQ(curve->getPointAtParam(t, on), Zcad::eOk);
            ASSERT_EQ(curve->getClosestPointTo(on, nearest), Zcad::eOk);
            EXPECT_LT((nearest - on).length(), 1e-6) << curve->isA()->name() << " " << i << " at " << t;
            double back = 0.0, along = 0.0;
            ASSERT_EQ(curve->getParamAtPoint(on, back), Zcad::eOk) << curve->isA()->name() << " " << i;
            ZcGePoint3d again;
            ASSERT_EQ(curve->getPointAtParam(back, again), Zcad::eOk);
            EXPECT_LT((again - on).length(), 1e-6) << curve->isA()->name() << " " << i << " at " << t;
            ASSERT_EQ(curve->getDistAtParam(t, along), Zcad::eOk);
            EXPECT_GE(along, 0.0);
        }
    }
}

TEST(EllipseAndSpline, AQuarterOfACircleIsAsLongAsItShouldBe)
{
    ZcDbEllipse circle({0, 0, 0}, ZcGeVector3d::kZAxis, {2, 0, 0}, 1.0);
    double d = 0.0;
    ASSERT_EQ(circle.getDistAtParam(std::numbers::pi / 2, d), Zcad::eOk);
    EXPECT_NEAR(d, std::numbers::pi, 1e-12);
    // A spline of degree 1 is its control polygon.
    ZcDbSpline polygon;
    ZcGePoint3dArray points;
    for (const ZcGePoint3d& p : {ZcGePoint3d(0, 0, 0), ZcGePoint3d(3, 4, 0), ZcGePoint3d(3, 10, 0)})
        points.append(p);
    ZcGeDoubleArray knots;
    for (const double k : {0.0, 0.0, 1.0, 2.0, 2.0})
        knots.append(k);
    ASSERT_EQ(polygon.setNurbsData(1, false, false, false, points, knots, {}), Zcad::eOk);
    ASSERT_EQ(polygon.getDistAtParam(2.0, d), Zcad::eOk);
    EXPECT_NEAR(d, 11.0, 1e-9);
}

TEST(EllipseAndSpline, BadDataIsRefusedAndChangesNothing)
{
    ZcDbSpline s;
    ZcGePoint3dArray three;
    for (int i = 0; i < 3; ++i)
        three.append({double(i), 0, 0});
    ZcGeDoubleArray clamped, decreasing, flat, weights;
    for (const double k : {0.0, 0.0, 0.0, 1.0, 1.0, 1.0})
        clamped.append(k);
    for (const double k : {0.0, 0.0, 1.0, 0.5, 1.0, 1.0})
        decreasing.append(k);
    for (int i = 0; i < 6; ++i)
        flat.append(1.0);
    for (const double w : {1.0, -1.0, 1.0})
        weights.append(w);
    ASSERT_EQ(s.setNurbsData(2, false, false, false, three, clamped, {}), Zcad::eOk);
    EXPECT_EQ(s.setNurbsData(3, false, false, false, three, clamped, {}), Zcad::eInvalidInput) << "too few points";
    EXPECT_EQ(s.setNurbsData(2, false, false, false, three, decreasing, {}), Zcad::eInvalidInput);
    EXPECT_EQ(s.setNurbsData(2, false, false, false, three, flat, {}), Zcad::eInvalidInput) << "no length";
    EXPECT_EQ(s.setNurbsData(2, true, false, false, three, clamped, weights), Zcad::eInvalidInput);
    three[1].x = std::nan("");
    EXPECT_EQ(s.setNurbsData(2, false, false, false, three, clamped, {}), Zcad::eInvalidInput);
    EXPECT_EQ(s.degree(), 2);
    EXPECT_FALSE(s.isRational());

    ZcDbEllipse e;
    EXPECT_EQ(e.set({0, 0, 0}, ZcGeVector3d::kZAxis, {1, 0, 0}, 1.5), Zcad::eInvalidInput) << "ratio above 1";
    EXPECT_EQ(e.set({0, 0, 0}, ZcGeVector3d::kZAxis, {0, 0, 0}, 0.5), Zcad::eInvalidInput) << "no axis";
    EXPECT_EQ(e.set({0, 0, 0}, ZcGeVector3d::kXAxis, {0, 1, 0}, 0.5), Zcad::eInvalidInput) << "out of plan";
    EXPECT_EQ(e.setStartParam(std::nan("")), Zcad::eInvalidInput);
    EXPECT_DOUBLE_EQ(e.radiusRatio(), 1.0);
}

// LibreCAD writes a whole turn as 6.28318530718, a hair above 2pi.
TEST(EllipseAndSpline, AnEndRoundedAboveAWholeTurnIsAWholeTurn)
{
    ZcDbEllipse e({0, 0, 0}, ZcGeVector3d::kZAxis, {-5, 0, 0}, 0.99759, 0.0, 6.28318530718);
    EXPECT_TRUE(e.isClosed());
    double d = 0.0, end = 0.0;
    ASSERT_EQ(e.getEndParam(end), Zcad::eOk);
    ASSERT_EQ(e.getDistAtParam(end, d), Zcad::eOk);
    EXPECT_GT(d, 31.0) << "the whole ellipse, not a sliver of it";
}

TEST(EllipseAndSpline, AMirroredEllipseKeepsItsPoints)
{
    ZcDbEllipse e({1, 2, 0}, ZcGeVector3d::kZAxis, {3, 1, 0}, 0.4, 0.5, 2.5);
    ZcGePoint3d a, b;
    e.getStartPoint(a);
    e.getEndPoint(b);
    const ZcGeMatrix3d mirror = ZcGeMatrix3d::mirroring({0, 0, 0}, {1, 0, 0});
    ASSERT_EQ(e.transformBy(mirror), Zcad::eOk);
    ZcGePoint3d a2, b2;
    e.getStartPoint(a2);
    e.getEndPoint(b2);
    // Mirrored, it runs the other way: the image of the start is the end.
    EXPECT_LT((a2 - mirror * b).length(), 1e-12);
    EXPECT_LT((b2 - mirror * a).length(), 1e-12);
}

// A point, an ellipse and a spline, each picked near its own curve.
struct PickCase {
    const char* name;
    ZcGePoint3d near;
};

class PickForeignKinds : public ::testing::TestWithParam<PickCase> {};

TEST_P(PickForeignKinds, EntSelFindsTheEntityByItsCurve)
{
    TestDrawing drawing;
    std::map<std::string, ZcDbObjectId> ids;
    ids["point"] = drawing.append(new ZcDbPoint({0, 0, 0}));
    ids["ellipse"] = drawing.append(new ZcDbEllipse({20, 0, 0}, ZcGeVector3d::kZAxis, {5, 0, 0}, 0.4));
    ids["spline"] = drawing.append(cubicArch(40));

    const ZcGePoint3d at = GetParam().near;
    ScriptedInput input("pick " + std::to_string(at.x) + "," + std::to_string(at.y) + "\n");
    ads_name ent;
    ads_point p;
    ASSERT_EQ(zcedEntSel("", ent, p), RTNORM);
    ZcDbObjectId id;
    ASSERT_EQ(zcdbGetObjectId(id, ent), Zcad::eOk);
    EXPECT_EQ(id, ids[GetParam().name]);
}

TEST(PickForeignKinds, NothingIsPickedInsideAnEllipse)
{
    TestDrawing drawing;
    drawing.append(new ZcDbEllipse({20, 0, 0}, ZcGeVector3d::kZAxis, {5, 0, 0}, 0.4));
    ScriptedInput input("pick 20,0\n");
    ads_name ent;
    ads_point p;
    EXPECT_EQ(zcedEntSel("", ent, p), RTERROR);
}

// The spline's arch peaks at y = 7.5 halfway: a pick there finds it, though
// its control points are 2.5 away.
INSTANTIATE_TEST_SUITE_P(Kinds, PickForeignKinds,
                         ::testing::Values(PickCase{"point", {0.1, 0.1, 0}}, PickCase{"ellipse", {20, 2.1, 0}},
                                           PickCase{"ellipse", {25.1, 0, 0}}, PickCase{"spline", {45, 7.6, 0}}),
                         [](const auto& named) { return std::string(named.param.name) + std::to_string(named.index); });
