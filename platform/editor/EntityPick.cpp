#include "platform/editor/EntityPick.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "ZcDbBlockTable.h"
#include "ZcDbCurve.h"
#include "ZcDbLayerTable.h"
#include "platform/db/ObjectAccess.h"

namespace {

bool pickable(const ZcDbEntity& entity)
{
    if (entity.isErased() || entity.visibility() == ZcDb::kInvisible)
        return false;
    const auto* layer = ZcDbObjectAccess::peekAs<ZcDbLayerTableRecord>(entity.layerId());
    return !layer || (!layer->isOff() && !layer->isFrozen());
}

// Plan distance from p to the entity, or nothing when it has no geometry to find.
std::optional<double> planDistance(const ZcDbEntity& entity, const ZcGePoint3d& p)
{
    if (const ZcDbCurve* curve = ZcDbCurve::cast(&entity)) {
        ZcGePoint3d closest;
        if (curve->getClosestPointTo(p, closest, false) == Zcad::eOk)
            return std::hypot(closest.x - p.x, closest.y - p.y);
    }
    ZcDbExtents extents;
    if (entity.getGeomExtents(extents) != Zcad::eOk || extents.isEmpty())
        return std::nullopt;
    const ZcGePoint3d& lo = extents.minPoint();
    const ZcGePoint3d& hi = extents.maxPoint();
    const double dx = std::max({lo.x - p.x, 0.0, p.x - hi.x});
    const double dy = std::max({lo.y - p.y, 0.0, p.y - hi.y});
    return std::hypot(dx, dy);
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
        const std::optional<double> d = planDistance(*entity, worldPoint);
        if (d && *d <= bestDistance) {
            best = id;
            bestDistance = *d;
        }
    }
    return best;
}
