#include "platform/db/entities/CurveMath.h"

#include <algorithm>
#include <cmath>

namespace platform::curve {
namespace {

ZcGePoint2d onCircle(const ZcGePoint2d& c, double r, double angle)
{
    return {c.x + r * std::cos(angle), c.y + r * std::sin(angle)};
}

// How far round from the arc's start a point's direction lies, turning the
// arc's way, in [0, 2pi).
double angularOffset(const Piece& arc, const ZcGePoint2d& p)
{
    const double phi = std::atan2(p.y - arc.center.y, p.x - arc.center.x);
    return arc.sweep >= 0.0 ? normalizeAngle(phi - arc.startAngle) : normalizeAngle(arc.startAngle - phi);
}

// The parameter of a point assumed to lie on the piece's line or circle,
// checked against the piece's range only.
std::optional<double> rangeParam(const Piece& piece, const ZcGePoint2d& p, bool extend)
{
    if (!piece.arc) {
        const ZcGeVector2d u = piece.end - piece.start;
        const double len2 = u.dotProduct(u);
        if (len2 == 0.0)
            return 0.0;
        const double t = (p - piece.start).dotProduct(u) / len2;
        if (extend)
            return t;
        const double slack = kOnCurveTol / std::sqrt(len2);
        if (t < -slack || t > 1.0 + slack)
            return std::nullopt;
        return std::clamp(t, 0.0, 1.0);
    }
    const double span = std::fabs(piece.sweep);
    if (span == 0.0 || piece.radius <= 0.0)
        return std::nullopt;
    const double d = angularOffset(piece, p);
    const double slack = kOnCurveTol / piece.radius;
    if (d <= span + slack)
        return std::min(d, span) / span;
    if (d >= kTwoPi - slack)
        return 0.0;  // just before the start
    if (extend)
        return d / span;
    return std::nullopt;
}

std::vector<ZcGePoint2d> lineCircle(const Piece& line, const ZcGePoint2d& c, double r)
{
    const ZcGeVector2d u = line.end - line.start;
    const double len2 = u.dotProduct(u);
    if (len2 == 0.0)
        return {};
    const double t0 = (c - line.start).dotProduct(u) / len2;
    const ZcGePoint2d foot = line.start + u * t0;
    const double h = foot.distanceTo(c);
    const double touch = kTangencyTol * std::max(1.0, r);
    if (h > r)
        return h - r <= touch ? std::vector<ZcGePoint2d>{foot} : std::vector<ZcGePoint2d>{};
    const double half = std::sqrt(std::max(0.0, r * r - h * h));
    if (half <= kOnCurveTol)
        return {foot};
    const ZcGeVector2d step = u * (half / std::sqrt(len2));
    return {foot - step, foot + step};
}

std::vector<ZcGePoint2d> circleCircle(const ZcGePoint2d& c1, double r1, const ZcGePoint2d& c2, double r2)
{
    const ZcGeVector2d between = c2 - c1;
    const double d = between.length();
    const double touch = kTangencyTol * std::max({1.0, r1, r2});
    if (d <= touch)
        return {};  // concentric: the same circle or none in common
    const ZcGeVector2d dir = between / d;
    if (d > r1 + r2) {
        if (d - (r1 + r2) <= touch)
            return {c1 + dir * r1};
        return {};
    }
    if (d < std::fabs(r1 - r2)) {
        if (std::fabs(r1 - r2) - d <= touch)
            return {c1 + dir * (r1 >= r2 ? r1 : -r1)};
        return {};
    }
    const double a = (r1 * r1 - r2 * r2 + d * d) / (2.0 * d);
    const double h = std::sqrt(std::max(0.0, r1 * r1 - a * a));
    const ZcGePoint2d base = c1 + dir * a;
    if (h <= kOnCurveTol)
        return {base};
    const ZcGeVector2d side = dir.perpVector() * h;
    return {base - side, base + side};
}

}  // namespace

double normalizeAngle(double a)
{
    if (!std::isfinite(a))
        return 0.0;
    double r = std::fmod(a, kTwoPi);
    if (r < 0.0)
        r += kTwoPi;
    return r >= kTwoPi ? 0.0 : r;
}

Piece linePiece(const ZcGePoint2d& start, const ZcGePoint2d& end)
{
    Piece p;
    p.start = start;
    p.end = end;
    return p;
}

Piece arcPiece(const ZcGePoint2d& center, double radius, double startAngle, double sweep)
{
    Piece p;
    p.arc = true;
    p.center = center;
    p.radius = radius;
    p.startAngle = startAngle;
    p.sweep = sweep;
    p.start = onCircle(center, radius, startAngle);
    p.end = onCircle(center, radius, startAngle + sweep);
    return p;
}

Piece bulgePiece(const ZcGePoint2d& start, const ZcGePoint2d& end, double bulge)
{
    const ZcGeVector2d chord = end - start;
    const double c = chord.length();
    if (std::fabs(bulge) < kStraightBulge || c == 0.0)
        return linePiece(start, end);
    // Written so that no square of the bulge can overflow.
    const ZcGePoint2d mid = start + chord * 0.5;
    const ZcGePoint2d center = mid + chord.perpVector() * ((1.0 / bulge - bulge) / 4.0);
    const double radius = c * (1.0 / std::fabs(bulge) + std::fabs(bulge)) / 4.0;
    // The ends are the given ones: nothing to compute on the circle.
    Piece p;
    p.arc = true;
    p.center = center;
    p.radius = radius;
    p.startAngle = std::atan2(start.y - center.y, start.x - center.x);
    p.sweep = 4.0 * std::atan(bulge);
    p.start = start;
    p.end = end;
    return p;
}

double bulgeOf(const Piece& piece) { return piece.arc ? std::tan(piece.sweep / 4.0) : 0.0; }

Piece reversed(const Piece& piece)
{
    Piece r = piece;
    std::swap(r.start, r.end);
    if (piece.arc) {
        r.startAngle = piece.startAngle + piece.sweep;
        r.sweep = -piece.sweep;
    }
    return r;
}

double length(const Piece& piece)
{
    return piece.arc ? piece.radius * std::fabs(piece.sweep) : piece.start.distanceTo(piece.end);
}

ZcGePoint2d pointAt(const Piece& piece, double t)
{
    if (t == 0.0)
        return piece.start;
    if (t == 1.0)
        return piece.end;
    if (!piece.arc)
        return piece.start + (piece.end - piece.start) * t;
    return onCircle(piece.center, piece.radius, piece.startAngle + piece.sweep * t);
}

std::optional<double> paramOnPiece(const Piece& piece, const ZcGePoint2d& p, bool extend)
{
    if (!piece.arc) {
        const ZcGeVector2d u = piece.end - piece.start;
        const double len = u.length();
        const double off = len == 0.0 ? p.distanceTo(piece.start) : std::fabs(cross(p - piece.start, u)) / len;
        if (off > kOnCurveTol)
            return std::nullopt;
    } else if (std::fabs(p.distanceTo(piece.center) - piece.radius) > kOnCurveTol) {
        return std::nullopt;
    }
    return rangeParam(piece, p, extend);
}

Closest closestPoint(const Piece& piece, const ZcGePoint2d& q, bool extend)
{
    if (!piece.arc) {
        const ZcGeVector2d u = piece.end - piece.start;
        const double len2 = u.dotProduct(u);
        if (len2 == 0.0)
            return {piece.start, 0.0};
        double t = (q - piece.start).dotProduct(u) / len2;
        if (!extend)
            t = std::clamp(t, 0.0, 1.0);
        return {pointAt(piece, t), t};
    }
    if (q.distanceTo(piece.center) == 0.0)
        return {piece.start, 0.0};  // every point is nearest
    const double span = std::fabs(piece.sweep);
    const double d = angularOffset(piece, q);
    if (d <= span || extend) {
        const double t = d / span;
        return {pointAt(piece, t), t};
    }
    return q.distanceTo(piece.start) <= q.distanceTo(piece.end) ? Closest{piece.start, 0.0} : Closest{piece.end, 1.0};
}

std::vector<Hit> intersect(const Piece& a, bool extendA, const Piece& b, bool extendB)
{
    std::vector<ZcGePoint2d> candidates;
    if (!a.arc && !b.arc) {
        const ZcGeVector2d ua = a.end - a.start, ub = b.end - b.start;
        const double denom = cross(ua, ub);
        if (std::fabs(denom) > kParallelTol * ua.length() * ub.length())
            candidates.push_back(a.start + ua * (cross(b.start - a.start, ub) / denom));
    } else if (!a.arc) {
        candidates = lineCircle(a, b.center, b.radius);
    } else if (!b.arc) {
        candidates = lineCircle(b, a.center, a.radius);
    } else {
        candidates = circleCircle(a.center, a.radius, b.center, b.radius);
    }

    std::vector<Hit> hits;
    for (const ZcGePoint2d& p : candidates) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            continue;  // from curves too large to compute with
        const std::optional<double> t = rangeParam(a, p, extendA);
        const std::optional<double> u = rangeParam(b, p, extendB);
        if (t && u)
            hits.push_back({p, *t, *u});
    }
    std::sort(hits.begin(), hits.end(), [](const Hit& x, const Hit& y) { return x.t < y.t; });
    return hits;
}

