#pragma once

#include <string>
#include <vector>

#include <cairo.h>

#include "ZcDbExtents.h"
#include "ZcDbObjectId.h"
#include "ZrxExport.h"
#include "platform/render/Shape.h"

class ZcDbDatabase;

namespace platform {

// A reference's shapes turned upright (its rotation and position undone),
// and the box round their ink.
struct UprightReference {
    std::vector<Shape> shapes;
    ZcDbExtents extents;
};

// The upright shapes of each reference, in order; none for one that draws
// nothing or is not a reference.
ZRX_EXPORT std::vector<UprightReference> uprightReferences(const ZcDbDatabase& db,
                                                           const std::vector<ZcDbObjectId>& references,
                                                           std::vector<std::string>& notices);

// Destroys the context and finishes and destroys its surface; the first
// failure of either, or success.
ZRX_EXPORT cairo_status_t finishDrawing(cairo_t* cr, cairo_surface_t* surface);

// Paints a reference centred in the box (left, top, width, height) of the
// context, as large as fits.
ZRX_EXPORT void paintFitted(cairo_t* cr, const UprightReference& reference, double left, double top, double width,
                            double height);

// Small SVG pictures of model-space block references as the drawing shows
// them, each framed to its own shapes and turned upright (the reference's
// rotation and position undone), on a light background: a schedule shows
// each kind of board or symbol beside its row. One picture per reference,
// in order; "" for one that draws nothing or is not a reference.
ZRX_EXPORT std::vector<std::string> referencePictures(const ZcDbDatabase& db,
                                                      const std::vector<ZcDbObjectId>& references, int size,
                                                      std::vector<std::string>& notices);

}  // namespace platform
