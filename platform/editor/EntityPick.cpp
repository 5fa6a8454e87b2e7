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

// Plan distance from p to a polyline when it is at most `limit`; nothing when
// farther. A segment's arc lies within the circle about its chord's middle
// of radius half the chord times the larger of 1 and the bulge: segments
// whose circle is farther than the limit are not measured.
std::optional<double> polylineDistance(const ZcDbPolyline& pline, const ZcGePoint3d& p, double limit)
{
    const ZcDbPolylineVertices& vertices = pline.vertices();
    const ZcGePoint2d q(p.x, p.y);
    double best = q.distanceTo(vertices.point(0));
    const size_t n = polylineSegmentCount(vertices, pline.isClosed());
    for (size_t i = 0; i < n; ++i) {
        const ZcGePoint2d a = vertices.point(i), b = vertices.point((i + 1) % vertices.size());
        const double reach = a.distanceTo(b) / 2.0 * std::max(1.0, std::fabs(vertices.bulge(i)));
        if (q.distanceTo(a + (b - a) * 0.5) - reach > std::min(best, limit) + kBoxSlack)
            continue;
        best = std::min(best, q.distanceTo(curve::closestPoint(polylineSegment(vertices, i), q, false).point));
    }
    if (best > limit)
        return std::nullopt;
    return best;
}

// Plan distance from p to the entity when it is at most `limit`, or nothing
// (also when it has no geometry to find).
std::optional<double> planDistance(const ZcDbEntity& entity, const ZcGePoint3d& p, double limit)
{
    if (const ZcDbPolyline* pline = ZcDbPolyline::cast(&entity); pline && pline->numVerts() > 0)
        return polylineDistance(*pline, p, limit);
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

// Cells an entity's box may cover before it is measured at every pick
// instead: long road edges would otherwise fill rows of cells.
constexpr long kMostCellsCovered = 16;
// Entities per cell the grid is laid out for.
constexpr double kEntitiesPerCell = 4.0;
// The grid is laid out again when model space has grown past this many
// times the entities it was laid out for.
constexpr size_t kRegrowth = 2;

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
// its extents follow blocks nested too deep.
PickIndex::Entry entryOf(const ZcDbEntity* entity)
{
    PickIndex::Entry entry;
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

void place(PickIndex& index, uint32_t rank)
{
    PickIndex::Entry& e = index.entries[rank];
    if (e.place == PickIndex::Place::Grid) {
        const CellRange r = cellsOf(index, e.x0, e.y0, e.x1, e.y1);
        if (r.count() <= kMostCellsCovered) {
            for (long row = r.r0; row <= r.r1; ++row)
                for (long col = r.c0; col <= r.c1; ++col)
                    index.cells[size_t(row * index.columns + col)].push_back(rank);
            return;
        }
        e.place = PickIndex::Place::Everywhere;
    }
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

void unplace(PickIndex& index, uint32_t rank)
{
    const PickIndex::Entry& e = index.entries[rank];
    if (e.place == PickIndex::Place::Everywhere) {
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
        const PickIndex::Entry& e =
            index.entries.emplace_back(entryOf(ZcDbObjectAccess::peekAs<ZcDbEntity>(ids[rank])));
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
        const double cells = std::max(1.0, double(ids.size()) / kEntitiesPerCell);
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
    unplace(index, rank);
    index.entries[rank] = entryOf(ZcDbObjectAccess::peekAs<ZcDbEntity>(ids[rank]));
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
                ids.size() > kRegrowth * index.builtFor + ZcDbDatabaseImpl::kChangeLogSlack;
    for (size_t i = index.entries.size(); i < ids.size() && !anew; ++i) {
        ids[i].stub()->pickSlot = uint32_t(i + 1);
        index.entries.emplace_back(entryOf(ZcDbObjectAccess::peekAs<ZcDbEntity>(ids[i])));
        place(index, uint32_t(i));
    }
    for (size_t i = 0; i < impl.changeLog.size() && !anew; ++i) {
        const ZcDbStub* stub = impl.changeLog[i];
        if (!stub->object)
            continue;
        if (stub->pickSlot > 0 && stub->pickSlot <= index.entries.size() && ids[stub->pickSlot - 1].stub() == stub) {
            rebox(index, ids, stub->pickSlot - 1);
            continue;
        }
        // An attribute moves its reference's box only.
        if (ZcDbAttribute::cast(stub->object)) {
            const ZcDbStub* owner = stub->object->ownerId().stub();
            if (owner && owner->pickSlot > 0 && owner->pickSlot <= index.entries.size() &&
                ids[owner->pickSlot - 1].stub() == owner) {
                rebox(index, ids, owner->pickSlot - 1);
                continue;
            }
        }
        anew = movesOthers(*stub->object, db.modelSpaceId());
    }
    if (anew)
        build(impl, index, ids);
    impl.changeLog.clear();
    return index;
}

// The ranks of the entities whose boxes come within reach of p, and of those
// measured at every pick, in model space's order; nothing when the reach
// covers most of the grid (then every entity is measured).
std::optional<std::vector<uint32_t>> near(const PickIndex& index, const ZcGePoint3d& p, double reach)
{
    const CellRange r = cellsOf(index, p.x - reach, p.y - reach, p.x + reach, p.y + reach);
    if (r.count() * 2 > long(index.cells.size()) && r.count() > kMostCellsCovered)
        return std::nullopt;
    std::vector<uint32_t> ranks = index.everywhere;
    for (long row = r.r0; row <= r.r1; ++row)
        for (long col = r.c0; col <= r.c1; ++col) {
            const std::vector<uint32_t>& cell = index.cells[size_t(row * index.columns + col)];
            ranks.insert(ranks.end(), cell.begin(), cell.end());
        }
    std::sort(ranks.begin(), ranks.end());
    ranks.erase(std::unique(ranks.begin(), ranks.end()), ranks.end());
    return ranks;
}

// Measures one entity against the best so far: the rule of the pick, shared
// by the scan and the index. lowerBound: no nearer than this.
void measure(ZcDbObjectId id, const ZcGePoint3d& p, double lowerBound, ZcDbObjectId& best, double& bestDistance)
{
    const auto* entity = ZcDbObjectAccess::peekAs<ZcDbEntity>(id);
    if (!entity || !pickable(*entity) || lowerBound > bestDistance + kBoxSlack)
        return;
    const std::optional<double> d = planDistance(*entity, p, bestDistance);
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
        measure(id, worldPoint, 0.0, best, bestDistance);
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
    const auto measureRank = [&](uint32_t rank) {
        const PickIndex::Entry& e = index.entries[rank];
        const double bound = e.place == PickIndex::Place::Grid ? boxDistance(e.x0, e.y0, e.x1, e.y1, worldPoint) : 0.0;
        measure(ids[rank], worldPoint, bound, best, bestDistance);
    };
    if (const auto ranks = near(index, worldPoint, aperture + kBoxSlack)) {
        for (const uint32_t rank : *ranks)
            measureRank(rank);
    } else {
        for (uint32_t rank = 0; rank < index.entries.size(); ++rank)
            measureRank(rank);
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
    const auto ranks = near(index, worldPoint, reach + kBoxSlack);
    if (!ranks)
        return ids;
    std::vector<ZcDbObjectId> found;
    found.reserve(ranks->size());
    for (const uint32_t rank : *ranks) {
        const PickIndex::Entry& e = index.entries[rank];
        if (e.place != PickIndex::Place::Grid || boxDistance(e.x0, e.y0, e.x1, e.y1, worldPoint) <= reach + kBoxSlack)
            found.push_back(ids[rank]);
    }
    return found;
}

}  // namespace platform
