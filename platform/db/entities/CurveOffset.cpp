#include "platform/db/entities/CurveOffset.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <deque>
#include <optional>
#include <unordered_map>
#include <utility>

namespace platform::curve {
namespace {

// The direction of travel at a piece's start or end.
ZcGeVector2d tangentAt(const Piece& p, bool atEnd)
{
    if (!p.arc)
        return (p.end - p.start).normal();
    const ZcGeVector2d radial = ((atEnd ? p.end : p.start) - p.center).normal();
    return p.sweep >= 0.0 ? radial.perpVector() : -radial.perpVector();
}

// Where an end of a piece goes when moved sideways, also for an arc that
// shrinks to nothing (past its centre).
ZcGePoint2d movedEnd(const Piece& p, bool atEnd, double distance)
{
    const ZcGeVector2d t = tangentAt(p, atEnd);
    return (atEnd ? p.end : p.start) + ZcGeVector2d(t.y, -t.x) * distance;
}

// A piece of the moved curve before its loops are cut away.
struct RawPiece {
    Piece piece;
    int source = -1;
    // Spans a corner's inside or an arc that shrank to nothing: it only keeps
    // the moved curve in one run and is never part of the result.
    bool bridge = false;
};

struct Box {
    double x0, y0, x1, y1;
};

Box boxOf(const Piece& p, double pad)
{
    ZcDbExtents e;
    addToExtents(e, p, 0.0);
    return {e.minPoint().x - pad, e.minPoint().y - pad, e.maxPoint().x + pad, e.maxPoint().y + pad};
}

bool overlap(const Box& a, const Box& b) { return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1; }

// Boxes filed under the cells of a square grid that they cover, so that
// those holding a point are found without looking at every one.
class BoxGrid {
public:
    explicit BoxGrid(std::vector<Box> boxes) : m_boxes(std::move(boxes))
    {
        double sum = 0.0;
        for (const Box& b : m_boxes)
            sum += std::max(b.x1 - b.x0, b.y1 - b.y0);
        // About the size of a box: each covers a few cells.
        m_cell = std::max(m_boxes.empty() ? 1.0 : sum / static_cast<double>(m_boxes.size()), kOnCurveTol);
        for (size_t i = 0; i < m_boxes.size(); ++i) {
            const Box& b = m_boxes[i];
            const int64_t ix0 = cellOf(b.x0), ix1 = cellOf(b.x1), iy0 = cellOf(b.y0), iy1 = cellOf(b.y1);
            if ((static_cast<double>(ix1 - ix0) + 1.0) * (static_cast<double>(iy1 - iy0) + 1.0) > kCellsPerBox) {
                m_large.push_back(i);
                continue;
            }
            for (int64_t ix = ix0; ix <= ix1; ++ix)
                for (int64_t iy = iy0; iy <= iy1; ++iy)
                    m_cells[{ix, iy}].push_back(i);
        }
    }

    // Calls f with the index of each box that holds p.
    template <class F>
    void forEachHolding(const ZcGePoint2d& p, F f) const
    {
        auto holds = [&](size_t i) {
            const Box& b = m_boxes[i];
            return p.x >= b.x0 && p.x <= b.x1 && p.y >= b.y0 && p.y <= b.y1;
        };
        for (size_t i : m_large)
            if (holds(i))
                f(i);
        if (const auto cell = m_cells.find({cellOf(p.x), cellOf(p.y)}); cell != m_cells.end())
            for (size_t i : cell->second)
                if (holds(i))
                    f(i);
    }

private:
    // A box over more cells than this is looked at for every point instead.
    static constexpr double kCellsPerBox = 64;
    struct CellHash {
        size_t operator()(const std::pair<int64_t, int64_t>& c) const noexcept
        {
            return std::hash<uint64_t>()(static_cast<uint64_t>(c.first) * 73856093u ^
                                         static_cast<uint64_t>(c.second) * 19349663u);
        }
    };

    int64_t cellOf(double v) const
    {
        // Far-off coordinates share the end cells rather than overflow.
        return static_cast<int64_t>(std::clamp(std::floor(v / m_cell), -1e15, 1e15));
    }

