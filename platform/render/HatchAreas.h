#pragma once

#include <vector>

#include "platform/render/Shape.h"

class ZcDbHatch;

namespace platform {

// The filled area of a hatch: which of its loops take part and by which
// rule. A loop's depth is the number of loops around it; the normal style
// fills alternately (even-odd over all loops: holes, islands in holes, ...),
// the outer style only between the outermost loops and the next ones in, the
// ignore style the outermost loops whole. The hatch's area is reckoned the
// same way.
struct HatchArea {
    std::vector<Contour> loops;
    bool evenOdd = true;
};

HatchArea hatchArea(const ZcDbHatch& hatch);

// A hatch loop's outline from its vertices and bulges (closed).
Contour loopContour(const std::vector<ZcGePoint2d>& vertices, const std::vector<double>& bulges);

}  // namespace platform
