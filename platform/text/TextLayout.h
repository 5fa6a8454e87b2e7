#pragma once

#include <array>
#include <string>
#include <vector>

#include "ZcGePoint3d.h"
#include "ZcGeVector3d.h"
#include "ZcadErrorStatus.h"

class ZcDbMText;
class ZcDbText;

namespace platform {

// Where the characters of a text go: its lines, each glyph along each
// line's baseline, and the box the lines fill, in drawing units. A text's
// height is the height of its capital letters; the baselines of a
// multi-line text are kLineSpacing heights apart. Measurement and pictures
// use the same font, found by the text style's font name (FontFiles.h).

// The host's single line spacing, in text heights.
inline constexpr double kLineSpacing = 5.0 / 3.0;

struct PlacedGlyph {
    char32_t character = 0;
    unsigned glyphIndex = 0;  // in the font file; 0 for a character it lacks
    double x = 0.0;           // from the line's start along the baseline
    double advance = 0.0;
};

struct LaidOutLine {
    std::u32string text;
    std::vector<PlacedGlyph> glyphs;  // spaces included
    ZcGePoint3d baselineStart;        // where the first glyph's origin is
    double width = 0.0;               // to the end of the last character that is not a space
};

struct TextLayout {
    std::string fontFile;
    // Glyph outlines, in font units, scale by emSize / (the font's units per
    // em) upwards and by that times widthFactor along the baseline.
    double emSize = 0.0;
    double widthFactor = 1.0;
    double height = 0.0;           // capital height
    ZcGeVector3d direction{1, 0, 0};  // along the baselines
    ZcGeVector3d up{0, 1, 0};         // from a baseline towards its capitals
    std::vector<LaidOutLine> lines;
    // The laid-out box: the first line's capitals to the last line's
    // descenders, across the widest line. Corners bottom-left,
    // bottom-right, top-right, top-left.
    std::array<ZcGePoint3d, 4> frame;
};

enum class TextAnchorX { Left, Center, Right };
// Which height of the box the anchor point is at.
enum class TextAnchorY {
    Top,        // the first line's capital height
    Middle,     // halfway down the whole box
    Bottom,     // the last line's descenders
    Baseline,   // the first line's baseline
    CapMiddle,  // halfway up the first line's capitals
};

// A block of text to lay out.
struct TextBlock {
    std::vector<std::u32string> paragraphs;
    std::string fontFile;
    double height = 1.0;
    double widthFactor = 1.0;
    double wrapWidth = 0.0;  // 0: lines break only between paragraphs
    TextAnchorX anchorX = TextAnchorX::Left;
    TextAnchorY anchorY = TextAnchorY::Top;
    ZcGePoint3d anchor;
    double rotation = 0.0;  // radians, counter-clockwise from +X
};

// eOk with the layout; eInvalidExtents when there is no character to lay
// out, eInvalidInput for a height or width factor that is not positive,
// eFontNotFound when the font cannot be read.
[[nodiscard]] Zcad::ErrorStatus layoutTextBlock(const TextBlock& block, TextLayout& layout);

// A multi-line text as the host lays it out: wrapped at its width, placed
// by its attachment point, rotated about its location; its style's font
// and width factor.
[[nodiscard]] Zcad::ErrorStatus layoutMText(const ZcDbMText& text, TextLayout& layout);

// A single-line text (an attribute too): placed by its justification
// (position for left on the baseline, otherwise the alignment point;
// aligned and fit texts span from the position to the alignment point).
[[nodiscard]] Zcad::ErrorStatus layoutText(const ZcDbText& text, TextLayout& layout);

}  // namespace platform
