#pragma once

#include "ZcDbMText.h"
#include "ZcDbTextStyleTable.h"
#include "platform/db/Opened.h"
#include "tests/support/TestDrawing.h"

// Measurements in these tests use DejaVu Sans, a system font here: 2048
// units per em, capitals 1493 high, descenders 483 deep, "H" 1540 wide.
inline constexpr double kCapHeight = 1493.0;
inline constexpr double kDescent = 483.0;
inline constexpr double kAdvanceH = 1540.0;

// A text style of the drawing with that font file.
inline ZcDbObjectId addTextStyle(ZcDbDatabase& db, const char* name, const char* fontFile)
{
    platform::Opened<ZcDbTextStyleTable> table(db.textStyleTableId(), ZcDb::kForWrite);
    auto* style = new ZcDbTextStyleTableRecord;
    style->setName(name);
    style->setFileName(fontFile);
    ZcDbObjectId id;
    table->add(id, style);
    style->close();
    return id;
}

inline ZcDbExtents extentsOf(const ZcDbEntity& e, Zcad::ErrorStatus* status = nullptr)
{
    ZcDbExtents ext;
    const Zcad::ErrorStatus es = e.getGeomExtents(ext);
    if (status)
        *status = es;
    return ext;
}

inline double widthOf(const ZcDbExtents& e) { return e.maxPoint().x - e.minPoint().x; }
inline double heightOf(const ZcDbExtents& e) { return e.maxPoint().y - e.minPoint().y; }
