#pragma once

#include <array>
#include <cstdint>

namespace platform {

// 0x00RRGGBB of each colour index 0..255 (0 is "by block" and has no colour of its own).
extern const std::array<uint32_t, 256> kAciPalette;

// The palette index 1..255 nearest to a colour (sum of channel differences;
// the lower index wins a tie).
int nearestAciIndex(uint32_t rgb);

}  // namespace platform
