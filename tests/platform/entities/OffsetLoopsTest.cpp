#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "ZcDbPolyline.h"
#include "platform/db/entities/CurveOffset.h"
#include "platform/db/entities/CurvePieces.h"
#include "tests/platform/entities/EntityTestSupport.h"

using namespace platform;

// Offsets of polylines where moving a tight bend sideways makes loops: the
// loops are cut away, and what is left lies at the offset from the curve.

namespace {

struct Vertex {
    double x, y, bulge;
};

void fill(ZcDbPolyline& p, const std::vector<Vertex>& vertices, bool closed)
{
    for (const Vertex& v : vertices)
        p.addVertexAt(p.numVerts(), {v.x, v.y}, v.bulge);
    p.setClosed(closed);
}

// The offsets as owned polylines.
std::vector<std::unique_ptr<ZcDbPolyline, void (*)(ZcDbPolyline*)>> offsetsOf(const ZcDbPolyline& p, double d,
                                                                              Zcad::ErrorStatus& status)
{
    ZcDbVoidPtrArray curves;
    status = p.getOffsetCurves(d, curves);
    std::vector<std::unique_ptr<ZcDbPolyline, void (*)(ZcDbPolyline*)>> result;
    for (void* c : curves)
        result.emplace_back(ZcDbPolyline::cast(static_cast<ZcDbObject*>(c)), [](ZcDbPolyline* q) {
            if (q)
                q->close();
        });
    return result;
}

double distanceTo(const std::vector<curve::Piece>& pieces, const ZcGePoint2d& q)
{
    double best = 1e300;
    for (const curve::Piece& p : pieces)
        best = std::min(best, q.distanceTo(curve::closestPoint(p, q, false).point));
    return best;
}

// Every point of the offsets at the distance from the original (farther
// only up to `farthest`, as on the outside of a corner met by extension),
// and no offset crossing itself or another.
void expectLoopFree(const ZcDbPolyline& original, double d, double farthest, const std::string& what)
{
    Zcad::ErrorStatus status;
    const auto offsets = offsetsOf(original, d, status);
    const std::vector<curve::Piece> from = polylinePieces(original);
    std::vector<std::vector<curve::Piece>> results;
    for (const auto& o : offsets) {
        ASSERT_TRUE(o) << what;
        results.push_back(polylinePieces(*o));
    }
    for (const std::vector<curve::Piece>& pieces : results)
        for (const curve::Piece& p : pieces)
            for (int k = 0; k <= 16; ++k) {
                const double e = distanceTo(from, curve::pointAt(p, k / 16.0));
                ASSERT_GE(e, std::fabs(d) - 1e-6) << what << " d=" << d;
                ASSERT_LE(e, farthest + 1e-6) << what << " d=" << d;
            }
    for (size_t a = 0; a < results.size(); ++a)
        for (size_t b = a; b < results.size(); ++b)
            for (size_t i = 0; i < results[a].size(); ++i)
                for (size_t j = a == b ? i + 1 : 0; j < results[b].size(); ++j)
                    for (const curve::Hit& hit : curve::intersect(results[a][i], false, results[b][j], false)) {
                        const bool neighbours =
                            a == b && (j == i + 1 || (i == 0 && j + 1 == results[a].size() && offsets[a]->isClosed()));
                        const bool atJoint = hit.point.distanceTo(results[a][i].end) < 1e-6 ||
                                             hit.point.distanceTo(results[a][i].start) < 1e-6;
                        EXPECT_TRUE(neighbours && atJoint) << what << " d=" << d << ": the offset crosses itself at "
                                                           << hit.point.x << "," << hit.point.y;
                    }
}

struct LoopCase {
    std::string name;
    std::vector<Vertex> vertices;
    bool closed;
    double distance;
    // The vertices of each expected offset, longest first; none expected
    // when empty.
    std::vector<std::vector<ZcGePoint2d>> expected;
};

std::ostream& operator<<(std::ostream& os, const LoopCase& c) { return os << c.name; }

const double kQuarter = std::tan(kPi / 8);  // the bulge of a quarter circle

class OffsetLoops : public ::testing::TestWithParam<LoopCase> {};

TEST_P(OffsetLoops, CutAwayLeavingTheOffset)
{
    const LoopCase& c = GetParam();
    ZcDbPolyline original;
    fill(original, c.vertices, c.closed);
    Zcad::ErrorStatus status;
    const auto offsets = offsetsOf(original, c.distance, status);
    if (c.expected.empty()) {
        EXPECT_EQ(status, Zcad::eDegenerateGeometry);
        EXPECT_TRUE(offsets.empty());
        return;
    }
    ASSERT_EQ(status, Zcad::eOk);
    ASSERT_EQ(offsets.size(), c.expected.size());
    for (size_t k = 0; k < offsets.size(); ++k) {
        ASSERT_EQ(offsets[k]->numVerts(), c.expected[k].size()) << "offset " << k;
        for (unsigned int i = 0; i < offsets[k]->numVerts(); ++i) {
            ZcGePoint2d p;
            offsets[k]->getPointAt(i, p);
            EXPECT_NEAR(p.x, c.expected[k][i].x, 1e-9) << "offset " << k << " vertex " << i;
            EXPECT_NEAR(p.y, c.expected[k][i].y, 1e-9) << "offset " << k << " vertex " << i;
        }
    }
    expectLoopFree(original, c.distance, std::fabs(c.distance) * std::sqrt(2.0), c.name);
}

INSTANTIATE_TEST_SUITE_P(
    TightBends, OffsetLoops,
    ::testing::Values(
        // A 1 m bend: room enough for 0.24 on both sides, no loop.
        LoopCase{"BendOf1mInside",
                 {{-10, 0, 0}, {0, 0, kQuarter}, {1, 1, 0}, {1, 10, 0}},
                 false,
                 -0.24,
                 {{{-10, 0.24}, {0, 0.24}, {0.76, 1}, {0.76, 10}}}},
        LoopCase{"BendOf1mOutside",
                 {{-10, 0, 0}, {0, 0, kQuarter}, {1, 1, 0}, {1, 10, 0}},
                 false,
                 0.24,
                 {{{-10, -0.24}, {0, -0.24}, {1.24, 1}, {1.24, 10}}}},
        // A kerb radius of 0.15 m: the arc shrinks to nothing and the moved
        // straights cross; the loop between them is cut away.
        LoopCase{"KerbTighterThanTheOffset",
                 {{-10, 0, 0}, {0, 0, kQuarter}, {0.15, 0.15, 0}, {0.15, 10, 0}},
                 false,
                 -0.24,
                 {{{-10, 0.24}, {-0.09, 0.24}, {-0.09, 10}}}},
        // A U-turn 0.2 wide: nothing inside it is 0.24 from both legs;
        // outside, the half circle grows round the tip.
        LoopCase{"UTurnInside", {{-10, 0, 0}, {0, 0, 1}, {0, 0.2, 0}, {-10, 0.2, 0}}, false, -0.24, {}},
        LoopCase{"UTurnOutside",
                 {{-10, 0, 0}, {0, 0, 1}, {0, 0.2, 0}, {-10, 0.2, 0}},
                 false,
                 0.24,
                 {{{-10, -0.24}, {0, -0.24}, {0, 0.44}, {-10, 0.44}}}},
        // A U-turn 2 wide with one short leg: the long leg's offset ends
        // where it comes within 1.5 of the short leg's end.
        LoopCase{"UTurnWithAShortLeg",
                 {{-10, 0, 0}, {0, 0, 1}, {0, 2, 0}, {-3, 2, 0}},
                 false,
                 -1.5,
                 {{{-10, 1.5}, {-3 - std::sqrt(2.0), 1.5}}}},
        // A sharp corner inside: the moved sides are cut where they cross.
        LoopCase{"CornerInside", {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, false, -1, {{{0, 1}, {9, 1}, {9, 10}}}},
        // A room 10 wide has nothing 6 inside; one with a neck 1 wide falls
        // apart into its two halves.
        LoopCase{"SquareTooSmall", {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}, true, -6, {}},
        LoopCase{"NeckSplits",
                 {{0, 0, 0}, {20, 0, 0}, {20, 10, 0}, {11, 10, 0}, {11, 1, 0}, {9, 1, 0}, {9, 10, 0}, {0, 10, 0}},
                 true,
                 -1,
                 {{{1, 1}, {8, 1}, {8, 9}, {1, 9}}, {{12, 1}, {19, 1}, {19, 9}, {12, 9}}}}),
    [](const ::testing::TestParamInfo<LoopCase>& param) { return param.param.name; });

// A road edge element by element, as a surveyor's polyline holds it:
// straights, long arcs, S-bends, kerb radii of a few metres, and arcs
// tighter than the offset, all meeting tangentially.
void randomRoad(ZcDbPolyline& p, std::mt19937& rng)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    ZcGePoint2d at(1000 * unit(rng), 1000 * unit(rng));
    double heading = 2 * kPi * unit(rng);
    p.addVertexAt(0, at);
    const int elements = 3 + static_cast<int>(rng() % 25);
    for (int i = 0; i < elements; ++i) {
        const double kind = unit(rng);
        if (kind < 0.3) {
            at = at + ZcGeVector2d(std::cos(heading), std::sin(heading)) * (0.5 + 20 * unit(rng));
            p.addVertexAt(p.numVerts(), at);
            continue;
        }
        const double radius = kind < 0.5    ? 50 + 500 * unit(rng)
                              : kind < 0.85 ? 1 + 8 * unit(rng)
                                            : 0.1 + 0.5 * unit(rng);
        const double sweep = (unit(rng) < 0.5 ? -1 : 1) * (0.05 + 1.6 * unit(rng));
        const double chord = 2 * radius * std::sin(std::fabs(sweep) / 2);
        p.setBulgeAt(p.numVerts() - 1, std::tan(sweep / 4));
        at = at + ZcGeVector2d(std::cos(heading + sweep / 2), std::sin(heading + sweep / 2)) * chord;
        heading += sweep;
        p.addVertexAt(p.numVerts(), at);
    }
}

bool crossesItself(const ZcDbPolyline& p)
{
    const std::vector<curve::Piece> pieces = polylinePieces(p);
    for (size_t i = 0; i < pieces.size(); ++i)
        for (size_t j = i + 1; j < pieces.size(); ++j)
            for (const curve::Hit& hit : curve::intersect(pieces[i], false, pieces[j], false))
                if (j != i + 1 || hit.point.distanceTo(pieces[i].end) > 1e-9)
                    return true;
    return false;
}

}  // namespace

