#pragma once

#include "ZcDbCurve.h"
#include "ZcDbEntity.h"
#include "ZcDbObjectId.h"
#include "ZcGePoint3d.h"

// The toolkit's three questions to entities of the drawing (opened for read
// by the caller).

// Whether the curve's ends are p and q, in either order, each within
// kJoinTolerance. False for no curve or one without ends.
bool CurveJoinsPoints(const ZcDbCurve* curve, ZcGePoint3d p, ZcGePoint3d q);

// a with every id of b that a does not yet hold appended, in b's order.
ZcDbObjectIdArray MergeIdArrays(ZcDbObjectIdArray a, const ZcDbObjectIdArray& b);

// The width along X of the entity's geometric extents; 0 when it has none.
double ExtentsWidth(const ZcDbEntity* entity);
