#pragma once
#include <string>

#include "ZrxExport.h"

namespace platform {

// Where fonts are looked up first: the installation folder (its Fonts/ subfolder is searched).
ZRX_EXPORT void setFontInstallationFolder(const std::string& folder);
// The font file for a text style's font name ("Tarvowa.ttf", "arial.ttf", "txt"): the installation
// folder's Fonts/, then the system's fonts (fontconfig's usual folders, /usr/share/fonts), else the
// fixed fallback DejaVu Sans. A file FreeType cannot read counts as missing. The first time a name
// falls back, one notice is printed on the command line, unless it is a CAD program's own font
// ("txt", "simplex.shx", "standard"), which DejaVu Sans stands in for silently.
struct FontFile { std::string path; bool fallback = false; };
FontFile resolveFontFile(const std::string& styleFontName);

}  // namespace platform
