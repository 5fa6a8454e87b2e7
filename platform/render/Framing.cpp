#include "platform/render/Framing.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {
// A drawing narrower than this, in drawing units (a micrometre in metres),
// is a point to a picture, as is one narrower than this share of its
// distance from the origin: finer detail is below what the numbers hold
// there, and scaling it up to the picture's size makes maps cairo refuses.
constexpr double kPointSpan = 1e-6;
constexpr double kPointSpanShare = 1e-9;
}  // namespace

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
    // The margin and the centre must be finite numbers too.
    const double span = std::max(x1 - x0, y1 - y0);
    if (!std::isfinite(span * (1.0 + 2.0 * kMarginShare)) || !std::isfinite(x0 + x1) || !std::isfinite(y0 + y1)) {
        error = "the drawing is too large to picture: its extents span more than the numbers can hold";
        return std::nullopt;
    }
    // A drawing that is a point gets a unit square round it (or the
    // smallest square its position can show).
    const double far = std::max({std::fabs(x0), std::fabs(x1), std::fabs(y0), std::fabs(y1)});
    if (span < std::max(kPointSpan, kPointSpanShare * far)) {
        const double half = std::max(0.5, kPointSpanShare * far);
        const double cx = x0 / 2.0 + x1 / 2.0, cy = y0 / 2.0 + y1 / 2.0;
        x0 = cx - half, x1 = cx + half, y0 = cy - half, y1 = cy + half;
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
        // Said in whole numbers only where they are numbers a picture could have.
        constexpr double kShownSide = 1e12;
        const auto side = [&](double v) {
            return v <= kShownSide ? std::to_string(long(v)) : std::string("more than 10^12");
        };
        error = "the picture would be " + side(pw) + " x " + side(ph) + "; at most " + std::to_string(kMaxPictureSide) +
                " on a side: choose a lower resolution";
        return std::nullopt;
    }
    Framing f;
    f.width = std::max(1, int(pw));
    f.height = std::max(1, int(ph));
    // The drawing in the middle of the whole picture.
    const double cx = x0 / 2.0 + x1 / 2.0, cy = y0 / 2.0 + y1 / 2.0;
    f.worldToPicture = {scale, 0.0, f.width / 2.0 - cx * scale, 0.0, -scale, f.height / 2.0 + cy * scale};
    if (!f.worldToPicture.isFinite() || !(scale > 0.0)) {
        error = "the drawing cannot be framed at this size: its numbers are too far apart";
        return std::nullopt;
    }
    return f;
}

}  // namespace platform
