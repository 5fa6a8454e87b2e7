#pragma once

#include <string>
#include <vector>

#include "ZcDbExtents.h"

namespace platform {

// Glyphs of one font placed in a text's own plane (y up): what a text
// draws, as laid out by the text measurement, so that pictures and
// measurement agree.
struct GlyphRun {
    struct Glyph {
        unsigned index = 0;  // the glyph's index in the font file
        double x = 0.0;      // its origin on the baseline
        double y = 0.0;
    };

    std::string fontPath;
    int faceIndex = 0;
    // The size of the font's em in the plane.
    double emSize = 0.0;
    std::vector<Glyph> glyphs;
    // Where the glyphs' ink lies in the plane (for framing the picture).
    ZcDbExtents box;
};

}  // namespace platform
