#pragma once

#include <optional>
#include <string>

namespace platform {

// The box round a glyph's outline, in ems from the glyph's origin, y up.
struct EmBox {
    double xMin = 0.0, yMin = 0.0, xMax = 0.0, yMax = 0.0;
};

// Nothing when the font cannot be read or the glyph has no outline (a space).
// Fonts are opened once and kept for the process.
std::optional<EmBox> glyphInk(const std::string& fontPath, int faceIndex, unsigned glyphIndex);

}  // namespace platform
