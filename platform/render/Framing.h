#pragma once

#include <optional>
#include <string>

#include "ZcDbExtents.h"
#include "ZrxExport.h"
#include "platform/render/Affine2.h"
#include "platform/render/PictureSettings.h"

namespace platform {

// The margin round the drawing, as a share of the drawing's longer side.
inline constexpr double kMarginShare = 0.04;

// Where the world lands in the picture: the picture's size, in pixels or
// points, and the map from world coordinates (y up) to the picture's (y down).
struct Framing {
    int width = 0;
    int height = 0;
    Affine2 worldToPicture;

    // The picture units per world unit.
    double scale() const { return worldToPicture.xx; }
};

// Frames the extents (an empty drawing frames the unit square at the
// origin) with the margin, at the settings' size or resolution. Nothing,
// with a message, when the picture would be too large or the settings make
// no sense.
ZRX_EXPORT std::optional<Framing> frameExtents(const ZcDbExtents& extents, const PictureSettings& settings,
                                               std::string& error);

}  // namespace platform
