#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Integers appended least significant byte first, as Windows image files
// (bitmaps, icons) hold them.

inline void putLe16(std::string& out, uint32_t v)
{
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}

inline void putLe32(std::string& out, uint32_t v)
{
    putLe16(out, v & 0xFFFF);
    putLe16(out, v >> 16);
}

}  // namespace platform
