#include "platform/render/TextShapes.h"

#include <cmath>

#include "ZcDbMText.h"
#include "ZcDbText.h"
#include "platform/render/GlyphInk.h"
#include "platform/text/TextLayout.h"

namespace platform {

namespace {

// The layout's glyphs in the text's own plane: x along the baselines in
// units that the width factor stretches, y up; the placement takes that
// plane to the entity's, so that a glyph drawn one em high in the plane
// comes out as the layout sized it.
std::optional<PlacedText> placedFrom(const TextLayout& layout)
{
    if (layout.lines.empty() || !(layout.emSize > 0.0))
        return std::nullopt;
    const double wf = layout.widthFactor;
    const ZcGePoint3d origin = layout.lines.front().baselineStart;
    PlacedText t;
    t.placement = {layout.direction.x * wf, layout.up.x, origin.x, layout.direction.y * wf, layout.up.y, origin.y};
    const double det = t.placement.det();
    if (!(std::fabs(det) > 0.0) || !t.placement.isFinite())
        return std::nullopt;
    const auto inPlane = [&](const ZcGePoint3d& p) {
        const double rx = p.x - origin.x, ry = p.y - origin.y;
        return ZcGePoint2d((t.placement.yy * rx - t.placement.xy * ry) / det,
                           (-t.placement.yx * rx + t.placement.xx * ry) / det);
    };
    GlyphRun& run = t.glyphs;
    run.fontPath = layout.fontFile;
    run.emSize = layout.emSize;
    for (const LaidOutLine& line : layout.lines) {
        for (const PlacedGlyph& g : line.glyphs) {
            if (g.character == U' ')
                continue;
            const ZcGePoint2d at = inPlane(line.baselineStart + layout.direction * g.x);
            run.glyphs.push_back({g.glyphIndex, at.x, at.y});
            // The box goes round the ink, which accents and ascenders take
            // above the measured capitals.
            if (const std::optional<EmBox> ink = glyphInk(run.fontPath, run.faceIndex, g.glyphIndex)) {
                run.box.addPoint({at.x + ink->xMin * run.emSize, at.y + ink->yMin * run.emSize, 0.0});
                run.box.addPoint({at.x + ink->xMax * run.emSize, at.y + ink->yMax * run.emSize, 0.0});
            }
        }
    }
    if (run.box.isEmpty()) {
        for (const ZcGePoint3d& corner : layout.frame) {
            const ZcGePoint2d c = inPlane(corner);
            run.box.addPoint({c.x, c.y, 0.0});
        }
    }
    return t;
}

}  // namespace

std::optional<PlacedText> textGlyphs(const ZcDbText& text, const std::string& string)
{
    TextLayout layout;
    Zcad::ErrorStatus es = Zcad::eOk;
    if (string == text.textString()) {
        es = layoutText(text, layout);
    } else {
        // Laid out as the text would be with the other string (a definition's tag).
        auto* shown = static_cast<ZcDbText*>(text.clone());
        if (!shown)
            return std::nullopt;
        es = shown->setTextString(string.c_str());
        if (es == Zcad::eOk)
            es = layoutText(*shown, layout);
        shown->close();
    }
    if (es != Zcad::eOk)
        return std::nullopt;
    return placedFrom(layout);
}

std::optional<PlacedText> mtextGlyphs(const ZcDbMText& mtext)
{
    TextLayout layout;
    if (layoutMText(mtext, layout) != Zcad::eOk)
        return std::nullopt;
    return placedFrom(layout);
}

}  // namespace platform
