#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ZrxExport.h"
#include "platform/render/Framing.h"
#include "platform/render/PictureFile.h"
#include "platform/render/PictureSettings.h"
#include "platform/render/Rgb.h"

class ZcDbDatabase;

namespace platform {

// Pictures of a drawing's model space: framed to what is drawn, with a
// margin, on a light (paper) or dark (screen) background. The same drawing
// and settings give the same bytes every time.
//
// These are painted with cairo, in code kept out of libzrx: the console
// reaches them through its picture module (console/PictureOptions.h), so
// that a run without pictures does not load cairo; tests and tools link
// them directly.

// Writes the picture to a file in the format its extension names: first to
// a temporary file beside it, then renamed over it. False with a message on
// failure; notices say what the picture leaves out (entity kinds it does
// not draw, blocks nested too deep).
ZRX_EXPORT bool writePicture(const ZcDbDatabase& db, const std::string& path, const PictureSettings& settings,
                             std::string& error, std::vector<std::string>* notices = nullptr);

// The picture's bytes in a format.
std::optional<std::string> pictureBytes(const ZcDbDatabase& db, PictureFormat format,
                                        const PictureSettings& settings, std::string& error,
                                        std::vector<std::string>* notices = nullptr);

// The picture as pixels, and where the world lies in it.
struct RasterPicture {
    Framing framing;
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xRRGGBB, rows top to bottom

    Rgb at(int x, int y) const { return Rgb::fromPacked(pixels[size_t(y) * size_t(width) + size_t(x)]); }
    // The pixel a world point falls in; false when outside the picture.
    bool pixelOf(double worldX, double worldY, int& x, int& y) const;
};

std::optional<RasterPicture> rasterPicture(const ZcDbDatabase& db, const PictureSettings& settings,
                                           std::string& error, std::vector<std::string>* notices = nullptr);

}  // namespace platform
