#include "ZcCmColor.h"

#include <cstdlib>

#include "platform/core/AciPalette.h"

using namespace platform;

namespace platform {

int nearestAciIndex(uint32_t rgb)
{
    const auto channel = [](uint32_t c, int shift) { return int((c >> shift) & 0xFF); };
    int best = 1;
    int bestDistance = 1 << 30;
    for (int i = 1; i <= 255; ++i) {
        const uint32_t p = kAciPalette[size_t(i)];
        const int d = std::abs(channel(p, 16) - channel(rgb, 16)) + std::abs(channel(p, 8) - channel(rgb, 8)) +
                      std::abs(channel(p, 0) - channel(rgb, 0));
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

}  // namespace platform

bool ZcCmColor::setColorIndex(int index)
{
    if (index == 0) {
        m_method = kByBlock;
    } else if (index == 256) {
        m_method = kByLayer;
    } else if (index >= 1 && index <= 255) {
        m_method = kByACI;
        m_index = uint8_t(index);
    } else {
        return false;
    }
    m_rgb = 0;
    return true;
}

int ZcCmColor::colorIndex() const
{
    switch (m_method) {
    case kByBlock:
        return 0;
    case kByLayer:
        return 256;
    case kByACI:
        return m_index;
    case kByColor:
        return nearestAciIndex(m_rgb);
    default:
        return 256;
    }
}

void ZcCmColor::setRGB(uint8_t r, uint8_t g, uint8_t b)
{
    m_method = kByColor;
    m_index = 0;
    m_rgb = (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
}

uint32_t ZcCmColor::rgb() const
{
    if (m_method == kByColor)
        return m_rgb;
    if (m_method == kByACI)
        return kAciPalette[m_index];
    return 0;
}

uint8_t ZcCmColor::red() const { return uint8_t(rgb() >> 16); }
uint8_t ZcCmColor::green() const { return uint8_t(rgb() >> 8); }
uint8_t ZcCmColor::blue() const { return uint8_t(rgb()); }
