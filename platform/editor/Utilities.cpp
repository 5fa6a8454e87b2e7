// The host's small utilities: printing, angles, palette colours.

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <numbers>
#include <vector>

#include "platform/core/AciPalette.h"
#include "platform/editor/Transcript.h"
#include "zced.h"
#include "zcut.h"

using namespace platform;

int zcutPrintf(const char* format, ...)
{
    if (!format)
        return 0;
    char small[512];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (n < 0)
        return 0;
    if (size_t(n) < sizeof small) {
        transcript().print(std::string_view(small, size_t(n)));
        return n;
    }
    std::vector<char> large(size_t(n) + 1);
    va_start(args, format);
    std::vsnprintf(large.data(), large.size(), format, args);
    va_end(args);
    transcript().print(std::string_view(large.data(), size_t(n)));
    return n;
}

ads_real zcutAngle(const ads_point p1, const ads_point p2)
{
    if (!p1 || !p2)
        return 0.0;
    const double a = std::atan2(p2[1] - p1[1], p2[0] - p1[0]);
    return a < 0.0 ? a + 2.0 * std::numbers::pi : a;
}

int32_t zcedGetRGB(int colorIndex)
{
    if (colorIndex < 0 || colorIndex > 255)
        return -1;
    const uint32_t rgb = kAciPalette[size_t(colorIndex)];
    const uint32_t red = (rgb >> 16) & 0xFF, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
    return int32_t(red | (green << 8) | (blue << 16));
}
