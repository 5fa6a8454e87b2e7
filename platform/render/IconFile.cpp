#include "platform/render/IconFile.h"

#include <cstdint>

#include "platform/render/LittleEndian.h"
#include "platform/render/Picture.h"

namespace platform {

namespace {

constexpr uint32_t kDirectorySize = 6;
constexpr uint32_t kEntrySize = 16;
constexpr uint32_t kIconInfoHeaderSize = 40;

}  // namespace

std::string iconFile(const RasterPicture& picture, Rgb clear)
{
    const uint32_t width = uint32_t(picture.width), height = uint32_t(picture.height);
    const uint32_t maskStride = (width + 31) / 32 * 4;  // one bit a pixel, rows end on four bytes
    const uint32_t imageSize = kIconInfoHeaderSize + width * height * 4 + maskStride * height;

    std::string out;
    out.reserve(kDirectorySize + kEntrySize + imageSize);
    putLe16(out, 0);
    putLe16(out, 1);                       // an icon, not a cursor
    putLe16(out, 1);                       // one image
    out += char(width < 256 ? width : 0);  // 0 stands for 256
    out += char(height < 256 ? height : 0);
    out += char(0);  // no palette
    out += char(0);
    putLe16(out, 1);   // planes
    putLe16(out, 32);  // bits per pixel
    putLe32(out, imageSize);
    putLe32(out, kDirectorySize + kEntrySize);

    putLe32(out, kIconInfoHeaderSize);
    putLe32(out, width);
    putLe32(out, height * 2);  // the colours and the mask
    putLe16(out, 1);
    putLe16(out, 32);
    putLe32(out, 0);  // no compression
    putLe32(out, imageSize - kIconInfoHeaderSize);
    for (int i = 0; i < 4; ++i)
        putLe32(out, 0);  // resolution, palette

    const uint32_t transparent = clear.packed();
    for (uint32_t row = height; row-- > 0;)
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t rgb = picture.pixels[size_t(row) * width + x] & 0xFFFFFF;
            out += char(rgb & 0xFF);
            out += char((rgb >> 8) & 0xFF);
            out += char((rgb >> 16) & 0xFF);
            out += char(rgb == transparent ? 0 : 0xFF);
        }
    for (uint32_t row = height; row-- > 0;) {
        std::string bits(maskStride, char(0));
        for (uint32_t x = 0; x < width; ++x)
            if ((picture.pixels[size_t(row) * width + x] & 0xFFFFFF) == transparent)
                bits[x / 8] = char(bits[x / 8] | (0x80 >> (x % 8)));
        out += bits;
    }
    return out;
}

}  // namespace platform
