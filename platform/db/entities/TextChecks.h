#pragma once

#include <string_view>

#include "ZcDbObjectId.h"
#include "ZcadErrorStatus.h"

class ZcDbDatabase;

// Texts are stored as UTF-8: anything else would be written into files as
// garbage, so setters refuse it.
bool isValidUtf8(std::string_view text);

// Whether an id may be a text's style: null (the drawing's default) or a
// text style of the text's drawing (db, when the text is in one).
Zcad::ErrorStatus checkTextStyle(ZcDbObjectId style, const ZcDbDatabase* db);
