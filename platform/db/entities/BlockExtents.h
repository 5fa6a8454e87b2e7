#pragma once

#include <cstdint>

#include "ZcDbExtents.h"

class ZcDbBlockTableRecord;
class ZcDbDatabase;

namespace platform {

// A block's extents as last worked out, kept by its drawing: references
// multiply what their blocks hold, and blocks that insert blocks many times
// would otherwise have the same content measured again for each instance.
struct ZcDbBlockExtents {
    uint64_t edits = 0;  // the drawing's count of edits when worked out
    // While an object is open for write the drawing may change at any
    // moment: what is worked out then serves only the rest of the same
    // measurement (its number here; 0 when worked out with nothing open).
    uint64_t measurement = 0;
    bool known = false;
    bool measuring = false;  // being worked out now: a reference to it inside itself adds nothing
    ZcDbExtents extents;     // in the block's own coordinates; empty when nothing in it has any
};

// The extents of what a block shows (attribute definitions are shown by
// references' attributes), in the block's own coordinates; empty when
// nothing in it has extents. Worked out again only after the drawing changed.
ZcDbExtents blockContentExtents(const ZcDbBlockTableRecord& block);

// How many times blocks' extents of a drawing were worked out rather than
// taken as kept: the work nested blocks cost.
uint64_t blockExtentsMeasured(const ZcDbDatabase& db);

}  // namespace platform
