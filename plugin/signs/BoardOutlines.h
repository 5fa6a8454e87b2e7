#pragma once

#include "ZcCmColor.h"
#include "ZcDbBlockTable.h"
#include "ZcDbObjectId.h"
#include "ZcDbPolyline.h"
#include "ZcGePoint3d.h"

// The frame and field of a sign board: closed polylines, each filled with a
// solid hatch, on layer "0" with explicit colours so that a reference keeps
// the board's colours on any layer. The board colour fills the border ring
// and the field, the stripe colour the stripe between them. Entities go to
// the owner (a block being built, left open) or, without one, to model
// space; each is closed before return, and the ids are appended to the
// caller's arrays.

struct RoundedBoardArgs {
    ZcGePoint3d corner1;  // lower left
    ZcGePoint3d corner2;  // upper right
    double cornerRadius = 0.0;
    double borderWidth = 0.0;  // 0 or less: no border ring
    double stripeWidth = 0.0;
    ZcCmColor boardColour;
    ZcCmColor stripeColour;
    ZcDbObjectIdArray* hatchIds = nullptr;    // [border ring], stripe, field
    ZcDbObjectIdArray* outlineIds = nullptr;  // [outer], middle, inner
    ZcDbBlockTableRecord* owner = nullptr;
};

// A closed rounded rectangle inset by dx, dy from the corners, with corner
// radius r and constant width t, on layer "0", not yet in any drawing.
// Vertex 0 starts the lower-left corner arc; the corners follow clockwise
// (vertices 4 and 5 bound the upper-right arc).
ZcDbPolyline* MakeRoundedRectPolyline(const ZcGePoint3d& corner1, const ZcGePoint3d& corner2, double r, double dx,
                                      double dy, double t);

// A rectangular board with rounded corners.
void DrawRoundedBoard(RoundedBoardArgs args);

// A five-cornered board of length L and height H with its flat end on the
// Y axis and its point on the X axis, on the negative side when pointsLeft.
// The field is shortened at the point, so the stripe widens towards it.
void DrawArrowBoard(double length, double height, double borderWidth, double stripeWidth, bool pointsLeft,
                    ZcCmColor boardColour, ZcCmColor stripeColour, ZcDbObjectIdArray* hatchIds,
                    ZcDbObjectIdArray* outlineIds, ZcDbBlockTableRecord* owner);
