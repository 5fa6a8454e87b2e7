// A PNG painted and written a band of rows at a time: the same picture as
// one painted whole, and the same bytes as cairo's own writer when one band
// holds it.

#include <gtest/gtest.h>

#include <cairo.h>

#include <random>
#include <string>

#include "platform/render/PngBands.h"

using namespace platform;

namespace {

constexpr int kWidth = 211;
constexpr int kHeight = 157;

// Lines, circles, fills and a text at random places (some across the
// picture's edges), the same for the same seed.
void paintScene(cairo_t* cr, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> x(-20.0, kWidth + 20.0), y(-20.0, kHeight + 20.0), unit(0.0, 1.0);
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_paint(cr);
    for (int i = 0; i < 40; ++i) {
        cairo_set_source_rgb(cr, unit(random), unit(random), unit(random));
        cairo_set_line_width(cr, 0.5 + 4.0 * unit(random));
        switch (i % 3) {
        case 0:
            cairo_move_to(cr, x(random), y(random));
            cairo_line_to(cr, x(random), y(random));
            cairo_stroke(cr);
            break;
        case 1:
            cairo_arc(cr, x(random), y(random), 30.0 * unit(random), 0.0, 6.3);
            cairo_fill(cr);
            break;
        default:
            cairo_move_to(cr, x(random), y(random));
            cairo_set_font_size(cr, 6.0 + 30.0 * unit(random));
            cairo_show_text(cr, "Łódź 12");
            break;
        }
    }
}

std::string pngOfWholeSurface(unsigned seed)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    paintScene(cr, seed);
    cairo_destroy(cr);
    std::string bytes;
    cairo_surface_write_to_png_stream(
        surface,
        [](void* closure, const unsigned char* data, unsigned int length) {
            static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
            return CAIRO_STATUS_SUCCESS;
        },
        &bytes);
    cairo_surface_destroy(surface);
    return bytes;
}

std::string pngInBands(unsigned seed, size_t bandPixels)
{
    std::string bytes, error;
    const bool written = writePngInBands(
        kWidth, kHeight,
        [seed](cairo_t* cr, int, int, std::string&) {
            paintScene(cr, seed);
            return true;
        },
        [&bytes](std::string_view chunk) {
            bytes += chunk;
            return true;
        },
        error, bandPixels);
    EXPECT_TRUE(written) << error;
    return bytes;
}

// The pixels a PNG decodes to, row after row (RGB24 words).
std::vector<uint32_t> pixelsOf(const std::string& png)
{
    struct Reader {
        const std::string* bytes;
        size_t at = 0;
    } reader{&png};
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(
        [](void* closure, unsigned char* data, unsigned int length) {
            auto* r = static_cast<Reader*>(closure);
            if (r->at + length > r->bytes->size())
                return CAIRO_STATUS_READ_ERROR;
            std::copy_n(r->bytes->data() + r->at, length, data);
            r->at += length;
            return CAIRO_STATUS_SUCCESS;
        },
        &reader);
    std::vector<uint32_t> pixels;
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < w; ++col)
                pixels.push_back(reinterpret_cast<const uint32_t*>(data + size_t(row) * size_t(stride))[col] &
                                 0xFFFFFFu);
    }
    cairo_surface_destroy(surface);
    return pixels;
}

struct BandCase {
    const char* name;
    size_t bandPixels;
};

class PngBands : public testing::TestWithParam<BandCase> {};

}  // namespace

TEST_P(PngBands, PaintTheSamePictureAsOneSurface)
{
    for (unsigned seed = 1; seed <= 5; ++seed) {
        const std::string whole = pngOfWholeSurface(seed);
        const std::string banded = pngInBands(seed, GetParam().bandPixels);
        const std::vector<uint32_t> pixels = pixelsOf(banded);
        ASSERT_EQ(pixels.size(), size_t(kWidth) * kHeight) << "seed " << seed;
        EXPECT_TRUE(pixels == pixelsOf(whole)) << "seed " << seed;
        if (pngBandRows(kWidth, kHeight, GetParam().bandPixels) == kHeight) {
            EXPECT_EQ(banded, whole) << "one band: cairo's own bytes, seed " << seed;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EachBandHeight, PngBands,
                         testing::Values(BandCase{"Whole", kPngBandPixels}, BandCase{"ExactlyWhole", kWidth* kHeight},
                                         BandCase{"OneRow", 1}, BandCase{"SevenRows", kWidth * 7},
                                         BandCase{"LastBandShort", kWidth * 50}),
                         [](const testing::TestParamInfo<BandCase>& p) { return std::string(p.param.name); });

TEST(PngBand, ASinkThatRefusesIsAFailure)
{
    std::string error;
    EXPECT_FALSE(writePngInBands(
        kWidth, kHeight, [](cairo_t* cr, int, int, std::string&) { return paintScene(cr, 1), true; },
        [](std::string_view) { return false; }, error, kWidth * 10));
    EXPECT_EQ(error, "the PNG could not be written");
    EXPECT_FALSE(writePngInBands(
        kWidth, kHeight,
        [](cairo_t*, int first, int, std::string& why) {
            why = "painting stopped";
            return first == 0;
        },
        [](std::string_view) { return true; }, error, kWidth * 10));
    EXPECT_EQ(error, "painting stopped");
}
