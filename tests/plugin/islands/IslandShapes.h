#pragma once

// What the island tests ask of an outline or a kerb whatever its numbers:
// the direction a segment leaves or reaches a vertex with, whether the
// joints are smooth, the area it encloses, its mirror image.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "geometry/Points.h"
#include "islands/IslandPolyline.h"

namespace island_test {

// The picks of the worked examples: P1 at the origin, P2 to the east.
inline const ZcGePoint3d kOrigin(0, 0, 0), kEast(10, 0, 0);

// A named point to the four decimals the worked examples give.
inline void expectAt(const ZcGePoint3d& p, double x, double y, const char* what)
{
    EXPECT_NEAR(p.x, x, 5e-5) << what;
    EXPECT_NEAR(p.y, y, 5e-5) << what;
}

// A vertex as the construction's point and bulge, exactly.
inline void expectVertex(const IslandPolyline& p, size_t i, const ZcGePoint3d& at, double bulge)
{
    ASSERT_LT(i, p.vertices.size());
    EXPECT_EQ(p.vertices[i].point, MakePoint2d(at)) << "vertex " << i;
    EXPECT_EQ(p.vertices[i].bulge, bulge) << "vertex " << i;
}

// Turns v by angle a counter-clockwise.
inline ZcGeVector2d turned(const ZcGeVector2d& v, double a)
{
    return {v.x * std::cos(a) - v.y * std::sin(a), v.x * std::sin(a) + v.y * std::cos(a)};
}

// The unit direction in which segment i leaves its start (atEnd false) or
// reaches its end (atEnd true); a bulge's arc turns the chord by half its
// included angle either way.
inline ZcGeVector2d segmentDirection(const IslandPolyline& p, size_t i, bool atEnd)
{
    const IslandVertex& a = p.vertices[i];
    const IslandVertex& b = p.vertices[(i + 1) % p.vertices.size()];
    ZcGeVector2d chord = b.point - a.point;
    chord = chord / chord.length();
    const double half = 2.0 * std::atan(a.bulge);
    return turned(chord, atEnd ? half : -half);
}

inline double cross(const ZcGeVector2d& u, const ZcGeVector2d& w) { return u.x * w.y - u.y * w.x; }

// The largest turn, in radians, at a joint between consecutive segments
// (the joints of a closed outline include the one at its first vertex).
inline double worstJoint(const IslandPolyline& p)
{
    const size_t n = p.vertices.size();
    double worst = 0.0;
    for (size_t j = p.closed ? 0 : 1; j < (p.closed ? n : n - 1); ++j) {
        const ZcGeVector2d in = segmentDirection(p, (j + n - 1) % n, true), out = segmentDirection(p, j, false);
        worst = std::max(worst, std::atan2(std::fabs(cross(in, out)), in.dotProduct(out)));
    }
    return worst;
}

// The signed area a closed outline encloses, arcs included: negative when
// it runs clockwise.
inline double signedArea(const IslandPolyline& p)
{
    double area = 0.0;
    const size_t n = p.vertices.size();
    for (size_t i = 0; i < n; ++i) {
        const IslandVertex& a = p.vertices[i];
        const ZcGePoint2d& b = p.vertices[(i + 1) % n].point;
        area += (a.point.x * b.y - b.x * a.point.y) / 2.0;
        if (a.bulge != 0.0) {
            const double theta = 4.0 * std::atan(a.bulge), chord = a.point.distanceTo(b);
            const double r = chord / (2.0 * std::fabs(std::sin(theta / 2.0)));
            area += r * r / 2.0 * (theta - std::sin(theta));
        }
    }
    return area;
}

// The outline reflected in the line through o along the unit direction u
// and run the other way round, so that a symmetric outline gives itself
// (up to where it starts).
inline IslandPolyline mirroredReversed(const IslandPolyline& p, ZcGePoint2d o, ZcGeVector2d u)
{
    IslandPolyline m{{}, p.closed};
    const size_t n = p.vertices.size();
    for (size_t k = 0; k < n; ++k) {
        const size_t i = n - 1 - k;
        const ZcGeVector2d d = p.vertices[i].point - o;
        const double along = d.dotProduct(u);
        const ZcGePoint2d reflected = o + u * (2.0 * along) - d;
        // The segment from vertex i to i + 1 is now from i + 1 to i: the
        // reflection and the reversal each change the bulge's sign.
        const double bulge = p.vertices[(i + n - 1) % n].bulge;
        m.vertices.push_back({reflected, bulge});
    }
    return m;
}

// Whether the closed outlines are the same up to their first vertex.
inline bool sameOutline(const IslandPolyline& a, const IslandPolyline& b, double tol)
{
    const size_t n = a.vertices.size();
    if (b.vertices.size() != n)
        return false;
    for (size_t shift = 0; shift < n; ++shift) {
        bool same = true;
        for (size_t i = 0; i < n && same; ++i) {
            const IslandVertex& va = a.vertices[i];
            const IslandVertex& vb = b.vertices[(i + shift) % n];
            same = va.point.distanceTo(vb.point) <= tol && std::fabs(va.bulge - vb.bulge) <= tol;
        }
        if (same)
            return true;
    }
    return false;
}

// Whether b is a turned half round about p: the same polylines in the same
// order, each vertex turned, each bulge kept.
inline void expectTurnedHalfRound(const std::vector<IslandPolyline>& a, const std::vector<IslandPolyline>& b,
                                  ZcGePoint2d p)
{
    ASSERT_EQ(a.size(), b.size());
    for (size_t k = 0; k < a.size(); ++k) {
        ASSERT_EQ(a[k].vertices.size(), b[k].vertices.size());
        EXPECT_EQ(a[k].closed, b[k].closed);
        for (size_t v = 0; v < a[k].vertices.size(); ++v) {
            const IslandVertex &va = a[k].vertices[v], &vb = b[k].vertices[v];
            EXPECT_NEAR(vb.point.x, 2.0 * p.x - va.point.x, 1e-9);
            EXPECT_NEAR(vb.point.y, 2.0 * p.y - va.point.y, 1e-9);
            EXPECT_NEAR(vb.bulge, va.bulge, 1e-9);
        }
    }
}

}  // namespace island_test
