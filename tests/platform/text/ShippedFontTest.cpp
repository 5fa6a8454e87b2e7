// The road-lettering font shipped in the data folder: the style "Tarvowy"
// finds it there, and it has a glyph of its own for every letter a Polish
// place name may hold.

#include <gtest/gtest.h>

#include <string>

#include "platform/text/FontFace.h"
#include "platform/text/FontFiles.h"
#include "tests/support/TestPaths.h"

using namespace platform;

namespace {

const std::string kShippedFont = std::string(testSourceDir()) + "/resources/Fonts/Tarvowa.ttf";

}  // namespace

TEST(ShippedFont, HasEveryPolishLetterDigitAndSign)
{
    const FontFace* font = FontFace::load(kShippedFont);
    ASSERT_NE(font, nullptr) << kShippedFont;
    const std::u32string letters = U"ąćęłńóśźżĄĆĘŁŃÓŚŹŻ"
                                   U"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-.,()/";
    for (const char32_t c : letters) {
        const FontFace::Glyph& g = font->glyph(c);
        EXPECT_NE(g.index, 0u) << "U+" << std::hex << unsigned(c);
        EXPECT_GT(g.advance, 0.0) << "U+" << std::hex << unsigned(c);
    }
    // An accented letter is as wide as its base letter: a name keeps its width.
    for (const auto& [accented, base] : {std::pair{U'ą', U'a'}, {U'Ł', U'L'}, {U'ż', U'z'}, {U'Ś', U'S'}})
        EXPECT_EQ(font->glyph(accented).advance, font->glyph(base).advance);
}

TEST(ShippedFont, IsWhatTheInstallationFolderGivesTheStyle)
{
    setFontInstallationFolder((std::string(testSourceDir()) + "/resources"));
    const FontFile found = resolveFontFile("Tarvowa.ttf");
    setFontInstallationFolder("");
    EXPECT_FALSE(found.fallback);
    EXPECT_EQ(found.path, kShippedFont);
}
