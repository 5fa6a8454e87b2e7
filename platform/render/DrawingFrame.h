#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ZrxExport.h"
#include "platform/render/Framing.h"
#include "platform/render/PictureSettings.h"
#include "platform/render/Scene.h"

class ZcDbDatabase;

namespace platform {

// What a picture with these settings draws of a drawing: the foreground of
// its background, and dash patterns shorter than minPatternLength (world
// units) continuous.
ZRX_EXPORT SceneSettings pictureSceneSettings(const PictureSettings& settings, double minPatternLength);

// Frames a drawing's model space for a picture: what its scene draws, or,
// when the scene was cut short, the entities' own extents. Nothing, with a
// message in error, when it cannot be framed; notices as buildScene gives them.
ZRX_EXPORT std::optional<Framing> frameDrawing(const ZcDbDatabase& db, const PictureSettings& settings,
                                               std::string& error, std::vector<std::string>& notices);

}  // namespace platform
