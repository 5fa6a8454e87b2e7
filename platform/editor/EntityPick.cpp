#include "platform/editor/EntityPick.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "ZcDbAttribute.h"
#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "ZcDbCurve.h"
#include "ZcDbLayerTable.h"
#include "ZcDbPolyline.h"
#include "ZcDbTextStyleTable.h"
#include "platform/db/DatabaseImpl.h"
#include "platform/db/ObjectAccess.h"
#include "platform/db/entities/CurvePieces.h"

namespace platform {

namespace {

// A curve whose box is farther than the best so far by more than this is
// passed over; the slack covers the rounding of the exact distance, which
// may come out a little under the box's.
constexpr double kBoxSlack = 1e-9;
// Blocks inserted in blocks deeper than this are not followed: their
// references are measured at every pick.
constexpr int kNestingFollowed = 8;

bool pickable(const ZcDbEntity& entity)
{
    if (entity.isErased() || entity.visibility() == ZcDb::kInvisible)
        return false;
    const auto* layer = ZcDbObjectAccess::peekAs<ZcDbLayerTableRecord>(entity.layerId());
    return !layer || (!layer->isOff() && !layer->isFrozen());
}

// Plan distance from p to a box.
double boxDistance(double x0, double y0, double x1, double y1, const ZcGePoint3d& p)
{
    return std::hypot(std::max({x0 - p.x, 0.0, p.x - x1}), std::max({y0 - p.y, 0.0, p.y - y1}));
}

// Plan distance from q to the segment from a to b.
double segmentDistance(const ZcGePoint2d& q, double ax, double ay, double bx, double by)
{
    const double dx = bx - ax, dy = by - ay, length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((q.x - ax) * dx + (q.y - ay) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(q.x - (ax + t * dx), q.y - (ay + t * dy));
}

// No point of a run of segments is nearer to q than this.
double runDistance(const PickIndex::Run& run, const ZcGePoint2d& q)
{
    // The box about the chord first: no square root when plainly far.
    const double gap = std::max({std::min(run.x0, run.x1) - q.x, q.x - std::max(run.x0, run.x1),
                                 std::min(run.y0, run.y1) - q.y, q.y - std::max(run.y0, run.y1)});
    if (gap > double(run.reach))
        return gap - double(run.reach);
    return segmentDistance(q, run.x0, run.y0, run.x1, run.y1) - double(run.reach);
}

// No point of a polyline with these runs is nearer to q than this.
double runsDistance(const PickIndex::SegmentRuns& runs, const ZcGePoint2d& q)
{
    double nearest = HUGE_VAL;
    for (const PickIndex::Run& run : runs.runs)
        nearest = std::min(nearest, runDistance(run, q));
    return nearest;
}

// The index's runs of a polyline's segments, if it has them, and the runs
// it found within reach (all of them when `only` is null).
struct RunsToMeasure {
    const PickIndex::SegmentRuns* runs = nullptr;
    const std::vector<uint32_t>* only = nullptr;
};

// Plan distance from p to a polyline when it is at most `limit`; nothing when
// farther. A segment's arc lies within the circle about its chord's middle
// of radius half the chord times the larger of 1 and the bulge: segments
// whose circle is farther than the limit are not measured, nor the runs
// that are, nor those the index did not find.
std::optional<double> polylineDistance(const ZcDbPolyline& pline, const ZcGePoint3d& p, double limit,
                                       RunsToMeasure toMeasure)
{
    const PickIndex::SegmentRuns* runs = toMeasure.runs;
    const ZcDbPolylineVertices& vertices = pline.vertices();
    const ZcGePoint2d q(p.x, p.y);
    const size_t n = polylineSegmentCount(vertices, pline.isClosed());
    double best = HUGE_VAL;
    const auto measureSegment = [&](size_t i) {
        const ZcGePoint2d a = vertices.point(i), b = vertices.point((i + 1) % vertices.size());
        const double bulge = std::max(1.0, std::fabs(vertices.bulge(i)));
        const ZcGePoint2d middle = a + (b - a) * 0.5;
        const double within = std::min(best, limit) + kBoxSlack;
        // First by the square about that circle, its radius taken from the
        // chord's |dx| + |dy|: no square roots for segments plainly far. It
        // passes over only segments the circle would pass over too.
        const double outer = (std::fabs(b.x - a.x) + std::fabs(b.y - a.y)) / 2.0 * bulge;
        if (std::max(std::fabs(q.x - middle.x), std::fabs(q.y - middle.y)) - outer > within)
            return;
        const double reach = a.distanceTo(b) / 2.0 * bulge;
        if (q.distanceTo(middle) - reach > within)
            return;
        best = std::min(best, q.distanceTo(curve::closestPoint(polylineSegment(vertices, i), q, false).point));
    };
    if (runs && runs->perRun > 0 && runs->runs.size() == (n + runs->perRun - 1) / runs->perRun) {
        const auto measureRun = [&](size_t r) {
            if (r >= runs->runs.size() || runDistance(runs->runs[r], q) > std::min(best, limit) + kBoxSlack)
                return;
            // The first vertex counts only where its run comes near.
            if (r == 0)
                best = std::min(best, q.distanceTo(vertices.point(0)));
            for (size_t i = r * runs->perRun; i < std::min(n, (r + 1) * runs->perRun); ++i)
                measureSegment(i);
        };
        if (toMeasure.only) {
            for (const uint32_t r : *toMeasure.only)
                measureRun(r);
        } else {
            for (size_t r = 0; r < runs->runs.size(); ++r)
                measureRun(r);
        }
    } else {
        best = q.distanceTo(vertices.point(0));
        for (size_t i = 0; i < n; ++i)
            measureSegment(i);
    }
    if (best > limit)
        return std::nullopt;
    return best;
}

// Plan distance from p to the entity when it is at most `limit`, or nothing
// (also when it has no geometry to find).
std::optional<double> planDistance(const ZcDbEntity& entity, const ZcGePoint3d& p, double limit, RunsToMeasure runs)
{
    if (const ZcDbPolyline* pline = ZcDbPolyline::cast(&entity); pline && pline->numVerts() > 0)
        return polylineDistance(*pline, p, limit, runs);
    std::optional<double> d;
    if (const ZcDbCurve* curve = ZcDbCurve::cast(&entity)) {
        ZcGePoint3d closest;
        if (curve->getClosestPointTo(p, closest, false) == Zcad::eOk)
            d = std::hypot(closest.x - p.x, closest.y - p.y);
    }
    ZcDbExtents extents;
    if (!d && entity.getGeomExtents(extents) == Zcad::eOk && !extents.isEmpty())
        d = boxDistance(extents.minPoint().x, extents.minPoint().y, extents.maxPoint().x, extents.maxPoint().y, p);
    if (d && *d > limit)
        return std::nullopt;
    return d;
}

// Whether a block's content extents can be followed: blocks nested deeper
// than is worth following leave their references measured at every pick.
bool followable(ZcDbObjectId blockId, int depth)
{
    const auto* block = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(blockId);
    if (!block || depth > kNestingFollowed)
        return false;
    for (const ZcDbObjectId id : block->entityIds())
        if (const ZcDbBlockReference* inner = ZcDbBlockReference::cast(ZcDbObjectAccess::peekAs<ZcDbEntity>(id)))
            if (!followable(inner->blockTableRecord(), depth + 1))
                return false;
    return true;
}

// ---- the index ------------------------------------------------------------

// Cells an entity's box (or a run's) may cover before the box is looked at
// every pick instead: a long line would otherwise fill rows of cells. Long
// polylines are placed by their runs.
constexpr long kMostCellsCovered = 16;
// Entities per cell the grid is laid out for.
constexpr double kEntitiesPerCell = 4.0;
// The grid is laid out again when model space has grown past this many
// times the entities it was laid out for, or than the smallest layout: a
// grid laid out over the first few entities would soon hold everything in
// a few cells.
constexpr size_t kRegrowth = 2;
constexpr size_t kSmallestLayout = 256;

float below(double v)
{
    if (!(v >= -std::numeric_limits<float>::max()))
        return -std::numeric_limits<float>::infinity();
    if (v > std::numeric_limits<float>::max())
        return std::numeric_limits<float>::max();
    const float f = float(v);
    return double(f) > v ? std::nextafter(f, -std::numeric_limits<float>::infinity()) : f;
}

float above(double v) { return -below(-v); }

// The entry of an entity: its plan box, or none when it has no extents or
// its extents follow blocks nested too deep. An erased entity has no place:
// commands that cut copies of long edges leave many such behind.
PickIndex::Entry entryOf(const ZcDbEntity* entity)
{
    PickIndex::Entry entry;
    if (entity && entity->isErased()) {
        entry.place = PickIndex::Place::Nowhere;
        return entry;
    }
    ZcDbExtents extents;
    if (!entity || entity->getGeomExtents(extents) != Zcad::eOk || extents.isEmpty())
        return entry;
    if (const ZcDbBlockReference* reference = ZcDbBlockReference::cast(entity);
        reference && !followable(reference->blockTableRecord(), 0))
        return entry;
    entry.x0 = below(extents.minPoint().x);
    entry.y0 = below(extents.minPoint().y);
    entry.x1 = above(extents.maxPoint().x);
    entry.y1 = above(extents.maxPoint().y);
    entry.place = PickIndex::Place::Grid;
    return entry;
}

bool boxed(const PickIndex::Entry& e)
{
    return e.place == PickIndex::Place::Grid || e.place == PickIndex::Place::Runs || e.place == PickIndex::Place::Wide;
}

// Plan distance from p to an entry's box; nothing nearer can be found in it.
double boxDistance(const PickIndex::Entry& e, const ZcGePoint3d& p)
{
    return boxed(e) ? boxDistance(e.x0, e.y0, e.x1, e.y1, p) : 0.0;
}

// Polylines of more segments than this have runs of segments, of this many
// each: short enough that a run of a road edge keeps close to its chord.
constexpr size_t kSegmentsUnrun = 8;
constexpr size_t kSegmentsPerRun = 4;
// Added to a run's reach for the rounding of the distances measured to it
// at a pick, relative to the coordinates.
constexpr double kRunRounding = 1e-12;

// The runs of segments of a long polyline; nothing for other entities, and
// when a coordinate or bulge is not finite. An arc lies within its bulge
// times half its chord of its chord; a chord, within the farther of its ends
// of the run's chord.
std::optional<PickIndex::SegmentRuns> runsOf(const ZcDbEntity* entity)
{
    const ZcDbPolyline* pline = ZcDbPolyline::cast(entity);
    if (!pline || pline->isErased())
        return std::nullopt;
    const ZcDbPolylineVertices& vertices = pline->vertices();
    const size_t n = vertices.empty() ? 0 : polylineSegmentCount(vertices, pline->isClosed());
    if (n <= kSegmentsUnrun)
        return std::nullopt;
    PickIndex::SegmentRuns runs;
    runs.perRun = uint32_t(kSegmentsPerRun);
    runs.runs.reserve((n + kSegmentsPerRun - 1) / kSegmentsPerRun);
    for (size_t first = 0; first < n; first += kSegmentsPerRun) {
        const size_t last = std::min(n, first + kSegmentsPerRun);
        const ZcGePoint2d a = vertices.point(first), b = vertices.point(last % vertices.size());
        double reach = 0.0, size = 1.0;
        for (size_t i = first; i < last; ++i) {
            const ZcGePoint2d s = vertices.point(i), e = vertices.point((i + 1) % vertices.size());
            if (!std::isfinite(s.x + s.y + e.x + e.y + vertices.bulge(i)))
                return std::nullopt;
            const double rise = std::fabs(vertices.bulge(i)) * s.distanceTo(e) / 2.0;
            const double ends =
                std::max(segmentDistance(s, a.x, a.y, b.x, b.y), segmentDistance(e, a.x, a.y, b.x, b.y));
            reach = std::max(reach, ends + rise);
            size = std::max({size, std::fabs(s.x), std::fabs(s.y), std::fabs(e.x), std::fabs(e.y)});
        }
        reach += kRunRounding * size;
        if (!std::isfinite(reach))
            return std::nullopt;
        runs.runs.push_back({a.x, a.y, b.x, b.y, above(reach)});
    }
    return runs;
}

// An entity's entry and runs of segments as they are now.
struct Fresh {
    PickIndex::Entry entry;
    std::optional<PickIndex::SegmentRuns> runs;
};

Fresh freshOf(const std::vector<ZcDbObjectId>& ids, uint32_t rank)
{
    const auto* entity = ZcDbObjectAccess::peekAs<ZcDbEntity>(ids[rank]);
    return {entryOf(entity), runsOf(entity)};
}

// Gives the entity of a rank (the next one, or one already entered) its
// entry and its runs of segments.
const PickIndex::Entry& enter(PickIndex& index, uint32_t rank, Fresh fresh)
{
    if (rank == index.entries.size())
        index.entries.emplace_back();
    PickIndex::Entry& entry = index.entries[rank];
    if (entry.runs > 0) {
        index.runPool[entry.runs - 1] = {};
        index.freeRuns.push_back(entry.runs - 1);
    }
    entry = fresh.entry;
    if (fresh.runs) {
        if (index.freeRuns.empty()) {
            index.runPool.push_back(std::move(*fresh.runs));
            entry.runs = uint32_t(index.runPool.size());
        } else {
            entry.runs = index.freeRuns.back() + 1;
            index.freeRuns.pop_back();
            index.runPool[entry.runs - 1] = std::move(*fresh.runs);
        }
    }
    return entry;
}

const PickIndex::Entry& enter(PickIndex& index, const std::vector<ZcDbObjectId>& ids, uint32_t rank)
{
    return enter(index, rank, freshOf(ids, rank));
}

bool sameRuns(const std::vector<PickIndex::Run>& a, const std::vector<PickIndex::Run>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const PickIndex::Run& x, const PickIndex::Run& y) {
        return x.x0 == y.x0 && x.y0 == y.y0 && x.x1 == y.x1 && x.y1 == y.y1 && x.reach == y.reach;
    });
}

// Whether an entity placed as `placed` would be placed the same now: an
// entity opened for write but left as it was (a command reading an edge
// opens it so) keeps its place, which is costly to take out of crowded
// cells.
bool unchanged(const PickIndex& index, const PickIndex::Entry& placed, const Fresh& fresh)
{
    using Place = PickIndex::Place;
    const bool wasBoxed = boxed(placed);
    if (wasBoxed != (fresh.entry.place == Place::Grid) || (!wasBoxed && placed.place != fresh.entry.place))
        return false;
    if (wasBoxed && (placed.x0 != fresh.entry.x0 || placed.y0 != fresh.entry.y0 || placed.x1 != fresh.entry.x1 ||
                     placed.y1 != fresh.entry.y1))
        return false;
    if ((placed.runs > 0) != fresh.runs.has_value())
        return false;
    return !fresh.runs || sameRuns(index.runPool[placed.runs - 1].runs, fresh.runs->runs);
}

struct CellRange {
    long c0, r0, c1, r1;
    long count() const { return (c1 - c0 + 1) * (r1 - r0 + 1); }
};

// The cells a box covers; outside the grid, the cells at its edge (so that
// an entity moved off the grid is still found there).
CellRange cellsOf(const PickIndex& index, double x0, double y0, double x1, double y1)
{
    const auto cell = [&](double v, double origin, int count) {
        const double c = std::floor((v - origin) / index.cellSize);
        return long(std::clamp(c, 0.0, double(count - 1)));
    };
    return {cell(x0, index.originX, index.columns), cell(y0, index.originY, index.rows),
            cell(x1, index.originX, index.columns), cell(y1, index.originY, index.rows)};
}

// A run's box: its chord's, widened by its reach.
CellRange cellsOf(const PickIndex& index, const PickIndex::Run& run)
{
    const double reach = run.reach;
    return cellsOf(index, std::min(run.x0, run.x1) - reach, std::min(run.y0, run.y1) - reach,
                   std::max(run.x0, run.x1) + reach, std::max(run.y0, run.y1) + reach);
}

constexpr uint64_t kWholeEntity = 0xffffffff;

uint64_t runItem(uint32_t rank, uint64_t run) { return uint64_t(rank) << 32 | run; }

// A run as placed: its chord from the grid's origin in floats, the reach
// grown by how far they round the ends.
PickIndex::RunPlace runPlace(const PickIndex& index, uint32_t rank, uint32_t number, const PickIndex::Run& run)
{
    PickIndex::RunPlace place{rank, number, 0, 0, 0, 0, 0};
    const double x0 = run.x0 - index.originX, y0 = run.y0 - index.originY;
    const double x1 = run.x1 - index.originX, y1 = run.y1 - index.originY;
    // Beyond what a float holds the run is not placed (an infinite reach).
    constexpr double kFloatRange = 1e30;
    if (!(std::max({std::fabs(x0), std::fabs(y0), std::fabs(x1), std::fabs(y1)}) < kFloatRange)) {
        place.reach = std::numeric_limits<float>::infinity();
        return place;
    }
    place.x0 = float(x0);
    place.y0 = float(y0);
    place.x1 = float(x1);
    place.y1 = float(y1);
    const double moved = std::max(std::fabs(x0 - place.x0) + std::fabs(y0 - place.y0),
                                  std::fabs(x1 - place.x1) + std::fabs(y1 - place.y1));
    const double size = std::max({1.0, std::fabs(run.x0), std::fabs(run.y0), std::fabs(run.x1), std::fabs(run.y1)});
    place.reach = above(double(run.reach) + moved + kRunRounding * size);
    return place;
}

// No point of a placed run is nearer than this to a point given from the
// grid's origin.
double runPlaceDistance(const PickIndex::RunPlace& place, const ZcGePoint2d& q)
{
    const PickIndex::Run run{place.x0, place.y0, place.x1, place.y1, place.reach};
    return runDistance(run, q);
}

// Puts a long polyline's runs in the run cells, unless one covers too many.
bool placeRuns(PickIndex& index, uint32_t rank)
{
    const PickIndex::Entry& e = index.entries[rank];
    if (e.runs == 0)
        return false;
    const std::vector<PickIndex::Run>& runs = index.runPool[e.runs - 1].runs;
    for (size_t i = 0; i < runs.size(); ++i) {
        const PickIndex::RunPlace placed = runPlace(index, rank, uint32_t(i), runs[i]);
        if (cellsOf(index, runs[i]).count() > kMostCellsCovered || !std::isfinite(placed.reach))
            return false;
    }
    // Drawings without long polylines go without the run cells.
    if (index.runCells.empty())
        index.runCells.assign(index.cells.size(), {});
    for (size_t i = 0; i < runs.size(); ++i) {
        const CellRange r = cellsOf(index, runs[i]);
        const PickIndex::RunPlace placed = runPlace(index, rank, uint32_t(i), runs[i]);
        for (long row = r.r0; row <= r.r1; ++row)
            for (long col = r.c0; col <= r.c1; ++col)
                index.runCells[size_t(row * index.columns + col)].push_back(placed);
    }
    return true;
}

void place(PickIndex& index, uint32_t rank)
{
    PickIndex::Entry& e = index.entries[rank];
    if (e.place == PickIndex::Place::Grid && placeRuns(index, rank)) {
        e.place = PickIndex::Place::Runs;
        return;
    }
    if (e.place == PickIndex::Place::Grid) {
        const CellRange r = cellsOf(index, e.x0, e.y0, e.x1, e.y1);
        if (r.count() <= kMostCellsCovered) {
            for (long row = r.r0; row <= r.r1; ++row)
                for (long col = r.c0; col <= r.c1; ++col)
                    index.cells[size_t(row * index.columns + col)].push_back(rank);
            return;
        }
        e.place = PickIndex::Place::Wide;
    }
    if (e.place != PickIndex::Place::Nowhere)
        index.everywhere.push_back(rank);
}

void removeFrom(std::vector<uint32_t>& ranks, uint32_t rank)
{
    const auto at = std::find(ranks.begin(), ranks.end(), rank);
    if (at != ranks.end()) {
        *at = ranks.back();
        ranks.pop_back();
    }
}

void removeFrom(std::vector<PickIndex::RunPlace>& places, uint32_t rank, uint32_t run)
{
    const auto at = std::find_if(places.begin(), places.end(),
                                 [&](const PickIndex::RunPlace& p) { return p.rank == rank && p.run == run; });
    if (at != places.end()) {
        *at = places.back();
        places.pop_back();
    }
}

void unplace(PickIndex& index, uint32_t rank)
{
    const PickIndex::Entry& e = index.entries[rank];
    if (e.place == PickIndex::Place::Nowhere)
        return;
    if (e.place == PickIndex::Place::Runs) {
        const std::vector<PickIndex::Run>& runs = index.runPool[e.runs - 1].runs;
        for (size_t i = 0; i < runs.size(); ++i) {
            const CellRange r = cellsOf(index, runs[i]);
            for (long row = r.r0; row <= r.r1; ++row)
                for (long col = r.c0; col <= r.c1; ++col)
                    removeFrom(index.runCells[size_t(row * index.columns + col)], rank, uint32_t(i));
        }
        return;
    }
    if (e.place != PickIndex::Place::Grid) {
        removeFrom(index.everywhere, rank);
        return;
    }
    const CellRange r = cellsOf(index, e.x0, e.y0, e.x1, e.y1);
    for (long row = r.r0; row <= r.r1; ++row)
        for (long col = r.c0; col <= r.c1; ++col)
            removeFrom(index.cells[size_t(row * index.columns + col)], rank);
}

// Lays the grid out anew over model space's entities as they are now.
void build(ZcDbDatabaseImpl& impl, PickIndex& index, const std::vector<ZcDbObjectId>& ids)
{
    index = PickIndex{};
    index.entries.reserve(ids.size());
    double x0 = HUGE_VAL, y0 = HUGE_VAL, x1 = -HUGE_VAL, y1 = -HUGE_VAL;
    for (size_t rank = 0; rank < ids.size(); ++rank) {
        ids[rank].stub()->pickSlot = uint32_t(rank + 1);
        const PickIndex::Entry& e = enter(index, ids, uint32_t(rank));
        if (e.place == PickIndex::Place::Grid && std::isfinite(e.x0) && std::isfinite(e.x1) && std::isfinite(e.y0) &&
            std::isfinite(e.y1)) {
            x0 = std::min(x0, double(e.x0));
            y0 = std::min(y0, double(e.y0));
            x1 = std::max(x1, double(e.x1));
            y1 = std::max(y1, double(e.y1));
        }
    }
    if (x0 <= x1) {
        const double width = std::max(x1 - x0, 1e-6), height = std::max(y1 - y0, 1e-6);
        // Runs of segments count as entities here: each is placed as one.
        size_t placed = ids.size();
        for (const PickIndex::SegmentRuns& runs : index.runPool)
            placed += runs.runs.size();
        const double cells = std::max(1.0, double(placed) / kEntitiesPerCell);
        index.cellSize = std::max(std::sqrt(width * height / cells), std::max(width, height) / cells);
        index.columns = int(std::clamp(std::ceil(width / index.cellSize), 1.0, cells));
        index.rows = int(std::clamp(std::ceil(height / index.cellSize), 1.0, cells));
        index.originX = x0;
        index.originY = y0;
    }
    index.cells.assign(size_t(index.columns) * size_t(index.rows), {});
    for (size_t rank = 0; rank < ids.size(); ++rank)
        place(index, uint32_t(rank));
    index.builtFor = ids.size();
    impl.changeLog.clear();
    impl.changeLogOverflowed = false;
}

void rebox(PickIndex& index, const std::vector<ZcDbObjectId>& ids, uint32_t rank)
{
    Fresh fresh = freshOf(ids, rank);
    if (unchanged(index, index.entries[rank], fresh))
        return;
    unplace(index, rank);
    enter(index, rank, std::move(fresh));
    place(index, rank);
}

// Whether a change to this object may move the boxes of entities other than
// itself: blocks and their entities, text styles.
bool movesOthers(const ZcDbObject& object, ZcDbObjectId modelSpace)
{
    if (ZcDbBlockTableRecord::cast(&object) || ZcDbTextStyleTableRecord::cast(&object))
        return object.objectId() != modelSpace;
    return ZcDbEntity::cast(&object) != nullptr;
}

// Brings the index up to date with the changes logged since: changed
// entities are boxed again, appended ones added; a change that may move
// boxes of others (a block, a text style) lays the index out anew.
PickIndex& upToDate(const ZcDbDatabase& db, const std::vector<ZcDbObjectId>& ids)
{
    ZcDbDatabaseImpl& impl = *db.impl();
    if (!impl.pickIndex) {
        impl.pickIndex = std::make_unique<PickIndex>();
        build(impl, *impl.pickIndex, ids);
        return *impl.pickIndex;
    }
    PickIndex& index = *impl.pickIndex;
    bool anew = impl.changeLogOverflowed || ids.size() < index.entries.size() ||
                ids.size() > kRegrowth * std::max(index.builtFor, kSmallestLayout);
    const size_t entered = index.entries.size();
    for (size_t i = entered; i < ids.size() && !anew; ++i) {
        ids[i].stub()->pickSlot = uint32_t(i + 1);
        enter(index, ids, uint32_t(i));
        place(index, uint32_t(i));
    }
    // An entity is boxed again once however often it changed; those just
    // entered are up to date already.
    std::vector<uint32_t> stale;
    for (size_t i = 0; i < impl.changeLog.size() && !anew; ++i) {
        const ZcDbStub* stub = impl.changeLog[i];
        if (!stub->object)
            continue;
        if (stub->pickSlot > 0 && stub->pickSlot <= index.entries.size() && ids[stub->pickSlot - 1].stub() == stub) {
            stale.push_back(stub->pickSlot - 1);
            continue;
        }
        // An attribute moves its reference's box only.
        if (ZcDbAttribute::cast(stub->object)) {
            const ZcDbStub* owner = stub->object->ownerId().stub();
            if (owner && owner->pickSlot > 0 && owner->pickSlot <= index.entries.size() &&
                ids[owner->pickSlot - 1].stub() == owner) {
                stale.push_back(owner->pickSlot - 1);
                continue;
            }
        }
        anew = movesOthers(*stub->object, db.modelSpaceId());
    }
    if (anew) {
        build(impl, index, ids);
    } else {
        std::sort(stale.begin(), stale.end());
        stale.erase(std::unique(stale.begin(), stale.end()), stale.end());
        for (const uint32_t rank : stale)
            if (rank < entered)
                rebox(index, ids, rank);
    }
    impl.changeLog.clear();
    return index;
}

// What the index finds near a point: an entity as runItem(rank,
// kWholeEntity), a run of a long polyline as runItem(rank, run), with no
// point of it nearer than `bound`.
struct Found {
    uint64_t item;
    double bound;
    bool operator<(const Found& other) const { return item < other.item; }
};

// The entities whose boxes come within reach of p, and those measured at
// every pick, and of long polylines the runs that come within reach, in
// model space's order and each polyline's runs in theirs. Nothing when the
// reach covers most of the grid (then every entity is measured).
std::optional<std::vector<Found>> near(const PickIndex& index, const ZcGePoint3d& p, double reach)
{
    const CellRange r = cellsOf(index, p.x - reach, p.y - reach, p.x + reach, p.y + reach);
    if (r.count() * 2 > long(index.cells.size()) && r.count() > kMostCellsCovered)
        return std::nullopt;
    std::vector<Found> found;
    for (const uint32_t rank : index.everywhere)
        if (const double bound = boxDistance(index.entries[rank], p); bound <= reach)
            found.push_back({runItem(rank, kWholeEntity), bound});
    const ZcGePoint2d fromOrigin(p.x - index.originX, p.y - index.originY);
    for (long row = r.r0; row <= r.r1; ++row)
        for (long col = r.c0; col <= r.c1; ++col) {
            const size_t at = size_t(row * index.columns + col);
            for (const uint32_t rank : index.cells[at])
                found.push_back({runItem(rank, kWholeEntity), 0.0});
            if (index.runCells.empty())
                continue;
            for (const PickIndex::RunPlace& place : index.runCells[at])
                if (const double bound = runPlaceDistance(place, fromOrigin); bound <= reach)
                    found.push_back({runItem(place.rank, place.run), bound});
        }
    std::sort(found.begin(), found.end());
    found.erase(
        std::unique(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.item == b.item; }),
        found.end());
    return found;
}