    std::vector<Box> m_boxes;
    double m_cell = 1.0;
    std::vector<size_t> m_large;
    std::unordered_map<std::pair<int64_t, int64_t>, std::vector<size_t>, CellHash> m_cells;
};

// The part of a piece between two of its parameters, with ends given
// exactly; an arc's sweep follows the ends, so that the polyline segment
// from them has the arc's radius.
Piece part(const Piece& p, double t0, double t1, const ZcGePoint2d& from, const ZcGePoint2d& to)
{
    if (!p.arc)
        return linePiece(from, to);
    const double a0 = std::atan2(from.y - p.center.y, from.x - p.center.x);
    const double a1 = std::atan2(to.y - p.center.y, to.x - p.center.x);
    const double sweep = p.sweep * (t1 - t0);
    Piece q = arcPiece(p.center, p.radius, a0, sweep + normalizeAngle(a1 - a0 - sweep + kPi) - kPi);
    q.start = from;
    q.end = to;
    return q;
}

class Offsetter {
public:
    Offsetter(const std::vector<Piece>& pieces, bool closed, double distance)
        : m_pieces(pieces), m_closed(closed), m_distance(distance), m_reach(std::fabs(distance))
    {
    }

    std::vector<OffsetChain> run()
    {
        buildRaw();
        findCuts();
        keepValidParts();
        return stitch();
    }

private:
    struct Cut {
        double t;
        ZcGePoint2d point;
        bool crossing;  // of the moved curve itself, not of a circle
    };
    struct Slice {
        Piece piece;
        size_t raw;
        double t0, t1;
    };

    void buildRaw()
    {
        const size_t n = m_pieces.size();
        std::vector<std::optional<Piece>> moved(n);
        for (size_t i = 0; i < n; ++i)
            moved[i] = offset(m_pieces[i], m_distance);
        // Joins first: a corner met by extension moves the neighbours' ends.
        std::vector<std::optional<RawPiece>> joins(n);
        for (size_t i = m_closed ? 0 : 1; i < n; ++i)
            joins[i] = join(moved, (i + n - 1) % n, i);
        for (size_t i = 0; i < n; ++i) {
            if (i > 0 && joins[i])
                m_raw.push_back(*joins[i]);
            if (moved[i]) {
                m_raw.push_back({*moved[i], static_cast<int>(i), false});
                continue;
            }
            const ZcGePoint2d from = movedEnd(m_pieces[i], false, m_distance);
            const ZcGePoint2d to = movedEnd(m_pieces[i], true, m_distance);
            if (from.distanceTo(to) > kOnCurveTol)
                m_raw.push_back({linePiece(from, to), -1, true});
        }
        if (m_closed && joins[0])
            m_raw.push_back(*joins[0]);
    }

    // What joins the moved segments a and b at the vertex between them.
    std::optional<RawPiece> join(std::vector<std::optional<Piece>>& moved, size_t a, size_t b)
    {
        const ZcGePoint2d corner = m_pieces[b].start;
        const ZcGePoint2d from = moved[a] ? moved[a]->end : movedEnd(m_pieces[a], true, m_distance);
        const ZcGePoint2d to = moved[b] ? moved[b]->start : movedEnd(m_pieces[b], false, m_distance);
        if (from.distanceTo(to) <= kOnCurveTol)
            return std::nullopt;  // the segments meet tangentially
        const ZcGeVector2d ta = tangentAt(m_pieces[a], true);
        const ZcGeVector2d tb = tangentAt(m_pieces[b], false);
        const double turn = cross(ta, tb);
        const bool outside = turn * m_distance > 0.0 || (std::fabs(turn) <= kParallelTol && ta.dotProduct(tb) < 0.0);
        if (!outside) {
            // Inside a corner the moved neighbours overlap: cut both where
            // they cross nearest the corner. Their ends beyond are nearer the
            // other segment than the offset, though at a shallow corner by
            // less than any tolerance could tell.
            if (moved[a] && moved[b]) {
                const std::vector<Hit> hits = intersect(*moved[a], false, *moved[b], false);
                const auto overlap = [&](const Hit& h) {
                    return (1.0 - h.t) * length(*moved[a]) + h.u * length(*moved[b]);
                };
                const auto nearest = std::min_element(
                    hits.begin(), hits.end(), [&](const Hit& x, const Hit& y) { return overlap(x) < overlap(y); });
                if (nearest != hits.end()) {
                    moved[a] = part(*moved[a], 0.0, nearest->t, moved[a]->start, nearest->point);
                    moved[b] = part(*moved[b], nearest->u, 1.0, nearest->point, moved[b]->end);
                    return std::nullopt;
                }
            }
            return RawPiece{linePiece(from, to), -1, true};
        }
        if (moved[a] && moved[b] && !moved[a]->arc && !moved[b]->arc) {
            const std::vector<Hit> hits = intersect(*moved[a], true, *moved[b], true);
            if (!hits.empty() && hits.front().point.distanceTo(corner) <= kMitreLimit * m_reach) {
                moved[a]->end = moved[b]->start = hits.front().point;
                m_mitres.push_back({corner, from, hits.front().point, to});
                return std::nullopt;
            }
        }
        const double a0 = std::atan2(from.y - corner.y, from.x - corner.x);
        const double a1 = std::atan2(to.y - corner.y, to.x - corner.x);
        const double sweep = m_distance > 0.0 ? normalizeAngle(a1 - a0) : -normalizeAngle(a0 - a1);
        Piece round = arcPiece(corner, m_reach, a0, sweep);
        round.start = from;
        round.end = to;
        return RawPiece{round, -1, false};
    }

