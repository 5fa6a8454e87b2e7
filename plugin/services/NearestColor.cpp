#include <cstdlib>

#include "services/DatabaseServices.h"
#include "zced.h"

namespace {

int channelDistance(int32_t a, int32_t b)
{
    int sum = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        sum += std::abs(((a >> shift) & 0xFF) - ((b >> shift) & 0xFF));
    return sum;
}

}  // namespace

ZcCmColor NearestColorIndex(int32_t rgb)
{
    // 255 is not a candidate: it repeats white (7), which already wins any tie.
    constexpr int kFirstIndex = 1, kLastIndex = 254;
    int best = kFirstIndex;
    int bestDistance = channelDistance(rgb, zcedGetRGB(kFirstIndex));
    for (int index = kFirstIndex + 1; index <= kLastIndex; ++index) {
        const int d = channelDistance(rgb, zcedGetRGB(index));
        if (d < bestDistance) {
            best = index;
            bestDistance = d;
        }
    }
    ZcCmColor color;
    color.setColorIndex(best);
    return color;
}
