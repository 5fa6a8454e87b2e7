#include "platform/render/Framing.h"

#include <algorithm>
#include <cmath>

std::optional<Framing> frameExtents(const ZcDbExtents& extents, const PictureSettings& settings, std::string& error)
{
    double x0 = 0.0, y0 = 0.0, x1 = 1.0, y1 = 1.0;
    if (!extents.isEmpty()) {
        x0 = extents.minPoint().x, y0 = extents.minPoint().y;
        x1 = extents.maxPoint().x, y1 = extents.maxPoint().y;
    }
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1)) {
        error = "the drawing's extents are not finite";
        return std::nullopt;
    }
    // A drawing that is a single point gets a unit square round it.
    if (x1 - x0 <= 0.0 && y1 - y0 <= 0.0) {
        x0 -= 0.5, x1 += 0.5, y0 -= 0.5, y1 += 0.5;
    }
    const double margin = kMarginShare * std::max(x1 - x0, y1 - y0);
    const double w = x1 - x0 + 2.0 * margin, h = y1 - y0 + 2.0 * margin;

    double scale = 0.0;
    if (settings.resolution > 0.0) {
        if (!std::isfinite(settings.resolution)) {
            error = "the resolution must be a finite number";
            return std::nullopt;
        }
        scale = settings.resolution;
    } else {
        if (settings.size < 1 || settings.size > kMaxPictureSide) {
            error = "the picture size must be between 1 and " + std::to_string(kMaxPictureSide);
            return std::nullopt;
        }
        scale = settings.size / std::max(w, h);
    }
    const double pw = std::ceil(w * scale - 1e-9), ph = std::ceil(h * scale - 1e-9);
    if (!(pw <= kMaxPictureSide && ph <= kMaxPictureSide)) {
        error = "the picture would be " + std::to_string(long(std::min(pw, 1e12))) + " x " +
                std::to_string(long(std::min(ph, 1e12))) + "; at most " + std::to_string(kMaxPictureSide) +
                " on a side: choose a lower resolution";
        return std::nullopt;
    }
    Framing f;
    f.width = std::max(1, int(pw));
    f.height = std::max(1, int(ph));
    // The drawing in the middle of the whole picture.
    const double cx = (x0 + x1) / 2.0, cy = (y0 + y1) / 2.0;
    f.worldToPicture = {scale, 0.0, f.width / 2.0 - cx * scale, 0.0, -scale, f.height / 2.0 + cy * scale};
    return f;
}
