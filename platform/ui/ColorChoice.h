#pragma once

#include <optional>

#include "WinTypes.h"
#include "ZrxExport.h"

namespace platform {

// The colour the system's colour dialog shows while it waits for the
// user's answer; nothing when it is not open. A screen shows it from this.
ZRX_EXPORT std::optional<COLORREF> shownColorChoice();

}  // namespace platform
