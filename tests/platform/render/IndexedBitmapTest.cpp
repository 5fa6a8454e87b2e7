// The 256-colour bitmap files dialog pictures are kept in: what a Windows
// bitmap reader needs to find in them.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/core/AciPalette.h"
#include "platform/render/IndexedBitmap.h"
#include "platform/render/Picture.h"

using namespace platform;

namespace {

uint32_t read32(const std::string& s, size_t at)
{
    return uint32_t(uint8_t(s[at])) | uint32_t(uint8_t(s[at + 1])) << 8 | uint32_t(uint8_t(s[at + 2])) << 16 |
           uint32_t(uint8_t(s[at + 3])) << 24;
}

uint16_t read16(const std::string& s, size_t at) { return uint16_t(uint8_t(s[at]) | uint8_t(s[at + 1]) << 8); }

}  // namespace

TEST(IndexedBitmap, HeadersPaletteAndBottomUpPaddedRows)
{
    // 5 x 2: the width is not a multiple of four, so each row is padded.
    RasterPicture picture;
    picture.width = 5;
    picture.height = 2;
    picture.pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000,   // top row
                      0xFE0101, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};  // bottom row
    const std::string file = indexedBitmapFile(picture);

    ASSERT_EQ(file.substr(0, 2), "BM");
    const uint32_t offset = read32(file, 10);
    EXPECT_EQ(offset, 14u + 40u + 1024u);
    EXPECT_EQ(read32(file, 2), file.size());
    EXPECT_EQ(read32(file, 14), 40u);
    EXPECT_EQ(read32(file, 18), 5u);
    EXPECT_EQ(read32(file, 22), 2u) << "positive height: rows bottom-up";
    EXPECT_EQ(read16(file, 28), 8u) << "bits per pixel";
    EXPECT_EQ(read32(file, 30), 0u) << "uncompressed";
    EXPECT_EQ(file.size(), offset + 2u * 8u) << "rows padded to four bytes";

    // The palette is the drawing colours: index 1 red, 3 green, 5 blue.
    // Entries are blue, green, red, 0: read as a little-endian word, 0x00RRGGBB.
    for (int i : {1, 3, 5, 7, 250})
        EXPECT_EQ(read32(file, 54 + size_t(i) * 4), kAciPalette[size_t(i)]) << i;
    auto pixel = [&](int x, int rowFromBottom) { return int(uint8_t(file[offset + size_t(rowFromBottom) * 8 + x])); };
    EXPECT_EQ(pixel(0, 1), 1);
    EXPECT_EQ(pixel(1, 1), 3);
    EXPECT_EQ(pixel(2, 1), 5);
    EXPECT_EQ(pixel(3, 1), nearestAciIndex(0xFFFFFF));
    EXPECT_EQ(pixel(4, 1), nearestAciIndex(0x000000));
    EXPECT_EQ(pixel(0, 0), 1) << "a colour near red takes red's index";
    EXPECT_EQ(pixel(5, 0), 0) << "padding";
}
