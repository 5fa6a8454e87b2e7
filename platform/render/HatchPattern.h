#pragma once

#include <vector>

#include "ZcDbHatch.h"
#include "platform/render/HatchAreas.h"

namespace platform {

// A hatch pattern laid over its area: every family of parallel lines cut
// to the inside of the area, then into dashes and dots.
struct PatternStrokes {
    enum class Outcome {
        Drawn,
        NoSpacing,  // a family whose lines lie on one another (or whose numbers cannot be used)
        TooMany,    // more lines or strokes than a picture can take
    };
    Outcome outcome = Outcome::Drawn;
    // Dashes as two-point contours, dots as one-point ones.
    std::vector<Contour> strokes;
};

// The most lines a pattern may lay over one hatch, and the most strokes it
// may make: tiny spacing over a huge area would otherwise run for hours.
inline constexpr double kMaxPatternLines = 20'000;
inline constexpr size_t kMaxPatternStrokes = 2'000'000;
// The most crossings of lines and loop pieces worked out for one hatch.
inline constexpr double kMaxPatternWork = 50'000'000;

// minPattern: a dash pattern shorter than this is drawn as a continuous
// line (finer than the picture shows).
PatternStrokes patternStrokes(const std::vector<ZcDbHatch::PatternLine>& lines, const HatchArea& area,
                              double minPattern);

}  // namespace platform
