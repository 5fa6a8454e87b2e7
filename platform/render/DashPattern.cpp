#include "platform/render/DashPattern.h"

#include <algorithm>
#include <cmath>

#include "ZcDbLinetypeTable.h"

namespace platform {

double DashPattern::length() const
{
    double total = 0.0;
    for (double e : elements)
        total += std::fabs(e);
    return total;
}

bool DashPattern::isContinuous() const
{
    return std::none_of(elements.begin(), elements.end(), [](double e) { return e < 0.0; });
}

DashPattern dashPatternOf(const ZcDbLinetypeTableRecord* linetype, double scale)
{
    DashPattern p;
    if (!linetype || !(scale > 0.0) || !std::isfinite(scale))
        return p;
    for (int i = 0; i < linetype->numDashes(); ++i) {
        const double e = linetype->dashLengthAt(i) * scale;
        if (!std::isfinite(e))
            return {};
        p.elements.push_back(e);
    }
    if (!(p.length() > 0.0))
        p.elements.clear();
    return p;
}

std::vector<DashRun> dashRuns(double curveLength, const DashPattern& pattern, double minPatternLength)
{
    if (!(curveLength >= 0.0))
        return {};
    const double period = pattern.length();
    if (pattern.isContinuous() || !(period > 0.0) || curveLength < period || period < minPatternLength ||
        curveLength / period > kMaxDashRepeats)
        return {{0.0, curveLength}};

    std::vector<DashRun> runs;
    double at = 0.0;
    for (size_t i = 0; at < curveLength; i = (i + 1) % pattern.elements.size()) {
        const double e = pattern.elements[i];
        if (e >= 0.0) {
            const double to = std::min(at + e, curveLength);
            // Dashes that touch across a zero-length gap, or across the end
            // of one repetition and the start of the next, are one dash.
            if (!runs.empty() && runs.back().to >= at)
                runs.back().to = to;
            else
                runs.push_back({at, to});
        }
        at += std::fabs(e);
    }
    return runs;
}

std::vector<double> cumulativeLengths(const std::vector<curve::Piece>& pieces)
{
    std::vector<double> at{0.0};
    at.reserve(pieces.size() + 1);
    for (const curve::Piece& p : pieces)
        at.push_back(at.back() + curve::length(p));
    return at;
}

curve::Piece subPiece(const curve::Piece& piece, double t0, double t1)
{
    if (t0 <= 0.0 && t1 >= 1.0)
        return piece;
    curve::Piece part = piece;
    if (piece.arc) {
        part.startAngle = piece.startAngle + piece.sweep * t0;
        part.sweep = piece.sweep * (t1 - t0);
    }
    part.start = t0 <= 0.0 ? piece.start : curve::pointAt(piece, t0);
    part.end = t1 >= 1.0 ? piece.end : curve::pointAt(piece, t1);
    return part;
}

std::vector<PieceSpan> spansBetween(const std::vector<double>& cumulative, double from, double to)
{
    std::vector<PieceSpan> out;
    if (cumulative.size() < 2)
        return out;
    const size_t count = cumulative.size() - 1;
    // The first piece that ends at or after 'from'.
    size_t i = size_t(std::upper_bound(cumulative.begin() + 1, cumulative.end() - 1, from) - cumulative.begin()) - 1;
    for (; i < count; ++i) {
        const double start = cumulative[i], end = cumulative[i + 1];
        const double len = end - start;
        if (start > to)
            break;
        if (end < from || (len <= 0.0 && from != to))
            continue;
        const double t0 = len > 0.0 ? std::clamp((from - start) / len, 0.0, 1.0) : 0.0;
        const double t1 = len > 0.0 ? std::clamp((to - start) / len, 0.0, 1.0) : 0.0;
        if (from == to) {
            out.push_back({i, t0, t0});
            break;
        }
        if (t1 > t0)
            out.push_back({i, t0, t1});
    }
    return out;
}

std::vector<curve::Piece> piecesBetween(const std::vector<curve::Piece>& pieces,
                                        const std::vector<double>& cumulative, double from, double to)
{
    std::vector<curve::Piece> out;
    for (const PieceSpan& s : spansBetween(cumulative, from, to)) {
        if (s.index >= pieces.size())
            break;
        if (s.t0 == s.t1) {
            const ZcGePoint2d p = curve::pointAt(pieces[s.index], s.t0);
            out.push_back(curve::linePiece(p, p));
        } else {
            out.push_back(subPiece(pieces[s.index], s.t0, s.t1));
        }
    }
    return out;
}

}  // namespace platform