    // Every place where the moved curve crosses itself or the rest of the
    // band of points within the offset of the curve (each segment moved the
    // other way, a circle of the offset's radius about each vertex): only
    // there can a piece pass from the right distance to too near.
    void findCuts()
    {
        std::vector<Piece> cutters;
        for (const Piece& p : m_pieces) {
            cutters.push_back(arcPiece(p.start, m_reach, 0.0, kTwoPi));
            if (const std::optional<Piece> other = offset(p, -m_distance))
                cutters.push_back(*other);
        }
        cutters.push_back(arcPiece(m_pieces.back().end, m_reach, 0.0, kTwoPi));
        struct Item {
            Piece piece;
            Box box;
            size_t raw;  // m_raw.size() for a circle
        };
        std::vector<Item> items;
        for (size_t i = 0; i < m_raw.size(); ++i)
            if (!m_raw[i].bridge)
                items.push_back({m_raw[i].piece, boxOf(m_raw[i].piece, kOnCurveTol), i});
        for (const Piece& c : cutters)
            items.push_back({c, boxOf(c, kOnCurveTol), m_raw.size()});
        std::sort(items.begin(), items.end(), [](const Item& x, const Item& y) { return x.box.x0 < y.box.x0; });
        m_cuts.assign(m_raw.size(), {});
        std::vector<size_t> active;
        for (size_t k = 0; k < items.size(); ++k) {
            const Item& item = items[k];
            std::erase_if(active, [&](size_t j) { return items[j].box.x1 < item.box.x0; });
            for (size_t j : active)
                if (overlap(items[j].box, item.box))
                    addCuts(items[j], item);
            active.push_back(k);
        }
    }

    template <class Item>
    void addCuts(const Item& x, const Item& y)
    {
        const size_t none = m_raw.size();
        if (x.raw == none && y.raw == none)
            return;
        const bool crossing = x.raw != none && y.raw != none;
        for (const Hit& hit : intersect(x.piece, false, y.piece, false)) {
            if (crossing && adjacentEnds(x.raw, y.raw, hit.point))
                continue;
            if (!crossing && grazes(x.raw == none ? y.piece : x.piece, x.raw == none ? x.piece : y.piece, hit.point))
                continue;
            if (x.raw != none)
                m_cuts[x.raw].push_back({hit.t, hit.point, crossing});
            if (y.raw != none)
                m_cuts[y.raw].push_back({hit.u, hit.point, crossing});
        }
    }

    // A piece that only touches a circle does not pass inside it; a moved
    // segment touches the circles about its own vertices at its ends.
    static bool grazes(const Piece& piece, const Piece& cutter, const ZcGePoint2d& p)
    {
        if (!cutter.arc || std::fabs(cutter.sweep) < kTwoPi)
            return false;
        const ZcGeVector2d along =
            piece.arc ? (p - piece.center).normal().perpVector() : (piece.end - piece.start).normal();
        return std::fabs(along.dotProduct((p - cutter.center).normal())) < kGrazingCos;
    }

    // Neighbours in the run meet at their shared end; that is no crossing.
    bool adjacentEnds(size_t i, size_t j, const ZcGePoint2d& p) const
    {
        const size_t n = m_raw.size();
        auto meets = [&](size_t first, size_t second) {
            const bool next = second == first + 1 || (m_closed && first + 1 == n && second == 0);
            return next && p.distanceTo(m_raw[first].piece.end) <= kOnCurveTol;
        };
        return meets(i, j) || meets(j, i);
    }

    double distanceToCurve(const ZcGePoint2d& p) const
    {
        double best = m_reach;  // only whether something is nearer matters
        m_near->forEachHolding(
            p, [&](size_t i) { best = std::min(best, p.distanceTo(closestPoint(m_pieces[i], p, false).point)); });
        return best;
    }

