#pragma once

#include <vector>

#include "ZcDbDatabase.h"
#include "ZcGePoint3d.h"
#include "ZrxExport.h"

namespace platform {

// How far from the picked point an entity is still found, in drawing units
// (metres): the pick box of a console without a screen, about what a few
// pixels cover on a road plan at 1:500.
inline constexpr double kPickAperture = 0.5;

// The model-space entity nearest to a world point in plan (XY), within the
// aperture: curves by their closest point, other entities by their extents.
// Erased, invisible and entities on layers that are off or frozen are not
// found. Of entities at the same distance the one appended last wins. Null when
// nothing is near.
// Only the entities whose boxes come near are measured, and of long
// polylines only the runs of segments that come near, found in an index of
// model space kept up to date from the drawing's changes.
ZRX_EXPORT ZcDbObjectId pickEntity(const ZcDbDatabase& db, const ZcGePoint3d& worldPoint,
                                   double aperture = kPickAperture);

// The model-space entities whose boxes may come within reach of a world
// point in plan, in model space's order, from the same index: a screen
// looks for snap points on these only. Entities that cannot be placed in
// the index (no box, or one over much of the drawing) are always among them.
ZRX_EXPORT std::vector<ZcDbObjectId> entitiesNear(const ZcDbDatabase& db, const ZcGePoint3d& worldPoint, double reach);

// The same by measuring every entity of model space: the rule itself, which
// the index must give the same answers as.
ZcDbObjectId pickEntityByScan(const ZcDbDatabase& db, const ZcGePoint3d& worldPoint, double aperture = kPickAperture);

}  // namespace platform
