#include "platform/render/HatchPattern.h"

#include <algorithm>
#include <cmath>

#include "ZcDbExtents.h"
#include "platform/db/entities/Finite.h"

namespace platform {

namespace {

// Stretches of a pattern line shorter than this (relative to the area's
// size) lie between two crossings of one corner, not inside the area.
constexpr double kSliverTol = 1e-12;
// Lines further from the base than this many spacings cannot be placed to
// within a ten-thousandth of their spacing: such a pattern is too fine.
constexpr double kMaxLineIndex = 1e12;

// A stretch whose middle lies this close to a loop (relative to the area's
// size) runs along the boundary: the loop's own line, not the pattern's.
constexpr double kOnBoundaryTol = 1e-9;

bool onBoundary(const HatchArea& area, const ZcGePoint2d& p, double tol)
{
    for (const Contour& c : area.loops)
        for (const curve::Piece& piece : c.pieces)
            if (curve::closestPoint(piece, p, false).point.distanceTo(p) <= tol)
                return true;
    return false;
}

bool insideArea(const HatchArea& area, const ZcGePoint2d& p)
{
    int depth = 0;
    for (const Contour& c : area.loops)
        depth += curve::isInside(c.pieces, p) ? 1 : 0;
    return area.evenOdd ? depth % 2 == 1 : depth > 0;
}

struct Family {
    ZcGeVector2d along, across;
    double spacing = 0.0;  // signed distance between neighbouring lines, across
    double period = 0.0;   // of the dashes; 0: continuous
};

// The direction, spacing and dash period of a family; false when they cannot be used.
bool familyOf(const ZcDbHatch::PatternLine& line, double minPattern, Family& f)
{
    f.along = {std::cos(line.angle), std::sin(line.angle)};
    f.across = f.along.perpVector();
    f.spacing = line.offset.dotProduct(f.across);
    if (!std::isfinite(f.spacing) || f.spacing == 0.0 || !isFinite(line.base))
        return false;
    for (double d : line.dashes) {
        if (!isFinite(d))
            return false;
        f.period += std::fabs(d);
    }
    // With no length to repeat, or too short to show, a dashed line is drawn whole.
    if (!(f.period > minPattern) || line.dashes.empty())
        f.period = 0.0;
    return true;
}

// Adds the dashes and dots of a line that fall within [u0, u1] (measured
// from the line's origin); false when the strokes run past the limit.
bool addDashes(const ZcDbHatch::PatternLine& line, const Family& f, const ZcGePoint2d& origin, double u0, double u1,
               std::vector<Contour>& strokes)
{
    const auto at = [&](double u) { return origin + f.along * u; };
    if (f.period == 0.0) {
        strokes.push_back({{curve::linePiece(at(u0), at(u1))}, false});
        return strokes.size() <= kMaxPatternStrokes;
    }
    if ((u1 - u0) / f.period * double(line.dashes.size()) > double(kMaxPatternStrokes))
        return false;
    // Periods are counted, not summed, so that rounding cannot stop the count.
    const double first = std::floor(u0 / f.period) * f.period;
    const long periods = long(std::ceil((u1 - first) / f.period));
    for (long j = 0; j < periods; ++j) {
        double u = first + f.period * double(j);
        for (double d : line.dashes) {
            const double len = std::fabs(d);
            if (d > 0.0 && u + len > u0 && u < u1)
                strokes.push_back({{curve::linePiece(at(std::max(u, u0)), at(std::min(u + len, u1)))}, false});
            else if (d == 0.0 && u >= u0 && u <= u1)
                strokes.push_back({{curve::linePiece(at(u), at(u))}, false});
            u += len;
        }
        if (strokes.size() > kMaxPatternStrokes)
            return false;
    }
    return true;
}

}  // namespace

PatternStrokes patternStrokes(const std::vector<ZcDbHatch::PatternLine>& lines, const HatchArea& area,
                              double minPattern)
{
    PatternStrokes out;
    ZcDbExtents box;
    size_t pieces = 0;
    for (const Contour& c : area.loops)
        for (const curve::Piece& p : c.pieces) {
            curve::addToExtents(box, p, 0.0);
            ++pieces;
        }
    if (box.isEmpty())
        return out;
    const ZcGePoint2d lo = box.minPoint().convert2d(), hi = box.maxPoint().convert2d();
    const double size = std::max(hi.x - lo.x, hi.y - lo.y);
    const ZcGePoint2d corners[] = {lo, {hi.x, lo.y}, hi, {lo.x, hi.y}};

    for (const ZcDbHatch::PatternLine& line : lines) {
        Family f;
        if (!familyOf(line, minPattern, f)) {
            out = {PatternStrokes::Outcome::NoSpacing, {}};
            return out;
        }
        // The lines k that cross the area's box: base + k * offset lies at k * spacing across.
        double kMin = HUGE_VAL, kMax = -HUGE_VAL;
        for (const ZcGePoint2d& c : corners) {
            const double k = (c - line.base).dotProduct(f.across) / f.spacing;
            kMin = std::min(kMin, k);
            kMax = std::max(kMax, k);
        }
        kMin = std::ceil(kMin);
        kMax = std::floor(kMax);
        if (!(kMax - kMin < kMaxPatternLines) || (kMax - kMin) * double(pieces) > kMaxPatternWork ||
            std::fabs(kMin) > kMaxLineIndex || std::fabs(kMax) > kMaxLineIndex) {
            out = {PatternStrokes::Outcome::TooMany, {}};
            return out;
        }
        const long count = long(kMax - kMin) + 1;
        for (long j = 0; j < count; ++j) {
            const ZcGePoint2d origin = line.base + line.offset * (kMin + double(j));
            const curve::Piece ray = curve::linePiece(origin, origin + f.along);
            std::vector<double> cuts;
            for (const Contour& c : area.loops)
                for (const curve::Piece& p : c.pieces)
                    for (const curve::Hit& hit : curve::intersect(ray, true, p, false))
                        cuts.push_back(hit.t);
            std::sort(cuts.begin(), cuts.end());
            for (size_t i = 0; i + 1 < cuts.size(); ++i) {
                const double u0 = cuts[i], u1 = cuts[i + 1];
                const ZcGePoint2d middle = origin + f.along * ((u0 + u1) / 2.0);
                if (u1 - u0 <= kSliverTol * size || !insideArea(area, middle) ||
                    onBoundary(area, middle, kOnBoundaryTol * size))
                    continue;
                if (!addDashes(line, f, origin, u0, u1, out.strokes)) {
                    out = {PatternStrokes::Outcome::TooMany, {}};
                    return out;
                }
            }
        }
    }
    return out;
}

}  // namespace platform
