#pragma once

namespace platform {

// Dialog units to pixels for the templates' font (MS Shell Dlg 8 at 96
// dots per inch): its average character is 6 pixels wide and 13 high, a
// horizontal unit a quarter of the width, a vertical one an eighth of the height.
inline constexpr int kBaseUnitX = 6;
inline constexpr int kBaseUnitY = 13;

constexpr int dialogUnitsToPixelsX(int units) { return units * kBaseUnitX / 4; }
constexpr int dialogUnitsToPixelsY(int units) { return units * kBaseUnitY / 8; }

}  // namespace platform
