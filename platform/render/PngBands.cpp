#include "platform/render/PngBands.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <vector>

namespace platform {

namespace {

struct PngOutput {
    const OutputSink* sink;
    bool refused = false;
};

void writeToSink(png_structp png, png_bytep data, size_t length)
{
    auto* out = static_cast<PngOutput*>(png_get_io_ptr(png));
    // Once refused, the rest is dropped; the caller reports it at the end.
    if (!out->refused && !(*out->sink)(std::string_view(reinterpret_cast<const char*>(data), length)))
        out->refused = true;
}

void flushNothing(png_structp) {}

// A band's pixels (0x00RRGGBB words, as cairo keeps RGB24) as PNG's bytes.
void packRow(const unsigned char* surfaceRow, int width, std::vector<png_byte>& row)
{
    const auto* pixels = reinterpret_cast<const uint32_t*>(surfaceRow);
    for (int x = 0; x < width; ++x) {
        row[size_t(x) * 3] = png_byte(pixels[x] >> 16);
        row[size_t(x) * 3 + 1] = png_byte(pixels[x] >> 8);
        row[size_t(x) * 3 + 2] = png_byte(pixels[x]);
    }
}

// Paints the band whose first row is the picture's row first and hands
// libpng its rows, at most rows of them.
bool paintBand(png_structp png, cairo_surface_t* band, int first, int rows, const BandPainter& paint,
               std::vector<png_byte>& row, std::string& error)
{
    cairo_surface_set_device_offset(band, 0.0, -double(first));
    cairo_t* cr = cairo_create(band);
    const bool painted = paint(cr, first, cairo_image_surface_get_height(band), error);
    const cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    if (!painted)
        return false;
    if (status != CAIRO_STATUS_SUCCESS) {
        error = std::string("drawing failed: ") + cairo_status_to_string(status);
        return false;
    }
    cairo_surface_flush(band);
    const unsigned char* data = cairo_image_surface_get_data(band);
    const size_t stride = size_t(cairo_image_surface_get_stride(band));
    const int width = cairo_image_surface_get_width(band);
    for (int y = 0; y < rows; ++y) {
        packRow(data + size_t(y) * stride, width, row);
        png_write_row(png, row.data());
    }
    cairo_surface_mark_dirty(band);
    return true;
}

// libpng reports its own failures by a long jump back here; everything with
// a destructor lives in the caller, so the jump leaves nothing behind.
bool writeImage(png_structp png, png_infop info, cairo_surface_t* band, int height, const BandPainter& paint,
                std::vector<png_byte>& row, std::string& error)
{
    if (setjmp(png_jmpbuf(png))) {
        error = "the PNG could not be compressed";
        return false;
    }
    const int width = cairo_image_surface_get_width(band);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color_16 white{};
    white.red = white.green = white.blue = white.gray = 0xFF;
    png_set_bKGD(png, info, &white);
    png_write_info(png, info);
    const int bandRows = cairo_image_surface_get_height(band);
    for (int first = 0; first < height; first += bandRows)
        if (!paintBand(png, band, first, std::min(bandRows, height - first), paint, row, error))
            return false;
    png_write_end(png, info);
    return true;
}

}  // namespace

int pngBandRows(int width, int height, size_t bandPixels)
{
    const size_t rows = std::max<size_t>(1, bandPixels / size_t(std::max(width, 1)));
    return int(std::min<size_t>(rows, size_t(std::max(height, 1))));
}

bool writePngInBands(int width, int height, const BandPainter& paint, const OutputSink& sink, std::string& error,
                     size_t bandPixels)
{
    cairo_surface_t* band =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, pngBandRows(width, height, bandPixels));
    if (const cairo_status_t status = cairo_surface_status(band); status != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(band);
        error = std::string("drawing failed: ") + cairo_status_to_string(status);
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool written = false;
    if (info) {
        PngOutput out{&sink};
        std::vector<png_byte> row(size_t(width) * 3);
        png_set_write_fn(png, &out, writeToSink, flushNothing);
        written = writeImage(png, info, band, height, paint, row, error);
        if (written && out.refused) {
            error = "the PNG could not be written";
            written = false;
        }
    } else {
        error = "out of memory for the PNG";
    }
    png_destroy_write_struct(&png, &info);
    cairo_surface_destroy(band);
    return written;
}

}  // namespace platform