std::optional<Piece> offset(const Piece& piece, double distance)
{
    if (!piece.arc) {
        const ZcGeVector2d u = piece.end - piece.start;
        const double len = u.length();
        if (len == 0.0)
            return std::nullopt;
        const ZcGeVector2d right = ZcGeVector2d(u.y, -u.x) * (distance / len);
        return linePiece(piece.start + right, piece.end + right);
    }
    // A counter-clockwise arc has its outside on the right.
    const double r = piece.sweep >= 0.0 ? piece.radius + distance : piece.radius - distance;
    if (r <= kOnCurveTol)
        return std::nullopt;
    return arcPiece(piece.center, r, piece.startAngle, piece.sweep);
}

double areaTerm(const Piece& piece, const ZcGePoint2d& ref)
{
    double term = cross(piece.start - ref, piece.end - ref) / 2.0;
    if (piece.arc)
        term += piece.radius * piece.radius / 2.0 * (piece.sweep - std::sin(piece.sweep));
    return term;
}

void addToExtents(ZcDbExtents& extents, const Piece& piece, double z)
{
    extents.addPoint({piece.start.x, piece.start.y, z});
    extents.addPoint({piece.end.x, piece.end.y, z});
    if (!piece.arc)
        return;
    // The circle's points on the axes through its centre, at angles 0, pi/2,
    // pi and 3pi/2: known exactly, with no trigonometry (extents are taken
    // for every arc of every drawing written).
    const double r = piece.radius;
    const ZcGeVector2d extremes[] = {{r, 0.0}, {0.0, r}, {-r, 0.0}, {0.0, -r}};
    for (int k = 0; k < 4; ++k) {
        const double angle = k * kPi / 2.0;
        const double d =
            piece.sweep >= 0.0 ? normalizeAngle(angle - piece.startAngle) : normalizeAngle(piece.startAngle - angle);
        if (d <= std::fabs(piece.sweep)) {
            const ZcGePoint2d p = piece.center + extremes[k];
            extents.addPoint({p.x, p.y, z});
        }
    }
}