// Measures one entity against the best so far: the rule of the pick, shared
// by the scan and the index. lowerBound: no nearer than this; runs: the
// index's runs of the entity's segments to measure, if any.
void measure(ZcDbObjectId id, const ZcGePoint3d& p, double lowerBound, RunsToMeasure runs, ZcDbObjectId& best,
             double& bestDistance)
{
    const auto* entity = ZcDbObjectAccess::peekAs<ZcDbEntity>(id);
    if (!entity || !pickable(*entity) || lowerBound > bestDistance + kBoxSlack)
        return;
    const std::optional<double> d = planDistance(*entity, p, bestDistance, runs);
    if (d && *d <= bestDistance) {
        best = id;
        bestDistance = *d;
    }
}

}  // namespace

ZcDbObjectId pickEntityByScan(const ZcDbDatabase& db, const ZcGePoint3d& worldPoint, double aperture)
{
    const auto* modelSpace = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(db.modelSpaceId());
    if (!modelSpace)
        return {};
    ZcDbObjectId best;
    double bestDistance = aperture;
    for (const ZcDbObjectId id : modelSpace->entityIds())
        measure(id, worldPoint, 0.0, {}, best, bestDistance);
    return best;
}

ZcDbObjectId pickEntity(const ZcDbDatabase& db, const ZcGePoint3d& worldPoint, double aperture)
{
    // An object open for write may change before its change is logged.
    if (db.impl()->openForWrite > 0)
        return pickEntityByScan(db, worldPoint, aperture);
    const auto* modelSpace = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(db.modelSpaceId());
    if (!modelSpace)
        return {};
    const std::vector<ZcDbObjectId>& ids = modelSpace->entityIds();
    const PickIndex& index = upToDate(db, ids);
    ZcDbObjectId best;
    double bestDistance = aperture;
    const ZcGePoint2d q(worldPoint.x, worldPoint.y);
    // only: the runs of a long polyline that the index found near, when it did.
    // only: the runs of a long polyline that the index found near, when it
    // did, no nearer than `bound`.
    const auto measureRank = [&](uint32_t rank, const std::vector<uint32_t>* only, double bound) {
        const PickIndex::Entry& e = index.entries[rank];
        // Passed over by the index alone where it can be: the entities
        // themselves lie all over memory.
        if (e.place == PickIndex::Place::Nowhere || bound > bestDistance + kBoxSlack ||
            boxDistance(e, worldPoint) > bestDistance + kBoxSlack)
            return;
        const PickIndex::SegmentRuns* runs = e.runs > 0 ? &index.runPool[e.runs - 1] : nullptr;
        if (runs && !only && runsDistance(*runs, q) > bestDistance + kBoxSlack)
            return;
        measure(ids[rank], worldPoint, 0.0, {runs, only}, best, bestDistance);
    };
    if (const auto found = near(index, worldPoint, aperture + kBoxSlack)) {
        std::vector<uint32_t> only;
        for (size_t i = 0; i < found->size();) {
            const uint32_t rank = uint32_t((*found)[i].item >> 32);
            only.clear();
            double bound = HUGE_VAL;
            for (; i < found->size() && uint32_t((*found)[i].item >> 32) == rank; ++i) {
                if (const uint32_t run = uint32_t((*found)[i].item); run != kWholeEntity)
                    only.push_back(run);
                bound = std::min(bound, (*found)[i].bound);
            }
            measureRank(rank, only.empty() ? nullptr : &only, bound);
        }
    } else {
        for (uint32_t rank = 0; rank < index.entries.size(); ++rank)
            measureRank(rank, nullptr, 0.0);
    }
    return best;
}

std::vector<ZcDbObjectId> entitiesNear(const ZcDbDatabase& db, const ZcGePoint3d& worldPoint, double reach)
{
    const auto* modelSpace = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(db.modelSpaceId());
    if (!modelSpace)
        return {};
    const std::vector<ZcDbObjectId>& ids = modelSpace->entityIds();
    // An object open for write may change before its change is logged.
    if (!std::isfinite(worldPoint.x) || !std::isfinite(worldPoint.y))
        return {};
    if (db.impl()->openForWrite > 0 || !std::isfinite(reach) || reach < 0.0)
        return ids;
    const PickIndex& index = upToDate(db, ids);
    const auto items = near(index, worldPoint, reach + kBoxSlack);
    if (!items)
        return ids;
    std::vector<ZcDbObjectId> found;
    for (size_t i = 0; i < items->size(); ++i) {
        const uint32_t rank = uint32_t((*items)[i].item >> 32);
        if (i > 0 && uint32_t((*items)[i - 1].item >> 32) == rank)
            continue;
        if (boxDistance(index.entries[rank], worldPoint) <= reach + kBoxSlack)
            found.push_back(ids[rank]);
    }
    return found;
}

}  // namespace platform
