#include "platform/render/WideOutline.h"

#include <algorithm>
#include <cmath>

#include "platform/render/DashPattern.h"

namespace platform {

namespace {

// A tapered arc is drawn as a polygon with a point at least every this
// many radians of its sweep (about 1.4 degrees: smooth at any picture size).
constexpr double kTaperStep = curve::kPi / 128.0;

Contour polygon(const std::vector<ZcGePoint2d>& points)
{
    Contour c;
    c.closed = true;
    for (size_t i = 0; i < points.size(); ++i)
        c.pieces.push_back(curve::linePiece(points[i], points[(i + 1) % points.size()]));
    return c;
}

// The unit direction of travel at a parameter of a piece.
ZcGeVector2d tangentAt(const curve::Piece& p, double t)
{
    if (!p.arc)
        return (p.end - p.start).normal();
    const double a = p.startAngle + p.sweep * t;
    const ZcGeVector2d radial(std::cos(a), std::sin(a));
    return p.sweep >= 0.0 ? radial.perpVector() : -radial.perpVector();
}

Contour segmentOutline(const WideSegment& s)
{
    const curve::Piece& c = s.centre;
    const double h0 = s.startWidth / 2.0, h1 = s.endWidth / 2.0;
    if (!c.arc) {
        const ZcGeVector2d n = tangentAt(c, 0.0).perpVector();
        return polygon({c.start + n * h0, c.end + n * h1, c.end - n * h1, c.start - n * h0});
    }
    if (h0 == h1) {
        // A ring sector: the outer arc out, the inner one back (a width
        // beyond the diameter closes the inner side at the centre).
        const double outer = c.radius + h0, inner = std::max(c.radius - h0, 0.0);
        Contour ring;
        ring.closed = true;
        const curve::Piece out = curve::arcPiece(c.center, outer, c.startAngle, c.sweep);
        ring.pieces.push_back(out);
        if (inner > 0.0) {
            const curve::Piece in = curve::reversed(curve::arcPiece(c.center, inner, c.startAngle, c.sweep));
            ring.pieces.push_back(curve::linePiece(out.end, in.start));
            ring.pieces.push_back(in);
            ring.pieces.push_back(curve::linePiece(in.end, out.start));
        } else {
            ring.pieces.push_back(curve::linePiece(out.end, c.center));
            ring.pieces.push_back(curve::linePiece(c.center, out.start));
        }
        return ring;
    }
    const int steps = std::max(8, int(std::ceil(std::fabs(c.sweep) / kTaperStep)));
    std::vector<ZcGePoint2d> outer, inner;
    for (int k = 0; k <= steps; ++k) {
        const double t = double(k) / steps;
        const double a = c.startAngle + c.sweep * t;
        const double h = h0 + (h1 - h0) * t;
        const ZcGeVector2d radial(std::cos(a), std::sin(a));
        outer.push_back(c.center + radial * (c.radius + h));
        inner.push_back(c.center + radial * std::max(c.radius - h, 0.0));
    }
    outer.insert(outer.end(), inner.rbegin(), inner.rend());
    return polygon(outer);
}

double signedArea(const Contour& c)
{
    if (c.pieces.empty())
        return 0.0;
    const ZcGePoint2d ref = c.pieces.front().start;
    double area = 0.0;
    for (const curve::Piece& p : c.pieces)
        area += curve::areaTerm(p, ref);
    return area;
}

// The wedge that fills the outer side of the turn from segment a into
// segment b at their common vertex; nothing where the line goes straight on
// or turns right back.
bool joinWedge(const WideSegment& a, const WideSegment& b, Contour& wedge)
{
    const double ha = a.endWidth / 2.0, hb = b.startWidth / 2.0;
    if (!(ha > 0.0) || !(hb > 0.0))
        return false;
    const ZcGePoint2d v = a.centre.end;
    const ZcGeVector2d ta = tangentAt(a.centre, 1.0), tb = tangentAt(b.centre, 0.0);
    const double cross = ta.crossProduct(tb);
    if (std::fabs(cross) < curve::kParallelTol)
        return false;
    // Turning left, the outer side is on the right.
    const double side = cross > 0.0 ? -1.0 : 1.0;
    const ZcGePoint2d pa = v + ta.perpVector() * (side * ha);
    const ZcGePoint2d pb = v + tb.perpVector() * (side * hb);
    const double s = (pb - pa).crossProduct(tb) / cross;
    const ZcGePoint2d mitre = pa + ta * s;
    if (mitre.distanceTo(v) <= kMitreLimit * std::max(ha, hb))
        wedge = polygon({v, pa, mitre, pb});
    else
        wedge = polygon({v, pa, pb});
    makeCounterClockwise(wedge);
    return true;
}

bool hasLength(const WideSegment& s) { return curve::length(s.centre) > 0.0; }

}  // namespace

void makeCounterClockwise(Contour& contour)
{
    if (signedArea(contour) >= 0.0)
        return;
    std::reverse(contour.pieces.begin(), contour.pieces.end());
    for (curve::Piece& p : contour.pieces)
        p = curve::reversed(p);
}

WideSegment subSegment(const WideSegment& s, double t0, double t1)
{
    const auto widthAt = [&](double t) { return s.startWidth + (s.endWidth - s.startWidth) * t; };
    return {subPiece(s.centre, t0, t1), widthAt(t0), widthAt(t1)};
}

std::vector<Contour> wideOutline(const std::vector<WideSegment>& chain, bool closed)
{
    std::vector<Contour> out;
    std::vector<const WideSegment*> real;
    for (const WideSegment& s : chain)
        if (hasLength(s))
            real.push_back(&s);
    for (const WideSegment* s : real) {
        Contour c = segmentOutline(*s);
        makeCounterClockwise(c);
        out.push_back(std::move(c));
    }
    const size_t joins = closed ? real.size() : (real.empty() ? 0 : real.size() - 1);
    for (size_t i = 0; i < joins && real.size() > 1; ++i) {
        Contour wedge;
        if (joinWedge(*real[i], *real[(i + 1) % real.size()], wedge))
            out.push_back(std::move(wedge));
    }
    return out;
}

}  // namespace platform
