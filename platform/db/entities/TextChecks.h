#pragma once

#include "ZcDbObjectId.h"
#include "ZcadErrorStatus.h"

class ZcDbDatabase;

namespace platform {

// Whether an id may be a text's style: null (the drawing's default) or a
// text style of the text's drawing (db, when the text is in one).
[[nodiscard]] Zcad::ErrorStatus checkTextStyle(ZcDbObjectId style, const ZcDbDatabase* db);

}  // namespace platform
