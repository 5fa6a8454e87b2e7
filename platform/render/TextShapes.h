#pragma once

#include <optional>
#include <string>

#include "platform/render/Affine2.h"
#include "platform/render/GlyphRun.h"

class ZcDbText;
class ZcDbMText;

namespace platform {

// A text's glyphs in its own plane, and the map from that plane to the
// plane the text entity is drawn in (its position, rotation, width factor
// and slant).
struct PlacedText {
    GlyphRun glyphs;
    Affine2 placement;
};

// A single-line text (also an attribute or a definition) showing the given
// string, aligned as the text says; nothing for an empty string.
std::optional<PlacedText> textGlyphs(const ZcDbText& text, const std::string& string);
// A multi-line text, wrapped to its width and placed by its attachment.
std::optional<PlacedText> mtextGlyphs(const ZcDbMText& mtext);

}  // namespace platform
