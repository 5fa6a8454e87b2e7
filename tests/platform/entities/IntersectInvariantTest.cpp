#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "ZcDbArc.h"
#include "ZcDbCircle.h"
#include "ZcDbLine.h"
#include "ZcDbPolyline.h"
#include "tests/platform/entities/EntityTestSupport.h"

namespace {
// Random curves of every kind in a 20 x 20 area (fixed seed: the same run every time).
class CurveMaker {
public:
    std::unique_ptr<ZcDbCurve> next()
    {
        switch (m_rng() % 4) {
        case 0:
            return std::make_unique<ZcDbLine>(point(), point());
        case 1:
            return std::make_unique<ZcDbArc>(point(), radius(), angle(), angle());
        case 2:
            return std::make_unique<ZcDbCircle>(point(), ZcGeVector3d::kZAxis, radius());
        default: {
            auto p = std::make_unique<ZcDbPolyline>();
            const unsigned n = 2 + m_rng() % 5;
            for (unsigned i = 0; i < n; ++i)
                p->addVertexAt(i, point().convert2d(), m_rng() % 3 == 0 ? 0.0 : unit() * 1.5);
            p->setClosed(m_rng() % 2 == 0);
            return p;
        }
        }
    }

private:
    double unit() { return std::uniform_real_distribution<double>(-1.0, 1.0)(m_rng); }
    ZcGePoint3d point() { return {10 * unit(), 10 * unit(), 0}; }
    double radius() { return 0.5 + 5 * std::fabs(unit()); }
    double angle() { return 4 * unit(); }

    std::mt19937 m_rng{20240517};
};

double distanceTo(const ZcDbCurve& c, const ZcGePoint3d& p)
{
    ZcGePoint3d q;
    EXPECT_EQ(c.getClosestPointTo(p, q), Zcad::eOk);
    return q.distanceTo(p);
}
}  // namespace

TEST(IntersectInvariants, PointsLieOnBothCurvesInOrderAlongThis)
{
    CurveMaker make;
    int found = 0;
    for (int round = 0; round < 2000; ++round) {
        const std::unique_ptr<ZcDbCurve> a = make.next(), b = make.next();
        ZcGePoint3dArray ab, ba;
        ASSERT_EQ(a->intersectWith(b.get(), ZcDb::kOnBothOperands, ab), Zcad::eOk);
        ASSERT_EQ(b->intersectWith(a.get(), ZcDb::kOnBothOperands, ba), Zcad::eOk);
        EXPECT_EQ(ab.length(), ba.length()) << "round " << round;
        double previous = -1.0;
        for (const ZcGePoint3d& p : ab) {
            found++;
            EXPECT_LT(distanceTo(*a, p), 1e-7) << "round " << round;
            EXPECT_LT(distanceTo(*b, p), 1e-7) << "round " << round;
            double param = 0;
            ASSERT_EQ(a->getParamAtPoint(p, param), Zcad::eOk) << "round " << round;
            // A closed curve's start is also its end: there the parameter may read either.
            if (!(a->isClosed() && previous >= 0 && param < 1e-9)) {
                EXPECT_GE(param, previous - 1e-9) << "round " << round;
                previous = param;
            }
        }
    }
    EXPECT_GT(found, 200) << "the sample should be rich in intersections";
}

TEST(IntersectInvariants, DegenerateCurvesGiveFinitePointsOrNone)
{
    // An enormous bulge, a vanishing one, a segment of no length.
    ZcDbPolyline odd;
    odd.addVertexAt(0, {0, 0}, 1e300);
    odd.addVertexAt(1, {1, 0}, -1e-300);
    odd.addVertexAt(2, {1, 0}, 5);
    odd.addVertexAt(3, {3, 1});
    for (const ZcDbLine& other : {ZcDbLine({2, 0, 0}, {2, 0, 0}), ZcDbLine({-5, 0.5, 0}, {5, 0.5, 0})}) {
        ZcGePoint3dArray pts;
        EXPECT_EQ(odd.intersectWith(&other, ZcDb::kExtendBoth, pts), Zcad::eOk);
        for (const ZcGePoint3d& p : pts)
            EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z));
    }
    ZcDbVoidPtrArray curves;
    const Zcad::ErrorStatus es = odd.getOffsetCurves(0.1, curves);
    EXPECT_TRUE(es == Zcad::eOk || es == Zcad::eDegenerateGeometry);
    for (void* c : curves)
        static_cast<ZcDbObject*>(c)->close();
}
