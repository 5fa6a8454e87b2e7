// Pictures as Windows icon files: what the icon reader and a list view's
// image list need to find in them.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/render/IconFile.h"
#include "platform/render/Picture.h"
#include "platform/ui/ImageFiles.h"

using namespace platform;

TEST(IconFile, ColoursBottomUpWithAlphaAndAPaddedMaskOfTheClearColour)
{
    // 3 x 2: each mask row is padded to four bytes.
    RasterPicture picture;
    picture.width = 3;
    picture.height = 2;
    picture.pixels = {0xFF0000, 0xFFFFFF, 0x0000FF,   // top row
                      0xFFFFFF, 0x00FF00, 0xFFFFFF};  // bottom row
    const std::string file = iconFile(picture, Rgb{255, 255, 255});
    const auto* bytes = reinterpret_cast<const unsigned char*>(file.data());

    std::string problem;
    const std::optional<DecodedImage> image = decodeIconFile(bytes, file.size(), 32, problem);
    ASSERT_TRUE(image) << problem;
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(image->bitsPerPixel, 32);
    constexpr size_t kPixels = 6 + 16 + 40, kMask = kPixels + 3 * 2 * 4;
    ASSERT_EQ(file.size(), kMask + 2 * 4);

    // Bottom row first: blue, green, red, alpha.
    const std::string bottomMiddle = file.substr(kPixels + 4, 4), topLeft = file.substr(kPixels + 12, 4);
    EXPECT_EQ(bottomMiddle, std::string("\x00\xFF\x00\xFF", 4));
    EXPECT_EQ(topLeft, std::string("\x00\x00\xFF\xFF", 4));
    EXPECT_EQ(uint8_t(file[kPixels + 3]), 0u) << "the clear colour is transparent";
    // Mask bits, first pixel in the high bit: bottom row 1 0 1, top row 0 1 0.
    EXPECT_EQ(uint8_t(file[kMask]), 0xA0u);
    EXPECT_EQ(uint8_t(file[kMask + 4]), 0x40u);
}
