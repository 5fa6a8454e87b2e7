#include "platform/text/CadFontNames.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace platform {

namespace {

// The shape fonts CAD programs have shipped for decades, and the font names
// other programs put in their drawings' default style.
constexpr std::array<std::string_view, 41> kCadFonts = {
    "amgdt",    "bigfont",   "chineset", "complex", "extfont", "extfont2", "gdt",     "gothice", "gothicg",
    "gothici",  "greekc",    "greeks",   "isocp",   "isocp2",  "isocp3",   "isoct",   "isoct2",  "isoct3",
    "isocpeur", "isoct_eur", "italic",   "italicc", "italict", "ltypeshp", "monotxt", "romanc",  "romand",
    "romans",   "romant",    "scriptc",  "scripts", "simplex", "standard", "syastro", "symap",   "symath",
    "symeteo",  "symusic",   "txt",      "unifont", "iso",
};

std::string baseName(const std::string& name)
{
    std::string base = name.substr(name.find_last_of("/\\") == std::string::npos ? 0 : name.find_last_of("/\\") + 1);
    std::transform(base.begin(), base.end(), base.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    if (base.size() > 4 && base.compare(base.size() - 4, 4, ".shx") == 0)
        base.resize(base.size() - 4);
    return base;
}

}  // namespace

bool isCadFontName(const std::string& styleFontName)
{
    const std::string base = baseName(styleFontName);
    return std::find(kCadFonts.begin(), kCadFonts.end(), base) != kCadFonts.end();
}

}  // namespace platform
