#pragma once

#include <cairo.h>

#include <cstddef>
#include <functional>
#include <string>

#include "platform/core/OutputFile.h"

namespace platform {

// A PNG is painted and written a band of rows at a time, so that the largest
// picture (kMaxPictureSide square, 4 GB of pixels whole) takes no more memory
// than a band. This many pixels a band at most: 128 MB, and a picture of up
// to 2000 by 16000 pixels is one band, painted as a whole.
inline constexpr size_t kPngBandPixels = size_t(1) << 25;

// Paints the picture on a band's context: the band's device offset already
// puts the picture's row firstRow at its top, so the painter draws the whole
// picture as if on one surface and cairo keeps what falls in the band; rows
// says how many the band holds, so that what lies wholly outside can be
// left out. False with a message when painting failed.
using BandPainter = std::function<bool(cairo_t* cr, int firstRow, int rows, std::string& error)>;

// The rows a band of a picture this wide holds.
int pngBandRows(int width, int height, size_t bandPixels = kPngBandPixels);

// Writes a width by height picture as PNG (8-bit RGB, a white background
// chunk, as cairo writes its image surfaces) to sink, painting it band by
// band. False with a message when painting, compressing or the sink failed.
bool writePngInBands(int width, int height, const BandPainter& paint, const OutputSink& sink, std::string& error,
                     size_t bandPixels = kPngBandPixels);

}  // namespace platform
