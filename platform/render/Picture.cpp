#include "platform/render/Picture.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

#include "platform/core/OutputFile.h"
#include "platform/render/CairoPainter.h"
#include "platform/render/DrawingFrame.h"
#include "platform/render/PictureFile.h"
#include "platform/render/PngBands.h"
#include "platform/render/ShapeExtents.h"

namespace platform {

namespace {

// Thin lines: one pixel in a raster picture, half a point (a fine pen on
// paper) in a vector one.
constexpr double kRasterHairline = 1.0;
constexpr double kVectorHairline = 0.5;
// Dash patterns shorter than this many picture units are drawn continuous:
// their dashes would merge into a grey line.
constexpr double kMinPatternUnits = 2.0;

void paint(cairo_t* cr, const ZcDbDatabase& db, const Framing& framing, const PictureSettings& settings,
           double hairline, std::vector<std::string>& notices)
{
    const Rgb bg = backgroundColour(settings.background);
    cairo_set_source_rgb(cr, bg.red / 255.0, bg.green / 255.0, bg.blue / 255.0);
    cairo_rectangle(cr, 0.0, 0.0, framing.width, framing.height);
    cairo_fill(cr);
    CairoPainter painter(cr, framing.worldToPicture, hairline);
    buildScene(db, pictureSceneSettings(settings, kMinPatternUnits / framing.scale()), painter, notices);
    painter.flush();
}

// The drawing's shapes, gathered once for a picture painted in bands, with
// the rows of the picture each may ink.
class RecordedShapes : public ShapeSink {
public:
    explicit RecordedShapes(const Affine2& worldToPicture) : m_toPicture(worldToPicture) {}
    void add(const Shape& shape) override
    {
        shapes.push_back(shape);
        ShapeExtents box;
        box.add(shape);
        if (box.extents().isEmpty()) {
            rows.emplace_back(-kUnbounded, kUnbounded);
            return;
        }
        const ZcGePoint3d& lo = box.extents().minPoint();
        const ZcGePoint3d& hi = box.extents().maxPoint();
        const double top = m_toPicture.apply(ZcGePoint2d(lo.x, hi.y)).y;
        const double bottom = m_toPicture.apply(ZcGePoint2d(lo.x, lo.y)).y;
        const double pad =
            kInkPadPixels + kInkPadShare * (std::fabs(bottom - top) + std::fabs(hi.x - lo.x) * m_toPicture.xx);
        rows.emplace_back(std::min(top, bottom) - pad, std::max(top, bottom) + pad);
    }
    std::vector<Shape> shapes;
    std::vector<std::pair<double, double>> rows;  // first and last picture row, loosely

private:
    // Beyond the ink's box: a thin line's width and a point's mark, and
    // what an arc's box falls short by (a share of its size).
    static constexpr double kInkPadPixels = 16.0;
    static constexpr double kInkPadShare = 0.01;
    static constexpr double kUnbounded = 1e300;
    Affine2 m_toPicture;
};

// Paints the rows [firstRow, firstRow + rowCount) of the picture. A band of a
// picture larger than one leaves out the shapes that cannot reach it; a
// picture of one band is painted whole, exactly as on a single surface.
void paintRecorded(cairo_t* cr, const RecordedShapes& scene, const Framing& framing, const PictureSettings& settings,
                   int firstRow, int rowCount)
{
    const Rgb bg = backgroundColour(settings.background);
    cairo_set_source_rgb(cr, bg.red / 255.0, bg.green / 255.0, bg.blue / 255.0);
    cairo_rectangle(cr, 0.0, 0.0, framing.width, framing.height);
    cairo_fill(cr);
    const bool whole = firstRow == 0 && rowCount >= framing.height;
    CairoPainter painter(cr, framing.worldToPicture, kRasterHairline);
    for (size_t i = 0; i < scene.shapes.size(); ++i)
        if (whole || (scene.rows[i].second >= firstRow && scene.rows[i].first <= firstRow + rowCount))
            painter.add(scene.shapes[i]);
    painter.flush();
}

// Writes the PNG to sink in bands (platform/render/PngBands.h), the scene
// built once and painted on each.
bool writePng(const ZcDbDatabase& db, const Framing& framing, const PictureSettings& settings, const OutputSink& sink,
              std::string& error, std::vector<std::string>& notices)
{
    RecordedShapes scene(framing.worldToPicture);
    buildScene(db, pictureSceneSettings(settings, kMinPatternUnits / framing.scale()), scene, notices);
    const BandPainter paintBand = [&](cairo_t* cr, int firstRow, int rowCount, std::string&) {
        paintRecorded(cr, scene, framing, settings, firstRow, rowCount);
        return true;
    };
    return writePngInBands(framing.width, framing.height, paintBand, sink, error);
}

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

bool cairoFailed(cairo_status_t status, std::string& error)
{
    if (status == CAIRO_STATUS_SUCCESS)
        return false;
    error = std::string("drawing failed: ") + cairo_status_to_string(status);
    return true;
}

// Cairo numbers the SVG surfaces it makes across the whole process; the
// picture numbers them from 1 in order of appearance, so that the same
// drawing gives the same file however many pictures came before.
std::string renumberSurfaces(const std::string& svg)
{
    static const std::string kName = "surface";
    std::map<std::string, std::string> numbers;
    std::string out;
    out.reserve(svg.size());
    size_t at = 0;
    while (true) {
        const size_t found = svg.find(kName, at);
        if (found == std::string::npos)
            break;
        size_t end = found + kName.size();
        while (end < svg.size() && std::isdigit(static_cast<unsigned char>(svg[end])))
            ++end;
        const bool isId = end > found + kName.size() && found > 0 && (svg[found - 1] == '"' || svg[found - 1] == '#');
        out.append(svg, at, found - at);
        if (isId) {
            const std::string old = svg.substr(found + kName.size(), end - found - kName.size());
            auto it = numbers.find(old);
            if (it == numbers.end())
                it = numbers.emplace(old, std::to_string(numbers.size() + 1)).first;
            out += kName + it->second;
        } else {
            out.append(svg, found, end - found);
        }
        at = end;
    }
    out.append(svg, at, std::string::npos);
    return out;
}

std::optional<std::string> vectorBytes(const ZcDbDatabase& db, PictureFormat format, const PictureSettings& settings,
                                       std::string& error, std::vector<std::string>& notices)
{
    const std::optional<Framing> framing = frameDrawing(db, settings, error, notices);
    if (!framing)
        return std::nullopt;
    std::string bytes;
    cairo_surface_t* surface = nullptr;
    if (format == PictureFormat::Svg) {
        surface = cairo_svg_surface_create_for_stream(appendBytes, &bytes, framing->width, framing->height);
        cairo_svg_surface_restrict_to_version(surface, CAIRO_SVG_VERSION_1_1);
    } else {
        surface = cairo_pdf_surface_create_for_stream(appendBytes, &bytes, framing->width, framing->height);
        // No creation date: the same drawing gives the same file.
        cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE, "");
    }
    cairo_t* cr = cairo_create(surface);
    paint(cr, db, *framing, settings, kVectorHairline, notices);
    const cairo_status_t drawn = cairo_status(cr);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const cairo_status_t finished = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (cairoFailed(drawn, error) || cairoFailed(finished, error))
        return std::nullopt;
    if (format == PictureFormat::Svg)
        return renumberSurfaces(bytes);
    return bytes;
}

// Paints the picture on a new image surface (the caller destroys it).
cairo_surface_t* rasterSurface(const ZcDbDatabase& db, const PictureSettings& settings, Framing& framing,
                               std::string& error, std::vector<std::string>& notices)
{
    const std::optional<Framing> f = frameDrawing(db, settings, error, notices);
    if (!f)
        return nullptr;
    framing = *f;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, framing.width, framing.height);
    if (cairoFailed(cairo_surface_status(surface), error)) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_t* cr = cairo_create(surface);
    paint(cr, db, framing, settings, kRasterHairline, notices);
    const cairo_status_t drawn = cairo_status(cr);
    cairo_destroy(cr);
    if (cairoFailed(drawn, error)) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_surface_flush(surface);
    return surface;
}

}  // namespace

