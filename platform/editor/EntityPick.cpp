#include "platform/editor/EntityPick.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "ZcDbCurve.h"
#include "ZcDbLayerTable.h"
#include "ZcDbPolyline.h"
#include "ZcDbText.h"
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

// The latest edit of anything a block's content extents depend on: the
// block, its entities, the text styles of its texts and the blocks it
// inserts; nothing when blocks nest deeper than is worth following.
std::optional<uint64_t> contentEdited(ZcDbObjectId blockId, int depth)
{
    const auto* block = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(blockId);
    if (!block || depth > kNestingFollowed)
        return std::nullopt;
    uint64_t latest = blockId.stub()->edited;
    for (const ZcDbObjectId id : block->entityIds()) {
        latest = std::max(latest, id.stub()->edited);
        const auto* entity = ZcDbObjectAccess::peekAs<ZcDbEntity>(id);
        if (const ZcDbText* text = ZcDbText::cast(entity); text && !text->textStyle().isNull())
            latest = std::max(latest, text->textStyle().stub()->edited);
        if (const ZcDbBlockReference* inner = ZcDbBlockReference::cast(entity)) {
            const std::optional<uint64_t> nested = contentEdited(inner->blockTableRecord(), depth + 1);
            if (!nested)
                return std::nullopt;
            latest = std::max(latest, *nested);
        }
    }
    return latest;
}

// The latest edit of anything an entity's extents depend on: a curve only
// on itself; a block reference also on its attributes, their text styles
// and its block's content. Nothing for other kinds (their extents are
// worked out every time).
std::optional<uint64_t> extentsEdited(ZcDbObjectId id, const ZcDbEntity& entity)
{
    if (entity.isWriteEnabled())
        return std::nullopt;
    if (ZcDbCurve::cast(&entity))
        return id.stub()->edited;
    const ZcDbBlockReference* reference = ZcDbBlockReference::cast(&entity);
    if (!reference)
        return std::nullopt;
    std::optional<uint64_t> latest = contentEdited(reference->blockTableRecord(), 0);
    if (!latest)
        return std::nullopt;
    *latest = std::max(*latest, id.stub()->edited);
    for (const ZcDbObjectId attribute : reference->attributeIds()) {
        if (attribute.isNull())
            continue;
        *latest = std::max(*latest, attribute.stub()->edited);
        if (const auto* text = ZcDbObjectAccess::peekAs<ZcDbText>(attribute); text && !text->textStyle().isNull())
            *latest = std::max(*latest, text->textStyle().stub()->edited);
    }
    return latest;
}

// No nearer than this to p: an entity is never nearer than its box, kept
// between picks until something it depends on changes, so that a pick does
// not measure every entity of a large drawing again.
double lowerBound(const ZcDbDatabase& db, ZcDbObjectId id, const ZcDbEntity& entity, const ZcGePoint3d& p)
{
    const std::optional<uint64_t> edited = extentsEdited(id, entity);
    if (!edited)
        return 0.0;
    ZcDbDatabaseImpl::PickBox& box = db.impl()->pickBoxes[id.stub()];
    if (box.edited != *edited || box.edited == 0) {
        ZcDbExtents extents;
        box.edited = *edited;
        box.known = entity.getGeomExtents(extents) == Zcad::eOk && !extents.isEmpty();
        if (box.known) {
            box.x0 = extents.minPoint().x;
            box.y0 = extents.minPoint().y;
            box.x1 = extents.maxPoint().x;
            box.y1 = extents.maxPoint().y;
        }
    }
    return box.known ? boxDistance(box.x0, box.y0, box.x1, box.y1, p) : 0.0;
}

}  // namespace

ZcDbObjectId pickEntity(const ZcDbDatabase& db, const ZcGePoint3d& worldPoint, double aperture)
{
    const auto* modelSpace = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(db.modelSpaceId());
    if (!modelSpace)
        return {};
    ZcDbObjectId best;
    double bestDistance = aperture;
    for (const ZcDbObjectId id : modelSpace->entityIds()) {
        const auto* entity = ZcDbObjectAccess::peekAs<ZcDbEntity>(id);
        if (!entity || !pickable(*entity))
            continue;
        if (lowerBound(db, id, *entity, worldPoint) > bestDistance + kBoxSlack)
            continue;
        const std::optional<double> d = planDistance(*entity, worldPoint, bestDistance);
        if (d && *d <= bestDistance) {
            best = id;
            bestDistance = *d;
        }
    }
    return best;
}

}  // namespace platform
