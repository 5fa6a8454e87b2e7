#pragma once

#include <vector>

#include "ZcDbObjectId.h"

class ZcDbBlockTableRecord;

namespace platform {

// A block's live entities from bottom to top: in the order they were
// appended, except as its draw-order table says (read without opening it).
std::vector<ZcDbObjectId> drawOrder(const ZcDbBlockTableRecord& block);

}  // namespace platform