TEST(OffsetLoopsInvariants, RandomRoadsAreOffsetExactlyWithoutLoops)
{
    std::mt19937 rng(16);
    int tried = 0;
    while (tried < 300) {
        ZcDbPolyline road;
        randomRoad(road, rng);
        if (crossesItself(road))
            continue;  // an edge never crosses itself
        ++tried;
        for (double d : {0.24, -0.24, 0.12, -1.5})
            expectLoopFree(road, d, std::fabs(d), "road " + std::to_string(tried));
        if (HasFatalFailure())
            return;
    }
}

TEST(OffsetLoopsInvariants, SurveyedChordsStayWithinTheMitreOfTheirCorners)
{
    // Short chords with small deflections and the odd sharp corner.
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int tried = 0;
    while (tried < 200) {
        ZcDbPolyline p;
        ZcGePoint2d at(0, 0);
        double heading = 0;
        const int n = 3 + static_cast<int>(rng() % 40);
        for (int i = 0; i < n; ++i) {
            p.addVertexAt(p.numVerts(), at);
            heading += unit(rng) < 0.9 ? 0.1 * (unit(rng) - 0.5) : 2.5 * (unit(rng) - 0.5);
            at = at + ZcGeVector2d(std::cos(heading), std::sin(heading)) * (0.2 + 3 * unit(rng));
        }
        p.addVertexAt(p.numVerts(), at);
        if (crossesItself(p))
            continue;
        ++tried;
        for (double d : {0.24, -0.24})
            expectLoopFree(p, d, std::fabs(d) * curve::kMitreLimit, "chords " + std::to_string(tried));
        if (HasFatalFailure())
            return;
    }
}
