#pragma once

#include <string>

#include "platform/render/Rgb.h"

namespace platform {

struct RasterPicture;

// A picture as a Windows icon file of one image, 32 bits per pixel (blue,
// green, red, alpha, bottom-up rows) with its transparency mask: pixels of
// the clear colour are transparent, every other one opaque. This is what a
// list view's large icons are made of.
std::string iconFile(const RasterPicture& picture, Rgb clear);

}  // namespace platform
