#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include "ZrxExport.h"

namespace platform {

// The FreeType library behind the fonts pictures use; null when FreeType
// cannot start. Cairo keeps font faces in caches of its own beyond any one
// picture, so the library lives as long as the process.
ZRX_EXPORT FT_Library processFreetype();

}  // namespace platform
