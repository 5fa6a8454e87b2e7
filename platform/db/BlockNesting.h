#pragma once

#include "ZcDbObjectId.h"

namespace platform {

// Whether block outer is block inner or holds a reference to it at any
// depth: a reference to outer placed in inner would make inner hold itself,
// a drawing no program can expand (nor read back).
bool blockHolds(ZcDbObjectId outer, ZcDbObjectId inner);

}  // namespace platform
