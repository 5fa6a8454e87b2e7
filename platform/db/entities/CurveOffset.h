#pragma once

#include <vector>

#include "platform/db/entities/CurveMath.h"

// The offset of a chain of pieces (a polyline's segments) with the loops
// cut away that moving a tight bend sideways makes.
namespace platform::curve {

// A corner's offset lines meet where extended, as a polyline offset does in
// CAD, unless the meeting point lies farther than this many offsets from the
// corner (a turn of more than about 150 degrees): a round join instead, not a
// spike far out beyond a hairpin.
inline constexpr double kMitreLimit = 4.0;
// A piece of the moved curve that comes nearer the curve than the offset by
// more than this is part of a loop and is cut away. Well above the rounding
// of coordinates and of the intersections, well below anything drawn.
inline constexpr double kOffsetKeepTol = 1e-6;
// Cuts of one piece closer than this are one cut, at the crossing of the
// moved curve when one is among them: where a loop closes near a corner's
// circle, rounding puts the crossings a few micrometres apart.
inline constexpr double kCutMergeTol = 1e-5;
// Kept pieces whose ends are this far apart still join (the later one's end
// moved): a tenth of a millimetre, what two drawn points count as one.
inline constexpr double kStitchGapTol = 1e-4;
// A piece that meets a circle of the offset's radius at an angle below this
// (its cosine to the radius) only grazes it, dipping in by at most the radius
// times 5e-9: no loop starts there.
inline constexpr double kGrazingCos = 1e-4;

struct OffsetPiece {
    Piece piece;
    int source = -1;  // the segment it was moved from; -1 for a join at a corner
};

struct OffsetChain {
    std::vector<OffsetPiece> pieces;
    bool closed = false;
};

// The chain moved sideways by a distance (to the right of its direction for
// a positive one): segments moved parallel, arcs concentric (an arc that
// shrinks to nothing is dropped), neighbours joined, then whatever comes
// nearer the chain than the distance cut away. The chains that remain, the
// longest first; none when nothing sensible is left. Pieces of no length
// must not be given.
std::vector<OffsetChain> offsetChain(const std::vector<Piece>& pieces, bool closed, double distance);

double length(const OffsetChain& chain);

}  // namespace platform::curve
