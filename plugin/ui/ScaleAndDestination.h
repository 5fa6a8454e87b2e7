#pragma once

#include <span>

#include "ZcUiControls.h"
#include "frame/CommandSettings.h"
#include "ui/UI_ComboDest.h"

// The set-up every dialog with a destination and a scale list shares: the
// four destinations and the dialog's own scale names in order, each list at
// the session's kept choice. A kept index beyond a list selects nothing
// there, as a scale index from another dialog's longer list may be.
void FillScaleAndDestination(UI_ComboDest& destinations, CComboBox& scales, std::span<const char* const> scaleNames,
                             const CommandSettings& kept);
