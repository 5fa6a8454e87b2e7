#pragma once

#include <cstdint>

namespace platform {

// A colour as drawn: red, green and blue, 0..255 each.
struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    static constexpr Rgb fromPacked(uint32_t rgb)
    {
        return {uint8_t((rgb >> 16) & 0xFF), uint8_t((rgb >> 8) & 0xFF), uint8_t(rgb & 0xFF)};
    }
    constexpr uint32_t packed() const { return (uint32_t(red) << 16) | (uint32_t(green) << 8) | blue; }
    bool operator==(const Rgb&) const = default;
};

}  // namespace platform
