#pragma once

#include "ZcDbHatch.h"
#include "ZcDbLine.h"
#include "ZcDbMText.h"
#include "ZcDbObjectId.h"
#include "ZcGePoint3d.h"

// Entities the drawing routines share. The Make builders return a new
// entity, open and not in any drawing: the caller appends it (to model
// space or a block) and closes it. The Draw builders ask for points on the
// command line and leave their entity closed in model space.

// A solid fill: one external loop of the outer boundary curves and, when
// there are inner ones, one derived loop of them; associative, evaluated.
// The ids are of closed curves in the working drawing. Null when the
// drawing refuses a loop (no outer curve, a curve that is not closed or
// not there) or the fill: the caller then has no fill to add.
[[nodiscard]] ZcDbHatch* MakeSolidHatch(const ZcDbObjectIdArray& outerIds, const ZcDbObjectIdArray& innerIds);

// A multi-line text centred on the location (middle centre), on layer "0".
[[nodiscard]] ZcDbMText* MakeMText(const char* contents, ZcGePoint3d location, double height);

// Cuts the line (open for write) to the other entity: its start and end
// become the first two points where it meets the entity, in the line's own
// direction, neither extended. With fewer than two such points the line is
// left as it was and the result is false.
bool TrimLineToEntity(ZcDbLine* line, const ZcDbEntity* other);

// A leader from start through the points the user picks (each rubber-banded
// from the last) until one is not given; a repeated point (kRepeatedPick)
// is passed over.
// Null when not even a second point is given; nothing is then added to the
// drawing.
ZcDbObjectId DrawLeader(ZcGePoint3d start);

// A polyline through the points the user picks, the first with its own
// prompt, until one is not given; a repeated point is passed over. Null
// when fewer than two points are given.
ZcDbObjectId DrawDescriptionLine();
