#pragma once

#include "ZcDbObjectId.h"

// The road-lettering text style of the whole system and its font.
inline constexpr const char* kTarvoTextStyle = "Tarvowy";
inline constexpr const char* kTarvoFontFile = "Tarvowa.ttf";
// The style's fixed text height; texts scale it through their own height factor.
inline constexpr double kTarvoTextSize = 1.0;

// The text style of that name in the working drawing, added with the
// system's font and size when missing; an existing one is left as it is.
// Null when it can be neither found nor added.
ZcDbObjectId EnsureTextStyle(const char* name);
