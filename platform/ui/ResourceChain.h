#pragma once

#include "ZcUiResources.h"

namespace platform {

// The chained modules' resources, newest module first.

// The string of that id, or null when no chained module has it.
const char* findChainedString(UINT id);
// The template of that id, or null.
const ZcUiDialogTemplate* findChainedDialog(UINT id);
// The image of that id and kind, or null.
const ZcUiImageResource* findChainedImage(UINT id, ZcUiImageKind kind);

}  // namespace platform
