#pragma once

#include <string>
#include <vector>

#include "ZcDbObjectId.h"
#include "ZrxExport.h"

class ZcDbDatabase;

namespace platform {

// Small SVG pictures of model-space block references as the drawing shows
// them, each framed to its own shapes and turned upright (the reference's
// rotation and position undone), on a light background: a schedule shows
// each kind of board or symbol beside its row. One picture per reference,
// in order; "" for one that draws nothing or is not a reference.
ZRX_EXPORT std::vector<std::string> referencePictures(const ZcDbDatabase& db,
                                                      const std::vector<ZcDbObjectId>& references, int size,
                                                      std::vector<std::string>& notices);

}  // namespace platform