void addSegmentToExtents(ZcDbExtents& extents, const ZcGePoint2d& start, const ZcGePoint2d& end, double bulge, double z)
{
    extents.addPoint({end.x, end.y, z});
    const ZcGeVector2d chord = end - start;
    if (std::fabs(bulge) < kStraightBulge || (chord.x == 0.0 && chord.y == 0.0))
        return;
    // The centre and radius as bulgePiece finds them. The chord's line
    // cuts the circle into the segment's arc and the rest: an extreme point
    // of the circle belongs to the arc when it lies on the arc's side, the
    // right of the chord for a counter-clockwise (positive) bulge.
    const ZcGePoint2d center = start + chord * 0.5 + chord.perpVector() * ((1.0 / bulge - bulge) / 4.0);
    const double r = chord.length() * (1.0 / std::fabs(bulge) + std::fabs(bulge)) / 4.0;
    const ZcGeVector2d extremes[] = {{r, 0.0}, {0.0, r}, {-r, 0.0}, {0.0, -r}};
    for (const ZcGeVector2d& offset : extremes) {
        const ZcGePoint2d q = center + offset;
        if (cross(chord, q - start) * bulge < 0.0)
            extents.addPoint({q.x, q.y, z});
    }
}

bool isInside(const std::vector<Piece>& outline, const ZcGePoint2d& p)
{
    // Even-odd count of crossings of the ray from p towards +X; an edge
    // counts when its ends lie on opposite sides of the ray's line (one end
    // strictly above), so shared vertices count once.
    bool inside = false;
    auto crossesAt = [&](const ZcGePoint2d& s, const ZcGePoint2d& e, double x) {
        if ((s.y > p.y) != (e.y > p.y) && x > p.x)
            inside = !inside;
    };
    for (const Piece& piece : outline) {
        if (!piece.arc) {
            const ZcGePoint2d& s = piece.start;
            const ZcGePoint2d& e = piece.end;
            if ((s.y > p.y) != (e.y > p.y))
                crossesAt(s, e, s.x + (p.y - s.y) * (e.x - s.x) / (e.y - s.y));
            continue;
        }
        // Split the arc where its height turns (at 90 and 270 degrees) so each
        // part crosses a horizontal line at most once, on a known side.
        std::vector<double> cuts{0.0};
        const double span = std::fabs(piece.sweep);
        const double dir = piece.sweep >= 0.0 ? 1.0 : -1.0;
        for (double turn : {kPi / 2.0, 3.0 * kPi / 2.0}) {
            const double d = dir > 0 ? normalizeAngle(turn - piece.startAngle) : normalizeAngle(piece.startAngle - turn);
            if (d > 0.0 && d < span)
                cuts.push_back(d);
        }
        std::sort(cuts.begin(), cuts.end());
        cuts.push_back(span);
        for (size_t i = 0; i + 1 < cuts.size(); ++i) {
            const ZcGePoint2d s = i == 0 ? piece.start : onCircle(piece.center, piece.radius, piece.startAngle + dir * cuts[i]);
            const ZcGePoint2d e = i + 2 == cuts.size() ? piece.end
                                                       : onCircle(piece.center, piece.radius, piece.startAngle + dir * cuts[i + 1]);
            if ((s.y > p.y) == (e.y > p.y))
                continue;
            const double mid = piece.startAngle + dir * (cuts[i] + cuts[i + 1]) / 2.0;
            const double side = std::cos(mid) >= 0.0 ? 1.0 : -1.0;
            const double dy = p.y - piece.center.y;
            crossesAt(s, e, piece.center.x + side * std::sqrt(std::max(0.0, piece.radius * piece.radius - dy * dy)));
        }
    }
    return inside;
}

}  // namespace platform::curve
