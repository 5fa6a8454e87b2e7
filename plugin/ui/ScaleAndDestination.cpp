#include "ui/ScaleAndDestination.h"

void FillScaleAndDestination(UI_ComboDest& destinations, CComboBox& scales, std::span<const char* const> scaleNames,
                             const CommandSettings& kept)
{
    destinations.Fill();
    destinations.SetCurSel(kept.destination);
    for (size_t i = 0; i < scaleNames.size(); ++i)
        scales.InsertString(int(i), scaleNames[i]);
    scales.SetCurSel(kept.scaleIndex);
}