    // Whether a point lies inside the corner that extended lines fill out
    // beyond the circle about it: the offset's own band, though at least the
    // offset away from the curve.
    bool inMitre(const ZcGePoint2d& p) const
    {
        bool found = false;
        m_mitreGrid->forEachHolding(p, [&](size_t i) {
            const std::array<ZcGePoint2d, 4>& m = m_mitres[i];
            const double turn = cross(m[1] - m[0], m[3] - m[0]) >= 0.0 ? 1.0 : -1.0;
            bool inside = true;
            for (size_t k = 0; k < 4 && inside; ++k) {
                const ZcGeVector2d edge = m[(k + 1) % 4] - m[k];
                inside = turn * cross(edge, p - m[k]) > kOffsetKeepTol * edge.length();
            }
            found = found || inside;
        });
        return found;
    }

    bool valid(const Piece& p) const
    {
        for (double t : {0.25, 0.5, 0.75}) {
            const ZcGePoint2d q = pointAt(p, t);
            if (distanceToCurve(q) < m_reach - kOffsetKeepTol || inMitre(q))
                return false;
        }
        return true;
    }

    void keepValidParts()
    {
        std::vector<Box> near, mitres;
        for (const Piece& p : m_pieces)
            near.push_back(boxOf(p, m_reach));
        for (const std::array<ZcGePoint2d, 4>& m : m_mitres) {
            Box b{m[0].x, m[0].y, m[0].x, m[0].y};
            for (const ZcGePoint2d& c : m)
                b = {std::min(b.x0, c.x), std::min(b.y0, c.y), std::max(b.x1, c.x), std::max(b.y1, c.y)};
            mitres.push_back(b);
        }
        m_near.emplace(std::move(near));
        m_mitreGrid.emplace(std::move(mitres));
        for (size_t i = 0; i < m_raw.size(); ++i) {
            if (m_raw[i].bridge)
                continue;
            const Piece& p = m_raw[i].piece;
            std::vector<Cut> cuts = m_cuts[i];
            std::sort(cuts.begin(), cuts.end(), [](const Cut& x, const Cut& y) { return x.t < y.t; });
            std::vector<Cut> kept{{0.0, p.start, false}};
            for (const Cut& c : cuts) {
                if (c.point.distanceTo(p.end) <= kCutMergeTol)
                    break;
                if (c.point.distanceTo(kept.back().point) > kCutMergeTol)
                    kept.push_back(c);
                else if (c.crossing && !kept.back().crossing && kept.size() > 1)
                    kept.back() = c;  // the other side of the crossing ends at this very point
            }
            kept.push_back({1.0, p.end, false});
            for (size_t k = 0; k + 1 < kept.size(); ++k) {
                const Piece q = part(p, kept[k].t, kept[k + 1].t, kept[k].point, kept[k + 1].point);
                if (valid(q))
                    m_slices.push_back({q, i, kept[k].t, kept[k + 1].t});
            }
        }
    }

    // The slice that carries on from slice k's end (forward) or leads into
    // its start: the first unused one in run order from k that meets it, or
    // failing that the nearest within the gap that rounding leaves where
    // moved pieces cross at a shallow angle.
    std::optional<size_t> neighbour(size_t k, bool forward, const std::vector<bool>& used) const
    {
        const size_t n = m_slices.size();
        const ZcGePoint2d& at = forward ? m_slices[k].piece.end : m_slices[k].piece.start;
        std::optional<size_t> nearest;
        double gap = kStitchGapTol;
        for (size_t step = 1; step < n; ++step) {
            const size_t j = forward ? (k + step) % n : (k + n - step) % n;
            if (used[j])
                continue;
            const double d = (forward ? m_slices[j].piece.start : m_slices[j].piece.end).distanceTo(at);
            if (d <= kOnCurveTol)
                return j;
            if (d <= gap) {
                gap = d;
                nearest = j;
            }
        }
        return nearest;
    }

