#pragma once
#include <string>

namespace platform {

// Whether a style's font name is one of the CAD programs' own: the shape
// fonts that drawings commonly name ("txt", "simplex.shx", "romans",
// "isocp", ...) and the names other programs write by default ("standard").
// No TrueType file of theirs exists to ship; their texts are measured and
// drawn with the stand-in without a notice, since nothing is missing that
// the user could install.
bool isCadFontName(const std::string& styleFontName);

}  // namespace platform
