#pragma once

#include "ZcUiControls.h"

// The destination list of the sign, marking and traffic-light dialogs:
// designed, temporary, existing, removed. The index is what the settings
// keep and what the drawing routines map to the destination layers.
class UI_ComboDest : public CComboBox {
public:
    // The four destinations in their order, the first selected.
    void Fill();
};
