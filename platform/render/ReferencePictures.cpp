#include "platform/render/ReferencePictures.h"

#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <unordered_map>

#include "ZcDbBlockReference.h"
#include "platform/db/Opened.h"
#include "platform/render/CairoPainter.h"
#include "platform/render/DrawingFrame.h"
#include "platform/render/Framing.h"
#include "platform/render/Scene.h"
#include "platform/render/ShapeExtents.h"

namespace platform {

namespace {

// Half a point: a fine pen, as in the drawing's own vector pictures.
constexpr double kHairline = 0.5;

// Keeps the shapes of the references asked for, by reference.
class ReferenceShapes : public ShapeSink {
public:
    explicit ReferenceShapes(const std::vector<ZcDbObjectId>& references) : m_shapes(references.size())
    {
        for (size_t i = 0; i < references.size(); ++i)
            m_index.emplace(references[i].stub(), i);
    }
    void add(const Shape& shape) override
    {
        if (const auto it = m_index.find(shape.entity.stub()); it != m_index.end())
            m_shapes[it->second].push_back(shape);
    }
    std::vector<Shape>& of(size_t i) { return m_shapes[i]; }

private:
    std::unordered_map<ZcDbStub*, size_t> m_index;
    std::vector<std::vector<Shape>> m_shapes;
};

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

std::string svgOf(const UprightReference& reference, const PictureSettings& settings, std::vector<std::string>& notices)
{
    if (reference.shapes.empty())
        return "";
    std::string error;
    const std::optional<Framing> framing = frameExtents(reference.extents, settings, error);
    if (!framing) {
        notices.push_back(error);
        return "";
    }
    std::string bytes;
    cairo_surface_t* surface =
        cairo_svg_surface_create_for_stream(appendBytes, &bytes, framing->width, framing->height);
    cairo_svg_surface_restrict_to_version(surface, CAIRO_SVG_VERSION_1_1);
    cairo_t* cr = cairo_create(surface);
    const Rgb bg = backgroundColour(settings.background);
    cairo_set_source_rgb(cr, bg.red / 255.0, bg.green / 255.0, bg.blue / 255.0);
    cairo_paint(cr);
    {
        CairoPainter painter(cr, framing->worldToPicture, kHairline);
        for (const Shape& shape : reference.shapes)
            painter.add(shape);
        painter.flush();
    }
    if (const cairo_status_t status = finishDrawing(cr, surface); status != CAIRO_STATUS_SUCCESS) {
        notices.push_back(std::string("drawing failed: ") + cairo_status_to_string(status));
        return "";
    }
    return bytes;
}

}  // namespace

std::vector<UprightReference> uprightReferences(const ZcDbDatabase& db, const std::vector<ZcDbObjectId>& references,
                                                std::vector<std::string>& notices)
{
    ReferenceShapes shapes(references);
    // Dashes are drawn as they are: each picture is small, but its pattern
    // scale is the block's own.
    PictureSettings settings;
    buildScene(db, pictureSceneSettings(settings, 0.0), shapes, notices);
    std::vector<UprightReference> upright(references.size());
    for (size_t i = 0; i < references.size(); ++i) {
        if (shapes.of(i).empty())
            continue;
        const Opened<ZcDbBlockReference> placed(references[i], ZcDb::kForRead);
        if (!placed)
            continue;
        const Affine2 undo = Affine2::placement(ZcGePoint2d(0.0, 0.0), -placed->rotation(), 1.0, 1.0) *
                             Affine2::translation(-placed->position().x, -placed->position().y);
        ShapeExtents extents;
        for (Shape& shape : shapes.of(i)) {
            shape.map = undo * shape.map;
            extents.add(shape);
        }
        upright[i] = {std::move(shapes.of(i)), extents.extents()};
    }
    return upright;
}

cairo_status_t finishDrawing(cairo_t* cr, cairo_surface_t* surface)
{
    const cairo_status_t drawn = cairo_status(cr);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const cairo_status_t finished = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    return drawn != CAIRO_STATUS_SUCCESS ? drawn : finished;
}

void paintFitted(cairo_t* cr, const UprightReference& reference, double left, double top, double width, double height)
{
    if (reference.shapes.empty() || reference.extents.isEmpty())
        return;
    const ZcGePoint3d& low = reference.extents.minPoint();
    const ZcGePoint3d& high = reference.extents.maxPoint();
    const double w = high.x - low.x, h = high.y - low.y;
    const double scale = std::min(w > 0.0 ? width / w : 1e300, h > 0.0 ? height / h : 1e300);
    if (!(scale > 0.0 && scale < 1e300))
        return;
    // World y up onto the page's y down, the ink centred in the box.
    const Affine2 toPage{scale, 0.0,    left + (width - w * scale) / 2.0 - low.x * scale,
                         0.0,   -scale, top + (height + h * scale) / 2.0 + low.y * scale};
    cairo_save(cr);
    CairoPainter painter(cr, toPage, kHairline);
    for (const Shape& shape : reference.shapes)
        painter.add(shape);
    painter.flush();
    cairo_restore(cr);
}

std::vector<std::string> referencePictures(const ZcDbDatabase& db, const std::vector<ZcDbObjectId>& references,
                                           int size, std::vector<std::string>& notices)
{
    PictureSettings settings;
    settings.size = size;
    std::vector<std::string> pictures;
    for (const UprightReference& reference : uprightReferences(db, references, notices))
        pictures.push_back(svgOf(reference, settings, notices));
    return pictures;
}

}  // namespace platform
