#include "platform/render/IndexedBitmap.h"

#include <cstdint>
#include <unordered_map>

#include "platform/core/AciPalette.h"
#include "platform/render/LittleEndian.h"
#include "platform/render/Picture.h"

namespace platform {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kBitmapInfoHeaderSize = 40;
constexpr uint32_t kPaletteSize = 256 * 4;
constexpr uint32_t kPixelsPerMetre = 3780;  // 96 dots per inch

}  // namespace

std::string indexedBitmapFile(const RasterPicture& picture)
{
    const uint32_t width = uint32_t(picture.width);
    const uint32_t height = uint32_t(picture.height);
    const uint32_t stride = (width + 3) & ~3u;  // rows end on four bytes
    const uint32_t pixelBytes = stride * height;
    const uint32_t offset = kFileHeaderSize + kBitmapInfoHeaderSize + kPaletteSize;

    std::string out;
    out.reserve(offset + pixelBytes);
    out += "BM";
    putLe32(out, offset + pixelBytes);
    putLe32(out, 0);
    putLe32(out, offset);

    putLe32(out, kBitmapInfoHeaderSize);
    putLe32(out, width);
    putLe32(out, height);
    putLe16(out, 1);  // planes
    putLe16(out, 8);  // bits per pixel
    putLe32(out, 0);  // no compression
    putLe32(out, pixelBytes);
    putLe32(out, kPixelsPerMetre);
    putLe32(out, kPixelsPerMetre);
    putLe32(out, 256);
    putLe32(out, 0);

    for (uint32_t rgb : kAciPalette) {
        out += char(rgb & 0xFF);  // blue, green, red, reserved
        out += char((rgb >> 8) & 0xFF);
        out += char((rgb >> 16) & 0xFF);
        out += char(0);
    }

    std::unordered_map<uint32_t, char> nearest;
    for (uint32_t row = height; row-- > 0;) {
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t rgb = picture.pixels[size_t(row) * width + x] & 0xFFFFFF;
            auto [it, added] = nearest.try_emplace(rgb, char(0));
            if (added)
                it->second = char(nearestAciIndex(rgb));
            out += it->second;
        }
        out.append(stride - width, char(0));
    }
    return out;
}

}  // namespace platform
