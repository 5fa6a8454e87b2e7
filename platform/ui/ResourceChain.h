#pragma once

#include "ZcUiResources.h"
#include "ZrxExport.h"

namespace platform {

// The chained modules' resources, newest module first.

// The string of that id, or null when no chained module has it.
const char* findChainedString(UINT id);
// The template of that id, or null.
ZRX_EXPORT const ZcUiDialogTemplate* findChainedDialog(UINT id);
// The image of that id and kind, or null.
ZRX_EXPORT const ZcUiImageResource* findChainedImage(UINT id, ZcUiImageKind kind);

}  // namespace platform
