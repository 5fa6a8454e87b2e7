#include "platform/render/GlyphInk.h"

#include <map>

#include "platform/render/FreetypeLibrary.h"

namespace platform {

namespace {

struct Font {
    FT_Face face = nullptr;
    std::map<unsigned, std::optional<EmBox>> glyphs;
};

}  // namespace

std::optional<EmBox> glyphInk(const std::string& fontPath, int faceIndex, unsigned glyphIndex)
{
    static std::map<std::pair<std::string, int>, Font> fonts;
    Font& font = fonts[{fontPath, faceIndex}];
    if (!font.face) {
        if (!processFreetype() || FT_New_Face(processFreetype(), fontPath.c_str(), faceIndex, &font.face) != 0) {
            font.face = nullptr;
            return std::nullopt;
        }
    }
    const auto known = font.glyphs.find(glyphIndex);
    if (known != font.glyphs.end())
        return known->second;
    std::optional<EmBox> box;
    const double em = font.face->units_per_EM;
    if (em > 0 && FT_Load_Glyph(font.face, glyphIndex, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) == 0) {
        const FT_Glyph_Metrics& m = font.face->glyph->metrics;
        if (m.width > 0 || m.height > 0)
            box = EmBox{m.horiBearingX / em, (m.horiBearingY - m.height) / em, (m.horiBearingX + m.width) / em,
                        m.horiBearingY / em};
    }
    font.glyphs.emplace(glyphIndex, box);
    return box;
}

}  // namespace platform
