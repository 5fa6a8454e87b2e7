#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace platform {

// Reads the headers of the images a resource script names: a .bmp file
// whole, or a .ico file whole. Every size and offset is checked against
// the bytes there are; nothing is read past them.

struct DecodedImage {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
};

// Nothing, and what is wrong in problem, when the bytes are not a bitmap
// this reader takes (uncompressed, run-length or bit-field pixels).
std::optional<DecodedImage> decodeBitmapFile(const unsigned char* bytes, size_t size, std::string& problem);

// The icon's image nearest to wantedSize square (then the deepest colour).
std::optional<DecodedImage> decodeIconFile(const unsigned char* bytes, size_t size, int wantedSize,
                                           std::string& problem);

}  // namespace platform
