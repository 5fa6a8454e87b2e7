#pragma once

#include "ZcDbBlockTable.h"
#include "ZcDbObjectId.h"
#include "ZcGePoint3d.h"

// The red band of an end-of-town board: the field between the two lines
// 25 either side of the board's diagonal (corner1 to corner2), with the
// field's lower-left and upper-right corners, as a closed polyline (colour
// 1, layer "0") and its solid fill, appended to the block being built. The
// inner outline is the board's field (a rounded rectangle as
// MakeRoundedRectPolyline makes it). False, with nothing appended, when the
// lines do not both cross the field.
bool DrawDiagonalBand(const ZcGePoint3d& corner1, const ZcGePoint3d& corner2, ZcDbObjectId innerOutline,
                      ZcDbBlockTableRecord* block);
