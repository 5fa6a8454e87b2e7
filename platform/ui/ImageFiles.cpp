#include "platform/ui/ImageFiles.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

// No picture of a dialog comes near this; larger sides are taken for damage.
constexpr int64_t kMaxSide = 32768;

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr size_t kIconDirSize = 6;
constexpr size_t kIconEntrySize = 16;
constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

uint32_t le16(const unsigned char* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t le32(const unsigned char* p) { return le16(p) | le16(p + 2) << 16; }
uint32_t be32(const unsigned char* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

bool validDepth(uint32_t bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

int64_t rowBytes(int64_t width, int64_t bits) { return (width * bits + 31) / 32 * 4; }

// A device-independent bitmap's header and what follows it, `size` bytes
// from `dib`; icons hold their images' height twice (colour and mask).
std::optional<DecodedImage> decodeDib(const unsigned char* dib, size_t size, bool inIcon, std::string& problem)
{
    if (size < 4) {
        problem = "brak nagłówka obrazu";
        return std::nullopt;
    }
    const uint32_t headerSize = le32(dib);
    if (headerSize != kCoreHeaderSize && headerSize < kInfoHeaderSize) {
        problem = "nieznany nagłówek obrazu (" + std::to_string(headerSize) + " bajtów)";
        return std::nullopt;
    }
    if (headerSize > size) {
        problem = "nagłówek obrazu dłuższy niż plik";
        return std::nullopt;
    }
    int64_t width, height;
    uint32_t planes, bits, compression = kRgb, colorsUsed = 0;
    if (headerSize == kCoreHeaderSize) {
        width = le16(dib + 4);
        height = le16(dib + 6);
        planes = le16(dib + 8);
        bits = le16(dib + 10);
    } else {
        width = int32_t(le32(dib + 4));
        height = int32_t(le32(dib + 8));
        planes = le16(dib + 12);
        bits = le16(dib + 14);
        compression = le32(dib + 16);
        colorsUsed = le32(dib + 32);
    }
    if (planes != 1 || !validDepth(bits)) {
        problem = "nieobsługiwana głębia barw (" + std::to_string(bits) + " bitów)";
        return std::nullopt;
    }
    const bool topDown = height < 0;
    height = std::llabs(height);
    if (inIcon)
        height /= 2;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        problem = "niewłaściwy rozmiar obrazu " + std::to_string(width) + "×" + std::to_string(height);
        return std::nullopt;
    }
    const bool rle = compression == kRle8 || compression == kRle4;
    if (!(compression == kRgb || (compression == kRle8 && bits == 8) || (compression == kRle4 && bits == 4) ||
          (compression == kBitFields && (bits == 16 || bits == 32))) ||
        (rle && topDown) || (inIcon && compression != kRgb)) {
        problem = "nieobsługiwana kompresja obrazu (" + std::to_string(compression) + ")";
        return std::nullopt;
    }
    const int64_t entrySize = headerSize == kCoreHeaderSize ? 3 : 4;
    const int64_t paletteEntries = bits <= 8 ? (colorsUsed ? colorsUsed : int64_t(1) << bits) : colorsUsed;
    const int64_t masks = (compression == kBitFields && headerSize == kInfoHeaderSize) ? 12 : 0;
    int64_t needed = headerSize + masks + paletteEntries * entrySize;
    if (!rle)
        needed += rowBytes(width, bits) * height;
    if (inIcon)
        needed += rowBytes(width, 1) * height;  // the transparency mask
    if (needed > int64_t(size)) {
        problem = "obraz " + std::to_string(width) + "×" + std::to_string(height) + " nie mieści się w pliku";
        return std::nullopt;
    }
    return DecodedImage{int(width), int(height), int(bits)};
}

std::optional<DecodedImage> decodePng(const unsigned char* png, size_t size, std::string& problem)
{
    // Signature, then the IHDR chunk: length, type, width, height, depth, colour type.
    if (size < 8 + 8 + 13 || std::memcmp(png + 12, "IHDR", 4) != 0) {
        problem = "uszkodzony obraz PNG";
        return std::nullopt;
    }
    const int64_t width = be32(png + 16), height = be32(png + 20);
    const int depth = png[24];
    int channels = 0;
    switch (png[25]) {
    case 0: channels = 1; break;
    case 2: channels = 3; break;
    case 3: channels = 1; break;
    case 4: channels = 2; break;
    case 6: channels = 4; break;
    default: break;
    }
    if (channels == 0 || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        problem = "uszkodzony obraz PNG";
        return std::nullopt;
    }
    return DecodedImage{int(width), int(height), depth * channels};
}

}  // namespace

std::optional<DecodedImage> decodeBitmapFile(const unsigned char* bytes, size_t size, std::string& problem)
{
    if (!bytes || size < kFileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M') {
        problem = "to nie jest plik BMP";
        return std::nullopt;
    }
    const uint32_t pixelsAt = le32(bytes + 10);
    const uint32_t headerSize = le32(bytes + kFileHeaderSize);
    if (pixelsAt > size || pixelsAt < kFileHeaderSize + uint64_t(headerSize)) {
        problem = "przesunięcie pikseli poza plikiem";
        return std::nullopt;
    }
    // The pixels are where the file header says; the header and palette come before them.
    std::optional<DecodedImage> image =
        decodeDib(bytes + kFileHeaderSize, size - kFileHeaderSize, false, problem);
    if (!image)
        return std::nullopt;
    const int64_t pixels = int64_t(size) - pixelsAt;
    const int64_t needed = rowBytes(image->width, image->bitsPerPixel) * image->height;
    const uint32_t compression = headerSize >= kInfoHeaderSize ? le32(bytes + kFileHeaderSize + 16) : kRgb;
    const bool rle = compression == kRle8 || compression == kRle4;
    if ((rle && pixels <= 0) || (!rle && needed > pixels)) {
        problem = "piksele obrazu nie mieszczą się w pliku";
        return std::nullopt;
    }
    return image;
}

std::optional<DecodedImage> decodeIconFile(const unsigned char* bytes, size_t size, int wantedSize,
                                           std::string& problem)
{
    if (!bytes || size < kIconDirSize || le16(bytes) != 0 || le16(bytes + 2) != 1) {
        problem = "to nie jest plik ICO";
        return std::nullopt;
    }
    const size_t count = le16(bytes + 4);
    if (count == 0 || kIconDirSize + count * kIconEntrySize > size) {
        problem = "spis obrazów ikony poza plikiem";
        return std::nullopt;
    }
    std::optional<DecodedImage> best;
    int bestDistance = 0;
    for (size_t i = 0; i < count; ++i) {
        const unsigned char* entry = bytes + kIconDirSize + i * kIconEntrySize;
        const uint64_t length = le32(entry + 8), offset = le32(entry + 12);
        std::string entryProblem;
        std::optional<DecodedImage> image;
        if (offset + length > size || length < 8) {
            entryProblem = "obraz ikony poza plikiem";
        } else if (std::memcmp(bytes + offset, kPngSignature, sizeof kPngSignature) == 0) {
            image = decodePng(bytes + offset, size_t(length), entryProblem);
        } else {
            image = decodeDib(bytes + offset, size_t(length), true, entryProblem);
        }
        if (!image) {
            if (problem.empty())
                problem = entryProblem;
            continue;
        }
        const int distance = std::abs(image->width - wantedSize) + std::abs(image->height - wantedSize);
        if (!best || distance < bestDistance || (distance == bestDistance && image->bitsPerPixel > best->bitsPerPixel)) {
            best = image;
            bestDistance = distance;
        }
    }
    if (best)
        problem.clear();
    return best;
}

}  // namespace platform
