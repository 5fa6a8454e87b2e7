#pragma once

#include <string>
#include <vector>

#include "ZcDbObjectId.h"
#include "platform/db/entities/CurveMath.h"
#include "platform/render/Affine2.h"
#include "platform/render/GlyphRun.h"
#include "platform/render/Rgb.h"

namespace platform {

// One run of pieces, each starting where the one before ends.
struct Contour {
    std::vector<curve::Piece> pieces;
    bool closed = false;
};

// What the picture is made of: thin lines, filled areas and texts, each in
// its own plane (the block it was drawn in) with the map that takes that
// plane into the world. Arcs keep their circles, so an arc in an unevenly
// scaled block is drawn as the ellipse it has become.
struct Shape {
    enum class Kind {
        Line,  // contours drawn as thin lines (a one-point contour is a dot)
        Area,  // contours filled
        Text,  // glyphs
        Mark,  // a small round mark at the start of each contour, the same size at any scale (points)
    };

    Kind kind = Kind::Line;
    Rgb colour;
    Affine2 map;
    std::vector<Contour> contours;
    // Areas: even-odd (nested loops are holes) or non-zero (overlaps stay filled).
    bool evenOdd = false;
    // Areas that stand for a wide line: its centre line, drawn thin under
    // the fill so that a width narrower than a pixel still shows.
    std::vector<Contour> spine;
    GlyphRun glyphs;
    // The model-space entity the shape belongs to.
    ZcDbObjectId entity;
};

// Where a drawing's shapes go as they are made, bottom first.
class ShapeSink {
public:
    virtual ~ShapeSink() = default;
    virtual void add(const Shape& shape) = 0;
};

}  // namespace platform
