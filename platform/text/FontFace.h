#pragma once

#include <map>
#include <memory>
#include <string>

namespace platform {

// A TrueType font as text measurement needs it, in the font's own units.
class FontFace {
public:
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    // The font of a file, loaded once and kept for the process; null when
    // FreeType cannot read it or any of its glyphs.
    static const FontFace* load(const std::string& path);

    const std::string& path() const { return m_path; }
    double unitsPerEm() const { return m_unitsPerEm; }
    // Height of the capital letters above the baseline (what a text's height gives).
    double capHeight() const { return m_capHeight; }
    // Depth of the descenders below the baseline, positive.
    double descent() const { return m_descent; }

    struct Glyph {
        unsigned index = 0;  // 0: the font has no such character
        double advance = 0;
    };
    const Glyph& glyph(char32_t character) const;

private:
    FontFace() = default;
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    std::string m_path;
    double m_unitsPerEm = 1000;
    double m_capHeight = 700;
    double m_descent = 200;
    mutable std::map<char32_t, Glyph> m_glyphs;
};

}  // namespace platform
