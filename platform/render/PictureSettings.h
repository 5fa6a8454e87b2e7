#pragma once

#include "ZrxExport.h"
#include "platform/render/Rgb.h"

namespace platform {

// How a picture of a drawing is made: its background and its size.
struct PictureSettings {
    enum class Background { Light, Dark };

    // Light is a plot on paper; dark is the drawing editor's screen.
    Background background = Background::Light;
    // The picture's longer side, in pixels (PNG) or points (SVG, PDF);
    // used unless a resolution is given.
    int size = 1600;
    // Pixels (or points) per drawing unit; 0 frames the drawing to size.
    double resolution = 0.0;
};

// The largest picture side made: cairo's limit for an image surface, which
// also keeps a mistaken resolution from asking for gigabytes.
inline constexpr int kMaxPictureSide = 32767;

ZRX_EXPORT Rgb backgroundColour(PictureSettings::Background background);
// The colour drawn for palette index 7 (and for "by block" at the top
// level): black on a light background, white on a dark one.
ZRX_EXPORT Rgb foregroundColour(PictureSettings::Background background);

}  // namespace platform
