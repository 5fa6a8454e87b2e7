#include "platform/db/entities/Nurbs.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace platform::nurbs {
namespace {

// Degrees beyond this are refused: no drawing program makes them, and the
// evaluation keeps its working points on the stack.
constexpr int kMaxDegree = 25;
// Each knot span is cut at least this many times per degree before the
// chords are checked: a span's midpoint alone can lie on the chord of a
// curve that still bends (an S between two knots).
constexpr int kMinCutsPerDegree = 4;
// Halvings of a piece of a span at most: 2^12 chords per piece already
// draw finer than any picture.
constexpr int kMaxDepth = 12;

struct Homogeneous {
    double x = 0.0, y = 0.0, z = 0.0, w = 1.0;
};

double weightOf(const Curve& c, size_t i) { return c.weights.empty() ? 1.0 : c.weights[i]; }

// The span k with knot[k] <= u < knot[k + 1] inside the domain; at its end
// the last span of length.
size_t spanOf(const Curve& c, double u)
{
    const size_t p = size_t(c.degree), n = c.points.size();
    if (u >= c.knots[n]) {
        size_t k = n - 1;
        while (k > p && c.knots[k] == c.knots[k + 1])
            --k;
        return k;
    }
    const auto upper = std::upper_bound(c.knots.begin() + long(p), c.knots.begin() + long(n) + 1, u);
    return std::clamp(size_t(upper - c.knots.begin()) - 1, p, n - 1);
}

}  // namespace

bool isValid(const Curve& c)
{
    if (c.degree < 1 || c.degree > kMaxDegree || c.points.size() < size_t(c.degree) + 1 ||
        c.knots.size() != c.points.size() + size_t(c.degree) + 1 ||
        (!c.weights.empty() && c.weights.size() != c.points.size()))
        return false;
    for (size_t i = 0; i < c.knots.size(); ++i)
        if (!std::isfinite(c.knots[i]) || (i > 0 && c.knots[i] < c.knots[i - 1]))
            return false;
    for (const double w : c.weights)
        if (!(w > 0.0) || !std::isfinite(w))
            return false;
    for (const ZcGePoint3d& p : c.points)
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
            return false;
    return domainEnd(c) > domainStart(c);
}

double domainStart(const Curve& c) { return c.knots[size_t(c.degree)]; }
double domainEnd(const Curve& c) { return c.knots[c.points.size()]; }

ZcGePoint3d pointAt(const Curve& c, double u)
{
    u = std::clamp(u, domainStart(c), domainEnd(c));
    const size_t p = size_t(c.degree), k = spanOf(c, u);
    std::array<Homogeneous, kMaxDegree + 1> d;
    for (size_t j = 0; j <= p; ++j) {
        const size_t i = k - p + j;
        const double w = weightOf(c, i);
        d[j] = {c.points[i].x * w, c.points[i].y * w, c.points[i].z * w, w};
    }
    for (size_t r = 1; r <= p; ++r)
        for (size_t j = p; j >= r; --j) {
            const size_t i = k - p + j;
            const double span = c.knots[i + p - r + 1] - c.knots[i];
            const double a = span > 0.0 ? (u - c.knots[i]) / span : 0.0;
            d[j] = {(1.0 - a) * d[j - 1].x + a * d[j].x, (1.0 - a) * d[j - 1].y + a * d[j].y,
                    (1.0 - a) * d[j - 1].z + a * d[j].z, (1.0 - a) * d[j - 1].w + a * d[j].w};
        }
    return {d[p].x / d[p].w, d[p].y / d[p].w, d[p].z / d[p].w};
}

namespace {

double chordDistance(const ZcGePoint3d& a, const ZcGePoint3d& b, const ZcGePoint3d& q)
{
    const ZcGeVector3d ab = b - a, aq = q - a;
    const double len2 = ab.dotProduct(ab);
    if (len2 == 0.0)
        return aq.length();
    const double t = std::clamp(aq.dotProduct(ab) / len2, 0.0, 1.0);
    return (q - (a + ab * t)).length();
}

void refine(const Curve& c, const Sample& a, const Sample& b, double tol, int depth, std::vector<Sample>& out)
{
    const double um = 0.5 * (a.u + b.u);
    const Sample m{um, pointAt(c, um)};
    // Quarter points too: a piece symmetric about its middle can pass its
    // midpoint through the chord.
    const ZcGePoint3d q1 = pointAt(c, 0.5 * (a.u + um)), q3 = pointAt(c, 0.5 * (um + b.u));
    const double err = std::max({chordDistance(a.point, b.point, m.point), chordDistance(a.point, b.point, q1),
                                 chordDistance(a.point, b.point, q3)});
    if (err <= tol || depth >= kMaxDepth) {
        out.push_back(b);
        return;
    }
    refine(c, a, m, tol, depth + 1, out);
    refine(c, m, b, tol, depth + 1, out);
}

}  // namespace

std::vector<Sample> flatten(const Curve& c, double chordTol)
{
    std::vector<Sample> out;
    const size_t p = size_t(c.degree), n = c.points.size();
    const int cuts = kMinCutsPerDegree * c.degree;
    out.push_back({domainStart(c), pointAt(c, domainStart(c))});
    for (size_t k = p; k < n; ++k) {
        const double u0 = c.knots[k], u1 = c.knots[k + 1];
        if (!(u1 > u0))
            continue;
        for (int i = 0; i < cuts; ++i) {
            const double ub = i + 1 == cuts ? u1 : u0 + (u1 - u0) * (i + 1) / cuts;
            const Sample a = out.back();
            refine(c, a, {ub, pointAt(c, ub)}, chordTol, 0, out);
        }
    }
    return out;
}

}  // namespace platform::nurbs