bool RasterPicture::pixelOf(double worldX, double worldY, int& x, int& y) const
{
    const ZcGePoint2d p = framing.worldToPicture.apply(ZcGePoint2d(worldX, worldY));
    if (!(p.x >= 0.0 && p.y >= 0.0 && p.x < width && p.y < height))
        return false;
    x = int(std::floor(p.x));
    y = int(std::floor(p.y));
    return true;
}

std::optional<RasterPicture> rasterPicture(const ZcDbDatabase& db, const PictureSettings& settings,
                                           std::string& error, std::vector<std::string>* notices)
{
    std::vector<std::string> own;
    RasterPicture picture;
    cairo_surface_t* surface = rasterSurface(db, settings, picture.framing, error, notices ? *notices : own);
    if (!surface)
        return std::nullopt;
    picture.width = cairo_image_surface_get_width(surface);
    picture.height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    picture.pixels.resize(size_t(picture.width) * size_t(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * size_t(stride));
        for (int x = 0; x < picture.width; ++x)
            picture.pixels[size_t(y) * size_t(picture.width) + size_t(x)] = row[x] & 0xFFFFFFu;
    }
    cairo_surface_destroy(surface);
    return picture;
}

std::optional<std::string> pictureBytes(const ZcDbDatabase& db, PictureFormat format, const PictureSettings& settings,
                                        std::string& error, std::vector<std::string>* notices)
{
    std::vector<std::string> own;
    std::vector<std::string>& said = notices ? *notices : own;
    if (format != PictureFormat::Png)
        return vectorBytes(db, format, settings, error, said);
    const std::optional<Framing> framing = frameDrawing(db, settings, error, said);
    if (!framing)
        return std::nullopt;
    std::string bytes;
    const OutputSink append = [&bytes](std::string_view chunk) {
        bytes += chunk;
        return true;
    };
    if (!writePng(db, *framing, settings, append, error, said))
        return std::nullopt;
    return bytes;
}

bool writePicture(const ZcDbDatabase& db, const std::string& path, const PictureSettings& settings,
                  std::string& error, std::vector<std::string>* notices)
{
    error.clear();
    const std::optional<PictureFormat> format = pictureFormatOf(path);
    if (!format) {
        error = "cannot write " + path + ": the name must end in .png, .svg or .pdf";
        return false;
    }
    std::string problem;
    if (*format == PictureFormat::Png) {
        // Streamed to the file: a large picture is never held whole.
        std::vector<std::string> own;
        std::vector<std::string>& said = notices ? *notices : own;
        const std::optional<Framing> framing = frameDrawing(db, settings, problem, said);
        if (!framing) {
            error = "cannot write " + path + ": " + problem;
            return false;
        }
        return writeOutputFile(
            path,
            [&](const OutputSink& sink, std::string& why) { return writePng(db, *framing, settings, sink, why, said); },
            error);
    }
    const std::optional<std::string> bytes = pictureBytes(db, *format, settings, problem, notices);
    if (!bytes) {
        error = "cannot write " + path + ": " + problem;
        return false;
    }
    return writeFileWhole(path, *bytes, error);
}

}  // namespace platform
