#pragma once

#include <optional>
#include <string>

#include "ZcGePoint2d.h"

class ZcDbDatabase;

namespace platform {

class ZcDbRawEntity;

// Where a raster image kept as read stands: its four corners in plan and
// the file its definition names. Pictures show the frame, not the pixels.
struct ImageFrame {
    ZcGePoint2d corners[4];  // the insertion corner, then along U, opposite, along V
    std::string fileName;    // empty when the definition is missing
};

// Nothing for an entity that is no image or whose frame is not a plane figure.
std::optional<ImageFrame> imageFrame(const ZcDbRawEntity& image, const ZcDbDatabase& db);

}  // namespace platform
