#include "platform/text/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <mutex>

namespace platform {

namespace {

// FreeType for the process's fonts; faces are kept until the end.
struct FreeTypeFonts {
    std::mutex mutex;
    FT_Library library = nullptr;
    bool initialised = false;
    std::map<std::string, std::unique_ptr<FontFace>> faces;
    ~FreeTypeFonts()
    {
        faces.clear();  // every face before the library that made it
        if (library)
            FT_Done_FreeType(library);
    }
};

FreeTypeFonts& fonts()
{
    static FreeTypeFonts f;
    return f;
}

std::mutex& glyphMutex()
{
    static std::mutex m;
    return m;
}

// A file cut short still opens (its table directory is at the start) but
// loses glyphs past the cut: every glyph must load for the font to count.
bool allGlyphsLoad(FT_Face face)
{
    for (FT_Long i = 0; i < face->num_glyphs; ++i)
        if (FT_Load_Glyph(face, FT_UInt(i), FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) != 0)
            return false;
    return true;
}

}  // namespace

struct FontFace::Impl {
    FT_Face face = nullptr;
    ~Impl()
    {
        if (face)
            FT_Done_Face(face);
    }
};

FontFace::~FontFace() = default;

const FontFace* FontFace::load(const std::string& path)
{
    FreeTypeFonts& f = fonts();
    std::lock_guard lock(f.mutex);
    if (const auto it = f.faces.find(path); it != f.faces.end())
        return it->second.get();
    if (!f.initialised) {
        f.initialised = true;
        if (FT_Init_FreeType(&f.library) != 0)
            f.library = nullptr;
    }
    std::unique_ptr<FontFace> font;
    FT_Face face = nullptr;
    if (f.library && !path.empty() && FT_New_Face(f.library, path.c_str(), 0, &face) == 0 && face->units_per_EM > 0 &&
        allGlyphsLoad(face)) {
        font.reset(new FontFace);
        font->m_impl = std::make_unique<Impl>();
        font->m_impl->face = face;
        font->m_path = path;
        font->m_unitsPerEm = face->units_per_EM;
        font->m_descent = face->descender < 0 ? -double(face->descender) : 0.2 * face->units_per_EM;
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        if (os2 && os2->version >= 2 && os2->sCapHeight > 0) {
            font->m_capHeight = os2->sCapHeight;
        } else if (FT_Load_Char(face, 'H', FT_LOAD_NO_SCALE) == 0 && face->glyph->metrics.horiBearingY > 0) {
            // Older fonts do not say: the capital H shows it.
            font->m_capHeight = double(face->glyph->metrics.horiBearingY);
        } else {
            font->m_capHeight = 0.7 * face->units_per_EM;
        }
    } else if (face) {
        FT_Done_Face(face);
    }
    const FontFace* result = font.get();
    f.faces.emplace(path, std::move(font));
    return result;
}

const FontFace::Glyph& FontFace::glyph(char32_t character) const
{
    std::lock_guard lock(glyphMutex());
    if (const auto it = m_glyphs.find(character); it != m_glyphs.end())
        return it->second;
    Glyph g;
    FT_Face face = m_impl->face;
    g.index = FT_Get_Char_Index(face, FT_ULong(character));
    // A character the font lacks is drawn as its "missing" glyph (index 0),
    // which has its own width.
    if (FT_Load_Glyph(face, g.index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) == 0)
        g.advance = double(face->glyph->advance.x);
    return m_glyphs.emplace(character, g).first->second;
}

}  // namespace platform
