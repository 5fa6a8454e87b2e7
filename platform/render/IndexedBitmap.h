#pragma once

#include <string>

namespace platform {

struct RasterPicture;

// A picture as a Windows bitmap file of 256 colours (8 bits per pixel,
// uncompressed, bottom-up rows), the palette being the drawing colour
// indexes: each pixel takes the nearest of them. This is what dialog
// resources of the host's era hold.
std::string indexedBitmapFile(const RasterPicture& picture);

}  // namespace platform
