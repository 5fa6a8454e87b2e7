// Entities of the object model from their DXF tags. A builder gives up
// (null) on anything the model cannot carry, so that the entity is kept as
// read rather than changed.

#include "platform/dxf/DxfEntityBuilders.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <memory>
#include <numbers>
#include <string>
#include <tuple>

#include "ZcDbArc.h"
#include "ZcDbAttribute.h"
#include "ZcDbAttributeDefinition.h"
#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "ZcDbCircle.h"
#include "ZcDbEllipse.h"
#include "ZcDbHatch.h"
#include "ZcDbLeader.h"
#include "ZcDbLine.h"
#include "ZcDbMText.h"
#include "ZcDbPoint.h"
#include "ZcDbPolyline.h"
#include "ZcDbSpline.h"
#include "ZcDbText.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/SymbolName.h"
#include "platform/dxf/DxfGroupCodes.h"
#include "platform/dxf/DxfReadContext.h"

namespace platform {

namespace {

constexpr double kDegrees = std::numbers::pi / 180.0;
// Ends of hatch boundary edges this close are one corner: edges a CAD
// program chained meet to within rounding of their stored values.
constexpr double kEdgeJoinTol = 1e-7;
// An elliptic hatch edge is drawn with this many chords per turn: they
// stray from it by under a ten-thousandth of its major radius.
constexpr int kEllipseEdgeChords = 256;

struct Point {
    double x = 0.0, y = 0.0, z = 0.0;
};

ZcGePoint3d point3d(const Point& p) { return {p.x, p.y, p.z}; }

// A coordinate of a point whose x has the code base: false when the tag is
// not one; on a bad value the context fails (check ok).
bool coordinate(DxfReadContext& ctx, const DxfTag& t, int base, Point& p, bool& ok)
{
    if (t.code == base)
        ok = ctx.real(t, p.x);
    else if (t.code == base + 10)
        ok = ctx.real(t, p.y);
    else if (t.code == base + 20)
        ok = ctx.real(t, p.z);
    else
        return false;
    return true;
}

bool isZAxis(const Point& n)
{
    return std::fabs(n.x) < kUnitTol && std::fabs(n.y) < kUnitTol && std::fabs(n.z - 1.0) < kUnitTol;
}

bool isMarker(const DxfTag& t, std::initializer_list<std::string_view> markers)
{
    for (const std::string_view m : markers)
        if (t.value == m)
            return true;
    return false;
}

// What every builder checks: thickness and extrusion at their defaults.
struct Plane {
    Point normal{0.0, 0.0, 1.0};
    double thickness = 0.0;
    // Takes the tag when it is one of these; ok false on a bad value.
    bool take(DxfReadContext& ctx, const DxfTag& t, bool& ok)
    {
        if (t.code == 39) {
            ok = ctx.real(t, thickness);
            return true;
        }
        return coordinate(ctx, t, 210, normal, ok);
    }
    bool flat() const { return thickness == 0.0 && isZAxis(normal); }
};

template <class T>
using Owned = std::unique_ptr<T>;

ZcDbEntity* line(DxfReadContext& ctx, const DxfEntityBody& body)
{
    Point a, b;
    Plane plane;
    for (const DxfTag* t : body) {
        bool ok = true;
        if (t->code == 100) {
            if (!isMarker(*t, {"AcDbLine"}))
                return nullptr;
        } else if (!coordinate(ctx, *t, 10, a, ok) && !coordinate(ctx, *t, 11, b, ok) && !plane.take(ctx, *t, ok)) {
            return nullptr;
        }
        if (!ok)
            return nullptr;
    }
    if (!plane.flat())
        return nullptr;
    Owned<ZcDbLine> e(new ZcDbLine);
    if (e->setStartPoint(point3d(a)) != Zcad::eOk || e->setEndPoint(point3d(b)) != Zcad::eOk)
        return nullptr;
    return e.release();
}

// CIRCLE and ARC: centre and radius, and the angles of an arc.
ZcDbEntity* circleOrArc(DxfReadContext& ctx, const DxfEntityBody& body, bool arc)
{
    Point c;
    Plane plane;
    double radius = 0.0, start = 0.0, end = 0.0;
    for (const DxfTag* t : body) {
        bool ok = true;
        switch (t->code) {
        case 100:
            if (!isMarker(*t, {"AcDbCircle"}) && !(arc && isMarker(*t, {"AcDbArc"})))
                return nullptr;
            break;
        case 40:
            ok = ctx.real(*t, radius);
            break;
        case 50:
        case 51:
            if (!arc)
                return nullptr;
            ok = ctx.real(*t, t->code == 50 ? start : end);
            break;
        default:
            if (!coordinate(ctx, *t, 10, c, ok) && !plane.take(ctx, *t, ok))
                return nullptr;
        }
        if (!ok)
            return nullptr;
    }
    if (!plane.flat())
        return nullptr;
    if (!arc) {
        Owned<ZcDbCircle> e(new ZcDbCircle);
        if (e->setCenter(point3d(c)) != Zcad::eOk || e->setRadius(radius) != Zcad::eOk)
            return nullptr;
        return e.release();
    }
    Owned<ZcDbArc> e(new ZcDbArc);
    if (e->setCenter(point3d(c)) != Zcad::eOk || e->setRadius(radius) != Zcad::eOk ||
        e->setStartAngle(start * kDegrees) != Zcad::eOk || e->setEndAngle(end * kDegrees) != Zcad::eOk)
        return nullptr;
    return e.release();
}

ZcDbEntity* lwpolyline(DxfReadContext& ctx, const DxfEntityBody& body)
{
    using Vertex = DxfReadContext::LightVertex;
    std::vector<Vertex>& vertices = ctx.vertices;
    vertices.clear();
    int flags = 0;
    double constantWidth = 0.0, elevation = 0.0;
    bool hasConstantWidth = false;
    Plane plane;
    for (const DxfTag* t : body) {
        bool ok = true;
        Vertex* v = vertices.empty() ? nullptr : &vertices.back();
        switch (t->code) {
        case 100:
            if (!isMarker(*t, {"AcDbPolyline"}))
                return nullptr;
            break;
        case 10:
            vertices.emplace_back();
            ok = ctx.real(*t, vertices.back().x);
            break;
        case 20:
            if (!v || v->hasY)
                return nullptr;
            v->hasY = true;
            ok = ctx.real(*t, v->y);
            break;
        case 40:
        case 41: {
            if (!v)
                return nullptr;
            double& width = t->code == 40 ? v->start : v->end;
            (t->code == 40 ? v->hasStart : v->hasEnd) = true;
            ok = ctx.real(*t, width);
            if (ok && width < 0.0)
                return nullptr;
            break;
        }
        case 42:
            if (!v)
                return nullptr;
            ok = ctx.real(*t, v->bulge);
            break;
        case 90: {
            int64_t count = 0;
            ok = ctx.integer(*t, count);
            break;
        }
        case 91: {
            // Vertex identifiers: kept only when there are none.
            int64_t id = 0;
            ok = ctx.integer(*t, id);
            if (ok && id != 0)
                return nullptr;
            break;
        }
        case 70:
            ok = ctx.integer(*t, flags, -32768, 32767);
            break;
        case 43:
            ok = ctx.real(*t, constantWidth);
            hasConstantWidth = true;
            break;
        case 38:
            ok = ctx.real(*t, elevation);
            break;
        default:
            if (!plane.take(ctx, *t, ok))
                return nullptr;
        }
        if (!ok)
            return nullptr;
    }
    if (!plane.flat() || (flags & ~(1 | 128)) != 0 || constantWidth < 0.0)
        return nullptr;
    Owned<ZcDbPolyline> e(new ZcDbPolyline(unsigned(vertices.size())));
    e->setClosed(flags & 1);
    e->setPlinegen(flags & 128);
    if (e->setElevation(elevation) != Zcad::eOk)
        return nullptr;
    if (hasConstantWidth && e->setConstantWidth(constantWidth) != Zcad::eOk)
        return nullptr;
    for (unsigned i = 0; i < vertices.size(); ++i) {
        Vertex& v = vertices[i];
        if (!v.hasY)
            return nullptr;
        // A vertex that gives one width has 0 for the other.
        if (v.hasStart || v.hasEnd) {
            v.start = v.hasStart ? v.start : 0.0;
            v.end = v.hasEnd ? v.end : 0.0;
        }
        if (e->addVertexAt(i, {v.x, v.y}, v.bulge, v.start, v.end) != Zcad::eOk)
            return nullptr;
    }
    return e.release();
}

// The outline of a hatch loop given by edges: lines and circular arcs
// become vertices and bulges, elliptic arcs chords (their edges kept as read
// for writing back). Edges that run round more than once, each run closing
// on itself, make a loop per run. Other edges cannot be carried.
bool edgeOutline(DxfReadContext& ctx, const DxfEntityBody& body, size_t& i, const ZcDbHatch::Loop& model,
                 std::vector<ZcDbHatch::Loop>& out)
{
    struct Edge {
        int type = 0;
        Point a, b;  // a line's start and end; an arc's centre in a (an ellipse's major axis in b)
        double radius = 0.0, start = 0.0, end = 0.0;  // an ellipse's ratio in radius
        int ccw = 1;
    };
    const size_t first = i;
    std::vector<Edge> edges;
    while (i < body.size() && body[i]->code == 72) {
        Edge edge;
        if (!ctx.integer(*body[i], edge.type, -32768, 32767) || edge.type < 1 || edge.type > 3)
            return false;
        for (++i; i < body.size(); ++i) {
            const DxfTag& t = *body[i];
            const int c = t.code;
            bool ok = true;
            if (c == 10 || c == 20)
                ok = ctx.real(t, c == 10 ? edge.a.x : edge.a.y);
            else if (edge.type != 2 && (c == 11 || c == 21))
                ok = ctx.real(t, c == 11 ? edge.b.x : edge.b.y);
            else if (edge.type != 1 && c == 40)
                ok = ctx.real(t, edge.radius);
            else if (edge.type != 1 && (c == 50 || c == 51))
                ok = ctx.real(t, c == 50 ? edge.start : edge.end);
            else if (edge.type != 1 && c == 73)
                ok = ctx.integer(t, edge.ccw, -32768, 32767);
            else
                break;
            if (!ok)
                return false;
        }
        if (edge.type != 1 && !(edge.radius > 0.0))
            return false;
        // A clockwise elliptic edge is not one other programs agree on.
        if (edge.type == 3 && (!edge.ccw || edge.radius > 1.0 || std::hypot(edge.b.x, edge.b.y) == 0.0))
            return false;
        edges.push_back(edge);
    }
    // A clockwise arc's angles are stored as their complements.
    const auto at = [](const Edge& e, double degrees) {
        const double a = (e.ccw ? degrees : -degrees) * kDegrees;
        return ZcGePoint2d(e.a.x + e.radius * std::cos(a), e.a.y + e.radius * std::sin(a));
    };
    // An elliptic edge's angles are true angles from its major axis, not parameters.
    const auto paramOf = [](const Edge& e, double degrees) {
        const double a = degrees * kDegrees;
        return std::atan2(std::sin(a) / e.radius, std::cos(a));
    };
    const auto onEllipse = [](const Edge& e, double t) {
        const double mx = e.b.x, my = e.b.y;
        return ZcGePoint2d(e.a.x + mx * std::cos(t) - my * e.radius * std::sin(t),
                           e.a.y + my * std::cos(t) + mx * e.radius * std::sin(t));
    };
    const auto ellipseSweep = [&](const Edge& e, double& t0) {
        t0 = paramOf(e, e.start);
        double sweep = std::fmod(e.end - e.start, 360.0) == 0.0 && e.end != e.start ? 2.0 * std::numbers::pi
                                                                                    : paramOf(e, e.end) - t0;
        if (sweep <= 0.0)
            sweep += 2.0 * std::numbers::pi;
        return sweep;
    };
    const auto startOf = [&](const Edge& e) {
        if (e.type == 1)
            return ZcGePoint2d(e.a.x, e.a.y);
        if (e.type == 2)
            return at(e, e.start);
        double t0 = 0.0;
        ellipseSweep(e, t0);
        return onEllipse(e, t0);
    };
    const auto endOf = [&](const Edge& e) {
        double t0 = 0.0;
        if (e.type == 3) {
            const double sweep = ellipseSweep(e, t0);
            return onEllipse(e, t0 + sweep);
        }
        return e.type == 1 ? ZcGePoint2d(e.b.x, e.b.y) : at(e, e.end);
    };
    // Some programs give a loop's edges in no order and some of them
    // backwards (a triangle as A-B, A-C, B-C): lines and arcs are put end
    // to start, turning them round where needed, so long as each run closes.
    const auto follows = [&](const Edge& prev, const Edge& next) {
        return endOf(prev).distanceTo(startOf(next)) <= kEdgeJoinTol;
    };
    const auto turned = [](Edge e) {
        if (e.type == 1)
            std::swap(e.a, e.b);
        else  // a clockwise arc stores its angles as their complements
            std::tie(e.start, e.end, e.ccw) = std::make_tuple(-e.end, -e.start, e.ccw ? 0 : 1);
        return e;
    };
    bool inOrder = true;
    for (size_t k = 1, run = 0; k < edges.size() && inOrder; ++k) {
        if (follows(edges[k - 1], edges[k]))
            continue;
        inOrder = endOf(edges[k - 1]).distanceTo(startOf(edges[run])) <= kEdgeJoinTol;
        run = k;
    }
    const bool anyElliptic = std::any_of(edges.begin(), edges.end(), [](const Edge& e) { return e.type == 3; });
    if (!inOrder && !anyElliptic) {
        std::vector<Edge> rest(edges.begin() + 1, edges.end()), chain{edges.front()};
        size_t runFirst = 0;
        while (!rest.empty()) {
            const Edge& last = chain.back();
            if (endOf(last).distanceTo(startOf(chain[runFirst])) <= kEdgeJoinTol && chain.size() > runFirst + 1) {
                runFirst = chain.size();  // this run closed: the next starts anew
                chain.push_back(rest.front());
                rest.erase(rest.begin());
                continue;
            }
            auto next = std::find_if(rest.begin(), rest.end(),
                                     [&](const Edge& e) { return follows(last, e) || follows(last, turned(e)); });
            if (next == rest.end())
                return false;
            chain.push_back(follows(last, *next) ? *next : turned(*next));
            rest.erase(next);
        }
        edges = std::move(chain);
    }
    bool elliptic = false;
    size_t runStart = 0;
    std::vector<ZcDbHatch::Loop> runs;
    ZcDbHatch::Loop loop = model;
    for (size_t k = 0; k < edges.size(); ++k) {
        const Edge& e = edges[k];
        if (k > runStart && endOf(edges[k - 1]).distanceTo(startOf(e)) > kEdgeJoinTol)
            return false;  // edges that do not follow each other
        if (e.type == 1) {
            loop.vertices.push_back(startOf(e));
            loop.bulges.push_back(0.0);
        } else if (e.type == 2) {
            double sweep = std::fmod(e.end - e.start, 360.0);
            if (sweep <= 0.0)
                sweep += 360.0;
            const double sign = e.ccw ? 1.0 : -1.0;
            // Arcs beyond a half circle go in two halves, so that no bulge grows without bound.
            const int parts = sweep > 180.0 ? 2 : 1;
            for (int part = 0; part < parts; ++part) {
                loop.vertices.push_back(at(e, e.start + sweep * part / parts));
                loop.bulges.push_back(sign * std::tan(sweep / parts * kDegrees / 4.0));
            }
        } else {
            elliptic = true;
            double t0 = 0.0;
            const double sweep = ellipseSweep(e, t0);
            const int chords = std::max(1, int(std::ceil(kEllipseEdgeChords * sweep / (2.0 * std::numbers::pi))));
            for (int c = 0; c < chords; ++c) {
                loop.vertices.push_back(onEllipse(e, t0 + sweep * c / chords));
                loop.bulges.push_back(0.0);
            }
        }
        // A run ends where it closes on its own start and other edges follow.
        if (k + 1 < edges.size() && endOf(e).distanceTo(startOf(edges[runStart])) <= kEdgeJoinTol &&
            endOf(e).distanceTo(startOf(edges[k + 1])) > kEdgeJoinTol) {
            runs.push_back(std::move(loop));
            loop = model;
            runStart = k + 1;
        }
    }
    if (!edges.empty() && endOf(edges.back()).distanceTo(startOf(edges[runStart])) > kEdgeJoinTol &&
        edges.size() - runStart > 1)
        return false;
    runs.push_back(std::move(loop));
    for (const ZcDbHatch::Loop& run : runs)
        if (run.vertices.empty())
            return false;
    if (elliptic) {
        // Chords stand in for the ellipse only in pictures and areas.
        if (runs.size() > 1)
            return false;
        for (size_t k = first; k < i; ++k)
            runs.front().edgesAsRead.emplace_back(body[k]->code, std::string(dxfTrimmed(body[k]->value)));
    }
    for (ZcDbHatch::Loop& run : runs)
        out.push_back(std::move(run));
    return true;
}

ZcDbEntity* hatch(DxfReadContext& ctx, const DxfEntityBody& body)
{
    Point elevationPoint;
    Plane plane;
    std::string pattern;
    int solid = 0, associative = 0, style = 0, patternType = 1, gradient = 0;
    double angle = 0.0, scale = 1.0;
    int doubled = 0, patternLines = 0, seeds = 0;
    std::vector<ZcDbHatch::PatternLine> lines;
    std::vector<int> dashCounts;  // as each line announces it
    std::vector<ZcGePoint2d> seedPoints;
    std::vector<ZcDbHatch::Loop> loops;
    bool loopsDone = false;
    for (size_t i = 0; i < body.size(); ++i) {
        const DxfTag& t = *body[i];
        bool ok = true;
        if (t.code == 92 && !loopsDone) {
            ZcDbHatch::Loop loop;
            ok = ctx.integer(t, loop.type, 0, 0xFFFF);
            if (!ok)
                return nullptr;
            ++i;
            if (loop.type & ZcDbHatch::kPolyline) {
                int hasBulge = 0, closed = 1;
                while (i < body.size() && (body[i]->code == 72 || body[i]->code == 73 || body[i]->code == 93)) {
                    int64_t v = 0;
                    if (!ctx.integer(*body[i], v))
                        return nullptr;
                    if (body[i]->code == 72)
                        hasBulge = int(v);
                    else if (body[i]->code == 73)
                        closed = int(v);
                    ++i;
                }
                if (!closed)
                    return nullptr;
                (void)hasBulge;
                while (i < body.size() && (body[i]->code == 10 || body[i]->code == 20 || body[i]->code == 42)) {
                    double v = 0.0;
                    if (!ctx.real(*body[i], v))
                        return nullptr;
                    if (body[i]->code == 10) {
                        loop.vertices.push_back({v, 0.0});
                        loop.bulges.push_back(0.0);
                    } else if (loop.vertices.empty()) {
                        return nullptr;
                    } else if (body[i]->code == 20) {
                        loop.vertices.back().y = v;
                    } else {
                        loop.bulges.back() = v;
                    }
                    ++i;
                }
                // The corner a closed outline repeats at its end is no segment.
                if (loop.vertices.size() > 2 && loop.vertices.back().x == loop.vertices.front().x &&
                    loop.vertices.back().y == loop.vertices.front().y) {
                    loop.vertices.pop_back();
                    loop.bulges.pop_back();
                }
            } else {
                if (i < body.size() && body[i]->code == 93) {
                    int64_t edges = 0;
                    if (!ctx.integer(*body[i], edges))
                        return nullptr;
                    ++i;
                }
                std::vector<ZcDbHatch::Loop> runs;
                if (!edgeOutline(ctx, body, i, loop, runs))
                    return nullptr;
                // All runs but the last are loops of their own.
                for (size_t k = 0; k + 1 < runs.size(); ++k) {
                    if (runs[k].vertices.size() < 2)
                        return nullptr;
                    loops.push_back(std::move(runs[k]));
                }
                loop = std::move(runs.back());
            }
            if (loop.vertices.size() < 2)
                return nullptr;
            for (const ZcGePoint2d& p : loop.vertices)
                if (!std::isfinite(p.x) || !std::isfinite(p.y))
                    return nullptr;
            if (i < body.size() && body[i]->code == 97) {
                int64_t sources = 0;
                if (!ctx.integer(*body[i], sources))
                    return nullptr;
                ++i;
                while (i < body.size() && body[i]->code == 330) {
                    uint64_t h = 0;
                    if (!ctx.handle(*body[i], h))
                        return nullptr;
                    if (h != 0)
                        loop.sourceIds.push_back(ctx.idOf(h));
                    ++i;
                }
            }
            loops.push_back(std::move(loop));
            --i;  // the loop's last tag
            continue;
        }
        switch (t.code) {
        case 100:
            if (!isMarker(t, {"AcDbHatch"}))
                return nullptr;
            break;
        case 2:
            pattern = ctx.textOf(t);
            break;
        case 70:
            ok = ctx.integer(t, solid, -32768, 32767);
            break;
        case 71:
            ok = ctx.integer(t, associative, -32768, 32767);
            break;
        case 91: {
            int64_t count = 0;
            ok = ctx.integer(t, count);
            break;
        }
        case 75:
            loopsDone = true;
            ok = ctx.integer(t, style, -32768, 32767);
            break;
        case 76:
            loopsDone = true;
            ok = ctx.integer(t, patternType, -32768, 32767);
            break;
        case 52:
            ok = ctx.real(t, angle);
            break;
        case 41:
            ok = ctx.real(t, scale);
            break;
        case 77:
            ok = ctx.integer(t, doubled, -32768, 32767);
            break;
        case 78:
            ok = ctx.integer(t, patternLines, -32768, 32767);
            break;
        case 53:
            lines.emplace_back();
            dashCounts.push_back(0);
            ok = ctx.real(t, lines.back().angle);
            lines.back().angle *= kDegrees;
            break;
        case 43:
        case 44:
        case 45:
        case 46:
        case 79:
        case 49: {
            // Each belongs to the pattern line its angle began.
            if (lines.empty())
                return nullptr;
            ZcDbHatch::PatternLine& line = lines.back();
            if (t.code == 79) {
                ok = ctx.integer(t, dashCounts.back(), 0, 32767);
                break;
            }
            double v = 0.0;
            ok = ctx.real(t, v);
            if (t.code == 43)
                line.base.x = v;
            else if (t.code == 44)
                line.base.y = v;
            else if (t.code == 45)
                line.offset.x = v;
            else if (t.code == 46)
                line.offset.y = v;
            else
                line.dashes.push_back(v);
            break;
        }
        case 47: {
            double pixel = 0.0;  // a display hint, worked out anew by readers
            ok = ctx.real(t, pixel);
            break;
        }
        case 98:
            loopsDone = true;
            ok = ctx.integer(t, seeds, 0, 32767);
            // The seed points follow their count as 10/20 pairs.
            while (ok && i + 2 < body.size() && body[i + 1]->code == 10 && body[i + 2]->code == 20) {
                ZcGePoint2d p;
                ok = ctx.real(*body[i + 1], p.x) && ctx.real(*body[i + 2], p.y);
                seedPoints.push_back(p);
                i += 2;
            }
            break;
        case 450:
            ok = ctx.integer(t, gradient, -32768, 32767);
            break;
        case 451:
        case 452:
        case 453:
        case 460:
        case 461:
        case 462:
        case 463:
        case 470:
        case 421:
        case 63:
            // Gradient settings mean something only with a gradient fill.
            break;
        default:
            if (!coordinate(ctx, t, 10, elevationPoint, ok) && !plane.take(ctx, t, ok))
                return nullptr;
        }
        if (!ok)
            return nullptr;
    }
    const bool isSolid = sameSymbolName(pattern, "SOLID");
    // Gradients are not carried; nor are counts that disagree with what follows them.
    if (!plane.flat() || pattern.empty() || gradient != 0 || solid != (isSolid ? 1 : 0) ||
        size_t(seeds) != seedPoints.size() || size_t(patternLines) != lines.size())
        return nullptr;
    for (size_t k = 0; k < lines.size(); ++k)
        if (lines[k].dashes.size() != size_t(dashCounts[k]))
            return nullptr;
    // A solid fill has no pattern lines to write back (its angle and scale
    // mean nothing); a pattern needs a scale it can be scaled from.
    if (isSolid ? !lines.empty() : !(scale > 0.0))
        return nullptr;
    // Kinds and styles the model has no name for: the hatch is kept as read.
    if (patternType < ZcDbHatch::kUserDefined || patternType > ZcDbHatch::kCustomDefined ||
        style < ZcDbHatch::kNormal || style > ZcDbHatch::kIgnore)
        return nullptr;
    Owned<ZcDbHatch> e(new ZcDbHatch);
    if (e->setPattern(ZcDbHatch::HatchPatternType(patternType), pattern.c_str()) != Zcad::eOk ||
        e->setHatchStyle(ZcDbHatch::HatchStyle(style)) != Zcad::eOk || e->setElevation(elevationPoint.z) != Zcad::eOk ||
        e->setAssociative(associative != 0) != Zcad::eOk)
        return nullptr;
    if (!isSolid && (e->setPatternAngle(angle * kDegrees) != Zcad::eOk || e->setPatternScale(scale) != Zcad::eOk ||
                     e->setPatternDouble(doubled != 0) != Zcad::eOk))
        return nullptr;
    for (const ZcGePoint2d& p : seedPoints)
        if (e->appendSeedPoint(p) != Zcad::eOk)
            return nullptr;
    // The lines as stored, not as the angle and scale would make them anew.
    ZcDbObjectAccess::hatchPatternLines(e.get()) = std::move(lines);
    ZcDbObjectAccess::hatchLoops(e.get()) = std::move(loops);
    return e.release();
}

ZcDbEntity* mtext(DxfReadContext& ctx, const DxfEntityBody& body)
{
    Point location, direction;
    Plane plane;
    bool hasDirection = false;
    double height = 0.0, width = 0.0, rotation = 0.0, definedHeight = 0.0, spacing = 1.0;
    int attachment = 1, drawing = 1, spacingStyle = 1, background = 0, columns = 0;
    std::string contents, style = "Standard";
    for (size_t i = 0; i < body.size(); ++i) {
        const DxfTag& t = *body[i];
        bool ok = true;
        switch (t.code) {
        case 100:
            if (!isMarker(t, {"AcDbMText"}))
                return nullptr;
            break;
        case 101:
            // The newer releases' copy of the text's columns: only its
            // column type matters here.
            for (++i; i < body.size(); ++i)
                if (body[i]->code == 71 && !(ctx.integer(*body[i], columns, -32768, 32767) && columns == 0))
                    return nullptr;
            break;
        case 1:
        case 3:
            // Chunks are one text: an escape may run across their ends.
            contents.append(t.value);
            break;
        case 7:
            style = ctx.textOf(t);
            break;
        case 40:
            ok = ctx.real(t, height);
            break;
        case 41:
            ok = ctx.real(t, width);
            break;
        case 46:
            ok = ctx.real(t, definedHeight);
            break;
        case 42:
        case 43: {
            double extent = 0.0;  // the text's size, worked out by readers
            ok = ctx.real(t, extent);
            break;
        }
        case 44:
            ok = ctx.real(t, spacing);
            break;
        case 50:
            ok = ctx.real(t, rotation);
            break;
        case 71:
            ok = ctx.integer(t, attachment, -32768, 32767);
            break;
        case 72:
            ok = ctx.integer(t, drawing, -32768, 32767);
            break;
        case 73:
            ok = ctx.integer(t, spacingStyle, -32768, 32767);
            break;
        case 90:
            ok = ctx.integer(t, background, INT32_MIN, INT32_MAX);
            break;
        case 75:
            ok = ctx.integer(t, columns, -32768, 32767);
            if (ok && columns != 0)
                return nullptr;
            // No columns: the column settings that follow say nothing.
            while (i + 1 < body.size() && (body[i + 1]->code == 76 || body[i + 1]->code == 78 ||
                                           body[i + 1]->code == 79 || body[i + 1]->code == 48 ||
                                           body[i + 1]->code == 49 || body[i + 1]->code == 50))
                ++i;
            break;
        default:
            if (coordinate(ctx, t, 11, direction, ok)) {
                hasDirection = true;
                break;
            }
            if (!coordinate(ctx, t, 10, location, ok) && !plane.take(ctx, t, ok))
                return nullptr;
        }
        if (!ok)
            return nullptr;
    }
    // Only top to bottom (3) is another direction: left to right (1), by
    // style (5) and the values some writers put there (2) draw alike in the
    // fonts here. A spacing style of 0 (no such style) is the default.
    if (spacingStyle == 0)
        spacingStyle = ZcDb::kAtLeast;
    if (!plane.flat() || definedHeight != 0.0 || spacing != 1.0 ||
        (spacingStyle != ZcDb::kAtLeast && spacingStyle != ZcDb::kExactly) || background != 0 || drawing == 3)
        return nullptr;
    double angle = rotation * kDegrees;
    if (hasDirection) {
        // The direction wins over the angle, as it does in CAD programs.
        if (std::fabs(direction.z) > kUnitTol || (direction.x == 0.0 && direction.y == 0.0))
            return nullptr;
        angle = std::atan2(direction.y, direction.x);
    }
    // An attachment the model has no name for: the text is kept as read.
    if (attachment < ZcDbMText::kTopLeft || attachment > ZcDbMText::kBottomRight)
        return nullptr;
    Owned<ZcDbMText> e(new ZcDbMText);
    if (e->setLocation(point3d(location)) != Zcad::eOk || e->setTextHeight(height) != Zcad::eOk ||
        e->setWidth(width) != Zcad::eOk || e->setAttachment(ZcDbMText::AttachmentPoint(attachment)) != Zcad::eOk ||
        e->setContents(ctx.text.decode(contents).c_str()) != Zcad::eOk || e->setRotation(angle) != Zcad::eOk ||
        e->setTextStyle(ctx.textStyle(style)) != Zcad::eOk ||
        e->setLineSpacingStyle(ZcDb::LineSpacingStyle(spacingStyle)) != Zcad::eOk)
        return nullptr;
    return e.release();
}

// TEXT, ATTDEF and ATTRIB share the text part.
ZcDbEntity* text(DxfReadContext& ctx, const DxfEntityBody& body, std::string_view kind)
{
    const bool isText = kind == "TEXT";
    const bool isDefinition = kind == "ATTDEF";
    Point position, alignment;
    Plane plane;
    bool hasAlignment = false, inAttributePart = false;
    double height = 0.0, rotation = 0.0, widthFactor = 1.0, oblique = 0.0;
    int generation = 0, horizontal = 0, vertical = 0, flags = 0, fieldLength = 0, version = 0, attributeType = 1;
    std::string value, style = "Standard", tag, prompt;
    for (const DxfTag* tp : body) {
        const DxfTag& t = *tp;
        bool ok = true;
        switch (t.code) {
        case 100:
            if (isMarker(t, {"AcDbText"}))
                break;
            if ((isDefinition && isMarker(t, {"AcDbAttributeDefinition"})) ||
                (!isText && !isDefinition && isMarker(t, {"AcDbAttribute"}))) {
                inAttributePart = true;
                break;
            }
            return nullptr;
        case 1:
            value = ctx.textOf(t);
            break;
        case 7:
            style = ctx.textOf(t);
            break;
        case 40:
            ok = ctx.real(t, height);
            break;
        case 41:
            ok = ctx.real(t, widthFactor);
            break;
        case 50:
            ok = ctx.real(t, rotation);
            break;
        case 51:
            ok = ctx.real(t, oblique);
            break;
        case 71:
            // The attribute part uses 71 for the kind of attribute.
            ok = ctx.integer(t, inAttributePart ? attributeType : generation, -32768, 32767);
            break;
        case 72:
            ok = ctx.integer(t, horizontal, -32768, 32767);
            break;
        case 73:
            ok = ctx.integer(t, isText ? vertical : fieldLength, -32768, 32767);
            break;
        case 74:
            if (isText)
                return nullptr;
            ok = ctx.integer(t, vertical, -32768, 32767);
            break;
        case 2:
            if (isText)
                return nullptr;
            tag = ctx.textOf(t);
            break;
        case 3:
            if (!isDefinition)
                return nullptr;
            prompt = ctx.textOf(t);
            break;
        case 70:
            if (isText)
                return nullptr;
            ok = ctx.integer(t, flags, -32768, 32767);
            break;
        case 280: {
            // Version and locked position: only their defaults are carried.
            if (isText)
                return nullptr;
            ok = ctx.integer(t, version, -32768, 32767);
            if (ok && version != 0)
                return nullptr;
            break;
        }
        default:
            if (coordinate(ctx, t, 11, alignment, ok)) {
                hasAlignment = true;
                break;
            }
            if (!coordinate(ctx, t, 10, position, ok) && !plane.take(ctx, t, ok))
                return nullptr;
        }
        if (!ok)
            return nullptr;
    }
    if (!plane.flat() || oblique != 0.0 || generation != 0 || attributeType != 1)
        return nullptr;
    if (horizontal < 0 || horizontal > 5 || vertical < 0 || vertical > 3)
        return nullptr;
    Owned<ZcDbText> e;
    if (isText) {
        e.reset(new ZcDbText);
    } else if (isDefinition) {
        auto* d = new ZcDbAttributeDefinition;
        e.reset(d);
        if ((flags & ~15) != 0 || d->setTag(tag.c_str()) != Zcad::eOk || d->setPrompt(prompt.c_str()) != Zcad::eOk ||
            d->setFieldLength(fieldLength) != Zcad::eOk)
            return nullptr;
        d->setInvisible(flags & 1);
        d->setConstant(flags & 2);
        d->setVerifiable(flags & 4);
        d->setPreset(flags & 8);
    } else {
        auto* a = new ZcDbAttribute;
        e.reset(a);
        if ((flags & ~3) != 0 || a->setTag(tag.c_str()) != Zcad::eOk || a->setFieldLength(fieldLength) != Zcad::eOk)
            return nullptr;
        a->setInvisible(flags & 1);
        a->setConstant(flags & 2);
    }
    if (e->setPosition(point3d(position)) != Zcad::eOk || e->setHeight(height) != Zcad::eOk ||
        e->setTextString(value.c_str()) != Zcad::eOk || e->setRotation(rotation * kDegrees) != Zcad::eOk ||
        e->setWidthFactor(widthFactor) != Zcad::eOk ||
        e->setHorizontalMode(ZcDbText::TextHorzMode(horizontal)) != Zcad::eOk ||
        e->setVerticalMode(ZcDbText::TextVertMode(vertical)) != Zcad::eOk ||
        e->setTextStyle(ctx.textStyle(style)) != Zcad::eOk)
        return nullptr;
    if (hasAlignment && e->setAlignmentPoint(point3d(alignment)) != Zcad::eOk)
        return nullptr;
    return e.release();
}

ZcDbEntity* insert(DxfReadContext& ctx, const DxfEntityBody& body)
{
    Point position;
    Plane plane;
    double sx = 1.0, sy = 1.0, sz = 1.0, rotation = 0.0, columnSpacing = 0.0, rowSpacing = 0.0;
    int columns = 1, rows = 1, follows = 0;
    std::string name;
    for (const DxfTag* tp : body) {
        const DxfTag& t = *tp;
        bool ok = true;
        switch (t.code) {
        case 100:
            if (!isMarker(t, {"AcDbBlockReference"}))
                return nullptr;
            break;
        case 2:
            name = ctx.textOf(t);
            break;
        case 66:
            ok = ctx.integer(t, follows, -32768, 32767);
            break;
        case 41:
            ok = ctx.real(t, sx);
            break;
        case 42:
            ok = ctx.real(t, sy);
            break;
        case 43:
            ok = ctx.real(t, sz);
            break;
        case 50:
            ok = ctx.real(t, rotation);
            break;
        case 70:
            ok = ctx.integer(t, columns, -32768, 32767);
            break;
        case 71:
            ok = ctx.integer(t, rows, -32768, 32767);
            break;
        case 44:
            ok = ctx.real(t, columnSpacing);
            break;
        case 45:
            ok = ctx.real(t, rowSpacing);
            break;
        default:
            if (!coordinate(ctx, t, 10, position, ok) && !plane.take(ctx, t, ok))
                return nullptr;
        }
        if (!ok)
            return nullptr;
    }
    // Attributes that follow are the reader's to collect, whatever the flag says.
    (void)follows;
    // One column and one row is a plain reference, whatever the spacing.
    if (!plane.flat() || columns != 1 || rows != 1 || name.empty())
        return nullptr;
    (void)columnSpacing;
    (void)rowSpacing;
    // Some programs write a Z scale of 0 for a reference in the plane. It
    // would flatten heights only, and the drawing's blocks are plans:
    // read as 1, the reference draws, picks and measures the same.
    if (sz == 0.0)
        sz = 1.0;
    Owned<ZcDbBlockReference> e(new ZcDbBlockReference);
    if (e->setBlockTableRecord(ctx.block(name)) != Zcad::eOk || e->setPosition(point3d(position)) != Zcad::eOk ||
        e->setScaleFactors(ZcGeScale3d(sx, sy, sz)) != Zcad::eOk || e->setRotation(rotation * kDegrees) != Zcad::eOk)
        return nullptr;
    return e.release();
}

ZcDbEntity* leader(DxfReadContext& ctx, const DxfEntityBody& body)
{
    std::vector<ZcGePoint3d> vertices;
    Point normal{0.0, 0.0, 1.0}, horizontal{1.0, 0.0, 0.0}, blockOffset, annotationOffset;
    int arrow = 1, path = 0, creation = 3, hookDirection = 0, hook = 0;
    std::string dimstyle = "Standard";
    for (const DxfTag* tp : body) {
        const DxfTag& t = *tp;
        bool ok = true;
        switch (t.code) {
        case 100:
            if (!isMarker(t, {"AcDbLeader"}))
                return nullptr;
            break;
        case 3:
            dimstyle = ctx.textOf(t);
            break;
        case 71:
            ok = ctx.integer(t, arrow, -32768, 32767);
            break;
        case 72:
            ok = ctx.integer(t, path, -32768, 32767);
            break;
        case 73:
            ok = ctx.integer(t, creation, -32768, 32767);
            break;
        case 74:
            ok = ctx.integer(t, hookDirection, -32768, 32767);
            break;
        case 75:
            ok = ctx.integer(t, hook, -32768, 32767);
            break;
        case 40:
        case 41: {
            double size = 0.0;  // of an annotation, which a leader of the model has not
            ok = ctx.real(t, size);
            break;
        }
        case 76: {
            int64_t count = 0;
            ok = ctx.integer(t, count);
            break;
        }
        case 10:
            vertices.emplace_back();
            ok = ctx.real(t, vertices.back().x);
            break;
        case 20:
        case 30:
            if (vertices.empty())
                return nullptr;
            ok = ctx.real(t, t.code == 20 ? vertices.back().y : vertices.back().z);
            break;
        default:
            if (!coordinate(ctx, t, 210, normal, ok) && !coordinate(ctx, t, 211, horizontal, ok) &&
                !coordinate(ctx, t, 212, blockOffset, ok) && !coordinate(ctx, t, 213, annotationOffset, ok))
                return nullptr;
        }
        if (!ok)
            return nullptr;
    }
    const auto isZero = [](const Point& p) { return p.x == 0.0 && p.y == 0.0 && p.z == 0.0; };
    if (!isZAxis(normal) || std::fabs(horizontal.x - 1.0) > kUnitTol || std::fabs(horizontal.y) > kUnitTol ||
        std::fabs(horizontal.z) > kUnitTol || !isZero(blockOffset) || !isZero(annotationOffset) || path != 0 ||
        creation != 3 || hookDirection != 0 || hook != 0 || (arrow != 0 && arrow != 1) ||
        !sameSymbolName(dimstyle, "Standard"))
        return nullptr;
    Owned<ZcDbLeader> e(new ZcDbLeader);
    for (const ZcGePoint3d& p : vertices)
        if (!e->appendVertex(p))
            return nullptr;
    if (arrow)
        e->enableArrowHead();
    else
        e->disableArrowHead();
    return e.release();
}

ZcDbEntity* point(DxfReadContext& ctx, const DxfEntityBody& body)
{
    Point at;
    Plane plane;
    double angle = 0.0;
    for (const DxfTag* t : body) {
        bool ok = true;
        if (t->code == 100) {
            if (!isMarker(*t, {"AcDbPoint"}))
                return nullptr;
        } else if (t->code == 50) {
            ok = ctx.real(*t, angle);
        } else if (!coordinate(ctx, *t, 10, at, ok) && !plane.take(ctx, *t, ok)) {
            return nullptr;
        }
        if (!ok)
            return nullptr;
    }
    // The angle turns the mark of a point drawn as a symbol, which the model does not hold.
    if (!plane.flat() || angle != 0.0)
        return nullptr;
    Owned<ZcDbPoint> e(new ZcDbPoint);
    if (e->setPosition(point3d(at)) != Zcad::eOk)
        return nullptr;
    return e.release();
}

// Centre and major axis are world points; the normal only says which way
// the minor axis turns.
ZcDbEntity* ellipse(DxfReadContext& ctx, const DxfEntityBody& body)
{
    Point c, major, normal{0.0, 0.0, 1.0};
    double ratio = 1.0, start = 0.0, end = 2.0 * std::numbers::pi;
    for (const DxfTag* t : body) {
        bool ok = true;
        switch (t->code) {
        case 100:
            if (!isMarker(*t, {"AcDbEllipse"}))
                return nullptr;
            break;
        case 40: ok = ctx.real(*t, ratio); break;
        case 41: ok = ctx.real(*t, start); break;
        case 42: ok = ctx.real(*t, end); break;
        default:
            if (!coordinate(ctx, *t, 10, c, ok) && !coordinate(ctx, *t, 11, major, ok) &&
                !coordinate(ctx, *t, 210, normal, ok))
                return nullptr;
        }
        if (!ok)
            return nullptr;
    }
    // Seen from below, the ellipse runs the other way: the same curve from
    // above has the parameters negated.
    const bool fromBelow =
        std::fabs(normal.x) < kUnitTol && std::fabs(normal.y) < kUnitTol && std::fabs(normal.z + 1.0) < kUnitTol;
    if (!isZAxis(normal) && !fromBelow)
        return nullptr;
    if (fromBelow) {
        const double s = start;
        start = -end;
        end = -s;
    }
    Owned<ZcDbEllipse> e(new ZcDbEllipse);
    if (e->set(point3d(c), ZcGeVector3d::kZAxis, {major.x, major.y, major.z}, ratio, start, end) != Zcad::eOk)
        return nullptr;
    return e.release();
}

// Control points, knots and weights make the curve; fit points, tangents
// and tolerances are kept with it.
ZcDbEntity* spline(DxfReadContext& ctx, const DxfEntityBody& body)
{
    Point normal{0.0, 0.0, 1.0}, startTangent, endTangent;
    int flags = 0, degree = 0;
    int64_t knotCount = -1, controlCount = -1, fitCount = -1;
    double knotTol = 1e-10, controlTol = 1e-10, fitTol = 1e-10;
    bool hasStartTangent = false, hasEndTangent = false;
    ZcGePoint3dArray controls, fits;
    ZcGeDoubleArray knots, weights;
    for (const DxfTag* t : body) {
        bool ok = true;
        switch (t->code) {
        case 100:
            if (!isMarker(*t, {"AcDbSpline"}))
                return nullptr;
            break;
        case 70: ok = ctx.integer(*t, flags, -32768, 32767); break;
        case 71: ok = ctx.integer(*t, degree, -32768, 32767); break;
        case 72:
        case 73:
        case 74: ok = ctx.integer(*t, t->code == 72 ? knotCount : t->code == 73 ? controlCount : fitCount); break;
        case 42:
        case 43:
        case 44: ok = ctx.real(*t, t->code == 42 ? knotTol : t->code == 43 ? controlTol : fitTol); break;
        case 40: {
            double k = 0.0;
            ok = ctx.real(*t, k);
            knots.append(k);
            break;
        }
        case 41: {
            double w = 0.0;
            ok = ctx.real(*t, w);
            weights.append(w);
            break;
        }
        case 10:
        case 11: {
            double x = 0.0;
            ok = ctx.real(*t, x);
            (t->code == 10 ? controls : fits).append({x, 0.0, 0.0});
            break;
        }
        case 20:
        case 30:
        case 21:
        case 31: {
            ZcGePoint3dArray& list = t->code % 10 == 0 ? controls : fits;
            if (list.isEmpty())
                return nullptr;
            ok = ctx.real(*t, t->code < 30 ? list.last().y : list.last().z);
            break;
        }
        default:
            if (coordinate(ctx, *t, 12, startTangent, ok))
                hasStartTangent = true;
            else if (coordinate(ctx, *t, 13, endTangent, ok))
                hasEndTangent = true;
            else if (!coordinate(ctx, *t, 210, normal, ok))
                return nullptr;
        }
        if (!ok)
            return nullptr;
    }
    // Counts that disagree with what follows them, or weights for only some
    // points, leave the curve in doubt: kept as read.
    const bool rational = flags & 4;
    if ((knotCount >= 0 && knotCount != knots.length()) || (controlCount >= 0 && controlCount != controls.length()) ||
        (fitCount >= 0 && fitCount != fits.length()) || (!weights.isEmpty() && weights.length() != controls.length()) ||
        (flags & ~31) != 0)
        return nullptr;
    if (rational && weights.isEmpty())
        for (int i = 0; i < controls.length(); ++i)
            weights.append(1.0);
    Owned<ZcDbSpline> e(new ZcDbSpline);
    if (e->setNurbsData(degree, !weights.isEmpty(), flags & 1, flags & 2, controls, knots, weights, controlTol,
                        knotTol) != Zcad::eOk ||
        e->setFitData(fits, fitTol, hasStartTangent || hasEndTangent, point3d(startTangent).asVector(),
                      point3d(endTangent).asVector()) != Zcad::eOk ||
        e->setPlanar(flags & 8, point3d(normal).asVector()) != Zcad::eOk)
        return nullptr;
    return e.release();
}

}  // namespace

ZcDbEntity* buildEntity(DxfReadContext& ctx, std::string_view kind, const DxfEntityBody& body)
{
    if (kind == "LWPOLYLINE")
        return lwpolyline(ctx, body);
    if (kind == "LINE")
        return line(ctx, body);
    if (kind == "CIRCLE")
        return circleOrArc(ctx, body, false);
    if (kind == "ARC")
        return circleOrArc(ctx, body, true);
    if (kind == "HATCH")
        return hatch(ctx, body);
    if (kind == "MTEXT")
        return mtext(ctx, body);
    if (kind == "TEXT" || kind == "ATTDEF" || kind == "ATTRIB")
        return text(ctx, body, kind);
    if (kind == "INSERT")
        return insert(ctx, body);
    if (kind == "LEADER")
        return leader(ctx, body);
    if (kind == "POINT")
        return point(ctx, body);
    if (kind == "ELLIPSE")
        return ellipse(ctx, body);
    if (kind == "SPLINE")
        return spline(ctx, body);
    return nullptr;
}

}  // namespace platform