    std::vector<OffsetChain> stitch()
    {
        std::vector<OffsetChain> chains;
        std::vector<bool> used(m_slices.size(), false);
        for (size_t s = 0; s < m_slices.size(); ++s) {
            if (used[s])
                continue;
            used[s] = true;
            std::deque<size_t> run{s};
            while (const std::optional<size_t> next = neighbour(run.back(), true, used)) {
                used[*next] = true;
                meet(m_slices[run.back()], m_slices[*next]);
                run.push_back(*next);
            }
            while (const std::optional<size_t> previous = neighbour(run.front(), false, used)) {
                used[*previous] = true;
                meet(m_slices[*previous], m_slices[run.front()]);
                run.push_front(*previous);
            }
            OffsetChain chain = chainOf(run);
            // Also an open curve's offset may close: round a pocket that the
            // curve curls about.
            chain.closed = chain.pieces.size() > 1 && m_slices[run.back()].piece.end.distanceTo(
                                                          m_slices[run.front()].piece.start) <= kStitchGapTol;
            if (chain.closed)
                chain.pieces.back().piece.end = chain.pieces.front().piece.start;
            if (length(chain) > kStitchGapTol)  // not a sliver between crossings
                chains.push_back(std::move(chain));
        }
        std::stable_sort(chains.begin(), chains.end(),
                         [](const OffsetChain& x, const OffsetChain& y) { return length(x) > length(y); });
        // Where the corners of two moved segments both extend over the same
        // stretch (across a slot narrower than the offset), both are kept:
        // the longer chain runs over it, and what is left of the other
        // lies on it.
        std::vector<OffsetChain> kept;
        for (OffsetChain& chain : chains)
            if (!liesOn(chain, kept))
                kept.push_back(std::move(chain));
        return kept;
    }

    static bool liesOn(const OffsetChain& chain, const std::vector<OffsetChain>& others)
    {
        return std::all_of(chain.pieces.begin(), chain.pieces.end(), [&](const OffsetPiece& p) {
            const ZcGePoint2d middle = pointAt(p.piece, 0.5);
            for (const OffsetChain& other : others)
                for (const OffsetPiece& q : other.pieces)
                    if (middle.distanceTo(closestPoint(q.piece, middle, false).point) <= kOnCurveTol)
                        return true;
            return false;
        });
    }

    // Two slices whose ends rounding has left apart meet where their pieces
    // cross near the gap (a slice of an arc stays on its circle), else at the
    // first one's end.
    void meet(Slice& first, Slice& second) const
    {
        ZcGePoint2d at = first.piece.end;
        if (at.distanceTo(second.piece.start) > kOnCurveTol) {
            const ZcGePoint2d gap = at + (second.piece.start - at) * 0.5;
            for (const Hit& hit : intersect(m_raw[first.raw].piece, true, m_raw[second.raw].piece, true))
                if (hit.point.distanceTo(gap) < at.distanceTo(gap) + kStitchGapTol &&
                    hit.point.distanceTo(gap) <= kStitchGapTol)
                    at = hit.point;
        }
        first.piece.end = second.piece.start = at;
    }

    // The slices of a run as pieces; a piece that was cut at a crossing where
    // both sides are kept is one piece again.
    OffsetChain chainOf(const std::deque<size_t>& run) const
    {
        std::vector<Slice> merged;
        for (size_t k : run) {
            const Slice& s = m_slices[k];
            if (!merged.empty() && merged.back().raw == s.raw && merged.back().t1 == s.t0) {
                merged.back().t1 = s.t1;
                merged.back().piece.end = s.piece.end;
            } else {
                merged.push_back(s);
            }
        }
        OffsetChain chain;
        for (const Slice& s : merged) {
            const RawPiece& raw = m_raw[s.raw];
            chain.pieces.push_back({part(raw.piece, s.t0, s.t1, s.piece.start, s.piece.end), raw.source});
        }
        return chain;
    }

    const std::vector<Piece>& m_pieces;
    bool m_closed;
    double m_distance;
    double m_reach;
    std::vector<RawPiece> m_raw;
    std::vector<std::array<ZcGePoint2d, 4>> m_mitres;  // corner, the two moved ends, the meeting point
    std::vector<std::vector<Cut>> m_cuts;
    std::optional<BoxGrid> m_near;       // the segments' boxes grown by the offset
    std::optional<BoxGrid> m_mitreGrid;  // the boxes of m_mitres
    std::vector<Slice> m_slices;
};

}  // namespace

double length(const OffsetChain& chain)
{
    double sum = 0.0;
    for (const OffsetPiece& p : chain.pieces)
        sum += length(p.piece);
    return sum;
}

std::vector<OffsetChain> offsetChain(const std::vector<Piece>& pieces, bool closed, double distance)
{
    if (pieces.empty() || !std::isfinite(distance))
        return {};
    if (distance == 0.0) {
        OffsetChain same{{}, closed};
        for (size_t i = 0; i < pieces.size(); ++i)
            same.pieces.push_back({pieces[i], static_cast<int>(i)});
        return {same};
    }
    return Offsetter(pieces, closed, distance).run();
}

}  // namespace platform::curve
